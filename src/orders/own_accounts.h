#pragma once

#include <QString>

namespace db {
class Table;
}

namespace data {
class TDM1;
}

namespace orders {

// Client height of the compact own-account picker: 253 pixels with more than 10 accounts,
// otherwise 18 pixels a row and 55 for the rest.
int pickerClientHeight(int rows);

// The number searches over Mbzp: moves to the first account whose number is equal to or
// greater than the typed one. Text that is not a number moves nothing and says nothing;
// returns true when the table moved.
bool findNearestAccount(db::Table &accounts, const QString &typed);

// What the own-accounts editor does when it closes: with the record counters suspended, Mbzp
// is closed and reopened (so the lookups of other tables see the changes) and put back on the
// account that was current, if it still exists; then the counters of an open payment or
// obligation window are refreshed.
void reopenOwnAccounts(data::TDM1 &dm);

} // namespace orders
