#include "connection.h"

#include "errors.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <sqlite3.h>
#include <memory>

namespace db {

namespace {
QHash<QString, std::weak_ptr<FileConnection>> &pool()
{
    static QHash<QString, std::weak_ptr<FileConnection>> p;
    return p;
}
} // namespace

QString quoteIdent(const QString &name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

StmtGuard::~StmtGuard()
{
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

std::shared_ptr<FileConnection> FileConnection::get(const QString &filePath, bool create)
{
    const QFileInfo info(filePath);
    const QString key = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    auto &p = pool();
    if (auto existing = p.value(key).lock()) return existing;
    if (!info.exists() && !create)
        throw DbError(ErrTableMissing, QStringLiteral("Tabulka %1 neexistuje.").arg(QDir::toNativeSeparators(filePath)));
    std::shared_ptr<FileConnection> conn(new FileConnection(info.absoluteFilePath()));
    p.insert(create ? QFileInfo(filePath).canonicalFilePath() : key, conn);
    return conn;
}

FileConnection::FileConnection(const QString &path) : m_path(path)
{
    const QByteArray p = path.toUtf8();
    const int rc = sqlite3_open_v2(p.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : "");
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DbError(ErrIo, QStringLiteral("Soubor %1 nelze otevřít: %2").arg(QDir::toNativeSeparators(path), msg));
    }
    sqlite3_busy_timeout(m_db, 5000);
    sqlite3_exec(m_db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
}

FileConnection::~FileConnection()
{
    forgetStatements();
    if (m_db) sqlite3_close(m_db);
    auto &p = pool();
    for (auto it = p.begin(); it != p.end();) {
        if (it.value().expired()) it = p.erase(it);
        else ++it;
    }
}

void FileConnection::forgetStatements()
{
    for (auto *s : std::as_const(m_stmts)) sqlite3_finalize(s);
    m_stmts.clear();
}

sqlite3_stmt *FileConnection::prepare(const QString &sql)
{
    auto it = m_stmts.constFind(sql);
    if (it != m_stmts.constEnd()) return it.value();
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) fail(rc, sql);
    m_stmts.insert(sql, stmt);
    return stmt;
}

int FileConnection::exec(const QString &sql, const QVariantList &binds)
{
    sqlite3_stmt *stmt = prepare(sql);
    StmtGuard guard(stmt);
    for (int i = 0; i < binds.size(); ++i) bind(stmt, i + 1, binds[i]);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {}
    if (rc != SQLITE_DONE) fail(rc, sql);
    return sqlite3_changes(m_db);
}

void FileConnection::fail(int rc, const QString &context) const
{
    const int ext = m_db ? sqlite3_extended_errcode(m_db) : rc;
    const QString msg = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
    if (ext == SQLITE_CONSTRAINT_PRIMARYKEY || ext == SQLITE_CONSTRAINT_UNIQUE)
        throw DbError(ErrKeyViolation, QStringLiteral("Porušení klíče."));
    if (ext == SQLITE_CONSTRAINT_NOTNULL) {
        const QString field = msg.section(QLatin1Char('.'), -1);
        throw DbError(ErrGeneral, QStringLiteral("Je vyžadována hodnota pole '%1'.").arg(field));
    }
    if ((rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED)
        throw DbError(ErrBusy, QStringLiteral("Tabulka %1 je uzamčena jiným uživatelem.")
                                   .arg(QFileInfo(m_path).completeBaseName()));
    Q_UNUSED(context);
    throw DbError(ErrSql, QStringLiteral("Chyba databáze v tabulce %1: %2")
                              .arg(QFileInfo(m_path).completeBaseName(), msg));
}

void FileConnection::begin()
{
    if (m_txDepth++ == 0) exec(QStringLiteral("BEGIN IMMEDIATE"));
}

void FileConnection::commit()
{
    if (m_txDepth == 0) return;
    if (--m_txDepth == 0) exec(QStringLiteral("COMMIT"));
}

void FileConnection::rollback()
{
    if (m_txDepth == 0) return;
    if (--m_txDepth == 0) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void FileConnection::bind(sqlite3_stmt *stmt, int index, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        sqlite3_bind_int(stmt, index, value.toBool() ? 1 : 0);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
        sqlite3_bind_int64(stmt, index, value.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(stmt, index, value.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = value.toByteArray();
        sqlite3_bind_blob(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray t = value.toString().toUtf8();
        sqlite3_bind_text(stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

QVariant FileConnection::column(sqlite3_stmt *stmt, int index)
{
    switch (sqlite3_column_type(stmt, index)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt, index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, index));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, index)),
                                          sqlite3_column_bytes(stmt, index)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, index)),
                                   sqlite3_column_bytes(stmt, index)));
    default:
        return {};
    }
}

} // namespace db
