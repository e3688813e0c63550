#pragma once

#include <QString>
#include <QStringList>

namespace data {

class TDM1;

// What happened while a data set was opened: the error that stopped the opening (the
// program goes on without showing it) and the upgrade steps that were carried out.
struct OpenReport {
    bool complete = false;      // every table opened
    QString error;              // the swallowed error that stopped the opening, if any
    QStringList upgrades;       // statements that succeeded and template copies made
};

// Opens and upgrades every table of the data set the company connection points at.
// Throws the error that stops the opening.
void OtevritTabulky(TDM1 &dm, OpenReport &report);
// Re-reads the open tables so that changes of other users and statements show.
void Obnovit1(TDM1 &dm);
// Points the company connection at dataRoot/folder, clears stale lock files and opens the
// tables; errors are swallowed into the report. Opening another data set closes the first.
OpenReport openDataSet(TDM1 &dm, const QString &dataRoot, const QString &folder);
// Closes everything at program end.
void closeAll(TDM1 &dm);

} // namespace data
