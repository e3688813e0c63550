#include "ui_fixture.h"

#include "platform/ui/db_grid.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/entry_controls.h"

#include <QHeaderView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A window with an edit, a grid and a navigator over Mbzp holding accounts 1..25.
class GridTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        for (int pc = 1; pc <= 25; ++pc) addOwnAccount(pc, QStringLiteral("Banka %1").arg(pc));
        dm.Mbzp.first();
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        edit = new ui::TDBEditz(&dm.MbzpSource, QStringLiteral("Ba"), window.get());
        grid = new ui::TDBGrid(window.get());
        grid->setDataSource(&dm.MbzpSource);
        grid->setColumns({{QStringLiteral("Pc")}, {QStringLiteral("Ba"), QString(), false}, {QStringLiteral("Cu"), QStringLiteral("Účet")}});
        nav = new ui::TDBNavigator(window.get());
        nav->setDataSource(&dm.MbzpSource);
        layout->addWidget(edit);
        layout->addWidget(grid);
        layout->addWidget(nav);
        window->resize(500, 300);
        showActive(window.get());
    }
    void TearDown() override
    {
        window.reset();
        UiTest::TearDown();
    }
    QString title(int column) const { return grid->model()->headerData(column, Qt::Horizontal).toString(); }
    std::unique_ptr<QWidget> window;
    ui::TDBEditz *edit = nullptr;
    ui::TDBGrid *grid = nullptr;
    ui::TDBNavigator *nav = nullptr;
};

TEST_F(GridTest, TitlesComeFromTheFieldLabelsUnlessTheColumnNamesOne)
{
    EXPECT_EQ(title(0), dm.MbzpPc->displayLabel());
    EXPECT_EQ(title(1), dm.MbzpBa->displayLabel());
    EXPECT_EQ(title(2), QStringLiteral("Účet"));
    EXPECT_EQ(grid->model()->rowCount(), 25);
}

TEST_F(GridTest, ReadingOtherLinesLeavesTheDatasetWhereItWas)
{
    dm.Mbzp.setRecNo(5);
    dm.Mbzp.edit(); // leaving edit state forgets the lines read so far
    dm.Mbzp.cancel();
    int notices = 0;
    const int conn = dm.MbzpSource.dataChanged.connect([&notices]() { ++notices; });
    EXPECT_EQ(grid->cellText(20, 1), QStringLiteral("Banka 21"));
    EXPECT_EQ(grid->cellText(0, 0), QStringLiteral("1"));
    EXPECT_EQ(grid->cellText(24, 1), QStringLiteral("Banka 25"));
    dm.MbzpSource.dataChanged.disconnect(conn);
    EXPECT_EQ(dm.Mbzp.recNo(), 5);
    EXPECT_EQ(dm.MbzpBa->asString(), QStringLiteral("Banka 5"));
    EXPECT_EQ(edit->text(), QStringLiteral("Banka 5"));
    EXPECT_LE(notices, 2); // one per block of lines read, with the record as it was
}

TEST_F(GridTest, TheCurrentLineAndTheCurrentRecordFollowEachOther)
{
    dm.Mbzp.setRecNo(12);
    EXPECT_EQ(grid->currentIndex().row(), 11);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(11, {}));
    grid->setCurrentIndex(grid->model()->index(20, 1));
    EXPECT_EQ(dm.Mbzp.recNo(), 21);
    EXPECT_EQ(edit->text(), QStringLiteral("Banka 21"));
    grid->setFocus();
    ui::pressKey(Qt::Key_Down);
    EXPECT_EQ(dm.Mbzp.recNo(), 22);
    ui::pressKey(Qt::Key_Up);
    EXPECT_EQ(dm.Mbzp.recNo(), 21);
}

TEST_F(GridTest, EnterInTheGridIsReportedAndNotPassedOn)
{
    std::vector<Qt::KeyboardModifiers> seen;
    QObject::connect(grid, &ui::TDBGrid::enterPressed, [&seen](Qt::KeyboardModifiers m) { seen.push_back(m); });
    grid->setFocus();
    ui::pressKey(Qt::Key_Return);
    ui::pressKey(Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], Qt::NoModifier);
    EXPECT_EQ(seen[1], Qt::ShiftModifier);
}

