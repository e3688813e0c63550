#pragma once

#include "payment_entry_window.h"

namespace ui {
class TEditz;
}

namespace orders {

// Periodic payments window ("Periodické platby bez datumu splatnosti"): the periodic payments
// waiting for their next due date; a payment given a date leaves the list when the window closes.
class TEbz2splForm : public PaymentEntryForm {
    Q_OBJECT
public:
    explicit TEbz2splForm(data::TDM1 &dm, QWidget *parent = nullptr);
    ~TEbz2splForm() override;

    // F3: the periodic search.
    void search() override;

protected:
    void showEvent(QShowEvent *e) override;
    void closing(bool accepted) override;

private:
    ui::WindowRegistration m_registration{data::WindowId::PeriodicPayments};
    ui::WindowPlace *m_place = nullptr;
};

// Periodic payment search ("Vyhledávání podle periodické platby"): every change of the typed
// day moves Mbz to the nearest periodic payment.
class TFind4Form : public QDialog {
    Q_OBJECT
public:
    TFind4Form(data::TDM1 &dm, TEbz2splForm *periodic);

    ui::TEditz *FindEdit = nullptr;
    QPushButton *ZavritButton = nullptr;

private:
    data::TDM1 &m_dm;
    TEbz2splForm *m_periodic;
};

// "Periodické platby bez datumu splatnosti" (Periodickplatbybezdatumusplatnosti1Click): the
// periodic list over the range on Ospl; after OK the print centre on its orders page.
void Periodickplatbybezdatumusplatnosti1Click(data::TDM1 &dm, QWidget *parent = nullptr);

} // namespace orders
