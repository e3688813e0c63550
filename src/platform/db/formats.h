#pragma once

#include <QDate>
#include <QString>

namespace db {

// Program-wide number and date conventions the engine formats and parses with.
// The decimal separator is changed at run time by some reports and the DOS import.
struct FormatSettings {
    QChar decimalSeparator = QLatin1Char(',');
    QString shortDateFormat = QStringLiteral("dd.mm.yyyy");
};

FormatSettings &formatSettings();

// Formats a date with a format of day/month/year letters ("dd.mm.yyyy", "yymmdd", "d.m.yy", ...).
QString formatDate(const QDate &date, const QString &format);
// The date in the program's short date format.
QString dateText(const QDate &date);
// Parses a full date text in the short form the engine accepts: d.m.yyyy, d.m.yy or yyyy-mm-dd.
// Returns an invalid date when the text is not a date.
QDate parseDate(const QString &text);

// Rounds to a number of decimals the way the printed decimal form shows it (half away from zero
// on the 15-digit decimal form, so 12.345 gives 12.35).
double roundDecimal(double value, int decimals);
// Formats a number with a format such as "0.00", "0", "#,##0.00", using the current decimal separator.
QString formatFloat(double value, const QString &format);
// Parses a real number written with a decimal comma or point; ok is false for anything else.
double parseFloat(const QString &text, bool *ok);
// %g as the engine's range message prints it (15 significant digits, decimal separator applied).
QString formatG(double value);

// Amounts are stored as integer hundredths.
qint64 toHundredths(double value);
double fromHundredths(qint64 value);

} // namespace db
