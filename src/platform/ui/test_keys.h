#pragma once

// Key input for window tests: typing Czech text and pressing keys as the user would.
// (QTest::keyClicks cannot type characters outside ASCII.)

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

namespace ui {

// Types the text one character at a time (a key press and a key release per character) into
// the target, or into the focused control when target is nullptr.
void typeText(const QString &text, QWidget *target = nullptr);
// Presses and releases one key with modifiers on the target (default: the focused control,
// else the active window). The events go through the application's event filters and
// propagate to the parents as real key presses do, so key previews and dialogs' default
// buttons take part; menu shortcuts and accelerators do not (click those buttons instead).
void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QWidget *target = nullptr);
// Clicks a widget with the left mouse button: at pos, or by default at its centre (for a
// check box, on its box and caption).
void clickWidget(QWidget *widget, QPoint pos = QPoint(-1, -1));
void doubleClickWidget(QWidget *widget, QPoint pos = QPoint(-1, -1));

} // namespace ui
