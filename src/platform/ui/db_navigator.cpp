#include "db_navigator.h"

#include "entry_controls.h"
#include "msg.h"

#include "platform/db/dataset.h"
#include "platform/db/errors.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace ui {

namespace {

const char *const kGlyphs[] = {"|◀", "◀", "▶", "▶|", "+", "−", "▲", "✓", "✕"};

QString defaultHint(TDBNavigator::Button b)
{
    switch (b) {
    case TDBNavigator::First: return QStringLiteral("První záznam (Ctrl+Home)");
    case TDBNavigator::Prior: return QStringLiteral("Předchozí záznam (PgUp)");
    case TDBNavigator::Next: return QStringLiteral("Další záznam (PgDn)");
    case TDBNavigator::Last: return QStringLiteral("Poslední záznam (Ctrl+End)");
    case TDBNavigator::Insert: return QStringLiteral("Vložit záznam (Insert nebo F2)");
    case TDBNavigator::Delete: return QStringLiteral("Smazat záznam (Ctrl+Del nebo Ctrl+Y)");
    case TDBNavigator::Edit: return QStringLiteral("Opravit záznam (F4)");
    case TDBNavigator::Post: return QStringLiteral("Uložit záznam (F9)");
    case TDBNavigator::Cancel: return QStringLiteral("Stornovat změny (Esc)");
    }
    return {};
}

constexpr int kButtonCount = 9;

} // namespace

TDBNavigator::TDBNavigator(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < kButtonCount; ++i) {
        auto *b = new QToolButton(this);
        const auto which = Button(i);
        b->setText(QString::fromUtf8(kGlyphs[i]));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(false);
        b->setMinimumWidth(26);
        b->setToolTip(defaultHint(which));
        b->setStatusTip(defaultHint(which));
        connect(b, &QToolButton::clicked, this, [this, which]() { doAction(which); });
        layout->addWidget(b);
        m_buttons.push_back(b);
    }
    updateButtons();
}

TDBNavigator::~TDBNavigator() { setDataSource(nullptr); }

void TDBNavigator::setDataSource(db::DataSource *source)
{
    if (m_source) {
        m_source->dataChanged.disconnect(m_dataConn);
        m_source->stateChanged.disconnect(m_stateConn);
    }
    m_source = source;
    connectSource();
    updateButtons();
}

void TDBNavigator::connectSource()
{
    if (!m_source) return;
    m_dataConn = m_source->dataChanged.connect([this]() { updateButtons(); });
    m_stateConn = m_source->stateChanged.connect([this]() { updateButtons(); });
}

db::Dataset *TDBNavigator::dataset() const { return m_source ? m_source->dataset() : nullptr; }

void TDBNavigator::setVisibleButtons(const std::vector<Button> &buttons)
{
    for (int i = 0; i < kButtonCount; ++i) {
        bool on = false;
        for (Button b : buttons) on = on || b == Button(i);
        m_buttons[size_t(i)]->setVisible(on);
    }
}

bool TDBNavigator::isButtonVisible(Button b) const { return !m_buttons[size_t(b)]->isHidden(); }

void TDBNavigator::setHint(Button b, const QString &hint)
{
    m_buttons[size_t(b)]->setToolTip(hint);
    m_buttons[size_t(b)]->setStatusTip(hint);
}

QString TDBNavigator::hint(Button b) const { return m_buttons[size_t(b)]->toolTip(); }

void TDBNavigator::updateButtons()
{
    db::Dataset *ds = dataset();
    const bool active = ds && ds->active() && m_source->enabled();
    const bool editing = active && ds->isEditing();
    const bool rows = active && ds->recordCount() > 0;
    const int rec = active ? ds->recNo() : 0;
    const bool atStart = !rows || (rec <= 1 && !editing);
    const bool atEnd = !rows || (rec >= ds->recordCount() && !editing);
    const bool canModify = active && !ds->readOnly();
    auto set = [this](Button b, bool on) { m_buttons[size_t(b)]->setEnabled(on); };
    set(First, active && !atStart);
    set(Prior, active && !atStart);
    set(Next, active && !atEnd);
    set(Last, active && !atEnd);
    set(Insert, canModify);
    set(Delete, canModify && (rows || editing));
    set(Edit, canModify && rows && !editing);
    set(Post, editing);
    set(Cancel, editing);
}

bool TDBNavigator::doAction(Button b)
{
    db::Dataset *ds = dataset();
    if (!ds || !ds->active()) return false;
    if (beforeAction && !beforeAction(b)) return false;
    // What the user typed in the window's controls belongs to the record before any action;
    // cancel drops it.
    if (b != Cancel && !storePendingEdits(window())) return false;
    if (b == Cancel) {
        for (TDBEditz *e : window()->findChildren<TDBEditz *>())
            if (e->dataset() == ds) e->reset();
    }
    if (b == Delete && m_confirmDelete && !ds->isEditing() && !Msg::confirm(QStringLiteral("Smazat záznam?"), window()))
        return false;
    try {
        switch (b) {
        case First: ds->first(); break;
        case Prior: ds->prior(); break;
        case Next: ds->next(); break;
        case Last: ds->last(); break;
        case Insert: ds->insert(); break;
        case Delete: ds->deleteRecord(); break;
        case Edit: ds->edit(); break;
        case Post: ds->post(); break;
        case Cancel: ds->cancel(); break;
        }
    } catch (const db::DbError &e) {
        Msg::error(e.message(), window());
        updateButtons();
        return false;
    } catch (const db::Abort &) {
        updateButtons();
        return false;
    }
    updateButtons();
    Q_EMIT clicked(b);
    return true;
}

} // namespace ui
