#include "orders_fixture.h"

#include "app/calendar_window.h"
#include "orders/date_choice_window.h"
#include "orders/own_accounts_window.h"
#include "orders/payments_window.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/own_account_pick.h"
#include "platform/ui/pick_label.h"

#include <QCalendarWidget>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

// The payment window over own accounts 1 (one day early) and 2 (three days early).
class PaymentsTest : public OrdersTest {
protected:
    void SetUp() override
    {
        OrdersTest::SetUp();
        account(1, 1);
        account(2, 3);
    }
    void TearDown() override
    {
        form.reset();
        orders::setPrintCentreOpener({});
        OrdersTest::TearDown();
    }
    orders::TEbz2Form &open()
    {
        dm.Mbz.first();
        form = std::make_unique<orders::TEbz2Form>(dm);
        showActive(form.get());
        return *form;
    }
    std::unique_ptr<orders::TEbz2Form> form;
};

TEST_F(PaymentsTest, APaymentTypedWithEnterThroughEveryFieldWithTheHandoverDateFollowing)
{
    open();
    ui::pressKey(Qt::Key_Insert);
    ASSERT_EQ(dm.Mbz.state(), db::DatasetState::Insert);
    EXPECT_EQ(focused(), form->DBEditPc); // several accounts: the new row starts in Pc
    EXPECT_EQ(status.panels[1], QStringLiteral("Nový záznam"));
    // What is typed into each field in the Enter order ("" leaves the field as it is).
    const std::vector<std::pair<ui::TDBEditz *, const char *>> typed{
        {form->DBEditPc, "1"},        {form->DBEditBai, ""},      {form->DBEditNai, ""},
        {form->DBEditCui, ""},        {form->DBEditD1, "22.3"},   {form->DBEditP, "2"},
        {form->DBEditD3, ""},         {form->DBEditCa, "1250.5"}, {nullptr, ""},
        {form->DBEditVs, "2004017"},  {nullptr, ""},              {form->DBEditNa, "Nájem kanceláře Žižkov"},
        {form->DBEditBa, "ČSOB Praha"}, {form->DBEditCu, "35-1234567"}, {form->DBEditKb, "0300"},
        {form->DBEditKs, "0308"},     {form->DBEditSs, "77"},     {form->DBEditSpl, "22"},
        {form->DBEditVm, "1.-12."},   {nullptr, ""}};
    QStringList path;
    for (const auto &[edit, text] : typed) {
        path << focused()->objectName();
        if (edit) {
            EXPECT_EQ(focused(), edit) << path.join(QLatin1Char(' ')).toStdString();
        }
        if (*text) typeOver(QString::fromUtf8(text));
        ui::pressKey(Qt::Key_Return);
        if (edit == form->DBEditPc) {
            // The account's data came with the number; due date still empty, so no D3.
            EXPECT_EQ(dm.MbzBai->asString(), QStringLiteral("KB 1"));
            EXPECT_EQ(dm.MbzP2->asInteger(), 1);
        }
        if (edit == form->DBEditD1) {
            EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 19)); // Monday, one day early: Friday
        }
        if (edit == form->DBEditP) {
            EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 18)); // two days: Thursday
        }
    }
    EXPECT_EQ(path.join(QLatin1Char(' ')),
              QStringLiteral("DBEditPc DBEditBai DBEditNai DBEditCui DBEditD1 DBEditP DBEditD3 DBEditCa "
                             "DBCheckBoxCab DBEditVs DBCheckBoxVsb DBEditNa DBEditBa DBEditCu DBEditKb DBEditKs "
                             "DBEditSs DBEditSpl DBEditVm DBCheckBoxO4"));
    ui::pressKey(Qt::Key_F9);
    EXPECT_TRUE(msg.shown().empty()) << msg.texts().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(dm.Mbz.state(), db::DatasetState::Browse);
    EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Nájem kanceláře Žižkov"));
    EXPECT_EQ(dm.MbzCui->asString(), QStringLiteral("19-1"));
    EXPECT_EQ(dm.MbzNai->asString(), QStringLiteral("v Praze"));
    EXPECT_EQ(dm.MbzD1->asDate(), QDate(2004, 3, 22));
    EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 18));
    EXPECT_DOUBLE_EQ(dm.MbzCa->asFloat(), 1250.5);
    EXPECT_EQ(dm.MbzVs->asString(), QStringLiteral("2004017"));
    EXPECT_EQ(dm.MbzCu->asString(), QStringLiteral("35-1234567"));
    EXPECT_EQ(dm.MbzSpl->asInteger(), 22);
    EXPECT_EQ(dm.MbzVm->asString(), QStringLiteral("1.-12."));
    EXPECT_EQ(form->DBTextA->text(), QStringLiteral("pondělí"));
    EXPECT_EQ(form->DBTextA1->text(), QStringLiteral("čtvrtek"));
    EXPECT_EQ(form->DBTextPt->text(), QStringLiteral("dny dříve"));
    EXPECT_EQ(status.panels[1], QStringLiteral("1/1"));
}

