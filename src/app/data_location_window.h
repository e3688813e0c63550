#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QComboBox;
class QPushButton;

namespace app {

// The data location window ("Výběr práce s daty"): data beside the program or on a network.
class TAu5Form : public QDialog {
    Q_OBJECT
public:
    TAu5Form(const QString &programFolder, const QString &programIniPath, QWidget *parent = nullptr);

    // The data root chosen when the window closed.
    const QString &dataRoot() const { return m_dataRoot; }
    bool restartNeeded() const { return false; } // no engine setting to change on this platform

    QRadioButton *RadioButton1;
    QRadioButton *RadioButton2;
    QLineEdit *Edit3;
    QPushButton *BitBtn3;
    QComboBox *DriveComboBox;
    QLineEdit *Edit1;
    QPushButton *CopyButton;
    QPushButton *OKButton;

    // Chooses the registry file as the browse button does (tests call it directly).
    void chooseDataFile(const QString &path);
    void copyData();

    void done(int result) override;

private:
    void browse();
    QString m_programFolder;
    QString m_iniPath;
    QString m_dataRoot;
};

} // namespace app
