#include "app/dataset_registry.h"
#include "data/data_files.h"
#include "data/table_layouts.h"
#include "data/template_folder.h"
#include "platform/db/dataset.h"
#include "platform/db/errors.h"
#include "platform/db/session.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <algorithm>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace app {
void PrintTo(const DataSetEntry &e, std::ostream *os)
{
    *os << e.cislo << "/" << e.pozice << "/" << e.nazev.toStdString() << "/" << e.adresar.toStdString();
}
} // namespace app

namespace {

using app::DataSetEntry;
using app::DatasetRegistry;

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QStringList filesIn(const QString &folder)
{
    return sorted(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System));
}

// Appends rows to the registry table Data of a data root as another writer would.
void appendRows(const QString &root, const std::vector<DataSetEntry> &rows, const db::TableDef &def = data::layoutData())
{
    db::Database folder(QStringLiteral("Test"));
    folder.setDirectory(root);
    db::Table t(QStringLiteral("Data"));
    t.setDatabase(&folder);
    t.setTableName(QStringLiteral("Data"));
    t.setDefinition(def);
    t.open();
    for (const DataSetEntry &e : rows) {
        t.append();
        t.fieldByName(QStringLiteral("Cislo")).setAsInteger(e.cislo);
        if (t.findField(QStringLiteral("Pozice"))) t.fieldByName(QStringLiteral("Pozice")).setAsInteger(e.pozice);
        t.fieldByName(QStringLiteral("Nazev")).setAsString(e.nazev);
        t.fieldByName(QStringLiteral("Adresar")).setAsString(e.adresar);
        t.post();
    }
    t.close();
}

int uzivRows(const QString &root)
{
    db::Database folder(QStringLiteral("Test"));
    folder.setDirectory(root);
    db::Table t(QStringLiteral("Uziv"));
    t.setDatabase(&folder);
    t.setTableName(QStringLiteral("Uziv"));
    t.setDefinition(data::layoutUziv());
    t.open();
    return t.recordCount();
}

void writeFile(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

std::vector<int> numbers(const std::vector<DataSetEntry> &rows)
{
    std::vector<int> n;
    for (const DataSetEntry &e : rows) n.push_back(e.cislo);
    return n;
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { m_registry.ensure(); }
    QString folder(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

    testsupport::TempDir m_dir;
    DatasetRegistry m_registry{m_dir.path()};
};

TEST(NewNumberRule, WalksTheNumbersForTheLowestGap)
{
    struct Case {
        std::vector<int> walk;
        int expected;
    };
    const Case cases[] = {
        {{1, 2, 4}, 3},
        {{1, 2, 3}, 4},
        {{}, 1},
        {{2, 3}, 1},
        {{1, 5, 6, 9}, 2},
        // The walk finds 2 below the row numbered 3, but 2 is taken further on: highest + 1.
        {{1, 3, 2}, 4},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(DatasetRegistry::newNumberFor(c.walk), c.expected) << "case with " << c.walk.size() << " rows";
    }
}

TEST(RegistryNumbering, NewDataSetTakesTheLowestFreeNumber)
{
    struct Case {
        std::vector<int> rows;
        int expected;
    };
    const Case cases[] = {{{4, 1, 2}, 3}, {{3, 1, 2}, 4}, {{}, 1}};
    for (const Case &c : cases) {
        testsupport::TempDir dir;
        DatasetRegistry registry(dir.path());
        registry.ensure();
        std::vector<DataSetEntry> rows;
        for (int n : c.rows) rows.push_back({n, n, QStringLiteral("F%1").arg(n), QStringLiteral("D%1").arg(n)});
        appendRows(dir.path(), rows);
        EXPECT_EQ(registry.newNumber(), c.expected);
        int created = 0;
        EXPECT_EQ(registry.createDataSet(QStringLiteral("Nová"), std::nullopt, &created), QStringLiteral("D%1").arg(c.expected));
        EXPECT_EQ(created, c.expected);
    }
}

TEST_F(RegistryTest, CreateCopiesExactlyTheDataFilesAndAppendsTheRow)
{
    EXPECT_TRUE(m_registry.isEmpty());
    EXPECT_EQ(m_registry.createDataSet(QStringLiteral("Účetní kancelář")), QStringLiteral("D1"));
    EXPECT_EQ(filesIn(folder(QStringLiteral("D1"))), sorted(data::dataFiles()));
    for (const QString &f : data::dataFiles()) {
        QFile copy(folder(QStringLiteral("D1/") + f));
        QFile original(QDir(data::templateFolder(m_dir.path())).filePath(f));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly)) << f.toStdString();
        EXPECT_EQ(copy.readAll(), original.readAll()) << f.toStdString();
    }
    const std::vector<DataSetEntry> expected{{1, 1, QStringLiteral("Účetní kancelář"), QStringLiteral("D1")}};
    EXPECT_EQ(m_registry.list(), expected);
    EXPECT_EQ(m_registry.folderPath(1), folder(QStringLiteral("D1")));
}

