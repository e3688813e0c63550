#include "dataset_registry.h"

#include "data/data_files.h"
#include "data/table_layouts.h"
#include "data/template_folder.h"

#include "platform/db/dataset.h"
#include "platform/db/errors.h"
#include "platform/db/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

namespace app {

namespace {

const QString kData = QStringLiteral("Data");
const QString kUziv = QStringLiteral("Uziv");

// The registry tables of one data root, opened on first use and closed when this goes.
class RegistryTables {
public:
    explicit RegistryTables(const QString &dataRoot) : m_db(QStringLiteral("Registr"))
    {
        m_db.setDirectory(dataRoot);
        m_db.open();
    }
    ~RegistryTables()
    {
        m_uziv.reset();
        m_data.reset();
        m_db.close();
    }

    db::Table &data() { return table(m_data, kData, data::layoutData()); }
    db::Table &uziv() { return table(m_uziv, kUziv, data::layoutUziv()); }

private:
    db::Table &table(std::unique_ptr<db::Table> &slot, const QString &name, const db::TableDef &def)
    {
        if (!slot) {
            auto t = std::make_unique<db::Table>(name);
            t->setDatabase(&m_db);
            t->setTableName(name);
            t->setDefinition(def);
            t->open();
            slot = std::move(t);
        }
        return *slot;
    }

    db::Database m_db;
    std::unique_ptr<db::Table> m_data;
    std::unique_ptr<db::Table> m_uziv;
};

DataSetEntry entryOf(const db::Dataset &t)
{
    DataSetEntry e;
    e.cislo = int(t.fieldByName(QStringLiteral("Cislo")).asInteger());
    e.pozice = int(t.fieldByName(QStringLiteral("Pozice")).asInteger());
    e.nazev = t.fieldByName(QStringLiteral("Nazev")).asString();
    e.adresar = t.fieldByName(QStringLiteral("Adresar")).asString();
    return e;
}

std::vector<DataSetEntry> readAll(db::Table &t)
{
    std::vector<DataSetEntry> rows;
    for (t.first(); !t.eof(); t.next()) rows.push_back(entryOf(t));
    return rows;
}

// A registry folder may only name a data-set folder right under the data root, never the
// template folder nor anything outside the root.
bool isDataSetFolderName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char(':')) &&
           name.compare(data::templateFolderName(), Qt::CaseInsensitive) != 0;
}

QString folderOf(const QString &dataRoot, const DataSetEntry &e)
{
    const QString name = e.adresar.trimmed();
    if (!isDataSetFolderName(name)) return {};
    return QDir(dataRoot).filePath(name);
}

// Moves the Data row to the given number; false when there is none.
bool gotoNumber(db::Table &t, int cislo) { return t.locate(QStringLiteral("Cislo"), cislo); }

void checkName(const QString &name)
{
    if (name.size() > DatasetRegistry::kNameLength)
        throw db::DbError(db::ErrInvalidValue, QStringLiteral("Název může mít nejvýše %1 znaků.").arg(DatasetRegistry::kNameLength));
}

// Deletes the files of a data set that the program knows; what cannot be deleted stays.
void removeDataSetFiles(const QString &folder, const QString &folderName)
{
    const QDir dir(folder);
    for (const QString &f : data::dataFiles()) QFile::remove(dir.filePath(f));
    QFile::remove(dir.filePath(folderName + QStringLiteral(".ini")));
    QFile::remove(dir.filePath(QStringLiteral("Pdoxusrs.lck")));
    QFile::remove(dir.filePath(QStringLiteral("Paradox.lck")));
    QFile::remove(dir.filePath(db::folderlock::lockFileName()));
}

// Replaces target by source so that the target is either the old or the complete new file.
bool replaceFile(const QString &source, const QString &target)
{
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(source, part)) return false;
    if (target.endsWith(QLatin1String(".DB"), Qt::CaseInsensitive)) QFile::remove(target + QStringLiteral("-journal"));
    if ((QFileInfo::exists(target) && !QFile::remove(target)) || !QFile::rename(part, target)) {
        QFile::remove(part);
        return false;
    }
    return true;
}

} // namespace

DatasetRegistry::DatasetRegistry(const QString &dataRoot) : m_dataRoot(QDir::cleanPath(QDir::fromNativeSeparators(dataRoot))) {}

