#pragma once

#include "platform/report/report_layout.h"

namespace print {

// Book of orders for a period.
class TRkfReport : public report::ReportLayout {
public:
    TRkfReport();
    report::Element *QRDBTextUpp = nullptr;
};

// Calendar of periodic payments.
class TRkalReport : public report::ReportLayout {
public:
    TRkalReport();
};

// Unpaid payments of a period.
class TRkp1Report : public report::ReportLayout {
public:
    TRkp1Report();
};

// List of payee accounts.
class TRmbzuReport : public report::ReportLayout {
public:
    TRmbzuReport();
};

// Overview of periodic payments.
class TRkdppReport : public report::ReportLayout {
public:
    TRkdppReport();
};

// List of the electronic transfer queue.
class TRbanReport : public report::ReportLayout {
public:
    TRbanReport();
    report::Element *QRLabelDatum = nullptr; // today's date in the title
};

// List of the queue by groups of the bank file, with their totals.
class TRban1Report : public report::ReportLayout {
public:
    TRban1Report();
    report::Element *QRLabelDatum = nullptr; // today's date in the title
};

} // namespace print
