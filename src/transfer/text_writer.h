#pragma once

#include "bank_lines.h"

namespace transfer {

// The columns of the text file, counted from 1 (first column, width).
struct TextColumn {
    int first;
    int width;
};
constexpr TextColumn kTextCu1{1, 18};
constexpr TextColumn kTextCu2{19, 18};
constexpr TextColumn kTextKod{37, 4};
constexpr TextColumn kTextSs{41, 10};
constexpr TextColumn kTextVs{51, 10};
constexpr TextColumn kTextKs{61, 4};
constexpr TextColumn kTextAmount{65, 14};   // right-aligned, ends in column 78
constexpr TextColumn kTextDate{79, 6};      // YYMMDD
constexpr TextColumn kTextTp{85, 1};

// The amount column: with a decimal point ("1234.50", "0.05", "-0.05") or, withoutSeparator,
// whole haléř ("123450", "5", "0").
QByteArray textAmount(qint64 hundredths, bool withoutSeparator);

// One line of the text file for a queue row. Every text starts in its column; a text longer
// than its column is cut at the column's width, so the columns never shift.
QByteArray textLine(const QueueRow &row, bool withoutSeparator);

} // namespace transfer
