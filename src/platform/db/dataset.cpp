#include "dataset.h"

#include "collation.h"
#include "connection.h"
#include "formats.h"
#include "session.h"
#include "sql_dialect.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace db {

namespace {

// Order-preserving encoding of one stored value as a key component.
void encodeComponent(QByteArray &out, FieldType type, const QVariant &stored, bool descending)
{
    const qsizetype start = out.size();
    if (!stored.isValid() || stored.isNull()) {
        out.append('\x00');
    } else {
        out.append('\x01');
        switch (type) {
        case FieldType::Text:
        case FieldType::Memo:
            appendCzechKey(out, stored.toString());
            break;
        case FieldType::Date: {
            const QByteArray iso = stored.toString().toLatin1();
            out.append(iso);
            out.append('\x00');
            break;
        }
        default: {
            qint64 v = stored.toLongLong();
            quint64 u = quint64(v) ^ 0x8000000000000000ULL;
            char b[8];
            for (int i = 7; i >= 0; --i) {
                b[i] = char(u & 0xFF);
                u >>= 8;
            }
            out.append(b, 8);
            break;
        }
        }
    }
    if (descending)
        for (qsizetype i = start; i < out.size(); ++i) out[i] = char(~uchar(out[i]));
}

void encodeRowId(QByteArray &out, qint64 rowId) { encodeComponent(out, FieldType::Integer, QVariant(rowId), false); }

int compareBytes(const char *a, size_t la, const char *b, size_t lb)
{
    const int c = std::memcmp(a, b, std::min(la, lb));
    if (c != 0) return c;
    return la < lb ? -1 : (la > lb ? 1 : 0);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Dataset

Dataset::Dataset(const QString &objectName) : m_objectName(objectName) {}

Dataset::~Dataset()
{
    if (m_master && m_masterConnection) m_master->dataChanged.disconnect(m_masterConnection);
    try {
        if (active()) {
            m_state = DatasetState::Browse;
            closeFile();
        }
    } catch (...) {
    }
    if (m_database) m_database->unregisterDataset(this);
}

void Dataset::setDatabase(Database *database)
{
    if (m_database == database) return;
    if (m_database) m_database->unregisterDataset(this);
    m_database = database;
    if (m_database) m_database->registerDataset(this);
}

Field &Dataset::addField(const FieldDef &def)
{
    auto f = std::make_unique<Field>(*this, def, int(m_fields.size()));
    Field *p = f.get();
    m_fields.push_back(std::move(f));
    m_fieldIndex.insert(def.name.toLower(), p);
    if (def.isStored()) m_storedFields.push_back(p);
    m_declaredFields = true;
    return *p;
}

void Dataset::addFields(const std::vector<FieldDef> &defs)
{
    for (const auto &d : defs) addField(d);
}

Field *Dataset::findField(const QString &name) const { return m_fieldIndex.value(name.toLower(), nullptr); }

Field &Dataset::fieldByName(const QString &name) const
{
    Field *f = findField(name);
    if (!f) throw DbError(ErrGeneral, QStringLiteral("%1: pole '%2' nenalezeno").arg(m_objectName, name));
    return *f;
}

Field *Dataset::autoIncField() const
{
    for (Field *f : m_storedFields)
        if (f->dataType() == FieldType::AutoInc) return f;
    return nullptr;
}

void Dataset::openFile() {}
void Dataset::closeFile() { m_conn.reset(); }

void Dataset::open()
{
    if (active()) return;
    openFile();
    m_quotedTable = quoteIdent(sqlTableName());
    m_readSql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(selectColumnsSql(), m_quotedTable);
    m_state = DatasetState::Browse;
    m_readOnly = m_readOnly; // kept
    invalidateLookupCache();
    try {
        rebuildKeyset();
    } catch (...) {
        m_state = DatasetState::Inactive;
        closeFile();
        throw;
    }
    moveToIndex(m_keys.empty() ? -1 : 0);
    m_bof = true;
    if (afterOpen) afterOpen(*this);
    notifyStateChanged();
    notifyDataChanged();
}

void Dataset::close()
{
    if (!active()) return;
    if (beforeClose) beforeClose(*this);
    m_state = DatasetState::Browse;
    closeFile();
    m_keys.clear();
    m_keyArena.clear();
    m_current = -1;
    m_currentRowId = 0;
    clearBuffer();
    invalidateLookupCache();
    m_bof = m_eof = true;
    m_state = DatasetState::Inactive;
    notifyStateChanged();
    notifyDataChanged();
}

void Dataset::refresh()
{
    if (!active()) throw DbError(ErrNotActive, QStringLiteral("Tabulka %1 není otevřena.").arg(m_objectName));
    checkBrowseMode();
    invalidateLookupCache();
    rebuildKeyset(m_currentRowId);
    notifyDataChanged();
}

void Dataset::invalidateLookupCache() { m_lookupCache.clear(); }

QString Dataset::selectColumnsSql() const
{
    QStringList cols;
    for (Field *f : m_storedFields) cols << quoteIdent(f->fieldName());
    return cols.join(QStringLiteral(", "));
}

void Dataset::clearBuffer()
{
    for (auto &f : m_fields) f->setRaw(QVariant());
}

bool Dataset::readRecord(qint64 rowId)
{
    if (!m_conn) return false;
    sqlite3_stmt *st = m_conn->prepare(m_readSql);
    StmtGuard g(st);
    sqlite3_bind_int64(st, 1, rowId);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_ROW) {
        if (rc != SQLITE_DONE) m_conn->fail(rc);
        return false;
    }
    for (size_t i = 0; i < m_storedFields.size(); ++i)
        m_storedFields[i]->setRaw(fromStorage(m_storedFields[i]->def(), FileConnection::column(st, int(i))));
    m_currentRowId = rowId;
    recomputeDerived();
    return true;
}

void Dataset::recomputeDerived()
{
    for (auto &f : m_fields) {
        if (!f->isLookup()) continue;
        Dataset *src = f->lookupSource();
        QVariant result;
        if (src && src->active()) {
            const QStringList keys = f->def().keyFields.split(QLatin1Char(';'));
            QVariantList values;
            bool anyNull = false;
            for (const QString &k : keys) {
                Field *kf = findField(k);
                if (!kf || kf->isNull()) anyNull = true;
                values << (kf ? kf->value() : QVariant());
            }
            if (!anyNull) src->lookupValues(f->def().lookupKeyFields.split(QLatin1Char(';')), values,
                                            f->def().lookupResultField, result);
        }
        f->setRaw(result);
    }
    if (onCalcFields) {
        bool any = false;
        for (auto &f : m_fields)
            if (f->isCalculated()) { f->setRaw(QVariant()); any = true; }
        if (any || true) {
            const bool was = m_inCalc;
            m_inCalc = true;
            try {
                onCalcFields(*this);
            } catch (...) {
                m_inCalc = was;
                throw;
            }
            m_inCalc = was;
        }
    }
}

bool Dataset::lookupValues(const QStringList &keyFields, const QVariantList &keys, const QString &resultField, QVariant &result)
{
    if (!active() || !m_conn) return false;
    QString cacheKey = keyFields.join(QLatin1Char(';')) + QLatin1Char('|') + resultField;
    for (const auto &k : keys) cacheKey += QLatin1Char('|') + k.toString();
    auto it = m_lookupCache.constFind(cacheKey);
    if (it != m_lookupCache.constEnd()) {
        result = it.value();
        return result.isValid();
    }
    Field *res = findField(resultField);
    if (!res || !res->isStored()) return false;
    QStringList conds;
    QVariantList binds;
    for (int i = 0; i < keyFields.size(); ++i) {
        Field *kf = findField(keyFields[i]);
        if (!kf) return false;
        conds << quoteIdent(kf->fieldName()) + QStringLiteral(" = ?");
        QVariant v;
        try {
            v = toStorage(kf->def(), kf->convert(keys.value(i)));
        } catch (const DbError &) {
            m_lookupCache.insert(cacheKey, QVariant());
            return false;
        }
        binds << v;
    }
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY rowid LIMIT 1")
                            .arg(quoteIdent(res->fieldName()), m_quotedTable, conds.join(QStringLiteral(" AND ")));
    sqlite3_stmt *st = m_conn->prepare(sql);
    StmtGuard g(st);
    for (int i = 0; i < binds.size(); ++i) FileConnection::bind(st, i + 1, binds[i]);
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) result = fromStorage(res->def(), FileConnection::column(st, 0));
    else result = QVariant();
    m_lookupCache.insert(cacheKey, result);
    return result.isValid();
}

