#include "session.h"

#include "connection.h"
#include "dataset.h"
#include "errors.h"
#include "sql_dialect.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <sqlite3.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace db {

// --- Database ---------------------------------------------------------------------------------

Database::Database(const QString &name, Session *session) : m_name(name), m_session(session) {}

Database::~Database()
{
    for (Dataset *d : m_datasets) d->m_database = nullptr;
}

void Database::setDirectory(const QString &folder)
{
    QString f = QDir::fromNativeSeparators(folder);
    while (f.size() > 1 && f.endsWith(QLatin1Char('/'))) f.chop(1);
    m_directory = f;
}

QString Database::pathOf(const QString &fileName) const
{
    return m_directory.isEmpty() ? fileName : m_directory + QLatin1Char('/') + fileName;
}

void Database::open() { m_connected = true; }

void Database::close()
{
    for (Dataset *d : std::vector<Dataset *>(m_datasets)) {
        try {
            d->close();
        } catch (...) {
        }
    }
    m_connected = false;
}

void Database::registerDataset(Dataset *dataset)
{
    if (std::find(m_datasets.begin(), m_datasets.end(), dataset) == m_datasets.end()) m_datasets.push_back(dataset);
}

void Database::unregisterDataset(Dataset *dataset)
{
    m_datasets.erase(std::remove(m_datasets.begin(), m_datasets.end(), dataset), m_datasets.end());
}

// --- table files ------------------------------------------------------------------------------

void writeIndexDescriptors(const QString &folder, const TableDef &def)
{
    auto write = [&](const QString &file, const QString &content) {
        QFile f(QDir(folder).filePath(file));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw DbError(ErrIo, QStringLiteral("Soubor %1 nelze zapsat.").arg(QDir::toNativeSeparators(f.fileName())));
        f.write(content.toUtf8());
    };
    const QString header = QStringLiteral("# index descriptor; rewritten when the indexes are regenerated\n");
    if (!def.primaryKey.isEmpty())
        write(def.name + QStringLiteral(".PX"), header + QStringLiteral("table=%1\nindex=\nfields=%2\nprimary=1\n")
                                                         .arg(def.name, def.primaryKey.join(QLatin1Char(';'))));
    for (const auto &ix : def.indexes) {
        const QString content = header + QStringLiteral("table=%1\nindex=%2\nfields=%3\nprimary=0\n")
                                             .arg(def.name, ix.name, ix.fields.join(QLatin1Char(';')));
        write(def.name + QLatin1Char('.') + ix.fileSuffix, content);
        QString twin = ix.fileSuffix;
        if (!twin.isEmpty() && twin[0] == QLatin1Char('X')) twin[0] = QLatin1Char('Y');
        write(def.name + QLatin1Char('.') + twin, content);
    }
    if (def.memoStore)
        write(def.name + QStringLiteral(".MB"),
              QStringLiteral("# memo store of table %1; the memo texts are kept in %1.DB\n").arg(def.name));
}

void createTable(const QString &folder, const TableDef &def)
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(def.name + QStringLiteral(".DB"));
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
    QStringList cols;
    bool pkInline = false;
    for (const auto &f : def.fields) {
        if (!f.isStored()) continue;
        QString col = quoteIdent(f.name) + QLatin1Char(' ') + columnTypeSql(f);
        if (f.type != FieldType::AutoInc && def.primaryKey.contains(f.name)) col += QStringLiteral(" NOT NULL");
        cols << col;
        if (f.type == FieldType::AutoInc) pkInline = true;
    }
    if (!def.primaryKey.isEmpty() && !(pkInline && def.primaryKey.size() == 1 && def.field(def.primaryKey[0]) &&
                                       def.field(def.primaryKey[0])->type == FieldType::AutoInc)) {
        QStringList pk;
        for (const auto &k : def.primaryKey) pk << quoteIdent(k);
        cols << QStringLiteral("PRIMARY KEY (%1)").arg(pk.join(QStringLiteral(", ")));
    }
    {
        auto conn = FileConnection::get(path, true);
        Transaction tx(conn.get());
        conn->exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdent(def.name), cols.join(QStringLiteral(", "))));
        for (const auto &ix : def.indexes) {
            QStringList f;
            for (const auto &c : ix.fields) f << quoteIdent(c);
            conn->exec(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                           .arg(quoteIdent(def.name + QLatin1Char('_') + (ix.name.isEmpty() ? ix.fileSuffix : ix.name)),
                                quoteIdent(def.name), f.join(QStringLiteral(", "))));
        }
        tx.commit();
    }
    writeIndexDescriptors(folder, def);
}

