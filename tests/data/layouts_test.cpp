#include "data/data_files.h"
#include "data/data_module.h"
#include "data/table_layouts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QSet>
#include <cmath>
#include <limits>
#include <stdexcept>


namespace {

using db::FieldDef;
using db::FieldType;
using db::TableDef;

std::vector<const TableDef *> allTables()
{
    std::vector<const TableDef *> t = data::companyTables();
    for (const TableDef *r : data::registryTables()) t.push_back(r);
    return t;
}

const FieldDef &fieldOf(const QString &table, const QString &field)
{
    const TableDef *t = data::layoutByName(table);
    if (!t) throw std::invalid_argument(table.toStdString());
    const FieldDef *f = t->field(field);
    if (!f) throw std::invalid_argument((table + "." + field).toStdString());
    return *f;
}

TEST(DataFiles, FortyEightDistinctNamesThatTheLayoutsOccupyInListOrder)
{
    const QStringList &files = data::dataFiles();
    ASSERT_EQ(files.size(), data::kDataFileCount);
    EXPECT_EQ(QSet<QString>(files.begin(), files.end()).size(), 48);

    // Backup and restore walk the list by position: the files of each table stand together,
    // in the order the table names them, and the tables follow one another in list order.
    int next = 0;
    for (const TableDef *t : data::companyTables()) {
        const QStringList names = t->fileNames();
        EXPECT_EQ(files.mid(next, names.size()), names) << qPrintable(t->name);
        next += int(names.size());
    }
    EXPECT_EQ(next, files.size());

    QStringList registry;
    for (const TableDef *t : data::registryTables()) registry << t->fileNames();
    EXPECT_EQ(registry, data::registryFiles());
}

TEST(Layouts, SingleFieldIndexFilesCarryTheFieldPositionInHex)
{
    for (const TableDef *t : allTables())
        for (const db::IndexDef &ix : t->indexes) {
            if (ix.fields.size() != 1) continue;
            int position = 0;
            for (int i = 0; i < int(t->fields.size()); ++i)
                if (t->fields[size_t(i)].name == ix.fields.first()) position = i + 1;
            const QString expected = QStringLiteral("X%1").arg(position, 2, 16, QLatin1Char('0')).toUpper();
            EXPECT_EQ(ix.fileSuffix, expected) << qPrintable(t->name + "." + ix.name);
        }
}

TEST(Layouts, KeysAndIndexes)
{
    struct Case {
        const char *table;
        QStringList key;
        QStringList indexNames;
    };
    const Case cases[] = {
        {"Mbzp", {"Pc"}, {}},
        {"Mbz", {"ID"}, {"Na", "Cu", "Ospl"}},
        {"Mbp", {}, {}},
        {"Mkf", {"ID"}, {"Ds"}},
        {"Mtt", {}, {}},
        {"Modf", {}, {}},
        {"Pmt", {}, {}},
        {"Mban", {"ID"}, {"Ds"}},
        {"Mban1", {}, {}},
        {"Pmdf", {"Cislo"}, {}},
        {"Pbz", {"ID"}, {}},
        {"Maz", {"Na"}, {"Spl"}},
        {"Mkd", {"Pcc"}, {"Vs", "Na", "Ca", "Dp", "Dss", "Do1"}},
        {"Mzak", {"Czak"}, {}},
        {"Data", {"Cislo"}, {"Pozice"}},
        {"Uziv", {"Cislo"}, {}},
    };
    for (const Case &c : cases) {
        const TableDef *t = data::layoutByName(QString::fromLatin1(c.table));
        ASSERT_TRUE(t) << c.table;
        EXPECT_EQ(t->primaryKey, c.key) << c.table;
        QStringList names;
        for (const auto &ix : t->indexes) names << ix.name;
        EXPECT_EQ(names, c.indexNames) << c.table;
        EXPECT_EQ(t->memoStore, t->name == QLatin1String("Maz")) << c.table;
    }
    const TableDef &mbz = data::layoutMbz();
    EXPECT_EQ(mbz.indexes[2].fields, QStringList({"O1", "Spl"}));
    EXPECT_EQ(data::layoutByName(QStringLiteral("mKD")), &data::layoutMkd());
    EXPECT_EQ(data::layoutByName(QStringLiteral("Mbzq")), nullptr);
}

TEST(Layouts, WidthsRangesAndLabels)
{
    constexpr double none = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char *table, *field;
        FieldType type;
        int size;
        double min, max; // NaN: no range
        const char *label;
    };
    const Case cases[] = {
        {"Mbzp", "Pc", FieldType::Small, 0, -999, 999, "Číslo"},
        {"Mbzp", "P", FieldType::Small, 0, -99, 99, ""},
        {"Mbz", "P", FieldType::Small, 0, -99, 99, "Bance dodat "},
        {"Mbz", "Pc", FieldType::Small, 0, -999, 999, "Číslo"},
        {"Mbz", "Spl", FieldType::Small, 0, -99, 99, "Periodická platba"},
        {"Mbz", "Ca", FieldType::Float, 0, -9999999999.99, 9999999999.99, "Částka"},
        {"Mbz", "Na", FieldType::Text, 49, none, none, "Název platby"},
        {"Mbz", "Cu", FieldType::Text, 18, none, none, "Na účet"},
        {"Mbz", "Vs", FieldType::Text, 11, none, none, "VS"},
        {"Mbz", "Ss", FieldType::Text, 12, none, none, "SS"},
        {"Mbz", "Upp", FieldType::Text, 35, none, none, ""},
        {"Mbz", "O1", FieldType::Text, 1, none, none, ""},
        {"Mkf", "P", FieldType::Text, 60, none, none, "Poznámka"},
        {"Mkf", "Ca", FieldType::Float, 0, -9999999999.99, 9999999999.99, "Částka"},
        {"Mtt", "Kop", FieldType::Small, 0, 1, 999, "Počet Kopií"},
        {"Mtt", "Vh", FieldType::Small, 0, 0, 999, "Horní okraj"},
        {"Mtt", "Pc", FieldType::Small, 0, -999, 999, "Číslo banky"},
        {"Mtt", "Pcc1", FieldType::Integer, 0, -99999, 99999, ""},
        {"Mtt", "Pcc", FieldType::Integer, 0, none, none, ""},
        {"Mtt", "T", FieldType::Text, 66, none, none, ""},
        {"Mtt", "Trh1", FieldType::Text, 40, none, none, ""},
        {"Modf", "K", FieldType::Text, 10, none, none, ""},
        {"Modf", "Fa", FieldType::Text, 30, none, none, ""},
        {"Mban", "Vs", FieldType::Text, 10, none, none, "VS"},
        {"Mban", "Ss", FieldType::Text, 10, none, none, "SS"},
        {"Mban", "Rd", FieldType::Small, 0, none, none, "Řd."},
        {"Mban", "Upp", FieldType::Text, 35, none, none, "Údaje pro potřebu příkazce"},
        {"Mban1", "Cac", FieldType::Float, 0, none, none, ""},
        {"Pmdf", "Ca", FieldType::Float, 0, none, none, "Částka"},
        {"Pmdf", "Vs", FieldType::Text, 10, none, none, "VS"},
        {"Pbz", "Vs", FieldType::Text, 11, none, none, "VS"},
        {"Maz", "Na", FieldType::Text, 49, none, none, "Název"},
        {"Maz", "Sl", FieldType::Float, 0, -99.99, 99.99, ""},
        {"Maz", "Pp", FieldType::Memo, 0, none, none, ""},
        {"Mkd", "Pcc", FieldType::Integer, 0, -99999, 99999, ""},
        {"Mkd", "Caz", FieldType::Float, 0, -9999999999.99, 9999999999.99, "Částka"},
        {"Mkd", "Scs1", FieldType::Float, 0, -9999999.99, 9999999.99, ""},
        {"Mkd", "Cf", FieldType::Integer, 0, -999999999, 999999999, ""},
        {"Mkd", "Czak", FieldType::Small, 0, -999, 999, ""},
        {"Mkd", "Neh", FieldType::Text, 1, none, none, ""},
        {"Mzak", "Czak", FieldType::Small, 0, -999, 999, "Číslo"},
        {"Data", "Adresar", FieldType::Text, 20, none, none, "Adresář"},
        {"Uziv", "Heslo", FieldType::Text, 10, none, none, ""},
    };
    for (const Case &c : cases) {
        const QString where = QStringLiteral("%1.%2").arg(QLatin1String(c.table), QLatin1String(c.field));
        const FieldDef &f = fieldOf(QString::fromLatin1(c.table), QString::fromLatin1(c.field));
        EXPECT_EQ(f.type, c.type) << qPrintable(where);
        EXPECT_EQ(f.effectiveSize(), c.size) << qPrintable(where);
        EXPECT_EQ(f.hasRange, !std::isnan(c.min)) << qPrintable(where);
        if (f.hasRange) {
            EXPECT_DOUBLE_EQ(f.minValue, c.min) << qPrintable(where);
            EXPECT_DOUBLE_EQ(f.maxValue, c.max) << qPrintable(where);
        }
        EXPECT_EQ(f.label, QString::fromUtf8(c.label)) << qPrintable(where);
    }
}

