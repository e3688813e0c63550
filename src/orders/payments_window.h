#pragma once

#include "payment_entry_window.h"

#include <functional>
#include <memory>

class QRadioButton;

namespace ui {
class TEditz;
}

namespace orders {

// Payments to accounts window ("Platby na účty"): the payees and the payments waiting to be
// printed, one row at a time, searched by name or by account number.
class TEbz2Form : public PaymentEntryForm {
    Q_OBJECT
public:
    explicit TEbz2Form(data::TDM1 &dm, QWidget *parent = nullptr);
    ~TEbz2Form() override;

    // Duplikace: asks "Duplikovat tento záznam ?" and on Yes duplicates the current row.
    void duplicate();
    // "&Datumy" (DateButtonClick): the date choice, and on OK its dates into the current row.
    void chooseDates();
    // The search order: Mbz's index (only when it changes, then the first row) and the title.
    void applySearchOrder(int order);
    // F3: the search dialog, then the stored search order once more.
    void search() override;

protected:
    void showEvent(QShowEvent *e) override;
    void closing(bool accepted) override;
    bool windowKey(QKeyEvent &e) override;

private:
    ui::WindowRegistration m_registration{data::WindowId::Payments};
    std::unique_ptr<ui::RuleFocus> m_focus;
    ui::WindowPlace *m_place = nullptr;
    bool m_activated = false;
};

// Payment search ("Vyhledávání podle"): the search order by name or by account number, and
// an edit whose every change moves Mbz to the nearest row.
class TFind2Form : public QDialog {
    Q_OBJECT
public:
    TFind2Form(data::TDM1 &dm, TEbz2Form *payments);

    QRadioButton *RadioNa = nullptr;   // "Názvu"
    QRadioButton *RadioCu = nullptr;   // "Čísla účtu"
    ui::TEditz *FindEdit = nullptr;
    QPushButton *ZavritButton = nullptr;

private:
    void orderChosen(int order);
    data::TDM1 &m_dm;
    TEbz2Form *m_payments;
};

// The search order stored in the data-set INI ("Vyhledavani2Podle", 0 by name, 1 by account).
int storedSearchOrder();
void storeSearchOrder(int order);

// Platby1: the payment window over Mbz without a range, on its first row or, when asked to
// return, on the payment remembered at its last closing with "&Tisk"; after OK the print
// centre on its orders page.
void Platby1(data::TDM1 &dm, bool returnToRemembered, QWidget *parent = nullptr);
// "Platby na účty" (Platbynaty1Click): Platby1 without a payment to return to.
void Platbynaty1Click(data::TDM1 &dm, QWidget *parent = nullptr);

// Links to windows made elsewhere. The print centre, given a page choice (2: its orders page),
// opened after a payment window closed with OK; the preview of the periodic overview shown
// before the payment window while the setting Zpp is on. Without them nothing opens.
void setPrintCentreOpener(std::function<void(int pageChoice, QWidget *parent)> open);
void openPrintCentre(int pageChoice, QWidget *parent);
void setPeriodicOverview(std::function<void(QWidget *parent)> show);

} // namespace orders
