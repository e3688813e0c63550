#include "window_tools.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QStatusTipEvent>
#include <QVariant>
#include <QWidget>

namespace ui {

KeyPreview::KeyPreview(QWidget *window, Handler handler)
    : QObject(window), m_window(window), m_handler(std::move(handler))
{
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    if (qApp) qApp->removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() != QEvent::KeyPress || !m_handler || !watched->isWidgetType()) return false;
    auto *w = static_cast<QWidget *>(watched);
    if (w->window() != m_window) return false;
    QWidget *focus = QApplication::focusWidget();
    QWidget *target = focus && focus->window() == m_window ? focus : m_window;
    if (w != target) return false; // the same press travelling up to the parents
    return m_handler(*static_cast<QKeyEvent *>(e));
}

Qt::KeyboardModifiers keyModifiers(const QKeyEvent &e)
{
    return e.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

void setHint(QWidget *widget, const QString &hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    widget->setToolTip(bar < 0 ? hint : hint.left(bar));
    widget->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

namespace {

// Hands every status tip of the program to one sink.
class HintRouter : public QObject {
public:
    std::function<void(const QString &)> sink;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::StatusTip && sink) sink(static_cast<QStatusTipEvent *>(e)->tip());
        return false;
    }
};

QPointer<HintRouter> &router()
{
    static QPointer<HintRouter> r;
    return r;
}

} // namespace

void routeHints(std::function<void(const QString &)> sink)
{
    if (!sink) {
        delete router().data();
        return;
    }
    if (!router()) {
        router() = new HintRouter;
        router()->setParent(qApp);
        qApp->installEventFilter(router());
    }
    router()->sink = std::move(sink);
}

void setHelpContext(QWidget *widget, int context) { widget->setProperty("helpContext", context); }

int helpContext(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const int c = w->property("helpContext").toInt();
        if (c != 0) return c;
    }
    return 0;
}

} // namespace ui
