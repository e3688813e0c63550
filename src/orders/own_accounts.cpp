#include "own_accounts.h"

#include "payments.h"

#include "data/data_module.h"
#include "data/table_rules.h"

namespace orders {

int pickerClientHeight(int rows) { return rows > 10 ? 253 : 18 * rows + 55; }

bool findNearestAccount(db::Table &accounts, const QString &typed)
{
    bool ok = false;
    const int number = typed.trimmed().toInt(&ok);
    if (!ok || !accounts.active()) return false;
    try {
        accounts.findNearest({number});
    } catch (const db::DbError &) {
        return false;
    }
    return true;
}

void reopenOwnAccounts(data::TDM1 &dm)
{
    {
        CountersSuspended suspended;
        const bool hadRow = dm.Mbzp.active() && !dm.Mbzp.isEmpty();
        const QVariant pc = hadRow ? dm.MbzpPc->value() : QVariant();
        dm.Mbzp.close();
        dm.Mbzp.open();
        if (hadRow && !dm.Mbzp.findKey({pc})) dm.Mbzp.first();
    }
    data::MbzRef1(dm);
}

} // namespace orders
