#pragma once

// Where the table rules' focus requests land: a window registers itself under its window id,
// and a request for that id ("DBEditPc") gives the focus to the window's control of that
// object name, when it is visible and enabled.

#include "data/program_state.h"

#include <QPointer>

class QWidget;

namespace ui {

// Takes the rules' focus requests for one window while it exists (make it a member).
class RuleFocus {
public:
    RuleFocus(QWidget *window, data::WindowId id);
    ~RuleFocus();
    RuleFocus(const RuleFocus &) = delete;
    RuleFocus &operator=(const RuleFocus &) = delete;

private:
    QPointer<QWidget> m_window;
    data::WindowId m_id;
};

} // namespace ui
