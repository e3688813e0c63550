#pragma once

#include "platform/ui/window_registration.h"

#include <QDialog>

class QPushButton;

namespace data {
class TDM1;
}

namespace ui {
class PickLabel;
class TDBEditz;
class TDBText;
class WindowPlace;
} // namespace ui

namespace orders {

// Issue and due date choice ("Výběr datumu vystavení a splatnosti"): the one due date and one
// issue date that every new payment takes while the same dates are used for all payments.
// The dates are saved whichever button closes the window.
class TEmoddfForm : public QDialog {
    Q_OBJECT
public:
    explicit TEmoddfForm(data::TDM1 &dm, QWidget *parent = nullptr);
    ~TEmoddfForm() override;

    ui::PickLabel *LabelD1 = nullptr;   // "splatnost"
    ui::TDBEditz *DBEditD1 = nullptr;
    ui::TDBText *DBTextA = nullptr;
    ui::PickLabel *LabelD3 = nullptr;   // "vystavení"
    ui::TDBEditz *DBEditD3 = nullptr;
    ui::TDBText *DBTextB = nullptr;
    QPushButton *PrenestButton = nullptr;
    QPushButton *ZavritButton = nullptr;

public Q_SLOTS:
    void done(int result) override;

private:
    data::TDM1 &m_dm;
    ui::WindowRegistration m_registration{data::WindowId::DateChoice};
    ui::WindowPlace *m_place = nullptr;
    bool m_closing = false;
};

// "Výběr datumu vystavení a splatnosti" (Vbrdatumuvystavenasplatnosti1Click): Modf refreshed
// and put into edit, then the date choice.
void Vbrdatumuvystavenasplatnosti1Click(data::TDM1 &dm, QWidget *parent = nullptr);
// The same from "&Datumy" of the payment window; true when it closed with "&Přenést".
bool chooseRunDates(data::TDM1 &dm, QWidget *parent);

} // namespace orders
