#include "entry_controls.h"

#include "msg.h"
#include "window_tools.h"

#include "platform/db/dataset.h"
#include "platform/db/errors.h"
#include "platform/db/field.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace ui {

namespace {

bool isEnter(const QKeyEvent &k) { return k.key() == Qt::Key_Return || k.key() == Qt::Key_Enter; }

// Runs a change of the dataset the user asked for; a refusal is shown (an Abort silently).
bool guarded(QWidget *w, const std::function<void()> &change)
{
    try {
        change();
        return true;
    } catch (const db::DbError &e) {
        Msg::error(e.message(), w ? w->window() : nullptr);
    } catch (const db::Abort &) {
    }
    return false;
}

// The keys every entry control shares: Shift+F7 runs the pick action, Tab and Enter (as Tab)
// store the value first and stay when it is refused. True when the event was consumed.
bool entryKey(QWidget *w, QEvent *e, bool enterTab, const PickAction &pick,
              const std::function<bool()> &store, const std::function<void()> &dropPending)
{
    if (e->type() != QEvent::KeyPress) return false;
    auto *k = static_cast<QKeyEvent *>(e);
    const Qt::KeyboardModifiers mods = keyModifiers(*k);
    if (k->key() == Qt::Key_F7 && mods == Qt::ShiftModifier && pick) {
        if (dropPending) dropPending();
        pick();
        return true;
    }
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    if (isEnter(*k) && enterTab) {
        if (!store()) return true;
        const bool back = mods & Qt::ShiftModifier;
        QKeyEvent tab(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                      back ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::sendEvent(w, &tab);
        return true;
    }
    if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
        if (!store()) return true;
    }
    return false;
}

// A focus change that leaves the control for another control of the window (not another
// window becoming active, not a pop-up).
bool leavesControl(const QFocusEvent *e)
{
    return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
}

} // namespace

// --- FieldLink ------------------------------------------------------------------------------

FieldLink::~FieldLink() { disconnectSource(); }

void FieldLink::bind(db::DataSource *source, const QString &fieldName)
{
    if (source != m_source) {
        disconnectSource();
        m_source = source;
        connectSource();
    }
    m_fieldName = fieldName;
    if (onChange) onChange();
}

void FieldLink::connectSource()
{
    if (!m_source) return;
    m_dataConn = m_source->dataChanged.connect([this]() {
        if (onChange) onChange();
    });
    m_stateConn = m_source->stateChanged.connect([this]() {
        if (onChange) onChange();
    });
}

void FieldLink::disconnectSource()
{
    if (!m_source) return;
    m_source->dataChanged.disconnect(m_dataConn);
    m_source->stateChanged.disconnect(m_stateConn);
    m_dataConn = m_stateConn = 0;
}

db::Dataset *FieldLink::dataset() const { return m_source ? m_source->dataset() : nullptr; }

db::Field *FieldLink::field() const
{
    db::Dataset *ds = dataset();
    if (!ds || !m_source->enabled() || !ds->active() || m_fieldName.isEmpty()) return nullptr;
    return ds->findField(m_fieldName);
}

bool FieldLink::canModify() const
{
    db::Field *f = field();
    return f && f->isStored() && !f->dataset().readOnly();
}

// --- storePendingEdits ----------------------------------------------------------------------

bool storePendingEdits(QWidget *root)
{
    if (!root) return true;
    auto tryStore = [](auto *control) {
        if (!control->hasPendingValue() || control->storeValue()) return true;
        control->setFocus(Qt::OtherFocusReason);
        return false;
    };
    QList<TDBEditz *> edits = root->findChildren<TDBEditz *>();
    if (auto *self = qobject_cast<TDBEditz *>(root)) edits.prepend(self);
    // The focused control first: its value is the one being typed.
    if (auto *focused = qobject_cast<TDBEditz *>(QApplication::focusWidget()); focused && edits.contains(focused)) {
        edits.removeAll(focused);
        edits.prepend(focused);
    }
    for (TDBEditz *e : edits)
        if (!tryStore(e)) {
            e->selectAll();
            return false;
        }
    QList<TDBComboBoxz *> combos = root->findChildren<TDBComboBoxz *>();
    if (auto *self = qobject_cast<TDBComboBoxz *>(root)) combos.prepend(self);
    for (TDBComboBoxz *c : combos)
        if (!tryStore(c)) return false;
    return true;
}

// --- TDBEditz -------------------------------------------------------------------------------

TDBEditz::TDBEditz(QWidget *parent) : QLineEdit(parent)
{
    m_link.onChange = [this]() {
        if (m_pending) {
            db::Dataset *ds = dataset();
            // The user's text stays while the record it was typed for is being edited.
            if (field() && ds->isEditing() && ds->rowId() == m_pendingRow) return;
        }
        load();
    };
    connect(this, &QLineEdit::textEdited, this, [this]() { userEdited(); });
}

