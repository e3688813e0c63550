// Preparing the data and the layouts of the print centre's reports.
#include "report_preparation.h"

#include "list_layouts.h"

#include "data/data_module.h"
#include "data/program_state.h"
#include "platform/db/formats.h"
#include "platform/report/report_data.h"
#include "platform/report/report_engine.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace print {

bool isOrderNode(int node) { return (node >= 1 && node <= 3) || (node >= 5 && node <= 7); }

bool isCollectiveNode(int node) { return node >= 5 && node <= 7; }

bool isFormCodeNode(int node) { return node == 2 || node == 6; }

bool isReportNode(int node) { return isOrderNode(node) || (node >= 9 && node <= 13); }

PrintOptions PrintOptions::fromSettings(const PrintSettings &settings, const OrderPicture &picture)
{
    PrintOptions o;
    o.bold = settings.fontStyle == 1;
    o.ceFonts = settings.ceFonts;
    o.faxOn = settings.faxOn;
    o.faxBold = settings.faxBold;
    o.picture = picture;
    return o;
}

DecimalSeparatorScope::DecimalSeparatorScope(bool comma) : m_saved(db::formatSettings().decimalSeparator)
{
    db::formatSettings().decimalSeparator = comma ? QLatin1Char(',') : QLatin1Char('.');
}

DecimalSeparatorScope::~DecimalSeparatorScope() { db::formatSettings().decimalSeparator = m_saved; }

void applyOrderRules(OrderReport &layout, const OrderRules &rules)
{
    OrderReport *form = &layout;
    if (form->QRLabel1)
        form->QRLabel1->onPrint = [form](report::ElementPrint &p) {
            p.text = form->caption(p.data->value(QStringLiteral("Ik")).toBool());
        };
    if (form->QRDBTextD1 && rules.ihned)
        form->QRDBTextD1->onPrint = [](report::ElementPrint &p) { p.text = QStringLiteral("IHNED"); };
    if (form->QRDBTextD3) {
        if (rules.issueEmpty)
            form->QRDBTextD3->visible = false;
        else if (rules.issueToday)
            form->QRDBTextD3->onPrint = [text = db::formatDate(rules.today, rules.dateFormat)](report::ElementPrint &p) {
                p.text = text;
            };
    }
    if (form->QRDBTextUpp) form->QRDBTextUpp->visible = rules.payerData;
    if (form->QRLabelKod) {
        form->QRLabelKod->text = QStringLiteral("kód ") + rules.faxCode;
        form->QRLabelKod->visible = !rules.faxCode.isEmpty();
    }
    form->showFormCode(rules.formCode);
    if (form->QRLabelCa) form->QRLabelCa->text = rules.total;
    if (form->topBand) form->topBand->height = rules.topMargin;
}

void placeOrderPicture(OrderReport &layout, bool on, const OrderPicture &picture)
{
    report::Element *image = layout.ImageS;
    report::Band *band = layout.pictureBand;
    if (!image || !band) return;
    if (!on) {
        image->picture = QImage();
        image->w = image->h = 0;
        band->height = layout.pictureBandDesignHeight;
        return;
    }
    const QSize size = picture.size();
    image->picture = picture.image;
    image->x = report::settingMmToLayout(picture.leftMm);
    image->y = report::settingMmToLayout(picture.belowTextMm) + layout.pictureTopBase;
    image->w = size.width();
    image->h = size.height();
    const int bottom = image->y + image->h;
    band->height = layout.collective() ? bottom : std::max(layout.pictureBandDesignHeight, bottom);
}

void PrikazVyber(data::TDM1 &dm)
{
    dm.MbzQr.close();
    dm.MbzQr.clearParams();
    dm.MbzQr.setSql(QStringLiteral("Select * From Mbz where D3 = :dz and Pc = :pc and O5 = False"));
    dm.MbzQr.setParam(QStringLiteral("dz"), dm.MttDz->value());
    dm.MbzQr.setParam(QStringLiteral("pc"), dm.MttPc->value());
}

