#include "orders_fixture.h"

#include "orders/own_accounts.h"
#include "orders/own_accounts_window.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/db_navigator.h"

#include <QPushButton>

namespace {

// The own accounts editor over accounts 1 to 5, shown and active.
class OwnAccountsTest : public OrdersTest {
protected:
    void SetUp() override
    {
        OrdersTest::SetUp();
        for (int pc = 1; pc <= 5; ++pc) account(pc, pc % 3);
        dm.Mbzp.first();
    }
    void TearDown() override
    {
        form.reset();
        OrdersTest::TearDown();
    }
    orders::TEbzpForm &open(bool pickMode = false)
    {
        form = std::make_unique<orders::TEbzpForm>(dm, pickMode);
        showActive(form.get());
        return *form;
    }
    std::unique_ptr<orders::TEbzpForm> form;
};

TEST_F(OwnAccountsTest, MovesOfTheTableKeysStopAtTheEndsAndEndAsHomeInTheEdit)
{
    open();
    dm.Mbzp.setRecNo(3);
    form->DBEditBa->setFocus();
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int recNo;
    };
    const Case cases[] = {
        {Qt::Key_PageDown, Qt::NoModifier, 4},   {Qt::Key_PageUp, Qt::NoModifier, 3},
        {Qt::Key_PageDown, Qt::ShiftModifier, 3}, {Qt::Key_End, Qt::ControlModifier, 5},
        {Qt::Key_PageDown, Qt::NoModifier, 5},   {Qt::Key_Home, Qt::ControlModifier, 1},
        {Qt::Key_PageUp, Qt::NoModifier, 1},
    };
    for (const Case &c : cases) {
        ui::pressKey(c.key, c.mods);
        EXPECT_EQ(dm.Mbzp.recNo(), c.recNo) << c.key;
        EXPECT_EQ(focused(), form->DBEditBa);
    }
    ui::pressKey(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(form->DBEditBa->text(), QStringLiteral("KB 5"));
    EXPECT_EQ(form->DBEditBa->cursorPosition(), 0); // turned into Home
    EXPECT_TRUE(msg.shown().empty());
}

TEST_F(OwnAccountsTest, CtrlYDeletesAtOnceAndOnlyCancelsANewRow)
{
    open();
    dm.Mbzp.setRecNo(2);
    form->DBEditNa->setFocus();
    ui::pressKey(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(dm.Mbzp.recordCount(), 4);
    EXPECT_FALSE(dm.Mbzp.findKey({2}));
    EXPECT_TRUE(msg.shown().empty()); // no question
    EXPECT_EQ(status.panels[1], QStringLiteral("2/4"));

    ui::pressKey(Qt::Key_Insert);
    EXPECT_EQ(dm.Mbzp.state(), db::DatasetState::Insert);
    EXPECT_EQ(focused(), form->DBEditPc); // the new-row rule's focus
    EXPECT_EQ(dm.MbzpM->asString(), QStringLiteral("Kč"));
    ui::pressKey(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(dm.Mbzp.state(), db::DatasetState::Browse);
    EXPECT_EQ(dm.Mbzp.recordCount(), 4);

    form->DBGridMbzp->setFocus();
    ui::pressKey(Qt::Key_Delete, Qt::ControlModifier); // the read-only grid's own key: nothing
    EXPECT_EQ(dm.Mbzp.recordCount(), 4);
    ui::pressKey(Qt::Key_Y, Qt::ControlModifier);       // Ctrl+Y works from the grid too
    EXPECT_EQ(dm.Mbzp.recordCount(), 3);
    form->DBEditCu->setFocus();
    ui::pressKey(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dm.Mbzp.recordCount(), 2);
    EXPECT_TRUE(msg.shown().empty());
}

TEST_F(OwnAccountsTest, F4FromTheGridEditsInPcF9PostsEscCancelsThenCloses)
{
    open();
    dm.Mbzp.setRecNo(2);
    form->DBGridMbzp->setFocus();
    ui::pressKey(Qt::Key_F4);
    EXPECT_EQ(focused(), form->DBEditPc);
    EXPECT_EQ(dm.Mbzp.state(), db::DatasetState::Edit);
    ui::pressKey(Qt::Key_Escape);
    EXPECT_EQ(dm.Mbzp.state(), db::DatasetState::Browse);

    form->DBEditBa->setFocus();
    typeOver(QStringLiteral("Česká spořitelna"));
    ui::pressKey(Qt::Key_Escape); // cancels what was typed
    EXPECT_EQ(dm.MbzpBa->asString(), QStringLiteral("KB 2"));
    EXPECT_EQ(form->DBEditBa->text(), QStringLiteral("KB 2"));
    typeOver(QStringLiteral("Česká spořitelna"));
    ui::pressKey(Qt::Key_F9);
    EXPECT_EQ(dm.Mbzp.state(), db::DatasetState::Browse);
    EXPECT_EQ(dm.MbzpBa->asString(), QStringLiteral("Česká spořitelna"));
    EXPECT_TRUE(form->isVisible());
    ui::pressKey(Qt::Key_Escape); // nothing to cancel: closes
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), int(QDialog::Rejected));
    EXPECT_TRUE(msg.shown().empty());
}

TEST_F(OwnAccountsTest, TheUnsavedChangesQuestionAndItsThreeAnswers)
{
    struct Case {
        ui::MsgAnswer answer;
        bool closed;
        const char *stored; // Ba of account 2 afterwards
        db::DatasetState state;
    };
    const Case cases[] = {
        {ui::MsgAnswer::Yes, true, "Raiffeisenbank", db::DatasetState::Browse},
        {ui::MsgAnswer::No, true, "KB 2", db::DatasetState::Browse},
        {ui::MsgAnswer::Cancel, false, "KB 2", db::DatasetState::Edit},
    };
    for (const Case &c : cases) {
        open();
        dm.Mbzp.setRecNo(2);
        form->DBEditBa->setFocus();
        typeOver(QStringLiteral("Raiffeisenbank"));
        const size_t before = msg.shown().size();
        msg.answer(c.answer);
        form->ZavritButton->click();
        ASSERT_EQ(msg.shown().size(), before + 1);
        EXPECT_EQ(msg.shown().back().kind, ui::MsgKind::YesNoCancel);
        EXPECT_EQ(msg.shown().back().text,
                  QStringLiteral("V tabulce Údaje pro platby z účtu byly provedeny změny.\nUložit záznam?"));
        EXPECT_EQ(form->isVisible(), !c.closed);
        EXPECT_EQ(dm.Mbzp.state(), c.state);
        if (!c.closed) {
            EXPECT_EQ(form->DBEditBa->text(), QStringLiteral("Raiffeisenbank")); // the change intact
            dm.Mbzp.cancel();
        }
        EXPECT_EQ(dm.MbzpPc->asInteger(), 2); // back on the account that was current
        EXPECT_EQ(dm.MbzpBa->asString(), QString::fromUtf8(c.stored));
        dm.Mbzp.edit();
        dm.MbzpBa->setAsString(QStringLiteral("KB 2"));
        dm.Mbzp.post();
    }
}

TEST_F(OwnAccountsTest, TheNumberSearchGoesToTheNearestAndIgnoresLetters)
{
    dm.Mbzp.findKey({3});
    dm.Mbzp.deleteRecord();
    open();
    onModal<orders::TFind1Form>([this](orders::TFind1Form *find) {
        EXPECT_EQ(find->windowTitle(), QStringLiteral("Vyhledávání"));
        EXPECT_EQ(find->FindEdit->maxLength(), 5);
        ui::typeText(QStringLiteral("3"), find->FindEdit);
        EXPECT_EQ(dm.MbzpPc->asInteger(), 4); // the first number equal or greater
        ui::typeText(QStringLiteral("x"), find->FindEdit);
        EXPECT_EQ(dm.MbzpPc->asInteger(), 4);
        find->FindEdit->setText(QStringLiteral("1"));
        EXPECT_EQ(dm.MbzpPc->asInteger(), 1);
        ui::pressKey(Qt::Key_Return, Qt::NoModifier, find->FindEdit); // the default button closes
    });
    form->DBEditBa->setFocus();
    ui::pressKey(Qt::Key_F3);
    EXPECT_EQ(dm.MbzpPc->asInteger(), 1);
    EXPECT_TRUE(msg.shown().empty());
}

TEST_F(OwnAccountsTest, PickModeOffersPrenestAndTheGridClosesWithOk)
{
    open(false);
    EXPECT_FALSE(form->PrenestButton->isVisible());
    EXPECT_EQ(focused(), form->DBEditPc);
    form->DBGridMbzp->setFocus();
    ui::pressKey(Qt::Key_Return);
    EXPECT_TRUE(form->isVisible()); // Enter in the grid means nothing outside pick mode
    form.reset();

    open(true);
    EXPECT_TRUE(form->PrenestButton->isVisible());
    EXPECT_EQ(form->PrenestButton->toolTip(), QStringLiteral("Přenese vybraný zápis"));
    EXPECT_EQ(focused(), form->DBGridMbzp);
    dm.Mbzp.setRecNo(4);
    ui::pressKey(Qt::Key_Return);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), int(QDialog::Accepted));
    EXPECT_EQ(dm.MbzpPc->asInteger(), 4); // still the chosen account after the reopening
}

