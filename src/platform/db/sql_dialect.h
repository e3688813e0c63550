#pragma once

#include "field_def.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace db {

// The statement language of the program: Select * / Update / Delete / Alter Table over one
// table, conditions joined by "and", literals in double (or single) quotes, True/False,
// "is [not] null", column-to-column comparisons, :name and ? parameters.
// Everything is parsed and translated into SQLite text with bound values.

struct Operand {
    enum Kind { Literal, Number, Param, Column, Bool } kind = Literal;
    QString text;      // literal text, number text, parameter name, column name
    bool boolValue = false;
    int position = 0;  // for positional ? parameters
};

struct Condition {
    QString column;
    QString op;        // "=", "<>", "<", ">", "<=", ">=", "IS NULL", "IS NOT NULL"
    Operand rhs;
};

struct OrderItem {
    QString column;
    bool descending = false;
};

struct AlterAdd {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;
};

struct Statement {
    enum Kind { Select, Update, Delete, Alter } kind = Select;
    QString table;
    std::vector<Condition> where;
    std::vector<std::pair<QString, Operand>> sets;
    std::vector<OrderItem> order;
    std::vector<AlterAdd> adds;
};

// Throws DbError(ErrSql) with a Czech message for text outside the language.
Statement parseStatement(const QString &text);
std::vector<Condition> parseConditions(const QString &text);

using FieldResolver = std::function<const FieldDef *(const QString &name)>;
using ParamResolver = std::function<QVariant(const Operand &param)>;

// Translates conditions into an SQLite condition with ? placeholders and bound values.
// Literal and parameter values are converted to the column's stored form; a value that does
// not fit the column raises the engine's value message.
QString translateConditions(const std::vector<Condition> &conditions, const FieldResolver &fields,
                            const ParamResolver &params, QVariantList &binds);

// Converts a value (field value or literal text) to the stored form of a field's column.
QVariant toStorage(const FieldDef &def, const QVariant &value);
QVariant fromStorage(const FieldDef &def, const QVariant &stored);
// Converts statement literal text for a column, with the engine's messages on failure.
QVariant literalToValue(const FieldDef &def, const QString &text, bool fromNumberToken);

// The declared SQLite column type for a field type ("CHAR(20)", "MONEY", ...).
QString columnTypeSql(const FieldDef &def);
// The field type that a declared column type stands for.
FieldDef fieldFromColumn(const QString &name, const QString &declaredType, bool primaryKeyInteger);

} // namespace db
