#pragma once

#include "order_layouts.h"
#include "print_settings.h"

#include "platform/report/report_document.h"

#include <QChar>
#include <QDate>
#include <QString>

namespace data {
class TDM1;
}

namespace print {

// The nodes of the print centre's tree that print: single orders 1 to 3, collective orders
// 5 to 7, the lists 9 to 13 (book of orders, calendar of periodic payments, unpaid payments,
// list of accounts, electronic transfer).
bool isReportNode(int node);
bool isOrderNode(int node);
bool isCollectiveNode(int node);
// The nodes with the form code ("s kódem tiskopisu"): 2 and 6.
bool isFormCodeNode(int node);

// What the preparation of a report takes from the print settings besides the data set.
struct PrintOptions {
    bool bold = false;        // "Pismo" = 1: "Tučné písmo"
    bool ceFonts = false;     // "TypPisma" = 1: the CE fonts
    bool faxOn = false;       // "Používat fax v počítači"
    bool faxBold = true;      // "Tučný tisk pro faxování"
    OrderPicture picture;     // the picture of the picture page

    static PrintOptions fromSettings(const PrintSettings &settings, const OrderPicture &picture = {});
};

// The pages of a report and what the print centre does around them.
struct PrintOutput {
    report::Document document;
    bool faxCodeShown = false;      // the fax code label printed ("kód " + Mtt.Kod)
    bool useFaxPrinter = false;     // the run goes to the fax printer
    bool askAlsoOnPrinter = false;  // then "Vytisknout tento příkaz i na tiskárně ?" is asked
    bool bold = false;              // the font choice the report printed with
    int printerCopies = 1;          // copies the printer makes: Mtt.Kop with Mtt.Pk, else 1
    int printRuns = 1;              // times the report is sent: 1 with Mtt.Pk, else Mtt.Kop
};

// The decimal separator of printed amounts, "," or ".", for the life of the object.
class DecimalSeparatorScope {
public:
    explicit DecimalSeparatorScope(bool comma);
    ~DecimalSeparatorScope();
    DecimalSeparatorScope(const DecimalSeparatorScope &) = delete;
    DecimalSeparatorScope &operator=(const DecimalSeparatorScope &) = delete;

private:
    QChar m_saved;
};

// The print rules of an order run: from the current settings, or from a transferred order.
struct OrderRules {
    bool ihned = false;          // "IHNED" instead of the due date
    bool issueToday = false;     // today's date instead of the issue date
    bool issueEmpty = false;     // no issue date at all; wins over issueToday
    bool payerData = false;      // print the data for the payer's internal use
    QString dateFormat;          // of today's date as issue date
    QDate today;
    bool formCode = false;       // the form-code items
    QString faxCode;             // the fax code label: "kód " + code; hidden when empty
    QString total;               // the total of a collective order
    int topMargin = 0;           // height of the top band, layout pixels
};

// Applies the rules to an order form: captions by the row's Ik, due and issue dates,
// payer's data, fax code label, form-code items, total and top margin.
void applyOrderRules(OrderReport &layout, const OrderRules &rules);
// Places the picture in its band (on) or empties it (off), growing the band as needed.
void placeOrderPicture(OrderReport &layout, bool on, const OrderPicture &picture);

// The run statement: the payments of the print run (Mbz with D3 = Mtt.Dz, Pc = Mtt.Pc and
// O5 false, in the order the database returns them), put into the run query MbzQr, closed.
void PrikazVyber(data::TDM1 &dm);
// The number of payments in the print run (the run query is left closed).
int printRunCount(data::TDM1 &dm);
// The total of Ca over the rows of the open run query.
double Celkem1(data::TDM1 &dm);

// Puts Mtt into edit and posts it, so that its rules check the dates while the print centre
// is open. Returns false when a rule refused the post (it has shown its message); the edit
// is then cancelled.
bool postPrintRunSettings(data::TDM1 &dm);

// Prepares the data and the layout of a tree node for the data set's current settings, lays
// it out and releases the data again. The amounts print with the separator of Modf.Tc.
// Throws db::DbError when the data cannot be read; std::invalid_argument for other nodes.
PrintOutput printNode(data::TDM1 &dm, int node, const PrintOptions &options,
                      const report::PageGeometry &geometry = report::PageGeometry::a4());

// Re-prints the current transferred order (Pmdf) with the settings stored with it, on the
// form of its Tsf. A form type without a form gives a document without pages.
PrintOutput printTransferredOrder(data::TDM1 &dm, const PrintOptions &options,
                                  const report::PageGeometry &geometry = report::PageGeometry::a4());

// The overview of periodic payments the payments window shows with Modf.Zpp on.
PrintOutput printPeriodicOverview(data::TDM1 &dm, const PrintOptions &options,
                                  const report::PageGeometry &geometry = report::PageGeometry::a4());

// The queue by groups of the last ABO file, with their totals (after an ABO run with Mtt.Z1).
PrintOutput printQueueGroups(data::TDM1 &dm, const PrintOptions &options,
                             const report::PageGeometry &geometry = report::PageGeometry::a4());

} // namespace print
