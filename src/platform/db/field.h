#pragma once

#include "field_def.h"
#include "signal.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <functional>

namespace db {

class Dataset;

// One field of a dataset's current record: its declaration, value and hooks.
// Values are held as QVariant: QString for text and memo, qint64 for integer kinds,
// double for amounts, QDate for dates, bool for booleans; an invalid QVariant is empty.
class Field {
public:
    Field(Dataset &owner, FieldDef def, int index);

    Dataset &dataset() const { return m_owner; }
    const FieldDef &def() const { return m_def; }
    const QString &fieldName() const { return m_def.name; }
    FieldType dataType() const { return m_def.type; }
    FieldKind kind() const { return m_def.kind; }
    int size() const { return m_def.effectiveSize(); }
    int index() const { return m_index; }
    QString displayLabel() const { return m_def.label.isEmpty() ? m_def.name : m_def.label; }
    void setDisplayLabel(const QString &label) { m_def.label = label; }
    bool isStored() const { return m_def.isStored(); }
    bool isCalculated() const { return m_def.kind == FieldKind::Calculated; }
    bool isLookup() const { return m_def.kind == FieldKind::Lookup; }
    bool hasRange() const { return m_def.hasRange; }
    double minValue() const { return m_def.minValue; }
    double maxValue() const { return m_def.maxValue; }

    // Display format, changeable at run time (date formats of printed orders).
    QString displayFormat() const { return m_def.displayFormat; }
    void setDisplayFormat(const QString &format) { m_def.displayFormat = format; }
    void setDisplayValues(const QString &values) { m_def.displayValues = values; }

    // Reading.
    const QVariant &value() const;
    bool isNull() const;
    QString asString() const;     // plain text: dates in the short date form, numbers without format
    qint64 asInteger() const;     // 0 when empty
    double asFloat() const;       // 0 when empty
    QDate asDate() const;         // invalid when empty
    bool asBoolean() const;       // false when empty
    QString displayText() const;  // with the display format / display values
    QString text() const;         // the text an entry control edits

    // Writing: the dataset must be in edit or insert state (calculated fields only in the
    // calc-fields event). Every assignment is range-checked and validated; a refusal throws
    // DbError(ErrInvalidValue) or the validate hook's exception, and the old value stays.
    void setValue(const QVariant &value);
    void setAsString(const QString &text);
    void setAsInteger(qint64 value);
    void setAsFloat(double value);
    void setAsDate(const QDate &value);
    void setAsBoolean(bool value);
    void clear();
    // Text typed by the user: the set-text hook when there is one, otherwise setAsString.
    void setText(const QString &text);

    // Hooks of the table rules.
    std::function<void(Field &, const QString &)> onSetText;
    std::function<void(Field &)> onValidate;     // runs after the new value is in place; throw to refuse
    Signal<Field &> changed;                      // after every accepted assignment

    // Converts and checks a value for this field without storing it.
    QVariant convert(const QVariant &value) const;

    // Engine internals.
    void setRaw(const QVariant &value) { m_value = value; }
    const QVariant &raw() const { return m_value; }
    void bindLookupSource(Dataset *source) { m_lookupSource = source; }
    Dataset *lookupSource() const { return m_lookupSource; }

private:
    void assign(const QVariant &converted);
    [[noreturn]] void refuseNotNumber(const QString &text) const;

    Dataset &m_owner;
    FieldDef m_def;
    int m_index;
    QVariant m_value;
    Dataset *m_lookupSource = nullptr;
};

} // namespace db
