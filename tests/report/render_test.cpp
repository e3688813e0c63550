#include "report_test_env.h"

#include "platform/report/pdf_writer.h"
#include "platform/report/report_engine.h"
#include "platform/report/report_renderer.h"
#include "support/test_support.h"

#include <QFontInfo>
#include <QRawFont>

using report::Alignment;
using report::BandKind;

namespace {

class ReportRender : public ::testing::Test {
protected:
    void SetUp() override { reporttest::ensureApplication(); }
};

// A small form: a frame of lines, boxes, texts of every alignment with Czech letters.
report::Document sampleDocument(int pages = 1, double leftMarginMm = 0)
{
    report::ReportLayout layout;
    layout.title = QStringLiteral("Vzorek");
    layout.leftMarginMm = leftMarginMm;
    report::Band &b = layout.addBand(BandKind::Detail, 240);
    b.text(297, 0, 135, 17, QStringLiteral("PŘÍKAZ K ÚHRADĚ"));
    b.text(9, 34, 153, 17, QStringLiteral("Číslo účtu plátce"));
    b.text(634, 51, 65, 12, QStringLiteral("Kód tiskopisu")).font = report::LayoutFont{QStringLiteral("Courier New"), 9, true};
    b.vline(4, 68, 4, 43);
    b.hline(4, 68, 693, 4);
    b.vline(697, 68, 4, 43);
    b.hline(4, 111, 693, 4);
    b.rect(2, 120, 697, 37);
    b.rect(284, 123, 124, 31);
    b.field(315, 130, 90, 17, QStringLiteral("Ca"), Alignment::Right);
    b.field(414, 130, 144, 17, QStringLiteral("D1"), Alignment::Center);
    b.text(9, 170, 300, 17, QStringLiteral("žluťoučký kůň úpěl ďábelské ódy"));
    std::vector<QVariantMap> rows;
    for (int i = 0; i < pages; ++i) rows.push_back({{"Ca", QStringLiteral("1234,50")}, {"D1", QStringLiteral("IHNED")}});
    reporttest::MemoryData data(rows);
    report::PageGeometry g = report::PageGeometry::a4();
    g.printable.setHeight(300); // one order a page
    return report::runReport(layout, &data, g);
}

// Columns of dark pixels within a rectangle of an image.
QRect darkBounds(const QImage &image, const QRect &area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

TEST_F(ReportRender, LayoutFontsMapToTheShippedLiberationFonts)
{
    for (const char *family : {"Courier New", "Courier New CE"}) {
        const QFont font = report::physicalFont({QString::fromLatin1(family), 15, false});
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Mono")) << family;
        const QRawFont raw = QRawFont::fromFont(font);
        for (QChar c : QStringLiteral("ŘřÍíÚúŮůĚěŠšČčŽžŤťĎďŇň"))
            EXPECT_TRUE(raw.supportsCharacter(c)) << QString(c).toStdString();
    }
    EXPECT_TRUE(QFontInfo(report::physicalFont({QStringLiteral("Courier New"), 9, true})).bold());
}

TEST_F(ReportRender, TextsSitInTheirBoxesAndFramesAreDrawnOnTheirEdges)
{
    const QImage page = report::renderPageImage(sampleDocument(), 0);
    ASSERT_EQ(page.size(), QSize(794, 1123));
    const int left = 0;
    // The right-aligned amount ends at the right edge of its box.
    const QRect amount = darkBounds(page, QRect(left + 290, 130, 116, 17));
    EXPECT_GE(amount.right(), left + 315 + 90 - 3);
    EXPECT_LE(amount.right(), left + 315 + 90);
    EXPECT_GE(amount.left(), left + 315 + 90 - 7 * 9 - 1);
    // The centred text is centred in its box.
    const QRect centred = darkBounds(page, QRect(left + 411, 130, 150, 17));
    EXPECT_NEAR(centred.center().x(), left + 414 + 72, 3);
    // Texts stay inside the height of their boxes.
    const QRect caption = darkBounds(page, QRect(left + 290, 0, 150, 30));
    EXPECT_GE(caption.top(), 0);
    EXPECT_LE(caption.bottom(), 17);
    // Frame corners are closed: both lines reach the corner pixel.
    EXPECT_LT(qGray(page.pixel(left + 4, 68)), 128);
    EXPECT_LT(qGray(page.pixel(left + 697, 68)), 128);
    EXPECT_LT(qGray(page.pixel(left + 697, 111)), 128);
    EXPECT_LT(qGray(page.pixel(left + 2, 120)), 128);
    EXPECT_LT(qGray(page.pixel(left + 698, 156)), 128);
    EXPECT_GT(qGray(page.pixel(left + 350, 126)), 128); // inside the box stays white

    // The left margin shifts the whole page: 10 mm are 37.8 layout pixels.
    const QImage shifted = report::renderPageImage(sampleDocument(1, 10), 0);
    EXPECT_GT(qGray(shifted.pixel(41, 90)), 128);
    EXPECT_LT(qGray(shifted.pixel(42, 90)), 128);
}

TEST_F(ReportRender, PageImageMatchesTheExpectation)
{
    reporttest::expectImageMatchesFixture(report::renderPageImage(sampleDocument(1, 10), 0), QStringLiteral("print/sample_page.png"));
}

TEST_F(ReportRender, PdfHoldsEveryPageWithEmbeddedFonts)
{
    testsupport::TempDir dir;
    const QString path = dir.file(QStringLiteral("vzorek.pdf"));
    QString error;
    ASSERT_TRUE(report::writePdf(sampleDocument(2), path, &error)) << error.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.contains("/Count 2"));
    EXPECT_TRUE(pdf.contains("LiberationMono")) << "font not embedded";
    EXPECT_TRUE(pdf.contains("/FontFile2"));

    const QString bad = dir.file(QStringLiteral("chybí/vzorek.pdf"));
    EXPECT_FALSE(report::writePdf(sampleDocument(), bad, &error));
    EXPECT_EQ(error, QStringLiteral("Soubor %1 nelze vytvořit.").arg(bad));
    EXPECT_FALSE(QFile::exists(bad));
}
