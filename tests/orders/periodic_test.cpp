#include "orders_fixture.h"

#include "orders/own_accounts_window.h"
#include "orders/payments_window.h"
#include "orders/periodic_payments_window.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/pick_label.h"

#include <QPushButton>
#include <QToolButton>

namespace {

// Periodic payments waiting for a date (days 5 and 15 of the month, one of -3 typed by mistake),
// and an ordinary payment; own account 1 pays one day early.
class PeriodicTest : public OrdersTest {
protected:
    void SetUp() override
    {
        OrdersTest::SetUp();
        account(1, 1);
        payment(QStringLiteral("Pojištění"), QStringLiteral("200"), 15, true);
        payment(QStringLiteral("Nájem"), QStringLiteral("100"), 5, true);
        payment(QStringLiteral("Chyba"), QStringLiteral("300"), -3, true);
        payment(QStringLiteral("Energie"), QStringLiteral("400"));
    }
    // The periodic command; the action works in the open window and closes it.
    void runPeriodic(const std::function<void(orders::TEbz2splForm *)> &action)
    {
        ModalAnswers answers([action](QDialog *w) {
            if (auto *p = qobject_cast<orders::TEbz2splForm *>(w)) action(p);
        });
        orders::Periodickplatbybezdatumusplatnosti1Click(dm);
        ASSERT_FALSE(answers.opened.empty());
    }
    QStringList waiting()
    {
        QStringList names;
        for (dm.Mbz.first(); !dm.Mbz.eof(); dm.Mbz.next())
            if (dm.MbzO1->asString() == QLatin1String("T")) names << dm.MbzNa->asString();
        names.sort();
        return names;
    }
};

TEST_F(PeriodicTest, APaymentGivenADateLeavesTheListWhenTheWindowCloses)
{
    setting(dm.ModfDd, true); // the periodic window recomputes the issue date all the same
    runPeriodic([this](orders::TEbz2splForm *w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Periodické platby bez datumu splatnosti"));
        EXPECT_EQ(dm.Mbz.recordCount(), 3);
        EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Chyba")); // in the order of the day
        EXPECT_EQ(status.panels[1], QStringLiteral("1/3"));
        EXPECT_FALSE(w->DBNavigator->isButtonVisible(ui::TDBNavigator::Insert));
        EXPECT_FALSE(w->DBNavigator->isButtonVisible(ui::TDBNavigator::Delete));
        EXPECT_EQ(w->DuplButton, nullptr);
        EXPECT_EQ(w->DateButton, nullptr);
        EXPECT_EQ(w->LabelD3, nullptr);
        EXPECT_TRUE(w->DBEditP->isVisible());
        ui::pressKey(Qt::Key_PageDown);
        EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Nájem"));
        for (Qt::Key key : {Qt::Key_Insert, Qt::Key_F2}) ui::pressKey(key);
        ui::pressKey(Qt::Key_Y, Qt::ControlModifier);
        ui::pressKey(Qt::Key_D, Qt::ControlModifier);
        EXPECT_EQ(dm.Mbz.recordCount(), 3);
        EXPECT_EQ(dm.Mbz.state(), db::DatasetState::Browse);
        w->DBEditPc->setFocus();
        typeOver(QStringLiteral("1"));
        ui::pressKey(Qt::Key_Return);
        w->DBEditD1->setFocus();
        typeOver(QStringLiteral("5.4"));
        ui::pressKey(Qt::Key_Return);
        EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 4, 2)); // Monday 5 April, one day early
        w->ZavritButton->click(); // the question: Yes posts
    });
    EXPECT_EQ(msg.texts(),
              QStringList{QStringLiteral("V tabulce Periodické platby bez datumu splatnosti byly provedeny změny.\nUložit záznam?")});
    EXPECT_FALSE(dm.Mbz.hasRange());
    EXPECT_EQ(dm.Mbz.indexName(), QStringLiteral("Na"));
    EXPECT_EQ(dm.Mbz.recordCount(), 4);
    EXPECT_TRUE(status.panels[1].isEmpty());
    EXPECT_TRUE(status.panels[2].isEmpty());
    EXPECT_EQ(waiting(), (QStringList{QStringLiteral("Chyba"), QStringLiteral("Pojištění")}));
    EXPECT_FALSE(data::program().isOpen(data::WindowId::PeriodicPayments));

    runPeriodic([this](orders::TEbz2splForm *w) {
        EXPECT_EQ(dm.Mbz.recordCount(), 2);
        w->ZavritButton->click();
    });
}

