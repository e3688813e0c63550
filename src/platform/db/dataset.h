#pragma once

#include "errors.h"
#include "field.h"
#include "field_def.h"
#include "signal.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace db {

class Database;
class FileConnection;
struct Condition;

enum class DatasetState { Inactive, Browse, Edit, Insert, CalcFields };

// What a post error handler decides: fail with the engine message or abort silently.
enum class PostErrorAction { Fail, Abort };

// A cursor over the rows of one table file: fields of the current record, navigation in an
// order, editing with events, filter, lookups and calculated fields. Tables and queries are
// datasets; both keep an ordered key set of row ids and read the current record on demand.
class Dataset {
public:
    explicit Dataset(const QString &objectName);
    virtual ~Dataset();
    Dataset(const Dataset &) = delete;
    Dataset &operator=(const Dataset &) = delete;

    const QString &objectName() const { return m_objectName; }

    // Connection.
    void setDatabase(Database *database);
    Database *database() const { return m_database; }

    // Fields. Persistent fields are declared before opening; a dataset without declared
    // fields takes every column of the table file when it opens.
    Field &addField(const FieldDef &def);
    void addFields(const std::vector<FieldDef> &defs);
    Field *findField(const QString &name) const;
    Field &fieldByName(const QString &name) const; // throws DbError when there is none
    const std::vector<std::unique_ptr<Field>> &fields() const { return m_fields; }
    int fieldCount() const { return int(m_fields.size()); }
    QVariant fieldValue(const QString &name) const { return fieldByName(name).value(); }

    // Opening and closing.
    void open();
    void close();
    bool active() const { return m_state != DatasetState::Inactive; }
    void setActive(bool on) { on ? open() : close(); }
    // Re-reads the rows (other users' changes, changes made by statements) and stays on the
    // current row when it still exists.
    void refresh();
    DatasetState state() const { return m_state; }
    bool isEditing() const { return m_state == DatasetState::Edit || m_state == DatasetState::Insert; }

    // Navigation (in the current order, inside the range and the filter).
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance);
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool isEmpty() const;
    int recordCount() const;
    int recNo() const;              // 1-based; 0 when there is no current row (or inserting)
    void setRecNo(int recNo);
    // Searches the visible rows in the current order for the first whose fields equal the
    // values; moves there and returns true, or stays and returns false.
    bool locate(const QStringList &fieldNames, const QVariantList &values, bool caseInsensitive = false);
    bool locate(const QString &fieldName, const QVariant &value) { return locate(QStringList{fieldName}, {value}); }
    // The current row's identity, and a return to it.
    qint64 rowId() const { return m_currentRowId; }
    bool gotoRowId(qint64 rowId);

    // Editing.
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();           // in insert state it cancels
    void checkBrowseMode();        // posts a pending edit or insert
    bool modified() const { return m_modified; }
    void setReadOnly(bool on) { m_readOnly = on; }
    bool readOnly() const { return m_readOnly; }

    // Filter: an expression "Field = 'value' and ..." plus an optional record predicate,
    // applied while filtered is on. An empty expression with filtering on passes every row.
    void setFilter(const QString &text);
    const QString &filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }
    std::function<bool(Dataset &)> onFilterRecord;

    // Screen updates of bound controls: while disabled no data-change notices go out.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    // Events of the table rules (a handler throws Abort to refuse silently, DbError to fail).
    std::function<void(Dataset &)> onNewRecord;
    std::function<void(Dataset &)> beforeInsert;
    std::function<void(Dataset &)> afterInsert;
    std::function<void(Dataset &)> beforeEdit;
    std::function<void(Dataset &)> beforePost;
    std::function<void(Dataset &)> afterPost;
    std::function<void(Dataset &)> beforeCancel;
    std::function<void(Dataset &)> afterCancel;
    std::function<void(Dataset &)> beforeDelete;
    std::function<void(Dataset &)> afterDelete;
    std::function<void(Dataset &)> afterOpen;
    std::function<void(Dataset &)> beforeClose;
    std::function<void(Dataset &)> afterScroll;
    std::function<void(Dataset &)> onCalcFields;
    std::function<void(Dataset &, const DbError &, PostErrorAction &)> onPostError;
    // Observers for windows: the current record or its values changed; the state changed.
    Signal<> dataChanged;
    Signal<> stateChanged;

    // Master-detail: this dataset shows only the rows whose detail fields equal the master's
    // current values, follows the master's moves, and new rows take the master's values.
    void setMaster(Dataset *master, const QStringList &masterFields, const QStringList &detailFields);

    // The file this dataset reads, and the connection to it while open.
    virtual QString filePath() const = 0;
    virtual QString sqlTableName() const = 0;
    FileConnection *connection() const { return m_conn.get(); }

    // Engine internals used by fields.
    void fieldChanged(Field &field);
    void recomputeDerived(); // lookups and calculated fields of the current record
    // Looks up a row of this (open) dataset's table by key values; returns false when none.
    bool lookupValues(const QStringList &keyFields, const QVariantList &keys, const QString &resultField,
                      QVariant &result);
    void invalidateLookupCache();

