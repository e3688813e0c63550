#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace db {
class Dataset;
}

namespace report {

// The rows a report prints: a count, a current row, and field values and display texts of it.
class ReportData {
public:
    virtual ~ReportData() = default;
    virtual int rowCount() const = 0;
    // Makes row (0-based) the current one.
    virtual void moveTo(int row) = 0;
    // The value and the display text of a field of the current row; empty without a row.
    virtual QVariant value(const QString &field) const = 0;
    virtual QString text(const QString &field) const = 0;
};

// Report rows read from a dataset in its order. Field names may name another dataset
// ("Mtt.Ds"): its current row is printed, whatever row the report is on.
class DatasetReportData : public ReportData {
public:
    explicit DatasetReportData(db::Dataset *rows);
    // Makes fields "name.Field" read the given dataset.
    void addDataset(const QString &name, db::Dataset *dataset);

    int rowCount() const override;
    void moveTo(int row) override;
    QVariant value(const QString &field) const override;
    QString text(const QString &field) const override;

private:
    struct Ref {
        db::Dataset *dataset = nullptr;
        QString field;
    };
    Ref resolve(const QString &field) const;

    db::Dataset *m_rows;
    QHash<QString, db::Dataset *> m_others;
};

} // namespace report
