#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <set>

namespace data {

// Windows whose being open changes what the table rules do. The window classes register
// themselves while they exist; the rules only ask.
enum class WindowId {
    OwnAccounts,             // own accounts (TEbzpForm)
    Payments,                // payments to accounts (TEbz2Form)
    PeriodicPayments,        // periodic payments (TEbz2splForm)
    DateChoice,              // issue and due date choice (TEmoddfForm)
    PrintCentre,             // print centre (TEmtfForm)
    Split,                   // splitting before printing (TEkp1Form)
    BookOfOrders,            // book of orders (TEkfForm)
    OtherDate,               // other date for queued payments (TEhpzForm)
    ObligationEntry,         // obligation entry (TEkduForm)
    PeriodicObligationEntry, // periodic obligation entry (TEkdpuForm)
    DirectDebitEntry,        // direct-debit entry (TEkd2uForm variant)
    PayingObligations,       // paying obligations (TEkd2uForm)
    Purge,                   // purging the books
    SupplierBook,            // supplier address book (TEazForm)
};

// Where the core writes the status bar and the caption; the main window implements it.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void setPanelText(int panel, const QString &text) = 0;
    virtual void setCaption(const QString &caption) = 0;
};

// Program-wide state with one owner: today's date (injectable), the flags the table rules
// read, the registry of open windows, the status bar and the window layer's focus requests.
class ProgramState {
public:
    QDate today() const { return m_today.isValid() ? m_today : QDate::currentDate(); }
    void setToday(const QDate &date) { m_today = date; } // tests and scripted runs

    bool statusUpdatesOn = false;
    bool defaultsInProgress = true;
    bool normaliseObligationNumbers = true;
    bool obligationNumberingSuppressed = false;
    // The print centre is in the middle of its electronic transfer or settings actions:
    // its date checks on Mtt are suspended.
    bool printCentreChecksSuspended = false;

    void setWindowOpen(WindowId id, bool open)
    {
        if (open) m_open.insert(id);
        else m_open.erase(id);
    }
    bool isOpen(WindowId id) const { return m_open.count(id) > 0; }

    void setStatusSink(StatusSink *sink) { m_status = sink; }
    StatusSink *statusSink() const { return m_status; }
    // Writes a status panel while status updates are on.
    void status(int panel, const QString &text) const
    {
        if (statusUpdatesOn && m_status) m_status->setPanelText(panel, text);
    }

    // Focus requests of the rules: window and control name ("DBEditPc").
    std::function<void(WindowId, const QString &control)> focusRequest;
    void requestFocus(WindowId window, const QString &control) const
    {
        if (focusRequest && isOpen(window)) focusRequest(window, control);
    }
    // Hooks of the print centre: the print-run count after Mbz changes while splitting, and the
    // number of transferred orders after Pmdf changes.
    std::function<void()> printRunRecount;
    std::function<void(int)> printCentreOrderCount;
    // Messages of the rules (information / error boxes); the window layer shows them.
    std::function<void(const QString &)> showInformation;
    std::function<void(const QString &)> showError;
    void information(const QString &text) const
    {
        if (showInformation) showInformation(text);
    }
    void error(const QString &text) const
    {
        if (showError) showError(text);
    }

private:
    QDate m_today;
    std::set<WindowId> m_open;
    StatusSink *m_status = nullptr;
};

// The one program-wide state.
ProgramState &program();

} // namespace data
