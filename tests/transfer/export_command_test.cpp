#include "app/dataset_registry.h"
#include "cli/export_command.h"
#include "data/program_state.h"
#include "support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
}

QByteArray golden(const QString &name) { return readFile(QStringLiteral(VELORAD_FIXTURES "/transfer/") + name); }

// Runs SQL on a table file with the plain SQLite library, as another program would.
int rawSql(const QString &dbFile, const char *sql, int *count = nullptr)
{
    sqlite3 *handle = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(dbFile).constData(), &handle, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return -1;
    sqlite3_stmt *st = nullptr;
    int rc = sqlite3_prepare_v2(handle, sql, -1, &st, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(st);
        if (count && rc == SQLITE_ROW) *count = sqlite3_column_int(st, 0);
    }
    sqlite3_finalize(st);
    sqlite3_close(handle);
    return rc;
}

// A data root with data set D1 (and D2 with a password), whose queue another program filled
// by docs/storage.md: amounts as integer hundredths (one of them a REAL), dates as ISO text,
// notes as UTF-8.
class ExportCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data::program() = data::ProgramState();
        data::program().setToday(QDate(2001, 3, 10));
        app::DatasetRegistry registry(root.path());
        registry.ensure();
        ASSERT_EQ(registry.createDataSet(QStringLiteral("Firma")), QStringLiteral("D1"));
        ASSERT_EQ(registry.createDataSet(QStringLiteral("Tajná")), QStringLiteral("D2"));
        registry.setPassword(2, QStringLiteral("heslo"));
        for (const char *set : {"D1", "D2"}) {
            const QString mban = QDir(root.path()).filePath(QString::fromLatin1(set) + QStringLiteral("/Mban.DB"));
            ASSERT_EQ(rawSql(mban, "INSERT INTO Mban (Cu1, Cu2, Kod, Ss, Vs, Ks, Ca, Ds, Tp, Kodi, Upp) VALUES "
                                   "('19-123457', '1234567890', '0300', '5678', '1234', '0308', 1000000, '2001-03-15', '1', "
                                   "'0100', 'Nájem – kancelář Žďár'), "
                                   "('19-123457', '222-333444555', '0800', NULL, '9876543210', NULL, 234550, '2001-03-15', "
                                   "'1', '0100', NULL), "
                                   "('19-123457', '35-987654321', '0100', NULL, '77', NULL, 99.0, '2001-03-16', '2', "
                                   "'0100', 'Inkaso č. 5')"),
                      SQLITE_DONE);
        }
    }
    void TearDown() override { data::program() = data::ProgramState(); }

    struct Result {
        int status;
        QString out, err;
    };
    Result run(QStringList args)
    {
        Result r;
        QTextStream out(&r.out), err(&r.err);
        r.status = cli::runExportCommand(args, out, err);
        return r;
    }
    QString file(const QString &name) const { return QDir(root.path()).filePath(name); }
    int queueRows(const char *set) const
    {
        int n = -1;
        rawSql(QDir(root.path()).filePath(QString::fromLatin1(set) + QStringLiteral("/Mban.DB")), "SELECT count(*) FROM Mban", &n);
        return n;
    }
    int rowsWithLineNumbers(const char *set) const
    {
        int n = -1;
        rawSql(QDir(root.path()).filePath(QString::fromLatin1(set) + QStringLiteral("/Mban.DB")),
               "SELECT count(*) FROM Mban WHERE Rd IS NOT NULL", &n);
        return n;
    }
    QStringList base(const char *set = "D1") const
    {
        return {QStringLiteral("--data-root"), root.path(), QStringLiteral("--dataset"), QString::fromLatin1(set)};
    }

    testsupport::TempDir root;
};

