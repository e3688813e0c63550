#include "test_keys.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QMouseEvent>
#include <QWidget>

namespace ui {

namespace {

QWidget *keyTarget(QWidget *target)
{
    if (target) return target;
    if (QWidget *f = QApplication::focusWidget()) return f;
    return QApplication::activeWindow();
}

void sendKey(QWidget *target, int key, Qt::KeyboardModifiers mods, const QString &text)
{
    if (!target) return;
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(target, &press);
    // The press may have moved the focus or closed the window; the release goes where the
    // user's release would go.
    QWidget *now = keyTarget(nullptr);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    if (now) QCoreApplication::sendEvent(now, &release);
}

int keyOf(QChar c)
{
    const ushort u = c.toUpper().unicode();
    if ((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == ' ') return u;
    if (u < 128 && c.isPrint()) return u; // punctuation keys share their Latin-1 codes
    return Qt::Key_unknown;
}

// Where a click lands: the centre, or for a check box the middle of its box and caption.
QPointF clickPoint(QWidget *w)
{
    if (auto *box = qobject_cast<QCheckBox *>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        opt.text = box->text();
        return QPointF(box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &opt, box).center());
    }
    return QPointF(w->rect().center());
}

void sendMouse(QWidget *w, QEvent::Type type, Qt::MouseButtons buttons, QPoint pos)
{
    const QPointF local = pos.x() < 0 ? clickPoint(w) : QPointF(pos);
    QMouseEvent e(type, local, QPointF(w->mapToGlobal(local.toPoint())), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

void typeText(const QString &text, QWidget *target)
{
    for (const QChar c : text) {
        QWidget *t = keyTarget(target);
        const Qt::KeyboardModifiers mods = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
        sendKey(t, keyOf(c), mods, QString(c));
    }
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers, QWidget *target)
{
    QString text;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) text = QStringLiteral("\r");
    else if (key == Qt::Key_Escape) text = QString(QChar(27));
    else if (key == Qt::Key_Tab) text = QStringLiteral("\t");
    sendKey(keyTarget(target), key, modifiers, modifiers & (Qt::ControlModifier | Qt::AltModifier) ? QString() : text);
}

void clickWidget(QWidget *widget, QPoint pos)
{
    sendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, pos);
    sendMouse(widget, QEvent::MouseButtonRelease, Qt::NoButton, pos);
}

void doubleClickWidget(QWidget *widget, QPoint pos)
{
    sendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, pos);
    sendMouse(widget, QEvent::MouseButtonRelease, Qt::NoButton, pos);
    sendMouse(widget, QEvent::MouseButtonDblClick, Qt::LeftButton, pos);
    sendMouse(widget, QEvent::MouseButtonRelease, Qt::NoButton, pos);
}

} // namespace ui
