#pragma once

#include <QStringList>
#include <QTextStream>

namespace cli {

class Console;

// "export": writes the transfer queue of a data set into a bank file as the queue window's
// transfer run does (Rd, M1 and CisloProPrikaz updated), prints the number of queue rows
// written and, with --empty-queue, empties the queue:
//   Orvidan export --data-root DIR --dataset FOLDER --file PATH [--format abo|txt]
//                  [--empty-queue] [--password TEXT]
// Exit status 0 done, 1 refused or failed (the message on standard error), 2 wrong arguments.
int exportQueue(const QStringList &args, Console &console);
// The same with the two output streams given.
int runExportCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace cli
