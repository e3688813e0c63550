#pragma once

#include "platform/report/report_layout.h"

#include <initializer_list>

namespace print {

// One element of a layout table: position and size in layout pixels, kind, caption or
// field, alignment and name. Kinds: 'T' text, 'F' field, 'R' rectangle, 'H' horizontal
// line, 'V' vertical line, 'P' picture, 'K' text in Courier New 9 px bold.
struct ElementRow {
    int x, y, w, h;
    char kind;
    const char *content = "";
    char align = 'L';          // 'L', 'R' right-aligned, 'C' centred
    const char *name = "";
};

// Adds the rows of a layout table to a band, skipping the named elements listed in omit.
void addRows(report::Band &band, std::initializer_list<ElementRow> rows, std::initializer_list<const char *> omit = {});

} // namespace print
