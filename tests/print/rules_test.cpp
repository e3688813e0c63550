// The rules that change what the orders and lists print, and the preparation around them.
#include "print_fixture.h"

#include "platform/report/report_engine.h"

#include <QRegularExpression>

using print::PrintOutput;

namespace {

class PrintRules : public PrintTest {};

// The texts of the element drawn at a box position on the first page.
QString textAt(const report::Document &doc, int x, int y, int page = 0)
{
    for (const report::DrawOp &op : doc.pages.at(size_t(page)).ops)
        if (op.kind == report::DrawOp::Text && op.box.x() == x && op.box.y() == y) return op.text;
    return QStringLiteral("<none>");
}

} // namespace

TEST_F(PrintRules, RunIsThePaymentsOfTheDateAndAccountNotLeftOut)
{
    addStandardRun();
    Payment otherDay{QStringLiteral("Jiný den"), QStringLiteral("1"), QStringLiteral("0100"), QString(), 1};
    otherDay.d3 = QDate(2004, 3, 24);
    addPayment(otherDay);
    Payment otherAccount{QStringLiteral("Jiný účet"), QStringLiteral("2"), QStringLiteral("0100"), QString(), 2};
    otherAccount.pc = 2;
    addPayment(otherAccount);
    addPayment({QStringLiteral("Vynechat"), QStringLiteral("3"), QStringLiteral("0100"), QString(), 3});
    dm.Mbz.edit();
    dm.MbzO5->setAsBoolean(true);
    dm.Mbz.post();
    EXPECT_EQ(print::printRunCount(dm), 2);
    // Two single orders fit on one A4 page; the collective one totals the run.
    const PrintOutput single = printNode(1);
    EXPECT_EQ(single.document.pageCount(), 1);
    EXPECT_EQ(textsOf(single.document).filter(QStringLiteral("PŘÍKAZ K ÚHRADĚ")).size(), 2);
    const PrintOutput collective = printNode(5);
    EXPECT_EQ(textAt(collective.document, 324, 19 + 136), QStringLiteral("13545.50"));
    EXPECT_EQ(textsOf(collective.document).filter(QStringLiteral("Jiný")).size(), 0);
    EXPECT_FALSE(dm.MbzQr.active());
    EXPECT_TRUE(dm.MbzQrD1->displayFormat().isEmpty());
}

TEST_F(PrintRules, CaptionFollowsIkOfEachOrderOrOfTheFirstRowOfACollectiveOne)
{
    struct Case {
        bool firstIk, secondIk;
        QStringList single;
        QString collective;
    } cases[] = {
        {false, true, {"PŘÍKAZ K ÚHRADĚ", "PŘÍKAZ K INKASU"}, "HROMADNÝ PŘÍKAZ K ÚHRADĚ"},
        {true, false, {"PŘÍKAZ K INKASU", "PŘÍKAZ K ÚHRADĚ"}, "HROMADNÝ PŘÍKAZ K INKASU"},
    };
    for (const Case &c : cases) {
        dm.PrevodQr.setSql(QStringLiteral("Delete From Mbz"));
        dm.PrevodQr.execSql();
        dm.Mbz.refresh();
        Payment first{QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("0100"), QString(), 1, c.firstIk};
        Payment second{QStringLiteral("B"), QStringLiteral("2"), QStringLiteral("0100"), QString(), 2, c.secondIk};
        addPayment(first);
        addPayment(second);
        QStringList captions;
        for (int node : {1, 3}) {
            const report::Document doc = printNode(node).document;
            captions.clear();
            for (const QString &t : textsOf(doc))
                if (t.startsWith(QStringLiteral("PŘÍKAZ K"))) captions << t;
            EXPECT_EQ(captions, c.single) << node;
        }
        for (int node : {5, 7}) {
            const QStringList texts = textsOf(printNode(node).document);
            EXPECT_TRUE(texts.contains(c.collective)) << node;
            EXPECT_EQ(texts.filter(QStringLiteral("HROMADNÝ")).size(), 1) << node;
        }
    }
}