int printRunCount(data::TDM1 &dm)
{
    PrikazVyber(dm);
    dm.MbzQr.open();
    const int count = dm.MbzQr.recordCount();
    dm.MbzQr.close();
    return count;
}

double Celkem1(data::TDM1 &dm)
{
    qint64 hundredths = 0;
    const int at = dm.MbzQr.recNo();
    for (dm.MbzQr.first(); !dm.MbzQr.eof(); dm.MbzQr.next()) hundredths += db::toHundredths(dm.MbzQrCa->asFloat());
    if (at > 0) dm.MbzQr.setRecNo(at);
    return db::fromHundredths(hundredths);
}

bool postPrintRunSettings(data::TDM1 &dm)
{
    if (!dm.Mtt.isEditing()) dm.Mtt.edit();
    try {
        dm.Mtt.post();
    } catch (const db::Abort &) {
        dm.Mtt.cancel();
        return false;
    }
    return true;
}

namespace {

// Closes a query and forgets the date display formats given for one report.
class QueryRelease {
public:
    explicit QueryRelease(db::Dataset &query, std::initializer_list<db::Field *> dateFields = {})
        : m_query(query), m_fields(dateFields)
    {
    }
    ~QueryRelease()
    {
        for (db::Field *f : m_fields) f->setDisplayFormat(QString());
        m_query.close();
    }

private:
    db::Dataset &m_query;
    std::vector<db::Field *> m_fields;
};

void copiesOf(data::TDM1 &dm, PrintOutput &out)
{
    const int copies = std::max<qint64>(1, dm.MttKop->asInteger());
    const bool printerCopies = dm.MttPk->asBoolean();
    out.printerCopies = printerCopies ? copies : 1;
    out.printRuns = printerCopies ? 1 : copies;
}

std::unique_ptr<OrderReport> orderFormOf(int node)
{
    switch (node) {
    case 1:
    case 2: return std::make_unique<TRbzReport>();
    case 3: return std::make_unique<TRbznReport>();
    case 5:
    case 6: return std::make_unique<TRbhReport>();
    case 7: return std::make_unique<TRbhnReport>();
    default: return nullptr;
    }
}

// The layout of a list node, already converted to the CE fonts when chosen.
void finishLayout(data::TDM1 &dm, report::ReportLayout &layout, bool bold)
{
    layout.setBold(bold);
    layout.leftMarginMm = double(dm.MttVl->asInteger());
}

PrintOutput printOrders(data::TDM1 &dm, int node, const PrintOptions &options, const report::PageGeometry &geometry)
{
    PrintOutput out;
    copiesOf(dm, out);
    std::unique_ptr<OrderReport> form = orderFormOf(node);
    if (options.ceFonts) form->convertFontsToCE();
    const QString dateFormat = dm.ModfK->asString();
    PrikazVyber(dm);
    QueryRelease release(dm.MbzQr, {dm.MbzQrD1, dm.MbzQrD3});
    dm.MbzQrD1->setDisplayFormat(dateFormat);
    dm.MbzQrD3->setDisplayFormat(dateFormat);
    dm.MbzQr.open();

    const bool formCode = isFormCodeNode(node);
    OrderRules rules;
    rules.ihned = dm.ModfIhn->asBoolean();
    rules.issueToday = dm.ModfTd->asBoolean();
    rules.issueEmpty = dm.MttVsd->asBoolean();
    rules.payerData = dm.ModfBupp->asBoolean();
    rules.dateFormat = dateFormat;
    rules.today = data::program().today();
    rules.formCode = formCode;
    rules.faxCode = formCode ? QString() : dm.MttKod->asString();
    if (form->collective()) rules.total = db::formatFloat(Celkem1(dm), QStringLiteral("0.00"));
    rules.topMargin = report::settingMmToLayout(double(dm.MttVh->asInteger()));
    applyOrderRules(*form, rules);
    // The forms with the form code print for the bank's own machines: no picture, no fax.
    if (!formCode) placeOrderPicture(*form, dm.MttObr->asBoolean(), options.picture);

    out.faxCodeShown = !rules.faxCode.isEmpty();
    out.useFaxPrinter = out.faxCodeShown && options.faxOn;
    out.askAlsoOnPrinter = out.useFaxPrinter;
    out.bold = options.bold || (out.faxCodeShown && options.faxBold);
    finishLayout(dm, *form, out.bold);

    report::DatasetReportData rows(&dm.MbzQr);
    rows.addDataset(QStringLiteral("Mtt"), &dm.Mtt);
    out.document = report::runReport(*form, &rows, geometry);
    return out;
}

// Runs a list layout over a query with the statement given (parameters :ds and :dk bound to
// the period of Mtt when the statement names them).
PrintOutput printList(data::TDM1 &dm, report::ReportLayout &layout, db::Query &query, const QString &sql,
                      const PrintOptions &options, const report::PageGeometry &geometry)
{
    PrintOutput out;
    copiesOf(dm, out);
    out.bold = options.bold;
    query.close();
    query.clearParams();
    query.setSql(sql);
    if (sql.contains(QLatin1String(":ds"))) query.setParam(QStringLiteral("ds"), dm.MttDs->value());
    if (sql.contains(QLatin1String(":dk"))) query.setParam(QStringLiteral("dk"), dm.MttDk->value());
    QueryRelease release(query);
    query.open();
    finishLayout(dm, layout, out.bold);
    report::DatasetReportData rows(&query);
    rows.addDataset(QStringLiteral("Mtt"), &dm.Mtt);
    out.document = report::runReport(layout, &rows, geometry);
    return out;
}

QString todayText() { return db::formatDate(data::program().today(), QStringLiteral("dd.mm.yyyy")); }

PrintOutput printQueue(data::TDM1 &dm, const PrintOptions &options, const report::PageGeometry &geometry)
{
    TRbanReport layout;
    if (options.ceFonts) layout.convertFontsToCE();
    layout.QRLabelDatum->text = todayText();
    PrintOutput out;
    copiesOf(dm, out);
    out.bold = options.bold;
    finishLayout(dm, layout, out.bold);
    data::ProgramState &ps = data::program();
    const bool statusWas = ps.statusUpdatesOn;
    const bool wasOpen = dm.Mban.active();
    ps.statusUpdatesOn = false;
    try {
        if (!wasOpen) dm.Mban.open();
        report::DatasetReportData rows(&dm.Mban);
        out.document = report::runReport(layout, &rows, geometry);
    } catch (...) {
        if (!wasOpen) dm.Mban.close();
        ps.statusUpdatesOn = statusWas;
        throw;
    }
    if (!wasOpen) dm.Mban.close();
    ps.statusUpdatesOn = statusWas;
    return out;
}

std::unique_ptr<report::ReportLayout> listLayoutOf(int node)
{
    switch (node) {
    case 9: return std::make_unique<TRkfReport>();
    case 10: return std::make_unique<TRkalReport>();
    case 11: return std::make_unique<TRkp1Report>();
    case 12: return std::make_unique<TRmbzuReport>();
    default: return nullptr;
    }
}

QString listStatement(int node)
{
    switch (node) {
    case 9: return QStringLiteral("Select * From Mkf where Ds >= :ds and Ds <= :dk order by Ds, Na");
    case 10: return QStringLiteral("Select * From Mbz where Spl > 0 order by Spl, Vm, Na");
    case 11: return QStringLiteral("Select * From Mbz where D3 >= :ds and D3 <= :dk order by D3, Cui");
    case 12: return QStringLiteral("Select * From Mbz order by Na");
    default: return {};
    }
}

std::unique_ptr<OrderReport> transferredFormOf(int tsf)
{
    switch (tsf) {
    case 1:
    case 2: return std::make_unique<TRbzp2Report>();
    case 3: return std::make_unique<TRbznp2Report>();
    case 5:
    case 6: return std::make_unique<TRbhp2Report>();
    case 7: return std::make_unique<TRbhnp2Report>();
    default: return nullptr;
    }
}

} // namespace