TEST(Layouts, DisplayFormatsAndValues)
{
    EXPECT_EQ(fieldOf("Mbz", "O5").displayValues, QStringLiteral("ANO;NE"));
    EXPECT_EQ(fieldOf("Pmdf", "Tisk").displayValues, QStringLiteral("ANO;NE"));
    std::vector<const std::vector<FieldDef> *> lists;
    for (const TableDef *t : allTables()) lists.push_back(&t->fields);
    for (auto *q : {&data::queryFieldsMbzQr(), &data::queryFieldsMkfQr(), &data::queryFieldsMkdQr(),
                    &data::queryFieldsMazQr(), &data::queryFieldsMbanQr(), &data::queryFieldsPbzQr()})
        lists.push_back(q);
    for (const auto *fields : lists)
        for (const FieldDef &f : *fields) {
            if (f.type == FieldType::Float) {
                EXPECT_EQ(f.displayFormat, QStringLiteral("0.00")) << qPrintable(f.name);
            }
            if (!f.displayValues.isEmpty()) {
                EXPECT_EQ(f.type, FieldType::Boolean) << qPrintable(f.name);
                EXPECT_TRUE(f.name == QLatin1String("O5") || f.name == QLatin1String("Tisk")) << qPrintable(f.name);
            }
        }
}

