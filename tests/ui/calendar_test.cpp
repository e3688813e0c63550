#include "ui_fixture.h"

#include "app/calendar_window.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/entry_controls.h"
#include "platform/ui/pick_label.h"
#include "platform/ui/window_registration.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

class CalendarTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        picker = std::make_unique<app::TEvzhDtForm>();
    }
    void TearDown() override
    {
        picker.reset();
        UiTest::TearDown();
    }
    std::unique_ptr<app::TEvzhDtForm> picker;
};

TEST_F(CalendarTest, ButtonsCaptionsAndAMondayFirstGrid)
{
    EXPECT_EQ(picker->windowTitle(), QStringLiteral("Kalendář"));
    const std::pair<QPushButton *, const char *> captions[] = {
        {picker->PrevYear, "< rok"}, {picker->PrevMonth, "< měsíc"}, {picker->NextMonth, "měsíc >"},
        {picker->NextYear, "rok >"}, {picker->OKButton, "&OK"},      {picker->CancelButton, "&Storno"}};
    for (const auto &[button, caption] : captions) EXPECT_EQ(button->text(), QString::fromUtf8(caption));
    EXPECT_EQ(picker->PrevYear->toolTip(), QStringLiteral("Předchozí rok v kalendáři (Ctrl+PgUp)"));
    EXPECT_EQ(picker->NextMonth->toolTip(), QStringLiteral("Další měsíc v kalendáři (PgDn)"));
    EXPECT_EQ(picker->Label3->text(), QStringLiteral("datum kalendáře:"));
    EXPECT_EQ(picker->Calendar->firstDayOfWeek(), Qt::Monday);
    EXPECT_TRUE(picker->OKButton->isDefault());
    picker->setDate(QDate(2004, 1, 31));
    EXPECT_EQ(picker->LabelDate->text(), QStringLiteral("31.01.2004"));
    picker->NextMonth->click();
    EXPECT_EQ(picker->LabelDate->text(), QStringLiteral("29.02.2004")); // the month's last day
}

TEST_F(CalendarTest, PageKeysMoveOnlyWithExactlyTheirModifiers)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QDate expected;
    };
    const Case cases[] = {
        {Qt::Key_PageDown, Qt::NoModifier, QDate(2004, 2, 29)},
        {Qt::Key_PageUp, Qt::NoModifier, QDate(2003, 12, 31)},
        {Qt::Key_PageDown, Qt::ControlModifier, QDate(2005, 1, 31)},
        {Qt::Key_PageUp, Qt::ControlModifier, QDate(2003, 1, 31)},
        {Qt::Key_Right, Qt::NoModifier, QDate(2004, 2, 1)},
        {Qt::Key_Left, Qt::NoModifier, QDate(2004, 1, 30)},
    };
    showActive(picker.get());
    for (const Case &c : cases) {
        picker->setDate(QDate(2004, 1, 31));
        ui::pressKey(c.key, c.mods);
        EXPECT_EQ(picker->date(), c.expected) << c.key << " " << int(c.mods);
        EXPECT_EQ(picker->LabelDate->text(), c.expected.toString(QStringLiteral("dd.MM.yyyy")));
    }
    // Ctrl+Shift+PgUp is not the window's: no year back.
    picker->setDate(QDate(2004, 1, 31));
    ui::pressKey(Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(picker->date(), QDate(2003, 1, 31));
    EXPECT_TRUE(picker->isVisible());
}

// A window with a date edit on Modf.D1 and its blue label, bound to the picker.
class DatePickTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        label = new ui::PickLabel(QStringLiteral("splatnost"), window.get());
        edit = new ui::TDBEditz(&dm.ModfSource, QStringLiteral("D1"), window.get());
        other = new ui::TDBEditz(&dm.ModfSource, QStringLiteral("Fa"), window.get());
        layout->addWidget(label);
        layout->addWidget(edit);
        layout->addWidget(other);
        app::bindDatePick(edit, label);
        showActive(window.get());
        edit->setFocus();
    }
    void TearDown() override
    {
        window.reset();
        UiTest::TearDown();
    }
    void setD1(const QDate &d)
    {
        dm.Modf.edit();
        dm.ModfD1->setAsDate(d);
        dm.Modf.post();
    }
    std::unique_ptr<QWidget> window;
    ui::PickLabel *label = nullptr;
    ui::TDBEditz *edit = nullptr;
    ui::TDBEditz *other = nullptr;
};

