#include "report_data.h"

#include "platform/db/dataset.h"

namespace report {

DatasetReportData::DatasetReportData(db::Dataset *rows) : m_rows(rows) {}

void DatasetReportData::addDataset(const QString &name, db::Dataset *dataset) { m_others.insert(name, dataset); }

int DatasetReportData::rowCount() const
{
    return m_rows && m_rows->active() ? m_rows->recordCount() : 0;
}

void DatasetReportData::moveTo(int row)
{
    if (!m_rows || !m_rows->active()) return;
    if (m_rows->recNo() != row + 1) m_rows->setRecNo(row + 1);
}

DatasetReportData::Ref DatasetReportData::resolve(const QString &field) const
{
    const int dot = field.indexOf(QLatin1Char('.'));
    if (dot > 0) {
        db::Dataset *other = m_others.value(field.left(dot));
        if (other) return {other, field.mid(dot + 1)};
    }
    return {m_rows, field};
}

QVariant DatasetReportData::value(const QString &field) const
{
    const Ref r = resolve(field);
    if (!r.dataset || !r.dataset->active() || r.dataset->isEmpty()) return {};
    return r.dataset->fieldByName(r.field).value();
}

QString DatasetReportData::text(const QString &field) const
{
    const Ref r = resolve(field);
    if (!r.dataset || !r.dataset->active() || r.dataset->isEmpty()) return {};
    return r.dataset->fieldByName(r.field).displayText();
}

} // namespace report