TEST_F(ExportCommandTest, WritesTheQueueOfAnotherProgramAndEmptiesItOnlyWhenAsked)
{
    const QString txt = file(QStringLiteral("výstup/Banka.txt"));
    Result r = run(base() << QStringLiteral("--file") << txt << QStringLiteral("--format") << QStringLiteral("txt"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("3\n"));
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(readFile(txt), golden(QStringLiteral("export_other_program.txt")));
    EXPECT_EQ(queueRows("D1"), 3);
    EXPECT_EQ(rowsWithLineNumbers("D1"), 3);

    // The format of the data set's setting (Mtt.Banka off: ABO); --empty-queue is the answer Yes.
    const QString kpc = file(QStringLiteral("Banka.kpc"));
    r = run(base() << QStringLiteral("--file") << kpc << QStringLiteral("--empty-queue"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("3\n"));
    EXPECT_EQ(readFile(kpc), golden(QStringLiteral("export_other_program.kpc")));
    EXPECT_EQ(queueRows("D1"), 0);

    // Now the queue is empty: nothing is written and no file stays.
    r = run(base() << QStringLiteral("--file") << kpc);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("0\n"));
    EXPECT_FALSE(QFile::exists(kpc));
}

TEST_F(ExportCommandTest, TheProgramRunsItAsASubcommand)
{
    static int argc = 1;
    static char name[] = "test_transfer";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    const QString txt = file(QStringLiteral("Banka.txt"));
    QProcess p;
    p.start(QStringLiteral(ORVIDAN_EXE), QStringList{QStringLiteral("export")} << base() << QStringLiteral("--file") << txt
                                                                              << QStringLiteral("--format=txt"));
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(p.readAllStandardOutput(), QByteArray("3\n"));
    // The program runs with the real date; the file carries the dates the rows have.
    EXPECT_EQ(readFile(txt), golden(QStringLiteral("export_other_program.txt")));
}

TEST_F(ExportCommandTest, RefusesWrongPasswordsBadArgumentsAndFilesThatCannotBeCreated)
{
    const QString kpc = file(QStringLiteral("Banka.kpc"));
    const QString blocker = file(QStringLiteral("soubor"));
    QFile(blocker).open(QIODevice::WriteOnly);
    const QString fileOpt = QStringLiteral("--file");
    struct Case {
        QStringList args;
        int status;
        QString message;
    };
    const Case cases[] = {
        {base("D2") << fileOpt << kpc, 1, QStringLiteral("Neplatné heslo pro tyto Velorad.")},
        {base("D2") << fileOpt << kpc << QStringLiteral("--password") << QStringLiteral("HESLO"), 1,
         QStringLiteral("Neplatné heslo pro tyto Velorad.")},
        {base("D7") << fileOpt << kpc, 1, QStringLiteral("Velorad ve složce D7 nejsou v seznamu")},
        {base() << fileOpt << blocker + QStringLiteral("/Banka.kpc"), 1,
         QStringLiteral("Soubor %1/Banka.kpc nelze vytvořit.").arg(blocker)},
        {base() << fileOpt << kpc << QStringLiteral("--format") << QStringLiteral("csv"), 2, QStringLiteral("abo nebo txt")},
        {base(), 2, QStringLiteral("Chybí volba --file")},
        {{fileOpt, kpc}, 2, QStringLiteral("Chybí volba --data-root")},
        {base() << fileOpt << kpc << QStringLiteral("navíc"), 2, QStringLiteral("Nadbytečný argument")},
    };
    for (const Case &c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, QString());
    }
    EXPECT_FALSE(QFile::exists(kpc));
    EXPECT_EQ(rowsWithLineNumbers("D1"), 0);
    EXPECT_EQ(rowsWithLineNumbers("D2"), 0);

    const Result ok = run(base("D2") << fileOpt << kpc << QStringLiteral("--password") << QStringLiteral("heslo"));
    EXPECT_EQ(ok.status, 0) << ok.err.toStdString();
    EXPECT_EQ(readFile(kpc), golden(QStringLiteral("export_other_program.kpc")));
}

TEST_F(ExportCommandTest, RefusesADataSetOpenInAnotherProgram)
{
    testsupport::ChildHolder holder(QDir(root.path()).filePath(QStringLiteral("D1")), QStringLiteral("Modf"));
    ASSERT_TRUE(holder.holding());
    const QString kpc = file(QStringLiteral("Banka.kpc"));
    const Result r = run(base() << QStringLiteral("--file") << kpc << QStringLiteral("--empty-queue"));
    holder.kill();

    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("Tyto Velorad právě zpracovává jiný uživatel.\n"));
    EXPECT_FALSE(QFile::exists(kpc));
    EXPECT_EQ(queueRows("D1"), 3);
}

} // namespace
