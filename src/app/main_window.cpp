#include "main_window.h"

#include "help_topics.h"
#include "help_window.h"

#include "folder_paths.h"

#include "data/data_module.h"
#include "data/open_dataset.h"
#include "data/table_rules.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_place.h"
#include "platform/ui/window_tools.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace app {

namespace {
const QString kSection = QStringLiteral("Orvidan");

} // namespace

QString resolveProgramFolder(const QString &executableFolder)
{
    const QFileInfo info(executableFolder);
    if (info.isDir() && info.isWritable()) return withSlash(info.absoluteFilePath());
    QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (user.isEmpty()) user = QDir::homePath() + QStringLiteral("/.local/share/Velorad");
    QDir().mkpath(user);
    return withSlash(user);
}

TMainForm::TMainForm(data::TDM1 &dm, const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_dm(dm), m_programFolder(withSlash(programFolder)), m_dataRoot(m_programFolder)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(data::programTitle());
    ui::Msg::setTitle(QStringLiteral("Velorad"));
    buildMenu();
    buildToolBar();
    buildStatusBar();
    applyGeometry();
    ini::IniFile iniFile(programIniPath());
    iniFile.load();
    m_fontKind = iniFile.integer(kSection, QStringLiteral("TypPisma"), 0);
    data::program().setStatusSink(this);
    data::program().statusUpdatesOn = true;
    data::program().showInformation = [this](const QString &t) { ui::Msg::information(t, this); };
    data::program().showError = [this](const QString &t) { ui::Msg::error(t, this); };
    m_firstActivation = true;
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::ApplicationShortcut);
    connect(f1, &QShortcut::activated, this, [this]() {
        const int context = ui::helpContext(QApplication::focusWidget());
        showHelp(context > 0 ? context : int(HelpMainWindow));
    });
    firstRunChecks();
}

TMainForm::~TMainForm()
{
    if (data::program().statusSink() == this) data::program().setStatusSink(nullptr);
}

QString TMainForm::programIniPath() const { return m_programFolder + QStringLiteral("Orvidan.ini"); }

QString TMainForm::dataSetIniPath() const
{
    if (m_dataSetFolder.isEmpty()) return {};
    return m_dataRoot + m_dataSetFolder + QLatin1Char('/') + m_dataSetFolder + QStringLiteral(".ini");
}

void TMainForm::setDataRoot(const QString &root) { m_dataRoot = withSlash(root); }

QAction *TMainForm::addItem(QMenu *menu, const QString &name, const QString &caption, const QString &hint,
                            const QKeySequence &shortcut)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    a->setStatusTip(hint);
    a->setToolTip(hint);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    m_actions.insert(name, a);
    connect(a, &QAction::triggered, this, [this, name]() {
        auto it = m_commands.constFind(name);
        if (it != m_commands.constEnd() && it.value()) it.value()();
    });
    return a;
}

QAction *TMainForm::action(const QString &name) const { return m_actions.value(name, nullptr); }
QMenu *TMainForm::menu(const QString &name) const { return m_menus.value(name, nullptr); }

void TMainForm::setCommand(const QString &actionName, std::function<void()> run)
{
    m_commands.insert(actionName, std::move(run));
    TypDp1();
}

