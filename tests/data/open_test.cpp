#include "rules_fixture.h"

#include "data/table_layouts.h"
#include "platform/db/formats.h"

#include <QDir>
#include <QFile>

namespace {

// A layout without some of its newer fields, as older versions of the program stored it.
db::TableDef olderLayout(const db::TableDef &current, const QStringList &missing)
{
    db::TableDef def = data::storedLayout(current);
    std::vector<db::FieldDef> kept;
    for (const auto &f : def.fields)
        if (!missing.contains(f.name)) kept.push_back(f);
    def.fields = kept;
    return def;
}

// Writes rows into a table file through a plain table object (no rules), field name → value.
void writeRows(const QString &folder, const db::TableDef &def, const std::vector<QVariantMap> &rows)
{
    db::Database d(QStringLiteral("Old"));
    d.setDirectory(folder);
    db::Table t(QStringLiteral("Old") + def.name);
    t.setDatabase(&d);
    t.setDefinition(def);
    t.open();
    for (const auto &row : rows) {
        t.append();
        for (auto it = row.begin(); it != row.end(); ++it) t.fieldByName(it.key()).setValue(it.value());
        t.post();
    }
}

} // namespace

class OpenTest : public RulesTest {
protected:
    void SetUp() override
    {
        resetProgram();
        app::DatasetRegistry registry(root.path());
        registry.ensure();
        folder = registry.createDataSet(QStringLiteral("Stará firma"));
        path = QDir(root.path()).filePath(folder);
        data::installTableRules(dm);
    }
    QString path;
};

TEST_F(OpenTest, UpgradesOlderTablesAndKeepsTheirData)
{
    const QStringList mttMissing{QStringLiteral("Zak"), QStringLiteral("Prh1"), QStringLiteral("Trh1")};
    const db::TableDef oldMtt = olderLayout(data::layoutMtt(), mttMissing);
    db::createTable(path, oldMtt);
    writeRows(path, oldMtt,
              {{{QStringLiteral("Pc"), 3}, {QStringLiteral("Kop"), 2}, {QStringLiteral("Fa"), QStringLiteral("Účetní s.r.o.")},
                {QStringLiteral("Dz"), QDate(2004, 3, 19)}, {QStringLiteral("Pcc"), 120}, {QStringLiteral("Banka"), true},
                {QStringLiteral("Strc"), false}, {QStringLiteral("Vsd"), true}}});
    const db::TableDef oldMban = olderLayout(data::layoutMban(), {QStringLiteral("Kodi"), QStringLiteral("Upp"), QStringLiteral("Rd"),
                                                                  QStringLiteral("M1"), QStringLiteral("Cislo")});
    db::createTable(path, oldMban);
    writeRows(path, oldMban,
              {{{QStringLiteral("Cu1"), QStringLiteral("19-123457")}, {QStringLiteral("Ca"), 1500.5}, {QStringLiteral("Ds"), QDate(2004, 3, 22)}},
               {{QStringLiteral("Cu1"), QStringLiteral("2000")}, {QStringLiteral("Ca"), 0.05}, {QStringLiteral("Ds"), QDate(2004, 3, 23)}}});
    const db::TableDef oldMkd = olderLayout(data::layoutMkd(), {QStringLiteral("Neh")});
    db::createTable(path, oldMkd);
    writeRows(path, oldMkd,
              {{{QStringLiteral("Pcc"), 5}, {QStringLiteral("Na"), QStringLiteral("Žlutý dodavatel")}, {QStringLiteral("Ca"), 99.9},
                {QStringLiteral("Dss"), QDate(2004, 4, 1)}}});
    for (const char *f : {"Pmdf.DB", "Pmdf.PX", "Mban1.DB"}) QFile::remove(QDir(path).filePath(QString::fromLatin1(f)));

    const data::OpenReport report = data::openDataSet(dm, root.path(), folder);
    ASSERT_TRUE(report.complete) << report.error.toStdString();
    // Mtt: only the fifth statement succeeded; its fields got their first values, the rest kept.
    EXPECT_EQ(report.upgrades.filter(QStringLiteral("Alter Table Mtt")),
              QStringList{"Alter Table Mtt Add Zak Boolean, Add Prh1 Boolean, Add Trh1 Char(40)"});
    EXPECT_FALSE(dm.MttZak->asBoolean());
    EXPECT_TRUE(dm.MttPrh1->asBoolean());
    EXPECT_EQ(dm.MttTrh1->asString(), QStringLiteral("vybraný příkaz"));
    EXPECT_EQ(dm.MttPc->asInteger(), 3);
    EXPECT_EQ(dm.MttKop->asInteger(), 2);
    EXPECT_EQ(dm.MttFa->asString(), QStringLiteral("Účetní s.r.o."));
    EXPECT_EQ(dm.MttDz->asDate(), QDate(2004, 3, 19));
    EXPECT_EQ(dm.MttPcc->asInteger(), 120);
    EXPECT_TRUE(dm.MttBanka->asBoolean());
    EXPECT_FALSE(dm.MttStrc->asBoolean());
    EXPECT_TRUE(dm.MttVsd->asBoolean());
    // Mkd gained Neh and kept its row.
    EXPECT_TRUE(dm.Mkd.active());
    EXPECT_EQ(dm.Mkd.recordCount(), 1);
    EXPECT_EQ(dm.MkdNa->asString(), QStringLiteral("Žlutý dodavatel"));
    EXPECT_DOUBLE_EQ(dm.MkdCa->asFloat(), 99.9);
    EXPECT_TRUE(dm.MkdNeh->isNull());
    // Mban gained its five fields, kept its rows, and is closed again.
    EXPECT_FALSE(dm.Mban.active());
    dm.Mban.open();
    ASSERT_EQ(dm.Mban.recordCount(), 2);
    EXPECT_EQ(dm.MbanCu1->asString(), QStringLiteral("19-123457"));
    EXPECT_DOUBLE_EQ(dm.MbanCa->asFloat(), 1500.5);
    EXPECT_TRUE(dm.MbanCislo->isNull());
    dm.Mban.next();
    EXPECT_DOUBLE_EQ(dm.MbanCa->asFloat(), 0.05);
    dm.Mban.close();
    // Missing tables came from the template.
    EXPECT_TRUE(QFile::exists(QDir(path).filePath(QStringLiteral("Pmdf.PX"))));
    EXPECT_TRUE(dm.Pmdf.active());
    EXPECT_TRUE(dm.Pmdf.isEmpty());
    EXPECT_FALSE(dm.Mban1.active());
    EXPECT_TRUE(QFile::exists(QDir(path).filePath(QStringLiteral("Mban1.DB"))));
}

