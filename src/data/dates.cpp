// Date completion, weekday names, day-count words and the working-day step back.
#include "table_rules.h"

#include "platform/db/formats.h"

#include <QStringList>

namespace data {

QString DatumAll(const QString &typed, const QDate &today)
{
    QString s = typed;
    if (!s.isEmpty() && (s[0] == QLatin1Char('+') || s[0] == QLatin1Char('-'))) {
        bool ok = false;
        int n = s.toInt(&ok);
        if (!ok) n = 0;
        s = db::formatDate(today.addDays(n), QStringLiteral("d.m.yyyy"));
    }
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    s.replace(QLatin1Char('/'), QLatin1Char('.'));
    if (s.size() >= 4 && !s.contains(QLatin1Char('.'))) {
        s.insert(2, QLatin1Char('.'));
        if (s.size() == 5) s.append(QLatin1Char('.'));
        else s.insert(5, QLatin1Char('.'));
    }
    const int p = int(s.lastIndexOf(QLatin1Char('.'))) + 1;
    const int k = int(s.count(QLatin1Char('.')));
    const int len = int(s.size());
    if (p == len && p >= 4 && p <= 6 && k == 2) {
        s += QString::number(today.year());
    } else if (p == len && (p == 2 || p == 3) && k == 1) {
        s += QStringLiteral("%1.%2").arg(today.month()).arg(today.year());
    } else if (p == 0 && (len == 1 || len == 2)) {
        s += QStringLiteral(".%1.%2").arg(today.month()).arg(today.year());
    }
    return s;
}

QDate readDateText(const QString &text, const QDate &today)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() < 2 || parts.size() > 3) return {};
    bool okD = false, okM = false, okY = true;
    const int d = parts[0].toInt(&okD);
    const int m = parts[1].toInt(&okM);
    int y = today.year();
    if (parts.size() == 3 && !parts[2].isEmpty()) {
        y = parts[2].toInt(&okY);
        if (okY && parts[2].size() <= 2) y += today.year() / 100 * 100;
    }
    if (!okD || !okM || !okY || parts[0].isEmpty() || parts[1].isEmpty()) return {};
    return QDate(y, m, d);
}

QString weekdayName(const QDate &date)
{
    static const QStringList names{QStringLiteral("pondělí"), QStringLiteral("úterý"), QStringLiteral("středa"),
                                   QStringLiteral("čtvrtek"), QStringLiteral("pátek"), QStringLiteral("sobota"),
                                   QStringLiteral("neděle")};
    if (!date.isValid()) return {};
    return names[date.dayOfWeek() - 1];
}

QString dayCountWord(qint64 days)
{
    if (days < 0) return {};
    if (days == 1) return QStringLiteral("den dříve");
    if (days >= 2 && days <= 4) return QStringLiteral("dny dříve");
    return QStringLiteral("dní dříve");
}

QDate stepBack(const QDate &due, qint64 days)
{
    QDate d = due;
    for (qint64 n = days; n > 0; --n) {
        d = d.addDays(-1);
        if (d.dayOfWeek() == Qt::Sunday) d = d.addDays(-2);
    }
    return d;
}

QString dateFormatExample(const QString &format)
{
    static const QStringList formats{QStringLiteral("dd.mm.yy"), QStringLiteral("dd.mm.yyyy"), QStringLiteral("ddmmyy"),
                                     QStringLiteral("ddmmyyyy"), QStringLiteral("yymmdd"),     QStringLiteral("yyyymmdd")};
    if (!formats.contains(format)) return {};
    return db::formatDate(QDate(2003, 1, 15), format);
}

} // namespace data
