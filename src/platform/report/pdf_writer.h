#pragma once

#include "report_document.h"

#include <QString>

namespace report {

// Writes every page of a document into a PDF file (fonts embedded), replacing the file only
// when the whole document was written. Returns false with a Czech message on failure.
bool writePdf(const Document &doc, const QString &path, QString *error = nullptr);

} // namespace report