TableDef readTableSchema(const QString &dbFilePath, const QString &tableName)
{
    if (!QFileInfo::exists(dbFilePath))
        throw DbError(ErrTableMissing, QStringLiteral("Tabulka %1 neexistuje.").arg(QDir::toNativeSeparators(dbFilePath)));
    auto conn = FileConnection::get(dbFilePath);
    TableDef def;
    def.name = tableName;
    struct Col {
        QString name, type;
        int pk;
    };
    std::vector<Col> cols;
    {
        sqlite3_stmt *st = conn->prepare(QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)"));
        StmtGuard g(st);
        FileConnection::bind(st, 1, tableName);
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            cols.push_back({QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))),
                            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 1))),
                            sqlite3_column_int(st, 2)});
        if (rc != SQLITE_DONE) conn->fail(rc);
    }
    if (cols.empty())
        throw DbError(ErrTableMissing, QStringLiteral("Soubor %1 neobsahuje tabulku %2.").arg(QDir::toNativeSeparators(dbFilePath), tableName));
    int pkCount = 0;
    for (const auto &c : cols) pkCount += c.pk > 0 ? 1 : 0;
    std::vector<std::pair<int, QString>> pk;
    for (const auto &c : cols) {
        def.fields.push_back(fieldFromColumn(c.name, c.type, c.pk > 0 && pkCount == 1));
        if (c.pk > 0) pk.emplace_back(c.pk, c.name);
    }
    std::sort(pk.begin(), pk.end());
    for (const auto &p : pk) def.primaryKey << p.second;
    return def;
}

// --- folder locks -----------------------------------------------------------------------------

namespace folderlock {

namespace {
struct Held {
    int fd = -1;
    int shared = 0;
    int exclusive = 0;
};
QHash<QString, Held> &held()
{
    static QHash<QString, Held> h;
    return h;
}
QString keyOf(const QString &folder)
{
    const QFileInfo info(folder);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}
#ifdef Q_OS_UNIX
bool setLock(int fd, short type)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;
    return fcntl(fd, F_SETLK, &fl) == 0;
}
int openLockFile(const QString &folder)
{
    const QByteArray p = QFile::encodeName(QDir(folder).filePath(lockFileName()));
    return ::open(p.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
}
#endif
} // namespace

QString lockFileName() { return QStringLiteral("Orvidan.lck"); }

bool acquireShared(const QString &folder)
{
    auto &h = held();
    const QString key = keyOf(folder);
    auto it = h.find(key);
    if (it != h.end()) {
        ++it->shared;
        return true;
    }
    Held entry;
#ifdef Q_OS_UNIX
    entry.fd = openLockFile(folder);
    if (entry.fd >= 0 && !setLock(entry.fd, F_RDLCK)) {
        ::close(entry.fd);
        return false;
    }
#endif
    entry.shared = 1;
    h.insert(key, entry);
    return true;
}

bool acquireExclusive(const QString &folder)
{
    auto &h = held();
    const QString key = keyOf(folder);
    auto it = h.find(key);
    if (it != h.end()) {
#ifdef Q_OS_UNIX
        if (it->exclusive == 0 && it->fd >= 0 && !setLock(it->fd, F_WRLCK)) return false;
#endif
        ++it->exclusive;
        return true;
    }
    Held entry;
#ifdef Q_OS_UNIX
    entry.fd = openLockFile(folder);
    if (entry.fd >= 0 && !setLock(entry.fd, F_WRLCK)) {
        ::close(entry.fd);
        return false;
    }
#endif
    entry.exclusive = 1;
    h.insert(key, entry);
    return true;
}

static void dropIfUnused(QHash<QString, Held>::iterator it)
{
    if (it->shared > 0 || it->exclusive > 0) return;
#ifdef Q_OS_UNIX
    if (it->fd >= 0) ::close(it->fd);
#endif
    held().erase(it);
}

void releaseShared(const QString &folder)
{
    auto it = held().find(keyOf(folder));
    if (it == held().end() || it->shared == 0) return;
    --it->shared;
    dropIfUnused(it);
}

void releaseExclusive(const QString &folder)
{
    auto it = held().find(keyOf(folder));
    if (it == held().end() || it->exclusive == 0) return;
    if (--it->exclusive == 0 && it->shared > 0) {
#ifdef Q_OS_UNIX
        if (it->fd >= 0) setLock(it->fd, F_RDLCK);
#endif
    }
    dropIfUnused(it);
}

bool heldElsewhere(const QString &folder)
{
#ifdef Q_OS_UNIX
    auto it = held().find(keyOf(folder));
    int fd = it != held().end() ? it->fd : -1;
    bool own = fd >= 0;
    if (!own) {
        const QByteArray p = QFile::encodeName(QDir(folder).filePath(lockFileName()));
        fd = ::open(p.constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0) return false;
    }
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    const bool busy = fcntl(fd, F_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
    if (!own) ::close(fd);
    return busy;
#else
    Q_UNUSED(folder);
    return false;
#endif
}

} // namespace folderlock

} // namespace db
