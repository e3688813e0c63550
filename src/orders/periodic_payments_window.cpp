#include "periodic_payments_window.h"

#include "payments.h"
#include "payments_window.h"

#include "data/data_module.h"
#include "data/program_state.h"
#include "platform/db/errors.h"
#include "platform/ui/entry_controls.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_place.h"
#include "platform/ui/window_tools.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace orders {

namespace {

constexpr int kHelpPeriodic = 24;

} // namespace

// --- TEbz2splForm ----------------------------------------------------------------------------

TEbz2splForm::TEbz2splForm(data::TDM1 &dm, QWidget *parent) : PaymentEntryForm(dm, Kind::Periodic, parent)
{
    setObjectName(QStringLiteral("Ebz2splForm"));
    setWindowTitle(QStringLiteral("Periodické platby bez datumu splatnosti"));
    ui::setHint(this, QStringLiteral("F3 - vyhledávání podle periodické platby"));
    ui::setHelpContext(this, kHelpPeriodic);
    m_place = new ui::WindowPlace(this, QStringLiteral("PeriodickePlatby"), QPoint(30, 18), QPoint(110, 98));
}

TEbz2splForm::~TEbz2splForm() = default;

void TEbz2splForm::search()
{
    TFind4Form find(m_dm, this);
    find.exec();
    rememberValues();
}

void TEbz2splForm::showEvent(QShowEvent *e)
{
    PaymentEntryForm::showEvent(e);
    showCounter();
}

void TEbz2splForm::closing(bool accepted)
{
    if (m_dm.Modf.active() && m_dm.Modf.isEditing()) guarded([this]() { m_dm.Modf.post(); });
    guarded([this, accepted]() { carryIntoPrintRun(m_dm, accepted); });
    rememberPayment(m_dm, accepted);
    guarded([this]() { closePeriodicTables(m_dm); });
}

// --- TFind4Form ------------------------------------------------------------------------------

TFind4Form::TFind4Form(data::TDM1 &dm, TEbz2splForm *periodic) : QDialog(periodic), m_dm(dm), m_periodic(periodic)
{
    setObjectName(QStringLiteral("Find4Form"));
    setWindowTitle(QStringLiteral("Vyhledávání podle periodické platby"));
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::MSWindowsFixedSizeDialogHint);
    FindEdit = new ui::TEditz(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindEdit->setMaxLength(4);
    FindEdit->setEnterTab(false);
    ui::setHint(FindEdit, QStringLiteral("Napište periodickou platbu, kterou hledáte"));
    connect(FindEdit, &QLineEdit::textChanged, this, [this](const QString &text) {
        findPeriodic(m_dm, text);
        if (m_periodic) m_periodic->rememberValues();
    });
    ZavritButton = new QPushButton(QStringLiteral("&Zavřít"), this);
    ZavritButton->setObjectName(QStringLiteral("ZavritButton"));
    ZavritButton->setDefault(true);
    connect(ZavritButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(FindEdit);
    layout->addWidget(ZavritButton);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    new ui::WindowPlace(this, QStringLiteral("Vyhledavani4"), QPoint(0, 0));
    FindEdit->setFocus(Qt::OtherFocusReason);
}

// --- command ---------------------------------------------------------------------------------

void Periodickplatbybezdatumusplatnosti1Click(data::TDM1 &dm, QWidget *parent)
{
    try {
        openPeriodicRange(dm);
    } catch (const db::DbError &e) {
        ui::Msg::error(e.message(), parent);
        return;
    }
    bool accepted = false;
    {
        TEbz2splForm form(dm, parent);
        accepted = form.exec() == QDialog::Accepted;
    }
    if (accepted) openPrintCentre(2, parent);
    try {
        dm.Mbz.cancelRange();
    } catch (const db::DbError &) {
    }
    if (data::StatusSink *sink = data::program().statusSink()) {
        sink->setPanelText(1, QString());
        sink->setPanelText(2, QString());
    }
}

} // namespace orders
