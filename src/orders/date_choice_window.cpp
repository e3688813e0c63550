#include "date_choice_window.h"

#include "payments.h"

#include "app/calendar_window.h"
#include "data/data_module.h"
#include "data/program_state.h"
#include "platform/db/errors.h"
#include "platform/ui/entry_controls.h"
#include "platform/ui/msg.h"
#include "platform/ui/pick_label.h"
#include "platform/ui/window_place.h"
#include "platform/ui/window_tools.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace orders {

namespace {

constexpr int kHelpDateChoice = 55;

bool guarded(QWidget *parent, const std::function<void()> &change)
{
    try {
        change();
        return true;
    } catch (const db::DbError &e) {
        ui::Msg::error(e.message(), parent);
    } catch (const db::Abort &) {
    }
    return false;
}

} // namespace

TEmoddfForm::TEmoddfForm(data::TDM1 &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("EmoddfForm"));
    setWindowTitle(QStringLiteral("Výběr datumu vystavení a splatnosti"));
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::MSWindowsFixedSizeDialogHint);
    ui::setHelpContext(this, kHelpDateChoice);

    auto *group = new QGroupBox(this);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    auto dateEdit = [&](const char *name, const char *field, const QString &hint) {
        auto *e = new ui::TDBEditz(&dm.ModfSource, QString::fromLatin1(field), group);
        e->setObjectName(QString::fromLatin1(name));
        e->setFixedWidth(digit * 10 + 12);
        ui::setHint(e, hint);
        return e;
    };
    auto weekday = [&](const char *name, const char *field) {
        auto *t = new ui::TDBText(&dm.ModfSource, QString::fromLatin1(field), group);
        t->setObjectName(QString::fromLatin1(name));
        t->setFixedWidth(digit * 8);
        return t;
    };
    LabelD1 = new ui::PickLabel(QStringLiteral("splatnost"), group);
    LabelD1->setObjectName(QStringLiteral("LabelD1"));
    DBEditD1 = dateEdit("DBEditD1", "D1", QStringLiteral("Datum splatnosti při souhrnných platbách (F1)"));
    DBTextA = weekday("DBTextA", "A");
    LabelD3 = new ui::PickLabel(QStringLiteral("vystavení"), group);
    LabelD3->setObjectName(QStringLiteral("LabelD3"));
    DBEditD3 = dateEdit("DBEditD3", "D3", QStringLiteral("Datum vystavení při souhrnných platbách (F1)"));
    DBTextB = weekday("DBTextB", "B");
    app::bindDatePick(DBEditD1, LabelD1);
    app::bindDatePick(DBEditD3, LabelD3);
    auto *row = new QHBoxLayout(group);
    for (QWidget *w : std::initializer_list<QWidget *>{LabelD1, DBEditD1, DBTextA, LabelD3, DBEditD3, DBTextB})
        row->addWidget(w);

    PrenestButton = new QPushButton(QStringLiteral("&Přenést"), this);
    PrenestButton->setObjectName(QStringLiteral("PrenestButton"));
    // Offered only to the payment window's "&Datumy".
    PrenestButton->setVisible(data::program().isOpen(data::WindowId::Payments));
    connect(PrenestButton, &QPushButton::clicked, this, &QDialog::accept);
    ZavritButton = new QPushButton(QStringLiteral("&Zavřít"), this);
    ZavritButton->setObjectName(QStringLiteral("ZavritButton"));
    connect(ZavritButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(PrenestButton);
    buttons->addWidget(ZavritButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(DBEditD1, DBEditD3);
    setTabOrder(DBEditD3, PrenestButton);
    setTabOrder(PrenestButton, ZavritButton);

    m_place = new ui::WindowPlace(this, QStringLiteral("VyberDatumu"), QPoint(130, 161), QPoint(210, 241));
    DBEditD1->setFocus(Qt::OtherFocusReason);
}

TEmoddfForm::~TEmoddfForm() = default;

void TEmoddfForm::done(int result)
{
    if (m_closing) return;
    // The dates are kept whichever button closes the window; a date the rules refuse keeps
    // the window open with its message, so nothing typed is lost without a word.
    if (!ui::storePendingEdits(this)) return;
    if (!guarded(this, [this]() { saveChosenDates(m_dm); })) return;
    m_closing = true;
    QDialog::done(result);
    m_closing = false;
}

bool chooseRunDates(data::TDM1 &dm, QWidget *parent)
{
    if (!guarded(parent, [&dm]() {
            dm.Modf.refresh();
            dm.Modf.edit();
        }))
        return false;
    TEmoddfForm form(dm, parent);
    return form.exec() == QDialog::Accepted;
}

void Vbrdatumuvystavenasplatnosti1Click(data::TDM1 &dm, QWidget *parent) { chooseRunDates(dm, parent); }

} // namespace orders
