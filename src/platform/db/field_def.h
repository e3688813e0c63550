#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace db {

// Stored field types of the tables.
enum class FieldType {
    Text,     // text(n), stored as TEXT
    Small,    // 16-bit signed integer
    Integer,  // 32-bit signed integer
    Float,    // amount; the API speaks double, stored as integer hundredths
    Date,     // calendar date, stored as ISO yyyy-mm-dd text
    Boolean,  // stored as 0/1
    Memo,     // text blob
    AutoInc,  // 32-bit integer assigned by the engine on insert, never reused
};

// Whether a field is stored, computed by the calc-fields event, or looked up in another dataset.
enum class FieldKind { Data, Calculated, Lookup };

// Declaration of one field of a table layout.
struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;                 // width of text fields (0 = 20 for text)
    QString label;                // display label; empty means the field name
    bool hasRange = false;
    double minValue = 0;
    double maxValue = 0;
    QString displayFormat;        // "0.00" for amounts, date formats, ...
    QString displayValues;        // booleans: "ANO;NE"
    FieldKind kind = FieldKind::Data;
    // Lookup fields: key field(s) of this dataset, key field(s) of the source, result field.
    QString keyFields;
    QString lookupKeyFields;
    QString lookupResultField;
    QString lookupDataset;        // object name of the lookup source, bound at run time

    int effectiveSize() const { return type == FieldType::Text && size == 0 ? 20 : size; }
    bool isStored() const { return kind == FieldKind::Data; }
};

// One index of a table: its name ("" for the primary index), fields and descriptor file suffix.
struct IndexDef {
    QString name;
    QStringList fields;
    QString fileSuffix;           // "X02" for .X02/.Y02; "PX" for the primary index
    bool primary = false;
};

// Layout of one table: fields in order, primary key, secondary indexes and extra files.
struct TableDef {
    QString name;
    std::vector<FieldDef> fields;
    QStringList primaryKey;       // empty: the table has no key (rows stay in append order)
    std::vector<IndexDef> indexes; // secondary indexes
    bool memoStore = false;       // a .MB file accompanies the table

    const FieldDef *field(const QString &fieldName) const;
    // File names this table occupies in its folder, in data-file-list order
    // (.DB, .MB, .PX, then each secondary index's .X then .Y files).
    QStringList fileNames() const;
};

// Convenience builders used by the layout tables.
FieldDef textField(const QString &name, int size, const QString &label = {});
FieldDef smallField(const QString &name, const QString &label = {});
FieldDef smallField(const QString &name, double min, double max, const QString &label = {});
FieldDef intField(const QString &name, const QString &label = {});
FieldDef intField(const QString &name, double min, double max, const QString &label = {});
FieldDef floatField(const QString &name, const QString &label = {});
FieldDef floatField(const QString &name, double min, double max, const QString &label = {});
FieldDef dateField(const QString &name, const QString &label = {});
FieldDef boolField(const QString &name, const QString &label = {});
FieldDef memoField(const QString &name, const QString &label = {});
FieldDef autoIncField(const QString &name, const QString &label = {});
FieldDef calcField(const QString &name, FieldType type, int size = 0, const QString &label = {});
FieldDef lookupField(const QString &name, FieldType type, int size, const QString &dataset,
                     const QString &keyFields, const QString &lookupKeyFields,
                     const QString &resultField, const QString &label = {});

} // namespace db
