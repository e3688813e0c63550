#pragma once

#include <QString>
#include <QTemporaryDir>
#include <ostream>

// Shows QStrings readably in test failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace testsupport {

// A temporary folder for a test's data, removed when the test ends.
class TempDir {
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

} // namespace testsupport

namespace testsupport {

// Another program holding a table of a folder open: a child process that opens the table and
// waits until it is killed (SIGKILL, as a crash would end it).
class ChildHolder {
public:
    ChildHolder(const QString &folder, const QString &table);
    ~ChildHolder();
    bool holding() const { return m_pid > 0; }
    void kill();

private:
    int m_pid = -1;
};

} // namespace testsupport
