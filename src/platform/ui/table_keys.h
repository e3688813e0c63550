#pragma once

// The table keys of editing windows: the keys a window with a record navigator handles before
// its controls see them. "No modifier" means Shift, Ctrl and Alt all released.
//
//   Ctrl+Home            first row, unless already at the beginning
//   PgUp                 prior row, unless at the beginning
//   PgDn                 next row, unless at the end
//   Ctrl+End             last row, unless at the end
//   Insert, F2           insert a new row (in browse, edit or insert state)
//   Ctrl+Y               delete the current row without asking (in insert state the new row
//                        is only cancelled); Ctrl+Del the same while the focus is not in the
//                        grid (in the grid it is the grid's own key)
//   F4                   put the row into edit (in browse state)
//   F9                   post, when editing or inserting
//   Esc                  cancel the changes when editing or inserting; otherwise close the window
//   F3                   the window's search
//
// Ctrl+End, Ctrl+Y and Ctrl+Del with the focus outside the grid end as Home in the focused
// edit. Every action runs as the navigator's button would (what the controls hold is stored
// first, refusals are shown), so windows that follow the navigator's clicks see the keys too.

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace ui {

class KeyPreview;
class TDBGrid;
class TDBNavigator;

// The table keys of one editing window (make it a member of the window, created after the
// navigator and the grid).
class TableKeys : public QObject {
    Q_OBJECT
public:
    struct Options {
        TDBNavigator *navigator = nullptr;   // every action goes through its buttons
        TDBGrid *grid = nullptr;             // the window's grid; none: the window has no grid
        QWidget *editOnF4 = nullptr;         // F4 with the focus in the grid first moves here
        bool insertAndDelete = true;         // false: Insert, F2, Ctrl+Y and Ctrl+Del do nothing
        std::function<void()> search;        // F3
        // The window's own keys, asked first; true when the key was handled (Ctrl+D, ...).
        std::function<bool(QKeyEvent &)> windowKeys;
    };

    TableKeys(QWidget *window, Options options);
    ~TableKeys() override;

    // Handles one key press as the window's key preview does; true when it was a table key.
    bool handle(QKeyEvent &e);

private:
    bool run(int button);
    void homeInFocusedEdit();
    bool focusInGrid() const;
    void closeWindow();

    QWidget *m_window;
    Options m_options;
    KeyPreview *m_preview = nullptr;
};

} // namespace ui