std::vector<Condition> Dataset::filterConditions() const
{
    if (!m_filtered || m_filterText.trimmed().isEmpty()) return {};
    return parseConditions(m_filterText);
}

void Dataset::appendFilterSql(KeysetSpec &kset) const
{
    auto resolver = [this](const QString &name) -> const FieldDef * {
        Field *f = findField(name);
        return f && f->isStored() ? &f->def() : nullptr;
    };
    auto noParams = [](const Operand &) -> QVariant {
        throw DbError(ErrSql, QStringLiteral("Filtr nesmí obsahovat parametry."));
    };
    QStringList parts;
    if (!kset.where.isEmpty()) parts << QStringLiteral("(%1)").arg(kset.where);
    const auto conds = filterConditions();
    if (!conds.empty()) parts << QStringLiteral("(%1)").arg(translateConditions(conds, resolver, noParams, kset.binds));
    if (m_master && m_master->active()) {
        for (int i = 0; i < m_detailFields.size(); ++i) {
            Field *df = findField(m_detailFields[i]);
            Field *mf = m_master->findField(m_masterFields.value(i));
            if (!df || !mf) continue;
            const QVariant v = toStorage(df->def(), df->convert(mf->value()));
            if (!v.isValid()) {
                parts << quoteIdent(df->fieldName()) + QStringLiteral(" IS NULL");
            } else {
                parts << quoteIdent(df->fieldName()) + QStringLiteral(" = ?");
                kset.binds << v;
            }
        }
    } else if (m_master) {
        parts << QStringLiteral("0");
    }
    kset.where = parts.join(QStringLiteral(" AND "));
}

QByteArray Dataset::entryKey(const KeyEntry &e) const
{
    return QByteArray(m_keyArena.data() + e.offset, int(e.length));
}

QByteArray Dataset::encodeKeyOf(const std::vector<QVariant> &stored) const
{
    QByteArray key;
    for (size_t i = 0; i < m_order.size() && i < stored.size(); ++i) {
        Field *f = findField(m_order[i].field);
        encodeComponent(key, f ? f->dataType() : FieldType::Text, stored[i], m_order[i].descending);
    }
    return key;
}

QByteArray Dataset::encodeKeyPrefix(const QVariantList &values) const
{
    QByteArray key;
    for (int i = 0; i < values.size() && i < int(m_order.size()); ++i) {
        Field *f = findField(m_order[size_t(i)].field);
        if (!f) break;
        const QVariant stored = toStorage(f->def(), f->convert(values[i]));
        encodeComponent(key, f->dataType(), stored, m_order[size_t(i)].descending);
    }
    return key;
}

QByteArray Dataset::keyOfBuffer() const
{
    std::vector<QVariant> stored;
    for (const auto &o : m_order) {
        Field *f = findField(o.field);
        stored.push_back(f ? toStorage(f->def(), f->value()) : QVariant());
    }
    QByteArray key = encodeKeyOf(stored);
    encodeRowId(key, m_currentRowId);
    return key;
}