TEST_F(RegistryTest, OwnOrderingPositionsAndTheirClearing)
{
    m_registry.createDataSet(QStringLiteral("A"));
    m_registry.createDataSet(QStringLiteral("B"));
    // Under own ordering the new data set takes the position of the current one (1).
    m_registry.createDataSet(QStringLiteral("C"), 1);
    EXPECT_EQ(m_registry.find(3)->pozice, 1);
    EXPECT_EQ(numbers(m_registry.listByPosition()), (std::vector<int>{1, 3, 2}));

    m_registry.setPositions({2, 3, 1});
    EXPECT_EQ(numbers(m_registry.listByPosition()), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(numbers(m_registry.list()), (std::vector<int>{1, 2, 3}));

    m_registry.clearOwnOrdering();
    for (const DataSetEntry &e : m_registry.list()) EXPECT_EQ(e.pozice, e.cislo);
}

TEST_F(RegistryTest, RefusedNameOrFailedCopyLeavesNothingBehind)
{
    EXPECT_THROW(m_registry.createDataSet(QStringLiteral("Jméno delší než dvacet")), db::DbError);
    ASSERT_TRUE(QFile::remove(QDir(data::templateFolder(m_dir.path())).filePath(QStringLiteral("Pbz.PX"))));
    try {
        m_registry.createDataSet(QStringLiteral("Firma"));
        FAIL() << "a template file is missing";
    } catch (const db::DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Pbz.PX"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("nelze"))) << e.message().toStdString();
    }
    EXPECT_TRUE(m_registry.list().empty());
    EXPECT_FALSE(QFileInfo::exists(folder(QStringLiteral("D1"))));
}

TEST_F(RegistryTest, DeleteRemovesFilesRowsAndFolder)
{
    m_registry.createDataSet(QStringLiteral("První"));
    m_registry.createDataSet(QStringLiteral("Druhá"));
    m_registry.setPassword(1, QStringLiteral("heslo"));
    const QString d1 = folder(QStringLiteral("D1"));
    writeFile(d1 + QStringLiteral("/D1.ini"));
    writeFile(d1 + QStringLiteral("/Pdoxusrs.lck"));
    writeFile(d1 + QStringLiteral("/Paradox.lck"));
    {   // Using a table leaves the engine's lock file in the folder.
        db::Database set(QStringLiteral("Test"));
        set.setDirectory(d1);
        db::Table modf(QStringLiteral("Modf"));
        modf.setDatabase(&set);
        modf.setTableName(QStringLiteral("Modf"));
        modf.setDefinition(data::layoutModf());
        modf.open();
    }
    ASSERT_TRUE(QFileInfo::exists(QDir(d1).filePath(db::folderlock::lockFileName())));

    EXPECT_TRUE(m_registry.deleteDataSet(1));
    EXPECT_FALSE(QFileInfo::exists(d1));
    EXPECT_EQ(numbers(m_registry.list()), (std::vector<int>{2}));
    EXPECT_EQ(uzivRows(m_dir.path()), 0);
    EXPECT_FALSE(m_registry.deleteDataSet(1));

    // A file the program does not know keeps the folder; the row goes anyway.
    const QString d2 = folder(QStringLiteral("D2"));
    writeFile(d2 + QStringLiteral("/poznamky.txt"));
    EXPECT_TRUE(m_registry.deleteDataSet(2));
    EXPECT_EQ(filesIn(d2), QStringList{QStringLiteral("poznamky.txt")});
    EXPECT_TRUE(m_registry.list().empty());
    // The template folder is untouched.
    EXPECT_EQ(m_registry.createDataSet(QStringLiteral("Třetí")), QStringLiteral("D1"));
}

TEST_F(RegistryTest, RowNamingTheTemplateFolderNeverDeletesTheTemplate)
{
    appendRows(m_dir.path(), {{5, 5, QStringLiteral("Vzor"), QStringLiteral("Data")}});
    EXPECT_TRUE(m_registry.folderPath(5).isEmpty());
    EXPECT_TRUE(m_registry.deleteDataSet(5));
    EXPECT_TRUE(QFileInfo::exists(QDir(data::templateFolder(m_dir.path())).filePath(QStringLiteral("Mbz.DB"))));
}

TEST_F(RegistryTest, BusyWhileAnotherProcessHoldsATableUntilItIsKilled)
{
    m_registry.createDataSet(QStringLiteral("Sdílená"));
    m_registry.createDataSet(QStringLiteral("Volná"));
    const QString d1 = folder(QStringLiteral("D1"));

    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The holder: another program with the data set open.
        char status = 'E';
        try {
            db::Database set(QStringLiteral("Orvidas"));
            set.setDirectory(d1);
            db::Table mbz(QStringLiteral("Mbz"));
            mbz.setDatabase(&set);
            mbz.setTableName(QStringLiteral("Mbz"));
            mbz.setDefinition(data::layoutMbz());
            mbz.open();
            status = 'R';
            (void)!write(ready[1], &status, 1);
            for (;;) pause();
        } catch (...) {
        }
        (void)!write(ready[1], &status, 1);
        _exit(1);
    }
    close(ready[1]);
    pollfd p{ready[0], POLLIN, 0};
    char status = 0;
    ASSERT_EQ(poll(&p, 1, 20000), 1);
    ASSERT_EQ(read(ready[0], &status, 1), 1);
    close(ready[0]);
    ASSERT_EQ(status, 'R');

    EXPECT_TRUE(m_registry.isBusy(1));
    EXPECT_FALSE(m_registry.isBusy(2));
    EXPECT_EQ(m_registry.checkAccess(1), DatasetRegistry::Access::Busy);
    try {
        m_registry.deleteDataSet(1);
        ADD_FAILURE() << "a busy data set was deleted";
    } catch (const db::DbError &e) {
        EXPECT_EQ(e.code(), db::ErrBusy);
        EXPECT_EQ(e.message(), DatasetRegistry::busyMessage());
    }
    EXPECT_EQ(filesIn(d1).size(), data::dataFiles().size() + 1); // the lock file besides
    EXPECT_TRUE(m_registry.find(1).has_value());

    kill(child, SIGKILL);
    int wstatus = 0;
    ASSERT_EQ(waitpid(child, &wstatus, 0), child);
    EXPECT_FALSE(m_registry.isBusy(1));
    EXPECT_EQ(m_registry.checkAccess(1), DatasetRegistry::Access::Free);
    EXPECT_TRUE(m_registry.deleteDataSet(1));
    EXPECT_FALSE(QFileInfo::exists(d1));
}

