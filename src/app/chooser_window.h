#pragma once

#include "dataset_registry.h"

#include <QDialog>
#include <functional>

class QAction;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QLabel;

namespace app {

// The data-set chooser ("Velorad - výběr"): open, create, rename, protect, reorder, delete.
class TAuto1Form : public QDialog {
    Q_OBJECT
public:
    // programIniPath: the program INI (section Vyber); dataRoot: the registry's folder, whose
    // Orvidan.ini keeps the ordering.
    TAuto1Form(const QString &dataRoot, const QString &programIniPath, QWidget *parent = nullptr);

    // Status panel 0 of the main window.
    std::function<void(const QString &)> status;
    // Ctrl+N: the data location window; returns true when it changed the data location.
    std::function<bool()> dataLocation;
    // The password prompt (TAu4Form); tests replace it. Returns the typed text, or nullopt on cancel.
    std::function<std::optional<QString>()> passwordPrompt;
    // The new-data-set dialog (TAu2Form); tests replace it. Returns the name, or nullopt.
    std::function<std::optional<QString>(int number)> newDataSetDialog;
    // The rename dialog (TAu1Form).
    std::function<std::optional<QString>(int number, const QString &name)> renameDialog;
    // The password dialog (TAu3Form); returns the new password, or nullopt when nothing changes.
    std::function<std::optional<QString>(const QString &name, const QString &stored)> passwordDialog;
    // The positions dialog (TAu6Form): gets the lines, returns them reordered.
    std::function<QStringList(const QStringList &lines, int current)> positionsDialog;

    // Shows the chooser as the program does each time; returns Accepted (open the current
    // data set) or Rejected with aborted() true (end the program).
    int choose();
    bool aborted() const { return m_aborted; }
    std::optional<DataSetEntry> current() const;
    void selectNumber(int cislo);
    bool ownOrdering() const { return m_ownOrdering; }

    // The commands (buttons and the ordering menu).
    void openCurrent();          // "Otevřít"
    void newDataSet();           // "Nové"
    void renameCurrent();        // "Název"
    void passwordCurrent();      // "Heslo"
    void deleteCurrent();        // "Smazat"
    void endProgram();           // "Konec"
    void setOwnOrdering(bool own);
    void changePositions();
    void clearOwnOrdering();

    QTableWidget *DBGridAuto1;
    QPushButton *OKButton, *Button1, *Button2, *Button3, *Button4, *Button5;
    QCheckBox *CheckBoxF;
    QAction *azenautomaticky1, *azenvlastn1;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void reload(int keepNumber);
    bool checksPass(const DataSetEntry &entry);
    void hideChooser();
    void writeOrdering();
    DatasetRegistry m_registry;
    QString m_programIni;
    bool m_ownOrdering = false;
    bool m_aborted = false;
    std::vector<DataSetEntry> m_rows;
};

// Standard dialogs of the chooser, shown modally; each returns nullopt when left without a value.
std::optional<QString> askPassword(QWidget *parent);                                   // TAu4Form
std::optional<QString> askNewDataSet(int number, QWidget *parent);                     // TAu2Form
std::optional<QString> askRename(int number, const QString &name, QWidget *parent);    // TAu1Form
std::optional<QString> askPasswordChange(const QString &name, const QString &stored, QWidget *parent); // TAu3Form
QStringList askPositions(const QStringList &lines, int current, QWidget *parent);       // TAu6Form

} // namespace app
