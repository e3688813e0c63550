#include "engine_fixture.h"

using db::DbError;

class QueryTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        pay.open();
        addPay(QStringLiteral("Alfa"), 1, 100, QStringLiteral("05.03.2004"));
        addPay(QStringLiteral("Beta"), 2, 50.25, QStringLiteral("06.03.2004"));
        addPay(QStringLiteral("Gama"), 1, 75, QString());
        q.setDatabase(&database);
    }
    QStringList run(const QString &sql)
    {
        q.close();
        q.setSql(sql);
        q.open();
        return names(q);
    }
    db::Query q{QStringLiteral("Q")};
};

TEST_F(QueryTest, SelectTextsOfTheProgram)
{
    struct Case {
        const char *sql;
        QStringList rows;
    } cases[] = {
        {"Select * from Pay", {"Alfa", "Beta", "Gama"}},
        {"Select * From Pay where D1 = \"05.03.2004\" and Pc = \"1\" and O5 = False", {"Alfa"}},
        {"Select * From Pay where D1 >= \"05.03.2004\" and D1 <= \"06.03.2004\" order by D1 desc", {"Beta", "Alfa"}},
        {"Select * From Pay where D1 is not null order by D1", {"Alfa", "Beta"}},
        {"Select * From Pay where D1 is null", {"Gama"}},
        {"select * from pay where Ca < \"80\" order by Pc desc, Na", {"Beta", "Gama"}},
        {"Select * From Pay where Ca > Pc order by Na desc", {"Gama", "Beta", "Alfa"}},
        {"Select * From Pay\n where Na = \"Beta\"", {"Beta"}},
    };
    for (const auto &c : cases) EXPECT_EQ(run(QString::fromUtf8(c.sql)), c.rows) << c.sql;
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_TRUE(q.readOnly());
}

TEST_F(QueryTest, ValuesAreBoundNeverSpliced)
{
    const QString hostile = QStringLiteral("x\" or 1=1 --");
    q.setSql(QStringLiteral("Select * From Pay where Na = :name"));
    q.setParam(QStringLiteral("name"), hostile);
    q.open();
    EXPECT_TRUE(q.isEmpty());
    q.close();
    q.setParam(QStringLiteral("name"), QStringLiteral("Alfa"));
    q.open();
    EXPECT_EQ(q.recordCount(), 1);
    // A literal with doubled quotes is one value too.
    EXPECT_TRUE(run(QStringLiteral("Select * From Pay where Na = \"a\"\" or \"\"1\"\"=\"\"1\"")).isEmpty());
    EXPECT_EQ(pay.recordCount(), 3);
}

TEST_F(QueryTest, BadLiteralsFailTheStatement)
{
    const char *bad[] = {"Select * From Pay where Pc >= \"\" and Pc <= \"5\"", "Select * From Pay where Pc = \"abc\"",
                         "Select * From Pay where D1 = \"32.01.2004\"", "Select * From Pay where Nic = \"1\"",
                         "Select Na From Pay", "Drop Table Pay"};
    for (const char *sql : bad) {
        q.close();
        EXPECT_THROW({
            q.setSql(QString::fromUtf8(sql));
            q.open();
        }, DbError) << sql;
    }
}

TEST_F(QueryTest, UpdateDeleteAndTheirRowCounts)
{
    q.setSql(QStringLiteral("Update Pay set O5 = True where Pc = \"1\""));
    EXPECT_EQ(q.execSql(), 2);
    q.setSql(QStringLiteral("Update Pay set Na = \"Nový\", Ca = \"1,5\" where D1 is null"));
    EXPECT_EQ(q.execSql(), 1);
    EXPECT_EQ(run(QStringLiteral("Select * From Pay where O5 = True order by Na")), (QStringList{"Alfa", "Nový"}));
    q.close();
    q.setSql(QStringLiteral("Delete From Pay where D1 = \"05.03.2004\""));
    EXPECT_EQ(q.execSql(), 1);
    pay.refresh();
    EXPECT_EQ(names(pay), (QStringList{"Beta", "Nový"}));
    pay.last();
    EXPECT_DOUBLE_EQ(pay.fieldByName(QStringLiteral("Ca")).asFloat(), 1.5);
}

TEST_F(QueryTest, AlterTableAddsAllFieldsOrNone)
{
    pay.close();
    q.setSql(QStringLiteral("Alter Table Pay Add Zak Boolean, Add Trh1 Char(40), Add Ca Smallint"));
    EXPECT_THROW(q.execSql(), DbError);
    q.setSql(QStringLiteral("Alter Table Pay Add Zak Boolean, Add Trh1 Char(40)\n, Add Rd Smallint, Add M1 Integer, Add Doz Date"));
    EXPECT_NO_THROW(q.execSql());
    const db::TableDef schema = db::readTableSchema(dir.file(QStringLiteral("Pay.DB")), QStringLiteral("Pay"));
    ASSERT_NE(schema.field(QStringLiteral("Trh1")), nullptr);
    EXPECT_EQ(schema.field(QStringLiteral("Trh1"))->size, 40);
    EXPECT_EQ(schema.field(QStringLiteral("Rd"))->type, db::FieldType::Small);
    EXPECT_EQ(schema.field(QStringLiteral("M1"))->type, db::FieldType::Integer);
    EXPECT_EQ(schema.field(QStringLiteral("Zak"))->type, db::FieldType::Boolean);
    q.setSql(QStringLiteral("Alter Table Pay Add Zak Boolean"));
    EXPECT_THROW(q.execSql(), DbError);
    // Old rows read the new boolean as false, so "= False" still selects them.
    EXPECT_EQ(run(QStringLiteral("Select * From Pay where Zak = False")).size(), 3);
}

TEST_F(QueryTest, UpdatableQueryPostsToTheTableAndSeesPriorPosts)
{
    addPay(QStringLiteral("Delta"), 1, 1);
    EXPECT_EQ(run(QStringLiteral("Select * From Pay where Pc = \"1\"")).size(), 3); // sees the post at once
    q.close();
    q.setRequestLive(true);
    q.setSql(QStringLiteral("Select * from Pay"));
    q.open();
    q.first();
    q.edit();
    q.fieldByName(QStringLiteral("Na")).setAsString(QStringLiteral("Omega"));
    q.post();
    pay.refresh();
    pay.first();
    EXPECT_EQ(pay.fieldByName(QStringLiteral("Na")).asString(), QStringLiteral("Omega"));
}
