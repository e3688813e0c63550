#include "pdf_writer.h"

#include "report_renderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace report {

namespace {

constexpr int kPdfDpi = 1200;

bool fail(QString *error, const QString &path)
{
    if (error) *error = QStringLiteral("Soubor %1 nelze vytvořit.").arg(path);
    return false;
}

} // namespace

bool writePdf(const Document &doc, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return fail(error, path);
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfDpi);
        writer.setTitle(doc.title);
        writer.setCreator(QStringLiteral("Velorad"));
        const QSizeF paperMm(doc.geometry.paper.width() * 25.4 / kLayoutDpi, doc.geometry.paper.height() * 25.4 / kLayoutDpi);
        writer.setPageLayout(QPageLayout(QPageSize(paperMm, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return fail(error, path);
        }
        for (int i = 0; i < doc.pageCount(); ++i) {
            if (i > 0) writer.newPage();
            renderPage(painter, doc, i, kPdfDpi);
        }
        painter.end();
    }
    if (!file.commit()) return fail(error, path);
    return true;
}

} // namespace report