void TMainForm::buildMenu()
{
    auto addMenu = [this](const QString &name, const QString &caption) {
        QMenu *m = menuBar()->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        m_menus.insert(name, m);
        return m;
    };
    auto separator = [this](QMenu *m, const QString &name = {}) {
        QAction *s = m->addSeparator();
        if (!name.isEmpty()) {
            s->setObjectName(name);
            m_actions.insert(name, s);
        }
    };
    QMenu *soubor = addMenu(QStringLiteral("Soubor1"), QStringLiteral("&Soubor"));
    addItem(soubor, QStringLiteral("Vbrpkazdobanky1"), QStringLiteral("&Výběr příkazů do banky"), QStringLiteral("Výběr příkazů do banky"),
            QKeySequence(Qt::CTRL | Qt::Key_A));
    separator(soubor);
    addItem(soubor, QStringLiteral("Tisk2"), QStringLiteral("&Tisk"), QStringLiteral("Tisk příkazů do banky a závazků"),
            QKeySequence(Qt::Key_F6));
    addItem(soubor, QStringLiteral("Nastaventisku1"), QStringLiteral("&Nastavení tisku ..."),
            QStringLiteral("Zobrazí dialog pro nastavení tiskárny"));
    separator(soubor);
    addItem(soubor, QStringLiteral("Konec1"), QStringLiteral("&Konec"), QStringLiteral("Ukončí aplikaci"));

    QMenu *zavazky = addMenu(QStringLiteral("Zvazky1"), QStringLiteral("&Závazky"));
    addItem(zavazky, QStringLiteral("Zpisnovchzvazk1"), QStringLiteral("Zápis &nových závazků"), QStringLiteral("Zápis nových závazků"));
    addItem(zavazky, QStringLiteral("Zpiszvazkperiodickplatby1"), QStringLiteral("Zápis závazků - &periodické platby"),
            QStringLiteral("Zápis nových závazků, které jsou označeny jako periodické platby"));
    addItem(zavazky, QStringLiteral("Zpisinkasnchplateb1"), QStringLiteral("Zápis &inkasních plateb"),
            QStringLiteral("Zápis inkasních plateb - zjednodušený formulář"));
    separator(zavazky);
    addItem(zavazky, QStringLiteral("Uhrazenzvazk1"), QStringLiteral("&Uhrazení, prohlížení závazků "),
            QStringLiteral("Editace, uhrazení závazků - F3 vyhledávání podle různých kritérií"));
    separator(zavazky);
    addItem(zavazky, QStringLiteral("Adresdodavatel1"), QStringLiteral("Adresář &dodavatelů"), QStringLiteral("Adresář dodavatelů"));
    addItem(zavazky, QStringLiteral("selnkzakzek1"), QStringLiteral("Čí&selník zakázek"), QStringLiteral("Číselník zakázek"));
    separator(zavazky);
    addItem(zavazky, QStringLiteral("Tisk3"), QStringLiteral("&Tisk"), QStringLiteral("Tisk závazků"));
    separator(zavazky);
    addItem(zavazky, QStringLiteral("slovnvknizezvazk1"), QStringLiteral("Čísl&ování v knize závazků"),
            QStringLiteral("Číslování v knize závazků"));

    QMenu *ucty = addMenu(QStringLiteral("Zpisavbrt1"), QStringLiteral("Zá&pis a výběr účtů"));
    addItem(ucty, QStringLiteral("Vbrdatumuvystaven1"), QStringLiteral("&Výběr datumu vystavení a splatnosti"),
            QStringLiteral("Při zápisu plateb volíte stejné datumy splatnosti (F1)"))
        ->setData(int(HelpDateChoice));
    separator(ucty, QStringLiteral("N4"));
    addItem(ucty, QStringLiteral("Platby1"), QStringLiteral("Platby &na účty"), QStringLiteral("Výběr platby podle názvu, čísla účtu (F1)"))
        ->setData(18);
    addItem(ucty, QStringLiteral("Platbynaty1"), QStringLiteral("&Periodické platby bez datumu splatnosti"),
            QStringLiteral("Periodické platby bez datumu splatnosti (F1)"))
        ->setData(24);
    separator(ucty);
    addItem(ucty, QStringLiteral("Platbyztu1"), QStringLiteral("Platby &z účtu"), QStringLiteral("Zápis nových účtů, ze kterých se bude platit"));
    separator(ucty);
    addItem(ucty, QStringLiteral("Knihapkaz1"), QStringLiteral("&Kniha příkazů"), QStringLiteral("Kniha příkazů (F1)"))->setData(32);
    separator(ucty);
    addItem(ucty, QStringLiteral("Tisk1"), QStringLiteral("&Tisk"), QStringLiteral("Tisk příkazů do banky (F1)"))->setData(28);

    QMenu *dalsi = addMenu(QStringLiteral("Dalmonosti1"), QStringLiteral("Další &možnosti"));
    addItem(dalsi, QStringLiteral("Modifikaceprogramu1"), QStringLiteral("&Modifikace programu"),
            QStringLiteral("Název firmy, výběr tvaru datumu a další údaje (F1)"))
        ->setData(int(HelpSettings));
    separator(dalsi);
    addItem(dalsi, QStringLiteral("Zlohovndat1"), QStringLiteral("&Zálohování dat"), QStringLiteral("Zazálohuje data na pevný disk, disketu atd."));
    addItem(dalsi, QStringLiteral("Obnovendat1"), QStringLiteral("&Obnovení dat"), QStringLiteral("Obnoví data z pevného disku, diskety atd."));
    separator(dalsi, QStringLiteral("N13"));
    addItem(dalsi, QStringLiteral("ZlohovnPenospkaz1"), QStringLiteral("Zálo&hování - Přenos příkazů"),
            QStringLiteral("Zálohování - Přenos příkazů (F1)"))
        ->setData(int(HelpTransfer));
    addItem(dalsi, QStringLiteral("ObnovenPenospkaz1"), QStringLiteral("Ob&novení - Přenos příkazů"),
            QStringLiteral("Obnovení - Přenos příkazů (F1)"))
        ->setData(int(HelpTransfer));
    separator(dalsi, QStringLiteral("N14"));
    addItem(dalsi, QStringLiteral("Odmaznknihy1"), QStringLiteral("Odmazání &knihy příkazů a závazků"),
            QStringLiteral("Odmazání knihy příkazů i závazků ke zvolenému datu"));

    QMenu *napoveda = addMenu(QStringLiteral("Npovda1"), QStringLiteral("Nápo&věda"));
    addItem(napoveda, QStringLiteral("Tmanpovdy1"), QStringLiteral("&Téma nápovědy"), QStringLiteral("Zobrazí téma nápovědy"));
    separator(napoveda);
    addItem(napoveda, QStringLiteral("Nvodkprogramu1"), QStringLiteral("&Návod k programu"), QStringLiteral("Návod k programu"));

    m_commands.insert(QStringLiteral("Vbrpkazdobanky1"), [this]() {
        if (!VyberDanoveho()) close();
    });
    m_commands.insert(QStringLiteral("Konec1"), [this]() { close(); });
    m_commands.insert(QStringLiteral("Tmanpovdy1"), [this]() { showHelp(HelpMainWindow); });
    m_commands.insert(QStringLiteral("Nvodkprogramu1"), [this]() { showHelp(HelpContents); });
}

