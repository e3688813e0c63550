#include "data_location_window.h"

#include "data_location.h"

#include "platform/ini/ini_file.h"
#include "platform/ui/msg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStorageInfo>

namespace app {

TAu5Form::TAu5Form(const QString &programFolder, const QString &programIniPath, QWidget *parent)
    : QDialog(parent), m_programFolder(programFolder), m_iniPath(programIniPath), m_dataRoot(programFolder)
{
    setObjectName(QStringLiteral("Au5Form"));
    setWindowTitle(QStringLiteral("Výběr práce s daty"));
    RadioButton1 = new QRadioButton(QStringLiteral("Data ve stejném adresáři jako program"), this);
    RadioButton1->setToolTip(RadioButton1->text());
    RadioButton2 = new QRadioButton(QStringLiteral("Data pro provoz v síti - nastavte cestu např. F:\\ORVDATA\\Data.DB"), this);
    RadioButton2->setToolTip(RadioButton2->text());
    Edit3 = new QLineEdit(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setToolTip(QStringLiteral("Cesta k datovým souborům"));
    BitBtn3 = new QPushButton(QStringLiteral("..."), this);
    BitBtn3->setToolTip(QStringLiteral("Výběr adresáře"));
    BitBtn3->setAutoDefault(false);
    auto *label3 = new QLabel(QStringLiteral("Pouze na prvním počítači proveďte akci kopírovat data pro provoz v síti."), this);
    label3->setWordWrap(true);
    DriveComboBox = new QComboBox(this);
    DriveComboBox->setToolTip(QStringLiteral("Výběr disku pro instalaci dat"));
    DriveComboBox->setFocusPolicy(Qt::ClickFocus);
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes())
        if (s.isValid() && s.isReady() && !s.isReadOnly()) DriveComboBox->addItem(QDir::toNativeSeparators(s.rootPath()));
    Edit1 = new QLineEdit(QStringLiteral("ORVDATA"), this);
    Edit1->setToolTip(QStringLiteral("Výběr adresáře pro instalaci dat"));
    Edit1->setFocusPolicy(Qt::ClickFocus);
    CopyButton = new QPushButton(QStringLiteral("&Kopírovat data"), this);
    CopyButton->setToolTip(QStringLiteral("Kopírovat data pro provoz v síti"));
    CopyButton->setFocusPolicy(Qt::ClickFocus);
    CopyButton->setAutoDefault(false);
    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setDefault(true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(RadioButton1, 0, 0, 1, 3);
    grid->addWidget(RadioButton2, 1, 0, 1, 3);
    grid->addWidget(Edit3, 2, 0, 1, 2);
    grid->addWidget(BitBtn3, 2, 2);
    grid->addWidget(label3, 3, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Výběr disku:"), this), 4, 0);
    grid->addWidget(DriveComboBox, 4, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Výběr adresáře:"), this), 5, 0);
    grid->addWidget(Edit1, 5, 1);
    grid->addWidget(CopyButton, 5, 2);
    grid->addWidget(OKButton, 6, 2);

    connect(BitBtn3, &QPushButton::clicked, this, &TAu5Form::browse);
    connect(CopyButton, &QPushButton::clicked, this, &TAu5Form::copyData);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    RadioButton1->setChecked(true);
    ini::IniFile iniFile(m_iniPath);
    iniFile.load();
    const QString net = iniFile.value(QStringLiteral("Orvidan"), QStringLiteral("Net"), QString());
    if (net == QLatin1String("1")) RadioButton2->setChecked(true);
    QString path = iniFile.value(QStringLiteral("Orvidan"), QStringLiteral("Path"), QString());
    if (path.isEmpty()) path = m_programFolder;
    Edit3->setText(datalocation::folderOf(path) + QStringLiteral("Data.DB"));
    Edit3->setFocus();
}

void TAu5Form::browse()
{
    QString start = QFileInfo(Edit3->text()).absolutePath();
    if (!QFileInfo(start).isDir()) start = QDir::rootPath();
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Výběr adresáře"), start,
                                                      QStringLiteral("datové soubory (Data.DB) (Data.DB);;všechny soubory (*)"));
    if (!file.isEmpty()) chooseDataFile(file);
}

void TAu5Form::chooseDataFile(const QString &path)
{
    Edit3->setText(path);
    if (datalocation::holdsProgram(datalocation::folderOf(path))) {
        ui::Msg::information(datalocation::installationMessage(), this);
        Edit3->setText(m_programFolder + QStringLiteral("Data.DB"));
        RadioButton1->setChecked(true);
    } else {
        RadioButton2->setChecked(true);
    }
}

void TAu5Form::copyData()
{
    QString target = QDir::fromNativeSeparators(DriveComboBox->currentText());
    if (!target.endsWith(QLatin1Char('/'))) target += QLatin1Char('/');
    target += Edit1->text().trimmed();
    if (!target.endsWith(QLatin1Char('/'))) target += QLatin1Char('/');
    if (!ui::Msg::confirm(QStringLiteral("Opravdu chcete kopírovat data na disk %1").arg(QDir::toNativeSeparators(target)), this)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error = datalocation::prepareNetworkRoot(m_programFolder, target);
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty()) {
        ui::Msg::error(error, this);
        return;
    }
    RadioButton2->setChecked(true);
    Edit3->setText(target + QStringLiteral("Data.DB"));
    OKButton->setFocus();
    ui::Msg::information(QStringLiteral("Data byla nakopírována na disk %1").arg(QDir::toNativeSeparators(target)), this);
}

void TAu5Form::done(int result)
{
    if (RadioButton2->isChecked() && datalocation::holdsProgram(datalocation::folderOf(Edit3->text()))) {
        ui::Msg::information(datalocation::installationMessage(), this);
        Edit3->setText(m_programFolder + QStringLiteral("Data.DB"));
        RadioButton1->setChecked(true);
        Edit3->setFocus();
        return;
    }
    m_dataRoot = datalocation::applyChoice(m_iniPath, m_programFolder, RadioButton2->isChecked(), Edit3->text());
    QDialog::done(result);
}

} // namespace app
