#pragma once

#include "report_layout.h"

#include <QImage>
#include <QLine>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

namespace report {

// One drawing operation of a page, in layout pixels from the top left of the printable
// area after the left margin.
struct DrawOp {
    enum Kind { Text, Rect, Line, Picture };
    Kind kind = Text;
    QRect box;                        // text box, rectangle, picture
    QLine line;                       // line from p1 to p2
    Alignment alignment = Alignment::Left;
    LayoutFont font;
    QString text;
    int image = -1;                   // index into Document::images

    bool operator==(const DrawOp &o) const;
};

// A page of drawing operations.
struct Page {
    std::vector<DrawOp> ops;
};

// The size of the paper and the part of it the printer can print on, in layout pixels.
struct PageGeometry {
    QSizeF paper;
    QRectF printable;
    // A portrait A4 sheet printed to its edges (a PDF file).
    static PageGeometry a4();
    // From a paper size and printable rectangle in millimetres.
    static PageGeometry fromMillimetres(const QSizeF &paperMm, const QRectF &printableMm);
};

// A paginated report: pages of drawing operations, their pictures, the page geometry it was
// laid out for and the left margin every page is shifted by.
class Document {
public:
    QString title;
    PageGeometry geometry = PageGeometry::a4();
    double leftMarginMm = 0;
    std::vector<Page> pages;
    std::vector<QImage> images;

    int pageCount() const { return int(pages.size()); }
    // One line per operation, pages introduced by "page N": the form tests compare.
    QString toText() const;
    static QString opText(const DrawOp &op);
};

} // namespace report