void TMainForm::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("SpeedBar"));
    bar->setObjectName(QStringLiteral("SpeedBar"));
    bar->setMovable(false);
    bar->setFixedHeight(32);
    bar->setIconSize(QSize(20, 20));
    struct Button {
        const char *name, *action, *shortHint, *longHint, *glyph;
    } buttons[] = {
        {"SpeedButton1", "Platby1", "Platby na účty", "výběr platby podle názvu, čísla účtu", "P"},
        {"SpeedButton2", "Platbyztu1", "Platby z účtu", "zápis nových účtů, ze kterých se bude platit", "Ú"},
        {"SpeedButton3", "Knihapkaz1", "Kniha příkazů", "kniha příkazů", "K"},
        {"SpeedButton4", "Zpisnovchzvazk1", "Zápis nových závazků", "zápis nových závazků", "Z"},
        {"SpeedButton5", "Uhrazenzvazk1", "Uhrazení závazků", "editace, uhrazení závazků", "U"},
        {"SpeedButton6", "Adresdodavatel1", "Adresář dodavatelů", "adresář dodavatelů", "A"},
    };
    for (const auto &b : buttons) {
        auto *button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setAutoRaise(true);
        button->setFixedSize(26, 26);
        button->setText(QString::fromUtf8(b.glyph));
        button->setToolTip(QString::fromUtf8(b.shortHint));
        button->setStatusTip(QString::fromUtf8(b.longHint));
        const QString actionName = QString::fromLatin1(b.action);
        connect(button, &QToolButton::clicked, this, [this, actionName]() {
            if (QAction *a = action(actionName); a && a->isEnabled()) a->trigger();
        });
        bar->addWidget(button);
        if (QString::fromLatin1(b.name) == QLatin1String("SpeedButton3")) bar->addSeparator();
        m_toolButtons.push_back(button);
    }
}

