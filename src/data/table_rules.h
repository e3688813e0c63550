#pragma once

#include <QDate>
#include <QString>

namespace db {
class Dataset;
class Field;
class Table;
} // namespace db

namespace data {

class TDM1;

// Attaches every table rule (defaults, normalisation, checks, key messages, guards,
// calculated fields, status-bar upkeep) to the data module's tables.
void installTableRules(TDM1 &dm);

// Date completion of typed date texts, with today's date given.
QString DatumAll(const QString &text, const QDate &today);
// Reads a completed date text by the program's conventions: day.month[.year], the year
// omitted = the current year, a year below 100 in the current century. Invalid when not a date.
QDate readDateText(const QString &text, const QDate &today);
// Weekday name of a date ("pondělí" ... "neděle"); empty for an empty date.
QString weekdayName(const QDate &date);
// Day-count word of a number of days ("den dříve", "dny dříve", "dní dříve", "" below 0).
QString dayCountWord(qint64 days);
// Steps a due date back by n working days (Sundays stepped over to Friday).
QDate stepBack(const QDate &due, qint64 days);
// The example text of a date format of Modf.K; empty for an unknown format.
QString dateFormatExample(const QString &format);

// The field side of picking a date from the calendar: puts the table into edit and assigns the
// picked date as a date (the field's weekend check runs; the typed-date completion does not).
void KDatum(db::Dataset &table, db::Field &field, const QDate &picked);
// Handover date of the current Mbz row from D1 and P.
void DoBankyMbz(TDM1 &dm);
// Obligation's leaving date Mkd.D1 from Dss and P.
void DoBankyMkd(TDM1 &dm);
// Status-bar refreshes after windows close or re-filter.
void MbzRef1(TDM1 &dm);
void MkdR1(TDM1 &dm);
// The record count the rules keep for a table (set by the window that works on it).
int &tableCount(const db::Dataset &table);
// Status texts of a table: record counter and edit state.
void Zaznam(db::Dataset &table, int count);
void StatusEdit(db::Dataset &table);
// Caption of the main window from Modf.Fa.
void NazevDp1(TDM1 &dm);
// "Velorad 3.10".
QString programTitle();

} // namespace data