protected:
    struct SortSpec {
        QString field;
        bool descending = false;
    };
    // What the key set holds: the SQL condition over the file, the order and the slice.
    struct KeysetSpec {
        QString where;               // SQLite condition text with ? placeholders ("" = all)
        QVariantList binds;
        std::vector<SortSpec> order; // empty: primary key or row order
        // Key-prefix bounds applied to the sorted key set (range on the current index).
        bool hasRange = false;
        QByteArray rangeLow, rangeHigh;
    };
    virtual KeysetSpec keysetSpec() = 0;
    virtual void openFile();          // connects and checks the layout
    virtual void closeFile();
    virtual void beforeOpenCheck() {}
    void rebuildKeyset(qint64 stayOnRowId = 0);
    // Encodes the given values as a key prefix in the current order.
    QByteArray encodeKeyPrefix(const QVariantList &values) const;
    QByteArray encodeKeyOf(const std::vector<QVariant> &values) const;
    int lowerBound(const QByteArray &key) const;
    void moveToIndex(int index);
    void notifyDataChanged();
    void notifyStateChanged();
    void setState(DatasetState state);
    const std::vector<SortSpec> &effectiveOrder() const { return m_order; }
    Field *autoIncField() const;
    QStringList primaryKeyFields() const { return m_primaryKey; }
    void setPrimaryKeyFields(const QStringList &fields) { m_primaryKey = fields; }
    std::vector<Condition> filterConditions() const;
    void appendFilterSql(KeysetSpec &kset) const;

    std::shared_ptr<FileConnection> m_conn;

private:
    friend class Table;
    friend class Query;
    friend class Field;
    friend class Database;
    struct KeyEntry {
        qint64 rowId;
        quint32 offset;
        quint32 length;
    };
    bool readRecord(qint64 rowId);   // loads the stored fields, then lookups and calc fields
    void clearBuffer();
    void writeRecord();              // the insert or update of post
    bool rowVisible(qint64 rowId);   // does the row pass the key set's condition and range
    QByteArray keyOfBuffer() const;
    int findEntry(qint64 rowId) const;
    void removeEntry(int index);
    void placeEntry(qint64 rowId, const QByteArray &key);
    QByteArray entryKey(const KeyEntry &e) const;
    void restoreBuffer();
    void applyMasterValues();
    QString selectColumnsSql() const;

    QString m_objectName;
    QString m_quotedTable;           // the table's quoted name while open
    QString m_readSql;               // the statement that reads one record, while open
    Database *m_database = nullptr;
    std::vector<std::unique_ptr<Field>> m_fields;
    QHash<QString, Field *> m_fieldIndex;
    std::vector<Field *> m_storedFields;
    bool m_declaredFields = false;
    DatasetState m_state = DatasetState::Inactive;
    bool m_bof = true, m_eof = true;
    bool m_modified = false;
    bool m_readOnly = false;
    bool m_inCalc = false;

    std::vector<KeyEntry> m_keys;    // the visible rows in order
    std::vector<char> m_keyArena;
    std::vector<SortSpec> m_order;
    QStringList m_primaryKey;
    KeysetSpec m_spec;
    int m_current = -1;              // index into m_keys
    qint64 m_currentRowId = 0;
    std::vector<QVariant> m_saved;   // values before edit (for cancel)
    int m_savedCurrent = -1;
    qint64 m_savedRowId = 0;

    QString m_filterText;
    bool m_filtered = false;
    int m_disableCount = 0;
    bool m_pendingNotify = false;

    Dataset *m_master = nullptr;
    QStringList m_masterFields, m_detailFields;
    int m_masterConnection = 0;

    // Lookup cache of this dataset when it serves as a lookup source.
    QHash<QString, QVariant> m_lookupCache;
};

