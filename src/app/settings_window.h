#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;

namespace data {
class TDM1;
}

namespace ui {
class TDBCheckBoxz;
class TDBComboBoxz;
class TDBEditz;
class TDBText;
class WindowPlace;
} // namespace ui

namespace app {

// Program modification window ("Modifikace programu"): the settings of Modf and Mtt that
// adapt the program to the company's bank and habits. Closing it, by OK or by its close
// box, keeps every change; there is no cancel.
class TEmodfForm : public QDialog {
    Q_OBJECT
public:
    explicit TEmodfForm(data::TDM1 &dm, QWidget *parent = nullptr);
    ~TEmodfForm() override;

    // The controls, by the names of the window's layout.
    ui::TDBComboBoxz *DBComboBoxK = nullptr;
    ui::TDBText *DBTextPri = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxTd = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxVsd = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxIhn = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxDd = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxJu = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxBupp = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxZpp = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxTc = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxOdl = nullptr;
    ui::TDBEditz *DBEditUh = nullptr;
    ui::TDBEditz *DBEditIk = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxZa1 = nullptr;
    ui::TDBEditz *DBEditFa = nullptr;
    ui::TDBCheckBoxz *DBCheckBoxZak = nullptr;
    QPushButton *OKButton = nullptr;

public Q_SLOTS:
    void accept() override;  // "&OK": stores, posts; a refusal keeps the window open
    void reject() override;  // the close box (and Esc): keeps every change as well

private:
    bool finish();
    data::TDM1 &m_dm;
    std::unique_ptr<ui::WindowPlace> m_place;
};

// The main window's hook run after the settings window closed: its menu adaptation (TypDp1).
void setMenuAdaptationHook(std::function<void()> hook);

// "Modifikace programu" (Modifikaceprogramu1Click): opens the settings window over the open
// data set and applies the consequences afterwards: one-account operation, Mtt reopened,
// the caption (data::NazevDp1), the menu adaptation hook, the queue clean-up VymazatStyk,
// status panels 1 and 2 cleared.
void Modifikaceprogramu1Click(data::TDM1 &dm, QWidget *parent = nullptr);

} // namespace app