void DatasetRegistry::ensure()
{
    data::ensureTemplateFolder(m_dataRoot);
    data::ensureRegistry(m_dataRoot);

    // A Uziv that cannot be opened is replaced by the template's empty one.
    try {
        RegistryTables(m_dataRoot).uziv();
    } catch (const db::DbError &e) {
        if (e.code() == db::ErrBusy) throw;
        for (const QString &f : data::layoutUziv().fileNames())
            if (!data::copyFromTemplate(m_dataRoot, f, m_dataRoot))
                throw db::DbError(db::ErrIo, QStringLiteral("Soubor %1 nelze zapsat.")
                                                 .arg(QDir::toNativeSeparators(QDir(m_dataRoot).filePath(f))));
    }

    try {
        RegistryTables(m_dataRoot).data();
    } catch (const db::DbError &e) {
        if (e.code() != db::ErrFieldMissing) throw;
        upgradeDataLayout();
    }
}

// The older registry has no Pozice. Its rows are carried into a new table built in a work
// folder beside it (Pozice := Cislo), which then replaces the old files.
void DatasetRegistry::upgradeDataLayout()
{
    if (db::folderlock::heldElsewhere(m_dataRoot))
        throw db::DbError(db::ErrBusy, QStringLiteral("Seznam Velorad právě používá jiný uživatel, nelze jej převést."));

    const db::TableDef &layout = data::layoutData();
    std::vector<DataSetEntry> rows;
    {
        db::Database root(QStringLiteral("Registr"));
        root.setDirectory(m_dataRoot);
        db::Table old(QStringLiteral("AutoP1"));
        old.setDatabase(&root);
        old.setTableName(kData);
        old.setDefinition(data::partialLayout(layout, {QStringLiteral("Cislo"), QStringLiteral("Nazev"), QStringLiteral("Adresar")}));
        old.open();
        for (old.first(); !old.eof(); old.next()) {
            DataSetEntry e;
            e.cislo = int(old.fieldByName(QStringLiteral("Cislo")).asInteger());
            e.pozice = e.cislo;
            e.nazev = old.fieldByName(QStringLiteral("Nazev")).asString();
            e.adresar = old.fieldByName(QStringLiteral("Adresar")).asString();
            rows.push_back(e);
        }
        old.close();
    }

    QTemporaryDir work(QDir(m_dataRoot).filePath(QStringLiteral("Data.upgrade-XXXXXX")));
    if (!work.isValid())
        throw db::DbError(db::ErrIo, QStringLiteral("Ve složce %1 nelze vytvořit pracovní složku.").arg(QDir::toNativeSeparators(m_dataRoot)));
    {
        db::createTable(work.path(), data::storedLayout(layout));
        db::Database folder(QStringLiteral("Registr"));
        folder.setDirectory(work.path());
        db::Table fresh(QStringLiteral("AutoP2"));
        fresh.setDatabase(&folder);
        fresh.setTableName(kData);
        fresh.setDefinition(layout);
        fresh.open();
        for (const DataSetEntry &e : rows) {
            fresh.append();
            fresh.fieldByName(QStringLiteral("Cislo")).setAsInteger(e.cislo);
            fresh.fieldByName(QStringLiteral("Pozice")).setAsInteger(e.pozice);
            fresh.fieldByName(QStringLiteral("Nazev")).setAsString(e.nazev);
            fresh.fieldByName(QStringLiteral("Adresar")).setAsString(e.adresar);
            fresh.post();
        }
        fresh.close();
    }
    // The table file goes last, so a failure leaves the old table readable.
    QStringList files = layout.fileNames();
    const QString dbFile = layout.name + QStringLiteral(".DB");
    files.removeAll(dbFile);
    files << dbFile;
    for (const QString &f : files)
        if (!replaceFile(QDir(work.path()).filePath(f), QDir(m_dataRoot).filePath(f)))
            throw db::DbError(db::ErrIo, QStringLiteral("Soubor %1 nelze zapsat.")
                                             .arg(QDir::toNativeSeparators(QDir(m_dataRoot).filePath(f))));
}

bool DatasetRegistry::exists() const { return QFileInfo::exists(QDir(m_dataRoot).filePath(QStringLiteral("Data.DB"))); }

