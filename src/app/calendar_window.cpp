#include "calendar_window.h"

#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/db/dataset.h"
#include "platform/db/errors.h"
#include "platform/db/field.h"
#include "platform/ui/entry_controls.h"
#include "platform/ui/msg.h"
#include "platform/ui/pick_label.h"
#include "platform/ui/window_place.h"
#include "platform/ui/window_tools.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {
QPointer<TEvzhDtForm> &picker()
{
    static QPointer<TEvzhDtForm> p;
    return p;
}
} // namespace

TEvzhDtForm::TEvzhDtForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("EvzhDtForm"));
    setWindowTitle(QStringLiteral("Kalendář"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto makeButton = [this](const char *name, const QString &caption, const QString &hint) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        ui::setHint(b, hint);
        return b;
    };
    PrevYear = makeButton("PrevYear", QStringLiteral("< rok"), QStringLiteral("Předchozí rok v kalendáři (Ctrl+PgUp)"));
    PrevMonth = makeButton("PrevMonth", QStringLiteral("< měsíc"), QStringLiteral("Předchozí měsíc v kalendáři (PgUp)"));
    NextMonth = makeButton("NextMonth", QStringLiteral("měsíc >"), QStringLiteral("Další měsíc v kalendáři (PgDn)"));
    NextYear = makeButton("NextYear", QStringLiteral("rok >"), QStringLiteral("Další rok v kalendáři (Ctrl+PgDn)"));
    connect(PrevYear, &QPushButton::clicked, this, [this]() { moveMonths(-12); });
    connect(PrevMonth, &QPushButton::clicked, this, [this]() { moveMonths(-1); });
    connect(NextMonth, &QPushButton::clicked, this, [this]() { moveMonths(1); });
    connect(NextYear, &QPushButton::clicked, this, [this]() { moveMonths(12); });

    Calendar = new QCalendarWidget(this);
    Calendar->setObjectName(QStringLiteral("Calendar"));
    Calendar->setFirstDayOfWeek(Qt::Monday);
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    Calendar->setNavigationBarVisible(false);
    Calendar->setGridVisible(true);
    Calendar->setSelectedDate(data::program().today());
    connect(Calendar, &QCalendarWidget::selectionChanged, this, [this]() { showDate(); });
    connect(Calendar, &QCalendarWidget::activated, this, [this](const QDate &) { accept(); });

    Label3 = new QLabel(QStringLiteral("datum kalendáře:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    LabelDate = new QLabel(this);
    LabelDate->setObjectName(QStringLiteral("LabelDate"));

    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("&Storno"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *nav = new QHBoxLayout;
    nav->addWidget(PrevYear);
    nav->addWidget(PrevMonth);
    nav->addWidget(NextMonth);
    nav->addWidget(NextYear);
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(Label3);
    dateRow->addWidget(LabelDate);
    dateRow->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nav);
    layout->addWidget(Calendar);
    layout->addLayout(dateRow);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_place = new ui::WindowPlace(this, QStringLiteral("Kalendar"), QPoint(148, 128), QPoint(228, 188),
                                  ui::WindowPlace::ReadWhen::Shown);
    m_keys = new ui::KeyPreview(this, [this](QKeyEvent &e) { return previewKey(e); });
    showDate();
}

TEvzhDtForm::~TEvzhDtForm() = default;

void TEvzhDtForm::setDate(const QDate &date)
{
    Calendar->setSelectedDate(date);
    Calendar->setCurrentPage(date.year(), date.month());
    showDate();
}

QDate TEvzhDtForm::date() const { return Calendar->selectedDate(); }

void TEvzhDtForm::moveMonths(int months) { setDate(date().addMonths(months)); }

void TEvzhDtForm::showDate() { LabelDate->setText(date().toString(QStringLiteral("dd.MM.yyyy"))); }

void TEvzhDtForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    Calendar->setFocus(Qt::OtherFocusReason);
    showDate();
}

bool TEvzhDtForm::previewKey(QKeyEvent &e)
{
    const Qt::KeyboardModifiers mods = ui::keyModifiers(e);
    switch (e.key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int sign = e.key() == Qt::Key_PageUp ? -1 : 1;
        if (mods == Qt::NoModifier) moveMonths(sign);
        else if (mods == Qt::ControlModifier) moveMonths(12 * sign);
        else return false; // other modifier states: the grid's own handling
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    default:
        return false;
    }
}

TEvzhDtForm &calendarPicker()
{
    if (!picker()) picker() = new TEvzhDtForm(nullptr);
    return *picker();
}

void createCalendarPicker(QWidget *parent)
{
    if (!picker()) picker() = new TEvzhDtForm(parent);
}

bool KDatum(db::Dataset &table, db::Field &field)
{
    TEvzhDtForm &p = calendarPicker();
    p.setDate(field.isNull() ? data::program().today() : field.asDate());
    if (p.exec() != QDialog::Accepted) return false;
    try {
        data::KDatum(table, field, p.date());
        return true;
    } catch (const db::DbError &e) {
        ui::Msg::error(e.message());
    } catch (const db::Abort &) {
    }
    return false;
}

void bindDatePick(ui::TDBEditz *edit, ui::PickLabel *label)
{
    QPointer<ui::TDBEditz> target(edit);
    const ui::PickAction pick = [target]() {
        if (!target) return;
        target->reset(); // the picked date replaces whatever was being typed
        if (db::Field *f = target->field()) KDatum(f->dataset(), *f);
    };
    edit->setPickAction(pick);
    if (label) label->setPickAction(pick);
}

} // namespace app
