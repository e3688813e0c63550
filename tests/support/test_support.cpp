#include "test_support.h"

namespace testsupport {

TempDir::TempDir() : m_dir(QDir::tempPath() + QStringLiteral("/velorad-test-XXXXXX")) {}

} // namespace testsupport

#include "platform/db/dataset.h"
#include "platform/db/session.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

ChildHolder::ChildHolder(const QString &folder, const QString &table)
{
    int ready[2];
    if (pipe(ready) != 0) return;
    const pid_t child = fork();
    if (child == 0) {
        try {
            db::Database d(QStringLiteral("Holder"));
            d.setDirectory(folder);
            db::Table t(table);
            t.setDatabase(&d);
            t.setTableName(table);
            t.open();
            char c = 'x';
            if (write(ready[1], &c, 1) != 1) _exit(2);
            pause(); // holds the table until killed
        } catch (...) {
            _exit(3);
        }
        _exit(0);
    }
    char c = 0;
    if (child > 0 && read(ready[0], &c, 1) == 1) m_pid = child;
    else if (child > 0) waitpid(child, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
}

ChildHolder::~ChildHolder() { kill(); }

void ChildHolder::kill()
{
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

} // namespace testsupport