TEST_F(PaymentsTest, ASaturdayDueDateIsRefusedTypedAndPicked)
{
    payment(QStringLiteral("Energie"), QStringLiteral("111"));
    open();
    form->DBEditD1->setFocus();
    typeOver(QStringLiteral("27.3.2004"));
    ui::pressKey(Qt::Key_Return);
    ASSERT_EQ(msg.shown().size(), 1u);
    EXPECT_EQ(msg.shown()[0].kind, ui::MsgKind::Information);
    EXPECT_EQ(msg.shown()[0].text, QStringLiteral("Datum splatnosti 27.03.2004 je sobota, opravte datum."));
    EXPECT_EQ(focused(), form->DBEditD1);
    EXPECT_TRUE(dm.MbzD1->isNull());

    form->DBEditD1->reset();
    onModal<app::TEvzhDtForm>([](app::TEvzhDtForm *calendar) {
        EXPECT_EQ(calendar->date(), QDate(2004, 3, 20)); // an empty date opens on today
        calendar->setDate(QDate(2004, 3, 28));
        calendar->OKButton->click();
    });
    ui::clickWidget(form->LabelD1);
    showActive(form.get()); // back from the calendar
    ASSERT_EQ(msg.shown().size(), 2u);
    EXPECT_EQ(msg.shown()[1].text, QStringLiteral("Datum splatnosti 28.03.2004 je neděle, opravte datum."));
    EXPECT_TRUE(dm.MbzD1->isNull());

    onModal<app::TEvzhDtForm>([](app::TEvzhDtForm *calendar) {
        calendar->setDate(QDate(2004, 3, 24));
        calendar->OKButton->click();
    });
    form->DBEditD1->setFocus();
    ui::pressKey(Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ(dm.MbzD1->asDate(), QDate(2004, 3, 24));
    EXPECT_TRUE(dm.MbzD3->asDate() == QDate(2004, 3, 24)); // no account: no days early
    EXPECT_EQ(msg.shown().size(), 2u);
}

TEST_F(PaymentsTest, ThePickOfThePaymentWindowCopiesRecomputesClearsAndOpensWhenAllIsEmpty)
{
    payment(QStringLiteral("Energie"), QStringLiteral("111"));
    open();
    dm.Mbz.edit();
    dm.MbzD1->setAsDate(QDate(2004, 3, 24)); // Wednesday
    dm.Mbz.post();
    form->rememberValues();
    ModalAnswers lists([this](QDialog *w) {
        auto *list = qobject_cast<orders::TEbzpForm *>(w);
        ASSERT_TRUE(list);
        EXPECT_TRUE(list->pickMode());
        EXPECT_TRUE(list->PrenestButton->isVisible());
        dm.Mbzp.findKey({2});
        list->PrenestButton->click();
    });
    form->DBEditPc->setFocus();
    ui::pressKey(Qt::Key_F7, Qt::ShiftModifier);
    showActive(form.get()); // back from the list
    ASSERT_EQ(lists.opened.size(), 1u);
    EXPECT_EQ(dm.MbzPc->asInteger(), 2);
    EXPECT_EQ(dm.MbzBai->asString(), QStringLiteral("KB 2"));
    EXPECT_EQ(dm.MbzCui->asString(), QStringLiteral("19-2"));
    EXPECT_EQ(dm.MbzP2->asInteger(), 3);
    EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 19)); // three working days before Wednesday

    // A number without an account clears the copies and P, and opens nothing (Pc is not empty).
    typeOver(QStringLiteral("7"));
    ui::pressKey(Qt::Key_Return);
    settle();
    EXPECT_EQ(lists.opened.size(), 1u);
    EXPECT_TRUE(dm.MbzBai->isNull());
    EXPECT_TRUE(dm.MbzNai->isNull());
    EXPECT_TRUE(dm.MbzCui->isNull());
    EXPECT_EQ(dm.MbzP2->asInteger(), 0);
    EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 24));

    // Clearing Pc when the copies are empty opens the list at once.
    form->DBEditPc->setFocus();
    typeOver(QString());
    ui::pressKey(Qt::Key_Backspace);
    ui::pressKey(Qt::Key_Return);
    settle();
    EXPECT_EQ(lists.opened.size(), 2u);
    EXPECT_EQ(dm.MbzPc->asInteger(), 2);
    EXPECT_TRUE(msg.shown().empty());
}

