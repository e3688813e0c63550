// The printed lists: the book of orders, the calendar and overview of periodic payments,
// unpaid payments, payee accounts and the electronic transfer queue.
#include "list_layouts.h"

#include "layout_rows.h"

#include "platform/report/report_data.h"

namespace print {

using report::BandKind;
using report::ReportData;

namespace {

bool hasRows(const ReportData &d) { return d.rowCount() > 0; }

bool notEmpty(const ReportData &d, const char *field) { return !d.text(QString::fromLatin1(field)).isEmpty(); }

const char *const kDots70 = "......................................................................";
const char *const kDots71 = ".......................................................................";
const char *const kDots72 = "........................................................................";
const char *const kDots73 = ".........................................................................";
const char *const kDashes70 = "----------------------------------------------------------------------";
const char *const kDashes73 = "-------------------------------------------------------------------------";

// The title of the two queue lists: a double frame, the caption and today's date.
report::Element *addQueueTitle(report::ReportLayout &layout)
{
    report::Band &title = layout.addBand(BandKind::Title, 68, QStringLiteral("TitleBand"));
    addRows(title, {
                       {38, 24, 653, 37, 'R'},
                       {41, 27, 647, 31, 'R'},
                       {72, 34, 279, 17, 'T', "ELEKTRONICKÝ PŘENOS PŘÍKAZŮ dne"},
                       {360, 34, 90, 17, 'T', "", 'L', "QRLabelDatum"},
                   });
    return layout.element(QStringLiteral("QRLabelDatum"));
}

} // namespace

TRkfReport::TRkfReport()
{
    title = QStringLiteral("Kniha příkazů");
    printIfEmpty = true;
    addRows(addBand(BandKind::Title, 85, QStringLiteral("TitleBand")),
            {
                {29, 24, 644, 37, 'R'},
                {32, 27, 638, 31, 'R'},
                {99, 34, 225, 17, 'T', "K N I H A   P Ř Í K A Z Ů"},
                {360, 34, 18, 17, 'T', "od"},
                {387, 34, 72, 17, 'F', "Mtt.Ds"},
                {495, 34, 18, 17, 'T', "do"},
                {522, 34, 90, 17, 'F', "Mtt.Dk"},
            });
    report::Band &row1 = addBand(BandKind::Detail, 51, QStringLiteral("RowBand1"));
    row1.printIf = hasRows;
    addRows(row1, {
                      {27, 0, 27, 17, 'T', "dne"},
                      {63, 0, 81, 17, 'F', "Ds"},
                      {162, 0, 54, 17, 'T', "platba"},
                      {225, 0, 342, 17, 'F', "Na"},
                      {27, 17, 63, 17, 'T', "z  účtu"},
                      {99, 17, 81, 17, 'F', "Cu1"},
                      {270, 17, 36, 17, 'F', "Kbi"},
                      {27, 34, 63, 17, 'T', "na účet"},
                      {99, 34, 90, 17, 'F', "Cu2"},
                      {270, 34, 36, 17, 'F', "Kb"},
                      {324, 34, 18, 17, 'T', "VS"},
                      {351, 34, 90, 17, 'F', "Vs"},
                      {495, 34, 54, 17, 'T', "částka"},
                      {621, 34, 54, 17, 'F', "Ca", 'R'},
                  });
    report::Band &row2 = addBand(BandKind::Detail, 17, QStringLiteral("RowBand2"));
    row2.printIf = [](const ReportData &d) { return notEmpty(d, "Ss"); };
    addRows(row2, {{324, 0, 18, 17, 'T', "SS"}, {351, 0, 9, 17, 'F', "Ss"}});
    report::Band &row3 = addBand(BandKind::Detail, 17, QStringLiteral("RowBand3"));
    row3.printIf = [](const ReportData &d) { return notEmpty(d, "Upp"); };
    addRows(row3, {{27, 0, 234, 17, 'T', "údaje pro potřebu příkazce"}, {270, 0, 270, 17, 'F', "Upp", 'L', "QRDBTextUpp"}});
    report::Band &row4 = addBand(BandKind::Detail, 17, QStringLiteral("RowBand4"));
    row4.printIf = [](const ReportData &d) { return notEmpty(d, "P"); };
    addRows(row4, {{27, 0, 72, 17, 'T', "poznámka"}, {108, 0, 9, 17, 'F', "P"}});
    report::Band &row5 = addBand(BandKind::Detail, 17, QStringLiteral("RowBand5"));
    row5.printIf = hasRows;
    addRows(row5, {{27, 0, 648, 17, 'T', kDots72}});
    QRDBTextUpp = element(QStringLiteral("QRDBTextUpp"));
}

TRkalReport::TRkalReport()
{
    title = QStringLiteral("Kalendář periodických plateb");
    printIfEmpty = true;
    report::Band &row = addBand(BandKind::Detail, 68, QStringLiteral("RowBand"));
    row.printIf = hasRows;
    addRows(row, {
                     {36, 0, 18, 17, 'T', "do"},
                     {81, 0, 9, 17, 'F', "Spl", 'R'},
                     {99, 0, 9, 17, 'T', "."},
                     {117, 0, 90, 17, 'T', "v měsících"},
                     {216, 0, 9, 17, 'F', "Vm"},
                     {36, 17, 54, 17, 'T', "platba"},
                     {108, 17, 180, 17, 'F', "Na"},
                     {36, 34, 63, 17, 'T', "na účet"},
                     {108, 34, 99, 17, 'F', "Cu"},
                     {315, 34, 36, 17, 'F', "Kb"},
                     {360, 34, 18, 17, 'T', "VS"},
                     {387, 34, 9, 17, 'F', "Vs"},
                     {495, 34, 54, 17, 'T', "částka"},
                     {639, 34, 36, 17, 'F', "Ca", 'R'},
                     {36, 51, 639, 17, 'T', kDots71},
                 });
    addRows(addBand(BandKind::Title, 85, QStringLiteral("TitleBand")),
            {
                {38, 24, 635, 37, 'R'},
                {41, 27, 629, 31, 'R'},
                {63, 34, 585, 17, 'T', "K A L E N D Á Ř   P L A T E B  ,  K T E R É   S E   O P A K U J Í"},
            });
}

TRkp1Report::TRkp1Report()
{
    title = QStringLiteral("Neuhrazené platby");
    addRows(addBand(BandKind::ColumnHeader, 51, QStringLiteral("HeadingBand")),
            {
                {36, 17, 45, 17, 'T', "datum", 'L', "QRLabel1"},
                {135, 17, 54, 17, 'T', "z účtu"},
                {360, 17, 63, 17, 'T', "na účet"},
                {639, 17, 54, 17, 'T', "částka"},
                {36, 34, 657, 17, 'T', kDashes73},
            });
    addRows(addBand(BandKind::Detail, 34, QStringLiteral("RowBand")),
            {
                {36, 0, 72, 17, 'F', "D3", 'L', "QRDBTextD3"},
                {135, 0, 162, 17, 'F', "Cui"},
                {306, 0, 36, 17, 'F', "Kbi"},
                {360, 0, 135, 17, 'F', "Cu"},
                {531, 0, 36, 17, 'F', "Kb"},
                {639, 0, 54, 17, 'F', "Ca", 'R'},
                {36, 17, 657, 17, 'T', kDots73},
            });
    addRows(addBand(BandKind::Title, 68, QStringLiteral("TitleBand")),
            {
                {38, 24, 653, 37, 'R'},
                {41, 27, 647, 31, 'R'},
                {72, 34, 297, 17, 'T', "N E U H R A Z E N É   P L A T B Y"},
                {414, 34, 18, 17, 'T', "od"},
                {441, 34, 72, 17, 'F', "Mtt.Ds"},
                {540, 34, 18, 17, 'T', "do"},
                {567, 34, 90, 17, 'F', "Mtt.Dk"},
            });
}

TRmbzuReport::TRmbzuReport()
{
    title = QStringLiteral("Seznam účtů");
    addRows(addBand(BandKind::ColumnHeader, 51, QStringLiteral("HeadingBand")),
            {
                {36, 17, 45, 17, 'T', "název", 'L', "QRLabel1"},
                {486, 17, 90, 17, 'T', "číslo účtu"},
                {612, 17, 81, 17, 'T', "kód banky"},
                {36, 34, 657, 17, 'T', kDashes73},
            });
    addRows(addBand(BandKind::Detail, 34, QStringLiteral("RowBand")),
            {
                {36, 0, 180, 17, 'F', "Na"},
                {486, 0, 99, 17, 'F', "Cu"},
                {657, 0, 36, 17, 'F', "Kb"},
                {36, 17, 657, 17, 'T', kDots73},
            });
    addRows(addBand(BandKind::Title, 68, QStringLiteral("TitleBand")),
            {
                {38, 24, 653, 37, 'R'},
                {41, 27, 647, 31, 'R'},
                {252, 34, 189, 17, 'T', "S E Z N A M   Ú Č T Ů"},
            });
}

TRkdppReport::TRkdppReport()
{
    title = QStringLiteral("Periodické platby");
    addRows(addBand(BandKind::ColumnHeader, 51, QStringLiteral("HeadingBand")),
            {
                {45, 17, 180, 17, 'T', "periodická platba do", 'L', "QRLabel1"},
                {450, 17, 90, 17, 'T', "v měsících"},
                {45, 34, 630, 17, 'T', kDashes70},
            });
    report::Band &row = addBand(BandKind::Detail, 34, QStringLiteral("RowBand"));
    row.printIf = [](const ReportData &d) { return d.value(QStringLiteral("Spl")).toLongLong() > 0; };
    addRows(row, {
                     {54, 0, 18, 17, 'F', "Spl", 'R'},
                     {81, 0, 9, 17, 'T', "."},
                     {450, 0, 216, 17, 'F', "Vm"},
                     {45, 17, 630, 17, 'T', kDots70},
                 });
    addRows(addBand(BandKind::Title, 68, QStringLiteral("TitleBand")),
            {
                {47, 24, 626, 37, 'R'},
                {50, 27, 620, 31, 'R'},
                {207, 34, 297, 17, 'T', "P E R I O D I C K É   P L A T B Y"},
            });
}

TRbanReport::TRbanReport()
{
    title = QStringLiteral("Elektronický přenos příkazů");
    QRLabelDatum = addQueueTitle(*this);
    addRows(addBand(BandKind::ColumnHeader, 51, QStringLiteral("HeadingBand")),
            {
                {36, 17, 90, 17, 'T', "číslo účtu"},
                {207, 17, 27, 17, 'T', "kód"},
                {252, 17, 18, 17, 'T', "VS"},
                {351, 17, 18, 17, 'T', "KS"},
                {396, 17, 18, 17, 'T', "SS"},
                {540, 17, 54, 17, 'T', "částka"},
                {603, 17, 45, 17, 'T', "datum"},
                {36, 34, 657, 17, 'T', kDashes73},
            });
    addRows(addBand(BandKind::Detail, 17, QStringLiteral("RowBand")),
            {
                {36, 0, 162, 17, 'F', "Cu2"},
                {207, 0, 36, 17, 'F', "Kod"},
                {252, 0, 90, 17, 'F', "Vs"},
                {351, 0, 36, 17, 'F', "Ks"},
                {396, 0, 90, 17, 'F', "Ss"},
                {486, 0, 108, 17, 'F', "Ca", 'R'},
                {603, 0, 90, 17, 'F', "Ds"},
            });
}

TRban1Report::TRban1Report()
{
    title = QStringLiteral("Elektronický přenos příkazů");
    QRLabelDatum = addQueueTitle(*this);
    report::Band &head = addBand(BandKind::GroupHeader, 68, QStringLiteral("GroupHeaderBand"));
    head.groupField = QStringLiteral("M1");
    addRows(head, {
                      {36, 17, 135, 17, 'T', "Vaše číslo účtu"},
                      {180, 17, 162, 17, 'F', "Cu1"},
                      {360, 17, 27, 17, 'T', "kód"},
                      {396, 17, 36, 17, 'F', "Kodi"},
                      {459, 17, 45, 17, 'T', "datum"},
                      {513, 17, 90, 17, 'F', "Ds"},
                      {36, 34, 90, 17, 'T', "číslo účtu"},
                      {207, 34, 27, 17, 'T', "kód"},
                      {252, 34, 18, 17, 'T', "VS"},
                      {351, 34, 18, 17, 'T', "KS"},
                      {396, 34, 18, 17, 'T', "SS"},
                      {639, 34, 54, 17, 'T', "Částka"},
                      {36, 51, 657, 17, 'T', kDashes73},
                  });
    addRows(addBand(BandKind::Detail, 17, QStringLiteral("RowBand")),
            {
                {36, 0, 162, 17, 'F', "Cu2"},
                {207, 0, 36, 17, 'F', "Kod"},
                {252, 0, 90, 17, 'F', "Vs"},
                {351, 0, 36, 17, 'F', "Ks"},
                {396, 0, 90, 17, 'F', "Ss"},
                {585, 0, 108, 17, 'F', "Ca", 'R'},
            });
    report::Band &foot = addBand(BandKind::GroupFooter, 51, QStringLiteral("GroupFooterBand"));
    foot.groupField = QStringLiteral("M1");
    addRows(foot, {
                      {36, 0, 657, 17, 'T', "========================================================================="},
                      {36, 17, 54, 17, 'T', "CELKEM"},
                      {36, 34, 657, 17, 'T', "========================================================================="},
                  });
    foot.sum(585, 17, 108, 17, QStringLiteral("Ca"), QStringLiteral("0.00"));
}

} // namespace print