std::vector<DataSetEntry> DatasetRegistry::list() const
{
    RegistryTables reg(m_dataRoot);
    return readAll(reg.data());
}

std::vector<DataSetEntry> DatasetRegistry::listByPosition() const
{
    RegistryTables reg(m_dataRoot);
    db::Table &t = reg.data();
    t.setIndexFieldNames(QStringLiteral("Pozice"));
    return readAll(t);
}

std::optional<DataSetEntry> DatasetRegistry::find(int cislo) const
{
    RegistryTables reg(m_dataRoot);
    db::Table &t = reg.data();
    if (!gotoNumber(t, cislo)) return std::nullopt;
    return entryOf(t);
}

QString DatasetRegistry::folderPath(int cislo) const
{
    const auto e = find(cislo);
    return e ? folderOf(m_dataRoot, *e) : QString();
}

int DatasetRegistry::newNumberFor(const std::vector<int> &numbersInWalkOrder)
{
    int number = int(numbersInWalkOrder.size()) + 1;
    int i = 0;
    for (int cislo : numbersInWalkOrder) {
        ++i;
        if (i < cislo) {
            number = i;
            break;
        }
    }
    if (std::find(numbersInWalkOrder.begin(), numbersInWalkOrder.end(), number) != numbersInWalkOrder.end())
        number = *std::max_element(numbersInWalkOrder.begin(), numbersInWalkOrder.end()) + 1;
    return number;
}

int DatasetRegistry::newNumber() const
{
    std::vector<int> numbers;
    for (const DataSetEntry &e : list()) numbers.push_back(e.cislo);
    return newNumberFor(numbers);
}

QString DatasetRegistry::createDataSet(const QString &name, std::optional<int> ownPosition, int *createdNumber)
{
    checkName(name);
    RegistryTables reg(m_dataRoot);
    db::Table &t = reg.data();

    // Another program may take the same number between the count and the post: count again.
    int number = 0;
    for (int attempt = 0;; ++attempt) {
        t.refresh();
        std::vector<int> numbers;
        for (const DataSetEntry &e : readAll(t)) numbers.push_back(e.cislo);
        number = newNumberFor(numbers);
        t.append();
        try {
            t.fieldByName(QStringLiteral("Cislo")).setAsInteger(number);
            t.fieldByName(QStringLiteral("Pozice")).setAsInteger(ownPosition ? *ownPosition : number);
            t.fieldByName(QStringLiteral("Nazev")).setAsString(name);
            t.fieldByName(QStringLiteral("Adresar")).setAsString(QStringLiteral("D%1").arg(number));
            t.post();
            break;
        } catch (const db::DbError &e) {
            t.cancel();
            if (e.code() != db::ErrKeyViolation || attempt >= 4) throw;
        } catch (...) {
            t.cancel();
            throw;
        }
    }

    const QString folderName = QStringLiteral("D%1").arg(number);
    const QDir root(m_dataRoot);
    const QString folder = root.filePath(folderName);
    QStringList copied;
    QString failure;
    if (!root.mkpath(folderName)) {
        failure = QStringLiteral("Složku %1 nelze vytvořit.").arg(QDir::toNativeSeparators(folder));
    } else {
        for (const QString &f : data::dataFiles()) {
            if (!data::copyFromTemplate(m_dataRoot, f, folder)) {
                failure = QStringLiteral("Soubor %1 vzoru nelze zkopírovat do složky %2.")
                              .arg(f, QDir::toNativeSeparators(folder));
                break;
            }
            copied << f;
        }
    }
    if (!failure.isEmpty()) {
        for (const QString &f : copied) QFile::remove(QDir(folder).filePath(f));
        root.rmdir(folderName);
        if (gotoNumber(t, number)) t.deleteRecord();
        throw db::DbError(db::ErrIo, QStringLiteral("Nové Velorad %1 nelze vytvořit. %2").arg(name, failure));
    }
    if (createdNumber) *createdNumber = number;
    return folderName;
}