TDBEditz::TDBEditz(db::DataSource *source, const QString &fieldName, QWidget *parent) : TDBEditz(parent)
{
    setBinding(source, fieldName);
}

void TDBEditz::setBinding(db::DataSource *source, const QString &fieldName)
{
    m_pending = false;
    m_link.bind(source, fieldName);
}

void TDBEditz::load()
{
    m_loading = true;
    db::Field *f = field();
    if (f && f->dataType() == db::FieldType::Text) setMaxLength(f->size());
    else setMaxLength(32767);
    const QString shown = !f ? QString() : (hasFocus() ? f->text() : f->displayText());
    if (shown != text()) setText(shown);
    setModified(false);
    m_pending = false;
    m_loading = false;
}

void TDBEditz::reset()
{
    m_pending = false;
    load();
}

void TDBEditz::userEdited()
{
    if (m_loading) return;
    db::Field *f = field();
    if (!f || !m_link.canModify()) {
        load();
        return;
    }
    db::Dataset &ds = f->dataset();
    m_pendingRow = ds.rowId();
    const bool wasPending = m_pending;
    m_pending = true;
    if (!ds.isEditing()) {
        const QString typed = text();
        const int cursor = cursorPosition();
        if (!guarded(this, [&ds]() { ds.edit(); })) {
            m_pending = wasPending;
            load();
            return;
        }
        // Entering edit state may re-read the record; the typed text stays.
        m_pendingRow = ds.rowId();
        if (text() != typed) {
            m_loading = true;
            setText(typed);
            setCursorPosition(cursor);
            m_loading = false;
        }
    }
}

bool TDBEditz::storeValue()
{
    if (!m_pending) return true;
    db::Field *f = field();
    if (!f) {
        m_pending = false;
        return true;
    }
    const QString typed = text();
    const bool ok = guarded(this, [f, &typed]() {
        db::Dataset &ds = f->dataset();
        if (!ds.isEditing()) ds.edit();
        f->setText(typed);
    });
    if (!ok) return false;
    m_pending = false;
    load();
    return true;
}

bool TDBEditz::event(QEvent *e)
{
    if (entryKey(this, e, m_enterTab, m_pick, [this]() {
            if (storeValue()) return true;
            selectAll();
            return false;
        }, [this]() { reset(); }))
        return true;
    return QLineEdit::event(e);
}

void TDBEditz::focusInEvent(QFocusEvent *e)
{
    if (!m_pending) load();
    QLineEdit::focusInEvent(e);
    if (leavesControl(e)) Q_EMIT entered();
}

void TDBEditz::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    if (!leavesControl(e)) return;
    if (!storeValue()) {
        // The value was refused: back into the control with the typed text.
        QTimer::singleShot(0, this, [this]() {
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
        return;
    }
    if (!m_pending) load();
    Q_EMIT exited();
}

// --- TDBCheckBoxz ---------------------------------------------------------------------------

TDBCheckBoxz::TDBCheckBoxz(QWidget *parent) : QCheckBox(parent)
{
    m_link.onChange = [this]() { load(); };
}

TDBCheckBoxz::TDBCheckBoxz(db::DataSource *source, const QString &fieldName, QWidget *parent) : TDBCheckBoxz(parent)
{
    setBinding(source, fieldName);
}

void TDBCheckBoxz::setBinding(db::DataSource *source, const QString &fieldName) { m_link.bind(source, fieldName); }

void TDBCheckBoxz::setStateCaptions(const QString &checked, const QString &unchecked)
{
    m_checkedCaption = checked;
    m_uncheckedCaption = unchecked;
    m_hasCaptions = true;
    updateCaption();
}

void TDBCheckBoxz::updateCaption()
{
    if (m_hasCaptions) setText(isChecked() ? m_checkedCaption : m_uncheckedCaption);
}

void TDBCheckBoxz::load()
{
    db::Field *f = field();
    const bool on = f && f->asBoolean();
    if (on != isChecked()) {
        const bool blocked = blockSignals(true);
        setChecked(on);
        blockSignals(blocked);
    }
    updateCaption();
}

void TDBCheckBoxz::nextCheckState()
{
    db::Field *f = field();
    if (!f || !m_link.canModify()) return;
    const bool on = !f->asBoolean();
    guarded(this, [f, on]() {
        db::Dataset &ds = f->dataset();
        if (!ds.isEditing()) ds.edit();
        f->setAsBoolean(on);
    });
    load();
}

bool TDBCheckBoxz::event(QEvent *e)
{
    if (entryKey(this, e, m_enterTab, m_pick, []() { return true; }, {})) return true;
    return QCheckBox::event(e);
}

void TDBCheckBoxz::focusInEvent(QFocusEvent *e)
{
    QCheckBox::focusInEvent(e);
    if (leavesControl(e)) Q_EMIT entered();
}

void TDBCheckBoxz::focusOutEvent(QFocusEvent *e)
{
    QCheckBox::focusOutEvent(e);
    if (leavesControl(e)) Q_EMIT exited();
}

// --- TDBComboBoxz ---------------------------------------------------------------------------

TDBComboBoxz::TDBComboBoxz(QWidget *parent) : QComboBox(parent)
{
    m_link.onChange = [this]() {
        if (m_pending && field() && dataset()->isEditing()) return;
        load();
    };
    connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int index) { chosen(index); });
}

