#include "table_keys.h"

#include "db_grid.h"
#include "db_navigator.h"
#include "entry_controls.h"
#include "window_tools.h"

#include "platform/db/dataset.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace ui {

TableKeys::TableKeys(QWidget *window, Options options) : QObject(window), m_window(window), m_options(std::move(options))
{
    m_preview = new KeyPreview(window, [this](QKeyEvent &e) { return handle(e); });
    m_preview->setParent(this);
}

TableKeys::~TableKeys() = default;

bool TableKeys::focusInGrid() const
{
    if (!m_options.grid) return false;
    const QWidget *f = QApplication::focusWidget();
    return f && (f == m_options.grid || m_options.grid->isAncestorOf(f));
}

void TableKeys::homeInFocusedEdit()
{
    if (auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget())) edit->home(false);
}

bool TableKeys::run(int button)
{
    TDBNavigator *nav = m_options.navigator;
    if (!nav) return false;
    const auto b = TDBNavigator::Button(button);
    // A button that cannot be used now (at the beginning, at the end, nothing to post, the
    // navigator switched off) stands for a key that does nothing.
    if (!nav->button(b)->isEnabled()) return false;
    return nav->doAction(b);
}

void TableKeys::closeWindow()
{
    if (auto *dialog = qobject_cast<QDialog *>(m_window)) dialog->reject();
    else m_window->close();
}

bool TableKeys::handle(QKeyEvent &e)
{
    if (m_options.windowKeys && m_options.windowKeys(e)) return true;
    const Qt::KeyboardModifiers mods = keyModifiers(e);
    const bool none = mods == Qt::NoModifier;
    const bool ctrl = mods == Qt::ControlModifier;
    db::Dataset *ds = m_options.navigator ? m_options.navigator->dataset() : nullptr;
    const bool editing = ds && ds->active() && ds->isEditing();
    switch (e.key()) {
    case Qt::Key_Home:
        if (!ctrl) return false;
        run(TDBNavigator::First);
        return true;
    case Qt::Key_PageUp:
        if (!none) return false;
        run(TDBNavigator::Prior);
        return true;
    case Qt::Key_PageDown:
        if (!none) return false;
        run(TDBNavigator::Next);
        return true;
    case Qt::Key_End:
        if (!ctrl) return false;
        run(TDBNavigator::Last);
        if (!focusInGrid()) homeInFocusedEdit();
        return true;
    case Qt::Key_Insert:
    case Qt::Key_F2:
        if (!none || !m_options.insertAndDelete) return false;
        run(TDBNavigator::Insert);
        return true;
    case Qt::Key_Y:
    case Qt::Key_Delete: {
        if (!ctrl || !m_options.insertAndDelete) return false;
        const bool inGrid = focusInGrid();
        if (e.key() == Qt::Key_Delete && inGrid) return false; // the grid's own key
        if (ds && ds->active()) {
            if (ds->state() == db::DatasetState::Insert) {
                run(TDBNavigator::Cancel);
            } else {
                // What was typed into the row being deleted does not have to be stored first.
                for (TDBEditz *edit : m_window->findChildren<TDBEditz *>())
                    if (edit->dataset() == ds) edit->reset();
                run(TDBNavigator::Delete);
            }
        }
        if (!inGrid) homeInFocusedEdit();
        return true;
    }
    case Qt::Key_F4:
        if (!none) return false;
        if (ds && ds->active() && ds->state() == db::DatasetState::Browse) {
            if (focusInGrid() && m_options.editOnF4) m_options.editOnF4->setFocus(Qt::OtherFocusReason);
            run(TDBNavigator::Edit);
        }
        return true;
    case Qt::Key_F9:
        if (!none) return false;
        if (editing) run(TDBNavigator::Post);
        return true;
    case Qt::Key_Escape:
        if (!none) return false;
        if (editing) run(TDBNavigator::Cancel);
        else closeWindow();
        return true;
    case Qt::Key_F3:
        if (!none || !m_options.search) return false;
        m_options.search();
        return true;
    default:
        return false;
    }
}

} // namespace ui
