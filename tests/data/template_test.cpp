#include "data/data_files.h"
#include "data/data_module.h"
#include "support/test_support.h"
#include "data/table_layouts.h"
#include "data/template_folder.h"
#include "support/test_support.h"

#include "platform/db/dataset.h"
#include "platform/db/session.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <sqlite3.h>


namespace {

QSet<QString> filesIn(const QString &folder)
{
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    return QSet<QString>(names.begin(), names.end());
}

// The lock file stays in a folder once tables of it have been open.
QSet<QString> withoutLock(QSet<QString> files)
{
    files.remove(db::folderlock::lockFileName());
    return files;
}

QSet<QString> templateFiles()
{
    QStringList all = data::dataFiles();
    all << data::registryFiles();
    return QSet<QString>(all.begin(), all.end());
}

// Runs one query on a table file with the plain SQLite library and returns the first row.
QVariantList rawRow(const QString &dbFile, const QString &sql)
{
    sqlite3 *db = nullptr;
    QVariantList row;
    if (sqlite3_open_v2(QFile::encodeName(dbFile).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                switch (sqlite3_column_type(st, i)) {
                case SQLITE_INTEGER: row << QVariant(qint64(sqlite3_column_int64(st, i))); break;
                case SQLITE_NULL: row << QVariant(); break;
                default: row << QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i))));
                }
            }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return row;
}

// Opens a table of a folder on its own connection.
struct OpenTable {
    OpenTable(const QString &folder, const db::TableDef &def) : database(QStringLiteral("Test")), table(def.name)
    {
        database.setDirectory(folder);
        table.setDatabase(&database);
        table.setDefinition(data::storedLayout(def));
        table.open();
    }
    db::Database database;
    db::Table table;
};

TEST(TemplateFolder, HoldsTheFortyEightFilesAndTheRegistryAndNothingElse)
{
    testsupport::TempDir root;
    data::ensureTemplateFolder(root.path());
    EXPECT_EQ(data::templateFolder(root.path()), QDir(root.path()).filePath(QStringLiteral("Data")));
    EXPECT_EQ(filesIn(data::templateFolder(root.path())), templateFiles());
    EXPECT_EQ(filesIn(root.path()), QSet<QString>{QStringLiteral("Data")}); // no work folder left behind
}

TEST(TemplateFolder, SettingsTablesHoldOneRowWithTheFirstValues)
{
    testsupport::TempDir root;
    data::ensureTemplateFolder(root.path());
    const QString folder = data::templateFolder(root.path());
    struct Case {
        const db::TableDef &def;
        std::vector<std::pair<const char *, QVariant>> values; // booleans not listed must be false
    };
    const Case cases[] = {
        {data::layoutMtt(),
         {{"Kop", 1}, {"Vh", 0}, {"Vl", 0}, {"P", 0}, {"Pc", 0}, {"Pcc", 1}, {"Pcc1", 1}, {"Pcc2", 99999},
          {"Trh1", QStringLiteral("vybraný příkaz")}, {"Strc", true}, {"Prh1", true}, {"Dz", QVariant()},
          {"Fa", QVariant()}, {"Kod", QVariant()}}},
        {data::layoutModf(),
         {{"K", QStringLiteral("dd.mm.yyyy")}, {"Uh", QStringLiteral("1")}, {"Ik", QStringLiteral("2")},
          {"Fa", QVariant()}, {"D1", QVariant()}, {"D3", QVariant()}}},
        {data::layoutPmt(), {{"Uh", QStringLiteral("1")}, {"Ik", QStringLiteral("2")}, {"Fa", QVariant()}, {"Da", QVariant()}}},
    };
    for (const Case &c : cases) {
        OpenTable t(folder, c.def);
        ASSERT_EQ(t.table.recordCount(), 1) << qPrintable(c.def.name);
        QSet<QString> listed;
        for (const auto &[name, expected] : c.values) {
            const db::Field &f = t.table.fieldByName(QLatin1String(name));
            listed << f.fieldName();
            if (!expected.isValid()) {
                EXPECT_TRUE(f.isNull()) << name;
            } else if (f.dataType() == db::FieldType::Boolean) {
                EXPECT_EQ(f.asBoolean(), expected.toBool()) << name;
            } else if (f.dataType() == db::FieldType::Text) {
                EXPECT_EQ(f.asString(), expected.toString()) << name;
            } else {
                EXPECT_EQ(f.asInteger(), expected.toLongLong()) << name;
            }
        }
        for (const auto &f : t.table.fields())
            if (f->dataType() == db::FieldType::Boolean && !listed.contains(f->fieldName())) {
                EXPECT_FALSE(f->isNull()) << qPrintable(c.def.name + "." + f->fieldName());
                EXPECT_FALSE(f->asBoolean()) << qPrintable(c.def.name + "." + f->fieldName());
            }
    }
    // The other tables are empty.
    for (const db::TableDef *def : data::companyTables()) {
        if (def->name == QLatin1String("Mtt") || def->name == QLatin1String("Modf") || def->name == QLatin1String("Pmt")) continue;
        OpenTable t(folder, *def);
        EXPECT_EQ(t.table.recordCount(), 0) << qPrintable(def->name);
    }
}

