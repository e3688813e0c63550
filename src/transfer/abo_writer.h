#pragma once

#include "bank_lines.h"

#include <QDate>
#include <QString>
#include <vector>

namespace ini {
class IniFile;
}

namespace transfer {

// Section and keys of the ABO settings in the data-set INI.
extern const QString kAboSection;           // "BankaABO"
extern const QString kAboIntervalKey;       // "UcetniSoubory"
extern const QString kAboFromKey;           // "UcetniSouboryOd"
extern const QString kAboToKey;             // "UcetniSouboryDo"
extern const QString kAboNextKey;           // "CisloProPrikaz"

// The numbering of accounting files in ABO files: whether the interval is in use, the interval
// and the number the next accounting file gets.
struct AboNumbering {
    bool interval = false;
    int from = 1;
    int to = 999;
    int next = 1;

    // Reads section BankaABO. The interval is on only when UcetniSoubory is present and true:
    // it is read once with default true and once with default false.
    static AboNumbering read(const ini::IniFile &ini);
    // Writes CisloProPrikaz.
    void saveNext(ini::IniFile &ini) const;
    // The number of one accounting file; next advances and wraps from "to" back to "from".
    int take();
};

// One group of the queue: the rows that agree in own account, own bank code, due date and
// order type, in queue order, with the sum of their amounts (a row of Mban1).
struct AboGroup {
    QString cu1, kodi, tp;
    QDate ds;
    qint64 total = 0;          // Cac in haléř
    std::vector<int> rows;     // indexes into the queue rows
};

// The groups of the queue in the order in which each first appears.
std::vector<AboGroup> aboGroups(const std::vector<QueueRow> &rows);

// The lines of an ABO file: one block per group ("UHL1" to "5 +"). With the interval on,
// every block takes a number from the numbering. Today's date goes into the file header.
std::vector<BankLine> aboLines(const std::vector<QueueRow> &rows, const std::vector<AboGroup> &groups,
                               AboNumbering &numbering, const QDate &today);

// An amount in haléř as the ABO file writes it: digits without separators, "-" kept.
QByteArray aboAmount(qint64 hundredths);

} // namespace transfer
