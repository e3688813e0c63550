#pragma once

#include "bank_lines.h"

#include <QString>
#include <functional>
#include <vector>

namespace data {
class TDM1;
}

namespace transfer {

struct AboGroup;

// What one transfer run did.
struct RunOutcome {
    bool ok = false;
    // Why the run stopped (shown as an error): "Soubor " + path + " nelze vytvořit." when the
    // file cannot be created or written, otherwise the engine's message. Empty when a table
    // rule refused a save silently (it has told the user itself).
    QString error;
    // Shown after a run that succeeded, when the next accounting-file number could not be saved.
    QString warning;
    int rowsWritten = 0;      // queue rows in the file
    int linesWritten = 0;     // lines in the file
    bool fileKept = false;    // false when the queue was empty and the file was deleted again
};

// The settings that choose the writer and shape the file.
BankFormat formatSetting(data::TDM1 &dm);     // Mtt.Banka: text format when true
bool inTransferMode(data::TDM1 &dm);          // Mtt.Zak ("Přenos příkazů")
// The text format's amount without a separator: Modf.Odl, or Pmt.Odl in transfer mode (the
// variant queue window of transferred orders).
bool amountWithoutSeparator(data::TDM1 &dm);

// The data-set INI of a data-set folder: the folder's name + ".ini" inside it ("D3/D3.ini"),
// or the file of that name in another letter case when only such a one exists.
QString dataSetIniPath(const QString &dataSetFolder);

// The queue as the print centre's "Banka" opens it: in ID order in transfer mode, else in
// due-date order, on its first row.
void openQueue(data::TDM1 &dm);
// Closes the queue and Mban1 and sets the queue's order back to due dates.
void closeQueue(data::TDM1 &dm);
// The answer Yes to "Byly příkazy vpořádku načteny do bankovního programu ?": every queue row
// is deleted and the queue is reopened.
void emptyQueue(data::TDM1 &dm);

// The transfer runs of one opening of the queue window: writes the whole queue into a bank
// file with the ABO or the text writer inside the shared frame (output folder, file creation,
// Windows-1250 and CR LF, Rd and M1 written back, the file of an empty queue deleted) and starts
// the bank program at most once per opening.
class TransferSession {
public:
    // dataRoot is the folder made current again after the bank program was started.
    TransferSession(data::TDM1 &dm, const QString &dataRoot);

    // Opens the bank program through the shell (default verb, no arguments, normal window).
    // The run makes the program's folder the current folder around the call. Without an
    // action no program is started (headless runs).
    std::function<void(const QString &programPath)> openProgram;

    // The run of the queue window ("Přenést"): pending edits of Modf and Mban are saved, the
    // per-save refresh of the record counter is off during the run, then the writer of the
    // format runs. The queue is read once at the start and the file is written whole from
    // what was read (so it carries the values the rows had then, each row once); then Rd (and
    // M1 for ABO) are saved through the queue table, so its save rules run. Reading and saving
    // are one transaction, committed also when the run stops part-way: rows numbered before a
    // failure keep their numbers. A run that fails deletes its incomplete file.
    RunOutcome run(BankFormat format, const QString &filePath, const QString &programPath);
    RunOutcome PrenosDoBankyAbo(const QString &filePath, const QString &programPath)
    {
        return run(BankFormat::Abo, filePath, programPath);
    }
    RunOutcome PrenosDoBankyTxt(const QString &filePath, const QString &programPath)
    {
        return run(BankFormat::Text, filePath, programPath);
    }

    // The mark that a bank program was started during this opening.
    bool bankProgramStarted() const { return m_programStarted; }

private:
    void startBankProgram(const QString &programPath);
    void fillMban1(const std::vector<AboGroup> &groups);
    // Saves Rd (and M1 for ABO) of the rows of the written lines.
    void numberRows(const std::vector<QueueRow> &rows, const std::vector<BankLine> &lines, BankFormat format);

    data::TDM1 &m_dm;
    QString m_dataRoot;
    bool m_programStarted = false;
};

// The message of a bank file that cannot be created or written.
QString cannotCreateMessage(const QString &filePath);

// The current queue row, and the whole queue in its current order (the data module's Mban,
// opened when closed). Both throw the engine's range error for an amount out of the range of
// Mban.Ca (a row written by another program), before anything of that row is written.
QueueRow currentRow(data::TDM1 &dm);
std::vector<QueueRow> readQueue(data::TDM1 &dm);

} // namespace transfer
