#include "data_location.h"
#include "folder_paths.h"

#include "data/data_files.h"
#include "data/template_folder.h"
#include "platform/db/connection.h"
#include "platform/ini/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace app::datalocation {

bool holdsProgram(const QString &folder)
{
    const QDir dir(folder);
    return QFileInfo::exists(dir.filePath(QStringLiteral("Orvidan.exe"))) || QFileInfo(dir.filePath(QStringLiteral("Orvidan"))).isExecutable();
}

bool isNetworkFolder(const QString &folder, const QString &mountTable)
{
    QFile f(mountTable);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QString path = QFileInfo(folder).absoluteFilePath();
    QString bestType;
    int bestLength = -1;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QStringList parts = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() < 3) continue;
        QString mountPoint = parts[1];
        mountPoint.replace(QStringLiteral("\\040"), QStringLiteral(" "));
        const bool under = path == mountPoint || mountPoint == QLatin1String("/") ||
                           path.startsWith(mountPoint.endsWith(QLatin1Char('/')) ? mountPoint : mountPoint + QLatin1Char('/'));
        if (under && int(mountPoint.size()) > bestLength) {
            bestLength = int(mountPoint.size());
            bestType = parts[2];
        }
    }
    static const QStringList network{QStringLiteral("nfs"),   QStringLiteral("nfs4"),       QStringLiteral("cifs"),
                                     QStringLiteral("smb3"),  QStringLiteral("smbfs"),      QStringLiteral("fuse.sshfs"),
                                     QStringLiteral("9p"),    QStringLiteral("afs"),        QStringLiteral("ncpfs"),
                                     QStringLiteral("davfs"), QStringLiteral("fuse.davfs2"), QStringLiteral("glusterfs")};
    return network.contains(bestType);
}

QString folderOf(const QString &dataDbPath)
{
    const QString p = QDir::fromNativeSeparators(dataDbPath.trimmed());
    if (p.isEmpty()) return {};
    if (QFileInfo(p).isDir()) return withSlash(p);
    return withSlash(QFileInfo(p).absolutePath());
}

QString installationMessage()
{
    return QStringLiteral("Vyberte adresář s daty, který jste instalovali\nz \"Instalace dat pro program Velorad\"");
}

QString prepareNetworkRoot(const QString &programFolder, const QString &target)
{
    const QString to = withSlash(target);
    if (!QFileInfo(to).isDir()) QDir().mkpath(to);
    if (!QFileInfo(to).isDir()) {
        const QString drive = to.left(1);
        return QStringLiteral("Adresář %1 nelze vytvořit na disku %2\n\nZkontroluje zda je tento disk dostupný.").arg(to, drive);
    }
    data::ensureTemplateFolder(programFolder);
    const QString tmpl = data::templateFolder(programFolder);
    // The registry copies of the template stay empty.
    for (const char *t : {"Data", "Uziv"}) {
        try {
            auto conn = db::FileConnection::get(QDir(tmpl).filePath(QString::fromLatin1(t) + QStringLiteral(".DB")));
            conn->exec(QStringLiteral("DELETE FROM %1").arg(db::quoteIdent(QString::fromLatin1(t))));
        } catch (const std::exception &) {
        }
    }
    for (const QString &f : data::registryFiles()) {
        const QString dest = to + f;
        if (!QFileInfo::exists(dest)) QFile::copy(QDir(tmpl).filePath(f), dest);
    }
    const QString targetTemplate = to + data::templateFolderName() + QLatin1Char('/');
    QDir().mkpath(targetTemplate);
    QStringList files = data::dataFiles();
    files << data::registryFiles();
    for (const QString &f : files) {
        QFile::remove(targetTemplate + f);
        QFile::copy(QDir(tmpl).filePath(f), targetTemplate + f);
        QFile(targetTemplate + f).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                                 QFileDevice::WriteGroup | QFileDevice::ReadOther);
    }
    return {};
}

QString applyChoice(const QString &programIniPath, const QString &programFolder, bool network, const QString &dataDbPath)
{
    ini::IniFile iniFile(programIniPath);
    iniFile.load();
    const QString root = network ? folderOf(dataDbPath) : withSlash(programFolder);
    iniFile.setValue(QStringLiteral("Orvidan"), QStringLiteral("Path"), QDir::toNativeSeparators(root));
    iniFile.setValue(QStringLiteral("Orvidan"), QStringLiteral("Net"), network ? QStringLiteral("1") : QStringLiteral("0"));
    iniFile.save();
    return root;
}

} // namespace app::datalocation
