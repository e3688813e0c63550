#include "rule_focus.h"

#include <QWidget>
#include <vector>

namespace ui {

namespace {

// The windows that take requests, per id; the latest one counts.
std::vector<std::pair<data::WindowId, QPointer<QWidget>>> &targets()
{
    static std::vector<std::pair<data::WindowId, QPointer<QWidget>>> t;
    return t;
}

void dispatch(data::WindowId id, const QString &control)
{
    auto &t = targets();
    for (auto it = t.rbegin(); it != t.rend(); ++it) {
        if (it->first != id || !it->second) continue;
        QWidget *w = it->second->findChild<QWidget *>(control);
        if (w && w->isVisibleTo(it->second) && w->isEnabled()) w->setFocus(Qt::OtherFocusReason);
        return;
    }
}

} // namespace

RuleFocus::RuleFocus(QWidget *window, data::WindowId id) : m_window(window), m_id(id)
{
    targets().emplace_back(id, QPointer<QWidget>(window));
    data::program().focusRequest = dispatch;
}

RuleFocus::~RuleFocus()
{
    auto &t = targets();
    for (auto it = t.begin(); it != t.end(); ++it) {
        if (it->first == m_id && it->second == m_window) {
            t.erase(it);
            break;
        }
    }
}

} // namespace ui