void Dataset::rebuildKeyset(qint64 stayOnRowId)
{
    m_spec = keysetSpec();
    m_order = m_spec.order;
    if (m_order.empty()) {
        for (const QString &k : m_primaryKey)
            if (Field *f = findField(k); f && f->isStored()) m_order.push_back({f->fieldName(), false});
    }
    // Key columns and the condition.
    QStringList cols{QStringLiteral("rowid")};
    bool textKey = false;
    for (const auto &o : m_order) {
        Field *f = findField(o.field);
        if (!f || !f->isStored()) throw DbError(ErrGeneral, QStringLiteral("%1: pole '%2' nelze použít k řazení").arg(m_objectName, o.field));
        cols << quoteIdent(f->fieldName());
        if (f->dataType() == FieldType::Text || f->dataType() == FieldType::Memo) textKey = true;
    }
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(cols.join(QStringLiteral(", ")), quoteIdent(sqlTableName()));
    if (!m_spec.where.isEmpty()) sql += QStringLiteral(" WHERE ") + m_spec.where;
    if (!textKey) {
        QStringList ord;
        for (const auto &o : m_order) ord << quoteIdent(o.field) + (o.descending ? QStringLiteral(" DESC") : QString());
        ord << QStringLiteral("rowid");
        sql += QStringLiteral(" ORDER BY ") + ord.join(QStringLiteral(", "));
    }

    std::vector<KeyEntry> keys;
    std::vector<char> arena;
    {
        sqlite3_stmt *st = m_conn->prepare(sql);
        StmtGuard g(st);
        for (int i = 0; i < m_spec.binds.size(); ++i) FileConnection::bind(st, i + 1, m_spec.binds[i]);
        QByteArray key;
        std::vector<FieldType> types;
        for (const auto &o : m_order) types.push_back(findField(o.field)->dataType());
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            key.clear();
            const qint64 rowId = sqlite3_column_int64(st, 0);
            for (size_t i = 0; i < m_order.size(); ++i) {
                const int c = int(i) + 1;
                QVariant v;
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_NULL: break;
                case SQLITE_INTEGER: v = QVariant(qint64(sqlite3_column_int64(st, c))); break;
                case SQLITE_FLOAT: v = QVariant(qint64(sqlite3_column_double(st, c))); break;
                default:
                    v = QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                                   sqlite3_column_bytes(st, c)));
                }
                if (types[i] == FieldType::Text && v.isValid() && v.toString().isEmpty()) v = QVariant();
                encodeComponent(key, types[i], v, m_order[i].descending);
            }
            encodeRowId(key, rowId);
            keys.push_back({rowId, quint32(arena.size()), quint32(key.size())});
            arena.insert(arena.end(), key.constData(), key.constData() + key.size());
        }
        if (rc != SQLITE_DONE) m_conn->fail(rc, sql);
    }
    auto less = [&arena](const KeyEntry &a, const KeyEntry &b) {
        return compareBytes(arena.data() + a.offset, a.length, arena.data() + b.offset, b.length) < 0;
    };
    if (!std::is_sorted(keys.begin(), keys.end(), less)) std::sort(keys.begin(), keys.end(), less);

    // Range on the current index: a slice of the sorted keys.
    if (m_spec.hasRange) {
        const QByteArray lo = m_spec.rangeLow, hi = m_spec.rangeHigh;
        auto first = std::lower_bound(keys.begin(), keys.end(), lo, [&arena](const KeyEntry &e, const QByteArray &k) {
            return compareBytes(arena.data() + e.offset, e.length, k.constData(), size_t(k.size())) < 0;
        });
        auto last = std::upper_bound(first, keys.end(), hi, [&arena](const QByteArray &k, const KeyEntry &e) {
            const size_t n = std::min<size_t>(e.length, size_t(k.size()));
            return compareBytes(k.constData(), size_t(k.size()), arena.data() + e.offset, n) < 0;
        });
        keys = std::vector<KeyEntry>(first, last);
    }
    // Record predicate of the filter.
    if (m_filtered && onFilterRecord) {
        std::vector<KeyEntry> kept;
        m_keys.swap(keys);
        m_keyArena.swap(arena);
        for (const auto &e : m_keys) {
            if (readRecord(e.rowId) && onFilterRecord(*this)) kept.push_back(e);
        }
        keys.swap(kept);
        arena.swap(m_keyArena);
    }
    m_keys.swap(keys);
    m_keyArena.swap(arena);

    int target = m_keys.empty() ? -1 : 0;
    if (stayOnRowId) {
        const int idx = findEntry(stayOnRowId);
        if (idx >= 0) target = idx;
        else if (m_current >= 0) target = std::min<int>(m_current, int(m_keys.size()) - 1);
    }
    if (isEditing()) return;
    m_current = -1;
    moveToIndex(target);
}

int Dataset::findEntry(qint64 rowId) const
{
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i].rowId == rowId) return int(i);
    return -1;
}

int Dataset::lowerBound(const QByteArray &key) const
{
    auto it = std::lower_bound(m_keys.begin(), m_keys.end(), key, [this](const KeyEntry &e, const QByteArray &k) {
        return compareBytes(m_keyArena.data() + e.offset, e.length, k.constData(), size_t(k.size())) < 0;
    });
    return int(it - m_keys.begin());
}

void Dataset::removeEntry(int index)
{
    if (index >= 0 && index < int(m_keys.size())) m_keys.erase(m_keys.begin() + index);
}

void Dataset::placeEntry(qint64 rowId, const QByteArray &key)
{
    if (m_keyArena.size() > 64 * 1024 * 1024 && m_keyArena.size() > m_keys.size() * 256) {
        // Compact the arena when updates have left it mostly garbage.
        std::vector<char> arena;
        for (auto &e : m_keys) {
            const quint32 off = quint32(arena.size());
            arena.insert(arena.end(), m_keyArena.data() + e.offset, m_keyArena.data() + e.offset + e.length);
            e.offset = off;
        }
        m_keyArena.swap(arena);
    }
    const int pos = lowerBound(key);
    KeyEntry e{rowId, quint32(m_keyArena.size()), quint32(key.size())};
    m_keyArena.insert(m_keyArena.end(), key.constData(), key.constData() + key.size());
    m_keys.insert(m_keys.begin() + pos, e);
    m_current = pos;
}

bool Dataset::rowVisible(qint64 rowId)
{
    if (!m_spec.where.isEmpty()) {
        const QString sql = QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ? AND (%2)").arg(m_quotedTable, m_spec.where);
        sqlite3_stmt *st = m_conn->prepare(sql);
        StmtGuard g(st);
        sqlite3_bind_int64(st, 1, rowId);
        for (int i = 0; i < m_spec.binds.size(); ++i) FileConnection::bind(st, i + 2, m_spec.binds[i]);
        const int rc = sqlite3_step(st);
        if (rc != SQLITE_ROW) {
            if (rc != SQLITE_DONE) m_conn->fail(rc);
            return false;
        }
    }
    if (m_spec.hasRange) {
        const QByteArray key = keyOfBuffer();
        if (compareBytes(key.constData(), size_t(key.size()), m_spec.rangeLow.constData(), size_t(m_spec.rangeLow.size())) < 0)
            return false;
        const size_t n = std::min<size_t>(size_t(key.size()), size_t(m_spec.rangeHigh.size()));
        if (compareBytes(m_spec.rangeHigh.constData(), size_t(m_spec.rangeHigh.size()), key.constData(), n) < 0) return false;
    }
    if (m_filtered && onFilterRecord && !onFilterRecord(*this)) return false;
    return true;
}

