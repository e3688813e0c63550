#pragma once

#include <QString>
#include <functional>

namespace data {
class TDM1;
}

namespace app {

// The question of the queue clean-up.
QString vymazatStykQuestion(); // "Vymazat příkazy z el. styku ?"

// Queue clean-up after the program settings close (VymazatStyk): only when "Přenos příkazů"
// (Mtt.Zak) is on now and was off before, and the electronic queue holds rows that did not
// come from transferred orders (Cislo empty), asks the question and on Yes deletes those rows.
// Returns the number of rows deleted.
int VymazatStyk(data::TDM1 &dm, bool zakBefore, const std::function<bool(const QString &)> &confirm);

// One-account operation after the settings close: Mtt.Pc := 0 and the bank name, branch and
// account number of own account 0 (all empty without one) into Mtt; Mtt posted.
void takeOwnAccountZero(data::TDM1 &dm);

} // namespace app
