#include "payments.h"

#include "data/data_module.h"
#include "data/program_state.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <vector>

namespace orders {

namespace {

// The hourglass while it exists (when there is a window system to show it).
class Hourglass {
public:
    Hourglass() : m_on(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_on) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~Hourglass()
    {
        if (m_on) QGuiApplication::restoreOverrideCursor();
    }

private:
    bool m_on;
};

} // namespace

CountersSuspended::CountersSuspended() : m_was(data::program().statusUpdatesOn) { data::program().statusUpdatesOn = false; }
CountersSuspended::~CountersSuspended() { data::program().statusUpdatesOn = m_was; }

PaymentReturn &paymentReturn()
{
    static PaymentReturn r;
    return r;
}

void VyberMbzp(data::TDM1 &dm)
{
    if (!dm.Mtt.isEditing()) dm.Mtt.edit();
    const bool found = !dm.MttPc->isNull() && dm.Mbzp.findKey({dm.MttPc->value()});
    dm.MttBa->setValue(found ? dm.MbzpBa->value() : QVariant());
    dm.MttNa->setValue(found ? dm.MbzpNa->value() : QVariant());
    dm.MttCu->setValue(found ? dm.MbzpCu->value() : QVariant());
}

void Trp10(data::TDM1 &dm)
{
    Hourglass hourglass;
    db::Query &q = dm.PrevodQr;
    q.close();
    q.setSql(QStringLiteral("Update Mbz set O1 = \"F\" where D1 is not null"));
    try {
        q.execSql();
    } catch (...) {
        q.close();
        throw;
    }
    q.close();
}

bool setPaymentOrder(data::TDM1 &dm, int order)
{
    const QString index = order == 1 ? QStringLiteral("Cu") : QStringLiteral("Na");
    if (dm.Mbz.indexName().compare(index, Qt::CaseInsensitive) == 0) return false;
    dm.Mbz.setIndexName(index);
    dm.Mbz.first();
    return true;
}

QString paymentsTitle(int order)
{
    return order == 1 ? QStringLiteral("Platby na účty - podle čísla účtu") : QStringLiteral("Platby na účty - podle názvu");
}

void findPayment(data::TDM1 &dm, const QString &typed)
{
    try {
        dm.Mbz.findNearest({typed});
    } catch (const db::DbError &) {
    } catch (const db::Abort &) {
    }
}

int periodicSearchValue(const QString &typed)
{
    bool ok = false;
    const int n = typed.trimmed().toInt(&ok);
    return ok && n >= -99 && n <= 99 ? n : 0;
}

void findPeriodic(data::TDM1 &dm, const QString &typed)
{
    try {
        dm.Mbz.findNearest({QStringLiteral("T"), periodicSearchValue(typed)});
    } catch (const db::DbError &) {
    } catch (const db::Abort &) {
    }
}

void Duplikace(data::TDM1 &dm)
{
    dm.Mbz.checkBrowseMode();
    const bool withUpp = dm.Modf.active() && dm.ModfBupp->asBoolean();
    std::vector<std::pair<db::Field *, QVariant>> copies;
    for (db::Field *f : {dm.MbzPc, dm.MbzBai, dm.MbzNai, dm.MbzCui, dm.MbzIk, dm.MbzP2, dm.MbzNa, dm.MbzBa, dm.MbzCu,
                         dm.MbzKb, dm.MbzKs, dm.MbzSs, dm.MbzUpp}) {
        if (f == dm.MbzUpp && !withUpp) continue;
        copies.emplace_back(f, dm.Mbz.isEmpty() ? QVariant() : f->value());
    }
    dm.Mbz.insert();
    for (const auto &[field, value] : copies) field->setValue(value);
}

void takeChosenDates(data::TDM1 &dm)
{
    dm.Mbz.edit();
    dm.MbzD1->setValue(dm.ModfD1->value());
    dm.MbzD3->setValue(dm.ModfD3->value());
}

void saveChosenDates(data::TDM1 &dm)
{
    if (dm.Modf.isEditing()) dm.Modf.post();
    dm.Modf.close();
    dm.Modf.open();
}

bool carryIntoPrintRun(data::TDM1 &dm, bool accepted)
{
    if (!accepted || !dm.Modf.active() || !dm.ModfPre->asBoolean()) return false;
    if (!dm.Mbz.active() || dm.Mbz.isEmpty() || dm.MbzD3->isNull()) return false;
    dm.Mtt.edit();
    dm.MttDz->setValue(dm.MbzD3->value());
    dm.MttPc->setValue(dm.MbzPc->value());
    VyberMbzp(dm);
    dm.Mtt.post();
    return true;
}

void rememberPayment(data::TDM1 &dm, bool accepted)
{
    const bool row = dm.Mbz.active() && !dm.Mbz.isEmpty();
    paymentReturn().id = accepted && row ? dm.MbzID->asInteger() : 0;
}

void reopenPayments(data::TDM1 &dm)
{
    CountersSuspended suspended;
    dm.Mbz.setIndexName(QStringLiteral("Na"));
    dm.Mbz.close();
    dm.Mbz.open();
    dm.Mbzp.close();
    dm.Mbzp.open();
}

void openPeriodicRange(data::TDM1 &dm)
{
    CountersSuspended suspended;
    dm.Mbz.setIndexName(QStringLiteral("Ospl"));
    dm.Mbz.cancelRange();
    dm.Mbz.setRange({QStringLiteral("T"), -99}, {QStringLiteral("T"), 99});
}

void closePeriodicTables(data::TDM1 &dm)
{
    CountersSuspended suspended;
    dm.Mbz.cancelRange();
    dm.Mbz.setIndexName(QStringLiteral("Na"));
    dm.Mbz.close();
    dm.Mbzp.close();
    try {
        Trp10(dm);
    } catch (...) {
        // The tables are open again whatever the statement did.
        dm.Mbz.open();
        dm.Mbzp.open();
        throw;
    }
    dm.Mbz.open();
    dm.Mbzp.open();
}

} // namespace orders
