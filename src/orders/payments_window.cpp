#include "payments_window.h"

#include "date_choice_window.h"
#include "payments.h"

#include "data/data_module.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/db/errors.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/entry_controls.h"
#include "platform/ui/msg.h"
#include "platform/ui/rule_focus.h"
#include "platform/ui/window_place.h"
#include "platform/ui/window_tools.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace orders {

namespace {

constexpr int kHelpPayments = 18;
const QString kSearchOrderKey = QStringLiteral("Vyhledavani2Podle");

std::function<void(int, QWidget *)> &printCentreOpener()
{
    static std::function<void(int, QWidget *)> open;
    return open;
}

std::function<void(QWidget *)> &periodicOverview()
{
    static std::function<void(QWidget *)> show;
    return show;
}

} // namespace

// --- links and settings ----------------------------------------------------------------------

void setPrintCentreOpener(std::function<void(int, QWidget *)> open) { printCentreOpener() = std::move(open); }

void openPrintCentre(int pageChoice, QWidget *parent)
{
    if (printCentreOpener()) printCentreOpener()(pageChoice, parent);
}

void setPeriodicOverview(std::function<void(QWidget *)> show) { periodicOverview() = std::move(show); }

int storedSearchOrder()
{
    if (ui::dataSetIni().isEmpty()) return 0;
    ini::IniFile f(ui::dataSetIni());
    f.load();
    return f.integer(ui::dataSetSection(), kSearchOrderKey, 0) == 1 ? 1 : 0;
}

void storeSearchOrder(int order)
{
    if (ui::dataSetIni().isEmpty()) return;
    ini::IniFile f(ui::dataSetIni());
    if (!f.load()) return;
    f.setInteger(ui::dataSetSection(), kSearchOrderKey, order);
    f.save();
}

// --- TEbz2Form -------------------------------------------------------------------------------

TEbz2Form::TEbz2Form(data::TDM1 &dm, QWidget *parent) : PaymentEntryForm(dm, Kind::Payments, parent)
{
    setObjectName(QStringLiteral("Ebz2Form"));
    setWindowTitle(QStringLiteral("Platby na účty"));
    ui::setHint(this, QStringLiteral("F3 - vyhledávání podle názvu, čísla účtu"));
    ui::setHelpContext(this, kHelpPayments);
    connect(DuplButton, &QToolButton::clicked, this, [this]() { duplicate(); });
    connect(DateButton, &QPushButton::clicked, this, [this]() { chooseDates(); });
    m_focus = std::make_unique<ui::RuleFocus>(this, data::WindowId::Payments);
    m_place = new ui::WindowPlace(this, QStringLiteral("PlatbyNaUcty"), QPoint(30, 18), QPoint(110, 98));
    m_place->setSaveOnlyWhenNormal(true);
}

TEbz2Form::~TEbz2Form() = default;

bool TEbz2Form::windowKey(QKeyEvent &e)
{
    if (e.key() == Qt::Key_D && ui::keyModifiers(e) == Qt::ControlModifier) {
        duplicate();
        return true;
    }
    return false;
}

void TEbz2Form::duplicate()
{
    if (!ui::Msg::confirm(QStringLiteral("Duplikovat tento záznam ?"), this)) return;
    if (!settleFocusedEdit() || !ui::storePendingEdits(this)) return;
    guarded([this]() { Duplikace(m_dm); });
    rememberValues();
}

void TEbz2Form::chooseDates()
{
    if (!settleFocusedEdit()) return;
    if (chooseRunDates(m_dm, this)) guarded([this]() { takeChosenDates(m_dm); });
    rememberValues();
}

void TEbz2Form::applySearchOrder(int order)
{
    guarded([this, order]() { setPaymentOrder(m_dm, order); });
    setWindowTitle(paymentsTitle(order));
}

void TEbz2Form::search()
{
    {
        TFind2Form find(m_dm, this);
        find.exec();
    }
    applySearchOrder(storedSearchOrder());
    rememberValues();
}

