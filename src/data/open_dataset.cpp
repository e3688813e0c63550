// Opening, upgrading and closing a data set.
#include "open_dataset.h"

#include "data_module.h"
#include "program_state.h"
#include "table_rules.h"
#include "template_folder.h"

#include <QDir>
#include <QFile>

namespace data {

namespace {

// Runs one statement through the data module's statement query.
void runStatement(TDM1 &dm, const QString &sql)
{
    dm.PrevodQr.close();
    dm.PrevodQr.setSql(sql);
    dm.PrevodQr.execSql();
    dm.PrevodQr.close();
}

bool tryOpen(db::Table &t)
{
    try {
        t.open();
        return true;
    } catch (const db::DbError &) {
        t.close();
        return false;
    }
}

// Tries each statement on its own; returns which ones succeeded.
std::vector<bool> runUpgrade(TDM1 &dm, db::Table &table, const QStringList &statements, OpenReport &report)
{
    std::vector<bool> ok;
    for (const QString &sql : statements) {
        table.close();
        try {
            runStatement(dm, sql);
            ok.push_back(true);
            report.upgrades << sql;
        } catch (const db::DbError &) {
            dm.PrevodQr.close();
            ok.push_back(false);
        }
    }
    return ok;
}

// Opens a table, copying its files from the template folder when it cannot be opened.
void openOrCopy(TDM1 &dm, db::Table &table, const QStringList &files, OpenReport &report)
{
    if (tryOpen(table)) return;
    const QString folder = dm.Orvidas.directory();
    const QString root = QFileInfo(folder).absolutePath();
    for (const QString &f : files) {
        if (!copyFromTemplate(root, f, folder))
            throw db::DbError(db::ErrIo, QStringLiteral("Soubor %1 nelze zkopírovat ze vzorové složky.").arg(f));
        report.upgrades << QStringLiteral("copy ") + f;
    }
    table.open();
}

void deleteStaleLocks(const QString &folder)
{
    const QDir dir(folder);
    if (QFile::remove(dir.filePath(QStringLiteral("Pdoxusrs.lck")))) QFile::remove(dir.filePath(QStringLiteral("Paradox.lck")));
}

} // namespace

void OtevritTabulky(TDM1 &dm, OpenReport &report)
{
    ProgramState &ps = program();
    ps.statusUpdatesOn = false;
    for (db::Table *t : {&dm.Mbzp, &dm.Modf, &dm.Mkf, &dm.Mbz}) t->open();

    if (!tryOpen(dm.Mtt)) {
        const std::vector<bool> ok = runUpgrade(
            dm, dm.Mtt,
            {QStringLiteral("Alter Table Mtt Add Banka Boolean, Add Za1 Boolean, Add Uh4 Char(4), Add Ik4 Char(4), Add Zavt Char(30)\n"
                            ", Add Strc Boolean, Add Doz Date, Add Za2 Boolean, Add Za3 Boolean, Add Za4 Boolean"),
             QStringLiteral("Alter Table Mtt Add Z1 Boolean"), QStringLiteral("Alter Table Mtt Add Dpz Date"),
             QStringLiteral("Alter Table Mtt Add Vsd Boolean"),
             QStringLiteral("Alter Table Mtt Add Zak Boolean, Add Prh1 Boolean, Add Trh1 Char(40)")},
            report);
        dm.Mtt.open();
        dm.Mtt.edit();
        if (ok[0]) {
            for (db::Field *f : {dm.MttBanka, dm.MttZa1, dm.MttZa2, dm.MttZa3, dm.MttZa4}) f->setAsBoolean(false);
            dm.MttStrc->setAsBoolean(true);
        }
        if (ok[1]) dm.MttZ1->setAsBoolean(false);
        if (ok[3]) dm.MttVsd->setAsBoolean(false);
        if (ok[4]) {
            dm.MttZak->setAsBoolean(false);
            dm.MttPrh1->setAsBoolean(true);
            dm.MttTrh1->setAsString(QStringLiteral("vybraný příkaz"));
        }
        dm.Mtt.post();
    }

    dm.Mzak.open();

    if (!tryOpen(dm.Mkd)) {
        // A failure of this statement stops the opening like any other table that cannot open.
        runStatement(dm, QStringLiteral("Alter Table Mkd Add Neh Char(1)"));
        report.upgrades << QStringLiteral("Alter Table Mkd Add Neh Char(1)");
        dm.Mkd.open();
    }

    dm.Maz.open();

    openOrCopy(dm, dm.Mban1, {QStringLiteral("Mban1.DB")}, report);
    dm.Mban1.close();

    if (!tryOpen(dm.Mban)) {
        runUpgrade(dm, dm.Mban,
                   {QStringLiteral("Alter Table Mban Add Kodi Char(4), Add Upp Char(35), Add Rd Smallint"),
                    QStringLiteral("Alter Table Mban Add M1 Integer"), QStringLiteral("Alter Table Mban Add Cislo Integer")},
                   report);
        dm.Mban.open();
    }
    dm.Mban.close();

    openOrCopy(dm, dm.Pmt, {QStringLiteral("Pmt.DB")}, report);
    openOrCopy(dm, dm.Pmdf, {QStringLiteral("Pmdf.DB"), QStringLiteral("Pmdf.PX")}, report);
    openOrCopy(dm, dm.Pbz, {QStringLiteral("Pbz.DB"), QStringLiteral("Pbz.PX")}, report);

    Obnovit1(dm);
    NazevDp1(dm);
    if (StatusSink *sink = ps.statusSink())
        for (int panel = 0; panel < 3; ++panel) sink->setPanelText(panel, QString());
    ps.statusUpdatesOn = true;
    report.complete = true;
}

void Obnovit1(TDM1 &dm)
{
    for (db::Table *t : {&dm.Mbzp, &dm.Modf, &dm.Mkf, &dm.Mbz, &dm.Mtt, &dm.Mzak, &dm.Mkd, &dm.Maz, &dm.Pmt, &dm.Pmdf, &dm.Pbz})
        if (t->active()) t->refresh();
}

OpenReport openDataSet(TDM1 &dm, const QString &dataRoot, const QString &folder)
{
    OpenReport report;
    ProgramState &ps = program();
    ps.statusUpdatesOn = false;
    try {
        const QString path = QDir(dataRoot).filePath(folder);
        dm.setDataSetFolder(path);
        deleteStaleLocks(path);
        OtevritTabulky(dm, report);
    } catch (const db::DbError &e) {
        report.error = e.message();
    } catch (const db::Abort &) {
        report.error = QStringLiteral("Otevření bylo přerušeno.");
    }
    ps.obligationNumberingSuppressed = false;
    ps.statusUpdatesOn = true;
    return report;
}

void closeAll(TDM1 &dm)
{
    dm.Orvidas.close();
    dm.Nazvy.close();
    dm.OrvSession.close();
}

} // namespace data
