#include "table_layouts.h"

#include <stdexcept>

namespace data {

using db::FieldDef;
using db::FieldType;
using db::IndexDef;
using db::TableDef;

namespace {

// Widest amount the tables hold, and the narrower ranges of the figures the DOS import carries.
constexpr double kAmount = 9999999999.99;
constexpr double kSmallAmount = 9999999.99;
constexpr double kDays = 99;          // days early (P) and day of month (Spl)
constexpr double kAccount = 999;      // own-account number (Pc), contract number (Czak)
constexpr double kObligation = 99999; // obligation numbers (Pcc)
constexpr double kDosNumber = 999999999;

const QString kYesNo = QStringLiteral("ANO;NE");

FieldDef text(const char *name, int size, const QString &label = {})
{
    return db::textField(QString::fromLatin1(name), size, label);
}
FieldDef small(const char *name, const QString &label = {}) { return db::smallField(QString::fromLatin1(name), label); }
FieldDef small(const char *name, double min, double max, const QString &label = {})
{
    return db::smallField(QString::fromLatin1(name), min, max, label);
}
FieldDef integer(const char *name, const QString &label = {}) { return db::intField(QString::fromLatin1(name), label); }
FieldDef integer(const char *name, double min, double max, const QString &label = {})
{
    return db::intField(QString::fromLatin1(name), min, max, label);
}
// Amounts and other two-decimal figures: float, shown "0.00".
FieldDef amount(const char *name, const QString &label = {})
{
    FieldDef f = db::floatField(QString::fromLatin1(name), label);
    f.displayFormat = QStringLiteral("0.00");
    return f;
}
FieldDef amount(const char *name, double limit, const QString &label = {})
{
    FieldDef f = db::floatField(QString::fromLatin1(name), -limit, limit, label);
    f.displayFormat = QStringLiteral("0.00");
    return f;
}
FieldDef date(const char *name, const QString &label = {}) { return db::dateField(QString::fromLatin1(name), label); }
FieldDef boolean(const char *name, const QString &label = {}) { return db::boolField(QString::fromLatin1(name), label); }
FieldDef yesNo(const char *name, const QString &label = {})
{
    FieldDef f = boolean(name, label);
    f.displayValues = kYesNo;
    return f;
}
FieldDef memo(const char *name) { return db::memoField(QString::fromLatin1(name)); }
FieldDef autoInc(const char *name) { return db::autoIncField(QString::fromLatin1(name)); }
FieldDef calcText(const char *name, int size, const QString &label = {})
{
    return db::calcField(QString::fromLatin1(name), FieldType::Text, size, label);
}
FieldDef calcAmount(const char *name)
{
    FieldDef f = db::calcField(QString::fromLatin1(name), FieldType::Float);
    f.displayFormat = QStringLiteral("0.00");
    return f;
}
// A field of the own account (Mbzp) found by this row's Pc.
FieldDef ownAccountLookup(const char *name, FieldType type, int size, const char *mbzpField, const QString &label = {})
{
    const QString pc = QStringLiteral("Pc");
    return db::lookupField(QString::fromLatin1(name), type, size, QStringLiteral("Mbzp"), pc, pc,
                           QString::fromLatin1(mbzpField), label);
}
IndexDef index(const char *name, const QStringList &fields, const char *suffix)
{
    IndexDef ix;
    ix.name = QString::fromLatin1(name);
    ix.fields = fields;
    ix.fileSuffix = QString::fromLatin1(suffix);
    return ix;
}
// An index that the program selects by its field; it carries the field's name.
IndexDef fieldIndex(const char *field, const char *suffix) { return index(field, {QString::fromLatin1(field)}, suffix); }

TableDef table(const char *name, std::vector<FieldDef> fields, QStringList primaryKey = {},
               std::vector<IndexDef> indexes = {})
{
    TableDef t;
    t.name = QString::fromLatin1(name);
    t.fields = std::move(fields);
    t.primaryKey = std::move(primaryKey);
    t.indexes = std::move(indexes);
    return t;
}

std::vector<FieldDef> fieldsOf(const TableDef &def, const QStringList &names)
{
    std::vector<FieldDef> out;
    for (const QString &n : names) {
        const FieldDef *f = def.field(n);
        if (!f) throw std::invalid_argument(("no field " + n + " in " + def.name).toStdString());
        out.push_back(*f);
    }
    return out;
}

// The stored fields of Mbz from Na to Ik (without the key ID), shared by Mbp and Pbz.
std::vector<FieldDef> mbzPaymentFields()
{
    std::vector<FieldDef> f;
    for (const FieldDef &d : layoutMbz().fields)
        if (d.isStored() && d.name != QLatin1String("ID")) f.push_back(d);
    return f;
}

TableDef makeMbzp()
{
    return table("Mbzp",
                 {
                     small("Pc", -kAccount, kAccount, QStringLiteral("Číslo")),
                     text("Na", 25, QStringLiteral("Pobočka")),
                     text("Ba", 25, QStringLiteral("Název Banky")),
                     text("Cu", 18, QStringLiteral("Číslo účtu")),
                     text("Kb", 4, QStringLiteral("Kód")),
                     boolean("O1"),
                     text("V", 20, QStringLiteral("Vystaveno v")),
                     small("P", -kDays, kDays),
                     text("Kti", 4, QStringLiteral("Tiskopis")),
                     text("M", 4, QStringLiteral("Měna")),
                     calcText("Pt", 10),
                     calcText("Pt1", 15, QStringLiteral("Do banky dodat o")),
                 },
                 {QStringLiteral("Pc")});
}

TableDef makeMbz()
{
    return table("Mbz",
                 {
                     autoInc("ID"),
                     text("Na", 49, QStringLiteral("Název platby")),
                     text("Ba", 25),
                     text("Cu", 18, QStringLiteral("Na účet")),
                     text("Kb", 4, QStringLiteral("Kód")),
                     text("Vs", 11, QStringLiteral("VS")),
                     text("Ks", 4, QStringLiteral("KS")),
                     text("Ss", 12, QStringLiteral("SS")),
                     text("O1", 1),
                     boolean("O2"),
                     boolean("O3"),
                     boolean("O4"),
                     yesNo("O5", QStringLiteral("Vynechat")),
                     small("Spl", -kDays, kDays, QStringLiteral("Periodická platba")),
                     text("Vm", 25),
                     amount("Ca", kAmount, QStringLiteral("Částka")),
                     date("D1", QStringLiteral("Datum")),
                     date("D3", QStringLiteral("Datum")),
                     text("Bai", 25),
                     text("Cui", 18, QStringLiteral("Z účtu")),
                     text("V", 20),
                     small("P", -kDays, kDays, QStringLiteral("Bance dodat ")),
                     small("Pc", -kAccount, kAccount, QStringLiteral("Číslo")),
                     text("Nai", 25),
                     boolean("Cab"),
                     boolean("Vsb"),
                     text("Men", 4),
                     text("Upp", 35),
                     boolean("Ik"),
                     calcText("Pt", 10),
                     calcText("A", 7),
                     calcText("A1", 7),
                     ownAccountLookup("Kti", FieldType::Text, 4, "Kti"),
                     ownAccountLookup("Kbi", FieldType::Text, 4, "Kb", QStringLiteral("Kód")),
                     ownAccountLookup("Vi", FieldType::Text, 20, "V"),
                     ownAccountLookup("Mi", FieldType::Text, 4, "M", QStringLiteral("Měna")),
                     ownAccountLookup("Nai3", FieldType::Text, 25, "Na"),
                     ownAccountLookup("Bai3", FieldType::Text, 25, "Ba"),
                     ownAccountLookup("Cui3", FieldType::Text, 18, "Cu"),
                     ownAccountLookup("P3", FieldType::Small, 0, "P"),
                 },
                 {QStringLiteral("ID")},
                 {
                     index("Na", {QStringLiteral("Na")}, "X02"),
                     index("Cu", {QStringLiteral("Cu")}, "X04"),
                     index("Ospl", {QStringLiteral("O1"), QStringLiteral("Spl")}, "XG0"),
                 });
}

TableDef makeMbp()
{
    std::vector<FieldDef> f{layoutMbz().fields.front()}; // ID
    for (FieldDef &d : mbzPaymentFields()) f.push_back(std::move(d));
    return table("Mbp", std::move(f));
}

TableDef makeMkf()
{
    return table("Mkf",
                 {
                     autoInc("ID"),
                     text("Na", 49, QStringLiteral("Platba")),
                     text("Cu2", 18, QStringLiteral("Na účet")),
                     text("Cu1", 18, QStringLiteral("Z účtu")),
                     text("Vs", 11, QStringLiteral("VS")),
                     amount("Ca", kAmount, QStringLiteral("Částka")),
                     date("Dv", QStringLiteral("Datum")),
                     date("Ds", QStringLiteral("Datum")),
                     text("P", 60, QStringLiteral("Poznámka")),
                     text("Kb", 4, QStringLiteral("Kód")),
                     text("Kbi", 4, QStringLiteral("Kód")),
                     text("Ss", 12, QStringLiteral("SS")),
                     text("Upp", 35, QStringLiteral("Údaje pro potřebu příkazce")),
                     text("M", 4, QStringLiteral("Měna")),
                 },
                 {QStringLiteral("ID")}, {fieldIndex("Ds", "X08")});
}

TableDef makeMtt()
{
    return table("Mtt", {
                            date("Dv", QStringLiteral("Datum")),
                            date("Ds", QStringLiteral("Datum")),
                            text("V", 20),
                            date("Dz", QStringLiteral("Datum předání bance")),
                            date("Dk", QStringLiteral("Datum")),
                            small("P", -kDays, kDays),
                            small("Pc", -kAccount, kAccount, QStringLiteral("Číslo banky")),
                            text("Na", 25),
                            text("Ba", 25),
                            text("Cu", 18),
                            small("Vh", 0, 999, QStringLiteral("Horní okraj")),
                            small("Vl", 0, 999, QStringLiteral("Levý okraj")),
                            small("Kop", 1, 999, QStringLiteral("Počet Kopií")),
                            boolean("Pk"),
                            boolean("Obr"),
                            text("Kod", 20),
                            text("Ico", 8),
                            text("Dic", 15),
                            text("Fa", 25),
                            text("Ul", 25),
                            text("Mi", 25),
                            text("Psc", 6),
                            text("Tel1", 25),
                            text("Fax", 25),
                            date("Dzh"),
                            date("Dkh"),
                            text("T", 66),
                            text("Nah", 49),
                            integer("Pcc1", -kObligation, kObligation),
                            integer("Pcc2", -kObligation, kObligation),
                            integer("Pcc"),
                            date("D"),
                            boolean("Banka"),
                            boolean("Za1"),
                            text("Uh4", 4),
                            text("Ik4", 4),
                            text("Zavt", 30),
                            boolean("Strc"),
                            date("Doz"),
                            boolean("Za2"),
                            boolean("Za3"),
                            boolean("Za4"),
                            boolean("Z1"),
                            date("Dpz"),
                            boolean("Vsd"),
                            boolean("Zak"),
                            boolean("Prh1"),
                            text("Trh1", 40),
                            calcText("A", 7),
                        });
}

TableDef makeModf()
{
    return table("Modf", {
                             text("K", 10),
                             boolean("Ju"),
                             boolean("Td"),
                             boolean("Dd"),
                             boolean("Bupp"),
                             boolean("Zpp"),
                             boolean("Ihn"),
                             boolean("Tc"),
                             boolean("Odl"),
                             text("Fa", 30),
                             date("D1", QStringLiteral("Datum")),
                             date("D3", QStringLiteral("Datum")),
                             text("Uh", 1),
                             text("Ik", 1),
                             boolean("Pre"),
                             calcText("A", 7),
                             calcText("B", 7),
                             calcText("Pri", 10),
                         });
}

TableDef makePmt()
{
    return table("Pmt", {
                            boolean("Odl"),
                            text("Fa", 30),
                            text("Uh", 1),
                            text("Ik", 1),
                            boolean("Za1"),
                            date("Da"),
                            boolean("Tc"),
                        });
}

TableDef makeMban()
{
    return table("Mban",
                 {
                     autoInc("ID"),
                     text("Cu1", 18, QStringLiteral("Vaše číslo účtu")),
                     text("Cu2", 18, QStringLiteral("Číslo protiúčtu")),
                     text("Kod", 4, QStringLiteral("Kód")),
                     text("Ss", 10, QStringLiteral("SS")),
                     text("Vs", 10, QStringLiteral("VS")),
                     text("Ks", 4, QStringLiteral("KS")),
                     amount("Ca", kAmount, QStringLiteral("Částka")),
                     date("Ds", QStringLiteral("Datum")),
                     text("Tp", 1, QStringLiteral("Typ")),
                     text("Kodi", 4, QStringLiteral("Kód")),
                     text("Upp", 35, QStringLiteral("Údaje pro potřebu příkazce")),
                     small("Rd", QStringLiteral("Řd.")),
                     integer("M1"),
                     integer("Cislo"),
                     calcText("UppAv", 40),
                 },
                 {QStringLiteral("ID")}, {fieldIndex("Ds", "X09")});
}

TableDef makeMban1()
{
    return table("Mban1", {
                              text("Cu1", 18),
                              text("Kodi", 4),
                              amount("Cac"),
                              date("Ds"),
                              text("Tp", 1),
                          });
}

TableDef makePmdf()
{
    return table("Pmdf",
                 {
                     integer("Cislo"),
                     text("K", 10),
                     boolean("Ju"),
                     boolean("Td"),
                     boolean("Dd"),
                     boolean("Bupp"),
                     boolean("Zpp"),
                     boolean("Ihn"),
                     boolean("Tc"),
                     boolean("Vsd"),
                     yesNo("Tisk"),
                     text("Cu1", 18, QStringLiteral("Vaše číslo účtu")),
                     text("Kodi", 4, QStringLiteral("Kód")),
                     text("Cu2", 18, QStringLiteral("Číslo protiúčtu")),
                     text("Kod", 4, QStringLiteral("Kód")),
                     text("Vs", 10, QStringLiteral("VS")),
                     amount("Ca", QStringLiteral("Částka")),
                     date("D1"),
                     date("D3"),
                     text("Tpr", 20, QStringLiteral("Příkaz")),
                     small("Tsf"),
                     text("Mi", 4),
                     calcText("D1c", 10, QStringLiteral("Splatnost")),
                     calcText("D3c", 10, QStringLiteral("Vystavení")),
                 },
                 {QStringLiteral("Cislo")});
}

TableDef makePbz()
{
    std::vector<FieldDef> f{autoInc("ID"), integer("Cislo")};
    for (FieldDef &d : mbzPaymentFields()) f.push_back(std::move(d));
    f.push_back(text("Kti", 4));
    f.push_back(text("Kbi", 4));
    f.push_back(text("Vi", 20));
    f.push_back(text("Mi", 4));
    f.push_back(boolean("Ihn"));
    return table("Pbz", std::move(f), {QStringLiteral("ID")});
}

TableDef makeMaz()
{
    TableDef t = table("Maz",
                       {
                           text("Na", 49, QStringLiteral("Název")),
                           text("Ico", 8),
                           text("Dic", 15),
                           text("Fa", 25),
                           text("Jm", 20),
                           text("Ul", 20),
                           text("Psc", 6),
                           text("Mi", 20),
                           text("Cobz", 15),
                           date("Dobz"),
                           text("Dan", 2),
                           text("P1", 20),
                           text("P2", 20),
                           text("P3", 20),
                           text("Kp1", 20),
                           text("Kp2", 20),
                           text("Tel", 20),
                           boolean("O"),
                           text("Ku1", 20),
                           text("Ku2", 20),
                           text("Ku3", 20),
                           boolean("A"),
                           boolean("B"),
                           boolean("C"),
                           memo("Pp"),
                           amount("Sl", 99.99),
                           text("Bai", 25),
                           text("Cui", 18),
                           small("Pc", -kAccount, kAccount),
                           small("P", -kDays, kDays),
                           text("Nai", 25),
                           text("Ba", 25),
                           text("Cu", 18, QStringLiteral("Číslo účtu")),
                           text("Kb", 4, QStringLiteral("Kód")),
                           text("Ks", 4),
                           text("Ss", 12),
                           amount("Ca", kAmount, QStringLiteral("Částka")),
                           text("Vs", 11),
                           small("Spl", -kDays, kDays, QStringLiteral("Platba")),
                           text("Vm", 25, QStringLiteral("v měsících")),
                           calcText("Pt", 10),
                       },
                       {QStringLiteral("Na")}, {fieldIndex("Spl", "X27")});
    t.memoStore = true;
    return t;
}

TableDef makeMkd()
{
    const QString ca = QStringLiteral("Částka");
    return table("Mkd",
                 {
                     integer("Pcc", -kObligation, kObligation),
                     text("Vs", 11),
                     text("Na", 49),
                     amount("Ca", kAmount, ca),
                     amount("Caz", kAmount, ca),
                     amount("Ca1", kAmount, ca),
                     date("Dp"),
                     text("Dc", 15),
                     text("Poz", 60),
                     integer("Cf", -kDosNumber, kDosNumber),
                     text("Fa", 25),
                     text("Ul", 20),
                     text("Mi", 20),
                     text("Psc", 6),
                     date("Dss"),
                     date("Do1"),
                     date("Dz"),
                     amount("Scs1", kSmallAmount),
                     date("Dss1"),
                     amount("Scs2", kSmallAmount),
                     small("P", -kDays, kDays),
                     amount("Zdp", kSmallAmount),
                     amount("Zd0", kSmallAmount),
                     amount("Zd", kSmallAmount),
                     amount("D5", kSmallAmount),
                     amount("Zd2", kSmallAmount),
                     amount("D2", kSmallAmount),
                     text("Dok", 3),
                     integer("Ci", -kDosNumber, kDosNumber),
                     text("Ko", 4),
                     date("D1"),
                     text("Bai", 25),
                     text("Cui", 18),
                     small("Pc", -kAccount, kAccount),
                     text("Nai", 25),
                     text("Ba", 25),
                     text("Cu", 18),
                     text("Kb", 4),
                     text("Ks", 4),
                     text("Ss", 12),
                     boolean("Aa"),
                     date("D3"),
                     small("Spl", -kDays, kDays),
                     text("Vm", 25),
                     small("Czak", -kAccount, kAccount),
                     text("Nzak", 30),
                     text("Upp", 35),
                     boolean("Ia"),
                     text("Neh", 1),
                     calcText("Pt", 10),
                     calcText("A", 7),
                     calcText("A1", 7),
                 },
                 {QStringLiteral("Pcc")},
                 {
                     fieldIndex("Vs", "X02"),
                     fieldIndex("Na", "X03"),
                     fieldIndex("Ca", "X04"),
                     fieldIndex("Dp", "X07"),
                     fieldIndex("Dss", "X0F"),
                     fieldIndex("Do1", "X10"),
                 });
}

TableDef makeMzak()
{
    return table("Mzak",
                 {
                     small("Czak", -kAccount, kAccount, QStringLiteral("Číslo")),
                     text("Nzak", 30, QStringLiteral("Název")),
                 },
                 {QStringLiteral("Czak")});
}

TableDef makeData()
{
    return table("Data",
                 {
                     integer("Cislo", QStringLiteral("Číslo")),
                     integer("Pozice"),
                     text("Nazev", 20, QStringLiteral("Název")),
                     text("Adresar", 20, QStringLiteral("Adresář")),
                 },
                 {QStringLiteral("Cislo")}, {fieldIndex("Pozice", "X02")});
}

TableDef makeUziv()
{
    return table("Uziv",
                 {
                     integer("Cislo", QStringLiteral("Číslo")),
                     text("Heslo", 10),
                 },
                 {QStringLiteral("Cislo")});
}

std::vector<FieldDef> queryFields(const TableDef &def, std::vector<FieldDef> extras = {})
{
    std::vector<FieldDef> f = storedLayout(def).fields;
    for (FieldDef &d : extras) f.push_back(std::move(d));
    return f;
}

} // namespace

const TableDef &layoutMbzp() { static const TableDef t = makeMbzp(); return t; }
const TableDef &layoutMbz() { static const TableDef t = makeMbz(); return t; }
const TableDef &layoutMbp() { static const TableDef t = makeMbp(); return t; }
const TableDef &layoutMkf() { static const TableDef t = makeMkf(); return t; }
const TableDef &layoutMtt() { static const TableDef t = makeMtt(); return t; }
const TableDef &layoutModf() { static const TableDef t = makeModf(); return t; }
const TableDef &layoutPmt() { static const TableDef t = makePmt(); return t; }
const TableDef &layoutMban() { static const TableDef t = makeMban(); return t; }
const TableDef &layoutMban1() { static const TableDef t = makeMban1(); return t; }
const TableDef &layoutPmdf() { static const TableDef t = makePmdf(); return t; }
const TableDef &layoutPbz() { static const TableDef t = makePbz(); return t; }
const TableDef &layoutMaz() { static const TableDef t = makeMaz(); return t; }
const TableDef &layoutMkd() { static const TableDef t = makeMkd(); return t; }
const TableDef &layoutMzak() { static const TableDef t = makeMzak(); return t; }
const TableDef &layoutData() { static const TableDef t = makeData(); return t; }
const TableDef &layoutUziv() { static const TableDef t = makeUziv(); return t; }

const std::vector<const TableDef *> &companyTables()
{
    static const std::vector<const TableDef *> tables{
        &layoutMban(), &layoutMbp(),  &layoutMbz(),   &layoutMbzp(), &layoutMkf(),
        &layoutModf(), &layoutMtt(),  &layoutMaz(),   &layoutMkd(),  &layoutMzak(),
        &layoutMban1(), &layoutPmt(), &layoutPmdf(),  &layoutPbz(),
    };
    return tables;
}

const std::vector<const TableDef *> &registryTables()
{
    static const std::vector<const TableDef *> tables{&layoutData(), &layoutUziv()};
    return tables;
}

const TableDef *layoutByName(const QString &tableName)
{
    for (const auto *list : {&companyTables(), &registryTables()})
        for (const TableDef *t : *list)
            if (t->name.compare(tableName, Qt::CaseInsensitive) == 0) return t;
    return nullptr;
}

TableDef storedLayout(const TableDef &def)
{
    TableDef t = def;
    t.fields.clear();
    for (const FieldDef &f : def.fields)
        if (f.isStored()) t.fields.push_back(f);
    return t;
}

TableDef partialLayout(const TableDef &def, const QStringList &fieldNames)
{
    TableDef t = def;
    t.fields.clear();
    for (const QString &n : fieldNames) {
        const FieldDef *f = def.field(n);
        if (!f || !f->isStored()) throw std::invalid_argument(("no stored field " + n + " in " + def.name).toStdString());
    }
    for (const FieldDef &f : def.fields)
        if (fieldNames.contains(f.name, Qt::CaseInsensitive)) t.fields.push_back(f);
    auto covered = [&](const QStringList &fields) {
        for (const QString &f : fields)
            if (!fieldNames.contains(f, Qt::CaseInsensitive)) return false;
        return true;
    };
    if (!covered(t.primaryKey)) t.primaryKey.clear();
    t.indexes.clear();
    for (const IndexDef &ix : def.indexes)
        if (covered(ix.fields)) t.indexes.push_back(ix);
    return t;
}

const std::vector<FieldDef> &queryFieldsMbzQr()
{
    static const std::vector<FieldDef> f = queryFields(
        layoutMbz(), fieldsOf(layoutMbz(), {QStringLiteral("Kti"), QStringLiteral("Kbi"), QStringLiteral("Vi"),
                                            QStringLiteral("Mi")}));
    return f;
}

const std::vector<FieldDef> &queryFieldsMkfQr()
{
    static const std::vector<FieldDef> f = queryFields(layoutMkf());
    return f;
}

const std::vector<FieldDef> &queryFieldsMkdQr()
{
    static const std::vector<FieldDef> f =
        queryFields(layoutMkd(), {calcAmount("Ca2"), calcAmount("Ca3"), ownAccountLookup("Pi", FieldType::Small, 0, "P")});
    return f;
}

const std::vector<FieldDef> &queryFieldsMazQr()
{
    static const std::vector<FieldDef> f = queryFields(layoutMaz());
    return f;
}

const std::vector<FieldDef> &queryFieldsMbanQr()
{
    static const std::vector<FieldDef> f = queryFields(layoutMban());
    return f;
}

const std::vector<FieldDef> &queryFieldsPbzQr()
{
    static const std::vector<FieldDef> f = queryFields(layoutPbz(), {calcText("D1c", 10)});
    return f;
}

} // namespace data