void TMainForm::buildStatusBar()
{
    const int widths[4] = {506, 75, 35, 0};
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setFixedWidth(widths[i]);
        if (i == 1 || i == 2) m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(m_panels[i]);
    }
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(false);
}

void TMainForm::setPanelText(int panel, const QString &text)
{
    if (panel >= 0 && panel < 4) m_panels[panel]->setText(text);
}

QString TMainForm::panelText(int panel) const { return panel >= 0 && panel < 4 ? m_panels[panel]->text() : QString(); }
int TMainForm::panelWidth(int panel) const { return panel >= 0 && panel < 4 ? m_panels[panel]->width() : 0; }

void TMainForm::setCaption(const QString &caption) { setWindowTitle(caption); }

bool TMainForm::event(QEvent *e)
{
    if (e->type() == QEvent::StatusTip) {
        setPanelText(0, static_cast<QStatusTipEvent *>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TMainForm::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    const int w = statusBar()->width();
    m_panels[0]->setFixedWidth(w <= 450 ? 324 : w - 126);
}

void TMainForm::applyGeometry()
{
    const QSize s = ui::screenSize();
    move(0, 0);
    resize(s.width() < 641 ? 640 : 800, s.height() < 481 ? 453 : 573);
    ini::IniFile iniFile(programIniPath());
    iniFile.load();
    const int maximized = iniFile.integer(kSection, QStringLiteral("Maximized"), -1);
    if (maximized == -1) {
        if (s.width() < 801) setWindowState(Qt::WindowMaximized);
        return;
    }
    const int top = iniFile.integer(kSection, QStringLiteral("Top"), y());
    const int left = iniFile.integer(kSection, QStringLiteral("Left"), x());
    const int width = iniFile.integer(kSection, QStringLiteral("Width"), this->width());
    const int height = iniFile.integer(kSection, QStringLiteral("Height"), this->height());
    move(left, top);
    resize(width, height);
    setWindowState(maximized == 1 ? Qt::WindowMaximized : Qt::WindowNoState);
}

void TMainForm::firstRunChecks()
{
    ini::IniFile iniFile(programIniPath());
    iniFile.load();
    // The database engine's use count has no equivalent here: the section is left as it is.
    if (iniFile.integer(QStringLiteral("Zastupce"), QStringLiteral("Ano"), 0) == 1) {
        iniFile.removeSection(QStringLiteral("Zastupce"));
        iniFile.save();
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        if (!desktop.isEmpty() && QFileInfo(desktop).isDir()) {
            QFile launcher(withSlash(desktop) + QStringLiteral("Velorad.desktop"));
            if (launcher.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                const QString exe = QCoreApplication::applicationFilePath();
                launcher.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Velorad\nComment=Příkazy do banky\n"
                                              "Exec=\"%1\"\nTerminal=false\nCategories=Office;Finance;\n")
                                   .arg(exe)
                                   .toUtf8());
                launcher.close();
                launcher.setPermissions(launcher.permissions() | QFileDevice::ExeOwner);
            }
        }
    }
}

void TMainForm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    TypDp1();
    // The first activation also runs when the platform never reports the window active
    // (no window manager), so the user is never left without the chooser.
    if (m_firstActivation && !m_firstActivationQueued) {
        m_firstActivationQueued = true;
        QTimer::singleShot(300, this, [this]() {
            if (m_firstActivation) firstActivation();
        });
    }
}

void TMainForm::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && m_firstActivation)
        QTimer::singleShot(0, this, [this]() {
            if (m_firstActivation) firstActivation();
        });
}

void TMainForm::firstActivation()
{
    m_firstActivation = false;
    ini::IniFile iniFile(programIniPath());
    iniFile.load();
    if (iniFile.value(kSection, QStringLiteral("Net"), QString()) == QLatin1String("1")) {
        const QString path = iniFile.value(kSection, QStringLiteral("Path"), QString());
        if (!path.isEmpty()) {
            if (QFileInfo(QDir::fromNativeSeparators(path)).isDir()) {
                setDataRoot(path);
            } else {
                ui::Msg::error(QStringLiteral("Adresář %1\nneexistuje, nebo není dostupný na síťové jednotce.").arg(path), this);
                setDataRoot(m_programFolder);
            }
        }
    }
    if (iniFile.value(kSection, QStringLiteral("Net"), QString()).isEmpty() && dataLocation) {
        if (dataLocation()) {
            close();
            return;
        }
    }
    if (!VyberDanoveho()) close();
}

