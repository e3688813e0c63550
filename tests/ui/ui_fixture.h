#pragma once

#include "app/dataset_registry.h"
#include "data/data_module.h"
#include "data/open_dataset.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/ui/msg.h"
#include "platform/ui/test_keys.h"
#include "platform/ui/window_place.h"
#include "support/test_support.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// Records what the core writes to the status bar and the caption.
class UiStatus : public data::StatusSink {
public:
    void setPanelText(int panel, const QString &text) override { panels[panel] = text; }
    void setCaption(const QString &text) override { caption = text; }
    QString panels[4];
    QString caption;
};

// Shows a window and makes it the active one, as a click on it would.
inline void showActive(QWidget *w)
{
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    QCoreApplication::processEvents();
}

// Runs an action on the modal window of type T as soon as it is shown (the exec() the test
// is about to call then returns when the action closes it). Gives up after about ten seconds.
template <typename T>
void onModal(std::function<void(T *)> action)
{
    auto *timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, action]() {
        T *w = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!w && ++*tries < 2000) return;
        timer->stop();
        timer->deleteLater();
        if (!w) return;
        w->activateWindow();
        QApplication::setActiveWindow(w);
        action(w);
    });
    timer->start(5);
}

// A company data set D1 made from the template and opened with every table rule, scripted
// message boxes, the window places kept in D1's INI; today is Saturday 20 March 2004.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgram();
        app::DatasetRegistry registry(root.path());
        registry.ensure();
        folder = registry.createDataSet(QStringLiteral("Firma"));
        data::installTableRules(dm);
        openFolder(folder);
    }
    void TearDown() override
    {
        ui::setDataSetIni(QString());
        ui::overrideScreenSize(QSize());
        dm.closeDataSet();
        data::program() = data::ProgramState();
    }
    void openFolder(const QString &f)
    {
        const data::OpenReport report = data::openDataSet(dm, root.path(), f);
        ASSERT_TRUE(report.complete) << report.error.toStdString();
        ui::setDataSetIni(root.path() + QLatin1Char('/') + f + QLatin1Char('/') + f + QStringLiteral(".ini"));
    }
    void resetProgram()
    {
        data::ProgramState &ps = data::program();
        ps = data::ProgramState();
        ps.setToday(QDate(2004, 3, 20));
        ps.setStatusSink(&status);
        ps.showInformation = [](const QString &t) { ui::Msg::information(t); };
        ps.showError = [](const QString &t) { ui::Msg::error(t); };
    }
    void addOwnAccount(int pc, const QString &bank = QStringLiteral("KB"))
    {
        dm.Mbzp.append();
        dm.MbzpPc->setAsInteger(pc);
        dm.MbzpBa->setAsString(bank);
        dm.MbzpNa->setAsString(QStringLiteral("v Praze"));
        dm.MbzpCu->setAsString(QStringLiteral("19-123457"));
        dm.MbzpKb->setAsString(QStringLiteral("0100"));
        dm.Mbzp.post();
    }

    testsupport::TempDir root;
    QString folder;
    data::TDM1 dm;
    UiStatus status;
    ui::ScriptedMsg msg;
};
