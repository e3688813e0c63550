#include "report_test_env.h"

#include "platform/db/formats.h"
#include "platform/report/report_engine.h"

using report::Alignment;
using report::BandKind;
using report::Document;
using report::ReportLayout;
using reporttest::MemoryData;

namespace {

QStringList opsOf(const Document &doc, int page)
{
    QStringList lines;
    for (const report::DrawOp &op : doc.pages.at(size_t(page)).ops) lines << Document::opText(op);
    return lines;
}

std::vector<QVariantMap> numberedRows(int count)
{
    std::vector<QVariantMap> rows;
    for (int i = 1; i <= count; ++i) rows.push_back({{"N", i}, {"Ca", i * 1.5}});
    return rows;
}

// A page exactly 200 layout pixels high.
report::PageGeometry smallPage()
{
    report::PageGeometry g;
    g.paper = QSizeF(300, 200);
    g.printable = QRectF(0, 0, 300, 200);
    return g;
}

} // namespace

TEST(ReportEngine, ElementsBecomeDrawingOperations)
{
    ReportLayout layout;
    report::Band &b = layout.addBand(BandKind::Detail, 100);
    b.text(297, 0, 135, 17, QStringLiteral("PŘÍKAZ K ÚHRADĚ"));
    b.field(315, 20, 90, 17, QStringLiteral("Ca"), Alignment::Right);
    b.field(414, 20, 144, 17, QStringLiteral("D1"), Alignment::Center);
    report::Element &small = b.text(634, 51, 65, 12, QStringLiteral("Kód tiskopisu"));
    small.font = report::LayoutFont{QStringLiteral("Courier New"), 9, true};
    b.rect(2, 40, 283, 37);
    b.hline(4, 60, 693, 4);
    b.vline(697, 60, 4, 43);
    b.field(0, 80, 9, 17, QStringLiteral("Empty"));
    b.text(0, 90, 9, 17, QStringLiteral("skrytý")).visible = false;
    QImage stamp(30, 20, QImage::Format_RGB32);
    stamp.fill(Qt::red);
    b.picture(10, 80, 60, 40).picture = stamp;
    b.picture(10, 80, 0, 0).picture = stamp; // zero size: not printed
    MemoryData data({{{"Ca", QStringLiteral("1234,50")}, {"D1", QStringLiteral("25.03.2004")}}});

    const Document doc = report::runReport(layout, &data);
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(opsOf(doc, 0), (QStringList{
                                 "text 297 0 135 17 left \"Courier New\" 15 normal | PŘÍKAZ K ÚHRADĚ",
                                 "text 315 20 90 17 right \"Courier New\" 15 normal | 1234,50",
                                 "text 414 20 144 17 center \"Courier New\" 15 normal | 25.03.2004",
                                 "text 634 51 65 12 left \"Courier New\" 9 bold | Kód tiskopisu",
                                 "rect 2 40 283 37",
                                 "line 4 60 697 60",
                                 "line 697 60 697 103",
                                 "picture 10 80 60 40 #0",
                             }));
    ASSERT_EQ(doc.images.size(), 1u);
    EXPECT_EQ(doc.images[0].size(), QSize(30, 20));
}

TEST(ReportEngine, PaginatesWithHeadersTitleOnceAndSummaryAfterTheLastRow)
{
    ReportLayout layout;
    layout.addBand(BandKind::PageHeader, 20).text(0, 0, 90, 17, QStringLiteral("hlava"));
    layout.addBand(BandKind::Title, 40).text(0, 0, 90, 17, QStringLiteral("titul"));
    layout.addBand(BandKind::ColumnHeader, 20).text(0, 0, 90, 17, QStringLiteral("sloupce"));
    layout.addBand(BandKind::Detail, 30).field(0, 0, 90, 17, QStringLiteral("N"));
    layout.addBand(BandKind::Summary, 50).text(0, 0, 90, 17, QStringLiteral("konec"));

    struct Case {
        int rows;
        std::vector<QStringList> pages;
    } cases[] = {
        // 20 + 40 + 20 = 80; three rows fill to 170, the summary (50) does not fit.
        {3, {{"hlava@0", "titul@20", "sloupce@60", "1@80", "2@110", "3@140"}, {"hlava@0", "sloupce@20", "konec@40"}}},
        // The fifth row (ending at 230) moves to page 2, where the summary fits.
        {5,
         {{"hlava@0", "titul@20", "sloupce@60", "1@80", "2@110", "3@140", "4@170"},
          {"hlava@0", "sloupce@20", "5@40", "konec@70"}}},
        {0, {{"hlava@0", "titul@20", "sloupce@60", "konec@80"}}},
    };
    for (const Case &c : cases) {
        MemoryData data(numberedRows(c.rows));
        const Document doc = report::runReport(layout, &data, smallPage());
        std::vector<QStringList> pages;
        for (const report::Page &p : doc.pages) {
            QStringList texts;
            for (const report::DrawOp &op : p.ops) texts << QStringLiteral("%1@%2").arg(op.text).arg(op.box.y());
            pages.push_back(texts);
        }
        EXPECT_EQ(pages, c.pages) << c.rows << " rows";
    }
}

TEST(ReportEngine, BandTallerThanAPageStillPrintsOncePerRow)
{
    ReportLayout layout;
    layout.addBand(BandKind::Detail, 500).field(0, 0, 90, 17, QStringLiteral("N"));
    MemoryData data(numberedRows(2));
    const Document doc = report::runReport(layout, &data, smallPage());
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(opsOf(doc, 1), QStringList{"text 0 0 90 17 left \"Courier New\" 15 normal | 2"});
}

