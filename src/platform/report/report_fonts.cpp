#include "report_fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>

namespace report {

QString registerFontFile(const QString &path)
{
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0) return {};
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.value(0);
}

QStringList reportFontFolders()
{
    QStringList folders;
    if (QCoreApplication::instance()) folders << QCoreApplication::applicationDirPath() + QStringLiteral("/fonts");
    folders << QStringLiteral("/usr/share/fonts/truetype/liberation2") << QStringLiteral("/usr/share/fonts/truetype/liberation");
    return folders;
}

QStringList registerReportFonts()
{
    static bool done = false;
    static QStringList registered;
    if (done) return registered;
    done = true;
    for (const QString &folder : reportFontFolders()) {
        const QDir dir(folder);
        const QStringList files = dir.entryList({QStringLiteral("Liberation*.ttf")}, QDir::Files, QDir::Name);
        for (const QString &f : files)
            if (!registerFontFile(dir.filePath(f)).isEmpty()) registered << dir.filePath(f);
        if (!files.isEmpty()) break;
    }
    return registered;
}

QString physicalFamily(const QString &layoutFamily)
{
    QString base = layoutFamily;
    if (base.endsWith(QLatin1String(" CE"))) base.chop(3);
    static const QHash<QString, QString> twins = {
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
    };
    const QString twin = twins.value(base.toLower());
    if (twin.isEmpty()) return base;
    if (QFontDatabase::hasFamily(twin) || !QFontDatabase::hasFamily(base)) return twin;
    return base;
}

QFont physicalFont(const LayoutFont &font)
{
    QFont f(physicalFamily(font.family));
    f.setPixelSize(font.pixelSize);
    f.setBold(font.bold);
    const QString base = font.family.toLower();
    f.setStyleHint(base.startsWith(QLatin1String("courier")) ? QFont::TypeWriter
                   : base.startsWith(QLatin1String("times")) ? QFont::Serif
                                                             : QFont::SansSerif);
    f.setKerning(false);
    return f;
}

} // namespace report