TDBComboBoxz::TDBComboBoxz(db::DataSource *source, const QString &fieldName, QWidget *parent) : TDBComboBoxz(parent)
{
    setBinding(source, fieldName);
}

void TDBComboBoxz::setBinding(db::DataSource *source, const QString &fieldName)
{
    m_pending = false;
    m_link.bind(source, fieldName);
}

void TDBComboBoxz::load()
{
    m_loading = true;
    db::Field *f = field();
    const QString value = f ? f->text() : QString();
    const int index = value.isEmpty() ? -1 : findText(value);
    if (isEditable()) {
        if (index >= 0) setCurrentIndex(index);
        setEditText(value);
        if (lineEdit() && f && f->dataType() == db::FieldType::Text) lineEdit()->setMaxLength(f->size());
    } else {
        setCurrentIndex(index);
    }
    m_pending = false;
    m_loading = false;
    if (isEditable() && lineEdit()) {
        // Typing in an editable list is a pending value like in an edit.
        disconnect(lineEdit(), &QLineEdit::textEdited, this, nullptr);
        connect(lineEdit(), &QLineEdit::textEdited, this, [this]() {
            if (m_loading) return;
            db::Field *f = field();
            if (!f || !m_link.canModify()) {
                load();
                return;
            }
            m_pending = true;
            if (!f->dataset().isEditing() && !guarded(this, [f]() { f->dataset().edit(); })) load();
        });
    }
}

bool TDBComboBoxz::storeText(const QString &text)
{
    db::Field *f = field();
    if (!f || !m_link.canModify()) {
        load();
        return true;
    }
    const bool ok = guarded(this, [f, &text]() {
        db::Dataset &ds = f->dataset();
        if (!ds.isEditing()) ds.edit();
        f->setText(text);
    });
    if (ok) load();
    return ok;
}

void TDBComboBoxz::chosen(int index)
{
    if (m_loading || index < 0) return;
    if (!storeText(itemText(index))) load();
}

bool TDBComboBoxz::storeValue()
{
    if (!m_pending) return true;
    return storeText(currentText());
}

bool TDBComboBoxz::event(QEvent *e)
{
    if (entryKey(this, e, m_enterTab, m_pick, [this]() { return storeValue(); }, [this]() { load(); }))
        return true;
    return QComboBox::event(e);
}

void TDBComboBoxz::focusInEvent(QFocusEvent *e)
{
    QComboBox::focusInEvent(e);
    if (leavesControl(e)) Q_EMIT entered();
}

void TDBComboBoxz::focusOutEvent(QFocusEvent *e)
{
    QComboBox::focusOutEvent(e);
    if (!leavesControl(e)) return;
    if (!storeValue()) {
        QTimer::singleShot(0, this, [this]() { setFocus(Qt::OtherFocusReason); });
        return;
    }
    Q_EMIT exited();
}

// --- TEditz ---------------------------------------------------------------------------------

TEditz::TEditz(QWidget *parent) : QLineEdit(parent) {}

bool TEditz::event(QEvent *e)
{
    if (entryKey(this, e, m_enterTab, m_pick, []() { return true; }, {})) return true;
    return QLineEdit::event(e);
}

void TEditz::focusInEvent(QFocusEvent *e)
{
    QLineEdit::focusInEvent(e);
    if (leavesControl(e)) Q_EMIT entered();
}

void TEditz::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    if (leavesControl(e)) Q_EMIT exited();
}

// --- TDBText --------------------------------------------------------------------------------

TDBText::TDBText(QWidget *parent) : QLabel(parent)
{
    m_link.onChange = [this]() { load(); };
}

TDBText::TDBText(db::DataSource *source, const QString &fieldName, QWidget *parent) : TDBText(parent)
{
    setBinding(source, fieldName);
}

void TDBText::setBinding(db::DataSource *source, const QString &fieldName) { m_link.bind(source, fieldName); }

void TDBText::load()
{
    db::Field *f = m_link.field();
    setText(f ? f->displayText() : QString());
}

} // namespace ui