bool TMainForm::VyberDanoveho()
{
    if (!chooser) return true;
    const ChooserResult r = chooser();
    if (r == ChooserResult::Abort) return false;
    TypDp1();
    return true;
}

void TMainForm::TypDp1()
{
    const bool open = !m_dataSetFolder.isEmpty() && QFileInfo(m_dataRoot + m_dataSetFolder).isDir();
    for (const char *m : {"Zvazky1", "Zpisavbrt1", "Dalmonosti1"})
        if (QMenu *mm = menu(QString::fromLatin1(m))) mm->menuAction()->setEnabled(open);
    // A command is usable only when its window exists.
    for (auto it = m_actions.constBegin(); it != m_actions.constEnd(); ++it) {
        QAction *a = it.value();
        if (a->isSeparator()) continue;
        const QString &name = it.key();
        const bool always = name == QLatin1String("Vbrpkazdobanky1") || name == QLatin1String("Konec1") ||
                            name == QLatin1String("Tmanpovdy1") || name == QLatin1String("Nvodkprogramu1");
        a->setEnabled(always || (open && m_commands.contains(name)));
    }
    for (QToolButton *b : m_toolButtons) {
        QAction *a = nullptr;
        static const QHash<QString, QString> map{{QStringLiteral("SpeedButton1"), QStringLiteral("Platby1")},
                                                 {QStringLiteral("SpeedButton2"), QStringLiteral("Platbyztu1")},
                                                 {QStringLiteral("SpeedButton3"), QStringLiteral("Knihapkaz1")},
                                                 {QStringLiteral("SpeedButton4"), QStringLiteral("Zpisnovchzvazk1")},
                                                 {QStringLiteral("SpeedButton5"), QStringLiteral("Uhrazenzvazk1")},
                                                 {QStringLiteral("SpeedButton6"), QStringLiteral("Adresdodavatel1")}};
        a = action(map.value(b->objectName()));
        b->setEnabled(open && a && a->isEnabled());
    }
    const bool sameDates = open && m_dm.Modf.active() && m_dm.ModfDd->asBoolean();
    const bool transfer = open && m_dm.Mtt.active() && m_dm.MttZak->asBoolean();
    action(QStringLiteral("Vbrdatumuvystaven1"))->setVisible(!open || sameDates);
    action(QStringLiteral("N4"))->setVisible(!open || sameDates);
    for (const char *n : {"ZlohovnPenospkaz1", "ObnovenPenospkaz1", "N14"}) action(QString::fromLatin1(n))->setVisible(!open || transfer);
}

void TMainForm::ExecuteFile(const QString &file) { QDesktopServices::openUrl(QUrl::fromLocalFile(file)); }

void TMainForm::showHelp(int context)
{
    HelpWindow help(context, this);
    help.exec();
}

void TMainForm::closeEvent(QCloseEvent *e)
{
    m_dm.Orvidas.close();
    ini::IniFile iniFile(programIniPath());
    iniFile.load();
    if (windowState() & Qt::WindowMaximized) {
        iniFile.setInteger(kSection, QStringLiteral("Maximized"), 1);
    } else {
        iniFile.setInteger(kSection, QStringLiteral("Top"), y());
        iniFile.setInteger(kSection, QStringLiteral("Left"), x());
        iniFile.setInteger(kSection, QStringLiteral("Width"), width());
        iniFile.setInteger(kSection, QStringLiteral("Height"), height());
        iniFile.setInteger(kSection, QStringLiteral("Maximized"), 0);
    }
    iniFile.setInteger(kSection, QStringLiteral("TypPisma"), m_fontKind);
    iniFile.save();
    data::closeAll(m_dm);
    QSettings settings(QStringLiteral("Tarnel"), QStringLiteral("Velorad"));
    settings.setValue(QStringLiteral("Orvidan"), m_programFolder);
    settings.setValue(QStringLiteral("Verze"), QStringLiteral("3.10"));
    e->accept();
}

} // namespace app