TEST_F(OpenTest, AnMttWithoutAnyNewerFieldGetsEveryFirstValue)
{
    const db::TableDef oldMtt =
        olderLayout(data::layoutMtt(), {"Banka", "Za1", "Uh4", "Ik4", "Zavt", "Strc", "Doz", "Za2", "Za3", "Za4", "Z1", "Dpz", "Vsd",
                                        "Zak", "Prh1", "Trh1"});
    db::createTable(path, oldMtt);
    writeRows(path, oldMtt, {{{QStringLiteral("Kop"), 1}, {QStringLiteral("Ico"), QStringLiteral("12345678")}}});
    const data::OpenReport report = data::openDataSet(dm, root.path(), folder);
    ASSERT_TRUE(report.complete) << report.error.toStdString();
    EXPECT_EQ(report.upgrades.filter(QStringLiteral("Alter Table Mtt")).size(), 5);
    for (db::Field *f : {dm.MttBanka, dm.MttZa1, dm.MttZa2, dm.MttZa3, dm.MttZa4, dm.MttZ1, dm.MttVsd, dm.MttZak})
        EXPECT_FALSE(f->asBoolean()) << f->fieldName().toStdString();
    EXPECT_TRUE(dm.MttStrc->asBoolean());
    EXPECT_TRUE(dm.MttPrh1->asBoolean());
    EXPECT_TRUE(dm.MttDpz->isNull());
    EXPECT_TRUE(dm.MttUh4->isNull());
    EXPECT_EQ(dm.MttIco->asString(), QStringLiteral("12345678"));
}

// A failing Mkd upgrade stops the opening there like any other table; nothing crashes and
// the tables opened before stay usable.
TEST_F(OpenTest, AFailedObligationUpgradeStopsTheOpeningQuietly)
{
    const db::TableDef broken = olderLayout(data::layoutMkd(), {QStringLiteral("Neh"), QStringLiteral("Ia")});
    db::createTable(path, broken);
    const data::OpenReport report = data::openDataSet(dm, root.path(), folder);
    EXPECT_FALSE(report.complete);
    EXPECT_TRUE(report.error.contains(QLatin1String("Ia"))) << report.error.toStdString();
    EXPECT_TRUE(dm.Mtt.active());
    EXPECT_TRUE(dm.Mzak.active());
    EXPECT_FALSE(dm.Mkd.active());
    EXPECT_FALSE(dm.Maz.active());
    EXPECT_FALSE(dm.Pmt.active());
    EXPECT_TRUE(data::program().statusUpdatesOn);
    dm.Mbzp.append();
    dm.MbzpPc->setAsInteger(1);
    dm.Mbzp.post();
    EXPECT_EQ(dm.Mbzp.recordCount(), 1);
}

TEST_F(OpenTest, ChangesSurviveReopeningAndASecondDataSetClosesTheFirst)
{
    ASSERT_TRUE(data::openDataSet(dm, root.path(), folder).complete);
    dm.Mbz.append();
    dm.MbzNa->setAsString(QStringLiteral("Elektřina"));
    dm.MbzCa->setAsFloat(1234.56);
    dm.MbzD1->setAsDate(QDate(2004, 3, 25));
    dm.MbzO5->setAsBoolean(true);
    dm.Mbz.post();
    dm.Modf.edit();
    dm.ModfK->setAsString(QStringLiteral("ddmmyy"));
    dm.Modf.post();

    app::DatasetRegistry registry(root.path());
    const QString second = registry.createDataSet(QStringLiteral("Druhá"));
    ASSERT_TRUE(data::openDataSet(dm, root.path(), second).complete);
    for (db::Dataset *d : dm.datasets()) {
        if (!d->active()) continue;
        EXPECT_TRUE(d->filePath().contains(QLatin1Char('/') + second + QLatin1Char('/'))) << d->objectName().toStdString();
    }
    EXPECT_TRUE(dm.Mbz.isEmpty());

    ASSERT_TRUE(data::openDataSet(dm, root.path(), folder).complete);
    ASSERT_EQ(dm.Mbz.recordCount(), 1);
    EXPECT_EQ(dm.MbzNa->asString(), QStringLiteral("Elektřina"));
    EXPECT_DOUBLE_EQ(dm.MbzCa->asFloat(), 1234.56);
    EXPECT_EQ(dm.MbzD1->asDate(), QDate(2004, 3, 25));
    EXPECT_TRUE(dm.MbzO5->asBoolean());
    EXPECT_EQ(dm.MbzO1->asString(), QStringLiteral("F"));
    EXPECT_EQ(dm.ModfK->asString(), QStringLiteral("ddmmyy"));
}
