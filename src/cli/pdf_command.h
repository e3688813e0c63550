#pragma once

#include <QStringList>
#include <QTextStream>

namespace cli {

class Console;

// "pdf": renders a report of the print centre's tree for the data set's current print
// settings into a PDF file and prints the number of pages written:
//   Orvidan pdf --data-root DIR --dataset FOLDER --report NODE --out FILE [--password TEXT]
// NODE is 1-3 (single orders), 5-7 (collective orders) or 9-13 (lists). The data set is
// refused when another program has it open or the password is missing or wrong; the date
// checks of the print run apply ("Zadejte datum - Velorad"). Needs a QGuiApplication (an
// offscreen one will do). Exit status 0 done, 1 refused or failed, 2 wrong arguments.
int runPdfCommand(const QStringList &args, QTextStream &out, QTextStream &err);
// The same on the console of the subcommands.
int pdfCommand(const QStringList &args, Console &console);

} // namespace cli
