#include "startup_window.h"

#include "chooser_window.h"
#include "data_location_window.h"
#include "main_window.h"
#include "calendar_window.h"
#include "settings_window.h"

#include "orders/date_choice_window.h"
#include "orders/own_accounts_window.h"
#include "orders/payments_window.h"
#include "orders/periodic_payments_window.h"

#include "platform/ui/window_place.h"
#include "platform/ui/window_tools.h"

#include "data/data_module.h"
#include "data/open_dataset.h"
#include "data/table_rules.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QSplashScreen>
#include <memory>

namespace app {

void wireMainWindow(TMainForm &window, data::TDM1 &dm)
{
    createCalendarPicker(&window);
    setMenuAdaptationHook([&window]() { window.TypDp1(); });
    ui::routeHints([&window](const QString &text) { window.setPanelText(0, text); });
    window.setCommand(QStringLiteral("Modifikaceprogramu1"), [&window, &dm]() { Modifikaceprogramu1Click(dm, &window); });
    window.setCommand(QStringLiteral("Platbyztu1"), [&window, &dm]() { orders::Platbyztu1Click(dm, &window); });
    window.setCommand(QStringLiteral("Platby1"), [&window, &dm]() { orders::Platbynaty1Click(dm, &window); });
    window.setCommand(QStringLiteral("Platbynaty1"),
                      [&window, &dm]() { orders::Periodickplatbybezdatumusplatnosti1Click(dm, &window); });
    window.setCommand(QStringLiteral("Vbrdatumuvystaven1"),
                      [&window, &dm]() { orders::Vbrdatumuvystavenasplatnosti1Click(dm, &window); });
    auto chooserWindow = std::make_shared<std::unique_ptr<TAuto1Form>>();
    auto chooserRoot = std::make_shared<QString>();
    window.dataLocation = [&window]() {
        TAu5Form location(window.programFolder(), window.programIniPath(), &window);
        location.exec();
        const bool changed = location.dataRoot() != window.dataRoot();
        window.setDataRoot(location.dataRoot());
        return changed && location.restartNeeded();
    };
    window.chooser = [&window, &dm, chooserWindow, chooserRoot]() {
        // No data set is open while the chooser shows.
        dm.closeDataSet();
        if (!*chooserWindow || *chooserRoot != window.dataRoot()) {
            chooserWindow->reset(new TAuto1Form(window.dataRoot(), window.programIniPath(), &window));
            *chooserRoot = window.dataRoot();
            (*chooserWindow)->status = [&window](const QString &t) { window.setPanelText(0, t); };
        }
        TAuto1Form &chooser = **chooserWindow;
        chooser.dataLocation = [&window]() {
            const QString before = window.dataRoot();
            TAu5Form location(window.programFolder(), window.programIniPath(), &window);
            location.exec();
            window.setDataRoot(location.dataRoot());
            return location.dataRoot() != before;
        };
        chooser.choose();
        if (chooser.aborted()) return ChooserResult::Abort;
        if (const auto c = chooser.current()) {
            window.setDataSetFolder(c->adresar);
            ui::setDataSetIni(window.dataSetIniPath());
            data::openDataSet(dm, window.dataRoot(), c->adresar);
        } else {
            window.setDataSetFolder(QString());
        }
        return ChooserResult::Open;
    };
}

int runProgram(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velorad"));
    QApplication::setOrganizationName(QStringLiteral("Tarnel"));
    QPixmap picture(360, 160);
    picture.fill(QColor(0x20, 0x4a, 0x87));
    {
        QPainter p(&picture);
        p.setPen(Qt::white);
        QFont f = p.font();
        f.setPointSize(28);
        f.setBold(true);
        p.setFont(f);
        p.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("Velorad"));
    }
    QSplashScreen splash(picture);
    splash.show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    app.processEvents();

    const QString programFolder = resolveProgramFolder(QCoreApplication::applicationDirPath());
    data::TDM1 &dm = data::createDataModule();
    data::installTableRules(dm);
    dm.OrvSession.close();
    dm.OrvSession.setNetDir(programFolder);
    dm.OrvSession.open();
    int result = 0;
    {
        TMainForm window(dm, programFolder);
        wireMainWindow(window, dm);
        QApplication::restoreOverrideCursor();
        splash.finish(&window);
        window.show();
        window.activateWindow();
        result = app.exec();
    }
    data::destroyDataModule();
    return result;
}

} // namespace app
