#include "field.h"

#include "dataset.h"
#include "errors.h"
#include "formats.h"
#include "sql_dialect.h"

#include <QRegularExpression>
#include <cmath>

namespace db {

Field::Field(Dataset &owner, FieldDef def, int index) : m_owner(owner), m_def(std::move(def)), m_index(index) {}

const QVariant &Field::value() const { return m_value; }

bool Field::isNull() const { return !m_value.isValid() || m_value.isNull(); }

QString Field::asString() const
{
    if (isNull()) return {};
    switch (m_def.type) {
    case FieldType::Date: return dateText(m_value.toDate());
    case FieldType::Boolean: return m_value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Float: {
        QString s = QString::number(m_value.toDouble(), 'g', 15);
        s.replace(QLatin1Char('.'), formatSettings().decimalSeparator);
        return s;
    }
    case FieldType::Small:
    case FieldType::Integer:
    case FieldType::AutoInc: return QString::number(m_value.toLongLong());
    default: return m_value.toString();
    }
}

qint64 Field::asInteger() const
{
    if (isNull()) return 0;
    if (m_def.type == FieldType::Float) return qint64(std::llround(m_value.toDouble()));
    if (m_def.type == FieldType::Text || m_def.type == FieldType::Memo) return m_value.toString().trimmed().toLongLong();
    return m_value.toLongLong();
}

double Field::asFloat() const
{
    if (isNull()) return 0;
    if (m_def.type == FieldType::Text || m_def.type == FieldType::Memo) return parseFloat(m_value.toString(), nullptr);
    return m_value.toDouble();
}

QDate Field::asDate() const
{
    if (isNull()) return {};
    if (m_def.type == FieldType::Date) return m_value.toDate();
    return parseDate(m_value.toString());
}

bool Field::asBoolean() const { return !isNull() && m_value.toBool(); }

QString Field::displayText() const
{
    if (m_def.type == FieldType::Boolean && !m_def.displayValues.isEmpty()) {
        const QStringList parts = m_def.displayValues.split(QLatin1Char(';'));
        if (isNull()) return {};
        return m_value.toBool() ? parts.value(0) : parts.value(1);
    }
    if (isNull()) return {};
    if (m_def.type == FieldType::Float && !m_def.displayFormat.isEmpty())
        return formatFloat(m_value.toDouble(), m_def.displayFormat);
    if (m_def.type == FieldType::Date && !m_def.displayFormat.isEmpty())
        return formatDate(m_value.toDate(), m_def.displayFormat);
    return asString();
}

QString Field::text() const
{
    if (m_def.type == FieldType::Float && !isNull()) return formatFloat(m_value.toDouble(), QStringLiteral("0.00"));
    return asString();
}

void Field::refuseNotNumber(const QString &text) const
{
    if (m_def.type == FieldType::Float)
        throw DbError(ErrInvalidValue, QStringLiteral("'%1' není platné reálné číslo pro pole '%2'").arg(text, displayLabel()));
    throw DbError(ErrInvalidValue, QStringLiteral("'%1' není platné celé číslo pro pole '%2'").arg(text, displayLabel()));
}

QVariant Field::convert(const QVariant &input) const
{
    if (!input.isValid() || input.isNull()) return {};
    const bool isText = input.typeId() == QMetaType::QString;
    switch (m_def.type) {
    case FieldType::Text: {
        QString s = input.typeId() == QMetaType::QDate ? dateText(input.toDate()) : input.toString();
        if (s.size() > size()) s.truncate(size());
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Memo: {
        const QString s = input.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Small:
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Float: {
        double v;
        if (isText) {
            const QString t = input.toString().trimmed();
            if (t.isEmpty()) return {};
            bool ok = false;
            if (m_def.type == FieldType::Float) {
                v = parseFloat(t, &ok);
            } else {
                static const QRegularExpression re(QStringLiteral("^[-+]?\\d+$"));
                ok = re.match(t).hasMatch();
                v = ok ? t.toDouble() : 0;
            }
            if (!ok) refuseNotNumber(input.toString());
        } else if (input.typeId() == QMetaType::Bool) {
            v = input.toBool() ? 1 : 0;
        } else {
            bool ok = false;
            v = input.toDouble(&ok);
            if (!ok || !std::isfinite(v)) refuseNotNumber(input.toString());
        }
        if (m_def.type != FieldType::Float) v = std::round(v);
        double lo = m_def.minValue, hi = m_def.maxValue;
        bool check = m_def.hasRange;
        if (!check && m_def.type == FieldType::Small) { lo = -32768; hi = 32767; check = true; }
        if (!check && (m_def.type == FieldType::Integer || m_def.type == FieldType::AutoInc)) {
            lo = -2147483648.0; hi = 2147483647.0; check = true;
        }
        if (check && (v < lo || v > hi))
            throw DbError(ErrInvalidValue, QStringLiteral("%1 není platná hodnota pro pole '%2'. Povolený rozsah je od %3 do %4")
                                               .arg(formatG(v), displayLabel(), formatG(lo), formatG(hi)));
        if (m_def.type == FieldType::Float) return QVariant(v);
        return QVariant(qint64(v));
    }
    case FieldType::Date: {
        if (input.typeId() == QMetaType::QDate || input.typeId() == QMetaType::QDateTime) {
            const QDate d = input.toDate();
            return d.isValid() ? QVariant(d) : QVariant();
        }
        const QString t = input.toString();
        if (t.trimmed().isEmpty()) return {};
        const QDate d = parseDate(t);
        if (!d.isValid()) throw DbError(ErrInvalidValue, QStringLiteral("'%1' není platný datum").arg(t));
        return QVariant(d);
    }
    case FieldType::Boolean: {
        if (isText) {
            const QString t = input.toString().trimmed().toLower();
            if (t.isEmpty()) return {};
            if (t == QLatin1String("true") || t == QLatin1String("t") || t == QLatin1String("ano") || t == QLatin1String("1"))
                return QVariant(true);
            if (t == QLatin1String("false") || t == QLatin1String("f") || t == QLatin1String("ne") || t == QLatin1String("0"))
                return QVariant(false);
            throw DbError(ErrInvalidValue, QStringLiteral("'%1' není platná logická hodnota pro pole '%2'")
                                               .arg(input.toString(), displayLabel()));
        }
        return QVariant(input.toBool());
    }
    }
    return input;
}

void Field::assign(const QVariant &converted)
{
    if (m_def.kind == FieldKind::Lookup && !m_owner.m_inCalc)
        throw DbError(ErrNotEditing, QStringLiteral("Pole '%1' nelze měnit.").arg(displayLabel()));
    if (m_def.kind == FieldKind::Calculated && m_owner.m_inCalc) {
        m_value = converted;
        return;
    }
    if (!m_owner.isEditing() && m_def.kind == FieldKind::Data)
        throw DbError(ErrNotEditing, QStringLiteral("Tabulka %1 není v režimu úprav ani vkládání.").arg(m_owner.objectName()));
    const QVariant old = m_value;
    m_value = converted;
    if (onValidate) {
        try {
            onValidate(*this);
        } catch (...) {
            m_value = old;
            throw;
        }
    }
    m_owner.fieldChanged(*this);
    changed.emit_(*this);
}

void Field::setValue(const QVariant &value) { assign(convert(value)); }
void Field::setAsString(const QString &text) { assign(convert(QVariant(text))); }
void Field::setAsInteger(qint64 value) { assign(convert(QVariant(value))); }
void Field::setAsFloat(double value) { assign(convert(QVariant(value))); }
void Field::setAsDate(const QDate &value) { assign(convert(value.isValid() ? QVariant(value) : QVariant())); }
void Field::setAsBoolean(bool value) { assign(convert(QVariant(value))); }
void Field::clear() { assign(QVariant()); }

void Field::setText(const QString &text)
{
    if (onSetText) onSetText(*this, text);
    else setAsString(text);
}

} // namespace db
