#include "transfer_fixture.h"

#include "platform/db/errors.h"

namespace {

using transfer::BankFormat;
using transfer::TransferSession;

class TransferRunTest : public TransferTest {
protected:
    TestRow dated(const char *cu2, const QDate &ds)
    {
        TestRow r;
        r.cu2 = QString::fromUtf8(cu2);
        r.kod = QStringLiteral("0300");
        r.amount = 100;
        r.ds = ds;
        return r;
    }
    QList<QByteArray> lines(const QString &path) const
    {
        QList<QByteArray> l = readFile(path).split('\n');
        if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
        for (QByteArray &s : l) s.chop(1); // the CR
        return l;
    }
};

TEST_F(TransferRunTest, EveryRowIsWrittenOnceWithItsDateWhenTheRunBeganThoughSavingMovesIt)
{
    // Queued on earlier days; by the time of the run "Změnit starší datum na aktuální" is on.
    const qint64 a = add(dated("11", QDate(2001, 3, 1)));
    const qint64 b = add(dated("22", QDate(2001, 3, 5)));
    const qint64 c = add(dated("33", QDate(2001, 3, 20)));
    const qint64 d = add(dated("44", QDate(2001, 3, 2)));
    setMtt([this] { dm.MttZa1->setAsBoolean(true); });
    auto resetDates = [&] {
        sql(QStringLiteral("UPDATE Mban SET Ds = '2001-03-01' WHERE ID = ?"), {a});
        sql(QStringLiteral("UPDATE Mban SET Ds = '2001-03-05' WHERE ID = ?"), {b});
        sql(QStringLiteral("UPDATE Mban SET Ds = '2001-03-02' WHERE ID = ?"), {d});
    };

    for (BankFormat format : {BankFormat::Abo, BankFormat::Text}) {
        resetDates();
        TransferSession session(dm, root.path());
        const QString file = output(QStringLiteral("Banka"));
        const transfer::RunOutcome r = session.run(format, file, QString());
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.rowsWritten, 4);
        const QList<QByteArray> l = lines(file);
        if (format == BankFormat::Abo) {
            // One block per date as the rows had them, in due-date order.
            QList<QByteArray> headers;
            for (const QByteArray &s : l)
                if (s.startsWith("2 ")) headers << s;
            EXPECT_EQ(headers, (QList<QByteArray>{"2 19-123457 10000 010301", "2 19-123457 10000 020301",
                                                  "2 19-123457 10000 050301", "2 19-123457 10000 200301"}));
            EXPECT_EQ(l.size(), 24);
            const std::map<qint64, Numbers> n = numbers();
            EXPECT_EQ(n.at(a), (Numbers{4, 1}));
            EXPECT_EQ(n.at(d), (Numbers{10, 2}));
            EXPECT_EQ(n.at(b), (Numbers{16, 3}));
            EXPECT_EQ(n.at(c), (Numbers{22, 4}));
        } else {
            ASSERT_EQ(l.size(), 4);
            QList<QByteArray> dates;
            for (const QByteArray &s : l) dates << s.mid(78, 6);
            EXPECT_EQ(dates, (QList<QByteArray>{"010301", "010302", "010305", "010320"}));
            const std::map<qint64, Numbers> n = numbers();
            EXPECT_EQ(n.at(a).rd, 1);
            EXPECT_EQ(n.at(d).rd, 2);
            EXPECT_EQ(n.at(b).rd, 3);
            EXPECT_EQ(n.at(c).rd, 4);
        }
        // The save of Rd moved the older dates to today.
        EXPECT_EQ(storedDate(a), QStringLiteral("2001-03-10"));
        EXPECT_EQ(storedDate(b), QStringLiteral("2001-03-10"));
        EXPECT_EQ(storedDate(c), QStringLiteral("2001-03-20"));
    }
}

TEST_F(TransferRunTest, AnEmptyQueueLeavesNoFile)
{
    writeIni("[BankaABO]\r\nUcetniSoubory=1\r\nCisloProPrikaz=5\r\n");
    for (BankFormat format : {BankFormat::Abo, BankFormat::Text}) {
        const QString file = output(QStringLiteral("stary.kpc"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        {
            QFile old(file);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("soubor z minulého přenosu\r\n");
        }
        TransferSession session(dm, root.path());
        const transfer::RunOutcome r = session.run(format, file, QString());
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.rowsWritten, 0);
        EXPECT_FALSE(r.fileKept);
        EXPECT_FALSE(QFile::exists(file));
    }
    EXPECT_EQ(iniNumber(QStringLiteral("CisloProPrikaz")), 5);
}

TEST_F(TransferRunTest, TheOutputFolderChainIsCreated)
{
    add(firstExampleRow());
    const QString file = output(QStringLiteral("a/b/c/Banka.kpc"));
    TransferSession session(dm, root.path());
    ASSERT_TRUE(session.PrenosDoBankyAbo(file, QString()).ok);
    EXPECT_EQ(readFile(file).left(6), QByteArray("UHL1\r\n"));
}

TEST_F(TransferRunTest, AFileThatCannotBeCreatedLeavesQueueAndNumberAlone)
{
    const qint64 id = add(firstExampleRow());
    writeIni("[BankaABO]\r\nUcetniSoubory=1\r\nCisloProPrikaz=5\r\n");
    const QString blocker = entry(QStringLiteral("soubor"));
    const QString file = blocker + QStringLiteral("/Banka.kpc"); // a folder that is a file
    TransferSession session(dm, root.path());
    QStringList started;
    session.openProgram = [&](const QString &p) { started << p; };
    const transfer::RunOutcome r = session.PrenosDoBankyAbo(file, root.path());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("Soubor %1 nelze vytvořit.").arg(file));
    EXPECT_EQ(numbers().at(id), (Numbers{0, 0}));
    EXPECT_EQ(iniNumber(QStringLiteral("CisloProPrikaz")), 5);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_EQ(dm.Mban.recordCount(), 1);
}

