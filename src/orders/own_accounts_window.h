#pragma once

#include "platform/ui/window_registration.h"

#include <QDialog>
#include <memory>

class QPushButton;
class QLabel;

namespace data {
class TDM1;
}

namespace ui {
class RuleFocus;
class TableKeys;
class TDBEditz;
class TDBGrid;
class TDBNavigator;
class TDBText;
class TEditz;
class WindowPlace;
} // namespace ui

namespace orders {

// Own accounts window ("Údaje pro platby z účtu"): the editor of the company's own bank
// accounts, and in pick mode the list from which a window chooses one.
class TEbzpForm : public QDialog {
    Q_OBJECT
public:
    TEbzpForm(data::TDM1 &dm, bool pickMode, QWidget *parent = nullptr);
    ~TEbzpForm() override;

    bool pickMode() const { return m_pickMode; }

    ui::TDBEditz *DBEditPc = nullptr;
    ui::TDBEditz *DBEditBa = nullptr;
    ui::TDBEditz *DBEditKti = nullptr;
    ui::TDBEditz *DBEditNa = nullptr;
    ui::TDBEditz *DBEditM = nullptr;
    ui::TDBEditz *DBEditCu = nullptr;
    ui::TDBEditz *DBEditKb = nullptr;
    ui::TDBEditz *DBEditP = nullptr;
    ui::TDBText *DBTextPt = nullptr;
    ui::TDBEditz *DBEditV = nullptr;
    ui::TDBGrid *DBGridMbzp = nullptr;
    ui::TDBNavigator *DBNavigator = nullptr;
    QPushButton *PrenestButton = nullptr;
    QPushButton *ZavritButton = nullptr;

    // F3: the number search.
    void search();

public Q_SLOTS:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *e) override;

private:
    bool lastEditKey(QKeyEvent &e);
    data::TDM1 &m_dm;
    bool m_pickMode;
    bool m_closing = false;
    ui::WindowRegistration m_registration{data::WindowId::OwnAccounts};
    std::unique_ptr<ui::RuleFocus> m_focus;
    ui::TableKeys *m_keys = nullptr;
    ui::WindowPlace *m_place = nullptr;
};

// Own account choice ("Údaje pro platby z účtu"): a compact list of the own accounts with a
// search by number, used by the print centre.
class TEbzp1Form : public QDialog {
    Q_OBJECT
public:
    explicit TEbzp1Form(data::TDM1 &dm, QWidget *parent = nullptr);
    ~TEbzp1Form() override;

    ui::TDBGrid *DBGrid1 = nullptr;
    QLabel *Label1 = nullptr;
    ui::TEditz *EditPc = nullptr;
    QPushButton *PrenestButton = nullptr;

public Q_SLOTS:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *e) override;

private:
    bool previewKey(QKeyEvent &e);
    data::TDM1 &m_dm;
    ui::WindowPlace *m_place = nullptr;
};

// Own account search ("Vyhledávání"): every change of the typed number moves Mbzp to the
// nearest account.
class TFind1Form : public QDialog {
    Q_OBJECT
public:
    explicit TFind1Form(data::TDM1 &dm, QWidget *parent = nullptr);

    ui::TEditz *FindEdit = nullptr;
    QPushButton *ZavritButton = nullptr;

private:
    data::TDM1 &m_dm;
};

// "Platby z účtu" (Platbyztu1Click): the own accounts editor over the first account.
void Platbyztu1Click(data::TDM1 &dm, QWidget *parent = nullptr);

// The own-account lists a window opens to pick an account (see ui::OwnAccountVariant::list):
// the editor in pick mode, and the compact choice of the print centre. True on OK, with
// Mbzp on the chosen account.
bool pickOwnAccount(data::TDM1 &dm, QWidget *parent);
bool pickOwnAccountCompact(data::TDM1 &dm, QWidget *parent);

} // namespace orders
