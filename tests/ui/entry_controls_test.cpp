#include "ui_fixture.h"

#include "platform/ui/entry_controls.h"
#include "platform/ui/window_registration.h"

#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A dialog with a default OK button and entry controls in tab order.
class EntryDialog : public QDialog {
public:
    explicit EntryDialog(data::TDM1 &dm)
    {
        auto *layout = new QVBoxLayout(this);
        pc = new ui::TDBEditz(&dm.MbzpSource, QStringLiteral("Pc"), this);
        ba = new ui::TDBEditz(&dm.MbzpSource, QStringLiteral("Ba"), this);
        d1 = new ui::TDBEditz(&dm.ModfSource, QStringLiteral("D1"), this);
        name = new ui::TEditz(this);
        ok = new QPushButton(QStringLiteral("&OK"), this);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        for (QWidget *w : std::initializer_list<QWidget *>{pc, ba, d1, name, ok}) layout->addWidget(w);
    }
    ui::TDBEditz *pc, *ba, *d1;
    ui::TEditz *name;
    QPushButton *ok;
};

class EntryControlsTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        addOwnAccount(1, QStringLiteral("KB"));
        dialog = std::make_unique<EntryDialog>(dm);
        showActive(dialog.get());
    }
    void TearDown() override
    {
        dialog.reset();
        UiTest::TearDown();
    }
    QWidget *focused() const { return QApplication::focusWidget(); }
    std::unique_ptr<EntryDialog> dialog;
};

TEST_F(EntryControlsTest, EnterMovesOnAndShiftEnterBackWithoutPressingTheDefaultButton)
{
    dialog->pc->setFocus();
    ui::pressKey(Qt::Key_Return);
    EXPECT_EQ(focused(), dialog->ba);
    ui::pressKey(Qt::Key_Enter);
    EXPECT_EQ(focused(), dialog->d1);
    ui::pressKey(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(focused(), dialog->ba);
    ui::pressKey(Qt::Key_Return);
    ui::pressKey(Qt::Key_Return);
    EXPECT_EQ(focused(), dialog->name); // the plain edit moves on as well
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 0);
}

TEST_F(EntryControlsTest, EnterInAControlWithoutEnterTabPressesTheDefaultButton)
{
    dialog->name->setEnterTab(false);
    dialog->name->setFocus();
    ui::pressKey(Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), int(QDialog::Accepted));
}

TEST_F(EntryControlsTest, CzechTextTypedReachesTheFieldOnLeaving)
{
    dialog->ba->setFocus();
    dialog->ba->selectAll();
    ui::typeText(QStringLiteral("Česká spořitelna Žižkov"));
    // The first change puts the table into edit; the value waits for the leaving.
    EXPECT_EQ(dm.Mbzp.state(), db::DatasetState::Edit);
    EXPECT_EQ(dm.MbzpBa->asString(), QStringLiteral("KB"));
    EXPECT_TRUE(dialog->ba->hasPendingValue());
    ui::pressKey(Qt::Key_Return);
    EXPECT_EQ(dm.MbzpBa->asString(), QStringLiteral("Česká spořitelna Žižkov"));
    EXPECT_EQ(focused(), dialog->d1);
    EXPECT_TRUE(msg.shown().empty());
}

TEST_F(EntryControlsTest, LeavingByMouseStoresTheValueToo)
{
    dialog->ba->setFocus();
    dialog->ba->selectAll();
    ui::typeText(QStringLiteral("ČSOB"));
    dialog->name->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(dm.MbzpBa->asString(), QStringLiteral("ČSOB"));
    EXPECT_FALSE(dialog->ba->hasPendingValue());
}

struct TypedCase {
    const char *control; // "pc" or "d1"
    const char *typed;
    const char *shownAfter;  // the control's text after Enter
    const char *message;     // empty: stored and moved on
};

class TypedValueTest : public EntryControlsTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedValueTest, StoredOrRefusedWithTheEnginesMessage)
{
    const TypedCase &c = GetParam();
    ui::TDBEditz *edit = QLatin1String(c.control) == QLatin1String("pc") ? dialog->pc : dialog->d1;
    edit->setFocus();
    edit->selectAll();
    ui::typeText(QString::fromUtf8(c.typed));
    ui::pressKey(Qt::Key_Return);
    const QString message = QString::fromUtf8(c.message);
    if (message.isEmpty()) {
        EXPECT_TRUE(msg.shown().empty()) << msg.texts().join(QLatin1Char('|')).toStdString();
        EXPECT_NE(focused(), edit);
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.shownAfter));
    } else {
        ASSERT_EQ(msg.shown().size(), 1u);
        EXPECT_EQ(msg.shown()[0].kind, ui::MsgKind::Error);
        EXPECT_EQ(msg.shown()[0].text, message);
        EXPECT_EQ(focused(), edit);       // the user stays in the field
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.typed)); // with what was typed
        EXPECT_TRUE(edit->hasPendingValue());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedValueTest,
    ::testing::Values(TypedCase{"pc", "12", "12", ""},
                      TypedCase{"pc", "abc", "", "'abc' není platné celé číslo pro pole 'Číslo'"},
                      TypedCase{"pc", "1000", "", "1000 není platná hodnota pro pole 'Číslo'. Povolený rozsah je od -999 do 999"},
                      TypedCase{"d1", "5", "05.03.2004", ""},
                      TypedCase{"d1", "123", "", "'123' není platný datum"}));