TEST(Layouts, CopiesOfThePaymentFieldsMatchMbz)
{
    const TableDef stored = data::storedLayout(data::layoutMbz());
    auto sameFields = [](const std::vector<FieldDef> &a, size_t from, const std::vector<FieldDef> &b, size_t at, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            const FieldDef &x = a[from + i], &y = b[at + i];
            EXPECT_EQ(x.name, y.name);
            EXPECT_EQ(x.type, y.type) << qPrintable(x.name);
            EXPECT_EQ(x.effectiveSize(), y.effectiveSize()) << qPrintable(x.name);
            EXPECT_EQ(x.hasRange, y.hasRange) << qPrintable(x.name);
        }
    };
    const auto &mbp = data::layoutMbp().fields;
    ASSERT_EQ(mbp.size(), stored.fields.size());
    EXPECT_EQ(stored.fields.front().name, QStringLiteral("ID"));
    EXPECT_EQ(stored.fields.back().name, QStringLiteral("Ik"));
    sameFields(stored.fields, 0, mbp, 0, mbp.size());

    const auto &pbz = data::layoutPbz().fields;
    ASSERT_EQ(pbz.size(), 2 + (stored.fields.size() - 1) + 5);
    EXPECT_EQ(pbz[0].name, QStringLiteral("ID"));
    EXPECT_EQ(pbz[1].name, QStringLiteral("Cislo"));
    sameFields(stored.fields, 1, pbz, 2, stored.fields.size() - 1);
    QStringList tail;
    for (size_t i = pbz.size() - 5; i < pbz.size(); ++i) tail << pbz[i].name;
    EXPECT_EQ(tail, QStringList({"Kti", "Kbi", "Vi", "Mi", "Ihn"}));
    for (const FieldDef &f : pbz) EXPECT_TRUE(f.isStored()) << qPrintable(f.name);
}

TEST(Layouts, LookupsNameFieldsOfTheirSourceWithTheSameTypeAndWidth)
{
    std::vector<std::pair<QString, const std::vector<FieldDef> *>> lists;
    for (const TableDef *t : allTables()) lists.emplace_back(t->name, &t->fields);
    lists.emplace_back(QStringLiteral("Mbz"), &data::queryFieldsMbzQr());
    lists.emplace_back(QStringLiteral("Mkd"), &data::queryFieldsMkdQr());
    int lookups = 0;
    for (const auto &[table, fields] : lists)
        for (const FieldDef &f : *fields) {
            if (f.kind != db::FieldKind::Lookup) continue;
            ++lookups;
            EXPECT_EQ(f.lookupDataset, QStringLiteral("Mbzp")) << qPrintable(f.name);
            const FieldDef *result = data::layoutMbzp().field(f.lookupResultField);
            ASSERT_TRUE(result) << qPrintable(f.name);
            EXPECT_EQ(result->type, f.type) << qPrintable(f.name);
            EXPECT_EQ(result->effectiveSize(), f.effectiveSize()) << qPrintable(f.name);
            EXPECT_EQ(f.keyFields, QStringLiteral("Pc"));
            EXPECT_EQ(f.lookupKeyFields, QStringLiteral("Pc"));
            EXPECT_TRUE(data::layoutByName(table)->field(f.keyFields)) << qPrintable(f.name);
        }
    EXPECT_EQ(lookups, 8 + 4 + 1); // Mbz, MbzQr, MkdQr
}

