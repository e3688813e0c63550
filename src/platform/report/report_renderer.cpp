#include "report_renderer.h"

#include "report_fonts.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace report {

namespace {

int textFlags(Alignment a)
{
    const int h = a == Alignment::Right ? Qt::AlignRight : a == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    return h | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine;
}

} // namespace

void renderPage(QPainter &painter, const Document &doc, int pageIndex, double deviceDpi, RenderOrigin origin)
{
    if (pageIndex < 0 || pageIndex >= doc.pageCount()) return;
    const double scale = deviceDpi / kLayoutDpi;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.scale(scale, scale);
    QPointF shift(mmToLayout(doc.leftMarginMm), 0);
    if (origin == RenderOrigin::Paper) shift += doc.geometry.printable.topLeft();
    painter.translate(shift);
    // One layout pixel, but never thinner than one pixel of the device.
    QPen pen(Qt::black, std::max(1.0, 1.0 / scale));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double half = pen.widthF() / 2;
    for (const DrawOp &op : doc.pages[size_t(pageIndex)].ops) {
        switch (op.kind) {
        case DrawOp::Text:
            painter.setFont(physicalFont(op.font));
            painter.drawText(QRectF(op.box), textFlags(op.alignment), op.text);
            break;
        case DrawOp::Rect:
            // The frame's outer edge is the box's edge.
            painter.drawRect(QRectF(op.box).adjusted(half, half, -half, -half));
            break;
        case DrawOp::Line:
            painter.drawLine(QLineF(op.line).translated(half, half));
            break;
        case DrawOp::Picture:
            if (op.image >= 0 && op.image < int(doc.images.size()))
                painter.drawImage(QRectF(op.box), doc.images[size_t(op.image)]);
            break;
        }
    }
    painter.restore();
}

QImage renderPageImage(const Document &doc, int pageIndex, double dpi)
{
    const double scale = dpi / kLayoutDpi;
    const QSize size(int(std::ceil(doc.geometry.paper.width() * scale)), int(std::ceil(doc.geometry.paper.height() * scale)));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    QPainter painter(&image);
    renderPage(painter, doc, pageIndex, dpi);
    painter.end();
    return image;
}

} // namespace report
