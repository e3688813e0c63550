#include "ui_fixture.h"

#include "platform/ini/ini_file.h"
#include "platform/ui/window_registration.h"

#include <QDialog>

namespace {

class WindowPlaceTest : public UiTest {
protected:
    QString iniOf(const QString &f) const { return root.path() + QLatin1Char('/') + f + QLatin1Char('/') + f + QStringLiteral(".ini"); }
};

TEST_F(WindowPlaceTest, TheDesignedPlaceFollowsTheScreenWidth)
{
    struct Case {
        int width;
        QPoint expected;
    };
    for (const Case &c : {Case{640, QPoint(130, 10)}, Case{641, QPoint(210, 90)}, Case{1920, QPoint(210, 90)}}) {
        ui::overrideScreenSize(QSize(c.width, 480));
        QDialog d;
        ui::WindowPlace place(&d, QStringLiteral("Modifikace2"), QPoint(130, 10), QPoint(210, 90));
        EXPECT_EQ(d.pos(), c.expected) << c.width;
    }
}

TEST_F(WindowPlaceTest, ADialogPlaceIsStoredPerDataSet)
{
    app::DatasetRegistry registry(root.path());
    const QString second = registry.createDataSet(QStringLiteral("Druhá firma"));
    auto openDialog = [](QPoint *shownAt, QPoint moveTo) {
        QDialog d;
        new ui::WindowPlace(&d, QStringLiteral("UdajeProPlatby"), QPoint(20, 55), QPoint(100, 135));
        d.show();
        *shownAt = d.pos();
        if (moveTo.x() >= 0) d.move(moveTo);
        d.hide(); // closing writes the place
    };
    QPoint at;
    openDialog(&at, QPoint(333, 222));
    EXPECT_EQ(at, QPoint(100, 135)); // no keys yet: the designed place
    ini::IniFile first(iniOf(folder));
    ASSERT_TRUE(first.load());
    EXPECT_EQ(first.integer(folder, QStringLiteral("UdajeProPlatbyTop"), -1), 222);
    EXPECT_EQ(first.integer(folder, QStringLiteral("UdajeProPlatbyLeft"), -1), 333);

    ui::setDataSetIni(iniOf(second));
    openDialog(&at, QPoint(-1, -1));
    EXPECT_EQ(at, QPoint(100, 135));

    ui::setDataSetIni(iniOf(folder));
    openDialog(&at, QPoint(-1, -1));
    EXPECT_EQ(at, QPoint(333, 222));
}

TEST_F(WindowPlaceTest, HandEditedKeysAndOtherSectionsAreRespected)
{
    QFile f(iniOf(folder));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("; upraveno rucne\r\n[d1]\r\nkalendartop = 77\r\nKalendarLeft=abc\r\n[Tisk]\r\nTisk2Top=5\r\n");
    f.close();
    QDialog d;
    ui::WindowPlace place(&d, QStringLiteral("Kalendar"), QPoint(148, 128), QPoint(228, 188));
    EXPECT_EQ(d.pos(), QPoint(228, 77)); // a key that is not a number gives the default
    QDialog printCentre;
    ui::WindowPlace tisk(&printCentre, QStringLiteral("Tisk2"), QPoint(0, 0), QPoint(1, 1));
    tisk.setSection(QStringLiteral("Tisk"));
    tisk.restore();
    EXPECT_EQ(printCentre.pos(), QPoint(1, 5));
}

TEST_F(WindowPlaceTest, AWindowRegistrationMarksTheWindowOpenWhileItExists)
{
    EXPECT_FALSE(data::program().isOpen(data::WindowId::Payments));
    {
        ui::WindowRegistration open(data::WindowId::Payments);
        EXPECT_TRUE(data::program().isOpen(data::WindowId::Payments));
    }
    EXPECT_FALSE(data::program().isOpen(data::WindowId::Payments));
}

} // namespace