TEST_F(PrintRules, DueAndIssueDatesFollowIhnTdAndVsd)
{
    addStandardRun();
    setModf([&] { dm.ModfK->setAsString(QStringLiteral("dd.mm.yy")); });
    struct Case {
        bool ihn, td, vsd;
        QString due, issue;
    } cases[] = {
        {false, false, false, "25.03.04", "23.03.04"},
        {true, false, false, "IHNED", "23.03.04"},
        {false, true, false, "25.03.04", "20.03.04"}, // today's date in the date format
        {false, false, true, "25.03.04", "<none>"},
        {false, true, true, "25.03.04", "<none>"},    // Vsd wins over Td
    };
    for (const Case &c : cases) {
        setModf([&] {
            dm.ModfIhn->setAsBoolean(c.ihn);
            dm.ModfTd->setAsBoolean(c.td);
        });
        setMtt([&] { dm.MttVsd->setAsBoolean(c.vsd); });
        const report::Document single = printNode(1).document;
        const int top = 19; // Vh 5 mm
        EXPECT_EQ(textAt(single, 459, top + 34), c.due) << c.ihn << c.td << c.vsd;
        EXPECT_EQ(textAt(single, 270, top + 323), c.issue) << c.ihn << c.td << c.vsd;
        EXPECT_EQ(textAt(single, 459, top + 509 + 34), c.due); // the second order
        const report::Document cnb = printNode(3).document;
        EXPECT_EQ(textAt(cnb, 360, top + 17), c.due);
        EXPECT_EQ(textAt(cnb, 243, top + 391), c.issue);
        const report::Document collective = printNode(7).document;
        EXPECT_EQ(textAt(collective, 423, top + 153), c.due); // head band: first row
        // The foot band follows the two rows of 17 pixels: issue date of the last row.
        EXPECT_EQ(textAt(collective, 243, 255 + 19 + 2 * 17 + 85), c.issue);
    }
}

TEST_F(PrintRules, PayerDataOnlyWithBupp)
{
    addStandardRun();
    for (bool bupp : {false, true}) {
        setModf([&] { dm.ModfBupp->setAsBoolean(bupp); });
        EXPECT_EQ(textsOf(printNode(1).document).contains(QStringLiteral("nájem za březen")), bupp);
        EXPECT_EQ(textsOf(printNode(3).document).contains(QStringLiteral("nájem za březen")), bupp);
    }
}

