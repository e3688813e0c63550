#include "orders_fixture.h"

#include "app/main_window.h"
#include "app/settings_window.h"
#include "app/startup_window.h"
#include "platform/ui/window_tools.h"

#include <QAction>

namespace {

TEST_F(OrdersTest, TheMenuCommandsOpenTheirWindows)
{
    setting(dm.ModfDd, true); // shows the date choice in the menu
    {
        app::TMainForm main(dm, root.path());
        main.setDataRoot(root.path());
        main.setDataSetFolder(folder);
        app::wireMainWindow(main, dm);
        const std::pair<const char *, const char *> commands[] = {{"Platbyztu1", "EbzpForm"},
                                                                  {"Platby1", "Ebz2Form"},
                                                                  {"Platbynaty1", "Ebz2splForm"},
                                                                  {"Vbrdatumuvystaven1", "EmoddfForm"}};
        for (const auto &[action, window] : commands) {
            QAction *a = main.action(QString::fromLatin1(action));
            ASSERT_TRUE(a && a->isEnabled()) << action;
            ModalAnswers answers([](QDialog *w) { w->reject(); });
            a->trigger();
            EXPECT_EQ(answers.opened, std::vector<QString>{QString::fromLatin1(window)}) << action;
        }
        app::setMenuAdaptationHook({});
        ui::routeHints({});
    }
    EXPECT_FALSE(dm.Mbz.hasRange());
    EXPECT_TRUE(msg.shown().empty());
}

} // namespace
