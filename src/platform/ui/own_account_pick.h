#pragma once

// The own-account pick: how a record that refers to one of the company's own accounts (its
// number Pc plus copies of the account's bank name, branch, account number and, where the
// record keeps it, the days early P) is tied to the own-account table Mbzp. Four steps:
//
// 1. On entering the record's Pc edit the current text of Pc is remembered.
// 2. Shift+F7 in the Pc edit, or a click on its blue label, opens the account list; when it
//    closes with OK the record is put into edit and the current Mbzp row is copied into it
//    (the copy step, PrenosBanky).
// 3. On leaving the Pc edit, when Pc differs from the remembered text: the record is put into
//    edit and Pc is looked up in Mbzp by exact key; a row found (and Pc not empty) is copied,
//    otherwise the copied texts are cleared (and P, where kept, becomes 0).
// 4. Then, when Pc and the three copied texts are all empty, the list of step 2 opens by itself.
//
// A window declares its variant (OwnAccountVariant) and creates one OwnAccountPick for its Pc
// edit; the differences between windows are all in the declaration. For instance:
// - the payment windows: record Mbz, copies into Bai, Nai, Cui and P, the own accounts editor as
//   the list, the handover date recomputed after each copy;
// - the supplier book: record Maz, copies into Bai, Nai, Cui and P, nothing after the copy;
// - the obligation windows: record Mkd, copies into Bai, Nai, Cui (no P);
// - the print centre: record Mtt, copies into Ba, Na, Cu, the compact choice as the list,
//   everyExit and positionList on, waitForDefaults off, the status panels cleared after a copy.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

namespace db {
class Dataset;
class Table;
} // namespace db

namespace ui {

class PickLabel;
class TDBEditz;

// One window's variant of the own-account pick.
struct OwnAccountVariant {
    db::Dataset *record = nullptr;   // the record holding Pc and the copies
    QString pc = QStringLiteral("Pc");
    QString bank;                    // receives Mbzp.Ba ("Bai", "Ba")
    QString branch;                  // receives Mbzp.Na ("Nai", "Na")
    QString account;                 // receives Mbzp.Cu ("Cui", "Cu")
    QString days;                    // receives Mbzp.P; empty where the record keeps none
    // Opens the account list modally over parent; true when it closed with OK, with Mbzp on
    // the chosen row.
    std::function<bool(QWidget *parent)> list;
    // Step 3 runs on every exit, without comparing with the remembered text.
    bool everyExit = false;
    // Before the list opens, Mbzp is positioned on the record's Pc, or on its first row when
    // there is no such account.
    bool positionList = false;
    // Steps 3 and 4 wait while a new row is being filled with its defaults (the table rules'
    // defaults-in-progress flag is off).
    bool waitForDefaults = true;
    // Steps 2 to 4 run only while this says so (none: always).
    std::function<bool()> enabled;
    // Step 4 runs only while this says so (none: always).
    std::function<bool()> openWhenEmpty;
    // Runs after every copy or clearing (recompute a date, refresh the status bar, ...).
    std::function<void()> afterCopy;
};

// The own-account pick of one Pc edit (a child of the edit).
class OwnAccountPick : public QObject {
    Q_OBJECT
public:
    // accounts: the own-account table Mbzp. label: the blue label beside the edit (or none).
    OwnAccountPick(db::Table &accounts, TDBEditz *pcEdit, PickLabel *label, OwnAccountVariant variant);

    const OwnAccountVariant &variant() const { return m_variant; }

    // Step 1: remembers the record's current Pc text (windows also call it after moves).
    void remember();
    const QString &rememberedText() const { return m_remembered; }
    // Step 2: opens the list and copies the chosen account; true when one was copied.
    bool pick();
    // Steps 3 and, when openList is true, 4 (run by the edit's exit; step 4 then a moment
    // later, once the focus has settled). Windows that act before the edit is left (a
    // navigator button pressed while the edit has the focus) call it with openList false.
    void leave(bool openList = true);
    // The copy step (PrenosBanky): the current Mbzp row into the record, which must be in edit.
    void copyCurrentAccount();

private:
    bool enabled() const;
    bool allEmpty() const;
    void clearCopies();
    void openListWhenEmpty();

    db::Table &m_accounts;
    QPointer<TDBEditz> m_edit;
    OwnAccountVariant m_variant;
    QString m_remembered;
};

} // namespace ui
