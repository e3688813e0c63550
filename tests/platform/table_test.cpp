#include "engine_fixture.h"

#include "platform/db/collation.h"
#include "platform/db/formats.h"

#include <QFile>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using db::DbError;

TEST(Collation, CzechAlphabeticalOrder)
{
    const QStringList sorted{QStringLiteral("Adam"),  QStringLiteral("Ádam"), QStringLiteral("beta"), QStringLiteral("Beta"),
                             QStringLiteral("Cyril"), QStringLiteral("Čech"), QStringLiteral("Hora"), QStringLiteral("Chmel"),
                             QStringLiteral("Ivan"),  QStringLiteral("Rys"),  QStringLiteral("Řeka"), QStringLiteral("Zub"),
                             QStringLiteral("Žába")};
    for (int i = 0; i + 1 < sorted.size(); ++i)
        EXPECT_LT(db::czechCompare(sorted[i], sorted[i + 1]), 0) << sorted[i].toStdString() << " < " << sorted[i + 1].toStdString();
    EXPECT_EQ(db::czechCompare(QStringLiteral("Ab"), QStringLiteral("Ab")), 0);
    EXPECT_LT(db::czechCompare(QStringLiteral("Ab"), QStringLiteral("Ab c")), 0);
    EXPECT_LT(db::czechCompare(QStringLiteral("1 Kč"), QStringLiteral("A")), 0);
}

TEST(Formats, DateFormatsOfPrintedOrders)
{
    const QDate d(2004, 3, 5);
    const std::pair<const char *, const char *> cases[] = {{"dd.mm.yy", "05.03.04"},   {"dd.mm.yyyy", "05.03.2004"},
                                                           {"ddmmyy", "050304"},       {"ddmmyyyy", "05032004"},
                                                           {"yymmdd", "040305"},       {"yyyymmdd", "20040305"}};
    for (const auto &[format, expected] : cases) EXPECT_EQ(db::formatDate(d, QString::fromLatin1(format)), QString::fromLatin1(expected));
    EXPECT_EQ(db::parseDate(QStringLiteral("5.3.2004")), d);
    EXPECT_EQ(db::parseDate(QStringLiteral("05.03.04")), d);
    EXPECT_FALSE(db::parseDate(QStringLiteral("31.2.2004")).isValid());
    EXPECT_EQ(db::formatFloat(1234.5, QStringLiteral("0.00")), QStringLiteral("1234,50"));
    EXPECT_EQ(db::formatFloat(-0.001, QStringLiteral("0.00")), QStringLiteral("0,00"));
    const std::pair<double, const char *> amounts[] = {{12.345, "12,35"}, {-12.345, "-12,35"}, {1.005, "1,01"}, {0.05, "0,05"},
                                                       {9999999999.99, "9999999999,99"}, {1000000, "1000000,00"}, {2.675, "2,68"}};
    for (const auto &[v, text] : amounts) EXPECT_EQ(db::formatFloat(v, QStringLiteral("0.00")), QString::fromLatin1(text)) << v;
}

TEST_F(EngineTest, NavigatesInIndexOrderWithBofAndEof)
{
    pay.open();
    for (const char *n : {"Hora", "Čech", "Adam", "Chmel", "Cyril", "beta"}) addPay(QString::fromUtf8(n), 1);
    EXPECT_EQ(names(pay), (QStringList{"Hora", "Čech", "Adam", "Chmel", "Cyril", "beta"})); // entry order
    pay.setIndexName(QStringLiteral("Na"));
    EXPECT_EQ(names(pay), (QStringList{"Adam", "beta", "Cyril", "Čech", "Hora", "Chmel"}));
    pay.first();
    EXPECT_TRUE(pay.bof());
    EXPECT_EQ(pay.recNo(), 1);
    pay.prior();
    EXPECT_TRUE(pay.bof());
    EXPECT_EQ(pay.recNo(), 1);
    pay.last();
    EXPECT_TRUE(pay.eof());
    EXPECT_EQ(pay.recNo(), 6);
    pay.next();
    EXPECT_TRUE(pay.eof());
    EXPECT_EQ(pay.fieldByName(QStringLiteral("Na")).asString(), QStringLiteral("Chmel"));
    EXPECT_EQ(pay.moveBy(-2), -2);
    EXPECT_EQ(pay.fieldByName(QStringLiteral("Na")).asString(), QStringLiteral("Čech"));
    EXPECT_EQ(pay.recordCount(), 6);
}