TEST(TemplateFolder, StoredFormIsTheDocumentedOne)
{
    testsupport::TempDir root;
    data::ensureTemplateFolder(root.path());
    const QString folder = data::templateFolder(root.path());
    // Booleans are 0/1 (never NULL), numbers integers, empty texts and dates NULL.
    const QVariantList mtt = rawRow(folder + QStringLiteral("/Mtt.DB"),
                                    QStringLiteral("SELECT Kop, Strc, Za1, Trh1, Dz, Fa FROM Mtt"));
    EXPECT_EQ(mtt, (QVariantList{qint64(1), qint64(1), qint64(0), QStringLiteral("vybraný příkaz"), QVariant(), QVariant()}));
    const QVariantList types = rawRow(folder + QStringLiteral("/Mbz.DB"),
                                      QStringLiteral("SELECT (SELECT type FROM pragma_table_info('Mbz') WHERE name = 'Ca'),"
                                                     " (SELECT type FROM pragma_table_info('Mbz') WHERE name = 'Na'),"
                                                     " (SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name = 'Mbz_Ospl')"));
    EXPECT_EQ(types, (QVariantList{QStringLiteral("MONEY"), QStringLiteral("CHAR(49)"), qint64(1)}));
    QFile px(folder + QStringLiteral("/Mbz.XG0"));
    ASSERT_TRUE(px.open(QIODevice::ReadOnly));
    const QString descriptor = QString::fromUtf8(px.readAll());
    EXPECT_TRUE(descriptor.contains(QStringLiteral("fields=O1;Spl\n"))) << qPrintable(descriptor);
}

TEST(TemplateFolder, RestoresMissingFilesAndLeavesTheOthersAlone)
{
    testsupport::TempDir root;
    data::ensureTemplateFolder(root.path());
    const QString folder = data::templateFolder(root.path());
    {
        OpenTable modf(folder, data::layoutModf());
        modf.table.edit();
        modf.table.fieldByName(QStringLiteral("Fa")).setAsString(QStringLiteral("Firma"));
        modf.table.post();
    }
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/Mbz.X02")));
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/Pmt.DB")));
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/Uziv.PX")));

    data::ensureTemplateFolder(root.path());
    EXPECT_EQ(withoutLock(filesIn(folder)), templateFiles());
    OpenTable modf(folder, data::layoutModf());
    EXPECT_EQ(modf.table.fieldByName(QStringLiteral("Fa")).asString(), QStringLiteral("Firma"));
    OpenTable pmt(folder, data::layoutPmt());
    EXPECT_EQ(pmt.table.recordCount(), 1);
}