TEST_F(PaymentsTest, TheClickOnTheBlueLabelPicksAndTheSameDatesLeaveTheIssueDateAlone)
{
    setting(dm.ModfDd, true);
    payment(QStringLiteral("Energie"), QStringLiteral("111"));
    open();
    dm.Mbz.edit();
    dm.MbzD1->setAsDate(QDate(2004, 3, 24));
    dm.MbzD3->setAsDate(QDate(2004, 3, 23));
    dm.Mbz.post();
    {
        ModalAnswers lists([this](QDialog *w) {
            dm.Mbzp.findKey({2});
            qobject_cast<orders::TEbzpForm *>(w)->PrenestButton->click();
        });
        ui::clickWidget(form->LabelPc);
        ASSERT_EQ(lists.opened.size(), 1u);
    }
    EXPECT_EQ(dm.MbzPc->asInteger(), 2);
    EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 23)); // chosen by the user while Dd is on
    // With the same dates the issue date has its own picker.
    onModal<app::TEvzhDtForm>([](app::TEvzhDtForm *calendar) {
        EXPECT_EQ(calendar->date(), QDate(2004, 3, 23));
        calendar->setDate(QDate(2004, 3, 22));
        calendar->OKButton->click();
    });
    showActive(form.get());
    form->DBEditD3->setFocus();
    ui::pressKey(Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 22));
    EXPECT_EQ(dm.MbzD1->asDate(), QDate(2004, 3, 24));
}

TEST_F(PaymentsTest, LeavingThePrenosBoxPostsTheSettingAndZppShowsTheOverviewFirst)
{
    int overviews = 0;
    bool windowOpenAtOverview = true;
    orders::setPeriodicOverview([&](QWidget *) {
        ++overviews;
        windowOpenAtOverview = data::program().isOpen(data::WindowId::Payments);
    });
    setting(dm.ModfZpp, true);
    ModalAnswers windows([this](QDialog *w) {
        auto *p = qobject_cast<orders::TEbz2Form *>(w);
        p->DBCheckBoxPre->setFocus(Qt::MouseFocusReason); // as a real click gives it
        ui::clickWidget(p->DBCheckBoxPre);
        EXPECT_TRUE(dm.ModfPre->asBoolean());
        EXPECT_EQ(dm.Modf.state(), db::DatasetState::Edit);
        p->DBEditNa->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(dm.Modf.state(), db::DatasetState::Browse);
        p->ZavritButton->click();
    });
    orders::Platbynaty1Click(dm);
    orders::setPeriodicOverview({});
    EXPECT_EQ(overviews, 1);
    EXPECT_FALSE(windowOpenAtOverview);
    dm.Modf.close();
    dm.Modf.open();
    EXPECT_TRUE(dm.ModfPre->asBoolean());
}

