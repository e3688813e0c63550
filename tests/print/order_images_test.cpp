// A few pages rendered as images and compared with expectations, with a tolerance.
#include "print_fixture.h"

#include "platform/report/report_renderer.h"

namespace {

class OrderImages : public PrintTest {};

} // namespace

TEST_F(OrderImages, PagesLookAsExpected)
{
    addStandardRun();
    setMtt([&] { dm.MttKod->setAsString(QStringLiteral("12")); });
    setModf([&] {
        dm.ModfBupp->setAsBoolean(true);
        dm.ModfTc->setAsBoolean(true);
    });
    struct Case {
        int node;
        const char *file;
    } cases[] = {{1, "print/node1_page.png"}, {3, "print/node3_page.png"}, {6, "print/node6_page.png"}};
    for (const Case &c : cases)
        reporttest::expectImageMatchesFixture(report::renderPageImage(printNode(c.node).document, 0),
                                              QString::fromLatin1(c.file));
}
