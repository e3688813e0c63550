// The four order forms, element by element, and their twins for transferred orders.
#include "order_layouts.h"

#include "layout_rows.h"

namespace print {

using report::BandKind;

namespace {

// What the twins for transferred orders leave out.
std::initializer_list<const char *> twinOmits(bool twin)
{
    static const std::initializer_list<const char *> omits = {"QRLabelKod", "ImageS"};
    static const std::initializer_list<const char *> none = {};
    return twin ? omits : none;
}

// The top margin: a page header whose height the print centre sets.
report::Band &addTopBand(report::ReportLayout &layout)
{
    return layout.addBand(BandKind::PageHeader, 20, QStringLiteral("TopBand"));
}

} // namespace

QString OrderReport::caption(bool collection) const
{
    const QString base = collection ? QStringLiteral("PŘÍKAZ K INKASU") : QStringLiteral("PŘÍKAZ K ÚHRADĚ");
    return m_collective ? QStringLiteral("HROMADNÝ ") + base : base;
}

void OrderReport::showFormCode(bool on)
{
    for (report::Element *e : {QRShapeKti, QRDBTextKti, QRLabelKti})
        if (e) e->visible = on;
}

void OrderReport::bindNamedElements()
{
    QRLabel1 = element(QStringLiteral("QRLabel1"));
    QRLabelKod = element(QStringLiteral("QRLabelKod"));
    QRShapeKti = element(QStringLiteral("QRShapeKti"));
    QRDBTextKti = element(QStringLiteral("QRDBTextKti"));
    QRLabelKti = element(QStringLiteral("QRLabelKti"));
    QRDBTextD1 = element(QStringLiteral("QRDBTextD1"));
    QRDBTextD3 = element(QStringLiteral("QRDBTextD3"));
    QRDBTextUpp = element(QStringLiteral("QRDBTextUpp"));
    QRLabelCa = element(QStringLiteral("QRLabelCa"));
    ImageS = element(QStringLiteral("ImageS"));
    topBand = band(QStringLiteral("TopBand"));
}

TRbzReport::TRbzReport(bool twin) : OrderReport(false, twin)
{
    title = QStringLiteral("Příkaz k úhradě");
    addTopBand(*this);
    report::Band &order = addBand(BandKind::Detail, 509, QStringLiteral("OrderBand"));
    addRows(order,
            {
                {297, 0, 135, 17, 'T', "PŘÍKAZ K ÚHRADĚ", 'L', "QRLabel1"},
                {666, 0, 27, 17, 'T', "kód", 'R', "QRLabelKod"},
                {634, 8, 64, 34, 'R', "", 'L', "QRShapeKti"},
                {648, 17, 9, 17, 'F', "Kti", 'L', "QRDBTextKti"},
                {9, 34, 45, 17, 'T', "Bance"},
                {63, 34, 99, 17, 'F', "Bai"},
                {297, 34, 144, 17, 'T', "Datum splatnosti"},
                {459, 34, 108, 17, 'F', "D1", 'L', "QRDBTextD1"},
                {634, 51, 65, 12, 'K', "Kód tiskopisu", 'L', "QRLabelKti"},
                {9, 68, 153, 17, 'T', "Číslo účtu plátce"},
                {198, 68, 81, 17, 'T', "Kód banky"},
                {2, 92, 283, 37, 'R'},
                {5, 95, 187, 31, 'R'},
                {194, 95, 88, 31, 'R'},
                {18, 102, 99, 17, 'F', "Cui"},
                {225, 102, 36, 17, 'F', "Kbi"},
                {4, 144, 4, 43, 'V'},
                {4, 144, 693, 4, 'H'},
                {283, 144, 4, 43, 'V'},
                {409, 144, 4, 43, 'V'},
                {697, 144, 4, 43, 'V'},
                {297, 153, 36, 17, 'T', "Měna"},
                {342, 153, 90, 17, 'F', "Mi"},
                {477, 153, 126, 17, 'T', "Symboly platby"},
                {9, 170, 171, 17, 'T', "Číslo účtu příjemce"},
                {198, 170, 81, 17, 'T', "Kód banky"},
                {297, 170, 54, 17, 'T', "Částka"},
                {414, 170, 90, 17, 'T', "Variabilní"},
                {522, 170, 54, 17, 'T', "Konst."},
                {594, 170, 90, 17, 'T', "Specifický"},
                {2, 194, 697, 37, 'R'},
                {5, 197, 187, 31, 'R'},
                {194, 197, 88, 31, 'R'},
                {284, 197, 124, 31, 'R'},
                {410, 197, 106, 31, 'R'},
                {518, 197, 61, 31, 'R'},
                {581, 197, 115, 31, 'R'},
                {18, 204, 90, 17, 'F', "Cu"},
                {225, 204, 36, 17, 'F', "Kb"},
                {315, 204, 90, 17, 'F', "Ca", 'R'},
                {414, 204, 90, 17, 'F', "Vs"},
                {531, 204, 36, 17, 'F', "Ks"},
                {585, 204, 90, 17, 'F', "Ss"},
                {72, 238, 198, 17, 'T', "Doplňující údaje banky"},
                {414, 238, 234, 17, 'T', "Údaje pro potřebu příkazce"},
                {2, 262, 339, 37, 'R'},
                {347, 263, 351, 34, 'R'},
                {5, 265, 333, 31, 'R'},
                {360, 272, 99, 17, 'F', "Upp", 'L', "QRDBTextUpp"},
                {9, 323, 9, 17, 'T', "V"},
                {27, 323, 81, 17, 'F', "Vi"},
                {225, 323, 27, 17, 'T', "dne"},
                {270, 323, 108, 17, 'F', "D3", 'L', "QRDBTextD3"},
                {0, 408, 17, 17, 'P', "", 'L', "ImageS"},
                {432, 408, 225, 17, 'T', "Razítko a podpis příkazce"},
            },
            twinOmits(twin));
    bindNamedElements();
    pictureBand = &order;
    pictureBandDesignHeight = 509;
    pictureTopBase = 425;
}

TRbznReport::TRbznReport(bool twin) : OrderReport(false, twin)
{
    title = QStringLiteral("Příkaz k úhradě");
    addTopBand(*this);
    report::Band &order = addBand(BandKind::Detail, 509, QStringLiteral("OrderBand"));
    addRows(order,
            {
                {9, 0, 45, 17, 'T', "BANCE"},
                {81, 0, 99, 17, 'F', "Bai"},
                {9, 17, 63, 17, 'T', "POBOČCE"},
                {81, 17, 99, 17, 'F', "Nai"},
                {360, 17, 108, 17, 'F', "D1", 'L', "QRDBTextD1"},
                {522, 17, 135, 17, 'T', "PŘÍKAZ K ÚHRADĚ", 'L', "QRLabel1"},
                {333, 34, 144, 17, 'T', "datum splatnosti"},
                {666, 51, 27, 17, 'T', "kód", 'R', "QRLabelKod"},
                {4, 59, 4, 272, 'V'},
                {4, 59, 270, 4, 'H'},
                {274, 59, 4, 204, 'V'},
                {63, 68, 144, 17, 'T', "bankovní spojení"},
                {4, 93, 270, 4, 'H'},
                {184, 93, 4, 68, 'V'},
                {9, 102, 153, 17, 'T', "číslo účtu plátce"},
                {189, 102, 81, 17, 'T', "kód banky"},
                {4, 127, 270, 4, 'H'},
                {9, 136, 99, 17, 'F', "Cui"},
                {207, 136, 36, 17, 'F', "Kbi"},
                {4, 161, 693, 4, 'H'},
                {400, 161, 4, 102, 'V'},
                {697, 161, 4, 170, 'V'},
                {288, 170, 36, 17, 'T', "měna"},
                {333, 170, 18, 17, 'F', "Mi"},
                {486, 170, 126, 17, 'T', "symboly platby"},
                {4, 195, 693, 4, 'H'},
                {184, 195, 4, 68, 'V'},
                {517, 195, 4, 68, 'V'},
                {580, 195, 4, 68, 'V'},
                {9, 204, 171, 17, 'T', "číslo účtu příjemce"},
                {189, 204, 81, 17, 'T', "kód banky"},
                {288, 204, 54, 17, 'T', "částka"},
                {414, 204, 90, 17, 'T', "variabilní"},
                {522, 204, 54, 17, 'T', "konst."},
                {594, 204, 90, 17, 'T', "specifický"},
                {4, 229, 693, 4, 'H'},
                {9, 238, 90, 17, 'F', "Cu"},
                {207, 238, 36, 17, 'F', "Kb"},
                {306, 238, 90, 17, 'F', "Ca", 'R'},
                {414, 238, 90, 17, 'F', "Vs"},
                {531, 238, 36, 17, 'F', "Ks"},
                {585, 238, 90, 17, 'F', "Ss"},
                {4, 263, 693, 4, 'H'},
                {355, 263, 4, 68, 'V'},
                {72, 272, 189, 17, 'T', "doplňující údaj banky"},
                {378, 272, 297, 17, 'T', "údaj pro vnitřní potřebu příkazce"},
                {4, 297, 693, 4, 'H'},
                {369, 306, 99, 17, 'F', "Upp", 'L', "QRDBTextUpp"},
                {4, 331, 693, 4, 'H'},
                {27, 391, 81, 17, 'F', "Vi"},
                {243, 391, 108, 17, 'F', "D3", 'L', "QRDBTextD3"},
                {0, 408, 17, 17, 'P', "", 'L', "ImageS"},
                {63, 408, 207, 17, 'T', "místo a datum vystavení"},
                {405, 408, 243, 17, 'T', "podpis(y), razítko příkazce"},
            },
            twinOmits(twin));
    bindNamedElements();
    pictureBand = &order;
    pictureBandDesignHeight = 509;
    pictureTopBase = 425;
}

TRbhReport::TRbhReport(bool twin) : OrderReport(true, twin)
{
    title = QStringLiteral("Hromadný příkaz k úhradě");
    report::Band &head = addBand(BandKind::Title, 255, QStringLiteral("HeadBand"));
    addRows(head,
            {
                {252, 0, 216, 17, 'T', "HROMADNÝ PŘÍKAZ K ÚHRADĚ", 'L', "QRLabel1"},
                {666, 0, 27, 17, 'T', "kód", 'R', "QRLabelKod"},
                {634, 25, 64, 34, 'R', "", 'L', "QRShapeKti"},
                {18, 34, 45, 17, 'T', "Bance"},
                {72, 34, 99, 17, 'F', "Bai"},
                {648, 34, 9, 17, 'F', "Kti", 'L', "QRDBTextKti"},
                {634, 68, 65, 12, 'K', "Kód tiskopisu", 'L', "QRLabelKti"},
                {4, 93, 4, 26, 'V'},
                {4, 93, 693, 4, 'H'},
                {193, 93, 4, 26, 'V'},
                {283, 93, 4, 26, 'V'},
                {409, 93, 4, 26, 'V'},
                {562, 93, 4, 26, 'V'},
                {697, 93, 4, 26, 'V'},
                {18, 102, 153, 17, 'T', "Číslo účtu plátce"},
                {198, 102, 81, 17, 'T', "Kód banky"},
                {288, 102, 117, 17, 'T', "Částka celkem"},
                {414, 102, 144, 17, 'T', "Datum splatnosti"},
                {576, 102, 108, 17, 'T', "Konst.symbol"},
                {2, 126, 697, 37, 'R'},
                {5, 129, 187, 31, 'R'},
                {194, 129, 88, 31, 'R'},
                {284, 129, 124, 31, 'R'},
                {410, 129, 151, 31, 'R'},
                {563, 129, 133, 31, 'R'},
                {18, 136, 162, 17, 'F', "Cui"},
                {225, 136, 36, 17, 'F', "Kbi"},
                {324, 136, 81, 17, 'T', "QRLabelCa", 'R', "QRLabelCa"},
                {414, 136, 144, 17, 'F', "D1", 'C', "QRDBTextD1"},
                {4, 178, 4, 26, 'V'},
                {4, 178, 693, 4, 'H'},
                {283, 178, 4, 26, 'V'},
                {409, 178, 4, 26, 'V'},
                {697, 178, 4, 26, 'V'},
                {288, 187, 36, 17, 'T', "Měna"},
                {333, 187, 18, 17, 'F', "Mi"},
                {477, 187, 126, 17, 'T', "Symboly plateb"},
                {2, 211, 697, 37, 'R'},
                {5, 214, 187, 31, 'R'},
                {194, 214, 88, 31, 'R'},
                {284, 214, 124, 31, 'R'},
                {410, 214, 106, 31, 'R'},
                {518, 214, 61, 31, 'R'},
                {581, 214, 115, 31, 'R'},
                {18, 221, 171, 17, 'T', "Číslo účtu příjemce"},
                {198, 221, 81, 17, 'T', "Kód banky"},
                {288, 221, 54, 17, 'T', "Částka"},
                {414, 221, 90, 17, 'T', "Variabilní"},
                {522, 221, 54, 17, 'T', "Konst."},
                {594, 221, 90, 17, 'T', "Specifický"},
            },
            twinOmits(twin));
    addTopBand(*this);
    addRows(addBand(BandKind::Detail, 17, QStringLiteral("RowBand")),
            {
                {4, 0, 4, 17, 'V'},
                {18, 0, 135, 17, 'F', "Cu"},
                {193, 0, 4, 17, 'V'},
                {225, 0, 36, 17, 'F', "Kb"},
                {283, 0, 4, 17, 'V'},
                {351, 0, 54, 17, 'F', "Ca", 'R'},
                {409, 0, 4, 17, 'V'},
                {414, 0, 99, 17, 'F', "Vs"},
                {517, 0, 4, 17, 'V'},
                {531, 0, 36, 17, 'F', "Ks"},
                {580, 0, 4, 17, 'V'},
                {585, 0, 108, 17, 'F', "Ss"},
                {697, 0, 4, 17, 'V'},
            });
    report::Band &foot = addBand(BandKind::Summary, 119, QStringLiteral("FootBand"));
    addRows(foot,
            {
                {4, 0, 4, 17, 'V'},
                {193, 0, 4, 17, 'V'},
                {283, 0, 4, 17, 'V'},
                {409, 0, 4, 17, 'V'},
                {517, 0, 4, 17, 'V'},
                {580, 0, 4, 17, 'V'},
                {697, 0, 4, 17, 'V'},
                {9, 34, 9, 17, 'T', "V"},
                {27, 34, 81, 17, 'F', "Vi"},
                {225, 34, 27, 17, 'T', "dne"},
                {270, 34, 108, 17, 'F', "D3", 'L', "QRDBTextD3"},
                {0, 102, 17, 17, 'P', "", 'L', "ImageS"},
                {441, 102, 225, 17, 'T', "Razítko a podpis příkazce"},
            },
            twinOmits(twin));
    bindNamedElements();
    pictureBand = &foot;
    pictureBandDesignHeight = 119;
    pictureTopBase = 119;
}

TRbhnReport::TRbhnReport(bool twin) : OrderReport(true, twin)
{
    title = QStringLiteral("Hromadný příkaz k úhradě");
    report::Band &head = addBand(BandKind::Title, 255, QStringLiteral("HeadBand"));
    addRows(head,
            {
                {9, 0, 45, 17, 'T', "BANCE"},
                {81, 0, 99, 17, 'F', "Bai"},
                {9, 17, 63, 17, 'T', "POBOČCE"},
                {81, 17, 81, 17, 'F', "Nai"},
                {414, 17, 216, 17, 'T', "HROMADNÝ PŘÍKAZ K ÚHRADĚ", 'L', "QRLabel1"},
                {666, 51, 27, 17, 'T', "kód", 'R', "QRLabelKod"},
                {4, 76, 4, 179, 'V'},
                {4, 76, 279, 4, 'H'},
                {283, 76, 4, 179, 'V'},
                {72, 85, 144, 17, 'T', "bankovní spojení"},
                {4, 110, 693, 4, 'H'},
                {193, 110, 4, 68, 'V'},
                {418, 110, 4, 145, 'V'},
                {580, 110, 4, 68, 'V'},
                {697, 110, 4, 145, 'V'},
                {18, 119, 153, 17, 'T', "číslo účtu plátce"},
                {198, 119, 81, 17, 'T', "kód banky"},
                {288, 119, 126, 17, 'T', "celková částka"},
                {423, 119, 144, 17, 'T', "datum splatnosti"},
                {585, 119, 108, 17, 'T', "konst.symbol"},
                {4, 144, 693, 4, 'H'},
                {18, 153, 162, 17, 'F', "Cui"},
                {225, 153, 36, 17, 'F', "Kbi"},
                {324, 153, 81, 17, 'T', "QRLabelCa", 'R', "QRLabelCa"},
                {423, 153, 144, 17, 'F', "D1", 'C', "QRDBTextD1"},
                {4, 178, 693, 4, 'H'},
                {297, 187, 36, 17, 'T', "měna"},
                {342, 187, 18, 17, 'F', "Mi"},
                {486, 187, 126, 17, 'T', "symboly plateb"},
                {4, 212, 693, 4, 'H'},
                {193, 212, 4, 43, 'V'},
                {526, 212, 4, 43, 'V'},
                {580, 212, 4, 43, 'V'},
                {18, 221, 171, 17, 'T', "číslo účtu příjemce"},
                {198, 221, 81, 17, 'T', "kód banky"},
                {297, 221, 54, 17, 'T', "částka"},
                {423, 221, 90, 17, 'T', "variabilní"},
                {531, 221, 45, 17, 'T', "konst"},
                {594, 221, 90, 17, 'T', "specifický"},
                {4, 246, 693, 4, 'H'},
            },
            twinOmits(twin));
    addTopBand(*this);
    addRows(addBand(BandKind::Detail, 17, QStringLiteral("RowBand")),
            {
                {4, 0, 4, 17, 'V'},
                {18, 0, 135, 17, 'F', "Cu"},
                {193, 0, 4, 17, 'V'},
                {225, 0, 36, 17, 'F', "Kb"},
                {283, 0, 4, 17, 'V'},
                {351, 0, 54, 17, 'F', "Ca", 'R'},
                {418, 0, 4, 17, 'V'},
                {423, 0, 99, 17, 'F', "Vs"},
                {526, 0, 4, 17, 'V'},
                {531, 0, 36, 17, 'F', "Ks"},
                {580, 0, 4, 17, 'V'},
                {585, 0, 108, 17, 'F', "Ss"},
                {697, 0, 4, 17, 'V'},
            });
    report::Band &foot = addBand(BandKind::Summary, 119, QStringLiteral("FootBand"));
    addRows(foot,
            {
                {4, 0, 4, 17, 'V'},
                {193, 0, 4, 17, 'V'},
                {283, 0, 4, 17, 'V'},
                {418, 0, 4, 17, 'V'},
                {526, 0, 4, 17, 'V'},
                {580, 0, 4, 17, 'V'},
                {697, 0, 4, 17, 'V'},
                {27, 85, 81, 17, 'F', "Vi"},
                {243, 85, 108, 17, 'F', "D3", 'L', "QRDBTextD3"},
                {0, 102, 17, 17, 'P', "", 'L', "ImageS"},
                {63, 102, 207, 17, 'T', "místo a datum vystavení"},
                {405, 102, 243, 17, 'T', "podpis(y), razítko příkazce"},
            },
            twinOmits(twin));
    bindNamedElements();
    pictureBand = &foot;
    pictureBandDesignHeight = 119;
    pictureTopBase = 119;
}

TRbzp2Report::TRbzp2Report() : TRbzReport(true) { title = QStringLiteral("Příkaz k úhradě pro většinu bank"); }

TRbznp2Report::TRbznp2Report() : TRbznReport(true) { title = QStringLiteral("Příkaz k úhradě pro ČNB"); }

TRbhp2Report::TRbhp2Report() : TRbhReport(true) { title = QStringLiteral("Hromadný příkaz k úhradě pro většinu bank"); }

TRbhnp2Report::TRbhnp2Report() : TRbhnReport(true) { title = QStringLiteral("Hromadný příkaz k úhradě pro ČNB"); }

} // namespace print
