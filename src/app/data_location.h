#pragma once

#include <QString>

namespace app {

// The logic of choosing where the data live: the program folder or a shared network folder.
namespace datalocation {

// True when the folder holds the program itself (the data must not be pointed there).
bool holdsProgram(const QString &folder);
// True when the folder lies on a network file system (NFS, SMB/CIFS, SSHFS, ...), read from
// the platform's mount table.
bool isNetworkFolder(const QString &folder, const QString &mountTable = QStringLiteral("/proc/mounts"));
// The folder of a path typed into the location edit ("…/Data.DB" or a folder), with a slash.
QString folderOf(const QString &dataDbPath);

// Prepares a network data root: creates the target, copies the registry files from the
// program's template folder (never over existing ones) and the whole template folder.
// Returns an empty text on success, else the Czech message to show.
QString prepareNetworkRoot(const QString &programFolder, const QString &target);

// Writes the choice into the program INI (section Orvidan, keys Net and Path) and returns the
// data root it stands for.
QString applyChoice(const QString &programIniPath, const QString &programFolder, bool network, const QString &dataDbPath);

// The text shown when the network option points at the program's own folder.
QString installationMessage();

} // namespace datalocation
} // namespace app