TEST_F(EngineTest, FindKeyAndNearest)
{
    pay.open();
    for (const char *n : {"Alfa", "Beta", "Gama", "Čáp"}) addPay(QString::fromUtf8(n), 1);
    pay.setIndexName(QStringLiteral("Na"));
    struct Case {
        const char *key;
        const char *nearest;
    } cases[] = {{"Ba", "Beta"}, {"b", "Beta"}, {"be", "Beta"}, {"C", "Čáp"}, {"Alfa", "Alfa"}, {"", "Alfa"}, {"Zet", "Gama"}};
    for (const auto &c : cases) {
        pay.findNearest({QString::fromUtf8(c.key)});
        EXPECT_EQ(pay.fieldByName(QStringLiteral("Na")).asString(), QString::fromUtf8(c.nearest)) << c.key;
    }
    EXPECT_TRUE(pay.eof()); // the last search ran past the end
    EXPECT_TRUE(pay.findKey({QStringLiteral("Gama")}));
    EXPECT_FALSE(pay.findKey({QStringLiteral("Gam")}));
    EXPECT_EQ(pay.fieldByName(QStringLiteral("Na")).asString(), QStringLiteral("Gama")); // stays
}

TEST_F(EngineTest, RangeOnCompositeIndexAndTiesInEntryOrder)
{
    pay.open();
    addPay(QStringLiteral("B"), 2);
    addPay(QStringLiteral("A"), 1);
    addPay(QStringLiteral("C"), 2);
    addPay(QStringLiteral("A"), 2);
    addPay(QStringLiteral("A"), 3);
    pay.setIndexName(QStringLiteral("PcNa"));
    pay.setRange({2}, {2});
    EXPECT_EQ(names(pay), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(pay.recordCount(), 3);
    pay.setRange({2, QStringLiteral("B")}, {3, QStringLiteral("A")});
    EXPECT_EQ(names(pay), (QStringList{"B", "C", "A"}));
    // A row posted outside the range leaves it.
    pay.first();
    pay.edit();
    pay.fieldByName(QStringLiteral("Pc")).setAsInteger(9);
    pay.post();
    EXPECT_EQ(pay.recordCount(), 2);
    pay.cancelRange();
    EXPECT_EQ(pay.recordCount(), 5);
    // Equal keys keep the order of entry.
    pay.setIndexName(QStringLiteral("Na"));
    QStringList ids;
    for (pay.first(); !pay.eof(); pay.next())
        if (pay.fieldByName(QStringLiteral("Na")).asString() == QLatin1String("A")) ids << pay.fieldByName(QStringLiteral("ID")).asString();
    EXPECT_EQ(ids, (QStringList{"2", "4", "5"}));
}

TEST_F(EngineTest, FilterExpressionPredicateAndFlag)
{
    pay.open();
    addPay(QStringLiteral("A"), 1, 10, QStringLiteral("05.03.2004"));
    addPay(QStringLiteral("B"), 2, 20, QStringLiteral("05.03.2004"));
    addPay(QStringLiteral("C"), 1, 30, QStringLiteral("06.03.2004"));
    pay.setFilter(QStringLiteral("D1 = '05.03.2004' and Pc = '1'"));
    EXPECT_EQ(pay.recordCount(), 3); // the flag is still off
    pay.setFiltered(true);
    EXPECT_EQ(names(pay), QStringList{"A"});
    pay.setFilter(QString());
    EXPECT_EQ(pay.recordCount(), 3); // empty text with filtering on passes every row
    pay.onFilterRecord = [](db::Dataset &d) { return d.fieldByName(QStringLiteral("Ca")).asFloat() > 15; };
    pay.setFilter(QStringLiteral("O5 = False"));
    EXPECT_EQ(names(pay), (QStringList{"B", "C"}));
    pay.setFiltered(false);
    EXPECT_EQ(pay.recordCount(), 3);
    EXPECT_THROW(pay.setFilter(QStringLiteral("Na = ")), DbError);
}

TEST_F(EngineTest, RefusesBadValuesWithEngineMessagesAndStaysInEdit)
{
    pay.open();
    addPay(QStringLiteral("A"), 5, 10, QStringLiteral("05.03.2004"));
    pay.edit();
    struct Case {
        const char *field;
        const char *text;
        const char *message;
    } cases[] = {
        {"Pc", "1000", "1000 není platná hodnota pro pole 'Číslo'. Povolený rozsah je od -999 do 999"},
        {"Pc", "-1000", "-1000 není platná hodnota pro pole 'Číslo'. Povolený rozsah je od -999 do 999"},
        {"Pc", "abc", "'abc' není platné celé číslo pro pole 'Číslo'"},
        {"Ca", "12x", "'12x' není platné reálné číslo pro pole 'Částka'"},
        {"Ca", "10000000000", "10000000000 není platná hodnota pro pole 'Částka'. Povolený rozsah je od -9999999999,99 do 9999999999,99"},
        {"D1", "32.13.2004", "'32.13.2004' není platný datum"},
    };
    for (const auto &c : cases) {
        try {
            pay.fieldByName(QString::fromLatin1(c.field)).setAsString(QString::fromUtf8(c.text));
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const DbError &e) {
            EXPECT_EQ(e.code(), db::ErrInvalidValue);
            EXPECT_EQ(e.message(), QString::fromUtf8(c.message));
        }
    }
    EXPECT_EQ(pay.state(), db::DatasetState::Edit);
    EXPECT_EQ(pay.fieldByName(QStringLiteral("Pc")).asInteger(), 5);
    EXPECT_EQ(pay.fieldByName(QStringLiteral("D1")).asDate(), QDate(2004, 3, 5));
    pay.fieldByName(QStringLiteral("Ca")).setAsString(QStringLiteral("12,5"));
    pay.post();
    pay.refresh();
    EXPECT_DOUBLE_EQ(pay.fieldByName(QStringLiteral("Ca")).asFloat(), 12.5);
    EXPECT_EQ(pay.fieldByName(QStringLiteral("Ca")).displayText(), QStringLiteral("12,50"));
}

TEST_F(EngineTest, KeyViolationIsDistinctAndLeavesTheRecordInInsert)
{
    acc.open();
    acc.append();
    acc.fieldByName(QStringLiteral("Pc")).setAsInteger(1);
    acc.post();
    acc.append();
    acc.fieldByName(QStringLiteral("Pc")).setAsInteger(1);
    acc.fieldByName(QStringLiteral("Ba")).setAsString(QStringLiteral("Druhá"));
    try {
        acc.post();
        FAIL() << "duplicate key stored";
    } catch (const DbError &e) {
        EXPECT_EQ(e.code(), db::ErrKeyViolation);
    }
    EXPECT_EQ(acc.state(), db::DatasetState::Insert);
    EXPECT_EQ(acc.fieldByName(QStringLiteral("Ba")).asString(), QStringLiteral("Druhá"));
    int seen = 0;
    acc.onPostError = [&seen](db::Dataset &, const DbError &e, db::PostErrorAction &action) {
        seen = e.code();
        action = db::PostErrorAction::Abort;
    };
    EXPECT_THROW(acc.post(), db::Abort);
    EXPECT_EQ(seen, db::ErrKeyViolation);
    acc.cancel();
    EXPECT_EQ(acc.recordCount(), 1);
}

TEST_F(EngineTest, LookupsFollowTheKeyAndAreEmptyWithoutAMatch)
{
    acc.open();
    for (auto [pc, kb] : {std::pair{1, "0100"}, {2, "0800"}}) {
        acc.append();
        acc.fieldByName(QStringLiteral("Pc")).setAsInteger(pc);
        acc.fieldByName(QStringLiteral("Kb")).setAsString(QString::fromLatin1(kb));
        acc.post();
    }
    pay.open();
    addPay(QStringLiteral("A"), 1);
    db::Field &kbi = pay.fieldByName(QStringLiteral("Kbi"));
    EXPECT_EQ(kbi.asString(), QStringLiteral("0100"));
    pay.edit();
    pay.fieldByName(QStringLiteral("Pc")).setAsInteger(2);
    EXPECT_EQ(kbi.asString(), QStringLiteral("0800"));
    pay.fieldByName(QStringLiteral("Pc")).setAsInteger(7);
    EXPECT_TRUE(kbi.isNull());
    pay.fieldByName(QStringLiteral("Pc")).clear();
    EXPECT_TRUE(kbi.isNull());
    pay.fieldByName(QStringLiteral("Pc")).setAsInteger(1);
    pay.post();
    // A change of the source shows after the source posts.
    acc.first();
    acc.edit();
    acc.fieldByName(QStringLiteral("Kb")).setAsString(QStringLiteral("5500"));
    acc.post();
    pay.refresh();
    EXPECT_EQ(kbi.asString(), QStringLiteral("5500"));
    acc.close();
    pay.refresh();
    EXPECT_TRUE(kbi.isNull());
}

TEST_F(EngineTest, EventsRunInOrderAndRefusalsKeepState)
{
    db::Field *na = nullptr;
    QStringList log;
    pay.onNewRecord = [&](db::Dataset &d) {
        log << QStringLiteral("new");
        d.fieldByName(QStringLiteral("Na")).setAsString(QStringLiteral("výchozí"));
    };
    pay.beforePost = [&](db::Dataset &d) {
        log << QStringLiteral("beforePost");
        if (d.fieldByName(QStringLiteral("Na")).asString() == QStringLiteral("zakázáno")) throw db::Abort();
    };
    pay.afterPost = [&](db::Dataset &) { log << QStringLiteral("afterPost"); };
    pay.beforeDelete = [&](db::Dataset &) { throw db::Abort(); };
    int calcRuns = 0;
    pay.addField(db::calcField(QStringLiteral("Up"), db::FieldType::Text, 20));
    pay.onCalcFields = [&](db::Dataset &d) {
        ++calcRuns;
        d.fieldByName(QStringLiteral("Up")).setAsString(d.fieldByName(QStringLiteral("Na")).asString().toUpper());
    };
    pay.open();
    na = &pay.fieldByName(QStringLiteral("Na"));
    pay.insert();
    EXPECT_EQ(na->asString(), QStringLiteral("výchozí"));
    EXPECT_FALSE(pay.modified());
    na->setAsString(QStringLiteral("zakázáno"));
    EXPECT_EQ(pay.fieldByName(QStringLiteral("Up")).asString(), QStringLiteral("ZAKÁZÁNO"));
    EXPECT_THROW(pay.post(), db::Abort);
    EXPECT_EQ(pay.state(), db::DatasetState::Insert);
    na->setAsString(QStringLiteral("dobře"));
    pay.post();
    EXPECT_EQ(log, (QStringList{"new", "beforePost", "beforePost", "afterPost"}));
    EXPECT_THROW(pay.deleteRecord(), db::Abort);
    EXPECT_EQ(pay.recordCount(), 1);
    EXPECT_GT(calcRuns, 0);
    // Validate hook refuses and the old value stays.
    na->onValidate = [](db::Field &f) {
        if (f.asString().isEmpty()) throw DbError(db::ErrInvalidValue, QStringLiteral("prázdné"));
    };
    pay.edit();
    EXPECT_THROW(na->clear(), DbError);
    EXPECT_EQ(na->asString(), QStringLiteral("dobře"));
    pay.cancel();
}

TEST_F(EngineTest, AutoNumbersAreNeverReused)
{
    pay.open();
    addPay(QStringLiteral("A"), 1);
    addPay(QStringLiteral("B"), 1);
    pay.last();
    pay.deleteRecord();
    addPay(QStringLiteral("C"), 1);
    EXPECT_EQ(pay.fieldByName(QStringLiteral("ID")).asInteger(), 3);
    pay.emptyTable();
    EXPECT_TRUE(pay.isEmpty());
    addPay(QStringLiteral("D"), 1);
    EXPECT_EQ(pay.fieldByName(QStringLiteral("ID")).asInteger(), 4);
}

TEST_F(EngineTest, BatchAppendByFieldNamesWithNewNumbers)
{
    pay.open();
    addPay(QStringLiteral("Dlouhý název platby"), 1, 5.5, QStringLiteral("01.02.2005"));
    addPay(QStringLiteral("Krátký"), 2, 7);
    db::TableDef copyDef;
    copyDef.name = QStringLiteral("Copy");
    copyDef.fields = {db::autoIncField(QStringLiteral("ID")), db::textField(QStringLiteral("Na"), 5),
                      db::floatField(QStringLiteral("Ca")), db::dateField(QStringLiteral("D1")), db::textField(QStringLiteral("X"), 3)};
    copyDef.primaryKey = {QStringLiteral("ID")};
    db::createTable(dir.path(), copyDef);
    db::Table copy(QStringLiteral("Copy"));
    copy.setDatabase(&database);
    copy.setDefinition(copyDef);
    copy.open();
    copy.append();
    copy.fieldByName(QStringLiteral("Na")).setAsString(QStringLiteral("x"));
    copy.post();
    EXPECT_EQ(copy.batchAppend(pay), 2);
    EXPECT_EQ(names(copy), (QStringList{"x", "Dlouh", "Krátk"}));
    copy.last();
    EXPECT_EQ(copy.fieldByName(QStringLiteral("ID")).asInteger(), 3);
    EXPECT_DOUBLE_EQ(copy.fieldByName(QStringLiteral("Ca")).asFloat(), 7);
    copy.prior();
    EXPECT_EQ(copy.fieldByName(QStringLiteral("D1")).asDate(), QDate(2005, 2, 1));
}

TEST_F(EngineTest, MissingTableAndMissingFieldAreReportedDistinctly)
{
    db::Table none(QStringLiteral("None"));
    none.setDatabase(&database);
    none.setTableName(QStringLiteral("Nic"));
    try {
        none.open();
        FAIL();
    } catch (const DbError &e) {
        EXPECT_EQ(e.code(), db::ErrTableMissing);
    }
    db::TableDef newer = payDef();
    newer.fields.push_back(db::boolField(QStringLiteral("Zak")));
    db::Table t(QStringLiteral("PayNew"));
    t.setDatabase(&database);
    t.setDefinition(newer);
    try {
        t.open();
        FAIL();
    } catch (const DbError &e) {
        EXPECT_EQ(e.code(), db::ErrFieldMissing);
        EXPECT_TRUE(e.message().contains(QLatin1String("Zak")));
    }
    EXPECT_FALSE(t.active());
    // An object that declares a subset of the fields opens.
    db::Table subset(QStringLiteral("PaySub"));
    subset.setDatabase(&database);
    subset.setTableName(QStringLiteral("Pay"));
    subset.addField(db::autoIncField(QStringLiteral("ID")));
    subset.addField(db::floatField(QStringLiteral("Ca")));
    EXPECT_NO_THROW(subset.open());
}

TEST_F(EngineTest, MasterDetailFollowsTheMaster)
{
    acc.open();
    for (int pc : {1, 2}) {
        acc.append();
        acc.fieldByName(QStringLiteral("Pc")).setAsInteger(pc);
        acc.post();
    }
    pay.setMaster(&acc, {QStringLiteral("Pc")}, {QStringLiteral("Pc")});
    pay.open();
    acc.first();
    addPay(QStringLiteral("A"), 1);
    acc.next();
    EXPECT_TRUE(pay.isEmpty());
    pay.append(); // a new detail row takes the master's value
    EXPECT_EQ(pay.fieldByName(QStringLiteral("Pc")).asInteger(), 2);
    pay.fieldByName(QStringLiteral("Na")).setAsString(QStringLiteral("B"));
    pay.post();
    acc.first();
    EXPECT_EQ(names(pay), QStringList{"A"});
}

// The busy test: a folder held by another process refuses an exclusive open, and once that
// process is killed the folder opens again without any clean-up.
TEST_F(EngineTest, ExclusiveOpenIsRefusedWhileAnotherProcessHoldsTheFolder)
{
    testsupport::ChildHolder holder(dir.path(), QStringLiteral("Acc"));
    ASSERT_TRUE(holder.holding());
    EXPECT_TRUE(db::folderlock::heldElsewhere(dir.path()));
    acc.setExclusive(true);
    try {
        acc.open();
        ADD_FAILURE() << "exclusive open succeeded";
    } catch (const DbError &e) {
        EXPECT_EQ(e.code(), db::ErrBusy);
    }
    pay.open(); // shared use by both programs is fine
    pay.close();
    holder.kill();
    EXPECT_FALSE(db::folderlock::heldElsewhere(dir.path()));
    EXPECT_NO_THROW(acc.open());
    EXPECT_TRUE(acc.active());
    // While this program holds it exclusively, a shared open elsewhere would fail; here the
    // same process may still open other tables of the folder.
    EXPECT_NO_THROW(pay.open());
}

TEST_F(EngineTest, RebuildIndexesRewritesDescriptors)
{
    QFile::remove(dir.file(QStringLiteral("Pay.X02")));
    pay.open();
    addPay(QStringLiteral("A"), 1);
    EXPECT_EQ(pay.rebuildIndexes(), 0);
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("Pay.X02"))));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("Pay.YG0"))));
    EXPECT_EQ(pay.recordCount(), 1);
}