TEST_F(OwnAccountsTest, EnterInTheLastEditGoesBackToTheFirstAndShiftEnterToTheDays)
{
    open();
    const std::vector<QWidget *> order{form->DBEditPc, form->DBEditBa, form->DBEditKti, form->DBEditNa, form->DBEditM,
                                       form->DBEditCu, form->DBEditKb, form->DBEditP,   form->DBEditV,  form->DBEditPc};
    form->DBEditPc->setFocus();
    for (size_t i = 1; i < order.size(); ++i) {
        ui::pressKey(Qt::Key_Return);
        EXPECT_EQ(focused(), order[i]) << i;
    }
    form->DBEditV->setFocus();
    ui::pressKey(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(focused(), form->DBEditP);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(OwnAccountsTest, ANewAccountWithATakenNumberIsRefusedAndStaysInInsert)
{
    open();
    ui::pressKey(Qt::Key_F2);
    ui::typeText(QStringLiteral("3"));
    ui::pressKey(Qt::Key_Return);
    ui::typeText(QStringLiteral("ČNB"));
    ui::pressKey(Qt::Key_F9);
    EXPECT_EQ(msg.texts(), QStringList{QStringLiteral("Duplicitní klíč - číslo banky")});
    EXPECT_EQ(dm.Mbzp.state(), db::DatasetState::Insert);
    EXPECT_EQ(dm.Mbzp.recordCount(), 5);
}

TEST_F(OwnAccountsTest, TheCompactChoiceSizesItselfByTheAccountsAndClosesOnEnter)
{
    EXPECT_EQ(orders::pickerClientHeight(0), 55);
    EXPECT_EQ(orders::pickerClientHeight(10), 235);
    EXPECT_EQ(orders::pickerClientHeight(11), 253);
    {
        orders::TEbzp1Form picker(dm);
        EXPECT_EQ(picker.height(), 18 * 5 + 55);
        EXPECT_EQ(picker.windowTitle(), QStringLiteral("Údaje pro platby z účtu"));
        showActive(&picker);
        EXPECT_EQ(focused(), picker.DBGrid1);
        EXPECT_EQ(status.panels[1], QStringLiteral("1/5"));
        ui::pressKey(Qt::Key_F3);
        EXPECT_EQ(focused(), picker.EditPc);
        ui::typeText(QStringLiteral("4"));
        EXPECT_EQ(dm.MbzpPc->asInteger(), 4);
        ui::pressKey(Qt::Key_F3);
        EXPECT_EQ(focused(), picker.DBGrid1);
        ui::pressKey(Qt::Key_Return, Qt::ShiftModifier); // only a plain Enter closes
        EXPECT_TRUE(picker.isVisible());
        picker.EditPc->setFocus();
        ui::pressKey(Qt::Key_Return);
        EXPECT_EQ(picker.result(), int(QDialog::Accepted));
        EXPECT_TRUE(status.panels[1].isEmpty());
    }
    for (int pc = 6; pc <= 12; ++pc) account(pc, 0);
    orders::TEbzp1Form big(dm);
    EXPECT_EQ(big.height(), 253);
    showActive(&big);
    ui::pressKey(Qt::Key_Escape);
    EXPECT_EQ(big.result(), int(QDialog::Rejected));
}

TEST_F(OwnAccountsTest, TheMenuCommandOpensOnTheFirstAccountAndCountsInTheStatusBar)
{
    dm.Mbzp.last();
    onModal<orders::TEbzpForm>([this](orders::TEbzpForm *w) {
        EXPECT_FALSE(w->pickMode());
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Údaje pro platby z účtu"));
        EXPECT_EQ(dm.MbzpPc->asInteger(), 1);
        EXPECT_EQ(status.panels[1], QStringLiteral("1/5"));
        EXPECT_EQ(w->DBGridMbzp->columns().size(), 9u);
        EXPECT_EQ(w->DBGridMbzp->cellText(1, 7), QStringLiteral("2 dny dříve"));
        w->ZavritButton->click();
    });
    orders::Platbyztu1Click(dm);
    EXPECT_TRUE(status.panels[1].isEmpty());
}

} // namespace