TEST_F(PrintRules, FaxCodeLabelFormCodeItemsAndTheFaxPrinter)
{
    addStandardRun();
    print::PrintOptions options;
    options.faxOn = true;
    options.faxBold = true;
    struct Case {
        int node;
        QString kod;
        bool label, formCode, fax, bold;
    } cases[] = {
        {1, "12", true, false, true, true}, {2, "12", false, true, false, false}, {3, "12", true, false, true, true},
        {5, "12", true, false, true, true}, {6, "12", false, true, false, false}, {7, "12", true, false, true, true},
        {1, "", false, false, false, false}, {6, "", false, true, false, false},
    };
    for (const Case &c : cases) {
        setMtt([&] { dm.MttKod->setAsString(c.kod); });
        const PrintOutput out = printNode(c.node, options);
        const QStringList texts = textsOf(out.document);
        EXPECT_EQ(texts.contains(QStringLiteral("kód 12")), c.label) << c.node;
        EXPECT_FALSE(texts.contains(QStringLiteral("kód"))) << c.node;
        EXPECT_EQ(texts.contains(QStringLiteral("Kód tiskopisu")), c.formCode) << c.node;
        EXPECT_EQ(texts.contains(QStringLiteral("1234")), c.formCode) << c.node;
        EXPECT_EQ(out.faxCodeShown, c.label) << c.node;
        EXPECT_EQ(out.useFaxPrinter, c.fax) << c.node;
        EXPECT_EQ(out.askAlsoOnPrinter, c.fax) << c.node;
        EXPECT_EQ(out.bold, c.bold) << c.node;
        for (const report::DrawOp &op : out.document.pages[0].ops)
            if (op.kind == report::DrawOp::Text && op.font.pixelSize == 15) {
                EXPECT_EQ(op.font.bold, c.bold) << c.node;
            }
    }
    // The fax label is right-aligned: its box ends at 693.
    setMtt([&] { dm.MttKod->setAsString(QStringLiteral("12")); });
    const report::DrawOp *label = findText(printNode(1).document, QStringLiteral("kód 12"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->alignment, report::Alignment::Right);
    EXPECT_EQ(label->box.right() + 1, 693);
    // Without FaxAno no fax printer and no question, the bold switch only with FaxTucne.
    options.faxOn = false;
    options.faxBold = false;
    const PrintOutput plain = printNode(1, options);
    EXPECT_TRUE(plain.faxCodeShown);
    EXPECT_FALSE(plain.useFaxPrinter);
    EXPECT_FALSE(plain.askAlsoOnPrinter);
    EXPECT_FALSE(plain.bold);
}

TEST_F(PrintRules, PicturePlacedBelowTheTextGrowsItsBand)
{
    addStandardRun();
    print::PrintOptions options;
    options.picture.image = QImage(201, 101, QImage::Format_RGB32);
    options.picture.image.fill(Qt::red);
    options.picture.leftMm = 10;
    options.picture.belowTextMm = 30;
    options.picture.scalePercent = 150;
    auto pictures = [](const report::Document &doc) {
        QStringList found;
        for (int p = 0; p < doc.pageCount(); ++p)
            for (const report::DrawOp &op : doc.pages[size_t(p)].ops)
                if (op.kind == report::DrawOp::Picture) found << QStringLiteral("%1:%2").arg(p + 1).arg(report::Document::opText(op));
        return found;
    };
    // Off: no picture, two orders of 509 pixels on the first page.
    const report::Document off = printNode(1, options).document;
    EXPECT_TRUE(pictures(off).isEmpty());
    EXPECT_EQ(off.pageCount(), 1);
    setMtt([&] { dm.MttObr->setAsBoolean(true); });
    // On: 38 pixels from the left, 114 + 425 from the band's top, 302 x 152 (150 %, rounded);
    // the band grows to 691, so the second order starts page 2.
    const report::Document on = printNode(1, options).document;
    EXPECT_EQ(pictures(on), (QStringList{"1:picture 38 558 302 152 #0", "2:picture 38 558 302 152 #0"}));
    // The collective foot band ends at the picture's bottom.
    const report::Document collective = printNode(5, options).document;
    const int footTop = 255 + 19 + 2 * 17;
    EXPECT_EQ(pictures(collective), QStringList{QStringLiteral("1:picture 38 %1 302 152 #0").arg(footTop + 114 + 119)});
    // The ČNB forms place it the same way; the forms with the form code print none.
    EXPECT_EQ(pictures(printNode(3, options).document).size(), 2);
    EXPECT_TRUE(pictures(printNode(2, options).document).isEmpty());
    EXPECT_TRUE(pictures(printNode(6, options).document).isEmpty());
}

TEST_F(PrintRules, PictureBandHeightsAndSizes)
{
    print::TRbzReport single;
    print::OrderPicture picture;
    picture.image = QImage(40, 20, QImage::Format_RGB32);
    print::placeOrderPicture(single, true, picture);
    EXPECT_EQ(single.pictureBand->height, 509); // 425 + 20 stays inside the band
    EXPECT_EQ(QRect(single.ImageS->x, single.ImageS->y, single.ImageS->w, single.ImageS->h), QRect(0, 425, 40, 20));
    print::placeOrderPicture(single, false, picture);
    EXPECT_EQ(single.ImageS->w, 0);
    EXPECT_TRUE(single.ImageS->picture.isNull());
    print::TRbhnReport collective;
    print::placeOrderPicture(collective, true, picture);
    EXPECT_EQ(collective.pictureBand->height, 139);
    print::placeOrderPicture(collective, false, picture);
    EXPECT_EQ(collective.pictureBand->height, 119);
    EXPECT_EQ(print::scaledPictureSize(QSize(33, 7), 100), QSize(33, 7));
    EXPECT_EQ(print::scaledPictureSize(QSize(33, 7), 50), QSize(17, 4)); // 16.5 and 3.5 round up
    EXPECT_EQ(print::scaledPictureSize(QSize(33, 7), 20), QSize(7, 1));
}

TEST_F(PrintRules, MarginsCopiesFontsAndDecimalSeparator)
{
    addStandardRun();
    setMtt([&] {
        dm.MttVh->setAsInteger(10);
        dm.MttVl->setAsInteger(7);
        dm.MttKop->setAsInteger(3);
        dm.MttPk->setAsBoolean(false);
    });
    db::formatSettings().decimalSeparator = QLatin1Char(';');
    PrintOutput out = printNode(1);
    EXPECT_EQ(out.document.leftMarginMm, 7);
    EXPECT_EQ(textAt(out.document, 315, 38 + 204), QStringLiteral("12345.50")); // top band 38, a point without Tc
    EXPECT_EQ(out.printerCopies, 1);
    EXPECT_EQ(out.printRuns, 3);
    EXPECT_EQ(db::formatSettings().decimalSeparator, QLatin1Char(';')); // restored
    setModf([&] { dm.ModfTc->setAsBoolean(true); });
    setMtt([&] { dm.MttPk->setAsBoolean(true); });
    print::PrintOptions options;
    options.bold = true;
    options.ceFonts = true;
    out = printNode(12, options);
    EXPECT_EQ(out.printerCopies, 3);
    EXPECT_EQ(out.printRuns, 1);
    EXPECT_EQ(out.document.leftMarginMm, 7);
    for (const report::DrawOp &op : out.document.pages[0].ops)
        if (op.kind == report::DrawOp::Text) {
            EXPECT_EQ(op.font, (report::LayoutFont{QStringLiteral("Courier New CE"), 15, true}));
        }
    out = printNode(6, options);
    const report::DrawOp *small = findText(out.document, QStringLiteral("Kód tiskopisu"));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->font, (report::LayoutFont{QStringLiteral("Courier New CE"), 9, true}));
    EXPECT_EQ(textAt(out.document, 324, 38 + 136), QStringLiteral("13545,50"));
    EXPECT_EQ(db::formatSettings().decimalSeparator, QLatin1Char(';'));
    db::formatSettings().decimalSeparator = QLatin1Char(',');
}