TEST(Layouts, QueriesStartWithTheStoredFieldsOfTheirTable)
{
    struct Case {
        const std::vector<FieldDef> &fields;
        const TableDef &table;
        QStringList extras;
    };
    const Case cases[] = {
        {data::queryFieldsMbzQr(), data::layoutMbz(), {"Kti", "Kbi", "Vi", "Mi"}},
        {data::queryFieldsMkfQr(), data::layoutMkf(), {}},
        {data::queryFieldsMkdQr(), data::layoutMkd(), {"Ca2", "Ca3", "Pi"}},
        {data::queryFieldsMazQr(), data::layoutMaz(), {}},
        {data::queryFieldsMbanQr(), data::layoutMban(), {}},
        {data::queryFieldsPbzQr(), data::layoutPbz(), {"D1c"}},
    };
    for (const Case &c : cases) {
        QStringList names, expected;
        for (const FieldDef &f : c.fields) names << f.name;
        for (const FieldDef &f : data::storedLayout(c.table).fields) expected << f.name;
        expected << c.extras;
        EXPECT_EQ(names, expected) << qPrintable(c.table.name);
        for (size_t i = c.fields.size() - size_t(c.extras.size()); i < c.fields.size(); ++i)
            EXPECT_FALSE(c.fields[i].isStored()) << qPrintable(c.fields[i].name);
    }
}

TEST(Layouts, PartialLayoutKeepsTheKeyAndTheIndexesItCovers)
{
    const TableDef c1 = data::partialLayout(data::layoutPmdf(), {"Ca", "Cislo"});
    ASSERT_EQ(c1.fields.size(), 2u);
    EXPECT_EQ(c1.fields[0].name, QStringLiteral("Cislo")); // layout order
    EXPECT_EQ(c1.primaryKey, QStringList{"Cislo"});

    const TableDef p1 = data::partialLayout(data::layoutData(), {"Cislo", "Nazev", "Adresar"});
    EXPECT_TRUE(p1.indexes.empty());
    EXPECT_EQ(p1.primaryKey, QStringList{"Cislo"});
    EXPECT_THROW(data::partialLayout(data::layoutData(), {"Cislo", "Heslo"}), std::invalid_argument);
}

// --- the data module ----------------------------------------------------------------------------

class DataModuleTest : public ::testing::Test {
protected:
    void SetUp() override { data::createDataModule(); }
    void TearDown() override { data::destroyDataModule(); }
};

