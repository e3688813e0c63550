#pragma once

#include <QString>
#include <QStringList>
#include "field_def.h"
#include <vector>

namespace db {

class Dataset;
class Session;

// A named connection to one folder of table files ("Orvidas", "Nazvy").
// Disconnecting closes every dataset bound to it.
class Database {
public:
    Database(const QString &name, Session *session = nullptr);
    ~Database();
    const QString &name() const { return m_name; }
    Session *session() const { return m_session; }

    void setDirectory(const QString &folder);   // the folder; trailing separators are dropped
    const QString &directory() const { return m_directory; }
    QString pathOf(const QString &fileName) const;

    void open();
    void close();                               // closes every bound dataset
    bool connected() const { return m_connected; }

    void registerDataset(Dataset *dataset);
    void unregisterDataset(Dataset *dataset);
    const std::vector<Dataset *> &datasets() const { return m_datasets; }

private:
    QString m_name;
    Session *m_session;
    QString m_directory;
    bool m_connected = false;
    std::vector<Dataset *> m_datasets;
};

// The database session ("OrvSession"): the network control folder and table passwords.
class Session {
public:
    explicit Session(const QString &name = QStringLiteral("OrvSession")) : m_name(name) {}
    void setNetDir(const QString &folder) { m_netDir = folder; }
    const QString &netDir() const { return m_netDir; }
    void setPrivateDir(const QString &folder) { m_privateDir = folder; }
    const QString &privateDir() const { return m_privateDir; }
    void addPassword(const QString &password) { m_passwords << password; }
    void open() { m_active = true; }
    void close() { m_active = false; }
    bool active() const { return m_active; }

private:
    QString m_name, m_netDir, m_privateDir;
    QStringList m_passwords;
    bool m_active = false;
};

// Creates the table file of a layout (and its index descriptor and memo files) in a folder,
// replacing an existing one.
void createTable(const QString &folder, const TableDef &def);
// The fields a table file holds, read from the file itself; throws ErrTableMissing.
TableDef readTableSchema(const QString &dbFilePath, const QString &tableName);
// Writes the index descriptor files (.PX, .Xnn/.Ynn) and the memo-store marker (.MB) of a layout.
void writeIndexDescriptors(const QString &folder, const TableDef &def);

// The per-folder lock that marks a folder's tables as in use by this program.
// Shared while tables are open; exclusive for exclusive opens. A crash releases it.
namespace folderlock {
bool acquireShared(const QString &folder);
bool acquireExclusive(const QString &folder);   // also when this process holds it shared
void releaseShared(const QString &folder);
void releaseExclusive(const QString &folder);   // back to shared when still used
// True when another process holds the folder (probe without keeping a lock).
bool heldElsewhere(const QString &folder);
QString lockFileName();
} // namespace folderlock

} // namespace db
