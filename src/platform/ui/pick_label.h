#pragma once

#include "entry_controls.h"

#include <QLabel>

namespace ui {

// A label drawn blue and underlined that opens a picker when clicked (the calendar for a
// date field, the own-account list for Pc, ...); beside it sits the control it belongs to.
class PickLabel : public QLabel {
    Q_OBJECT
public:
    explicit PickLabel(const QString &text, QWidget *parent = nullptr);
    explicit PickLabel(QWidget *parent = nullptr) : PickLabel(QString(), parent) {}

    // What a click does; often the same action as the control's Shift+F7.
    void setPickAction(PickAction action) { m_pick = std::move(action); }
    const PickAction &pickAction() const { return m_pick; }

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    PickAction m_pick;
};

} // namespace ui
