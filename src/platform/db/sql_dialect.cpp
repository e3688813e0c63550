#include "sql_dialect.h"

#include "connection.h"
#include "errors.h"
#include "formats.h"

#include <QRegularExpression>

namespace db {

namespace {

struct Token {
    enum Kind { Ident, Number, String, Param, Symbol, End } kind = End;
    QString text;
};

[[noreturn]] void syntaxError(const QString &text)
{
    throw DbError(ErrSql, QStringLiteral("Neplatný příkaz: %1").arg(text.simplified()));
}

std::vector<Token> tokenize(const QString &text)
{
    std::vector<Token> out;
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) { ++i; continue; }
        if (c.isLetter() || c == QLatin1Char('_')) {
            int j = i + 1;
            while (j < n && (text[j].isLetterOrNumber() || text[j] == QLatin1Char('_'))) ++j;
            out.push_back({Token::Ident, text.mid(i, j - i)});
            i = j;
        } else if (c.isDigit() || ((c == QLatin1Char('-') || c == QLatin1Char('.')) && i + 1 < n && text[i + 1].isDigit())) {
            int j = i + 1;
            while (j < n && (text[j].isDigit() || text[j] == QLatin1Char('.'))) ++j;
            out.push_back({Token::Number, text.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            QString s;
            int j = i + 1;
            for (;;) {
                if (j >= n) syntaxError(text);
                if (text[j] == c) {
                    if (j + 1 < n && text[j + 1] == c) { s += c; j += 2; continue; }
                    break;
                }
                s += text[j++];
            }
            out.push_back({Token::String, s});
            i = j + 1;
        } else if (c == QLatin1Char(':') && i + 1 < n && (text[i + 1].isLetter() || text[i + 1] == QLatin1Char('_'))) {
            int j = i + 1;
            while (j < n && (text[j].isLetterOrNumber() || text[j] == QLatin1Char('_'))) ++j;
            out.push_back({Token::Param, text.mid(i + 1, j - i - 1)});
            i = j;
        } else if (c == QLatin1Char('?')) {
            out.push_back({Token::Param, QString()});
            ++i;
        } else if (c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('!')) {
            if (i + 1 < n && (text[i + 1] == QLatin1Char('=') || (c == QLatin1Char('<') && text[i + 1] == QLatin1Char('>')))) {
                out.push_back({Token::Symbol, text.mid(i, 2)});
                i += 2;
            } else {
                if (c == QLatin1Char('!')) syntaxError(text);
                out.push_back({Token::Symbol, QString(c)});
                ++i;
            }
        } else if (QStringLiteral("=,()*;").contains(c)) {
            if (c != QLatin1Char(';')) out.push_back({Token::Symbol, QString(c)});
            ++i;
        } else {
            syntaxError(text);
        }
    }
    out.push_back({Token::End, {}});
    return out;
}

class Parser {
public:
    explicit Parser(const QString &text) : m_text(text), m_tokens(tokenize(text)) {}

    bool isKeyword(const char *kw) const
    {
        const Token &t = m_tokens[m_pos];
        return t.kind == Token::Ident && t.text.compare(QLatin1String(kw), Qt::CaseInsensitive) == 0;
    }
    void expectKeyword(const char *kw)
    {
        if (!isKeyword(kw)) syntaxError(m_text);
        ++m_pos;
    }
    bool acceptKeyword(const char *kw)
    {
        if (!isKeyword(kw)) return false;
        ++m_pos;
        return true;
    }
    bool acceptSymbol(const char *s)
    {
        const Token &t = m_tokens[m_pos];
        if (t.kind == Token::Symbol && t.text == QLatin1String(s)) { ++m_pos; return true; }
        return false;
    }
    void expectSymbol(const char *s)
    {
        if (!acceptSymbol(s)) syntaxError(m_text);
    }
    QString ident()
    {
        const Token &t = m_tokens[m_pos];
        if (t.kind != Token::Ident) syntaxError(m_text);
        ++m_pos;
        return t.text;
    }
    bool atEnd() const { return m_tokens[m_pos].kind == Token::End; }
    void expectEnd()
    {
        if (!atEnd()) syntaxError(m_text);
    }