TEST_F(RegistryTest, PasswordIsComparedExactly)
{
    m_registry.createDataSet(QStringLiteral("Chráněná"));
    m_registry.createDataSet(QStringLiteral("Otevřená"));
    m_registry.setPassword(1, QStringLiteral("tajne"));

    struct Case {
        int cislo;
        const char *typed;
        bool accepted;
    };
    const Case cases[] = {
        {1, "tajne", true}, {1, "TAJNE", false}, {1, "Tajne", false}, {1, "tajne ", false}, {1, "", false},
        {2, "", true},      {2, "cokoli", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(m_registry.checkPassword(c.cislo, QString::fromUtf8(c.typed)), c.accepted) << c.cislo << " " << c.typed;

    EXPECT_EQ(m_registry.checkAccess(1), DatasetRegistry::Access::PasswordRequired);
    EXPECT_EQ(m_registry.checkAccess(2), DatasetRegistry::Access::Free);
    EXPECT_THROW(m_registry.setPassword(1, QStringLiteral("jedenáctka!")), db::DbError);
    EXPECT_EQ(m_registry.password(1), QStringLiteral("tajne"));

    m_registry.setPassword(1, QStringLiteral("Nové"));
    EXPECT_EQ(m_registry.password(1), QStringLiteral("Nové"));
    m_registry.setPassword(1, QString());
    EXPECT_FALSE(m_registry.hasPassword(1));
    EXPECT_EQ(m_registry.checkAccess(1), DatasetRegistry::Access::Free);
}

TEST(RegistryUpgrade, OldLayoutWithoutPositionsGetsPositionFromNumber)
{
    testsupport::TempDir dir;
    const db::TableDef old =
        data::partialLayout(data::layoutData(), {QStringLiteral("Cislo"), QStringLiteral("Nazev"), QStringLiteral("Adresar")});
    db::createTable(dir.path(), old);
    appendRows(dir.path(),
               {{3, 0, QStringLiteral("Třetí"), QStringLiteral("D3")}, {1, 0, QStringLiteral("První"), QStringLiteral("D1")}},
               old);

    DatasetRegistry registry(dir.path());
    registry.ensure();
    const std::vector<DataSetEntry> expected{{1, 1, QStringLiteral("První"), QStringLiteral("D1")},
                                             {3, 3, QStringLiteral("Třetí"), QStringLiteral("D3")}};
    EXPECT_EQ(registry.list(), expected);
    EXPECT_EQ(numbers(registry.listByPosition()), (std::vector<int>{1, 3}));
    // The template's registry stays empty, and a second start changes nothing.
    EXPECT_TRUE(DatasetRegistry(data::templateFolder(dir.path())).list().empty());
    registry.ensure();
    EXPECT_EQ(registry.list(), expected);
}

} // namespace
