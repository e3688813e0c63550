#include "window_place.h"

#include "platform/ini/ini_file.h"

#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

namespace {
QString &iniPath()
{
    static QString p;
    return p;
}
QSize &screenOverride()
{
    static QSize s;
    return s;
}
} // namespace

void setDataSetIni(const QString &path) { iniPath() = path; }
QString dataSetIni() { return iniPath(); }
QString dataSetSection() { return iniPath().isEmpty() ? QString() : QFileInfo(iniPath()).completeBaseName(); }

QSize screenSize()
{
    if (screenOverride().isValid()) return screenOverride();
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->size() : QSize(800, 600);
}

void overrideScreenSize(const QSize &size) { screenOverride() = size; }

bool narrowScreen() { return screenSize().width() < 641; }

WindowPlace::WindowPlace(QWidget *window, const QString &name, QPoint narrow, QPoint wide, ReadWhen when)
    : QObject(window), m_window(window), m_name(name), m_narrow(narrow), m_wide(wide), m_when(when)
{
    m_window->installEventFilter(this);
    if (m_when == ReadWhen::Created) restore();
    else m_window->move(designedPosition());
}

QString WindowPlace::section() const { return m_section.isEmpty() ? dataSetSection() : m_section; }

QPoint WindowPlace::designedPosition() const { return narrowScreen() ? m_narrow : m_wide; }

void WindowPlace::restore()
{
    QPoint p = designedPosition();
    const QString path = dataSetIni();
    if (!path.isEmpty() && !section().isEmpty()) {
        ini::IniFile f(path);
        if (f.load()) {
            p.setY(f.integer(section(), topKey(), p.y()));
            p.setX(f.integer(section(), leftKey(), p.x()));
        }
    }
    m_window->move(p);
}

void WindowPlace::save()
{
    const QString path = dataSetIni();
    if (path.isEmpty() || section().isEmpty()) return;
    if (m_onlyNormal && (m_window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    ini::IniFile f(path);
    if (!f.load()) return;
    const QPoint p = m_window->pos();
    f.setInteger(section(), topKey(), p.y());
    f.setInteger(section(), leftKey(), p.x());
    f.save();
}

bool WindowPlace::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_window && !e->spontaneous()) {
        if (e->type() == QEvent::Show && m_when == ReadWhen::Shown) restore();
        else if (e->type() == QEvent::Hide) save();
    }
    return false;
}

} // namespace ui
