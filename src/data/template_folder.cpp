#include "template_folder.h"

#include "data_files.h"
#include "table_layouts.h"

#include "platform/db/dataset.h"
#include "platform/db/errors.h"
#include "platform/db/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QVariant>
#include <utility>
#include <vector>

namespace data {

namespace {

using FirstValues = std::vector<std::pair<const char *, QVariant>>;

// The single rows of the settings tables as a new data set gets them. Booleans not named
// here are false; texts and dates not named here are empty.
FirstValues firstRowOf(const QString &table)
{
    if (table == QLatin1String("Mtt"))
        return {
            {"P", 0},
            {"Pc", 0},          // own account 0: the account of one-account operation
            {"Vh", 0},
            {"Vl", 0},
            {"Kop", 1},
            {"Pcc1", 1},        // obligation reports by number: all numbers
            {"Pcc2", 99999},
            {"Pcc", 1},         // the first obligation gets number 1
            {"Strc", true},
            {"Prh1", true},
            {"Trh1", QStringLiteral("vybraný příkaz")},
        };
    if (table == QLatin1String("Modf"))
        return {
            {"K", QStringLiteral("dd.mm.yyyy")},
            {"Uh", QStringLiteral("1")},
            {"Ik", QStringLiteral("2")},
        };
    if (table == QLatin1String("Pmt"))
        return {
            {"Uh", QStringLiteral("1")},
            {"Ik", QStringLiteral("2")},
        };
    return {};
}

bool hasFirstRow(const QString &table)
{
    return table == QLatin1String("Mtt") || table == QLatin1String("Modf") || table == QLatin1String("Pmt");
}

// Writes the single row of a settings table through a table object, so the field rules on
// types and ranges apply.
void writeFirstRow(db::Database &folder, const db::TableDef &def)
{
    db::Table t(def.name);
    t.setDatabase(&folder);
    t.setDefinition(def);
    t.open();
    try {
        t.append();
        for (const auto &f : t.fields())
            if (f->dataType() == db::FieldType::Boolean) f->setAsBoolean(false);
        for (const auto &[name, value] : firstRowOf(def.name)) t.fieldByName(QLatin1String(name)).setValue(value);
        t.post();
    } catch (...) {
        t.close();
        throw;
    }
    t.close();
}

std::vector<const db::TableDef *> templateTables()
{
    std::vector<const db::TableDef *> tables = companyTables();
    for (const db::TableDef *t : registryTables()) tables.push_back(t);
    return tables;
}

bool isBareFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

// Replaces target by source: the new file is complete before the old one goes.
bool replaceFile(const QString &source, const QString &target, bool move)
{
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    if (move ? !QFile::rename(source, part) : !QFile::copy(source, part)) return false;
    QFile copy(part);
    copy.setPermissions(copy.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    // A journal left beside the old table would be rolled back into the new one.
    if (target.endsWith(QLatin1String(".DB"), Qt::CaseInsensitive)) QFile::remove(target + QStringLiteral("-journal"));
    if (QFileInfo::exists(target) && !QFile::remove(target)) {
        QFile::remove(part);
        return false;
    }
    if (!QFile::rename(part, target)) {
        QFile::remove(part);
        return false;
    }
    return true;
}

} // namespace

QString templateFolderName() { return QStringLiteral("Data"); }

QString templateFolder(const QString &dataRoot) { return QDir(dataRoot).filePath(templateFolderName()); }

void ensureTemplateFolder(const QString &dataRoot)
{
    const QDir folder(templateFolder(dataRoot));
    if (!QDir().mkpath(folder.path()))
        throw db::DbError(db::ErrIo, QStringLiteral("Složku %1 nelze vytvořit.").arg(QDir::toNativeSeparators(folder.path())));

    std::vector<std::pair<const db::TableDef *, QStringList>> incomplete;
    for (const db::TableDef *def : templateTables()) {
        QStringList missing;
        for (const QString &f : def->fileNames())
            if (!folder.exists(f)) missing << f;
        if (!missing.isEmpty()) incomplete.emplace_back(def, missing);
    }
    if (incomplete.empty()) return;

    // Missing tables are made whole in a work folder beside the template and then moved in,
    // their .DB last: a table file in the template folder is always complete, first row included.
    QTemporaryDir work(QDir(dataRoot).filePath(templateFolderName() + QStringLiteral(".new-XXXXXX")));
    if (!work.isValid())
        throw db::DbError(db::ErrIo, QStringLiteral("Ve složce %1 nelze vytvořit pracovní složku.").arg(QDir::toNativeSeparators(dataRoot)));
    db::Database workFolder(QStringLiteral("TemplateWork"));
    workFolder.setDirectory(work.path());
    for (const auto &[def, missing] : incomplete) {
        const db::TableDef stored = storedLayout(*def);
        db::createTable(work.path(), stored);
        if (hasFirstRow(def->name)) writeFirstRow(workFolder, stored);
        QStringList order = missing;
        const QString dbFile = def->name + QStringLiteral(".DB");
        if (order.removeAll(dbFile)) order << dbFile;
        for (const QString &f : order)
            if (!replaceFile(QDir(work.path()).filePath(f), folder.filePath(f), true))
                throw db::DbError(db::ErrIo, QStringLiteral("Soubor %1 nelze zapsat.").arg(QDir::toNativeSeparators(folder.filePath(f))));
    }
}

void ensureRegistry(const QString &dataRoot)
{
    ensureTemplateFolder(dataRoot);
    const QDir root(dataRoot);
    for (const QString &f : registryFiles())
        if (!root.exists(f) && !copyFromTemplate(dataRoot, f, dataRoot))
            throw db::DbError(db::ErrIo, QStringLiteral("Soubor %1 nelze zapsat.").arg(QDir::toNativeSeparators(root.filePath(f))));
}

bool copyFromTemplate(const QString &dataRoot, const QString &fileName, const QString &targetFolder)
{
    if (!isBareFileName(fileName) || !QFileInfo(targetFolder).isDir()) return false;
    const QString source = QDir(templateFolder(dataRoot)).filePath(fileName);
    if (!QFileInfo(source).isFile()) return false;
    return replaceFile(source, QDir(targetFolder).filePath(fileName), false);
}

} // namespace data
