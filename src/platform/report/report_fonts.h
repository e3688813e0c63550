#pragma once

#include "report_layout.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace report {

// Registers a TrueType file with the application's fonts; returns its family, empty on failure.
QString registerFontFile(const QString &path);
// Registers the Liberation fonts from the folders this platform keeps them in (a "fonts"
// folder beside the program first), once per program run. Returns the files registered.
QStringList registerReportFonts();
// The folders registerReportFonts looks in.
QStringList reportFontFolders();

// The platform family that prints a layout's family: "Courier New" by Liberation Mono,
// "Arial" by Liberation Sans, "Times New Roman" by Liberation Serif, the " CE" variants by
// the same Unicode fonts (they hold the Czech letters). A family the platform has under its
// own name keeps it when the Liberation twin is missing.
QString physicalFamily(const QString &layoutFamily);
// The platform font for a layout font, sized in layout pixels.
QFont physicalFont(const LayoutFont &font);

} // namespace report
