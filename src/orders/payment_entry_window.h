#pragma once

#include "platform/ui/window_registration.h"

#include <QDialog>
#include <QVariant>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace data {
class TDM1;
}

namespace ui {
class OwnAccountPick;
class PickLabel;
class RuleFocus;
class TableKeys;
class TDBCheckBoxz;
class TDBEditz;
class TDBNavigator;
class TDBText;
class WindowPlace;
} // namespace ui

namespace orders {

// The form shared by the payment window and the periodic payment window: the groups and
// fields of one Mbz row, the own-account pick, the date pickers, the remembered values that
// drive the recompute of the handover date, the table keys and the unsaved-changes question.
class PaymentEntryForm : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Payments, Periodic };

    ~PaymentEntryForm() override;

    Kind kind() const { return m_kind; }

    // Group "PLATIT  Z  ÚČTU".
    QGroupBox *GroupBoxZ = nullptr;
    ui::PickLabel *LabelPc = nullptr;      // "č. banky"
    ui::TDBEditz *DBEditPc = nullptr;
    ui::TDBEditz *DBEditBai = nullptr;
    ui::TDBEditz *DBEditNai = nullptr;
    ui::TDBEditz *DBEditCui = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxIk = nullptr;
    ui::PickLabel *LabelD1 = nullptr;      // "splatnost"
    ui::TDBEditz *DBEditD1 = nullptr;
    ui::TDBText *DBTextA = nullptr;
    QLabel *LabelP = nullptr;              // "bance dodat o"
    ui::TDBEditz *DBEditP = nullptr;
    ui::TDBText *DBTextPt = nullptr;
    ui::PickLabel *LabelD3 = nullptr;      // "vystavení" (none in the periodic window)
    ui::TDBEditz *DBEditD3 = nullptr;
    ui::TDBText *DBTextA1 = nullptr;
    // Amount and variable symbol.
    QGroupBox *GroupBoxCa = nullptr;
    ui::TDBEditz *DBEditCa = nullptr;
    ui::TDBText *DBTextMi = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxCab = nullptr;
    ui::TDBEditz *DBEditVs = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxVsb = nullptr;
    // Group "PLATIT  NA ÚČET".
    QGroupBox *GroupBoxNa = nullptr;
    ui::TDBEditz *DBEditNa = nullptr;
    ui::TDBEditz *DBEditBa = nullptr;
    ui::TDBEditz *DBEditCu = nullptr;
    ui::TDBEditz *DBEditKb = nullptr;
    ui::TDBEditz *DBEditKs = nullptr;
    ui::TDBEditz *DBEditSs = nullptr;
    QLabel *LabelUpp = nullptr;
    ui::TDBEditz *DBEditUpp = nullptr;
    // Periodic payment and deletion after printing.
    ui::TDBEditz *DBEditSpl = nullptr;
    ui::TDBEditz *DBEditVm = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxO4 = nullptr;
    // Bottom row.
    ui::TDBNavigator *DBNavigator = nullptr;
    QToolButton *DuplButton = nullptr;     // none in the periodic window
    ui::TDBCheckBoxz *DBCheckBoxPre = nullptr;
    QPushButton *TiskButton = nullptr;
    QPushButton *DateButton = nullptr;     // none in the periodic window
    QPushButton *ZavritButton = nullptr;

    // Takes the current row's Pc text, D1 and P text again (after moves, searches, ...).
    void rememberValues();
    ui::OwnAccountPick *ownAccountPick() const { return m_pick; }
    // The D1 picker (Shift+F7 in D1, a click on "splatnost").
    void pickDueDate();
    // Stores the value of the edit that has the focus and runs its leave check (the account
    // pick for Pc, the recompute for D1 and P); false when the value was refused.
    bool settleFocusedEdit();

public Q_SLOTS:
    void done(int result) override;

protected:
    PaymentEntryForm(data::TDM1 &dm, Kind kind, QWidget *parent);
    // The window's own closing steps, after the unsaved-changes question allowed it.
    virtual void closing(bool accepted) = 0;
    // Whether the periodic window shows rows (the payment window: always true).
    bool rowsShown() const;
    // Whether a new due date recomputes the handover date.
    bool recomputeOnDueDate() const;
    // The window's own keys (tried before the table keys).
    virtual bool windowKey(QKeyEvent &e);
    // F3.
    virtual void search() = 0;
    // Runs a change; a refusal is shown and gives false.
    bool guarded(const std::function<void()> &change);
    // The record counter of Mbz in the status bar.
    void showCounter();

    data::TDM1 &m_dm;
    Kind m_kind;

private:
    void build();
    void dueDateLeft();
    void daysLeft();
    bool settle(bool openList);

    ui::OwnAccountPick *m_pick = nullptr;
    ui::TableKeys *m_keys = nullptr;
    QVariant m_rememberedD1;
    QString m_rememberedP;
    bool m_closing = false;
};

} // namespace orders