void Dataset::moveToIndex(int index)
{
    for (;;) {
        if (index < 0 || m_keys.empty()) {
            m_current = -1;
            m_currentRowId = 0;
            clearBuffer();
            m_bof = m_eof = true;
            break;
        }
        if (index >= int(m_keys.size())) index = int(m_keys.size()) - 1;
        if (readRecord(m_keys[size_t(index)].rowId)) {
            m_current = index;
            m_bof = m_eof = false;
            break;
        }
        // The row is gone (deleted by a statement or another program): drop it.
        removeEntry(index);
    }
    if (afterScroll) afterScroll(*this);
    notifyDataChanged();
}

void Dataset::first()
{
    checkBrowseMode();
    moveToIndex(m_keys.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_keys.empty();
}

void Dataset::last()
{
    checkBrowseMode();
    moveToIndex(int(m_keys.size()) - 1);
    m_eof = true;
    m_bof = m_keys.empty();
}

void Dataset::next()
{
    checkBrowseMode();
    if (m_current + 1 < int(m_keys.size())) {
        moveToIndex(m_current + 1);
    } else {
        m_eof = true;
    }
}

void Dataset::prior()
{
    checkBrowseMode();
    if (m_current > 0) {
        moveToIndex(m_current - 1);
    } else {
        m_bof = true;
    }
}

int Dataset::moveBy(int distance)
{
    checkBrowseMode();
    if (m_keys.empty()) return 0;
    int target = std::clamp(m_current + distance, 0, int(m_keys.size()) - 1);
    const int moved = target - m_current;
    if (moved != 0) moveToIndex(target);
    if (distance > 0 && moved < distance) m_eof = true;
    if (distance < 0 && moved > distance) m_bof = true;
    return moved;
}

bool Dataset::isEmpty() const { return m_keys.empty() && m_state != DatasetState::Insert; }

int Dataset::recordCount() const { return int(m_keys.size()); }

int Dataset::recNo() const
{
    if (m_state == DatasetState::Insert || m_current < 0) return 0;
    return m_current + 1;
}

void Dataset::setRecNo(int recNo)
{
    checkBrowseMode();
    if (recNo >= 1 && recNo <= int(m_keys.size())) moveToIndex(recNo - 1);
}

bool Dataset::gotoRowId(qint64 rowId)
{
    const int idx = findEntry(rowId);
    if (idx < 0) return false;
    checkBrowseMode();
    moveToIndex(idx);
    return true;
}

bool Dataset::locate(const QStringList &fieldNames, const QVariantList &values, bool caseInsensitive)
{
    if (!active()) throw DbError(ErrNotActive, QStringLiteral("Tabulka %1 není otevřena.").arg(m_objectName));
    checkBrowseMode();
    QStringList conds;
    QVariantList binds;
    for (int i = 0; i < fieldNames.size(); ++i) {
        Field &f = fieldByName(fieldNames[i]);
        if (!f.isStored()) throw DbError(ErrGeneral, QStringLiteral("Podle pole '%1' nelze hledat.").arg(f.fieldName()));
        QVariant v;
        try {
            v = toStorage(f.def(), f.convert(values.value(i)));
        } catch (const DbError &) {
            return false;
        }
        const QString col = quoteIdent(f.fieldName());
        const bool textual = f.dataType() == FieldType::Text || f.dataType() == FieldType::Memo;
        if (!v.isValid()) {
            conds << (textual ? QStringLiteral("(%1 IS NULL OR %1 = '')").arg(col) : col + QStringLiteral(" IS NULL"));
        } else {
            conds << col + (textual && caseInsensitive ? QStringLiteral(" = ? COLLATE NOCASE") : QStringLiteral(" = ?"));
            binds << v;
        }
    }
    QString sql = QStringLiteral("SELECT rowid FROM %1 WHERE %2").arg(m_quotedTable, conds.join(QStringLiteral(" AND ")));
    QSet<qint64> candidates;
    {
        sqlite3_stmt *st = m_conn->prepare(sql);
        StmtGuard g(st);
        for (int i = 0; i < binds.size(); ++i) FileConnection::bind(st, i + 1, binds[i]);
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) candidates.insert(sqlite3_column_int64(st, 0));
        if (rc != SQLITE_DONE) m_conn->fail(rc, sql);
    }
    if (candidates.isEmpty()) return false;
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (candidates.contains(m_keys[i].rowId)) {
            moveToIndex(int(i));
            return true;
        }
    }
    return false;
}

// --- editing -----------------------------------------------------------------------------------

void Dataset::setState(DatasetState state)
{
    if (m_state == state) return;
    m_state = state;
    notifyStateChanged();
}

void Dataset::applyMasterValues()
{
    if (!m_master || !m_master->active()) return;
    for (int i = 0; i < m_detailFields.size(); ++i) {
        Field *df = findField(m_detailFields[i]);
        Field *mf = m_master->findField(m_masterFields.value(i));
        if (df && mf) df->setRaw(df->convert(mf->value()));
    }
}

void Dataset::insert()
{
    if (!active()) throw DbError(ErrNotActive, QStringLiteral("Tabulka %1 není otevřena.").arg(m_objectName));
    if (m_readOnly) throw DbError(ErrGeneral, QStringLiteral("Tabulka %1 je jen pro čtení.").arg(m_objectName));
    checkBrowseMode();
    if (beforeInsert) beforeInsert(*this);
    m_savedCurrent = m_current;
    m_savedRowId = m_currentRowId;
    clearBuffer();
    m_currentRowId = 0;
    m_state = DatasetState::Insert;
    applyMasterValues();
    try {
        recomputeDerived();
        notifyStateChanged();
        if (onNewRecord) onNewRecord(*this);
    } catch (...) {
        m_state = DatasetState::Browse;
        moveToIndex(m_savedCurrent);
        notifyStateChanged();
        throw;
    }
    m_modified = false;
    if (afterInsert) afterInsert(*this);
    notifyDataChanged();
}

void Dataset::append() { insert(); }

void Dataset::edit()
{
    if (isEditing()) return;
    if (!active()) throw DbError(ErrNotActive, QStringLiteral("Tabulka %1 není otevřena.").arg(m_objectName));
    if (m_readOnly) throw DbError(ErrGeneral, QStringLiteral("Tabulka %1 je jen pro čtení.").arg(m_objectName));
    if (m_keys.empty() || m_current < 0) {
        insert();
        return;
    }
    if (beforeEdit) beforeEdit(*this);
    // Re-read the record so that the edit starts from what is stored now; inside a
    // transaction of this program nobody else can have changed it.
    if (!m_conn->inTransaction() && !readRecord(m_currentRowId)) {
        moveToIndex(m_current);
        throw DbError(ErrGeneral, QStringLiteral("Záznam byl mezitím změněn nebo smazán jiným uživatelem."));
    }
    m_saved.clear();
    for (auto &f : m_fields) m_saved.push_back(f->raw());
    m_state = DatasetState::Edit;
    m_modified = false;
    notifyStateChanged();
}

