#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

namespace transfer {

// The two formats of the bank file.
enum class BankFormat {
    Abo,   // ABO file (Mtt.Banka false, "formát ABO")
    Text,  // fixed-column text file (Mtt.Banka true, "formát TXT")
};

// One row of the transfer queue as the run read it when it started. The file is written from
// these values, so every row is written once, with the date it had when the run began, even
// when saving its line number moves its date (the Mtt.Za1 rule).
struct QueueRow {
    qint64 rowId = 0;
    QString cu1, kodi, cu2, kod, vs, ks, ss, tp;
    QString uppAv;             // "AV:" and the note, or empty
    qint64 hundredths = 0;     // Ca in haléř
    QDate ds;                  // invalid when the row has no date
};

// One line of a bank file: its bytes (Windows-1250, without the line end) and the queue row it
// holds, if any.
struct BankLine {
    QByteArray bytes;
    int row = -1;     // index into the rows; -1 for the header and end lines
    int group = 0;    // the row's group in an ABO file (M1); 0 in a text file
};

// A queue text as it goes into a bank file: control characters (tab, line breaks) become
// blanks so that they cannot break a line, then the text is encoded in Windows-1250 with the
// code-page rule of platform/codepage (one byte per character, "?" for what has no stand-in).
QByteArray bankText(const QString &text);

// A line as the file holds it: without trailing blanks.
QByteArray withoutTrailingBlanks(QByteArray line);

} // namespace transfer