TEST_F(PeriodicTest, TheSearchGoesToTheNearestDayAndLettersCountAsZero)
{
    runPeriodic([this](orders::TEbz2splForm *w) {
        ModalAnswers finds([this](QDialog *d) {
            auto *find = qobject_cast<orders::TFind4Form *>(d);
            ASSERT_TRUE(find);
            EXPECT_EQ(find->windowTitle(), QStringLiteral("Vyhledávání podle periodické platby"));
            EXPECT_EQ(find->FindEdit->maxLength(), 4);
            find->FindEdit->setText(QStringLiteral("12"));
            EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Pojištění"));
            find->FindEdit->setText(QStringLiteral("abc"));
            EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Nájem")); // day 0 or above
            find->FindEdit->setText(QStringLiteral("-50"));
            EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Chyba"));
            find->FindEdit->setText(QStringLiteral("150")); // out of -99..99: as 0
            EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Nájem"));
            find->ZavritButton->click();
        });
        ui::pressKey(Qt::Key_F3);
        EXPECT_EQ(finds.opened.size(), 1u);
        EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Nájem"));
        w->ZavritButton->click();
    });
    EXPECT_TRUE(msg.shown().empty());
}

TEST_F(PeriodicTest, ThePickWorksOnlyWhileTheListShowsRows)
{
    // With rows: the list opens and the copy recomputes the issue date.
    runPeriodic([this](orders::TEbz2splForm *w) {
        dm.Mbz.edit();
        dm.MbzD1->setAsDate(QDate(2004, 3, 29));
        dm.Mbz.post();
        ModalAnswers lists([](QDialog *d) { qobject_cast<orders::TEbzpForm *>(d)->PrenestButton->click(); });
        w->DBEditPc->setFocus();
        ui::pressKey(Qt::Key_F7, Qt::ShiftModifier);
        EXPECT_EQ(lists.opened.size(), 1u);
        EXPECT_EQ(dm.MbzBai->asString(), QStringLiteral("KB 1"));
        EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 26));
        dm.Mbz.cancel();
        w->ZavritButton->click();
    });
    // Without rows: nothing opens from Pc or D1 and the navigator is off.
    dm.PrevodQr.setSql(QStringLiteral("Update Mbz set O1 = \"F\""));
    dm.PrevodQr.execSql();
    dm.PrevodQr.close();
    dm.Mbz.refresh();
    runPeriodic([this](orders::TEbz2splForm *w) {
        EXPECT_EQ(dm.Mbz.recordCount(), 0);
        EXPECT_FALSE(w->DBNavigator->isEnabled());
        ModalAnswers nothing([](QDialog *d) { d->reject(); });
        w->DBEditPc->setFocus();
        ui::pressKey(Qt::Key_F7, Qt::ShiftModifier);
        ui::pressKey(Qt::Key_Return);
        w->DBEditD1->setFocus();
        ui::pressKey(Qt::Key_F7, Qt::ShiftModifier);
        ui::clickWidget(w->LabelD1);
        ui::clickWidget(w->LabelPc);
        settle();
        EXPECT_TRUE(nothing.opened.empty());
        w->ZavritButton->click();
    });
    EXPECT_TRUE(msg.shown().empty());
}

TEST_F(PeriodicTest, TiskOpensThePrintCentreOnItsOrdersPage)
{
    std::vector<int> pages;
    orders::setPrintCentreOpener([&pages](int page, QWidget *) { pages.push_back(page); });
    runPeriodic([](orders::TEbz2splForm *w) { w->TiskButton->click(); });
    orders::setPrintCentreOpener({});
    EXPECT_EQ(pages, std::vector<int>{2});
    EXPECT_NE(orders::paymentReturn().id, 0); // the payment to come back to
}

} // namespace
