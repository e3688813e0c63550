#include "formats.h"

#include <cmath>

namespace db {

FormatSettings &formatSettings()
{
    static FormatSettings settings;
    return settings;
}

QString formatDate(const QDate &date, const QString &format)
{
    if (!date.isValid()) return {};
    QString out;
    const QString f = format.toLower();
    int i = 0;
    while (i < f.size()) {
        const QChar c = f[i];
        int run = 1;
        while (i + run < f.size() && f[i + run] == c) ++run;
        if (c == QLatin1Char('d')) {
            out += run >= 2 ? QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0')) : QString::number(date.day());
        } else if (c == QLatin1Char('m')) {
            out += run >= 2 ? QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0')) : QString::number(date.month());
        } else if (c == QLatin1Char('y')) {
            if (run >= 3)
                out += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
            else
                out += QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'));
        } else {
            out += QString(run, format[i]);
        }
        i += run;
    }
    return out;
}

QString dateText(const QDate &date) { return formatDate(date, formatSettings().shortDateFormat); }

QDate parseDate(const QString &input)
{
    const QString text = input.trimmed();
    if (text.isEmpty()) return {};
    if (text.size() == 10 && text[4] == QLatin1Char('-') && text[7] == QLatin1Char('-'))
        return QDate::fromString(text, Qt::ISODate);
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 3) return {};
    bool okD, okM, okY;
    const int d = parts[0].toInt(&okD);
    const int m = parts[1].toInt(&okM);
    int y = parts[2].toInt(&okY);
    if (!okD || !okM || !okY || parts[0].size() > 2 || parts[1].size() > 2) return {};
    if (parts[2].size() == 2)
        y += y < 50 ? 2000 : 1900;
    else if (parts[2].size() != 4)
        return {};
    return QDate(y, m, d);
}

double roundDecimal(double value, int decimals)
{
    if (!std::isfinite(value)) return value;
    // Round the 15-digit decimal form, half away from zero, as a person rounds what they see.
    const QString e = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde±x
    const int ePos = int(e.indexOf(QLatin1Char('e')));
    QString digits = e.left(ePos);
    digits.remove(QLatin1Char('.'));
    const int exponent = e.mid(ePos + 1).toInt();
    // digits[0] has weight 10^exponent; keep the digits down to 10^-decimals.
    const int keep = exponent + 1 + decimals;
    if (keep < 0) return 0.0;
    if (keep >= digits.size()) return value;
    qint64 kept = keep == 0 ? 0 : digits.left(keep).toLongLong();
    if (digits[keep] >= QLatin1Char('5')) ++kept;
    double r = double(kept) / std::pow(10.0, decimals);
    return value < 0 ? -r : r;
}

QString formatFloat(double value, const QString &format)
{
    int decimals = 0;
    const int dot = format.indexOf(QLatin1Char('.'));
    if (dot >= 0) decimals = int(format.size()) - dot - 1;
    const bool thousands = format.contains(QLatin1Char(','));
    QString s = QString::number(roundDecimal(value, decimals), 'f', decimals);
    if (s.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (QChar c : s.mid(1))
            if (c != QLatin1Char('0') && c != QLatin1Char('.')) allZero = false;
        if (allZero) s.remove(0, 1);
    }
    QString intPart = s, frac;
    const int p = s.indexOf(QLatin1Char('.'));
    if (p >= 0) {
        intPart = s.left(p);
        frac = s.mid(p + 1);
    }
    if (thousands) {
        const bool neg = intPart.startsWith(QLatin1Char('-'));
        QString digits = neg ? intPart.mid(1) : intPart;
        for (int i = int(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, QChar(0xA0));
        intPart = (neg ? QStringLiteral("-") : QString()) + digits;
    }
    return frac.isEmpty() ? intPart : intPart + formatSettings().decimalSeparator + frac;
}

double parseFloat(const QString &input, bool *ok)
{
    QString text = input.trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    text.remove(QChar(0xA0));
    text.remove(QLatin1Char(' '));
    bool good = false;
    double v = text.isEmpty() ? 0 : text.toDouble(&good);
    if (good && !std::isfinite(v)) good = false;
    if (ok) *ok = good;
    return good ? v : 0;
}

QString formatG(double value)
{
    QString s = QString::number(value, 'g', 15);
    s.replace(QLatin1Char('.'), formatSettings().decimalSeparator);
    return s;
}

qint64 toHundredths(double value) { return qint64(std::llround(value * 100.0)); }
double fromHundredths(qint64 value) { return double(value) / 100.0; }

} // namespace db
