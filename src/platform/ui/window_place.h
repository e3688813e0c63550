#pragma once

// Where windows place themselves: a designed position by screen width, then the position
// stored for the open data set in its INI file.

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>

class QWidget;

namespace ui {

// The data-set INI the places are kept in ("<data root>/D3/D3.ini"); the main window sets
// it whenever a data set is opened (empty before the first one: places are then neither
// read nor written). Its section for window places is the INI's base name ("D3").
void setDataSetIni(const QString &path);
QString dataSetIni();
// The section of the window places: the base name of the data-set INI ("D3").
QString dataSetSection();

// The screen size windows place themselves by (the primary screen; tests may override it
// with a valid size, an invalid size returns to the real screen).
QSize screenSize();
void overrideScreenSize(const QSize &size);
// True when the screen is narrower than 641 pixels.
bool narrowScreen();

// A window's remembered place under "<name>Top" and "<name>Left" of the data-set INI.
// Created in the window's constructor: it moves the window to its designed position (one
// for screens narrower than 641 pixels, one for the others) and then to the stored one, and
// writes the keys whenever the window is hidden (closed, accepted or rejected). Positions
// are frame positions in screen pixels (Left = x, Top = y).
class WindowPlace : public QObject {
    Q_OBJECT
public:
    enum class ReadWhen {
        Created,   // read once, at construction (most dialogs)
        Shown,     // read every time the window is shown (the calendar picker)
    };

    WindowPlace(QWidget *window, const QString &name, QPoint narrow, QPoint wide,
                ReadWhen when = ReadWhen::Created);
    WindowPlace(QWidget *window, const QString &name, QPoint place, ReadWhen when = ReadWhen::Created)
        : WindowPlace(window, name, place, place, when) {}

    // Another section than the data set's own (the print centre keeps "Tisk2" in "Tisk").
    void setSection(const QString &section) { m_section = section; }
    // Write only while the window is in the normal state (not minimized or maximized).
    void setSaveOnlyWhenNormal(bool on) { m_onlyNormal = on; }

    // The designed position for the current screen.
    QPoint designedPosition() const;
    // Moves the window to the designed position, then to the stored one.
    void restore();
    // Writes the window's position now.
    void save();

    QString topKey() const { return m_name + QStringLiteral("Top"); }
    QString leftKey() const { return m_name + QStringLiteral("Left"); }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QString section() const;
    QWidget *m_window;
    QString m_name;
    QPoint m_narrow, m_wide;
    ReadWhen m_when;
    QString m_section;
    bool m_onlyNormal = false;
};

} // namespace ui