TEST_F(GridTest, EditableColumnsStoreIntoTheFieldAndReadOnlyOnesRefuse)
{
    dm.Mbzp.setRecNo(3);
    QAbstractItemModel *m = grid->model();
    EXPECT_FALSE(m->flags(m->index(2, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(m->flags(m->index(2, 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(m->setData(m->index(2, 1), QStringLiteral("Raiffeisenbank Žďár")));
    EXPECT_EQ(dm.Mbzp.state(), db::DatasetState::Edit);
    EXPECT_EQ(dm.MbzpBa->asString(), QStringLiteral("Raiffeisenbank Žďár"));
    EXPECT_EQ(grid->cellText(2, 1), QStringLiteral("Raiffeisenbank Žďár"));
    EXPECT_EQ(grid->cellText(10, 1), QStringLiteral("Banka 11")); // other lines still shown while editing
    dm.Mbzp.post();
    grid->setGridReadOnly(true);
    EXPECT_FALSE(m->flags(m->index(2, 1)) & Qt::ItemIsEditable);
}

TEST_F(GridTest, ANewRecordShowsAsAnExtraLineUntilCancelled)
{
    dm.Mbzp.setRecNo(3);
    nav->doAction(ui::TDBNavigator::Insert);
    EXPECT_EQ(grid->model()->rowCount(), 26);
    EXPECT_EQ(grid->currentLine(), 2);
    EXPECT_EQ(grid->cellText(2, 1), QString());
    EXPECT_EQ(grid->cellText(3, 1), QStringLiteral("Banka 3"));
    nav->doAction(ui::TDBNavigator::Cancel);
    EXPECT_EQ(grid->model()->rowCount(), 25);
    EXPECT_EQ(grid->cellText(2, 1), QStringLiteral("Banka 3"));
}

TEST_F(GridTest, NavigatorButtonsFollowTheStateAndCarryTheHints)
{
    using N = ui::TDBNavigator;
    EXPECT_EQ(nav->hint(N::First), QStringLiteral("První záznam (Ctrl+Home)"));
    EXPECT_EQ(nav->hint(N::Delete), QStringLiteral("Smazat záznam (Ctrl+Del nebo Ctrl+Y)"));
    EXPECT_EQ(nav->hint(N::Cancel), QStringLiteral("Stornovat změny (Esc)"));
    EXPECT_FALSE(nav->button(N::First)->isEnabled());
    EXPECT_TRUE(nav->button(N::Next)->isEnabled());
    EXPECT_FALSE(nav->button(N::Post)->isEnabled());
    nav->doAction(N::Last);
    EXPECT_EQ(dm.Mbzp.recNo(), 25);
    EXPECT_FALSE(nav->button(N::Next)->isEnabled());
    EXPECT_TRUE(nav->button(N::Prior)->isEnabled());
    nav->doAction(N::Edit);
    EXPECT_TRUE(nav->button(N::Post)->isEnabled());
    EXPECT_FALSE(nav->button(N::Edit)->isEnabled());
    nav->doAction(N::Cancel);
    nav->setVisibleButtons({N::First, N::Prior, N::Next, N::Last});
    EXPECT_FALSE(nav->isButtonVisible(N::Insert));
    EXPECT_TRUE(nav->isButtonVisible(N::Last));
}

TEST_F(GridTest, NavigatorStoresWhatIsBeingTypedBeforePostingAndShowsTheRulesRefusal)
{
    using N = ui::TDBNavigator;
    edit->setFocus();
    edit->selectAll();
    ui::typeText(QStringLiteral("Fio banka"));
    EXPECT_TRUE(nav->doAction(N::Post));
    EXPECT_EQ(dm.Mbzp.state(), db::DatasetState::Browse);
    EXPECT_EQ(dm.MbzpBa->asString(), QStringLiteral("Fio banka"));
    EXPECT_EQ(grid->cellText(0, 1), QStringLiteral("Fio banka"));

    // A second account 1: the key rule refuses the post, the record stays in insert.
    nav->doAction(N::Insert);
    ui::TDBEditz pc(&dm.MbzpSource, QStringLiteral("Pc"), window.get());
    pc.show();
    pc.setFocus();
    ui::typeText(QStringLiteral("1"));
    EXPECT_FALSE(nav->doAction(N::Post));
    EXPECT_EQ(msg.texts(), QStringList{QStringLiteral("Duplicitní klíč - číslo banky")});
    EXPECT_EQ(dm.Mbzp.state(), db::DatasetState::Insert);
    nav->doAction(N::Cancel);
    EXPECT_EQ(dm.Mbzp.recordCount(), 25);
}

} // namespace
