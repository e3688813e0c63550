#pragma once

#include "report_document.h"
#include "report_layout.h"

namespace report {

class ReportData;

// Lays a report out into pages of drawing operations. Every page starts with the page
// headers, the first page continues with the title bands, every page then with the column
// headers; for each row the group headers whose field changed, the detail bands in turn and
// the group footers of the groups that end; the summary after the last row. A band that
// does not fit on the rest of the page starts a new page. During the title the data is on
// its first row, during the summary on its last. data may be null (a report without rows).
Document runReport(ReportLayout &layout, ReportData *data, const PageGeometry &geometry = PageGeometry::a4());

} // namespace report