TEST(TemplateFolder, RegistryIsCopiedIntoTheDataRootOnlyWhenMissing)
{
    testsupport::TempDir root;
    data::ensureRegistry(root.path());
    for (const QString &f : data::registryFiles()) EXPECT_TRUE(QFile::exists(root.file(f))) << qPrintable(f);
    {
        OpenTable reg(root.path(), data::layoutData());
        reg.table.append();
        reg.table.fieldByName(QStringLiteral("Cislo")).setAsInteger(3);
        reg.table.fieldByName(QStringLiteral("Adresar")).setAsString(QStringLiteral("D3"));
        reg.table.post();
    }
    ASSERT_TRUE(QFile::remove(root.file(QStringLiteral("Uziv.DB"))));
    data::ensureRegistry(root.path());
    OpenTable reg(root.path(), data::layoutData());
    EXPECT_EQ(reg.table.recordCount(), 1);
    OpenTable uziv(root.path(), data::layoutUziv());
    EXPECT_EQ(uziv.table.recordCount(), 0);
}

TEST(TemplateFolder, CopyFromTemplateOverwritesAndRefusesPaths)
{
    testsupport::TempDir root;
    data::ensureTemplateFolder(root.path());
    const QString target = root.file(QStringLiteral("D1"));
    ASSERT_TRUE(QDir().mkpath(target));
    // A damaged table with a journal of its own: the copy replaces both.
    for (const char *name : {"/Mtt.DB", "/Mtt.DB-journal"}) {
        QFile f(target + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a table");
    }
    EXPECT_TRUE(data::copyFromTemplate(root.path(), QStringLiteral("Mtt.DB"), target));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral("/Mtt.DB-journal")));
    {
        OpenTable mtt(target, data::layoutMtt());
        EXPECT_EQ(mtt.table.recordCount(), 1);
    }
    EXPECT_FALSE(data::copyFromTemplate(root.path(), QStringLiteral("../Data/Mtt.DB"), target));
    EXPECT_FALSE(data::copyFromTemplate(root.path(), QStringLiteral("Nic.DB"), target));
    EXPECT_FALSE(data::copyFromTemplate(root.path(), QStringLiteral("Mtt.DB"), root.file(QStringLiteral("D9"))));
    EXPECT_EQ(withoutLock(filesIn(target)), QSet<QString>{QStringLiteral("Mtt.DB")});
}

TEST(TemplateFolder, ADataSetMadeFromItOpensInTheDataModule)
{
    testsupport::TempDir root;
    data::ensureTemplateFolder(root.path());
    const QString folder = root.file(QStringLiteral("D1"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString &f : data::dataFiles()) ASSERT_TRUE(data::copyFromTemplate(root.path(), f, folder)) << qPrintable(f);

    data::TDM1 &dm = data::createDataModule();
    struct Cleanup {
        ~Cleanup() { data::destroyDataModule(); }
    } cleanup;
    dm.setDataSetFolder(folder);
    for (db::Dataset *ds : dm.datasets())
        if (ds->database() == &dm.Orvidas && ds != &dm.PrevodQr && ds != &dm.PrevQr1) {
            EXPECT_NO_THROW(ds->open()) << qPrintable(ds->objectName());
        }
    EXPECT_EQ(dm.MttKop->asInteger(), 1);
    EXPECT_EQ(dm.ModfK->asString(), QStringLiteral("dd.mm.yyyy"));

    // The payment lookups follow Mbz.Pc into Mbzp.
    dm.Mbzp.append();
    dm.MbzpPc->setAsInteger(3);
    dm.MbzpKti->setAsString(QStringLiteral("T1"));
    dm.MbzpP->setAsInteger(2);
    dm.Mbzp.post();
    dm.Mbz.append();
    dm.MbzPc->setAsInteger(3);
    EXPECT_EQ(dm.MbzKti->asString(), QStringLiteral("T1"));
    EXPECT_EQ(dm.MbzP3->asInteger(), 2);
    dm.MbzPc->setAsInteger(4);
    EXPECT_TRUE(dm.MbzKti->isNull());
    dm.Mbz.cancel();

    dm.closeDataSet();
    for (db::Dataset *ds : dm.datasets()) EXPECT_FALSE(ds->active()) << qPrintable(ds->objectName());
}

} // namespace