bool DatasetRegistry::deleteDataSet(int cislo)
{
    RegistryTables reg(m_dataRoot);
    db::Table &data = reg.data();
    if (!gotoNumber(data, cislo)) return false;
    const DataSetEntry entry = entryOf(data);
    const QString folder = folderOf(m_dataRoot, entry);

    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        if (db::folderlock::heldElsewhere(folder)) throw db::DbError(db::ErrBusy, busyMessage());
        removeDataSetFiles(folder, entry.adresar.trimmed());
    }

    db::Table &uziv = reg.uziv();
    while (uziv.locate(QStringLiteral("Cislo"), cislo)) uziv.deleteRecord();
    if (gotoNumber(data, cislo)) data.deleteRecord();

    if (!folder.isEmpty()) QDir(m_dataRoot).rmdir(entry.adresar.trimmed());
    return true;
}

bool DatasetRegistry::isBusy(int cislo) const
{
    const QString folder = folderPath(cislo);
    if (folder.isEmpty() || !QFileInfo::exists(QDir(folder).filePath(QStringLiteral("Modf.DB")))) return false;
    return db::folderlock::heldElsewhere(folder);
}

DatasetRegistry::Access DatasetRegistry::checkAccess(int cislo) const
{
    const QString folder = folderPath(cislo);
    if (!folder.isEmpty()) removeStaleLockFiles(folder);
    if (isBusy(cislo)) return Access::Busy;
    return hasPassword(cislo) ? Access::PasswordRequired : Access::Free;
}

QString DatasetRegistry::password(int cislo) const
{
    RegistryTables reg(m_dataRoot);
    db::Table &uziv = reg.uziv();
    if (!uziv.locate(QStringLiteral("Cislo"), cislo)) return {};
    return uziv.fieldByName(QStringLiteral("Heslo")).asString();
}

bool DatasetRegistry::checkPassword(int cislo, const QString &typed) const
{
    const QString stored = password(cislo);
    return stored.isEmpty() || typed == stored;
}

void DatasetRegistry::setPassword(int cislo, const QString &password)
{
    if (password.size() > kPasswordLength)
        throw db::DbError(db::ErrInvalidValue, QStringLiteral("Heslo může mít nejvýše %1 znaků.").arg(kPasswordLength));
    RegistryTables reg(m_dataRoot);
    db::Table &uziv = reg.uziv();
    try {
        if (uziv.locate(QStringLiteral("Cislo"), cislo)) {
            uziv.edit();
        } else {
            uziv.append();
            uziv.fieldByName(QStringLiteral("Cislo")).setAsInteger(cislo);
        }
        uziv.fieldByName(QStringLiteral("Heslo")).setAsString(password);
        uziv.post();
    } catch (...) {
        uziv.cancel();
        throw;
    }
}

void DatasetRegistry::rename(int cislo, const QString &name)
{
    checkName(name);
    RegistryTables reg(m_dataRoot);
    db::Table &t = reg.data();
    if (!gotoNumber(t, cislo)) return;
    try {
        t.edit();
        t.fieldByName(QStringLiteral("Nazev")).setAsString(name);
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
}

void DatasetRegistry::setPositions(const std::vector<int> &numbersInOrder)
{
    RegistryTables reg(m_dataRoot);
    db::Table &t = reg.data();
    int position = 0;
    for (int cislo : numbersInOrder) {
        ++position;
        if (!gotoNumber(t, cislo)) continue;
        t.edit();
        t.fieldByName(QStringLiteral("Pozice")).setAsInteger(position);
        t.post();
    }
}

void DatasetRegistry::clearOwnOrdering()
{
    RegistryTables reg(m_dataRoot);
    db::Table &t = reg.data();
    for (t.first(); !t.eof(); t.next()) {
        t.edit();
        t.fieldByName(QStringLiteral("Pozice")).setAsInteger(t.fieldByName(QStringLiteral("Cislo")).asInteger());
        t.post();
    }
}

void DatasetRegistry::removeStaleLockFiles(const QString &folder)
{
    const QDir dir(folder);
    if (QFile::remove(dir.filePath(QStringLiteral("Pdoxusrs.lck")))) QFile::remove(dir.filePath(QStringLiteral("Paradox.lck")));
}

QString DatasetRegistry::busyMessage() { return QStringLiteral("Tyto Velorad právě zpracovává jiný uživatel."); }

QString DatasetRegistry::wrongPasswordMessage() { return QStringLiteral("Neplatné heslo pro tyto Velorad."); }

QString DatasetRegistry::emptyRegistryMessage()
{
    return QStringLiteral("Nejsou k dispozici žádné Velorad. Spusťte akci nové Velorad.");
}

} // namespace app
