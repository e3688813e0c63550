#include "transfer_fixture.h"

namespace {

using transfer::TransferSession;

class TextTest : public TransferTest {
protected:
    void setOdl(bool on)
    {
        dm.Modf.edit();
        dm.ModfOdl->setAsBoolean(on);
        dm.Modf.post();
    }
};

TEST_F(TextTest, WorkedExampleInBothAmountForms)
{
    const qint64 id = add(firstExampleRow());
    for (bool withoutSeparator : {false, true}) {
        setOdl(withoutSeparator);
        TransferSession session(dm, root.path());
        const QString file = output(QStringLiteral("Banka.txt"));
        const transfer::RunOutcome r = session.PrenosDoBankyTxt(file, QString());
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        expectGolden(file, withoutSeparator ? QStringLiteral("txt_example_plain.txt") : QStringLiteral("txt_example_point.txt"));
        EXPECT_EQ(numbers().at(id), (Numbers{1, 0}));
    }
}

TEST_F(TextTest, FixedColumnsHoldForEveryEdgeCase)
{
    auto row = [](const char *cu1, const char *cu2, const char *kod, const QString &vs, double amount, QDate ds, const char *tp) {
        TestRow r;
        r.cu1 = QString::fromUtf8(cu1);
        r.cu2 = QString::fromUtf8(cu2);
        r.kod = QString::fromUtf8(kod);
        r.vs = vs;
        r.amount = amount;
        r.ds = ds;
        r.tp = QString::fromUtf8(tp);
        return r;
    };
    const QDate d15(2001, 3, 15), none;
    TestRow longAccount = row("123456789012345678", "1234567890", "0300", QStringLiteral("1234"), 0.05, d15, "1");
    longAccount.ss = QStringLiteral("5678");
    longAccount.ks = QStringLiteral("0308");
    const qint64 t1 = add(longAccount);                                                                    // 18 characters
    const qint64 t2 = add(row("", "222-333444555", "0800", QStringLiteral("12Ω4"), 9999999999.99, d15, "1")); // empty own account
    const qint64 t3 = add(row("19-123457", "333", "0100", {}, -9999999999.99, d15, "2"));
    const qint64 t4 = add(row("19-123457", "444", "0100", {}, 1000000.00, none, "1"));                    // no date
    const qint64 t5 = add(row("19-123457", "555", "0100", {}, 0, d15, "-"));                              // no type code
    const qint64 t6 = add(row("19-123457", "666", "0100", {}, -0.05, none, "-"));

    for (bool withoutSeparator : {false, true}) {
        setOdl(withoutSeparator);
        sql(QStringLiteral("UPDATE Mban SET Ds = NULL WHERE ID IN (?, ?)"), {t4, t6}); // the last run dated them
        TransferSession session(dm, root.path());
        const QString file = output(QStringLiteral("Banka.txt"));
        const transfer::RunOutcome r = session.PrenosDoBankyTxt(file, QString());
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        expectGolden(file, withoutSeparator ? QStringLiteral("txt_edges_plain.txt") : QStringLiteral("txt_edges_point.txt"));
        // Rd is the line number in the queue's due-date order; M1 belongs to ABO runs.
        const std::map<qint64, Numbers> n = numbers();
        EXPECT_EQ(n.at(t4), (Numbers{1, 0}));
        EXPECT_EQ(n.at(t6), (Numbers{2, 0}));
        EXPECT_EQ(n.at(t1), (Numbers{3, 0}));
        EXPECT_EQ(n.at(t2), (Numbers{4, 0}));
        EXPECT_EQ(n.at(t3), (Numbers{5, 0}));
        EXPECT_EQ(n.at(t5), (Numbers{6, 0}));
    }
}

} // namespace