TEST_F(TransferRunTest, ARunStoppedPartWayKeepsTheNumbersGivenBeforeAndNoFile)
{
    const qint64 a = add(firstExampleRow());
    const qint64 b = add(secondExampleRow());
    const qint64 c = add(dated("3", QDate(2001, 3, 15)));
    TransferSession session(dm, root.path());
    const QString file = output(QStringLiteral("Banka"));
    ASSERT_TRUE(session.PrenosDoBankyTxt(file, QString()).ok); // Rd 1, 2, 3 from an earlier run
    writeIni("[BankaABO]\r\nUcetniSoubory=1\r\nCisloProPrikaz=5\r\n");

    // The save of the third row fails as a full disk would make it fail.
    auto rules = dm.Mban.beforePost;
    dm.Mban.beforePost = [this, rules, c](db::Dataset &t) {
        rules(t);
        if (dm.MbanID->asInteger() == c) throw db::DbError(db::ErrIo, QStringLiteral("Na disku není místo."));
    };
    const transfer::RunOutcome r = session.PrenosDoBankyAbo(file, QString());
    dm.Mban.beforePost = rules;

    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("Na disku není místo."));
    const std::map<qint64, Numbers> n = numbers();
    EXPECT_EQ(n.at(a), (Numbers{4, 1}));
    EXPECT_EQ(n.at(b), (Numbers{5, 1}));
    EXPECT_EQ(n.at(c), (Numbers{3, 0}));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(iniNumber(QStringLiteral("CisloProPrikaz")), 5);
    EXPECT_EQ(dm.Mban.state(), db::DatasetState::Browse);
    EXPECT_EQ(dm.Mban.recordCount(), 3);
}

TEST_F(TransferRunTest, TheBankProgramStartsOncePerOpeningInItsOwnFolder)
{
    add(firstExampleRow());
    const QString before = QDir::currentPath();
    const QString programFolder = entry(QStringLiteral("Home Bank"), true);
    const QString program = programFolder + QStringLiteral("/HomeBank.exe");
    QStringList calls;
    TransferSession session(dm, root.path());
    session.openProgram = [&](const QString &p) { calls << p + QLatin1Char('@') + QDir::currentPath(); };
    ASSERT_TRUE(session.PrenosDoBankyAbo(output(QStringLiteral("1.kpc")), program).ok);
    ASSERT_TRUE(session.PrenosDoBankyTxt(output(QStringLiteral("2.txt")), program).ok);
    EXPECT_EQ(calls, QStringList{program + QLatin1Char('@') + QDir(programFolder).canonicalPath()});
    EXPECT_TRUE(session.bankProgramStarted());
    EXPECT_EQ(QDir::currentPath(), QDir(root.path()).canonicalPath());

    // A new opening of the window starts it again; without a program path nothing starts.
    TransferSession next(dm, root.path());
    next.openProgram = session.openProgram;
    ASSERT_TRUE(next.PrenosDoBankyAbo(output(QStringLiteral("3.kpc")), QString()).ok);
    EXPECT_EQ(calls.size(), 1);
    ASSERT_TRUE(next.PrenosDoBankyAbo(output(QStringLiteral("4.kpc")), program).ok);
    EXPECT_EQ(calls.size(), 2);
    QDir::setCurrent(before);
}

TEST_F(TransferRunTest, TransferModeWritesInEntryOrderWithTheAmountFormOfTheTransferredOrders)
{
    add(dated("1", QDate(2001, 3, 20)));
    add(dated("2", QDate(2001, 3, 15)));
    setMtt([this] { dm.MttZak->setAsBoolean(true); });
    dm.Pmt.edit();
    dm.PmtOdl->setAsBoolean(true);
    dm.Pmt.post();
    transfer::closeQueue(dm);
    transfer::openQueue(dm);
    TransferSession session(dm, root.path());
    const QString file = output(QStringLiteral("Banka.txt"));
    ASSERT_TRUE(session.PrenosDoBankyTxt(file, QString()).ok);
    const QList<QByteArray> l = lines(file);
    ASSERT_EQ(l.size(), 2);
    EXPECT_EQ(l[0].mid(18, 1) + l[0].mid(64, 20), QByteArray("1         10000010320"));
    EXPECT_EQ(l[1].mid(18, 1) + l[1].mid(64, 20), QByteArray("2         10000010315"));
}

TEST_F(TransferRunTest, YesEmptiesTheQueue)
{
    add(firstExampleRow());
    add(secondExampleRow());
    TransferSession session(dm, root.path());
    ASSERT_TRUE(session.PrenosDoBankyAbo(output(QStringLiteral("Banka.kpc")), QString()).ok);
    transfer::emptyQueue(dm);
    EXPECT_TRUE(dm.Mban.active());
    EXPECT_TRUE(dm.Mban.isEmpty());
    EXPECT_TRUE(numbers().empty());
}

} // namespace
