#include "field_def.h"

namespace db {

const FieldDef *TableDef::field(const QString &fieldName) const
{
    for (const auto &f : fields)
        if (f.name.compare(fieldName, Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

QStringList TableDef::fileNames() const
{
    QStringList names{name + QStringLiteral(".DB")};
    if (memoStore) names << name + QStringLiteral(".MB");
    if (!primaryKey.isEmpty()) names << name + QStringLiteral(".PX");
    for (const auto &ix : indexes) names << name + QLatin1Char('.') + ix.fileSuffix;
    for (const auto &ix : indexes) {
        QString twin = ix.fileSuffix;
        if (!twin.isEmpty() && twin[0] == QLatin1Char('X')) twin[0] = QLatin1Char('Y');
        names << name + QLatin1Char('.') + twin;
    }
    return names;
}

namespace {
FieldDef make(const QString &name, FieldType type, int size, const QString &label)
{
    FieldDef d;
    d.name = name;
    d.type = type;
    d.size = size;
    d.label = label;
    if (type == FieldType::Float) d.displayFormat = QStringLiteral("0.00");
    return d;
}
FieldDef ranged(FieldDef d, double min, double max)
{
    d.hasRange = true;
    d.minValue = min;
    d.maxValue = max;
    return d;
}
} // namespace

FieldDef textField(const QString &name, int size, const QString &label) { return make(name, FieldType::Text, size, label); }
FieldDef smallField(const QString &name, const QString &label) { return make(name, FieldType::Small, 0, label); }
FieldDef smallField(const QString &name, double min, double max, const QString &label)
{
    return ranged(make(name, FieldType::Small, 0, label), min, max);
}
FieldDef intField(const QString &name, const QString &label) { return make(name, FieldType::Integer, 0, label); }
FieldDef intField(const QString &name, double min, double max, const QString &label)
{
    return ranged(make(name, FieldType::Integer, 0, label), min, max);
}
FieldDef floatField(const QString &name, const QString &label) { return make(name, FieldType::Float, 0, label); }
FieldDef floatField(const QString &name, double min, double max, const QString &label)
{
    return ranged(make(name, FieldType::Float, 0, label), min, max);
}
FieldDef dateField(const QString &name, const QString &label) { return make(name, FieldType::Date, 0, label); }
FieldDef boolField(const QString &name, const QString &label) { return make(name, FieldType::Boolean, 0, label); }
FieldDef memoField(const QString &name, const QString &label) { return make(name, FieldType::Memo, 0, label); }
FieldDef autoIncField(const QString &name, const QString &label) { return make(name, FieldType::AutoInc, 0, label); }

FieldDef calcField(const QString &name, FieldType type, int size, const QString &label)
{
    FieldDef d = make(name, type, size, label);
    d.kind = FieldKind::Calculated;
    return d;
}

FieldDef lookupField(const QString &name, FieldType type, int size, const QString &dataset,
                     const QString &keyFields, const QString &lookupKeyFields,
                     const QString &resultField, const QString &label)
{
    FieldDef d = make(name, type, size, label);
    d.kind = FieldKind::Lookup;
    d.lookupDataset = dataset;
    d.keyFields = keyFields;
    d.lookupKeyFields = lookupKeyFields;
    d.lookupResultField = resultField;
    return d;
}

} // namespace db