    Operand operand()
    {
        const Token &t = m_tokens[m_pos++];
        Operand o;
        switch (t.kind) {
        case Token::String: o.kind = Operand::Literal; o.text = t.text; break;
        case Token::Number: o.kind = Operand::Number; o.text = t.text; break;
        case Token::Param: o.kind = Operand::Param; o.text = t.text; o.position = m_positional++; break;
        case Token::Ident:
            if (t.text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) { o.kind = Operand::Bool; o.boolValue = true; }
            else if (t.text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) { o.kind = Operand::Bool; o.boolValue = false; }
            else { o.kind = Operand::Column; o.text = t.text; }
            break;
        default: syntaxError(m_text);
        }
        return o;
    }

    std::vector<Condition> conditions()
    {
        std::vector<Condition> out;
        do {
            Condition c;
            c.column = ident();
            if (acceptKeyword("is")) {
                c.op = acceptKeyword("not") ? QStringLiteral("IS NOT NULL") : QStringLiteral("IS NULL");
                expectKeyword("null");
            } else {
                const Token &t = m_tokens[m_pos];
                static const QStringList ops{QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("!="), QStringLiteral("<"),
                                             QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">=")};
                if (t.kind != Token::Symbol || !ops.contains(t.text)) syntaxError(m_text);
                c.op = t.text == QLatin1String("!=") ? QStringLiteral("<>") : t.text;
                ++m_pos;
                c.rhs = operand();
            }
            out.push_back(c);
        } while (acceptKeyword("and"));
        return out;
    }

    Statement statement()
    {
        Statement s;
        if (acceptKeyword("select")) {
            s.kind = Statement::Select;
            expectSymbol("*");
            expectKeyword("from");
            s.table = ident();
            if (acceptKeyword("where")) s.where = conditions();
            if (acceptKeyword("order")) {
                expectKeyword("by");
                do {
                    OrderItem o;
                    o.column = ident();
                    if (acceptKeyword("desc")) o.descending = true;
                    else acceptKeyword("asc");
                    s.order.push_back(o);
                } while (acceptSymbol(","));
            }
        } else if (acceptKeyword("update")) {
            s.kind = Statement::Update;
            s.table = ident();
            expectKeyword("set");
            do {
                const QString col = ident();
                expectSymbol("=");
                s.sets.emplace_back(col, operand());
            } while (acceptSymbol(","));
            if (acceptKeyword("where")) s.where = conditions();
        } else if (acceptKeyword("delete")) {
            s.kind = Statement::Delete;
            expectKeyword("from");
            s.table = ident();
            if (acceptKeyword("where")) s.where = conditions();
        } else if (acceptKeyword("alter")) {
            s.kind = Statement::Alter;
            expectKeyword("table");
            s.table = ident();
            do {
                expectKeyword("add");
                AlterAdd a;
                a.name = ident();
                const QString type = ident().toLower();
                if (type == QLatin1String("boolean")) a.type = FieldType::Boolean;
                else if (type == QLatin1String("date")) a.type = FieldType::Date;
                else if (type == QLatin1String("smallint")) a.type = FieldType::Small;
                else if (type == QLatin1String("integer")) a.type = FieldType::Integer;
                else if (type == QLatin1String("float") || type == QLatin1String("money")) a.type = FieldType::Float;
                else if (type == QLatin1String("char") || type == QLatin1String("varchar")) {
                    a.type = FieldType::Text;
                    expectSymbol("(");
                    const Token &t = m_tokens[m_pos++];
                    if (t.kind != Token::Number) syntaxError(m_text);
                    a.size = t.text.toInt();
                    expectSymbol(")");
                } else {
                    syntaxError(m_text);
                }
                s.adds.push_back(a);
            } while (acceptSymbol(","));
        } else {
            syntaxError(m_text);
        }
        expectEnd();
        return s;
    }

private:
    QString m_text;
    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    int m_positional = 0;
};

[[noreturn]] void badInteger(const FieldDef &def, const QString &text)
{
    throw DbError(ErrInvalidValue, QStringLiteral("'%1' není platné celé číslo pro pole '%2'")
                                       .arg(text, def.label.isEmpty() ? def.name : def.label));
}

} // namespace

Statement parseStatement(const QString &text) { return Parser(text).statement(); }

