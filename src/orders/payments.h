#pragma once

// The payment rules behind the payment windows: the payment to return to, the search orders
// of Mbz, duplicating a payment, carrying a payment into the print run, the periodic list and
// the dates chosen for all payments.

#include <QString>
#include <QtGlobal>

namespace data {
class TDM1;
}

namespace orders {

// Suspends the status-bar record counters while it exists (bulk re-opening and re-indexing).
class CountersSuspended {
public:
    CountersSuspended();
    ~CountersSuspended();
    CountersSuspended(const CountersSuspended &) = delete;
    CountersSuspended &operator=(const CountersSuspended &) = delete;

private:
    bool m_was;
};

// Where the payment window starts: the payment remembered when it last closed with "&Tisk"
// (0: none) and the request to start on the first row.
struct PaymentReturn {
    qint64 id = 0;
    bool firstRowRequest = false;
};
PaymentReturn &paymentReturn();

// VyberMbzp: the print run's own account Mtt.Pc looked up in Mbzp; its bank name, branch and
// account number copied into Mtt.Ba, Mtt.Na, Mtt.Cu, or those cleared when there is no such
// account (or Pc is empty). Mtt is put into edit; the caller posts.
void VyberMbzp(data::TDM1 &dm);

// Trp10: "Update Mbz set O1 = "F" where D1 is not null" through the data module's statement
// query: every periodic payment that has a due date leaves the periodic list.
void Trp10(data::TDM1 &dm);

// The two search orders of the payment window ("Vyhledavani2Podle"): 0 by name (index Na),
// 1 by account number (index Cu). Switches Mbz to the order's index when it is not on it
// already and then moves to the first row; returns true when the index changed.
bool setPaymentOrder(data::TDM1 &dm, int order);
// "Platby na účty - podle názvu" or "Platby na účty - podle čísla účtu".
QString paymentsTitle(int order);
// The payment search: Mbz to the nearest row in its current order; failures are ignored.
void findPayment(data::TDM1 &dm, const QString &typed);

// The periodic search key: the typed number when it lies in -99..99, else 0 (text that is
// not a number counts as 0).
int periodicSearchValue(const QString &typed);
// Mbz (index Ospl) to the nearest row with O1 = "T" and that Spl; failures are ignored.
void findPeriodic(data::TDM1 &dm, const QString &typed);

// Duplikace after its question: posts a pending change, copies Pc, Bai, Nai, Cui, Ik, P, Na,
// Ba, Cu, Kb, Ks, Ss and (while Modf.Bupp is on) Upp of the current row into a new row, which
// stays in insert state. Vs, Ca, the dates, Spl, Vm, O4, Cab and Vsb are not copied.
void Duplikace(data::TDM1 &dm);

// "&Datumy" after the date choice closed with OK: the current payment into edit, Modf.D1 into
// D1 and Modf.D3 into D3.
void takeChosenDates(data::TDM1 &dm);
// Closing the date choice, whatever closed it: Modf posted when edited, then closed and reopened.
void saveChosenDates(data::TDM1 &dm);

// Closing steps shared by both payment windows.
// With OK, "Přenos" (Modf.Pre) on and a D3 on the current payment: Mtt.Dz := D3, Mtt.Pc := Pc,
// VyberMbzp, Mtt posted. Returns true when the print run was changed.
bool carryIntoPrintRun(data::TDM1 &dm, bool accepted);
// Remembers the current payment's ID to return to when the window closed with OK; forgets it
// otherwise.
void rememberPayment(data::TDM1 &dm, bool accepted);
// The end of the payment window: with the counters suspended, Mbz back on the index Na, Mbz
// and Mbzp closed and reopened.
void reopenPayments(data::TDM1 &dm);

// The periodic window's range: with the counters suspended, index Ospl, any range cancelled,
// then the range from (O1 = "T", Spl = -99) to (O1 = "T", Spl = 99).
void openPeriodicRange(data::TDM1 &dm);
// The end of the periodic window: with the counters suspended, the range cancelled, index Na,
// Mbz and Mbzp closed, Trp10, both reopened.
void closePeriodicTables(data::TDM1 &dm);

} // namespace orders