TEST_F(PaymentsTest, DuplicatingCopiesExactlyThePayeeAndTheAccount)
{
    struct Case {
        bool bupp;
        bool answerYes;
    };
    for (const Case c : {Case{false, true}, Case{true, true}, Case{true, false}}) {
        setting(dm.ModfBupp, c.bupp);
        dm.Mbz.append();
        dm.MbzPc->setAsInteger(1);
        for (auto [f, v] : std::initializer_list<std::pair<db::Field *, const char *>>{
                 {dm.MbzBai, "KB 1"}, {dm.MbzNai, "v Praze"}, {dm.MbzCui, "19-1"}, {dm.MbzNa, "Leasing"},
                 {dm.MbzBa, "ČSOB"}, {dm.MbzCu, "555-1"}, {dm.MbzKb, "0300"}, {dm.MbzKs, "0308"},
                 {dm.MbzSs, "12"}, {dm.MbzUpp, "střed. 4"}, {dm.MbzVs, "99"}, {dm.MbzVm, "2,5,8"}})
            f->setAsString(QString::fromUtf8(v));
        dm.MbzIk->setAsBoolean(true);
        dm.MbzP2->setAsInteger(2);
        dm.MbzCa->setAsFloat(100);
        dm.MbzCab->setAsBoolean(true);
        dm.MbzVsb->setAsBoolean(true);
        dm.MbzO4->setAsBoolean(true);
        dm.MbzSpl->setAsInteger(8);
        dm.MbzD1->setAsDate(QDate(2004, 3, 24));
        dm.MbzD3->setAsDate(QDate(2004, 3, 23));
        dm.Mbz.post();
        const int rows = dm.Mbz.recordCount();
        open();
        dm.Mbz.last();
        // A change being typed is posted before the duplicate is made.
        form->DBEditKb->setFocus();
        typeOver(QStringLiteral("0800"));
        msg.answer(c.answerYes ? ui::MsgAnswer::Yes : ui::MsgAnswer::No);
        ui::pressKey(Qt::Key_D, Qt::ControlModifier);
        ASSERT_EQ(msg.shown().back().text, QStringLiteral("Duplikovat tento záznam ?"));
        EXPECT_EQ(msg.shown().back().kind, ui::MsgKind::Confirmation);
        if (!c.answerYes) {
            EXPECT_EQ(dm.Mbz.state(), db::DatasetState::Edit);
            dm.Mbz.cancel();
            form.reset();
            continue;
        }
        ASSERT_EQ(dm.Mbz.state(), db::DatasetState::Insert);
        EXPECT_EQ(dm.Mbz.recordCount(), rows);
        for (auto [f, v] : std::initializer_list<std::pair<db::Field *, const char *>>{
                 {dm.MbzPc, "1"}, {dm.MbzBai, "KB 1"}, {dm.MbzNai, "v Praze"}, {dm.MbzCui, "19-1"},
                 {dm.MbzNa, "Leasing"}, {dm.MbzBa, "ČSOB"}, {dm.MbzCu, "555-1"}, {dm.MbzKb, "0800"},
                 {dm.MbzKs, "0308"}, {dm.MbzSs, "12"}, {dm.MbzP2, "2"}, {dm.MbzIk, "True"}})
            EXPECT_EQ(f->asString(), QString::fromUtf8(v)) << f->fieldName().toStdString();
        EXPECT_EQ(dm.MbzUpp->asString(), c.bupp ? QStringLiteral("střed. 4") : QString());
        for (db::Field *f : {dm.MbzVs, dm.MbzCa, dm.MbzD1, dm.MbzD3, dm.MbzSpl, dm.MbzVm})
            EXPECT_TRUE(f->isNull()) << f->fieldName().toStdString();
        for (db::Field *f : {dm.MbzO4, dm.MbzCab, dm.MbzVsb}) EXPECT_FALSE(f->asBoolean()) << f->fieldName().toStdString();
        form->DuplButton->click(); // the button asks too, and posts the first copy before the second
        EXPECT_EQ(msg.shown().back().text, QStringLiteral("Duplikovat tento záznam ?"));
        dm.Mbz.post();
        EXPECT_EQ(dm.Mbz.recordCount(), rows + 2);
        dm.Mbz.first();
        while (!dm.Mbz.eof()) dm.Mbz.deleteRecord();
        form.reset();
    }
}