std::vector<Condition> parseConditions(const QString &text)
{
    if (text.trimmed().isEmpty()) return {};
    Parser p(text);
    auto c = p.conditions();
    p.expectEnd();
    return c;
}

QVariant toStorage(const FieldDef &def, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        return def.type == FieldType::Boolean ? QVariant(qint64(0)) : QVariant();
    }
    switch (def.type) {
    case FieldType::Text:
    case FieldType::Memo: {
        const QString s = value.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Small:
    case FieldType::Integer:
    case FieldType::AutoInc:
        return QVariant(value.toLongLong());
    case FieldType::Float:
        return QVariant(toHundredths(value.toDouble()));
    case FieldType::Date: {
        const QDate d = value.typeId() == QMetaType::QDate ? value.toDate() : parseDate(value.toString());
        return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
    }
    case FieldType::Boolean:
        return QVariant(qint64(value.toBool() ? 1 : 0));
    }
    return value;
}

QVariant fromStorage(const FieldDef &def, const QVariant &stored)
{
    if (!stored.isValid() || stored.isNull()) {
        return def.type == FieldType::Boolean ? QVariant(false) : QVariant();
    }
    switch (def.type) {
    case FieldType::Text:
    case FieldType::Memo: {
        const QString s = stored.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Small:
    case FieldType::Integer:
    case FieldType::AutoInc:
        return QVariant(stored.toLongLong());
    case FieldType::Float:
        if (stored.typeId() == QMetaType::Double) return QVariant(stored.toDouble() / 100.0);
        return QVariant(fromHundredths(stored.toLongLong()));
    case FieldType::Date: {
        const QDate d = QDate::fromString(stored.toString(), Qt::ISODate);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Boolean:
        return QVariant(stored.toLongLong() != 0);
    }
    return stored;
}

QVariant literalToValue(const FieldDef &def, const QString &text, bool fromNumberToken)
{
    Q_UNUSED(fromNumberToken);
    const QString label = def.label.isEmpty() ? def.name : def.label;
    switch (def.type) {
    case FieldType::Small:
    case FieldType::Integer:
    case FieldType::AutoInc: {
        static const QRegularExpression re(QStringLiteral("^\\s*[-+]?\\d+\\s*$"));
        if (!re.match(text).hasMatch()) badInteger(def, text);
        return QVariant(text.trimmed().toLongLong());
    }
    case FieldType::Float: {
        bool ok = false;
        const double v = parseFloat(text, &ok);
        if (!ok || text.trimmed().isEmpty())
            throw DbError(ErrInvalidValue, QStringLiteral("'%1' není platné reálné číslo pro pole '%2'").arg(text, label));
        return QVariant(v);
    }
    case FieldType::Date: {
        const QDate d = parseDate(text);
        if (!d.isValid()) throw DbError(ErrInvalidValue, QStringLiteral("'%1' není platný datum").arg(text));
        return QVariant(d);
    }
    case FieldType::Boolean: {
        const QString t = text.trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("1") || t == QLatin1String("t")) return QVariant(true);
        if (t == QLatin1String("false") || t == QLatin1String("0") || t == QLatin1String("f")) return QVariant(false);
        throw DbError(ErrInvalidValue, QStringLiteral("'%1' není platná logická hodnota pro pole '%2'").arg(text, label));
    }
    case FieldType::Text:
    case FieldType::Memo:
        return QVariant(text);
    }
    return QVariant(text);
}

QString translateConditions(const std::vector<Condition> &conditions, const FieldResolver &fields,
                            const ParamResolver &params, QVariantList &binds)
{
    QStringList parts;
    for (const Condition &c : conditions) {
        const FieldDef *def = fields(c.column);
        if (!def) throw DbError(ErrSql, QStringLiteral("Pole '%1' neexistuje.").arg(c.column));
        const QString col = quoteIdent(def->name);
        const bool textual = def->type == FieldType::Text || def->type == FieldType::Memo;
        if (c.op == QLatin1String("IS NULL")) {
            parts << (textual ? QStringLiteral("(%1 IS NULL OR %1 = '')").arg(col) : col + QStringLiteral(" IS NULL"));
            continue;
        }
        if (c.op == QLatin1String("IS NOT NULL")) {
            parts << (textual ? QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(col) : col + QStringLiteral(" IS NOT NULL"));
            continue;
        }
        if (c.rhs.kind == Operand::Column) {
            const FieldDef *other = fields(c.rhs.text);
            if (!other) throw DbError(ErrSql, QStringLiteral("Pole '%1' neexistuje.").arg(c.rhs.text));
            parts << QStringLiteral("%1 %2 %3").arg(col, c.op, quoteIdent(other->name));
            continue;
        }
        QVariant value;
        if (c.rhs.kind == Operand::Bool) value = QVariant(c.rhs.boolValue);
        else if (c.rhs.kind == Operand::Param) value = params(c.rhs);
        else value = literalToValue(*def, c.rhs.text, c.rhs.kind == Operand::Number);
        if (c.rhs.kind == Operand::Param && value.typeId() == QMetaType::QString && def->type != FieldType::Text &&
            def->type != FieldType::Memo)
            value = literalToValue(*def, value.toString(), false);
        if (def->type == FieldType::Boolean && (c.op == QLatin1String("=") || c.op == QLatin1String("<>"))) {
            const bool want = value.toBool() == (c.op == QLatin1String("="));
            parts << (want ? QStringLiteral("%1 = 1").arg(col) : QStringLiteral("(%1 = 0 OR %1 IS NULL)").arg(col));
            continue;
        }
        const QVariant stored = toStorage(*def, value);
        if (!stored.isValid() && c.op == QLatin1String("=")) {
            parts << (textual ? QStringLiteral("(%1 IS NULL OR %1 = '')").arg(col) : col + QStringLiteral(" IS NULL"));
            continue;
        }
        if (!stored.isValid() && c.op == QLatin1String("<>")) {
            parts << (textual ? QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(col) : col + QStringLiteral(" IS NOT NULL"));
            continue;
        }
        if (!stored.isValid()) {
            if (!textual) badInteger(*def, QString());
        }
        parts << QStringLiteral("%1 %2 ?").arg(col, c.op);
        binds << (stored.isValid() ? stored : QVariant(QString()));
    }
    return parts.join(QStringLiteral(" AND "));
}

QString columnTypeSql(const FieldDef &def)
{
    switch (def.type) {
    case FieldType::Text: return QStringLiteral("CHAR(%1)").arg(def.effectiveSize());
    case FieldType::Small: return QStringLiteral("SMALLINT");
    case FieldType::Integer: return QStringLiteral("LONGINT");
    case FieldType::Float: return QStringLiteral("MONEY");
    case FieldType::Date: return QStringLiteral("DATE");
    case FieldType::Boolean: return QStringLiteral("BOOLEAN DEFAULT 0");
    case FieldType::Memo: return QStringLiteral("MEMOTEXT");
    case FieldType::AutoInc: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    return QStringLiteral("CHAR(20)");
}

FieldDef fieldFromColumn(const QString &name, const QString &declaredType, bool primaryKeyInteger)
{
    const QString t = declaredType.trimmed().toUpper();
    FieldDef d;
    d.name = name;
    if (primaryKeyInteger && t.startsWith(QLatin1String("INTEGER"))) d.type = FieldType::AutoInc;
    else if (t.startsWith(QLatin1String("CHAR")) || t.startsWith(QLatin1String("VARCHAR"))) {
        d.type = FieldType::Text;
        const int open = int(t.indexOf(QLatin1Char('(')));
        d.size = open >= 0 ? t.mid(open + 1, t.indexOf(QLatin1Char(')')) - open - 1).toInt() : 20;
    } else if (t.startsWith(QLatin1String("SMALLINT"))) d.type = FieldType::Small;
    else if (t.startsWith(QLatin1String("LONGINT")) || t.startsWith(QLatin1String("INTEGER"))) d.type = FieldType::Integer;
    else if (t.startsWith(QLatin1String("MONEY"))) {
        d.type = FieldType::Float;
        d.displayFormat = QStringLiteral("0.00");
    } else if (t.startsWith(QLatin1String("DATE"))) d.type = FieldType::Date;
    else if (t.startsWith(QLatin1String("BOOLEAN"))) d.type = FieldType::Boolean;
    else if (t.startsWith(QLatin1String("MEMO"))) d.type = FieldType::Memo;
    else d.type = FieldType::Text;
    return d;
}

} // namespace db
