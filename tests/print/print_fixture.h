#pragma once

#include "report/report_test_env.h"

#include "app/dataset_registry.h"
#include "data/data_module.h"
#include "data/open_dataset.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/db/formats.h"
#include "print/report_preparation.h"
#include "support/test_support.h"

#include <QDate>
#include <functional>

// One payment of a print run.
struct Payment {
    QString na;
    QString cu;
    QString kb;
    QString vs;
    double ca = 0;
    bool ik = false;
    QString ks = QStringLiteral("0308");
    QString ss = QString();
    QString upp = QString();
    int pc = 1;
    QDate d3 = QDate(2004, 3, 23);
    QDate d1 = QDate(2004, 3, 25);
    int spl = 0;
    QString vm = QString();
};

// A data set D1 made from the template and opened with every rule, with one own account (1,
// "Komerční banka") and print settings for the run of Tuesday 23 March 2004; today is
// Saturday 20 March 2004.
class PrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reporttest::ensureApplication();
        resetProgram();
        app::DatasetRegistry registry(root.path());
        registry.ensure();
        folder = registry.createDataSet(QStringLiteral("Firma"));
        data::installTableRules(dm);
        const data::OpenReport report = data::openDataSet(dm, root.path(), folder);
        ASSERT_TRUE(report.complete) << report.error.toStdString();
        db::formatSettings().decimalSeparator = QLatin1Char(',');
        addOwnAccount();
        setMtt([&] {
            dm.MttDz->setAsDate(QDate(2004, 3, 23));
            dm.MttPc->setAsInteger(1);
            dm.MttDs->setAsDate(QDate(2004, 3, 1));
            dm.MttDk->setAsDate(QDate(2004, 3, 31));
            dm.MttDzh->setAsDate(QDate(2004, 3, 1));
            dm.MttDkh->setAsDate(QDate(2004, 3, 31));
            dm.MttVh->setAsInteger(5);
            dm.MttVl->setAsInteger(10);
        });
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
        ps.showInformation = [this](const QString &t) { messages << t; };
        ps.showError = [this](const QString &t) { messages << t; };
    }
    void addOwnAccount(int pc = 1)
    {
        dm.Mbzp.append();
        dm.MbzpPc->setAsInteger(pc);
        dm.MbzpBa->setAsString(QStringLiteral("Komerční banka"));
        dm.MbzpNa->setAsString(QStringLiteral("v Praze"));
        dm.MbzpCu->setAsString(QStringLiteral("19-123457"));
        dm.MbzpKb->setAsString(QStringLiteral("0100"));
        dm.MbzpV->setAsString(QStringLiteral("Ústí n. L."));
        dm.MbzpKti->setAsString(QStringLiteral("1234"));
        dm.MbzpM->setAsString(QStringLiteral("Kč"));
        dm.Mbzp.post();
    }
    void addPayment(const Payment &p)
    {
        dm.Mbz.append();
        dm.MbzNa->setAsString(p.na);
        dm.MbzBa->setAsString(QStringLiteral("ČSOB"));
        dm.MbzCu->setAsString(p.cu);
        dm.MbzKb->setAsString(p.kb);
        dm.MbzVs->setAsString(p.vs);
        dm.MbzKs->setAsString(p.ks);
        dm.MbzSs->setAsString(p.ss);
        dm.MbzCa->setAsFloat(p.ca);
        dm.MbzPc->setAsInteger(p.pc);
        dm.MbzBai->setAsString(QStringLiteral("Komerční banka"));
        dm.MbzNai->setAsString(QStringLiteral("v Praze"));
        dm.MbzCui->setAsString(QStringLiteral("19-123457"));
        dm.MbzUpp->setAsString(p.upp);
        dm.MbzIk->setAsBoolean(p.ik);
        dm.MbzSpl->setAsInteger(p.spl);
        dm.MbzVm->setAsString(p.vm);
        if (p.d1.isValid()) dm.MbzD1->setAsDate(p.d1);
        if (p.d3.isValid()) dm.MbzD3->setAsDate(p.d3);
        dm.Mbz.post();
    }
    // The two payments of the standard run.
    void addStandardRun()
    {
        Payment rent{QStringLiteral("Nájem kanceláře"), QStringLiteral("35-1234567890"), QStringLiteral("0800"),
                     QStringLiteral("2004031"), 12345.5};
        rent.ss = QStringLiteral("77");
        rent.upp = QStringLiteral("nájem za březen");
        addPayment(rent);
        addPayment({QStringLiteral("Elektřina"), QStringLiteral("987654321"), QStringLiteral("0300"), QStringLiteral("55"), 1200});
    }
    void setMtt(const std::function<void()> &change)
    {
        dm.Mtt.edit();
        change();
        dm.Mtt.post();
    }
    void setModf(const std::function<void()> &change)
    {
        dm.Modf.edit();
        change();
        dm.Modf.post();
    }
    print::PrintOutput printNode(int node, const print::PrintOptions &options = {})
    {
        return print::printNode(dm, node, options);
    }
    // The texts printed on a page, in drawing order.
    static QStringList textsOf(const report::Document &doc, int page = 0)
    {
        QStringList texts;
        for (const report::DrawOp &op : doc.pages.at(size_t(page)).ops)
            if (op.kind == report::DrawOp::Text) texts << op.text;
        return texts;
    }
    // The first text operation with the given text, or null.
    static const report::DrawOp *findText(const report::Document &doc, const QString &text, int page = 0)
    {
        for (const report::DrawOp &op : doc.pages.at(size_t(page)).ops)
            if (op.kind == report::DrawOp::Text && op.text == text) return &op;
        return nullptr;
    }

    testsupport::TempDir root;
    QString folder;
    data::TDM1 dm;
    QStringList messages;
};
