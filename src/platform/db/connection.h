#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// One SQLite connection to one table file, shared by every dataset of this process that
// reads that file, with its prepared statements. Created on first use, closed with the last user.
class FileConnection {
public:
    // The shared connection for a file; throws DbError(ErrTableMissing) when the file does
    // not exist and create is false.
    static std::shared_ptr<FileConnection> get(const QString &filePath, bool create = false);
    ~FileConnection();

    const QString &filePath() const { return m_path; }
    sqlite3 *handle() const { return m_db; }

    // A prepared statement from the cache, reset and with bindings cleared.
    sqlite3_stmt *prepare(const QString &sql);
    // Runs a statement to completion; returns the number of changed rows.
    int exec(const QString &sql, const QVariantList &binds = {});
    // Throws the DbError for the connection's last error.
    [[noreturn]] void fail(int rc, const QString &context = {}) const;
    void forgetStatements();

    // Transactions: nested calls count; only the outermost commits or rolls back.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_txDepth > 0; }

    static void bind(sqlite3_stmt *stmt, int index, const QVariant &value);
    static QVariant column(sqlite3_stmt *stmt, int index);

private:
    explicit FileConnection(const QString &path);
    QString m_path;
    sqlite3 *m_db = nullptr;
    QHash<QString, sqlite3_stmt *> m_stmts;
    int m_txDepth = 0;
};

// Resets a cached statement when it goes out of scope.
class StmtGuard {
public:
    explicit StmtGuard(sqlite3_stmt *stmt) : m_stmt(stmt) {}
    ~StmtGuard();
    sqlite3_stmt *get() const { return m_stmt; }

private:
    sqlite3_stmt *m_stmt;
};

// Quotes an identifier for SQLite.
QString quoteIdent(const QString &name);

// A transaction on one table file; rolled back when it goes out of scope uncommitted.
class Transaction {
public:
    explicit Transaction(FileConnection *conn) : m_conn(conn) { m_conn->begin(); }
    ~Transaction()
    {
        if (!m_done) m_conn->rollback();
    }
    void commit()
    {
        m_done = true;
        m_conn->commit();
    }

private:
    FileConnection *m_conn;
    bool m_done = false;
};

} // namespace db