// A table object: a dataset over one table file in its database's folder, with indexes,
// key searches, ranges, exclusive opening, emptying, batch append and index regeneration.
class Table : public Dataset {
public:
    explicit Table(const QString &objectName);
    ~Table() override;

    // The table: a name in the database folder ("Mbz" for Mbz.DB) or a full path of a .DB file.
    void setTableName(const QString &name);
    const QString &tableName() const { return m_tableName; }
    // The layout this object knows (fields, keys, indexes); declares the fields when none are.
    void setDefinition(const TableDef &def);
    const TableDef &definition() const { return m_def; }

    QString filePath() const override;
    QString sqlTableName() const override;

    void setExclusive(bool on) { m_exclusive = on; }
    bool exclusive() const { return m_exclusive; }

    // Index by name ("" = primary) or by a field list ("Spl", "Cislo;Nazev").
    void setIndexName(const QString &name);
    const QString &indexName() const { return m_indexName; }
    void setIndexFieldNames(const QString &fields);
    QStringList indexFields() const;

    bool findKey(const QVariantList &values);
    void findNearest(const QVariantList &values);
    void setRange(const QVariantList &low, const QVariantList &high);
    void cancelRange();
    bool hasRange() const { return m_rangeOn; }

    void emptyTable();
    // Appends every row of the source (in its order) to this table, fields matched by name,
    // new automatic numbers; no events run. Returns the number of rows appended.
    int batchAppend(Dataset &source);
    // Drops and rebuilds the table's indexes and their descriptor files. Needs exclusive use
    // of the folder. Returns 0, or ErrNotExclusive when another program has the folder open.
    int rebuildIndexes();

    bool exists() const;

protected:
    KeysetSpec keysetSpec() override;
    void openFile() override;
    void closeFile() override;

private:
    void applyIndex();
    QString m_tableName;
    TableDef m_def;
    bool m_hasDef = false;
    bool m_exclusive = false;
    bool m_holdsExclusive = false;
    QString m_indexName;
    QString m_indexFieldNames;
    bool m_rangeOn = false;
    QVariantList m_rangeLow, m_rangeHigh;
};

// A statement over one table file: Select opens as a dataset; Update, Delete and Alter Table
// run with execSql. Values come bound, either as :name parameters or as literals of the
// statement text, which the engine converts to the column types (never spliced into SQLite).
class Query : public Dataset {
public:
    explicit Query(const QString &objectName);

    void setSql(const QString &text);
    const QString &sql() const { return m_sql; }
    void setParam(const QString &name, const QVariant &value);
    void clearParams() { m_params.clear(); }
    // Updatable ("request live") queries post edits to the table; others are read-only.
    void setRequestLive(bool on) { m_live = on; }
    bool requestLive() const { return m_live; }

    // Runs an Update, Delete or Alter Table statement; returns the number of rows changed.
    int execSql();
    int rowsAffected() const { return m_rowsAffected; }

    QString filePath() const override;
    QString sqlTableName() const override;

protected:
    KeysetSpec keysetSpec() override;
    void openFile() override;

private:
    QString tableFromSql() const;
    QString m_sql;
    QHash<QString, QVariant> m_params;
    bool m_live = false;
    int m_rowsAffected = 0;
};

// Links bound controls to a dataset and relays its notices ("data source").
class DataSource {
public:
    explicit DataSource(Dataset *dataset = nullptr);
    ~DataSource();
    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return m_dataset; }
    void setEnabled(bool on) { m_enabled = on; }
    bool enabled() const { return m_enabled; }
    Signal<> dataChanged;
    Signal<> stateChanged;

private:
    Dataset *m_dataset = nullptr;
    int m_dataConn = 0, m_stateConn = 0;
    bool m_enabled = true;
};

} // namespace db