TEST_F(PaymentsTest, TheSearchByNameAndByAccountWithTheOrderKeptInTheIni)
{
    payment(QStringLiteral("Energie"), QStringLiteral("300-5"));
    payment(QStringLiteral("Nájem"), QStringLiteral("100-9"));
    payment(QStringLiteral("Telefon"), QStringLiteral("200-1"));
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Platby na účty - podle názvu"));
    onModal<orders::TFind2Form>([this](orders::TFind2Form *find) {
        EXPECT_EQ(find->windowTitle(), QStringLiteral("Vyhledávání podle"));
        EXPECT_TRUE(find->RadioNa->isChecked());
        EXPECT_EQ(find->FindEdit->maxLength(), 49);
        ui::typeText(QStringLiteral("Ná"), find->FindEdit);
        EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Nájem"));
        find->RadioCu->click();
        EXPECT_EQ(dm.Mbz.indexName(), QStringLiteral("Cu"));
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Platby na účty - podle čísla účtu"));
        EXPECT_EQ(dm.MbzCu->asString(), QStringLiteral("100-9")); // the first row of the new order
        find->FindEdit->setText(QStringLiteral("2"));
        EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Telefon"));
        find->FindEdit->setText(QStringLiteral("9"));
        EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Energie")); // past the last: stays on the last
        find->ZavritButton->click();
    });
    ui::pressKey(Qt::Key_F3);
    EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Energie"));
    EXPECT_EQ(orders::storedSearchOrder(), 1);
    ini::IniFile ini(ui::dataSetIni());
    ini.load();
    EXPECT_EQ(ini.value(folder, QStringLiteral("Vyhledavani2Podle")), QStringLiteral("1"));
    form->ZavritButton->click();
    EXPECT_EQ(dm.Mbz.indexName(), QStringLiteral("Na")); // the closing returns to the name order

    open(); // the stored order is applied when the window opens
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Platby na účty - podle čísla účtu"));
    EXPECT_EQ(dm.Mbz.indexName(), QStringLiteral("Cu"));
    EXPECT_TRUE(msg.shown().empty());
}

TEST_F(PaymentsTest, SettingsShapeTheWindowWhenItIsMade)
{
    struct Case {
        bool dd, bupp;
        int tiskX;
    };
    for (const Case c : {Case{false, false, 407}, Case{true, true, 327}}) {
        setting(dm.ModfDd, c.dd);
        setting(dm.ModfBupp, c.bupp);
        open();
        EXPECT_EQ(form->LabelP->isVisible(), !c.dd);
        EXPECT_EQ(form->DBEditP->isVisible(), !c.dd);
        EXPECT_EQ(form->DBTextPt->isVisible(), !c.dd);
        EXPECT_EQ(form->LabelD3->isVisible(), c.dd);
        EXPECT_EQ(form->DateButton->isVisible(), c.dd);
        EXPECT_EQ(form->TiskButton->x(), c.tiskX);
        EXPECT_EQ(form->DateButton->x(), c.dd ? 407 : 327);
        EXPECT_EQ(form->DBEditUpp->isVisible(), c.bupp);
        EXPECT_EQ(form->LabelUpp->isVisible(), c.bupp);
        EXPECT_EQ(form->GroupBoxZ->title(), QStringLiteral("PLATIT  Z  ÚČTU"));
        EXPECT_EQ(form->DBCheckBoxIk->focusPolicy(), Qt::ClickFocus);
        EXPECT_EQ(form->DBCheckBoxPre->focusPolicy(), Qt::ClickFocus);
        EXPECT_EQ(form->DuplButton->toolTip(), QStringLiteral("Duplikovat záznam (Ctrl+D)"));
        EXPECT_EQ(form->DBEditPc->toolTip(), QStringLiteral("Číslo banky, Shift F7, modrý nápis - výběr (F1)"));
        form.reset();
    }
}

