#include "test_support.h"

namespace testsupport {

TempDir::TempDir() : m_dir(QDir::tempPath() + QStringLiteral("/velorad-test-XXXXXX")) {}

} // namespace testsupport
