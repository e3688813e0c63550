#include "layout_rows.h"

#include <cstring>

namespace print {

void addRows(report::Band &band, std::initializer_list<ElementRow> rows, std::initializer_list<const char *> omit)
{
    using report::Alignment;
    for (const ElementRow &r : rows) {
        bool skip = false;
        for (const char *o : omit) skip = skip || (*r.name && std::strcmp(o, r.name) == 0);
        if (skip) continue;
        const QString content = QString::fromUtf8(r.content);
        const Alignment a = r.align == 'R' ? Alignment::Right : r.align == 'C' ? Alignment::Center : Alignment::Left;
        report::Element *e = nullptr;
        switch (r.kind) {
        case 'T': e = &band.text(r.x, r.y, r.w, r.h, content, a); break;
        case 'K':
            e = &band.text(r.x, r.y, r.w, r.h, content, a);
            e->font = report::LayoutFont{QStringLiteral("Courier New"), 9, true};
            break;
        case 'F': e = &band.field(r.x, r.y, r.w, r.h, content, a); break;
        case 'R': e = &band.rect(r.x, r.y, r.w, r.h); break;
        case 'H': e = &band.hline(r.x, r.y, r.w, r.h); break;
        case 'V': e = &band.vline(r.x, r.y, r.w, r.h); break;
        case 'P': e = &band.picture(r.x, r.y, r.w, r.h); break;
        default: continue;
        }
        e->name = QString::fromLatin1(r.name);
    }
}

} // namespace print
