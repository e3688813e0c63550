#pragma once

#include "data/program_state.h"

namespace ui {

// Marks a window as open for the table rules while this object exists (make it a member of
// the window): data::program().isOpen(id) is true from construction to destruction.
class WindowRegistration {
public:
    explicit WindowRegistration(data::WindowId id) : m_id(id) { data::program().setWindowOpen(m_id, true); }
    ~WindowRegistration() { data::program().setWindowOpen(m_id, false); }
    WindowRegistration(const WindowRegistration &) = delete;
    WindowRegistration &operator=(const WindowRegistration &) = delete;
    data::WindowId id() const { return m_id; }

private:
    data::WindowId m_id;
};

} // namespace ui
