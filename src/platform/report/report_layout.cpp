#include "report_layout.h"

#include <cmath>

namespace report {

int settingMmToLayout(double mm) { return int(std::lround(mm * 3.8)); }

double mmToLayout(double mm) { return mm * kLayoutDpi / 25.4; }

Element &Band::add(ElementKind kind, int x, int y, int w, int h)
{
    Element e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.w = w;
    e.h = h;
    elements.push_back(std::move(e));
    return elements.back();
}

Element &Band::text(int x, int y, int w, int h, const QString &caption, Alignment a)
{
    Element &e = add(ElementKind::Text, x, y, w, h);
    e.text = caption;
    e.alignment = a;
    return e;
}

Element &Band::field(int x, int y, int w, int h, const QString &fieldName, Alignment a)
{
    Element &e = add(ElementKind::Field, x, y, w, h);
    e.field = fieldName;
    e.alignment = a;
    return e;
}

Element &Band::rect(int x, int y, int w, int h) { return add(ElementKind::Rectangle, x, y, w, h); }

Element &Band::hline(int x, int y, int w, int h) { return add(ElementKind::HorizontalLine, x, y, w, h); }

Element &Band::vline(int x, int y, int w, int h) { return add(ElementKind::VerticalLine, x, y, w, h); }

Element &Band::picture(int x, int y, int w, int h) { return add(ElementKind::Picture, x, y, w, h); }

Element &Band::sum(int x, int y, int w, int h, const QString &fieldName, const QString &format, Alignment a)
{
    Element &e = add(ElementKind::Sum, x, y, w, h);
    e.field = fieldName;
    e.displayFormat = format;
    e.alignment = a;
    return e;
}

Band &ReportLayout::addBand(BandKind kind, int height, const QString &name)
{
    Band b;
    b.kind = kind;
    b.height = height;
    b.name = name;
    bands.push_back(std::move(b));
    return bands.back();
}

Band *ReportLayout::band(const QString &name)
{
    for (Band &b : bands)
        if (b.name == name) return &b;
    return nullptr;
}

Band *ReportLayout::firstBand(BandKind kind)
{
    for (Band &b : bands)
        if (b.kind == kind) return &b;
    return nullptr;
}

Element *ReportLayout::element(const QString &name)
{
    if (name.isEmpty()) return nullptr;
    for (Band &b : bands)
        for (Element &e : b.elements)
            if (e.name == name) return &e;
    return nullptr;
}

QString ceFontName(const QString &family)
{
    if (family.contains(QLatin1String(" CE"))) return family;
    return family + QStringLiteral(" CE");
}

void ReportLayout::convertFontsToCE()
{
    font.family = ceFontName(font.family);
    for (Band &b : bands)
        for (Element &e : b.elements)
            if (e.font) e.font->family = ceFontName(e.font->family);
}

} // namespace report
