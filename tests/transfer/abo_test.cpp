#include "transfer_fixture.h"

#include "transfer/abo_writer.h"

namespace {

using transfer::TransferSession;

class AboTest : public TransferTest {};

TEST_F(AboTest, WorkedExampleWithoutTheInterval)
{
    const qint64 first = add(firstExampleRow());
    const qint64 second = add(secondExampleRow());
    TransferSession session(dm, root.path());
    const QString file = output(QStringLiteral("Banka.kpc"));
    const transfer::RunOutcome r = session.PrenosDoBankyAbo(file, QString());

    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.rowsWritten, 2);
    expectGolden(file, QStringLiteral("abo_example.kpc"));
    const std::map<qint64, Numbers> n = numbers();
    EXPECT_EQ(n.at(first), (Numbers{4, 1}));
    EXPECT_EQ(n.at(second), (Numbers{5, 1}));
    // The group totals of the run, and no INI written while the interval is off.
    ASSERT_TRUE(dm.Mban1.exists());
    dm.Mban1.open();
    ASSERT_EQ(dm.Mban1.recordCount(), 1);
    EXPECT_EQ(dm.Mban1Cac->asFloat(), 12345.50);
    EXPECT_EQ(dm.Mban1Ds->asDate(), QDate(2001, 3, 15));
    dm.Mban1.close();
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(AboTest, WorkedExampleWithTheIntervalAdvancesTheNumberAndKeepsTheRestOfTheIni)
{
    add(firstExampleRow());
    add(secondExampleRow());
    const QByteArray ini = "[D1]\r\nPrenos1Top=80\r\n[BankaABO]\r\nUcetniSoubory=1\r\nUcetniSouboryOd=1\r\n"
                           "UcetniSouboryDo=999\r\nCisloProPrikaz=7\r\n; konec\r\n";
    writeIni(ini);
    TransferSession session(dm, root.path());
    const QString file = output(QStringLiteral("Banka.kpc"));
    ASSERT_TRUE(session.PrenosDoBankyAbo(file, QString()).ok);

    expectGolden(file, QStringLiteral("abo_interval.kpc"));
    QByteArray expected = ini;
    expected.replace("CisloProPrikaz=7", "CisloProPrikaz=8");
    EXPECT_EQ(readFile(iniPath()), expected);
}

TEST_F(AboTest, OneBlockPerAccountDateAndTypeWithLinesCountedAcrossTheFile)
{
    // Without UcetniSoubory the interval is off whatever the other keys say.
    writeIni("[BankaABO]\r\nUcetniSouboryOd=5\r\nUcetniSouboryDo=9\r\nCisloProPrikaz=6\r\n");
    auto row = [](const char *cu1, const char *cu2, const char *kod, double amount, const char *vs, const char *ks,
                  const char *ss, QDate ds, const char *tp, const QString &upp = {}) {
        TestRow r;
        r.cu1 = QString::fromUtf8(cu1);
        r.cu2 = QString::fromUtf8(cu2);
        r.kod = QString::fromUtf8(kod);
        r.amount = amount;
        r.vs = QString::fromUtf8(vs);
        r.ks = QString::fromUtf8(ks);
        r.ss = QString::fromUtf8(ss);
        r.ds = ds;
        r.tp = QString::fromUtf8(tp);
        r.upp = upp;
        return r;
    };
    const QDate d15(2001, 3, 15), d16(2001, 3, 16), none;
    // The note in Czech, no specific symbol: two blanks before "AV:".
    const qint64 a = add(row("19-123457", "1234567890", "0300", 0.05, "1", "0308", "", d15, "1", QStringLiteral("Žluťoučký kůň")));
    const qint64 b = add(row("123456789012345678", "2000000001", "0600", 1000000.00, "2", "", "22", d15, "1"));
    const qint64 c = add(row("19-123457", "3000000001", "0800", 9999999999.99, "3", "0008", "33", d16, "1"));
    const qint64 d = add(row("19-123457", "4000000001", "2700", -9999999999.99, "4", "0558", "", d15, "2")); // collection
    const qint64 e = add(row("19-123457", "5000000001", "0100", 1234.50, "5", "", "", d15, "1")); // neither note nor SS
    const qint64 f = add(row("", "6000000001", "0300", 60, "6", "", "", d15, "1"));              // empty own account
    const qint64 g = add(row("19-123457", "7000000001", "0300", 70, "7", "", "", none, "1"));     // no date
    const qint64 h = add(row("19-123457", "8000000001", "0300", 80, "8", "", "", d15, "-"));      // no type code

    TransferSession session(dm, root.path());
    const QString file = output(QStringLiteral("Banka.kpc"));
    const transfer::RunOutcome r = session.PrenosDoBankyAbo(file, QString());
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.linesWritten, 43);
    expectGolden(file, QStringLiteral("abo_edges.kpc"));

