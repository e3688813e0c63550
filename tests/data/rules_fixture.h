#pragma once

#include "app/dataset_registry.h"
#include "data/data_module.h"
#include "data/open_dataset.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

// Records what the core writes to the status bar and the caption.
class RecordingStatus : public data::StatusSink {
public:
    void setPanelText(int panel, const QString &text) override { panels[panel] = text; }
    void setCaption(const QString &text) override { caption = text; }
    QString panels[4];
    QString caption;
};

// A data set D1 made from the template, opened by a data module with every rule attached;
// today is Saturday 20 March 2004 unless a test says otherwise.
class RulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgram();
        app::DatasetRegistry registry(root.path());
        registry.ensure();
        folder = registry.createDataSet(QStringLiteral("Firma"));
        data::installTableRules(dm);
        const data::OpenReport report = data::openDataSet(dm, root.path(), folder);
        ASSERT_TRUE(report.complete) << report.error.toStdString();
    }
    void TearDown() override
    {
        dm.closeDataSet();
        resetProgram();
    }
    void resetProgram()
    {
        data::ProgramState &ps = data::program();
        ps = data::ProgramState();
        ps.setToday(QDate(2004, 3, 20));
        ps.setStatusSink(&status);
        ps.showInformation = [this](const QString &t) { messages << t; };
        ps.showError = [this](const QString &t) { messages << t; };
        ps.focusRequest = [this](data::WindowId, const QString &control) { focus << control; };
    }
    void addOwnAccount(int pc, const QString &bank = QStringLiteral("KB"), int days = 0)
    {
        dm.Mbzp.append();
        dm.MbzpPc->setAsInteger(pc);
        dm.MbzpBa->setAsString(bank);
        dm.MbzpNa->setAsString(QStringLiteral("v Praze"));
        dm.MbzpCu->setAsString(QStringLiteral("19-123457"));
        dm.MbzpKb->setAsString(QStringLiteral("0100"));
        dm.MbzpP->setAsInteger(days);
        dm.Mbzp.post();
    }
    void setModf(const std::function<void()> &change)
    {
        dm.Modf.edit();
        change();
        dm.Modf.post();
    }

    testsupport::TempDir root;
    QString folder;
    data::TDM1 dm;
    RecordingStatus status;
    QStringList messages, focus;
};
