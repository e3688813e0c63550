#include "report_engine.h"

#include "report_data.h"

#include "platform/db/formats.h"

#include <QHash>
#include <map>
#include <vector>

namespace report {

namespace {

// A report data without rows, for layouts printed without data.
class NoRows : public ReportData {
public:
    int rowCount() const override { return 0; }
    void moveTo(int) override {}
    QVariant value(const QString &) const override { return {}; }
    QString text(const QString &) const override { return {}; }
};

// One run of the engine over a layout and its rows.
class Paginator {
public:
    Paginator(ReportLayout &layout, ReportData &data, const PageGeometry &geometry)
        : m_layout(layout), m_data(data), m_pageHeight(geometry.printable.height())
    {
        m_doc.title = layout.title;
        m_doc.geometry = geometry;
        m_doc.leftMarginMm = layout.leftMarginMm;
    }

    Document run()
    {
        collectGroups();
        const int rows = m_data.rowCount();
        if (rows > 0) m_data.moveTo(0);
        newPage();
        for (int i = 0; i < rows; ++i) printRow(i, rows);
        if (rows == 0 && m_layout.printIfEmpty)
            for (Band &b : m_layout.bands)
                if (b.kind == BandKind::Detail) place(b);
        if (rows > 0) m_data.moveTo(rows - 1);
        for (Band &b : m_layout.bands)
            if (b.kind == BandKind::Summary) place(b);
        return std::move(m_doc);
    }

private:
    struct Group {
        QString field;
        Band *header = nullptr;
        std::vector<Band *> footers;
        QVariant key;
    };

    void collectGroups()
    {
        for (Band &b : m_layout.bands)
            if (b.kind == BandKind::GroupHeader) m_groups.push_back({b.groupField, &b, {}, {}});
        for (Band &b : m_layout.bands) {
            if (b.kind != BandKind::GroupFooter) continue;
            for (Group &g : m_groups)
                if (g.field == b.groupField) g.footers.push_back(&b);
        }
        for (Band &b : m_layout.bands)
            for (Element &e : b.elements)
                if (e.kind == ElementKind::Sum) m_sums[&e] = 0;
    }

    // The first group level whose field differs between the current row and the keys.
    int firstChangedLevel() const
    {
        for (size_t level = 0; level < m_groups.size(); ++level)
            if (m_data.value(m_groups[level].field) != m_groups[level].key) return int(level);
        return int(m_groups.size());
    }

    void printRow(int i, int rows)
    {
        m_data.moveTo(i);
        const int from = i == 0 ? 0 : firstChangedLevel();
        for (size_t level = size_t(from); level < m_groups.size(); ++level) {
            Group &g = m_groups[level];
            g.key = m_data.value(g.field);
            for (Band *f : g.footers)
                for (Element &e : f->elements)
                    if (e.kind == ElementKind::Sum) m_sums[&e] = 0;
            place(*g.header);
        }
        for (auto &[element, total] : m_sums) total += m_data.value(element->field).toDouble();
        for (Band &b : m_layout.bands)
            if (b.kind == BandKind::Detail) place(b);
        int endFrom = 0;
        if (i + 1 < rows) {
            m_data.moveTo(i + 1);
            endFrom = firstChangedLevel();
            m_data.moveTo(i);
        }
        for (int level = int(m_groups.size()) - 1; level >= endFrom; --level)
            for (Band *f : m_groups[size_t(level)].footers) place(*f);
    }

    void newPage()
    {
        m_doc.pages.emplace_back();
        m_y = 0;
        for (Band &b : m_layout.bands)
            if (b.kind == BandKind::PageHeader && shouldPrint(b)) emitBand(b);
        if (m_doc.pages.size() == 1)
            for (Band &b : m_layout.bands)
                if (b.kind == BandKind::Title && shouldPrint(b)) emitBand(b);
        for (Band &b : m_layout.bands)
            if (b.kind == BandKind::ColumnHeader && shouldPrint(b)) emitBand(b);
        m_contentTop = m_y;
    }

    bool shouldPrint(const Band &b) const { return !b.printIf || b.printIf(m_data); }

    void place(Band &b)
    {
        if (!shouldPrint(b)) return;
        // A band taller than a whole page is printed on a fresh page as far as it goes.
        if (m_y + b.height > m_pageHeight && m_y > m_contentTop) newPage();
        emitBand(b);
    }

    void emitBand(Band &b)
    {
        for (Element &e : b.elements) emitElement(e, m_y);
        m_y += b.height;
    }

    QString elementText(const Element &e) const
    {
        switch (e.kind) {
        case ElementKind::Text: return e.text;
        case ElementKind::Field: return m_data.text(e.field);
        case ElementKind::Sum: return db::formatFloat(m_sums.at(&e), e.displayFormat.isEmpty() ? QStringLiteral("0.00") : e.displayFormat);
        case ElementKind::PageNumber: {
            const QString page = QString::number(m_doc.pages.size());
            return e.text.contains(QLatin1String("%1")) ? e.text.arg(page) : e.text + page;
        }
        default: return {};
        }
    }

    int imageIndex(const QImage &image)
    {
        const qint64 key = image.cacheKey();
        auto it = m_imageIndex.find(key);
        if (it != m_imageIndex.end()) return it.value();
        m_doc.images.push_back(image);
        const int index = int(m_doc.images.size()) - 1;
        m_imageIndex.insert(key, index);
        return index;
    }

    void emitElement(const Element &e, int top)
    {
        if (!e.visible) return;
        ElementPrint p;
        p.text = elementText(e);
        p.data = &m_data;
        if (e.onPrint) e.onPrint(p);
        if (!p.visible) return;
        DrawOp op;
        const QRect box(e.x, top + e.y, e.w, e.h);
        switch (e.kind) {
        case ElementKind::Text:
        case ElementKind::Field:
        case ElementKind::Sum:
        case ElementKind::PageNumber:
            if (p.text.isEmpty()) return;
            op.kind = DrawOp::Text;
            op.box = box;
            op.alignment = e.alignment;
            op.font = e.font ? *e.font : m_layout.font;
            op.text = p.text;
            break;
        case ElementKind::Rectangle:
            op.kind = DrawOp::Rect;
            op.box = box;
            break;
        // Lines run along the top or left edge of their box, so the frames that the layouts
        // build of lines meet at their corners.
        case ElementKind::HorizontalLine:
            op.kind = DrawOp::Line;
            op.line = QLine(e.x, top + e.y, e.x + e.w, top + e.y);
            break;
        case ElementKind::VerticalLine:
            op.kind = DrawOp::Line;
            op.line = QLine(e.x, top + e.y, e.x, top + e.y + e.h);
            break;
        case ElementKind::Picture:
            if (e.picture.isNull() || e.w <= 0 || e.h <= 0) return;
            op.kind = DrawOp::Picture;
            op.box = box;
            op.image = imageIndex(e.picture);
            break;
        }
        m_doc.pages.back().ops.push_back(std::move(op));
    }

    ReportLayout &m_layout;
    ReportData &m_data;
    double m_pageHeight;
    Document m_doc;
    int m_y = 0;
    int m_contentTop = 0;
    std::vector<Group> m_groups;
    std::map<const Element *, double> m_sums;
    QHash<qint64, int> m_imageIndex;
};

} // namespace

Document runReport(ReportLayout &layout, ReportData *data, const PageGeometry &geometry)
{
    NoRows none;
    Paginator p(layout, data ? *data : none, geometry);
    return p.run();
}

} // namespace report