    // In due-date order (no date first) the first block holds g alone: lines 1 to 6; the second
    // block's header lines are 7 to 9 and its first item is line 10.
    const std::map<qint64, Numbers> n = numbers();
    EXPECT_EQ(n.at(g), (Numbers{4, 1}));
    EXPECT_EQ(n.at(a), (Numbers{10, 2}));
    EXPECT_EQ(n.at(e), (Numbers{11, 2}));
    EXPECT_EQ(n.at(b), (Numbers{17, 3}));
    EXPECT_EQ(n.at(d), (Numbers{23, 4}));
    EXPECT_EQ(n.at(f), (Numbers{29, 5}));
    EXPECT_EQ(n.at(h), (Numbers{35, 6}));
    EXPECT_EQ(n.at(c), (Numbers{41, 7}));
    EXPECT_EQ(iniNumber(QStringLiteral("CisloProPrikaz")), 6);
    // Saving Rd ran the save rules: the row without date now has today's.
    EXPECT_EQ(storedDate(g), QStringLiteral("2001-03-10"));
}

TEST_F(AboTest, IntervalWrapsFromToBackToFrom)
{
    add(firstExampleRow());
    TestRow collection = secondExampleRow();
    collection.tp = QStringLiteral("2");
    add(collection);
    writeIni("[BankaABO]\r\nUcetniSoubory=1\r\nUcetniSouboryOd=1\r\nUcetniSouboryDo=3\r\nCisloProPrikaz=3\r\n");
    TransferSession session(dm, root.path());
    const QString file = output(QStringLiteral("Banka.kpc"));
    ASSERT_TRUE(session.PrenosDoBankyAbo(file, QString()).ok);
    expectGolden(file, QStringLiteral("abo_wrap.kpc"));
    EXPECT_EQ(iniNumber(QStringLiteral("CisloProPrikaz")), 2);
}

TEST(AboNumbering, TheIntervalIsOnOnlyWhenTheFlagIsPresentAndTrue)
{
    struct Case {
        const char *ini;
        bool interval;
        int from, to, next;
    };
    const Case cases[] = {
        {"", false, 1, 999, 1},
        {"[BankaABO]\r\nUcetniSoubory=1\r\n", true, 1, 999, 1},
        {"[bankaabo]\r\nucetnisoubory=1\r\nucetnisouboryod=10\r\nucetnisouborydo=20\r\ncisloproprikaz=15\r\n", true, 10, 20, 15},
        {"[BankaABO]\r\nUcetniSoubory=0\r\n", false, 1, 999, 1},
        {"[BankaABO]\r\nUcetniSoubory=ano\r\nUcetniSouboryOd=x\r\nCisloProPrikaz=\r\n", false, 1, 999, 1},
    };
    for (const Case &c : cases) {
        ini::IniFile f;
        f.parse(c.ini);
        const transfer::AboNumbering n = transfer::AboNumbering::read(f);
        EXPECT_EQ(n.interval, c.interval) << c.ini;
        EXPECT_EQ(n.from, c.from) << c.ini;
        EXPECT_EQ(n.to, c.to) << c.ini;
        EXPECT_EQ(n.next, c.next) << c.ini;
    }
    // From greater than to: after each file next becomes from.
    transfer::AboNumbering n{true, 5, 2, 9};
    EXPECT_EQ(n.take(), 9);
    EXPECT_EQ(n.take(), 5);
    EXPECT_EQ(n.take(), 5);
}

} // namespace