TEST_F(DatePickTest, ShiftF7OpensOnTodayForAnEmptyFieldAndEnterStoresTheDate)
{
    dm.Modf.edit();
    dm.ModfD1->clear();
    dm.Modf.post();
    QDate opened;
    onModal<app::TEvzhDtForm>([&opened](app::TEvzhDtForm *p) {
        opened = p->date();
        ui::pressKey(Qt::Key_PageDown);
        ui::pressKey(Qt::Key_Return);
    });
    ui::pressKey(Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ(opened, QDate(2004, 3, 20));
    EXPECT_EQ(dm.ModfD1->asDate(), QDate(2004, 4, 20));
    EXPECT_EQ(dm.Modf.state(), db::DatasetState::Edit);
    EXPECT_EQ(edit->text(), QStringLiteral("20.04.2004"));
    dm.Modf.cancel();
}

TEST_F(DatePickTest, CancelAndEscLeaveTheFieldUnchanged)
{
    setD1(QDate(2004, 3, 5));
    for (int way = 0; way < 2; ++way) {
        QDate opened;
        onModal<app::TEvzhDtForm>([&opened, way](app::TEvzhDtForm *p) {
            opened = p->date();
            ui::pressKey(Qt::Key_PageUp);
            if (way == 0) ui::pressKey(Qt::Key_Escape);
            else ui::clickWidget(p->CancelButton);
        });
        ui::pressKey(Qt::Key_F7, Qt::ShiftModifier, edit);
        EXPECT_EQ(opened, QDate(2004, 3, 5));
        EXPECT_EQ(dm.ModfD1->asDate(), QDate(2004, 3, 5));
        EXPECT_EQ(dm.Modf.state(), db::DatasetState::Browse);
    }
}

TEST_F(DatePickTest, AClickOnTheBlueLabelOpensThePickerAndADoubleClickOnADayStoresIt)
{
    setD1(QDate(2004, 3, 5));
    onModal<app::TEvzhDtForm>([](app::TEvzhDtForm *p) {
        p->setDate(QDate(2004, 3, 11));
        auto *view = p->Calendar->findChild<QTableView *>();
        ASSERT_NE(view, nullptr);
        ui::doubleClickWidget(view->viewport(), view->visualRect(view->currentIndex()).center());
    });
    ui::clickWidget(label);
    EXPECT_EQ(dm.ModfD1->asDate(), QDate(2004, 3, 11));
    dm.Modf.cancel();
}

TEST_F(DatePickTest, AWeekendDateForAPaymentIsRefusedWhileThePaymentsWindowIsOpen)
{
    ui::WindowRegistration payments(data::WindowId::Payments);
    dm.Mbz.append();
    ui::TDBEditz d1(&dm.MbzSource, QStringLiteral("D1"), window.get());
    d1.show();
    app::bindDatePick(&d1);
    onModal<app::TEvzhDtForm>([](app::TEvzhDtForm *p) {
        p->setDate(QDate(2004, 3, 6));
        ui::pressKey(Qt::Key_Return);
    });
    ui::pressKey(Qt::Key_F7, Qt::ShiftModifier, &d1);
    EXPECT_EQ(msg.texts(), QStringList{QStringLiteral("Datum splatnosti 06.03.2004 je sobota, opravte datum.")});
    EXPECT_TRUE(dm.MbzD1->isNull());
    dm.Mbz.cancel();
}

TEST_F(DatePickTest, ThePickerKeepsItsPlacePerDataSet)
{
    app::DatasetRegistry registry(root.path());
    const QString second = registry.createDataSet(QStringLiteral("Druhá"));
    const QString firstIni = ui::dataSetIni();
    auto pickAndMove = [this](QPoint moveTo) {
        QPoint at;
        onModal<app::TEvzhDtForm>([&at, moveTo](app::TEvzhDtForm *p) {
            at = p->pos();
            if (moveTo.x() >= 0) p->move(moveTo);
            p->reject();
        });
        ui::pressKey(Qt::Key_F7, Qt::ShiftModifier, edit);
        return at;
    };
    EXPECT_EQ(pickAndMove(QPoint(400, 300)), QPoint(228, 188));
    EXPECT_EQ(pickAndMove(QPoint(-1, -1)), QPoint(400, 300));
    ui::setDataSetIni(root.path() + QLatin1Char('/') + second + QLatin1Char('/') + second + QStringLiteral(".ini"));
    EXPECT_EQ(pickAndMove(QPoint(-1, -1)), QPoint(228, 188));
    ini::IniFile f(firstIni);
    ASSERT_TRUE(f.load());
    EXPECT_EQ(f.integer(folder, QStringLiteral("KalendarTop"), 0), 300);
    EXPECT_EQ(f.integer(folder, QStringLiteral("KalendarLeft"), 0), 400);
}

} // namespace
