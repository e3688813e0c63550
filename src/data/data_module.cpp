#include "data_module.h"

#include "table_layouts.h"

#include <QSet>
#include <stdexcept>

namespace data {

TDM1 *DM1 = nullptr;

namespace {

// One field member of the module and the name of the field it is bound to.
struct FieldBinding {
    db::Field *TDM1::*member;
    const char *field;
};

// Every dataset of the module that declares field objects.
#define TDM1_DATASETS(D) \
    D(Mbzp) D(Mbz) D(Mbp) D(Mkf) D(Mtt) D(Modf) D(Pmt) D(Mban) D(MbanP1) D(Mban1) D(Pmdf) D(PmdfC1) D(Pbz) \
    D(Maz) D(Mkd) D(Mzak) D(Data) D(Uziv) D(AutoP1) D(AutoP2) D(MbzQr) D(MkfQr) D(MkdQr) D(MazQr) D(MbanQr) D(PbzQr)

#define TDM1_BINDING(member, field) {&TDM1::member, #field},
#define TDM1_BINDING_LIST(ds) const FieldBinding k##ds##Fields[] = {TDM1_FIELDS_##ds(TDM1_BINDING)};
TDM1_DATASETS(TDM1_BINDING_LIST)
#undef TDM1_BINDING_LIST
#undef TDM1_BINDING

// Every member of the field lists belongs to a dataset that is bound.
#define TDM1_COUNT_MEMBER(member, field) +1
#define TDM1_COUNT_BINDINGS(ds) +sizeof(k##ds##Fields) / sizeof(FieldBinding)
static_assert(0 TDM1_ALL_FIELDS(TDM1_COUNT_MEMBER) == 0 TDM1_DATASETS(TDM1_COUNT_BINDINGS),
              "a field list of data_module.h is missing from TDM1_DATASETS");
#undef TDM1_COUNT_BINDINGS
#undef TDM1_COUNT_MEMBER

[[noreturn]] void fail(const QString &message)
{
    throw std::logic_error(("TDM1: " + message).toStdString());
}

// Assigns the field members of one dataset; every field of the dataset must get exactly one.
template <std::size_t N>
void bindFields(TDM1 &dm, db::Dataset &ds, const FieldBinding (&bindings)[N])
{
    QSet<const db::Field *> bound;
    for (const FieldBinding &b : bindings) {
        db::Field *f = ds.findField(QLatin1String(b.field));
        if (!f || f->fieldName() != QLatin1String(b.field))
            fail(QStringLiteral("%1 has no field %2").arg(ds.objectName(), QLatin1String(b.field)));
        if (bound.contains(f)) fail(QStringLiteral("%1.%2 is bound twice").arg(ds.objectName(), f->fieldName()));
        bound.insert(f);
        dm.*(b.member) = f;
    }
    for (const auto &f : ds.fields())
        if (!bound.contains(f.get())) fail(QStringLiteral("%1.%2 has no member").arg(ds.objectName(), f->fieldName()));
}

void setUpTable(db::Table &t, db::Database &database, const QString &tableName, const db::TableDef &def)
{
    t.setDatabase(&database);
    t.setTableName(tableName);
    t.setDefinition(def);
}

void setUpQuery(db::Query &q, db::Database &database, const QString &sql, const std::vector<db::FieldDef> &fields)
{
    q.setDatabase(&database);
    q.setSql(sql);
    q.addFields(fields);
}

} // namespace

TDM1::TDM1() : Orvidas(QStringLiteral("Orvidas"), &OrvSession), Nazvy(QStringLiteral("Nazvy"), &OrvSession)
{
    m_datasets = {&Mbzp, &Mbz, &Mbp, &Mkf, &Mtt, &Modf, &Pmt, &Mban, &MbanP1, &Mban1,
                  &Pmdf, &PmdfC1, &Pbz, &Maz, &Mkd, &Mzak, &Data, &Uziv, &AutoP1, &AutoP2,
                  &MbzQr, &MkfQr, &MkdQr, &MazQr, &MbanQr, &PbzQr, &PrevodQr, &PrevQr1};

    // Company tables on the open data set.
    setUpTable(Mbzp, Orvidas, QStringLiteral("Mbzp"), layoutMbzp());
    setUpTable(Mbz, Orvidas, QStringLiteral("Mbz"), layoutMbz());
    setUpTable(Mbp, Orvidas, QStringLiteral("Mbp"), layoutMbp());
    setUpTable(Mkf, Orvidas, QStringLiteral("Mkf"), layoutMkf());
    setUpTable(Mtt, Orvidas, QStringLiteral("Mtt"), layoutMtt());
    setUpTable(Modf, Orvidas, QStringLiteral("Modf"), layoutModf());
    setUpTable(Pmt, Orvidas, QStringLiteral("Pmt"), layoutPmt());
    setUpTable(Mban, Orvidas, QStringLiteral("Mban"), layoutMban());
    setUpTable(MbanP1, Orvidas, QStringLiteral("Mban"), storedLayout(layoutMban()));
    setUpTable(Mban1, Orvidas, QStringLiteral("Mban1"), layoutMban1());
    setUpTable(Pmdf, Orvidas, QStringLiteral("Pmdf"), layoutPmdf());
    setUpTable(PmdfC1, Orvidas, QStringLiteral("Pmdf"),
               partialLayout(layoutPmdf(), {QStringLiteral("Cislo"), QStringLiteral("Ca")}));
    setUpTable(Pbz, Orvidas, QStringLiteral("Pbz"), layoutPbz());
    setUpTable(Maz, Orvidas, QStringLiteral("Maz"), layoutMaz());
    setUpTable(Mkd, Orvidas, QStringLiteral("Mkd"), layoutMkd());
    setUpTable(Mzak, Orvidas, QStringLiteral("Mzak"), layoutMzak());

    // Registry tables in the data root.
    setUpTable(Data, Nazvy, QStringLiteral("Data"), layoutData());
    setUpTable(Uziv, Nazvy, QStringLiteral("Uziv"), layoutUziv());
    setUpTable(AutoP1, Nazvy, QStringLiteral("Data"),
               partialLayout(layoutData(), {QStringLiteral("Cislo"), QStringLiteral("Nazev"), QStringLiteral("Adresar")}));
    setUpTable(AutoP2, Nazvy, QStringLiteral("Data"), storedLayout(layoutData()));
    Uziv.setMaster(&Data, {QStringLiteral("Cislo")}, {QStringLiteral("Cislo")});

    // The orders the module opens the tables in.
    Mbzp.setIndexName(QString());   // Pc
    Mbz.setIndexName(QStringLiteral("Na"));
    Mkf.setIndexName(QStringLiteral("Ds"));
    Mban.setIndexName(QStringLiteral("Ds"));
    Pmdf.setIndexName(QString());   // Cislo
    PmdfC1.setIndexName(QString()); // Cislo
    Maz.setIndexName(QString());    // Na
    Mkd.setIndexName(QString());    // Pcc
    Mzak.setIndexName(QString());   // Czak
    Data.setIndexName(QString());   // Cislo

    // Queries; the Parts replace the statements before opening.
    setUpQuery(MbzQr, Orvidas, QStringLiteral("Select * from Mbz"), queryFieldsMbzQr());
    setUpQuery(MkfQr, Orvidas, QStringLiteral("Select * from Mkf"), queryFieldsMkfQr());
    setUpQuery(MkdQr, Orvidas, QStringLiteral("Select * From Mkd"), queryFieldsMkdQr());
    setUpQuery(MazQr, Orvidas, QStringLiteral("Select * From Maz"), queryFieldsMazQr());
    setUpQuery(MbanQr, Orvidas, QStringLiteral("Select * from Mban"), queryFieldsMbanQr());
    setUpQuery(PbzQr, Orvidas, QStringLiteral("Select * from Pbz"), queryFieldsPbzQr());
    PrevodQr.setDatabase(&Orvidas);
    PrevQr1.setDatabase(&Orvidas);

#define TDM1_BIND_DATASET(ds) bindFields(*this, ds, k##ds##Fields);
    TDM1_DATASETS(TDM1_BIND_DATASET)
#undef TDM1_BIND_DATASET

    bindLookups();
}

TDM1::~TDM1()
{
    Orvidas.close();
    Nazvy.close();
}

void TDM1::bindLookups()
{
    for (db::Dataset *ds : m_datasets)
        for (const auto &f : ds->fields()) {
            if (!f->isLookup()) continue;
            db::Dataset *source = datasetByName(f->def().lookupDataset);
            if (!source)
                fail(QStringLiteral("lookup %1.%2 names an unknown dataset %3")
                         .arg(ds->objectName(), f->fieldName(), f->def().lookupDataset));
            f->bindLookupSource(source);
        }
}

db::Dataset *TDM1::datasetByName(const QString &objectName) const
{
    for (db::Dataset *ds : m_datasets)
        if (ds->objectName().compare(objectName, Qt::CaseInsensitive) == 0) return ds;
    return nullptr;
}

void TDM1::setDataSetFolder(const QString &folder)
{
    closeDataSet();
    Orvidas.setDirectory(folder);
}

void TDM1::closeDataSet() { Orvidas.close(); }

TDM1 &createDataModule()
{
    if (DM1) throw std::logic_error("TDM1: the data module exists already");
    DM1 = new TDM1;
    return *DM1;
}

void destroyDataModule()
{
    delete DM1;
    DM1 = nullptr;
}

} // namespace data