void TEbz2Form::showEvent(QShowEvent *e)
{
    PaymentEntryForm::showEvent(e);
    if (m_activated) return;
    m_activated = true;
    showCounter();
    PaymentReturn &back = paymentReturn();
    // A payment to return to stays current when the stored order switches the index.
    const bool returning = !back.firstRowRequest && m_dm.Mbz.active() && !m_dm.Mbz.isEmpty();
    const qint64 row = returning ? m_dm.Mbz.rowId() : 0;
    applySearchOrder(storedSearchOrder());
    if (returning) guarded([this, row]() { m_dm.Mbz.gotoRowId(row); });
    if (back.firstRowRequest) {
        guarded([this]() { m_dm.Mbz.first(); });
        back.firstRowRequest = false;
    }
    rememberValues();
}

void TEbz2Form::closing(bool accepted)
{
    data::program().status(1, QString());
    if (m_dm.Modf.active() && m_dm.Modf.isEditing()) guarded([this]() { m_dm.Modf.post(); });
    guarded([this, accepted]() { carryIntoPrintRun(m_dm, accepted); });
    rememberPayment(m_dm, accepted);
    guarded([this]() { reopenPayments(m_dm); });
}

// --- TFind2Form ------------------------------------------------------------------------------

TFind2Form::TFind2Form(data::TDM1 &dm, TEbz2Form *payments) : QDialog(payments), m_dm(dm), m_payments(payments)
{
    setObjectName(QStringLiteral("Find2Form"));
    setWindowTitle(QStringLiteral("Vyhledávání podle"));
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::MSWindowsFixedSizeDialogHint);
    auto *group = new QGroupBox(this);
    RadioNa = new QRadioButton(QStringLiteral("Názvu"), group);
    RadioNa->setObjectName(QStringLiteral("RadioNa"));
    RadioCu = new QRadioButton(QStringLiteral("Čísla účtu"), group);
    RadioCu->setObjectName(QStringLiteral("RadioCu"));
    auto *radios = new QHBoxLayout(group);
    radios->addWidget(RadioNa);
    radios->addWidget(RadioCu);
    (storedSearchOrder() == 1 ? RadioCu : RadioNa)->setChecked(true);
    connect(RadioNa, &QRadioButton::toggled, this, [this](bool on) {
        if (on) orderChosen(0);
    });
    connect(RadioCu, &QRadioButton::toggled, this, [this](bool on) {
        if (on) orderChosen(1);
    });

    FindEdit = new ui::TEditz(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindEdit->setMaxLength(49);
    FindEdit->setEnterTab(false);
    FindEdit->setMinimumWidth(FindEdit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 25);
    ui::setHint(FindEdit, QStringLiteral("Napište název nebo číslo účtu, který hledáte"));
    connect(FindEdit, &QLineEdit::textChanged, this, [this](const QString &text) {
        findPayment(m_dm, text);
        if (m_payments) m_payments->rememberValues();
    });
    ZavritButton = new QPushButton(QStringLiteral("&Zavřít"), this);
    ZavritButton->setObjectName(QStringLiteral("ZavritButton"));
    ZavritButton->setDefault(true);
    connect(ZavritButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(FindEdit);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ZavritButton);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    new ui::WindowPlace(this, QStringLiteral("Vyhledavani2"), QPoint(0, 0));
    FindEdit->setFocus(Qt::OtherFocusReason);
}

void TFind2Form::orderChosen(int order)
{
    storeSearchOrder(order);
    if (m_payments) {
        m_payments->applySearchOrder(order);
        m_payments->rememberValues();
    }
}

// --- commands --------------------------------------------------------------------------------

void Platby1(data::TDM1 &dm, bool returnToRemembered, QWidget *parent)
{
    PaymentReturn &back = paymentReturn();
    back.firstRowRequest = true;
    try {
        dm.Mbz.cancelRange();
        dm.Mbz.refresh();
        dm.Mbz.first();
        if (returnToRemembered && back.id != 0 && dm.Mbz.locate(QStringLiteral("ID"), back.id)) back.firstRowRequest = false;
    } catch (const db::DbError &e) {
        ui::Msg::error(e.message(), parent);
        return;
    }
    if (dm.Modf.active() && dm.ModfZpp->asBoolean() && periodicOverview()) periodicOverview()(parent);
    bool accepted = false;
    {
        TEbz2Form form(dm, parent);
        accepted = form.exec() == QDialog::Accepted;
    }
    if (accepted) openPrintCentre(2, parent);
}

void Platbynaty1Click(data::TDM1 &dm, QWidget *parent) { Platby1(dm, false, parent); }

} // namespace orders