TEST_F(DataModuleTest, FieldMembersAreTheFieldsOfTheirDataset)
{
    using data::DM1;
    struct Case {
        db::Field *member;
        db::Dataset *dataset;
        const char *field;
        db::FieldKind kind;
    };
    const Case cases[] = {
        {DM1->MbzP2, &DM1->Mbz, "P", db::FieldKind::Data},
        {DM1->MbzP3, &DM1->Mbz, "P3", db::FieldKind::Lookup},
        {DM1->MbzD1, &DM1->Mbz, "D1", db::FieldKind::Data},
        {DM1->MbzKti, &DM1->Mbz, "Kti", db::FieldKind::Lookup},
        {DM1->MbzpPt1, &DM1->Mbzp, "Pt1", db::FieldKind::Calculated},
        {DM1->MttPc, &DM1->Mtt, "Pc", db::FieldKind::Data},
        {DM1->ModfK, &DM1->Modf, "K", db::FieldKind::Data},
        {DM1->ModfPri, &DM1->Modf, "Pri", db::FieldKind::Calculated},
        {DM1->MbanUppAv, &DM1->Mban, "UppAv", db::FieldKind::Calculated},
        {DM1->MbanP1Cislo, &DM1->MbanP1, "Cislo", db::FieldKind::Data},
        {DM1->PmdfC1Ca, &DM1->PmdfC1, "Ca", db::FieldKind::Data},
        {DM1->MazPp, &DM1->Maz, "Pp", db::FieldKind::Data},
        {DM1->UzivHeslo, &DM1->Uziv, "Heslo", db::FieldKind::Data},
        {DM1->AutoP2Pozice, &DM1->AutoP2, "Pozice", db::FieldKind::Data},
        {DM1->MbzQrMi, &DM1->MbzQr, "Mi", db::FieldKind::Lookup},
        {DM1->MkdQrCa3, &DM1->MkdQr, "Ca3", db::FieldKind::Calculated},
        {DM1->MkdQrPi, &DM1->MkdQr, "Pi", db::FieldKind::Lookup},
        {DM1->PbzQrD1c, &DM1->PbzQr, "D1c", db::FieldKind::Calculated},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(c.member) << c.field;
        EXPECT_EQ(&c.member->dataset(), c.dataset) << c.field;
        EXPECT_EQ(c.member->fieldName(), QLatin1String(c.field));
        EXPECT_EQ(c.member->kind(), c.kind) << c.field;
    }
    EXPECT_EQ(DM1->PmdfC1.fieldCount(), 2);
    EXPECT_EQ(DM1->AutoP1.fieldCount(), 3);
    EXPECT_EQ(DM1->AutoP2.fieldCount(), 4);
    EXPECT_EQ(DM1->MbanP1.fieldCount(), int(data::storedLayout(data::layoutMban()).fields.size()));
}

TEST_F(DataModuleTest, EveryLookupIsBoundToMbzpAndEveryObjectToItsConnection)
{
    using data::DM1;
    int lookups = 0;
    for (db::Dataset *ds : DM1->datasets()) {
        for (const auto &f : ds->fields())
            if (f->isLookup()) {
                ++lookups;
                EXPECT_EQ(f->lookupSource(), &DM1->Mbzp) << qPrintable(ds->objectName() + "." + f->fieldName());
            }
        const bool registry = ds->objectName() == QLatin1String("Data") || ds->objectName() == QLatin1String("Uziv") ||
                              ds->objectName().startsWith(QLatin1String("AutoP"));
        EXPECT_EQ(ds->database(), registry ? &DM1->Nazvy : &DM1->Orvidas) << qPrintable(ds->objectName());
    }
    EXPECT_EQ(lookups, 13);
    EXPECT_EQ(DM1->MbzSource.dataset(), &DM1->Mbz);
    EXPECT_EQ(DM1->DataSource.dataset(), &DM1->Data);
    EXPECT_EQ(DM1->Orvidas.name(), QStringLiteral("Orvidas"));
    EXPECT_EQ(DM1->Nazvy.name(), QStringLiteral("Nazvy"));
}

TEST_F(DataModuleTest, TablesOpenInTheOrdersOfTheModule)
{
    using data::DM1;
    struct Case {
        db::Table &table;
        QStringList order;
        const char *file;
    };
    const Case cases[] = {
        {DM1->Mbzp, {"Pc"}, "Mbzp"},   {DM1->Mbz, {"Na"}, "Mbz"},       {DM1->Mkf, {"Ds"}, "Mkf"},
        {DM1->Mban, {"Ds"}, "Mban"},   {DM1->Maz, {"Na"}, "Maz"},       {DM1->Mkd, {"Pcc"}, "Mkd"},
        {DM1->PmdfC1, {"Cislo"}, "Pmdf"}, {DM1->MbanP1, {"ID"}, "Mban"}, {DM1->AutoP1, {"Cislo"}, "Data"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.table.indexFields(), c.order) << qPrintable(c.table.objectName());
        EXPECT_EQ(c.table.tableName(), QLatin1String(c.file)) << qPrintable(c.table.objectName());
    }
    EXPECT_EQ(DM1->MkdQr.sql(), QStringLiteral("Select * From Mkd"));
    EXPECT_TRUE(DM1->PrevodQr.sql().isEmpty());
}

TEST_F(DataModuleTest, OnlyOneInstance)
{
    EXPECT_THROW(data::createDataModule(), std::logic_error);
    data::destroyDataModule();
    EXPECT_EQ(data::DM1, nullptr);
    data::createDataModule();
    EXPECT_NE(data::DM1, nullptr);
}

} // namespace
