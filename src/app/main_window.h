#pragma once

#include "data/program_state.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QToolButton;

namespace data {
class TDM1;
}

namespace app {

// What the data-set chooser decided.
enum class ChooserResult { Open, Abort };

// The main window: menu, tool bar and status bar; every command opens a modal window.
class TMainForm : public QMainWindow, public data::StatusSink {
    Q_OBJECT
public:
    // programFolder: where Orvidan.ini and, in local operation, the data live.
    TMainForm(data::TDM1 &dm, const QString &programFolder, QWidget *parent = nullptr);
    ~TMainForm() override;

    // Status bar and caption for the core.
    void setPanelText(int panel, const QString &text) override;
    void setCaption(const QString &caption) override;
    QString panelText(int panel) const;
    int panelWidth(int panel) const;

    // Menu adaptation: enables the menus when a data set is open, shows the items that
    // follow Modf.Dd and Mtt.Zak.
    void TypDp1();
    // Chooses and opens a data set; false when the user ended the program in the chooser.
    bool VyberDanoveho();
    // Opens the file with the platform's default action.
    static void ExecuteFile(const QString &file);

    const QString &programFolder() const { return m_programFolder; }
    const QString &dataRoot() const { return m_dataRoot; }
    void setDataRoot(const QString &root);
    const QString &dataSetFolder() const { return m_dataSetFolder; }
    void setDataSetFolder(const QString &folder) { m_dataSetFolder = folder; }
    // The data-set INI: <data root>/<folder>/<folder>.ini; empty before the first choice.
    QString dataSetIniPath() const;
    QString programIniPath() const;
    int fontKind() const { return m_fontKind; }
    void setFontKind(int kind) { m_fontKind = kind; }

    // An action by the name the system gives its menu item ("Tisk2", "N4", ...), for tests.
    QAction *action(const QString &name) const;
    QMenu *menu(const QString &name) const;

    // The chooser and the data location window, set by the start-up code (tests replace them).
    std::function<ChooserResult()> chooser;
    std::function<bool()> dataLocation; // true when the program must end (restart needed)
    // Opens a command's window; commands without one stay disabled.
    void setCommand(const QString &actionName, std::function<void()> run);

    // Runs what the first activation of the window does (also called by tests).
    void firstActivation();

protected:
    bool event(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void changeEvent(QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void buildMenu();
    void buildToolBar();
    void buildStatusBar();
    void applyGeometry();
    void firstRunChecks();
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, const QString &hint,
                     const QKeySequence &shortcut = {});
    void showHelp(int context);

    data::TDM1 &m_dm;
    QString m_programFolder;
    QString m_dataRoot;
    QString m_dataSetFolder;
    int m_fontKind = 0;
    bool m_firstActivation = true;
    bool m_firstActivationQueued = false;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, std::function<void()>> m_commands;
    std::vector<QToolButton *> m_toolButtons;
    QLabel *m_panels[4] = {};
};

// The program folder to use: the executable's folder, or a per-user data folder when that
// one cannot be written (an installed program).
QString resolveProgramFolder(const QString &executableFolder);

} // namespace app