TEST_F(PaymentsTest, DatumyCopiesTheChosenDatesAndTheDateChoiceRefusesWeekends)
{
    setting(dm.ModfDd, true);
    payment(QStringLiteral("Energie"), QStringLiteral("111"));
    open();
    ModalAnswers choice([this](QDialog *w) {
        auto *dates = qobject_cast<orders::TEmoddfForm *>(w);
        ASSERT_TRUE(dates);
        EXPECT_TRUE(dates->PrenestButton->isVisible()); // opened by the payment window
        dates->DBEditD1->setFocus();
        typeOver(QStringLiteral("27.3.2004"));
        ui::pressKey(Qt::Key_Return);
        EXPECT_EQ(msg.texts().value(0), QStringLiteral("Datum splatnosti 27.03.2004 je sobota, opravte datum."));
        EXPECT_EQ(focused(), dates->DBEditD1);
        typeOver(QStringLiteral("29.3.2004"));
        ui::pressKey(Qt::Key_Return);
        typeOver(QStringLiteral("21.3"));
        ui::pressKey(Qt::Key_Return);
        EXPECT_EQ(msg.texts().value(1), QStringLiteral("Datum vystavení 21.03.2004 je neděle, opravte datum."));
        typeOver(QStringLiteral("26.3"));
        ui::pressKey(Qt::Key_Return);
        EXPECT_EQ(dates->DBTextA->text(), QStringLiteral("pondělí"));
        EXPECT_EQ(dates->DBTextB->text(), QStringLiteral("pátek"));
        dates->PrenestButton->click();
    });
    form->DateButton->click();
    ASSERT_EQ(choice.opened.size(), 1u);
    EXPECT_EQ(msg.shown().size(), 2u);
    EXPECT_EQ(dm.MbzD1->asDate(), QDate(2004, 3, 29));
    EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 26));
    EXPECT_EQ(dm.ModfD1->asDate(), QDate(2004, 3, 29)); // saved
    EXPECT_EQ(dm.Modf.state(), db::DatasetState::Browse);
}

TEST_F(PaymentsTest, TheDateChoiceFromTheMenuHasNoPrenestAndSavesOnZavrit)
{
    ModalAnswers choice([this](QDialog *w) {
        auto *dates = qobject_cast<orders::TEmoddfForm *>(w);
        EXPECT_FALSE(dates->PrenestButton->isVisible());
        EXPECT_EQ(dates->windowTitle(), QStringLiteral("Výběr datumu vystavení a splatnosti"));
        dates->DBEditD1->setFocus();
        typeOver(QStringLiteral("30.3"));
        dates->ZavritButton->click(); // the typed date is stored and saved all the same
    });
    orders::Vbrdatumuvystavenasplatnosti1Click(dm);
    ASSERT_EQ(choice.opened.size(), 1u);
    EXPECT_EQ(dm.Modf.state(), db::DatasetState::Browse);
    dm.Modf.close();
    dm.Modf.open();
    EXPECT_EQ(dm.ModfD1->asDate(), QDate(2004, 3, 30));
    EXPECT_FALSE(data::program().isOpen(data::WindowId::DateChoice));
    // A new payment takes the chosen dates while the same dates are on.
    setting(dm.ModfDd, true);
    dm.Mbz.append();
    EXPECT_EQ(dm.MbzD1->asDate(), QDate(2004, 3, 30));
    dm.Mbz.cancel();
}

