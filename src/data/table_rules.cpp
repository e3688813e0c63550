// The rules the data module attaches to its tables.
#include "table_rules.h"

#include "data_module.h"
#include "program_state.h"

#include "platform/db/formats.h"

#include <QHash>

namespace data {

namespace {

ProgramState &ps() { return program(); }

// An integer field formatted with "0" and assigned back: empty becomes 0.
void normaliseInt(db::Field *f)
{
    if (f) f->setAsString(QString::number(f->asInteger()));
}

// An amount formatted with "0.00" and read back: empty becomes 0, rounded to two decimals.
void normaliseAmount(db::Field *f)
{
    if (f) f->setAsString(db::formatFloat(f->asFloat(), QStringLiteral("0.00")));
}

void setDateText(db::Field &f, const QString &typed)
{
    const QString s = DatumAll(typed, ps().today());
    if (s.trimmed().isEmpty()) {
        f.clear();
        return;
    }
    const QDate d = readDateText(s, ps().today());
    if (!d.isValid()) throw db::DbError(db::ErrInvalidValue, QStringLiteral("'%1' není platný datum").arg(s));
    f.setAsDate(d);
}

// Refuses a Saturday or Sunday while one of the windows is open.
void weekendCheck(db::Field *f, const QString &what, std::initializer_list<WindowId> windows)
{
    const std::vector<WindowId> ws(windows);
    f->onValidate = [what, ws](db::Field &field) {
        bool open = false;
        for (WindowId w : ws) open = open || ps().isOpen(w);
        if (!open || field.isNull()) return;
        const QDate d = field.asDate();
        if (d.dayOfWeek() < Qt::Saturday) return;
        ps().information(QStringLiteral("%1 %2 je %3, opravte datum.").arg(what, db::dateText(d), weekdayName(d)));
        throw db::Abort();
    };
}

void keyMessage(db::Dataset &table, const std::function<QString()> &message, const std::function<void()> &after = {})
{
    table.onPostError = [message, after](db::Dataset &, const db::DbError &e, db::PostErrorAction &action) {
        if (e.code() != db::ErrKeyViolation) return;
        ps().error(message());
        if (after) after();
        action = db::PostErrorAction::Abort;
    };
}

QString counterText(const db::Dataset &table, int count)
{
    if (table.state() == db::DatasetState::Insert) return QStringLiteral("Nový záznam");
    if (count < 1) return QStringLiteral("0/%1").arg(count);
    return QStringLiteral("%1/%2").arg(table.recNo()).arg(count);
}

QString mkdCounterText(const db::Dataset &mkd)
{
    const int count = tableCount(mkd);
    if (mkd.filtered()) return QStringLiteral("Výběr %1").arg(count);
    return counterText(mkd, count);
}

// Status-bar upkeep of a table with a record counter.
void counterUpkeep(db::Dataset &table, bool obligations)
{
    auto afterChange = [obligations](db::Dataset &t) {
        if (!ps().statusUpdatesOn) return;
        tableCount(t) = t.recordCount();
        if (obligations) ps().status(1, mkdCounterText(t));
        else Zaznam(t, tableCount(t));
    };
    auto chain = [](std::function<void(db::Dataset &)> &slot, std::function<void(db::Dataset &)> extra) {
        auto prev = slot;
        slot = [prev, extra](db::Dataset &t) {
            if (prev) prev(t);
            extra(t);
        };
    };
    chain(table.afterPost, afterChange);
    chain(table.afterDelete, afterChange);
    db::Dataset *t = &table;
    table.dataChanged.connect([t, obligations]() {
        if (!ps().statusUpdatesOn || !t->active()) return;
        if (obligations) ps().status(1, mkdCounterText(*t));
        else Zaznam(*t, tableCount(*t));
    });
    table.stateChanged.connect([t]() {
        if (ps().statusUpdatesOn) StatusEdit(*t);
    });
}

void chainAfter(std::function<void(db::Dataset &)> &slot, std::function<void(db::Dataset &)> extra)
{
    auto prev = slot;
    slot = [prev, extra](db::Dataset &t) {
        if (prev) prev(t);
        extra(t);
    };
}

void installDateTexts(TDM1 &dm)
{
    db::Field *fields[] = {dm.ModfD1, dm.ModfD3, dm.MkfDv,  dm.MkfDs,  dm.MbzD1,  dm.MbzD3,  dm.MttDv,   dm.MttDs,
                           dm.MttDz,  dm.MttDk,  dm.MttDzh, dm.MttDkh, dm.MttD,   dm.MttDoz, dm.MttDpz,  dm.MbanDs,
                           dm.MkdDp,  dm.MkdDss, dm.MkdDo1, dm.MkdDz,  dm.MkdDss1, dm.MkdD1, dm.MkdD3,   dm.MazDobz};
    for (db::Field *f : fields) f->onSetText = setDateText;
    weekendCheck(dm.ModfD1, QStringLiteral("Datum splatnosti"), {WindowId::DateChoice});
    weekendCheck(dm.ModfD3, QStringLiteral("Datum vystavení"), {WindowId::DateChoice});
    weekendCheck(dm.MbzD1, QStringLiteral("Datum splatnosti"), {WindowId::Payments, WindowId::PeriodicPayments});
    weekendCheck(dm.MkdDss, QStringLiteral("Datum splatnosti"),
                 {WindowId::ObligationEntry, WindowId::PeriodicObligationEntry, WindowId::DirectDebitEntry,
                  WindowId::PayingObligations});
}

void installNewRecordRules(TDM1 &dm)
{
    dm.Mbzp.onNewRecord = [&dm](db::Dataset &) {
        dm.MbzpO1->setAsBoolean(false);
        dm.MbzpP->setAsInteger(0);
        dm.MbzpM->setAsString(QStringLiteral("Kč"));
        ps().requestFocus(WindowId::OwnAccounts, QStringLiteral("DBEditPc"));
    };
    dm.Mbz.onNewRecord = [&dm](db::Dataset &) {
        ps().defaultsInProgress = false;
        try {
            dm.MbzP2->setAsInteger(0);
            dm.MbzCab->setAsBoolean(false);
            dm.MbzVsb->setAsBoolean(false);
            dm.MbzO1->setAsString(QStringLiteral("F"));
            for (db::Field *f : {dm.MbzO2, dm.MbzO3, dm.MbzO4, dm.MbzO5, dm.MbzIk}) f->setAsBoolean(false);
            if (dm.Modf.active() && dm.ModfDd->asBoolean()) {
                dm.MbzD3->setAsString(dm.ModfD3->asString());
                dm.MbzD1->setAsString(dm.ModfD1->asString());
            }
            const bool oneAccount = dm.Modf.active() && dm.ModfJu->asBoolean();
            if (oneAccount) {
                dm.MbzPc->setAsInteger(0);
                dm.MbzBai->setValue(dm.MbzBai3->value());
                dm.MbzNai->setValue(dm.MbzNai3->value());
                dm.MbzCui->setValue(dm.MbzCui3->value());
                dm.MbzP2->setValue(dm.MbzP3->value());
            }
            ps().requestFocus(WindowId::Payments, oneAccount ? QStringLiteral("DBEditD1") : QStringLiteral("DBEditPc"));
        } catch (...) {
            ps().defaultsInProgress = true;
            throw;
        }
        ps().defaultsInProgress = true;
    };
    dm.Mkf.onNewRecord = [&dm](db::Dataset &) {
        dm.MkfNa->clear();
        dm.MkfM->setAsString(QStringLiteral("Kč"));
        ps().requestFocus(WindowId::BookOfOrders, QStringLiteral("DBEditDs"));
    };
    dm.Mban.onNewRecord = [&dm](db::Dataset &) {
        if (dm.Modf.active()) dm.MbanTp->setValue(dm.ModfUh->value());
    };
    dm.Maz.onNewRecord = [&dm](db::Dataset &) {
        ps().defaultsInProgress = false;
        for (db::Field *f : {dm.MazO, dm.MazA, dm.MazB, dm.MazC}) f->setAsBoolean(false);
        dm.MazP->setAsInteger(0);
        ps().requestFocus(WindowId::SupplierBook, QStringLiteral("DBEditNa"));
        ps().defaultsInProgress = true;
    };
    dm.Mkd.onNewRecord = [&dm](db::Dataset &) {
        ps().defaultsInProgress = false;
        try {
            if (dm.Mtt.active()) dm.MkdPcc->setValue(dm.MttPcc->value());
            dm.MkdDo1->setAsDate(ps().today());
            dm.MkdAa->setAsBoolean(true);
            dm.MkdIa->setAsBoolean(false);
            if (ps().isOpen(WindowId::DirectDebitEntry)) {
                dm.MkdAa->setAsBoolean(false);
                dm.MkdIa->setAsBoolean(true);
            }
        } catch (...) {
            ps().defaultsInProgress = true;
            throw;
        }
        ps().defaultsInProgress = true;
    };
    dm.Pmdf.onNewRecord = [&dm](db::Dataset &) {
        dm.PmdfC1.open();
        dm.PmdfC1.last();
        const qint64 next = dm.PmdfC1.isEmpty() ? 1 : dm.PmdfC1Cislo->asInteger() + 1;
        dm.PmdfC1.close();
        dm.PmdfCislo->setAsInteger(next);
    };
}

void installBeforePostRules(TDM1 &dm)
{
    dm.Mbzp.beforePost = [&dm](db::Dataset &) {
        normaliseInt(dm.MbzpP);
        normaliseInt(dm.MbzpPc);
    };
    dm.Mbz.beforePost = [&dm](db::Dataset &) {
        normaliseInt(dm.MbzSpl);
        normaliseAmount(dm.MbzCa);
        normaliseInt(dm.MbzP2);
        normaliseInt(dm.MbzPc);
    };
    dm.Mkf.beforePost = [&dm](db::Dataset &) { normaliseAmount(dm.MkfCa); };
    dm.Maz.beforePost = [&dm](db::Dataset &) {
        normaliseAmount(dm.MazSl);
        normaliseInt(dm.MazPc);
        normaliseInt(dm.MazP);
        normaliseAmount(dm.MazCa);
        normaliseInt(dm.MazSpl);
    };
    dm.Mzak.beforePost = [&dm](db::Dataset &) { normaliseInt(dm.MzakCzak); };
    dm.Mban.beforePost = [&dm](db::Dataset &) {
        normaliseAmount(dm.MbanCa);
        const QDate today = ps().today();
        if (dm.MbanDs->isNull()) dm.MbanDs->setAsDate(today);
        if (dm.MbanDs->asDate() < today && dm.Mtt.active() && dm.MttZa1->asBoolean()) dm.MbanDs->setAsDate(today);
    };
    dm.Mkd.beforePost = [&dm](db::Dataset &mkd) {
        for (db::Field *f : {dm.MkdCa, dm.MkdCaz, dm.MkdCa1}) normaliseAmount(f);
        if (ps().normaliseObligationNumbers) {
            for (db::Field *f : {dm.MkdPcc, dm.MkdCf, dm.MkdP, dm.MkdCi, dm.MkdPc, dm.MkdSpl, dm.MkdCzak}) normaliseInt(f);
            for (db::Field *f : {dm.MkdScs1, dm.MkdScs2, dm.MkdZdp, dm.MkdZd0, dm.MkdZd, dm.MkdD5, dm.MkdZd2, dm.MkdD2})
                normaliseAmount(f);
        }
        if (mkd.state() == db::DatasetState::Insert && !ps().obligationNumberingSuppressed) {
            dm.Mtt.edit();
            dm.MttPcc->setAsInteger(dm.MkdPcc->asInteger() + 1);
            dm.Mtt.post();
        }
    };
    dm.Mtt.beforePost = [&dm](db::Dataset &) {
        auto refuse = [](const QString &message) {
            ps().information(message);
            throw db::Abort();
        };
        if (ps().isOpen(WindowId::PrintCentre) && !ps().printCentreChecksSuspended) {
            if (dm.MttDz->isNull() || dm.MttDs->isNull() || dm.MttDk->isNull()) refuse(QStringLiteral("Zadejte datum - Velorad"));
            else if (dm.MttDzh->isNull() || dm.MttDkh->isNull()) refuse(QStringLiteral("Zadejte datum - závazky"));
        }
        if (ps().isOpen(WindowId::Purge) && dm.MttD->isNull()) refuse(QStringLiteral("Zadejte datum."));
        if (ps().isOpen(WindowId::OtherDate) && dm.MttDpz->isNull()) refuse(QStringLiteral("Zadejte datum."));
        for (db::Field *f : {dm.MttP, dm.MttPc, dm.MttVh, dm.MttVl, dm.MttKop, dm.MttPcc1, dm.MttPcc2, dm.MttPcc}) normaliseInt(f);
    };
}

void installKeyMessagesAndGuards(TDM1 &dm)
{
    keyMessage(dm.Mbzp, [] { return QStringLiteral("Duplicitní klíč - číslo banky"); });
    keyMessage(dm.Maz, [] { return QStringLiteral("Duplicitní klíč - dodavatel"); });
    keyMessage(dm.Mzak, [] { return QStringLiteral("Duplicitní klíč - číslo zakázky"); });
    keyMessage(
        dm.Mkd, [&dm] { return QStringLiteral("Závazek s pořadovým číslem %1 již existuje.").arg(dm.MkdPcc->asString()); },
        [] {
            for (WindowId w : {WindowId::DirectDebitEntry, WindowId::PeriodicObligationEntry, WindowId::ObligationEntry})
                ps().requestFocus(w, QStringLiteral("DBEditPcc"));
        });
    auto mbzGuard = [](db::Dataset &) {
        if (ps().isOpen(WindowId::Split) || ps().isOpen(WindowId::PeriodicPayments)) throw db::Abort();
    };
    dm.Mbz.beforeInsert = mbzGuard;
    dm.Mbz.beforeDelete = mbzGuard;
    auto mkdGuard = [](db::Dataset &) {
        if (ps().isOpen(WindowId::PayingObligations)) throw db::Abort();
    };
    dm.Mkd.beforeInsert = mkdGuard;
    dm.Mkd.beforeDelete = mkdGuard;
}

void installCalculatedFields(TDM1 &dm)
{
    dm.Mbzp.onCalcFields = [&dm](db::Dataset &) {
        const QString word = dayCountWord(dm.MbzpP->asInteger());
        dm.MbzpPt->setAsString(word);
        dm.MbzpPt1->setAsString(dm.MbzpP->asString() + QLatin1Char(' ') + word);
    };
    dm.Mbz.onCalcFields = [&dm](db::Dataset &) {
        dm.MbzPt->setAsString(dayCountWord(dm.MbzP2->asInteger()));
        dm.MbzA->setAsString(weekdayName(dm.MbzD1->asDate()));
        dm.MbzA1->setAsString(weekdayName(dm.MbzD3->asDate()));
    };
    dm.Maz.onCalcFields = [&dm](db::Dataset &) { dm.MazPt->setAsString(dayCountWord(dm.MazP->asInteger())); };
    dm.Mkd.onCalcFields = [&dm](db::Dataset &) {
        dm.MkdPt->setAsString(dayCountWord(dm.MkdP->asInteger()));
        dm.MkdA->setAsString(weekdayName(dm.MkdDss->asDate()));
        dm.MkdA1->setAsString(weekdayName(dm.MkdD1->asDate()));
    };
    dm.Mtt.onCalcFields = [&dm](db::Dataset &) { dm.MttA->setAsString(weekdayName(dm.MttDpz->asDate())); };
    dm.Modf.onCalcFields = [&dm](db::Dataset &) {
        dm.ModfA->setAsString(weekdayName(dm.ModfD1->asDate()));
        dm.ModfB->setAsString(weekdayName(dm.ModfD3->asDate()));
        dm.ModfPri->setAsString(dateFormatExample(dm.ModfK->asString()));
    };
    dm.Mban.onCalcFields = [&dm](db::Dataset &) {
        // A note of blanks only is no note.
        const QString upp = dm.MbanUpp->asString();
        dm.MbanUppAv->setAsString(upp.trimmed().isEmpty() ? QString() : QStringLiteral("AV:") + upp);
    };
    dm.Pmdf.onCalcFields = [&dm](db::Dataset &) {
        dm.PmdfD1c->setAsString(dm.PmdfIhn->asBoolean() ? QStringLiteral("IHNED") : db::dateText(dm.PmdfD1->asDate()));
        dm.PmdfD3c->setAsString(dm.PmdfVsd->asBoolean() ? QString() : db::dateText(dm.PmdfD3->asDate()));
    };
    dm.MkdQr.onCalcFields = [](db::Dataset &q) {
        const double ca = q.fieldByName(QStringLiteral("Ca")).asFloat();
        const double ca1 = q.fieldByName(QStringLiteral("Ca1")).asFloat();
        q.fieldByName(QStringLiteral("Ca2")).setAsFloat(ca - ca1);
        q.fieldByName(QStringLiteral("Ca3")).setAsFloat(ca1 - ca);
    };
    dm.PbzQr.onCalcFields = [](db::Dataset &q) {
        q.fieldByName(QStringLiteral("D1c"))
            .setAsString(q.fieldByName(QStringLiteral("Ihn")).asBoolean() ? QStringLiteral("IHNED")
                                                                          : db::dateText(q.fieldByName(QStringLiteral("D1")).asDate()));
    };
}

void installStatusUpkeep(TDM1 &dm)
{
    for (db::Table *t : {&dm.Mbzp, &dm.Mkf, &dm.Mbz, &dm.Mban, &dm.Maz, &dm.Mzak}) counterUpkeep(*t, false);
    counterUpkeep(dm.Mkd, true);
    auto recount = [](db::Dataset &) {
        if (ps().isOpen(WindowId::Split) && ps().printRunRecount) ps().printRunRecount();
    };
    chainAfter(dm.Mbz.afterPost, recount);
    chainAfter(dm.Mbz.afterDelete, recount);
    auto pmdfCount = [](db::Dataset &t) {
        if (ps().isOpen(WindowId::PrintCentre) && ps().printCentreOrderCount) ps().printCentreOrderCount(t.recordCount());
    };
    chainAfter(dm.Pmdf.afterPost, pmdfCount);
    chainAfter(dm.Pmdf.afterDelete, pmdfCount);
}

} // namespace

int &tableCount(const db::Dataset &table)
{
    static QHash<const db::Dataset *, int> counts;
    return counts[&table];
}

void Zaznam(db::Dataset &table, int count) { ps().status(1, counterText(table, count)); }

void StatusEdit(db::Dataset &table) { ps().status(2, table.isEditing() ? QStringLiteral("EDIT") : QString()); }

QString programTitle() { return QStringLiteral("Velorad 3.10"); }

void NazevDp1(TDM1 &dm)
{
    StatusSink *sink = ps().statusSink();
    if (!sink) return;
    const QString fa = dm.Modf.active() ? dm.ModfFa->asString() : QString();
    sink->setCaption(fa.isEmpty() ? programTitle() : programTitle() + QStringLiteral(" - ") + fa);
}

void KDatum(db::Dataset &table, db::Field &field, const QDate &picked)
{
    table.edit();
    field.setAsDate(picked);
}

void DoBankyMbz(TDM1 &dm)
{
    dm.Mbz.edit();
    if (dm.MbzP2->isNull()) dm.MbzP2->setAsInteger(0);
    if (dm.MbzD1->isNull()) {
        dm.MbzD3->clear();
        return;
    }
    dm.MbzD3->setAsDate(stepBack(dm.MbzD1->asDate(), dm.MbzP2->asInteger()));
}

void DoBankyMkd(TDM1 &dm)
{
    dm.Mkd.edit();
    if (dm.MkdP->isNull()) dm.MkdP->setAsInteger(0);
    if (dm.MkdDss->isNull()) {
        dm.MkdD1->clear();
        return;
    }
    dm.MkdD1->setAsDate(stepBack(dm.MkdDss->asDate(), dm.MkdP->asInteger()));
}

void MbzRef1(TDM1 &dm)
{
    if (ps().isOpen(WindowId::Payments) || ps().isOpen(WindowId::PeriodicPayments)) {
        tableCount(dm.Mbz) = dm.Mbz.recordCount();
        Zaznam(dm.Mbz, tableCount(dm.Mbz));
        StatusEdit(dm.Mbz);
    }
    for (WindowId w : {WindowId::ObligationEntry, WindowId::PeriodicObligationEntry, WindowId::DirectDebitEntry,
                       WindowId::PayingObligations}) {
        if (ps().isOpen(w)) {
            tableCount(dm.Mkd) = dm.Mkd.recordCount();
            ps().status(1, mkdCounterText(dm.Mkd));
            StatusEdit(dm.Mkd);
            break;
        }
    }
}

void MkdR1(TDM1 &dm)
{
    tableCount(dm.Mkd) = dm.Mkd.recordCount();
    ps().status(1, mkdCounterText(dm.Mkd));
    StatusEdit(dm.Mkd);
}

void installTableRules(TDM1 &dm)
{
    installDateTexts(dm);
    installNewRecordRules(dm);
    installBeforePostRules(dm);
    installKeyMessagesAndGuards(dm);
    installCalculatedFields(dm);
    installStatusUpkeep(dm);
}

} // namespace data
