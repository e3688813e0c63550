#pragma once

#include <QDir>
#include <QString>

namespace app {

// A folder with forward slashes and exactly one trailing slash, as the program keeps its roots.
inline QString withSlash(const QString &folder)
{
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith(QLatin1Char('/'))) f += QLatin1Char('/');
    return f;
}

} // namespace app