TEST_F(PrintRules, CollectiveOrderLongerThanAPageContinuesUnderTheTopBand)
{
    for (int i = 1; i <= 60; ++i)
        addPayment({QStringLiteral("Platba %1").arg(i), QStringLiteral("%1").arg(1000 + i), QStringLiteral("0100"),
                    QString::number(i), double(i)});
    const report::Document doc = printNode(5).document;
    // A4 holds 1122.5 pixels: top band 19 + head 255 + 49 rows of 17; the summary of 119
    // after the last 11 rows on page 2.
    ASSERT_EQ(doc.pageCount(), 2);
    auto rowsOn = [&](int page) {
        int rows = 0;
        for (const report::DrawOp &op : doc.pages[size_t(page)].ops)
            if (op.kind == report::DrawOp::Text && op.box.x() == 18 && op.text.startsWith(QLatin1String("10"))) ++rows;
        return rows;
    };
    EXPECT_EQ(rowsOn(0), 49);
    EXPECT_EQ(rowsOn(1), 11);
    EXPECT_EQ(textAt(doc, 18, 19, 1), QStringLiteral("1050")); // page 2 starts below the top band
    EXPECT_FALSE(textsOf(doc, 1).contains(QStringLiteral("HROMADNÝ PŘÍKAZ K ÚHRADĚ")));
    EXPECT_EQ(textAt(doc, 441, 19 + 11 * 17 + 102, 1), QStringLiteral("Razítko a podpis příkazce"));
    EXPECT_EQ(textAt(doc, 324, 19 + 136), QStringLiteral("1830.00"));
}

TEST_F(PrintRules, BookWithoutRowsPrintsOnlyItsTitle)
{
    const report::Document doc = printNode(9).document;
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(textsOf(doc), (QStringList{"K N I H A   P Ř Í K A Z Ů", "od", "01.03.2004", "do", "31.03.2004"}));
    EXPECT_EQ(doc.pages[0].ops.size(), 7u); // and its two frames
    // The same for an empty calendar.
    EXPECT_EQ(textsOf(printNode(10).document).size(), 1);
}

TEST_F(PrintRules, OverviewListsOnlyPeriodicPayments)
{
    Payment periodic{QStringLiteral("Leasing"), QStringLiteral("4455"), QStringLiteral("5500"), QStringLiteral("8"), 3000};
    periodic.spl = 8;
    periodic.vm = QStringLiteral("1.-12.");
    addPayment(periodic);
    addStandardRun();
    const QStringList overview = textsOf(print::printPeriodicOverview(dm, {}).document);
    EXPECT_EQ(overview.filter(QStringLiteral("1.-12.")).size(), 1);
    EXPECT_EQ(overview.filter(QRegularExpression(QStringLiteral("^\\.{70}$"))).size(), 1);
    EXPECT_EQ(textsOf(printNode(10).document).filter(QStringLiteral("Leasing")).size(), 1);
    EXPECT_FALSE(textsOf(printNode(10).document).contains(QStringLiteral("Elektřina")));
}

TEST_F(PrintRules, DatesAreCheckedBeforeEveryReport)
{
    data::program().setWindowOpen(data::WindowId::PrintCentre, true);
    EXPECT_TRUE(print::postPrintRunSettings(dm));
    EXPECT_TRUE(messages.isEmpty());
    // Outside the print centre an empty run date may be stored; the next report refuses it.
    data::program().setWindowOpen(data::WindowId::PrintCentre, false);
    setMtt([&] { dm.MttDz->clear(); });
    data::program().setWindowOpen(data::WindowId::PrintCentre, true);
    EXPECT_FALSE(print::postPrintRunSettings(dm));
    EXPECT_EQ(messages, QStringList{"Zadejte datum - Velorad"});
    EXPECT_FALSE(dm.Mtt.isEditing());
    data::program().setWindowOpen(data::WindowId::PrintCentre, false);
}
