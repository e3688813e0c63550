#pragma once

#include "platform/report/report_layout.h"

namespace print {

// A payment or collection order form: the layout and the elements the print rules and the
// print centre reach by name. Elements a form does not have stay null.
class OrderReport : public report::ReportLayout {
public:
    bool collective() const { return m_collective; }
    bool twin() const { return m_twin; }

    report::Element *QRLabel1 = nullptr;     // main caption: payment or collection order
    report::Element *QRLabelKod = nullptr;   // fax code label
    report::Element *QRShapeKti = nullptr;   // form-code box
    report::Element *QRDBTextKti = nullptr;  // form code
    report::Element *QRLabelKti = nullptr;   // "Kód tiskopisu"
    report::Element *QRDBTextD1 = nullptr;   // due date
    report::Element *QRDBTextD3 = nullptr;   // issue date
    report::Element *QRDBTextUpp = nullptr;  // data for the payer's internal use
    report::Element *QRLabelCa = nullptr;    // total of a collective order
    report::Element *ImageS = nullptr;       // picture (a stamp) under the signature line

    report::Band *topBand = nullptr;         // the top margin (page header)
    report::Band *pictureBand = nullptr;     // the band of the picture: order band or foot band
    int pictureBandDesignHeight = 0;         // 509 for single orders, 119 for the foot band
    int pictureTopBase = 0;                  // the picture's top at offset 0: 425 or 119

    // The caption for a payment (false) or a collection (true) order of this form.
    QString caption(bool collection) const;

    // The form-code items shown or hidden together.
    void showFormCode(bool on);

protected:
    OrderReport(bool collective, bool twin) : m_collective(collective), m_twin(twin) {}
    void bindNamedElements();

private:
    bool m_collective;
    bool m_twin;
};

// Single order, most banks.
class TRbzReport : public OrderReport {
public:
    TRbzReport() : TRbzReport(false) {}

protected:
    explicit TRbzReport(bool twin);
};

// Single order for the Czech National Bank.
class TRbznReport : public OrderReport {
public:
    TRbznReport() : TRbznReport(false) {}

protected:
    explicit TRbznReport(bool twin);
};

// Collective order, most banks.
class TRbhReport : public OrderReport {
public:
    TRbhReport() : TRbhReport(false) {}

protected:
    explicit TRbhReport(bool twin);
};

// Collective order for the Czech National Bank.
class TRbhnReport : public OrderReport {
public:
    TRbhnReport() : TRbhnReport(false) {}

protected:
    explicit TRbhnReport(bool twin);
};

// The same forms for re-printing transferred orders: no fax code label and no picture.
class TRbzp2Report : public TRbzReport {
public:
    TRbzp2Report();
};

// Transferred single order for the Czech National Bank.
class TRbznp2Report : public TRbznReport {
public:
    TRbznp2Report();
};

// Transferred collective order, most banks.
class TRbhp2Report : public TRbhReport {
public:
    TRbhp2Report();
};

// Transferred collective order for the Czech National Bank.
class TRbhnp2Report : public TRbhnReport {
public:
    TRbhnp2Report();
};

} // namespace print