void Dataset::restoreBuffer()
{
    for (size_t i = 0; i < m_fields.size() && i < m_saved.size(); ++i) m_fields[i]->setRaw(m_saved[i]);
}

void Dataset::writeRecord()
{
    const QString &table = m_quotedTable;
    if (m_state == DatasetState::Insert) {
        QStringList cols, marks;
        QVariantList binds;
        for (Field *f : m_storedFields) {
            if (f->dataType() == FieldType::AutoInc && f->isNull()) continue;
            cols << quoteIdent(f->fieldName());
            marks << QStringLiteral("?");
            binds << toStorage(f->def(), f->value());
        }
        const QString sql = cols.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                           : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                 .arg(table, cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        m_conn->exec(sql, binds);
        m_currentRowId = sqlite3_last_insert_rowid(m_conn->handle());
        if (Field *ai = autoIncField(); ai && ai->isNull()) ai->setRaw(QVariant(m_currentRowId));
    } else {
        // Only the fields that changed since the edit began are written, so that another
        // user's changes to other fields of the row are kept.
        QString sets;
        QVariantList binds;
        for (Field *f : m_storedFields) {
            const size_t i = size_t(f->index());
            if (i < m_saved.size() && m_saved[i] == f->raw()) continue;
            if (!sets.isEmpty()) sets += QStringLiteral(", ");
            sets += quoteIdent(f->fieldName()) + QStringLiteral(" = ?");
            binds << toStorage(f->def(), f->value());
        }
        if (binds.isEmpty()) return;
        binds << QVariant(m_currentRowId);
        m_conn->exec(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(table, sets), binds);
    }
}

void Dataset::post()
{
    if (!isEditing()) return;
    if (beforePost) beforePost(*this);
    const bool inserting = m_state == DatasetState::Insert;
    try {
        writeRecord();
    } catch (const DbError &e) {
        PostErrorAction action = PostErrorAction::Fail;
        if (onPostError) onPostError(*this, e, action);
        if (action == PostErrorAction::Abort) throw Abort();
        throw;
    }
    // Place the row in the key set where its key now belongs.
    m_state = DatasetState::Browse;
    recomputeDerived();
    const QByteArray key = keyOfBuffer();
    const bool visible = rowVisible(m_currentRowId);
    const int size = int(m_keys.size());
    const bool onEntry = !inserting && m_current >= 0 && m_current < size && m_keys[size_t(m_current)].rowId == m_currentRowId;
    auto keyAt = [this](int i) { return entryKey(m_keys[size_t(i)]); };
    if (onEntry && visible) {
        const bool fits = (m_current == 0 || keyAt(m_current - 1) < key) && (m_current + 1 == size || key < keyAt(m_current + 1));
        if (fits) {
            if (keyAt(m_current) != key) {
                KeyEntry &e = m_keys[size_t(m_current)];
                e.offset = quint32(m_keyArena.size());
                e.length = quint32(key.size());
                m_keyArena.insert(m_keyArena.end(), key.constData(), key.constData() + key.size());
            }
        } else {
            removeEntry(m_current);
            placeEntry(m_currentRowId, key);
        }
    } else if (visible) {
        if (onEntry) removeEntry(m_current);
        placeEntry(m_currentRowId, key);
    } else {
        if (onEntry) removeEntry(m_current);
        const int idx = inserting ? m_savedCurrent : m_current;
        m_current = -1;
        moveToIndex(std::min(idx, int(m_keys.size()) - 1));
    }
    m_bof = m_eof = false;
    m_modified = false;
    invalidateLookupCache();
    notifyStateChanged();
    if (afterPost) afterPost(*this);
    notifyDataChanged();
}

void Dataset::cancel()
{
    if (!isEditing()) return;
    if (beforeCancel) beforeCancel(*this);
    const bool inserting = m_state == DatasetState::Insert;
    m_state = DatasetState::Browse;
    m_modified = false;
    if (inserting) {
        m_current = -1;
        moveToIndex(m_savedCurrent >= 0 ? m_savedCurrent : (m_keys.empty() ? -1 : 0));
    } else {
        moveToIndex(m_current);
    }
    notifyStateChanged();
    if (afterCancel) afterCancel(*this);
}

void Dataset::deleteRecord()
{
    if (m_state == DatasetState::Insert) {
        cancel();
        return;
    }
    if (!active()) throw DbError(ErrNotActive, QStringLiteral("Tabulka %1 není otevřena.").arg(m_objectName));
    if (m_readOnly) throw DbError(ErrGeneral, QStringLiteral("Tabulka %1 je jen pro čtení.").arg(m_objectName));
    if (m_keys.empty() || m_current < 0)
        throw DbError(ErrGeneral, QStringLiteral("Tabulka %1 je prázdná.").arg(m_objectName));
    if (m_state == DatasetState::Edit) {
        restoreBuffer();
        m_state = DatasetState::Browse;
        notifyStateChanged();
    }
    if (beforeDelete) beforeDelete(*this);
    m_conn->exec(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(m_quotedTable), {QVariant(m_currentRowId)});
    const int idx = m_current;
    removeEntry(idx);
    invalidateLookupCache();
    m_current = -1;
    moveToIndex(std::min(idx, int(m_keys.size()) - 1));
    if (afterDelete) afterDelete(*this);
}

void Dataset::checkBrowseMode()
{
    if (!active()) return;
    if (isEditing()) {
        if (m_state == DatasetState::Insert && !m_modified) {
            cancel();
            return;
        }
        post();
    }
}

void Dataset::fieldChanged(Field &field)
{
    if (field.isStored() && isEditing()) m_modified = true;
    recomputeDerived();
    notifyDataChanged();
}

// --- filter, controls, master --------------------------------------------------------------

void Dataset::setFilter(const QString &text)
{
    parseConditions(text); // refuses a bad expression at once
    m_filterText = text;
    if (active() && m_filtered) {
        checkBrowseMode();
        rebuildKeyset(m_currentRowId);
    }
}

void Dataset::setFiltered(bool on)
{
    if (m_filtered == on) return;
    m_filtered = on;
    if (active()) {
        checkBrowseMode();
        rebuildKeyset(m_currentRowId);
    }
}

void Dataset::disableControls() { ++m_disableCount; }

void Dataset::enableControls()
{
    if (m_disableCount > 0 && --m_disableCount == 0 && m_pendingNotify) {
        m_pendingNotify = false;
        dataChanged.emit_();
    }
}

void Dataset::notifyDataChanged()
{
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    dataChanged.emit_();
}

void Dataset::notifyStateChanged() { stateChanged.emit_(); }

void Dataset::setMaster(Dataset *master, const QStringList &masterFields, const QStringList &detailFields)
{
    if (m_master && m_masterConnection) m_master->dataChanged.disconnect(m_masterConnection);
    m_master = master;
    m_masterFields = masterFields;
    m_detailFields = detailFields;
    m_masterConnection = 0;
    if (!m_master) return;
    auto lastValues = std::make_shared<QVariantList>();
    m_masterConnection = m_master->dataChanged.connect([this, lastValues]() {
        if (!active() || isEditing()) return;
        QVariantList now;
        for (const QString &f : m_masterFields)
            if (Field *mf = m_master->findField(f)) now << mf->value();
        if (now == *lastValues && !m_keys.empty()) return;
        *lastValues = now;
        rebuildKeyset();
        notifyDataChanged();
    });
}

// ---------------------------------------------------------------------------------------------
// Table

Table::Table(const QString &objectName) : Dataset(objectName) {}

Table::~Table()
{
    try {
        close();
    } catch (...) {
    }
}

void Table::setTableName(const QString &name)
{
    if (active()) throw DbError(ErrGeneral, QStringLiteral("Tabulka %1 je otevřena.").arg(objectName()));
    m_tableName = name;
}

void Table::setDefinition(const TableDef &def)
{
    m_def = def;
    m_hasDef = true;
    if (m_tableName.isEmpty()) m_tableName = def.name;
    if (!m_declaredFields) addFields(def.fields);
    setPrimaryKeyFields(def.primaryKey);
}

QString Table::filePath() const
{
    QString name = m_tableName;
    if (!name.endsWith(QLatin1String(".DB"), Qt::CaseInsensitive)) name += QStringLiteral(".DB");
    if (QDir::isAbsolutePath(name) || !m_database) return name;
    return m_database->pathOf(name);
}

QString Table::sqlTableName() const { return QFileInfo(filePath()).completeBaseName(); }

bool Table::exists() const { return QFileInfo::exists(filePath()); }

QStringList Table::indexFields() const
{
    if (!m_indexFieldNames.isEmpty()) return m_indexFieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (m_indexName.isEmpty()) return primaryKeyFields();
    for (const auto &ix : m_def.indexes)
        if (ix.name.compare(m_indexName, Qt::CaseInsensitive) == 0) return ix.fields;
    throw DbError(ErrGeneral, QStringLiteral("Index %1 tabulky %2 neexistuje.").arg(m_indexName, objectName()));
}

Dataset::KeysetSpec Table::keysetSpec()
{
    KeysetSpec kset;
    for (const QString &f : indexFields()) kset.order.push_back({f, false});
    appendFilterSql(kset);
    if (m_rangeOn) {
        m_order = kset.order;
        kset.hasRange = true;
        kset.rangeLow = encodeKeyPrefix(m_rangeLow);
        kset.rangeHigh = encodeKeyPrefix(m_rangeHigh);
    }
    return kset;
}

void Table::applyIndex()
{
    if (!active()) return;
    checkBrowseMode();
    m_rangeOn = false;
    rebuildKeyset(rowId());
    notifyDataChanged();
}

void Table::setIndexName(const QString &name)
{
    if (m_indexName == name && m_indexFieldNames.isEmpty()) return;
    m_indexName = name;
    m_indexFieldNames.clear();
    indexFields(); // refuses an unknown index at once
    applyIndex();
}

void Table::setIndexFieldNames(const QString &fields)
{
    if (m_indexFieldNames == fields) return;
    m_indexFieldNames = fields;
    m_indexName.clear();
    applyIndex();
}

void Table::openFile()
{
    if (m_tableName.isEmpty()) throw DbError(ErrTableMissing, QStringLiteral("%1: není určena tabulka.").arg(objectName()));
    const QString path = filePath();
    if (!QFileInfo::exists(path))
        throw DbError(ErrTableMissing, QStringLiteral("Tabulka %1 neexistuje.").arg(QDir::toNativeSeparators(path)));
    const QString folder = QFileInfo(path).absolutePath();
    const bool locked = m_exclusive ? folderlock::acquireExclusive(folder) : folderlock::acquireShared(folder);
    if (!locked)
        throw DbError(ErrBusy, QStringLiteral("Tabulka %1 je používána jiným uživatelem.").arg(sqlTableName()));
    m_holdsExclusive = m_exclusive;
    try {
        const TableDef schema = readTableSchema(path, sqlTableName());
        if (!m_declaredFields) {
            addFields(schema.fields);
        } else {
            for (Field *f : m_storedFields)
                if (!schema.field(f->fieldName()))
                    throw DbError(ErrFieldMissing, QStringLiteral("V tabulce %1 chybí pole '%2'.").arg(sqlTableName(), f->fieldName()));
        }
        if (!m_hasDef) setPrimaryKeyFields(schema.primaryKey);
        m_conn = FileConnection::get(path);
    } catch (...) {
        m_conn.reset();
        m_holdsExclusive ? folderlock::releaseExclusive(folder) : folderlock::releaseShared(folder);
        throw;
    }
}

void Table::closeFile()
{
    m_conn.reset();
    const QString folder = QFileInfo(filePath()).absolutePath();
    if (m_holdsExclusive) folderlock::releaseExclusive(folder);
    else folderlock::releaseShared(folder);
    m_holdsExclusive = false;
}

bool Table::findKey(const QVariantList &values)
{
    if (!active()) throw DbError(ErrNotActive, QStringLiteral("Tabulka %1 není otevřena.").arg(objectName()));
    checkBrowseMode();
    const QByteArray prefix = encodeKeyPrefix(values);
    const int i = lowerBound(prefix);
    if (i < int(m_keys.size())) {
        const KeyEntry &e = m_keys[size_t(i)];
        if (e.length >= quint32(prefix.size()) &&
            std::memcmp(m_keyArena.data() + e.offset, prefix.constData(), size_t(prefix.size())) == 0) {
            moveToIndex(i);
            return true;
        }
    }
    return false;
}

void Table::findNearest(const QVariantList &values)
{
    if (!active()) throw DbError(ErrNotActive, QStringLiteral("Tabulka %1 není otevřena.").arg(objectName()));
    checkBrowseMode();
    const int i = lowerBound(encodeKeyPrefix(values));
    if (m_keys.empty()) return;
    moveToIndex(std::min(i, int(m_keys.size()) - 1));
    if (i >= int(m_keys.size())) m_eof = true;
}

void Table::setRange(const QVariantList &low, const QVariantList &high)
{
    m_rangeLow = low;
    m_rangeHigh = high;
    m_rangeOn = true;
    if (active()) {
        checkBrowseMode();
        rebuildKeyset();
        notifyDataChanged();
    }
}

void Table::cancelRange()
{
    if (!m_rangeOn) return;
    m_rangeOn = false;
    if (active()) {
        checkBrowseMode();
        rebuildKeyset(rowId());
        notifyDataChanged();
    }
}

void Table::emptyTable()
{
    if (active()) {
        cancel();
        m_conn->exec(QStringLiteral("DELETE FROM %1").arg(quoteIdent(sqlTableName())));
        invalidateLookupCache();
        rebuildKeyset();
        notifyDataChanged();
        return;
    }
    auto conn = FileConnection::get(filePath());
    conn->exec(QStringLiteral("DELETE FROM %1").arg(quoteIdent(sqlTableName())));
}

int Table::batchAppend(Dataset &source)
{
    if (!source.active()) throw DbError(ErrNotActive, QStringLiteral("Tabulka %1 není otevřena.").arg(source.objectName()));
    source.checkBrowseMode();
    checkBrowseMode();
    std::shared_ptr<FileConnection> conn = m_conn ? m_conn : FileConnection::get(filePath());
    const TableDef schema = readTableSchema(filePath(), sqlTableName());
    // Target columns matched by name with the source's fields.
    QStringList cols, marks;
    std::vector<std::pair<const FieldDef *, Field *>> map;
    for (const auto &col : schema.fields) {
        if (col.type == FieldType::AutoInc) continue;
        Field *sf = source.findField(col.name);
        if (!sf) continue;
        const FieldDef *target = col.type == FieldType::Text && m_hasDef && m_def.field(col.name) ? m_def.field(col.name) : &col;
        map.emplace_back(target, sf);
        cols << quoteIdent(col.name);
        marks << QStringLiteral("?");
    }
    if (cols.isEmpty()) return 0;
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(quoteIdent(sqlTableName()), cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    const qint64 keepRow = source.rowId();
    int count = 0;
    {
        Transaction tx(conn.get());
        for (size_t i = 0; i < source.m_keys.size(); ++i) {
            if (!source.readRecord(source.m_keys[i].rowId)) continue;
            QVariantList binds;
            for (const auto &[def, sf] : map) {
                QVariant v = sf->value();
                if (def->type == FieldType::Text && v.isValid()) {
                    QString s = v.typeId() == QMetaType::QDate ? dateText(v.toDate()) : v.toString();
                    s.truncate(def->effectiveSize());
                    v = s;
                }
                binds << toStorage(*def, v);
            }
            conn->exec(sql, binds);
            ++count;
        }
        tx.commit();
    }
    source.moveToIndex(source.findEntry(keepRow) >= 0 ? source.findEntry(keepRow) : (source.m_keys.empty() ? -1 : 0));
    if (active()) {
        invalidateLookupCache();
        rebuildKeyset(rowId());
        notifyDataChanged();
    }
    return count;
}

int Table::rebuildIndexes()
{
    const QString path = filePath();
    if (!QFileInfo::exists(path)) return ErrTableMissing;
    const QString folder = QFileInfo(path).absolutePath();
    if (folderlock::heldElsewhere(folder)) return ErrNotExclusive;
    if (!folderlock::acquireExclusive(folder)) return ErrNotExclusive;
    int result = 0;
    try {
        auto conn = m_conn ? m_conn : FileConnection::get(path);
        const QString table = sqlTableName();
        const TableDef def = m_hasDef ? m_def : readTableSchema(path, table);
        Transaction tx(conn.get());
        QStringList existing;
        {
            sqlite3_stmt *st = conn->prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND sql IS NOT NULL"));
            StmtGuard g(st);
            FileConnection::bind(st, 1, table);
            while (sqlite3_step(st) == SQLITE_ROW) existing << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        }
        for (const QString &ix : existing) conn->exec(QStringLiteral("DROP INDEX %1").arg(quoteIdent(ix)));
        TableDef named = def;
        named.name = table;
        for (const auto &ix : named.indexes) {
            QStringList f;
            for (const auto &c : ix.fields) f << quoteIdent(c);
            conn->exec(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                           .arg(quoteIdent(table + QLatin1Char('_') + (ix.name.isEmpty() ? ix.fileSuffix : ix.name)),
                                quoteIdent(table), f.join(QStringLiteral(", "))));
        }
        conn->exec(QStringLiteral("REINDEX %1").arg(quoteIdent(table)));
        tx.commit();
        conn->forgetStatements();
        writeIndexDescriptors(folder, named);
    } catch (const DbError &e) {
        result = e.code();
    }
    folderlock::releaseExclusive(folder);
    if (active()) rebuildKeyset(rowId());
    return result;
}

// ---------------------------------------------------------------------------------------------
// Query

Query::Query(const QString &objectName) : Dataset(objectName) {}

void Query::setSql(const QString &text)
{
    if (active()) close();
    m_sql = text;
}

void Query::setParam(const QString &name, const QVariant &value) { m_params.insert(name.toLower(), value); }

QString Query::tableFromSql() const { return parseStatement(m_sql).table; }

QString Query::filePath() const
{
    const QString name = tableFromSql() + QStringLiteral(".DB");
    if (!m_database) return name;
    // The file of the statement's table, found regardless of the case the text uses.
    QDir dir(m_database->directory());
    const QStringList entries = dir.entryList({name}, QDir::Files);
    for (const QString &e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(e);
    const QStringList all = dir.entryList(QDir::Files);
    for (const QString &e : all)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(e);
    return m_database->pathOf(name);
}

QString Query::sqlTableName() const { return QFileInfo(filePath()).completeBaseName(); }

void Query::openFile()
{
    const Statement st = parseStatement(m_sql);
    if (st.kind != Statement::Select)
        throw DbError(ErrSql, QStringLiteral("Příkaz nevrací data: %1").arg(m_sql.simplified()));
    const QString path = filePath();
    if (!QFileInfo::exists(path))
        throw DbError(ErrTableMissing, QStringLiteral("Tabulka %1 neexistuje.").arg(QDir::toNativeSeparators(path)));
    const TableDef schema = readTableSchema(path, sqlTableName());
    if (!m_declaredFields) {
        addFields(schema.fields);
    } else {
        for (Field *f : m_storedFields)
            if (!schema.field(f->fieldName()))
                throw DbError(ErrFieldMissing, QStringLiteral("V tabulce %1 chybí pole '%2'.").arg(sqlTableName(), f->fieldName()));
    }
    setPrimaryKeyFields(schema.primaryKey);
    m_conn = FileConnection::get(path);
    m_readOnly = !m_live;
}

Dataset::KeysetSpec Query::keysetSpec()
{
    const Statement st = parseStatement(m_sql);
    KeysetSpec kset;
    auto resolver = [this](const QString &name) -> const FieldDef * {
        Field *f = findField(name);
        return f && f->isStored() ? &f->def() : nullptr;
    };
    auto params = [this](const Operand &p) -> QVariant {
        const QString key = p.text.isEmpty() ? QString::number(p.position) : p.text.toLower();
        if (!m_params.contains(key)) throw DbError(ErrSql, QStringLiteral("Chybí hodnota parametru %1.").arg(p.text));
        return m_params.value(key);
    };
    kset.where = translateConditions(st.where, resolver, params, kset.binds);
    for (const auto &o : st.order) {
        if (!resolver(o.column)) throw DbError(ErrSql, QStringLiteral("Pole '%1' neexistuje.").arg(o.column));
        kset.order.push_back({findField(o.column)->fieldName(), o.descending});
    }
    appendFilterSql(kset);
    return kset;
}

int Query::execSql()
{
    const Statement st = parseStatement(m_sql);
    if (st.kind == Statement::Select) throw DbError(ErrSql, QStringLiteral("Příkaz Select se otevírá, nespouští."));
    const QString path = filePath();
    if (!QFileInfo::exists(path))
        throw DbError(ErrTableMissing, QStringLiteral("Tabulka %1 neexistuje.").arg(QDir::toNativeSeparators(path)));
    const QString table = sqlTableName();
    const TableDef schema = readTableSchema(path, table);
    auto conn = FileConnection::get(path);
    auto resolver = [&schema](const QString &name) -> const FieldDef * { return schema.field(name); };
    auto params = [this](const Operand &p) -> QVariant {
        const QString key = p.text.isEmpty() ? QString::number(p.position) : p.text.toLower();
        if (!m_params.contains(key)) throw DbError(ErrSql, QStringLiteral("Chybí hodnota parametru %1.").arg(p.text));
        return m_params.value(key);
    };
    QVariantList binds;
    QString sql;
    switch (st.kind) {
    case Statement::Update: {
        QStringList sets;
        for (const auto &[column, op] : st.sets) {
            const FieldDef *def = schema.field(column);
            if (!def) throw DbError(ErrSql, QStringLiteral("Pole '%1' neexistuje.").arg(column));
            if (op.kind == Operand::Column) {
                const FieldDef *other = schema.field(op.text);
                if (!other) throw DbError(ErrSql, QStringLiteral("Pole '%1' neexistuje.").arg(op.text));
                sets << QStringLiteral("%1 = %2").arg(quoteIdent(def->name), quoteIdent(other->name));
                continue;
            }
            QVariant v;
            if (op.kind == Operand::Bool) v = QVariant(op.boolValue);
            else if (op.kind == Operand::Param) v = params(op);
            else if (op.text.isEmpty()) v = QVariant();
            else v = literalToValue(*def, op.text, op.kind == Operand::Number);
            if (op.kind == Operand::Param && v.typeId() == QMetaType::QString && def->type != FieldType::Text &&
                def->type != FieldType::Memo && !v.toString().isEmpty())
                v = literalToValue(*def, v.toString(), false);
            if (def->type == FieldType::Text && v.isValid()) v = v.toString().left(def->effectiveSize());
            sets << quoteIdent(def->name) + QStringLiteral(" = ?");
            binds << toStorage(*def, v);
        }
        sql = QStringLiteral("UPDATE %1 SET %2").arg(quoteIdent(table), sets.join(QStringLiteral(", ")));
        const QString where = translateConditions(st.where, resolver, params, binds);
        if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where;
        break;
    }
    case Statement::Delete: {
        sql = QStringLiteral("DELETE FROM %1").arg(quoteIdent(table));
        const QString where = translateConditions(st.where, resolver, params, binds);
        if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where;
        break;
    }
    case Statement::Alter: {
        // Every added field must be new; the statement adds all of them or none.
        QSet<QString> seen;
        for (const auto &a : st.adds) {
            if (schema.field(a.name) || seen.contains(a.name.toLower()))
                throw DbError(ErrSql, QStringLiteral("Pole '%1' v tabulce %2 již existuje.").arg(a.name, table));
            seen.insert(a.name.toLower());
        }
        Transaction tx(conn.get());
        for (const auto &a : st.adds) {
            FieldDef d;
            d.name = a.name;
            d.type = a.type;
            d.size = a.size;
            conn->exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(quoteIdent(table), quoteIdent(a.name), columnTypeSql(d)));
        }
        tx.commit();
        conn->forgetStatements();
        m_rowsAffected = 0;
        return 0;
    }
    case Statement::Select: break;
    }
    m_rowsAffected = conn->exec(sql, binds);
    return m_rowsAffected;
}

// ---------------------------------------------------------------------------------------------
// DataSource

DataSource::DataSource(Dataset *dataset) { setDataset(dataset); }

DataSource::~DataSource() { setDataset(nullptr); }

void DataSource::setDataset(Dataset *dataset)
{
    if (m_dataset) {
        m_dataset->dataChanged.disconnect(m_dataConn);
        m_dataset->stateChanged.disconnect(m_stateConn);
    }
    m_dataset = dataset;
    if (m_dataset) {
        m_dataConn = m_dataset->dataChanged.connect([this]() {
            if (m_enabled) dataChanged.emit_();
        });
        m_stateConn = m_dataset->stateChanged.connect([this]() {
            if (m_enabled) stateChanged.emit_();
        });
    }
}

} // namespace db
