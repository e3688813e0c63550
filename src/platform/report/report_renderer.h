#pragma once

#include "report_document.h"

#include <QImage>

class QPainter;

namespace report {

// Where the painter's origin lies on the sheet: at the paper's corner (preview, PDF, images)
// or at the corner of the printable area (a printer that does not print to the edges).
enum class RenderOrigin { Paper, Printable };

// Draws one page of a document with a painter whose device has the given resolution. The one
// drawing code of the preview, the printer, PDF files and test images.
void renderPage(QPainter &painter, const Document &doc, int pageIndex, double deviceDpi,
                RenderOrigin origin = RenderOrigin::Paper);

// One page as a white sheet at the given resolution.
QImage renderPageImage(const Document &doc, int pageIndex, double dpi = kLayoutDpi);

} // namespace report
