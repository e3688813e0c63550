#include "settings_rules.h"

#include "data/data_module.h"

namespace app {

QString vymazatStykQuestion() { return QStringLiteral("Vymazat příkazy z el. styku ?"); }

int VymazatStyk(data::TDM1 &dm, bool zakBefore, const std::function<bool(const QString &)> &confirm)
{
    if (zakBefore || !dm.Mtt.active() || !dm.MttZak->asBoolean()) return 0;
    db::Query &q = dm.PrevodQr;
    q.close();
    q.setSql(QStringLiteral("Select * From Mban where Cislo is null"));
    q.open();
    const bool found = !q.isEmpty();
    q.close();
    if (!found || !confirm || !confirm(vymazatStykQuestion())) return 0;
    const bool open = dm.Mban.active();
    q.setSql(QStringLiteral("Delete From Mban Where Cislo is null"));
    const int deleted = q.execSql();
    q.close();
    if (open) dm.Mban.refresh();
    return deleted;
}

void takeOwnAccountZero(data::TDM1 &dm)
{
    dm.Mtt.edit();
    dm.MttPc->setAsInteger(0);
    dm.Mbzp.invalidateLookupCache();
    auto take = [&dm](const QString &field) {
        QVariant v;
        if (!dm.Mbzp.lookupValues({QStringLiteral("Pc")}, {0}, field, v)) return QString();
        return v.toString();
    };
    dm.MttBa->setAsString(take(QStringLiteral("Ba")));
    dm.MttNa->setAsString(take(QStringLiteral("Na")));
    dm.MttCu->setAsString(take(QStringLiteral("Cu")));
    dm.Mtt.post();
}

} // namespace app