PrintOutput printNode(data::TDM1 &dm, int node, const PrintOptions &options, const report::PageGeometry &geometry)
{
    if (!isReportNode(node)) throw std::invalid_argument("not a report node");
    DecimalSeparatorScope separator(dm.ModfTc->asBoolean());
    if (isOrderNode(node)) return printOrders(dm, node, options, geometry);
    if (node == 13) return printQueue(dm, options, geometry);
    std::unique_ptr<report::ReportLayout> layout = listLayoutOf(node);
    if (options.ceFonts) layout->convertFontsToCE();
    db::Query &query = node == 9 ? static_cast<db::Query &>(dm.MkfQr) : dm.MbzQr;
    return printList(dm, *layout, query, listStatement(node), options, geometry);
}

PrintOutput printTransferredOrder(data::TDM1 &dm, const PrintOptions &options, const report::PageGeometry &geometry)
{
    PrintOutput out;
    copiesOf(dm, out);
    out.bold = options.bold;
    const int tsf = int(dm.PmdfTsf->asInteger());
    std::unique_ptr<OrderReport> form = transferredFormOf(tsf);
    if (!form || dm.Pmdf.isEmpty()) return out;
    DecimalSeparatorScope separator(dm.PmdfTc->asBoolean());
    if (options.ceFonts) form->convertFontsToCE();
    const QString dateFormat = dm.PmdfK->asString();
    dm.PbzQr.close();
    dm.PbzQr.clearParams();
    dm.PbzQr.setSql(QStringLiteral("Select * From Pbz where Cislo = :cislo order by ID"));
    dm.PbzQr.setParam(QStringLiteral("cislo"), dm.PmdfCislo->value());
    QueryRelease release(dm.PbzQr, {dm.PbzQrD1, dm.PbzQrD3});
    dm.PbzQrD1->setDisplayFormat(dateFormat);
    dm.PbzQrD3->setDisplayFormat(dateFormat);
    dm.PbzQr.open();

    OrderRules rules;
    rules.ihned = dm.PmdfIhn->asBoolean();
    rules.issueEmpty = dm.PmdfVsd->asBoolean();
    rules.payerData = dm.PmdfBupp->asBoolean();
    rules.formCode = isFormCodeNode(tsf);
    if (form->collective()) rules.total = db::formatFloat(dm.PmdfCa->asFloat(), QStringLiteral("0.00"));
    rules.topMargin = report::settingMmToLayout(double(dm.MttVh->asInteger()));
    applyOrderRules(*form, rules);
    finishLayout(dm, *form, out.bold);

    report::DatasetReportData rows(&dm.PbzQr);
    rows.addDataset(QStringLiteral("Mtt"), &dm.Mtt);
    out.document = report::runReport(*form, &rows, geometry);
    return out;
}

PrintOutput printPeriodicOverview(data::TDM1 &dm, const PrintOptions &options, const report::PageGeometry &geometry)
{
    DecimalSeparatorScope separator(dm.ModfTc->asBoolean());
    TRkdppReport layout;
    if (options.ceFonts) layout.convertFontsToCE();
    return printList(dm, layout, dm.MbzQr, QStringLiteral("Select * From Mbz order by Spl, Vm"), options, geometry);
}

PrintOutput printQueueGroups(data::TDM1 &dm, const PrintOptions &options, const report::PageGeometry &geometry)
{
    TRban1Report layout;
    if (options.ceFonts) layout.convertFontsToCE();
    layout.QRLabelDatum->text = todayText();
    return printList(dm, layout, dm.MbanQr, QStringLiteral("Select * From Mban order by M1, Rd"), options, geometry);
}

} // namespace print
