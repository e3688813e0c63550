#include "app/chooser_window.h"
#include "app/data_location.h"
#include "app/data_location_window.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/startup_window.h"
#include "data/data_module.h"
#include "data/open_dataset.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/msg.h"
#include "support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableWidget>
#include <QStatusTipEvent>
#include <QTimer>
#include <QResizeEvent>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using app::DatasetRegistry;

namespace {

void writeIni(const QString &path, const std::vector<std::tuple<QString, QString, QString>> &values)
{
    ini::IniFile f(path);
    f.load();
    for (const auto &[s, k, v] : values) f.setValue(s, k, v);
    f.save();
}

QString readIni(const QString &path, const QString &section, const QString &key)
{
    ini::IniFile f(path);
    f.load();
    return f.value(section, key);
}

} // namespace

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data::program() = data::ProgramState();
        data::program().setToday(QDate(2004, 3, 20));
        data::installTableRules(dm);
        programFolder = home.path() + QStringLiteral("/");
    }
    void TearDown() override { data::program() = data::ProgramState(); }

    testsupport::TempDir home;
    QString programFolder;
    data::TDM1 dm;
};

TEST_F(ShellTest, MenusFollowTheOpenDataSetAndItsSettings)
{
    app::TMainForm w(dm, programFolder);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Velorad 3.10"));
    EXPECT_EQ(w.action(QStringLiteral("Vbrpkazdobanky1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_EQ(w.action(QStringLiteral("Tisk2"))->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_TRUE(w.action(QStringLiteral("Tisk1"))->shortcut().isEmpty());
    EXPECT_EQ(w.action(QStringLiteral("Platby1"))->text(), QStringLiteral("Platby &na účty"));
    w.TypDp1();
    EXPECT_FALSE(w.menu(QStringLiteral("Zvazky1"))->menuAction()->isEnabled());
    EXPECT_TRUE(w.action(QStringLiteral("Vbrpkazdobanky1"))->isEnabled());
    EXPECT_TRUE(w.action(QStringLiteral("Konec1"))->isEnabled());

    DatasetRegistry registry(programFolder);
    registry.ensure();
    const QString folder = registry.createDataSet(QStringLiteral("Firma"));
    ASSERT_TRUE(data::openDataSet(dm, programFolder, folder).complete);
    w.setDataSetFolder(folder);
    w.TypDp1();
    EXPECT_TRUE(w.menu(QStringLiteral("Zvazky1"))->menuAction()->isEnabled());
    EXPECT_FALSE(w.action(QStringLiteral("Vbrdatumuvystaven1"))->isVisible());
    EXPECT_FALSE(w.action(QStringLiteral("N4"))->isVisible());
    EXPECT_FALSE(w.action(QStringLiteral("ZlohovnPenospkaz1"))->isVisible());
    EXPECT_FALSE(w.action(QStringLiteral("Platby1"))->isEnabled()); // its window does not exist yet
    dm.Modf.edit();
    dm.ModfDd->setAsBoolean(true);
    dm.Modf.post();
    dm.Mtt.edit();
    dm.MttZak->setAsBoolean(true);
    dm.Mtt.post();
    w.TypDp1();
    EXPECT_TRUE(w.action(QStringLiteral("Vbrdatumuvystaven1"))->isVisible());
    EXPECT_TRUE(w.action(QStringLiteral("N4"))->isVisible());
    EXPECT_TRUE(w.action(QStringLiteral("ZlohovnPenospkaz1"))->isVisible());
    EXPECT_TRUE(w.action(QStringLiteral("N14"))->isVisible());
    bool ran = false;
    w.setCommand(QStringLiteral("Platby1"), [&ran]() { ran = true; });
    EXPECT_TRUE(w.action(QStringLiteral("Platby1"))->isEnabled());
    w.action(QStringLiteral("Platby1"))->trigger();
    EXPECT_TRUE(ran);
    // The caption follows the company name.
    dm.Modf.edit();
    dm.ModfFa->setAsString(QStringLiteral("Pekárna Novák"));
    dm.Modf.post();
    data::NazevDp1(dm);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Velorad 3.10 - Pekárna Novák"));
    dm.closeDataSet();
}

TEST_F(ShellTest, StatusPanelsAndTheirWidthRule)
{
    app::TMainForm w(dm, programFolder);
    w.setWindowState(Qt::WindowNoState);
    w.show();
    for (auto [width, expected] : {std::pair{451 + 0, 325}, {450, 324}, {800, 674}}) {
        w.statusBar()->setFixedWidth(width);
        w.resize(width, 400);
        QResizeEvent e(w.size(), w.size());
        QCoreApplication::sendEvent(&w, &e);
        EXPECT_EQ(w.panelWidth(0), expected) << width;
    }
    QStatusTipEvent tip(QStringLiteral("Zobrazí téma nápovědy"));
    QCoreApplication::sendEvent(&w, &tip);
    EXPECT_EQ(w.panelText(0), QStringLiteral("Zobrazí téma nápovědy"));
    data::program().statusUpdatesOn = true;
    data::program().status(2, QStringLiteral("EDIT"));
    EXPECT_EQ(w.panelText(2), QStringLiteral("EDIT"));
}

TEST_F(ShellTest, GeometryIsRestoredFromTheProgramIni)
{
    const QString iniPath = programFolder + QStringLiteral("Orvidan.ini");
    writeIni(iniPath, {{"Orvidan", "Maximized", "0"}, {"Orvidan", "Top", "40"}, {"Orvidan", "Left", "30"},
                       {"Orvidan", "Width", "700"}, {"Orvidan", "Height", "500"}, {"Orvidan", "TypPisma", "1"}});
    {
        app::TMainForm w(dm, programFolder);
        EXPECT_EQ(w.size(), QSize(700, 500));
        EXPECT_EQ(w.pos(), QPoint(30, 40));
        EXPECT_FALSE(w.windowState() & Qt::WindowMaximized);
        EXPECT_EQ(w.fontKind(), 1);
        w.resize(720, 510);
        w.close();
    }
    EXPECT_EQ(readIni(iniPath, QStringLiteral("Orvidan"), QStringLiteral("Width")), QStringLiteral("720"));
    EXPECT_EQ(readIni(iniPath, QStringLiteral("Orvidan"), QStringLiteral("Maximized")), QStringLiteral("0"));
    writeIni(iniPath, {{"Orvidan", "Maximized", "1"}});
    app::TMainForm maximized(dm, programFolder);
    EXPECT_TRUE(maximized.windowState() & Qt::WindowMaximized);
}

TEST_F(ShellTest, FirstActivationWithAMissingNetworkFolderFallsBackToTheProgramFolder)
{
    const QString iniPath = programFolder + QStringLiteral("Orvidan.ini");
    writeIni(iniPath, {{"Orvidan", "Net", "1"}, {"Orvidan", "Path", "/nonexistent/ORVDATA/"}});
    ui::ScriptedMsg msg;
    app::TMainForm w(dm, programFolder);
    int chooserShown = 0, locationShown = 0;
    w.chooser = [&]() {
        ++chooserShown;
        return app::ChooserResult::Open;
    };
    w.dataLocation = [&]() {
        ++locationShown;
        return false;
    };
    w.firstActivation();
    EXPECT_EQ(msg.texts(), QStringList{"Adresář /nonexistent/ORVDATA/\nneexistuje, nebo není dostupný na síťové jednotce."});
    EXPECT_EQ(w.dataRoot(), programFolder);
    EXPECT_EQ(chooserShown, 1);
    EXPECT_EQ(locationShown, 0);
    // The very first start shows the data location window before the chooser.
    QFile::remove(iniPath);
    app::TMainForm fresh(dm, programFolder);
    fresh.chooser = w.chooser;
    fresh.dataLocation = w.dataLocation;
    fresh.firstActivation();
    EXPECT_EQ(locationShown, 1);
    EXPECT_EQ(chooserShown, 2);
}

TEST_F(ShellTest, DesktopLauncherIsPlacedOnceAfterInstallation)
{
    const QString iniPath = programFolder + QStringLiteral("Orvidan.ini");
    writeIni(iniPath, {{"Zastupce", "Ano", "1"}, {"Bde", "Ano", "1"}});
    const QString desktop = QString::fromLocal8Bit(qgetenv("XDG_DESKTOP_DIR"));
    QDir().mkpath(desktop);
    { app::TMainForm w(dm, programFolder); }
    EXPECT_TRUE(QFile::exists(desktop + QStringLiteral("/Velorad.desktop")));
    ini::IniFile f(iniPath);
    f.load();
    EXPECT_FALSE(f.hasSection(QStringLiteral("Zastupce")));
    EXPECT_TRUE(f.hasSection(QStringLiteral("Bde"))); // no database engine here: left in place
}

class ChooserTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        registry = std::make_unique<DatasetRegistry>(programFolder);
        registry->ensure();
        registry->createDataSet(QStringLiteral("Alfa"));
        registry->createDataSet(QStringLiteral("Beta"));
        chooser = std::make_unique<app::TAuto1Form>(programFolder, programFolder + QStringLiteral("Orvidan.ini"));
        prepare();
    }
    // Shows the chooser as the program does (reading its INI keys) and leaves it at once.
    void prepare()
    {
        QTimer::singleShot(0, chooser.get(), [this]() { chooser->done(QDialog::Rejected); });
        chooser->choose();
    }
    std::unique_ptr<DatasetRegistry> registry;
    std::unique_ptr<app::TAuto1Form> chooser;
};

TEST_F(ChooserTest, NewDataSetTakesTheLowestFreeNumberAfterConfirmation)
{
    ui::ScriptedMsg msg;
    registry->deleteDataSet(1);
    chooser->newDataSetDialog = [](int number) {
        EXPECT_EQ(number, 1);
        return std::optional<QString>(QStringLiteral("Gama"));
    };
    msg.answer(ui::MsgAnswer::No);
    chooser->newDataSet();
    EXPECT_EQ(registry->list().size(), 1u);
    chooser->newDataSet();
    EXPECT_EQ(msg.texts(), (QStringList{"Opravdu chcete vytvořit nové Velorad Gama ?", "Opravdu chcete vytvořit nové Velorad Gama ?"}));
    ASSERT_EQ(registry->list().size(), 2u);
    EXPECT_EQ(registry->find(1)->nazev, QStringLiteral("Gama"));
    EXPECT_EQ(chooser->current()->cislo, 1);
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
}

TEST_F(ChooserTest, PasswordIsAskedAndComparedWithCase)
{
    ui::ScriptedMsg msg;
    registry->setPassword(2, QStringLiteral("tajne"));
    chooser->selectNumber(2);
    chooser->passwordPrompt = []() { return std::optional<QString>(QStringLiteral("TAJNE")); };
    chooser->openCurrent();
    EXPECT_EQ(msg.texts(), QStringList{"Neplatné heslo pro tyto Velorad."});
    chooser->passwordPrompt = []() { return std::optional<QString>(QStringLiteral("tajne")); };
    chooser->openCurrent();
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
    EXPECT_EQ(chooser->current()->cislo, 2);
    EXPECT_EQ(readIni(programFolder + QStringLiteral("Orvidan.ini"), QStringLiteral("Vyber"), QStringLiteral("Cislo")), QStringLiteral("2"));
}

TEST_F(ChooserTest, DeleteAsksTwiceAndASecondNoKeepsEverything)
{
    ui::ScriptedMsg msg;
    chooser->selectNumber(2);
    msg.answer(ui::MsgAnswer::Yes);
    msg.answer(ui::MsgAnswer::No);
    chooser->deleteCurrent();
    EXPECT_EQ(registry->list().size(), 2u);
    EXPECT_TRUE(QDir(programFolder + QStringLiteral("D2")).exists());
    QString panel;
    chooser->status = [&panel](const QString &t) { panel = t; };
    chooser->deleteCurrent();
    EXPECT_EQ(registry->list().size(), 1u);
    EXPECT_FALSE(QDir(programFolder + QStringLiteral("D2")).exists());
    EXPECT_EQ(panel, QStringLiteral("Velorad Beta byly vymazány."));
    EXPECT_EQ(msg.texts().count(QStringLiteral("Opravdu smazat Velorad Beta ?")), 4);
}

TEST_F(ChooserTest, OwnOrderingIsKeptInTheDataRootIni)
{
    chooser->selectNumber(1);
    chooser->positionsDialog = [](const QStringList &lines, int current) {
        EXPECT_EQ(lines, (QStringList{"1 Alfa", "2 Beta"}));
        EXPECT_EQ(current, 0);
        return QStringList{"2 Beta", "1 Alfa"};
    };
    chooser->changePositions();
    EXPECT_TRUE(chooser->ownOrdering());
    EXPECT_EQ(chooser->DBGridAuto1->item(0, 1)->text(), QStringLiteral("Beta"));
    EXPECT_EQ(readIni(programFolder + QStringLiteral("Orvidan.ini"), QStringLiteral("Orvidan"), QStringLiteral("Razeni")), QStringLiteral("0"));
    // Under own ordering a new data set takes the position of the current one.
    ui::ScriptedMsg msg;
    chooser->selectNumber(1);
    chooser->newDataSetDialog = [](int) { return std::optional<QString>(QStringLiteral("Gama")); };
    chooser->newDataSet();
    EXPECT_EQ(registry->find(3)->pozice, registry->find(1)->pozice);
    chooser->clearOwnOrdering();
    EXPECT_FALSE(chooser->ownOrdering());
    EXPECT_EQ(registry->find(3)->pozice, 3);
}

TEST_F(ChooserTest, ADataSetOpenInAnotherProgramIsRefused)
{
    testsupport::ChildHolder holder(programFolder + QStringLiteral("D1"), QStringLiteral("Modf"));
    ASSERT_TRUE(holder.holding());
    ui::ScriptedMsg msg;
    chooser->selectNumber(1);
    chooser->openCurrent();
    EXPECT_EQ(msg.texts(), QStringList{"Tyto Velorad právě zpracovává jiný uživatel."});
    EXPECT_NE(chooser->result(), QDialog::Accepted);
    holder.kill();
    chooser->openCurrent();
    EXPECT_EQ(msg.texts().size(), 1u);
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
}

TEST_F(ShellTest, DataLocationRefusesTheProgramFolderAndPreparesANetworkRoot)
{
    QFile exe(programFolder + QStringLiteral("Orvidan.exe"));
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    exe.close();
    const QString iniPath = programFolder + QStringLiteral("Orvidan.ini");
    ui::ScriptedMsg msg;
    {
        app::TAu5Form f(programFolder, iniPath);
        f.chooseDataFile(programFolder + QStringLiteral("Data.DB"));
        EXPECT_EQ(msg.texts(), QStringList{"Vyberte adresář s daty, který jste instalovali\nz \"Instalace dat pro program Velorad\""});
        EXPECT_TRUE(f.RadioButton1->isChecked());
        f.accept();
        EXPECT_EQ(readIni(iniPath, QStringLiteral("Orvidan"), QStringLiteral("Net")), QStringLiteral("0"));
    }
    // A network root already holding a registry keeps it; the template there is refreshed.
    testsupport::TempDir net;
    const QString target = net.path() + QStringLiteral("/ORVDATA/");
    DatasetRegistry existing(target);
    existing.ensure();
    existing.createDataSet(QStringLiteral("Sdílená"));
    EXPECT_EQ(app::datalocation::prepareNetworkRoot(programFolder, target), QString());
    EXPECT_EQ(DatasetRegistry(target).list().size(), 1u);
    EXPECT_TRUE(QFile::exists(target + QStringLiteral("Data/Mkd.X0F")));
    EXPECT_EQ(app::datalocation::applyChoice(iniPath, programFolder, true, target + QStringLiteral("Data.DB")), target);
    EXPECT_EQ(readIni(iniPath, QStringLiteral("Orvidan"), QStringLiteral("Net")), QStringLiteral("1"));
    EXPECT_EQ(readIni(iniPath, QStringLiteral("Orvidan"), QStringLiteral("Path")), target);
    // Network folders are told by the mount table.
    QFile mounts(net.file(QStringLiteral("mounts")));
    ASSERT_TRUE(mounts.open(QIODevice::WriteOnly));
    mounts.write("/dev/vda / ext4 rw 0 0\nserver:/export /mnt/firma nfs4 rw 0 0\n//nas/data /mnt/nas cifs rw 0 0\n");
    mounts.close();
    EXPECT_TRUE(app::datalocation::isNetworkFolder(QStringLiteral("/mnt/firma/ORVDATA"), mounts.fileName()));
    EXPECT_TRUE(app::datalocation::isNetworkFolder(QStringLiteral("/mnt/nas"), mounts.fileName()));
    EXPECT_FALSE(app::datalocation::isNetworkFolder(QStringLiteral("/mnt/firmax"), mounts.fileName()));
}

TEST_F(ShellTest, HelpShowsTopicsByContextNumber)
{
    app::HelpWindow help(46);
    EXPECT_TRUE(help.currentText().contains(QStringLiteral("Modifikace programu")));
    help.showTopic(2);
    EXPECT_TRUE(help.currentText().contains(QStringLiteral("Výběr Velorad")));
    help.showTopic(9999);
    EXPECT_EQ(help.currentContext(), 0);
}

// Drives the password dialog as the user does: types, presses the button, answers the questions.
TEST_F(ShellTest, PasswordDialogAddsAndChangesWithItsMessages)
{
    auto drive = [](const QString &original, const QString &fresh) {
        QTimer::singleShot(0, [original, fresh]() {
            QWidget *d = QApplication::activeModalWidget();
            ASSERT_NE(d, nullptr);
            d->findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(original);
            d->findChild<QLineEdit *>(QStringLiteral("Edit2"))->setText(fresh);
            d->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
            if (d->isVisible()) QMetaObject::invokeMethod(d, "reject", Qt::QueuedConnection);
        });
    };
    ui::ScriptedMsg msg;
    drive(QStringLiteral("abc"), QString());
    EXPECT_EQ(app::askPasswordChange(QStringLiteral("Alfa"), QString(), nullptr), std::optional<QString>(QStringLiteral("abc")));
    EXPECT_EQ(msg.texts(), (QStringList{"Opravdu přidat heslo ?", "Heslo bylo přidáno."}));
    drive(QStringLiteral("ABC"), QStringLiteral("nove"));
    EXPECT_EQ(app::askPasswordChange(QStringLiteral("Alfa"), QStringLiteral("abc"), nullptr), std::nullopt);
    EXPECT_EQ(msg.texts().last(), QStringLiteral("Neplatné heslo."));
    drive(QStringLiteral("abc"), QString());
    EXPECT_EQ(app::askPasswordChange(QStringLiteral("Alfa"), QStringLiteral("abc"), nullptr), std::optional<QString>(QString()));
    EXPECT_EQ(msg.texts().last(), QStringLiteral("Heslo bylo změněno."));
}