TEST(ReportEngine, DetailBandsPrintInTurnUnderTheirConditions)
{
    ReportLayout layout;
    layout.printIfEmpty = true;
    report::Band &first = layout.addBand(BandKind::Detail, 17);
    first.field(0, 0, 90, 17, QStringLiteral("Na"));
    first.printIf = [](const report::ReportData &d) { return d.rowCount() > 0; };
    report::Band &note = layout.addBand(BandKind::Detail, 17);
    note.field(0, 0, 90, 17, QStringLiteral("P"));
    note.printIf = [](const report::ReportData &d) { return !d.text(QStringLiteral("P")).isEmpty(); };
    layout.addBand(BandKind::Detail, 17).text(0, 0, 90, 17, QStringLiteral("...."));

    MemoryData data({{{"Na", "A"}, {"P", "pozn"}}, {{"Na", "B"}}});
    const Document doc = report::runReport(layout, &data);
    QStringList texts;
    for (const report::DrawOp &op : doc.pages[0].ops) texts << QStringLiteral("%1@%2").arg(op.text).arg(op.box.y());
    EXPECT_EQ(texts, (QStringList{"A@0", "pozn@17", "....@34", "B@51", "....@68"}));

    // Without rows the bands are processed once: only the unconditional one prints.
    MemoryData none;
    const Document empty = report::runReport(layout, &none);
    EXPECT_EQ(opsOf(empty, 0), QStringList{"text 0 0 90 17 left \"Courier New\" 15 normal | ...."});
    layout.printIfEmpty = false;
    EXPECT_TRUE(report::runReport(layout, &none).pages[0].ops.empty());
}

TEST(ReportEngine, TitleShowsTheFirstRowSummaryTheLastGroupsSumTheirRows)
{
    ReportLayout layout;
    layout.addBand(BandKind::Title, 17).field(0, 0, 90, 17, QStringLiteral("Na"));
    report::Band &head = layout.addBand(BandKind::GroupHeader, 17);
    head.groupField = QStringLiteral("G");
    head.field(0, 0, 90, 17, QStringLiteral("G"));
    layout.addBand(BandKind::Detail, 17).field(0, 0, 90, 17, QStringLiteral("Na"));
    report::Band &foot = layout.addBand(BandKind::GroupFooter, 17);
    foot.groupField = QStringLiteral("G");
    foot.sum(0, 0, 90, 17, QStringLiteral("Ca"), QStringLiteral("0.00"));
    layout.addBand(BandKind::Summary, 17).field(0, 0, 90, 17, QStringLiteral("Na"));
    layout.firstBand(BandKind::Summary)->sum(100, 0, 90, 17, QStringLiteral("Ca"), QStringLiteral("0.00"));

    MemoryData data({{{"G", 1}, {"Na", "a"}, {"Ca", 1.25}},
                     {{"G", 1}, {"Na", "b"}, {"Ca", 2.5}},
                     {{"G", 2}, {"Na", "c"}, {"Ca", 10.0}}});
    db::formatSettings().decimalSeparator = QLatin1Char(',');
    const Document doc = report::runReport(layout, &data);
    QStringList texts;
    for (const report::DrawOp &op : doc.pages[0].ops) texts << op.text;
    EXPECT_EQ(texts, (QStringList{"a", "1", "a", "b", "3,75", "2", "c", "10,00", "c", "13,75"}));
}

TEST(ReportEngine, BoldSwitchAndCentralEuropeanFonts)
{
    ReportLayout layout;
    report::Band &b = layout.addBand(BandKind::Title, 17);
    b.text(0, 0, 90, 17, QStringLiteral("Bance"));
    b.text(100, 0, 65, 12, QStringLiteral("Kód tiskopisu")).font = report::LayoutFont{QStringLiteral("Courier New"), 9, true};
    b.text(200, 0, 65, 12, QStringLiteral("Arial")).font = report::LayoutFont{QStringLiteral("Arial"), 12, false};
    layout.setBold(true);
    layout.convertFontsToCE();
    layout.convertFontsToCE(); // twice: still one " CE"
    const Document doc = report::runReport(layout, nullptr);
    EXPECT_EQ(opsOf(doc, 0), (QStringList{
                                 "text 0 0 90 17 left \"Courier New CE\" 15 bold | Bance",
                                 "text 100 0 65 12 left \"Courier New CE\" 9 bold | Kód tiskopisu",
                                 "text 200 0 65 12 left \"Arial CE\" 12 normal | Arial",
                             }));
}

TEST(ReportEngine, PrintHooksChangeOrHideWhatAnElementPrints)
{
    ReportLayout layout;
    report::Band &b = layout.addBand(BandKind::Detail, 17);
    b.field(0, 0, 90, 17, QStringLiteral("D1")).onPrint = [](report::ElementPrint &p) { p.text = QStringLiteral("IHNED"); };
    b.field(100, 0, 90, 17, QStringLiteral("Upp")).onPrint = [](report::ElementPrint &p) {
        p.visible = p.data->value(QStringLiteral("Show")).toBool();
    };
    b.add(report::ElementKind::PageNumber, 200, 0, 90, 17).text = QStringLiteral("Strana %1");
    MemoryData data({{{"D1", "1.1.2004"}, {"Upp", "x"}, {"Show", false}}, {{"D1", "2.1.2004"}, {"Upp", "y"}, {"Show", true}}});
    const Document doc = report::runReport(layout, &data);
    QStringList texts;
    for (const report::DrawOp &op : doc.pages[0].ops) texts << op.text;
    EXPECT_EQ(texts, (QStringList{"IHNED", "Strana 1", "IHNED", "y", "Strana 1"}));
}
