#pragma once

// Small helpers every window uses: key preview, two-part hints, help context numbers.

#include <QObject>
#include <QString>
#include <functional>

class QKeyEvent;
class QWidget;

namespace ui {

// Key preview: the window sees every key press of its controls before they do. The handler
// returns true when it handled the key (the control then never sees it). Make it a member
// of the window. Only presses aimed at the window's focused control (or the window itself
// when none has the focus) are previewed, once each.
class KeyPreview : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(QKeyEvent &)>;
    KeyPreview(QWidget *window, Handler handler);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QWidget *m_window;
    Handler m_handler;
};

// The modifier state of a key press without the keypad flag (Shift, Ctrl, Alt, Meta).
Qt::KeyboardModifiers keyModifiers(const QKeyEvent &e);

// A hint "short|long": the short part becomes the tool tip, the long part the status tip
// (status panel 0); a hint without "|" is both.
void setHint(QWidget *widget, const QString &hint);
// Routes the status tips of every window of the program (the long hints under the mouse) to
// one place, status panel 0 of the main window. Called once by the main window; an empty
// function stops the routing.
void routeHints(std::function<void(const QString &)> sink);

// Help context numbers (the topic F1 shows): set on a control or a window; helpContext()
// returns the number of the widget or its nearest parent that has one, 0 when none has.
void setHelpContext(QWidget *widget, int context);
int helpContext(const QWidget *widget);

} // namespace ui
