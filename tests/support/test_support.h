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
