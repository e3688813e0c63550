#pragma once

#include <QImage>
#include <QString>
#include <deque>
#include <functional>
#include <optional>

namespace report {

class ReportData;

// Layout pixels per inch: every position and size of a layout is in these units.
constexpr double kLayoutDpi = 96.0;

// Millimetres of the program's own settings (top band, picture offsets) in layout pixels,
// with the factor 3.8 the program has always used, rounded to the nearest pixel.
int settingMmToLayout(double mm);
// Exact millimetres in layout pixels (page margins of the engine).
double mmToLayout(double mm);

// A font as a layout names it ("Courier New", 15 pixels of character height, bold or not).
// The renderer maps the name to a font of the platform.
struct LayoutFont {
    QString family = QStringLiteral("Courier New");
    int pixelSize = 15;
    bool bold = false;

    bool operator==(const LayoutFont &o) const
    {
        return family == o.family && pixelSize == o.pixelSize && bold == o.bold;
    }
    bool operator!=(const LayoutFont &o) const { return !(*this == o); }
};

// Where a text sits in its box: starts at x, ends at x + w, or is centred in the box.
enum class Alignment { Left, Right, Center };

enum class ElementKind {
    Text,           // a fixed caption
    Field,          // the display text of a field of the current row ("Ca", or "Mtt.Ds" of another dataset)
    Rectangle,      // a one-pixel frame of the box
    HorizontalLine, // a one-pixel line along the top edge of the box
    VerticalLine,   // a one-pixel line along the left edge of the box
    Picture,        // an image stretched to the box
    Sum,            // the total of a field over the rows of the group (or of the report)
    PageNumber,     // the page number put into the text ("Strana %1")
};

// What an element is about to print; its print hook may change the text or hide it.
struct ElementPrint {
    QString text;
    bool visible = true;
    const ReportData *data = nullptr;
};

// One element of a band: kind, box in layout pixels relative to the band, alignment and font.
struct Element {
    ElementKind kind = ElementKind::Text;
    QString name;                    // "QRLabel1"; empty for unnamed elements
    int x = 0, y = 0, w = 0, h = 0;
    Alignment alignment = Alignment::Left;
    QString text;                    // caption of a text; pattern of a page number
    QString field;                   // field of a field or sum element
    QString displayFormat;           // number format of a sum ("0.00")
    bool visible = true;
    std::optional<LayoutFont> font;    // own font; without it the element prints in the report's font
    QImage picture;
    std::function<void(ElementPrint &)> onPrint;
};

enum class BandKind {
    PageHeader,   // top of every page
    Title,        // once, on the first page below the page header
    ColumnHeader, // every page, below the page header (and the title on the first page)
    GroupHeader,  // when the group field changes
    Detail,       // once per row (each detail band in turn)
    GroupFooter,  // after the last row of a group
    Summary,      // once after the last row
};

// One horizontal band of a layout with its elements and its print condition.
struct Band {
    BandKind kind = BandKind::Detail;
    QString name;
    int height = 0;
    std::deque<Element> elements;    // a deque keeps references to elements valid
    // Printed only when this says so (evaluated on the current row); none = always.
    std::function<bool(const ReportData &)> printIf;
    // Group header and footer: the field whose change of value starts a new group.
    QString groupField;

    Element &add(ElementKind kind, int x, int y, int w, int h);
    Element &text(int x, int y, int w, int h, const QString &caption, Alignment a = Alignment::Left);
    Element &field(int x, int y, int w, int h, const QString &fieldName, Alignment a = Alignment::Left);
    Element &rect(int x, int y, int w, int h);
    Element &hline(int x, int y, int w, int h);
    Element &vline(int x, int y, int w, int h);
    Element &picture(int x, int y, int w, int h);
    Element &sum(int x, int y, int w, int h, const QString &fieldName, const QString &format,
                 Alignment a = Alignment::Right);
};

// A banded report layout: bands of elements, the report font, title and left margin.
class ReportLayout {
public:
    ReportLayout() = default;
    virtual ~ReportLayout() = default;
    ReportLayout(const ReportLayout &) = delete;
    ReportLayout &operator=(const ReportLayout &) = delete;

    QString title;                   // the print job's name
    LayoutFont font;                   // the report font of every element without its own
    double leftMarginMm = 0;
    // With no rows the detail bands are still processed once (their conditions decide).
    bool printIfEmpty = false;
    std::deque<Band> bands;

    Band &addBand(BandKind kind, int height, const QString &name = {});
    Band *band(const QString &name);
    Band *firstBand(BandKind kind);
    Element *element(const QString &name);

    // The font style switch of the whole report (elements with their own font keep it).
    void setBold(bool on) { font.bold = on; }
    // Converts the report font and every own font to its " CE" variant ("Arial" -> "Arial CE");
    // a name that already holds " CE" stays as it is.
    void convertFontsToCE();
};

// The font name of the central-European variant of a font.
QString ceFontName(const QString &family);

} // namespace report