TEST_F(EntryControlsTest, AWeekendRefusalOfTheRulesKeepsTheFocusWithTheRulesMessageOnly)
{
    ui::WindowRegistration payments(data::WindowId::Payments);
    dm.Mbz.append();
    ui::TDBEditz d1(&dm.MbzSource, QStringLiteral("D1"), dialog.get());
    dialog->layout()->addWidget(&d1);
    d1.show();
    d1.setFocus();
    ui::typeText(QStringLiteral("6.3.2004"));
    ui::pressKey(Qt::Key_Return);
    ASSERT_EQ(msg.shown().size(), 1u);
    EXPECT_EQ(msg.shown()[0].kind, ui::MsgKind::Information);
    EXPECT_EQ(msg.shown()[0].text, QStringLiteral("Datum splatnosti 06.03.2004 je sobota, opravte datum."));
    EXPECT_EQ(focused(), &d1);
    EXPECT_TRUE(dm.MbzD1->isNull());
    dm.Mbz.cancel();
}

TEST_F(EntryControlsTest, ShiftF7AloneRunsThePickActionAndDropsTheTypedText)
{
    int picks = 0;
    dialog->ba->setPickAction([&picks]() { ++picks; });
    dialog->ba->setFocus();
    ui::typeText(QStringLiteral("xyz"));
    ui::pressKey(Qt::Key_F7, Qt::ControlModifier | Qt::ShiftModifier);
    ui::pressKey(Qt::Key_F7);
    EXPECT_EQ(picks, 0);
    ui::pressKey(Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ(picks, 1);
    EXPECT_FALSE(dialog->ba->hasPendingValue());
    EXPECT_EQ(dialog->ba->text(), QStringLiteral("KB"));
}

TEST_F(EntryControlsTest, TheControlsFollowTheDatasetAndShowTheDisplayTextOutsideTheFocus)
{
    addOwnAccount(2, QStringLiteral("ČNB"));
    dm.Mbzp.first();
    EXPECT_EQ(dialog->ba->text(), QStringLiteral("KB"));
    dm.Mbzp.next();
    EXPECT_EQ(dialog->ba->text(), QStringLiteral("ČNB"));
    dm.Modf.edit();
    dm.ModfD1->setAsDate(QDate(2004, 3, 5));
    EXPECT_EQ(dialog->d1->text(), QStringLiteral("05.03.2004"));
    dm.Modf.cancel();
}

TEST_F(EntryControlsTest, StorePendingEditsReportsARefusalAndFocusesTheControl)
{
    dialog->pc->setFocus();
    dialog->pc->selectAll();
    ui::typeText(QStringLiteral("x"));
    dialog->ba->setFocus(Qt::ActiveWindowFocusReason); // not a leaving: the value still waits
    EXPECT_TRUE(dialog->pc->hasPendingValue());
    EXPECT_FALSE(ui::storePendingEdits(dialog.get()));
    EXPECT_EQ(msg.texts(), QStringList{QStringLiteral("'x' není platné celé číslo pro pole 'Číslo'")});
    EXPECT_EQ(focused(), dialog->pc);
}

TEST_F(EntryControlsTest, CheckBoxAndListStoreAtOnceAndTheCaptionFollows)
{
    ui::TDBCheckBoxz box(&dm.ModfSource, QStringLiteral("Tc"), dialog.get());
    box.setStateCaptions(QStringLiteral("čárka"), QStringLiteral("tečka"));
    ui::TDBComboBoxz list(dialog.get());
    list.addItems({QStringLiteral("dd.mm.yy"), QStringLiteral("yymmdd")});
    list.setBinding(&dm.ModfSource, QStringLiteral("K"));
    dialog->layout()->addWidget(&box);
    dialog->layout()->addWidget(&list);
    box.show();
    list.show();
    const bool before = dm.ModfTc->asBoolean();
    EXPECT_EQ(box.text(), before ? QStringLiteral("čárka") : QStringLiteral("tečka"));
    ui::clickWidget(&box);
    EXPECT_EQ(dm.Modf.state(), db::DatasetState::Edit);
    EXPECT_EQ(dm.ModfTc->asBoolean(), !before);
    EXPECT_EQ(box.text(), before ? QStringLiteral("tečka") : QStringLiteral("čárka"));
    list.setFocus();
    ui::pressKey(Qt::Key_Down);
    EXPECT_EQ(dm.ModfK->asString(), list.currentText());
    ui::pressKey(Qt::Key_Return);
    EXPECT_NE(focused(), &list);
    dm.Modf.cancel();
}

} // namespace
