#include "report_document.h"

#include <QStringList>

namespace report {

bool DrawOp::operator==(const DrawOp &o) const
{
    return kind == o.kind && box == o.box && line == o.line && alignment == o.alignment && font == o.font &&
           text == o.text && image == o.image;
}

PageGeometry PageGeometry::a4() { return fromMillimetres(QSizeF(210, 297), QRectF(0, 0, 210, 297)); }

PageGeometry PageGeometry::fromMillimetres(const QSizeF &paperMm, const QRectF &printableMm)
{
    PageGeometry g;
    g.paper = QSizeF(mmToLayout(paperMm.width()), mmToLayout(paperMm.height()));
    g.printable = QRectF(mmToLayout(printableMm.x()), mmToLayout(printableMm.y()), mmToLayout(printableMm.width()),
                         mmToLayout(printableMm.height()));
    return g;
}

namespace {

QString alignmentName(Alignment a)
{
    switch (a) {
    case Alignment::Left: return QStringLiteral("left");
    case Alignment::Right: return QStringLiteral("right");
    case Alignment::Center: return QStringLiteral("center");
    }
    return {};
}

} // namespace

QString Document::opText(const DrawOp &op)
{
    const QRect &b = op.box;
    switch (op.kind) {
    case DrawOp::Text:
        return QStringLiteral("text %1 %2 %3 %4 %5 \"%6\" %7 %8 | %9")
            .arg(b.x())
            .arg(b.y())
            .arg(b.width())
            .arg(b.height())
            .arg(alignmentName(op.alignment), op.font.family)
            .arg(op.font.pixelSize)
            .arg(op.font.bold ? QStringLiteral("bold") : QStringLiteral("normal"), op.text);
    case DrawOp::Rect:
        return QStringLiteral("rect %1 %2 %3 %4").arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height());
    case DrawOp::Line:
        return QStringLiteral("line %1 %2 %3 %4").arg(op.line.x1()).arg(op.line.y1()).arg(op.line.x2()).arg(op.line.y2());
    case DrawOp::Picture:
        return QStringLiteral("picture %1 %2 %3 %4 #%5").arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height()).arg(op.image);
    }
    return {};
}

QString Document::toText() const
{
    QStringList lines;
    for (int i = 0; i < pageCount(); ++i) {
        lines << QStringLiteral("page %1").arg(i + 1);
        for (const DrawOp &op : pages[size_t(i)].ops) lines << opText(op);
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace report