TEST_F(PaymentsTest, TiskWithPrenosCarriesThePaymentIntoThePrintRunAndIsReturnedTo)
{
    payment(QStringLiteral("Energie"), QStringLiteral("111"));
    payment(QStringLiteral("Nájem"), QStringLiteral("222"));
    setting(dm.ModfPre, true);
    std::vector<int> pages;
    orders::setPrintCentreOpener([&pages](int page, QWidget *) { pages.push_back(page); });

    // Without an issue date the print run stays as it was.
    const QVariant dzBefore = dm.MttDz->value();
    {
        ModalAnswers tisk([](QDialog *w) { qobject_cast<orders::TEbz2Form *>(w)->TiskButton->click(); });
        orders::Platbynaty1Click(dm);
        ASSERT_EQ(tisk.opened.size(), 1u);
    }
    EXPECT_EQ(dm.MttDz->value(), dzBefore);
    EXPECT_EQ(pages, std::vector<int>{2});

    // With one, Mtt takes the date, the account and the account's bank data.
    dm.Mbz.locate(QStringLiteral("Na"), QStringLiteral("Nájem"));
    dm.Mbz.edit();
    dm.MbzPc->setAsInteger(2);
    dm.MbzD1->setAsDate(QDate(2004, 3, 29));
    dm.MbzD3->setAsDate(QDate(2004, 3, 24));
    dm.Mbz.post();
    const qint64 najem = dm.MbzID->asInteger();
    {
        ModalAnswers tisk([this](QDialog *w) {
            dm.Mbz.locate(QStringLiteral("Na"), QStringLiteral("Nájem"));
            qobject_cast<orders::TEbz2Form *>(w)->TiskButton->click();
        });
        orders::Platbynaty1Click(dm);
    }
    EXPECT_EQ(dm.MttDz->asDate(), QDate(2004, 3, 24));
    EXPECT_EQ(dm.MttPc->asInteger(), 2);
    EXPECT_EQ(dm.MttBa->asString(), QStringLiteral("KB 2"));
    EXPECT_EQ(dm.MttCu->asString(), QStringLiteral("19-2"));
    EXPECT_EQ(dm.Mtt.state(), db::DatasetState::Browse);
    EXPECT_EQ(orders::paymentReturn().id, najem);

    // The print centre's "&Platby" comes back to that payment; Zavřít forgets it.
    {
        ModalAnswers back([this](QDialog *w) {
            EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Nájem"));
            qobject_cast<orders::TEbz2Form *>(w)->ZavritButton->click();
        });
        orders::Platby1(dm, true);
        ASSERT_EQ(back.opened.size(), 1u);
    }
    EXPECT_EQ(orders::paymentReturn().id, 0);
    EXPECT_EQ(pages.size(), 2u); // no print centre after Zavřít
}

TEST_F(PaymentsTest, KeysAndClosingOfThePaymentWindow)
{
    payment(QStringLiteral("Energie"), QStringLiteral("111"));
    payment(QStringLiteral("Nájem"), QStringLiteral("222"));
    open();
    // F9 in the due date stores it and recomputes the issue date without leaving the field.
    form->DBEditPc->setFocus();
    typeOver(QStringLiteral("1"));
    ui::pressKey(Qt::Key_Return);
    form->DBEditD1->setFocus();
    typeOver(QStringLiteral("22.3"));
    ui::pressKey(Qt::Key_F9);
    EXPECT_EQ(dm.Mbz.state(), db::DatasetState::Browse);
    EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 19));
    // Ctrl+Y deletes at once and ends as Home in the edit.
    ui::pressKey(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(dm.Mbz.recordCount(), 1);
    EXPECT_EQ(form->DBEditD1->cursorPosition(), 0);
    // The question names the window; Cancel keeps it open with the change.
    form->DBEditNa->setFocus();
    typeOver(QStringLiteral("Nájem 2"));
    msg.answer(ui::MsgAnswer::Cancel);
    form->ZavritButton->click();
    EXPECT_EQ(msg.texts().value(0), QStringLiteral("V tabulce Platby na účty - podle názvu byly provedeny změny.\nUložit záznam?"));
    EXPECT_TRUE(form->isVisible());
    ui::pressKey(Qt::Key_Escape); // cancels
    EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Nájem"));
    ui::pressKey(Qt::Key_Escape); // closes
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(msg.shown().size(), 1u);
}

} // namespace
