// Every layout for a small run, compared operation by operation with the checked-in
// expectations in tests/fixtures/print (positions in layout pixels, texts, fonts).
#include "print_fixture.h"

namespace {

class LayoutTest : public PrintTest {
protected:
    void addBookRow(const QString &na, const QDate &ds, double ca, const QString &ss, const QString &upp, const QString &note)
    {
        dm.Mkf.append();
        dm.MkfNa->setAsString(na);
        dm.MkfCu2->setAsString(QStringLiteral("35-1234567890"));
        dm.MkfCu1->setAsString(QStringLiteral("19-123457"));
        dm.MkfKb->setAsString(QStringLiteral("0800"));
        dm.MkfKbi->setAsString(QStringLiteral("0100"));
        dm.MkfVs->setAsString(QStringLiteral("2004031"));
        dm.MkfCa->setAsFloat(ca);
        dm.MkfDs->setAsDate(ds);
        dm.MkfDv->setAsDate(ds.addDays(-2));
        dm.MkfSs->setAsString(ss);
        dm.MkfUpp->setAsString(upp);
        dm.MkfP->setAsString(note);
        dm.Mkf.post();
    }
    void addQueueRow(int m1, int rd, const QString &cu2, double ca, const QDate &ds)
    {
        if (!dm.Mban.active()) dm.Mban.open();
        dm.Mban.append();
        dm.MbanCu1->setAsString(QStringLiteral("19-123457"));
        dm.MbanKodi->setAsString(QStringLiteral("0100"));
        dm.MbanCu2->setAsString(cu2);
        dm.MbanKod->setAsString(QStringLiteral("0800"));
        dm.MbanVs->setAsString(QStringLiteral("2004031"));
        dm.MbanKs->setAsString(QStringLiteral("0308"));
        dm.MbanSs->setAsString(QStringLiteral("77"));
        dm.MbanCa->setAsFloat(ca);
        dm.MbanDs->setAsDate(ds);
        dm.MbanM1->setAsInteger(m1);
        dm.MbanRd->setAsInteger(rd);
        dm.Mban.post();
    }
    // A transferred order with its lines, made under other settings than the current ones.
    void addTransferredOrder(int tsf, int lines)
    {
        dm.Pmdf.open();
        dm.Pbz.open();
        dm.Pmdf.append();
        dm.PmdfK->setAsString(QStringLiteral("ddmmyy"));
        dm.PmdfTsf->setAsInteger(tsf);
        dm.PmdfIhn->setAsBoolean(false);
        dm.PmdfVsd->setAsBoolean(false);
        dm.PmdfBupp->setAsBoolean(true);
        dm.PmdfTc->setAsBoolean(false);
        dm.PmdfCa->setAsFloat(lines * 100.25);
        dm.PmdfTpr->setAsString(lines == 1 ? QStringLiteral("Jednoduchý") : QStringLiteral("Hromadný"));
        dm.Pmdf.post();
        const qint64 cislo = dm.PmdfCislo->asInteger();
        for (int i = 0; i < lines; ++i) {
            dm.Pbz.append();
            dm.PbzCislo->setAsInteger(cislo);
            dm.PbzNa->setAsString(QStringLiteral("Platba %1").arg(i + 1));
            dm.PbzCu->setAsString(QStringLiteral("1000%1").arg(i));
            dm.PbzKb->setAsString(QStringLiteral("0600"));
            dm.PbzVs->setAsString(QString::number(900 + i));
            dm.PbzCa->setAsFloat(100.25);
            dm.PbzD1->setAsDate(QDate(2004, 2, 10));
            dm.PbzD3->setAsDate(QDate(2004, 2, 9));
            dm.PbzBai->setAsString(QStringLiteral("Česká spořitelna"));
            dm.PbzNai->setAsString(QStringLiteral("v Brně"));
            dm.PbzCui->setAsString(QStringLiteral("2-77"));
            dm.PbzKbi->setAsString(QStringLiteral("0800"));
            dm.PbzVi->setAsString(QStringLiteral("Brno"));
            dm.PbzMi->setAsString(QStringLiteral("Kč"));
            dm.PbzKti->setAsString(QStringLiteral("9"));
            dm.PbzUpp->setAsString(QStringLiteral("faktura %1").arg(i + 1));
            dm.PbzIk->setAsBoolean(i == 0 && tsf == 7);
            dm.Pbz.post();
        }
    }
    static QImage stamp()
    {
        QImage image(120, 60, QImage::Format_RGB32);
        image.fill(Qt::blue);
        return image;
    }
};

} // namespace

TEST_F(LayoutTest, OrderFormsOfTheRun)
{
    addStandardRun();
    setMtt([&] {
        dm.MttKod->setAsString(QStringLiteral("12"));
        dm.MttObr->setAsBoolean(true);
    });
    setModf([&] { dm.ModfBupp->setAsBoolean(true); });
    print::PrintOptions options;
    options.picture.image = stamp();
    options.picture.leftMm = 100;
    options.picture.belowTextMm = 5;
    options.picture.scalePercent = 50;
    for (int node : {1, 2, 3, 5, 6, 7})
        reporttest::expectMatchesFixture(printNode(node, options).document.toText(), QStringLiteral("print/node%1.ops").arg(node));
}

TEST_F(LayoutTest, ListsOfTheData)
{
    addStandardRun();
    Payment periodic{QStringLiteral("Leasing"), QStringLiteral("4455"), QStringLiteral("5500"), QStringLiteral("8"), 3000};
    periodic.spl = 8;
    periodic.vm = QStringLiteral("1.-12.");
    periodic.d1 = periodic.d3 = QDate();
    addPayment(periodic);
    periodic.na = QStringLiteral("Pojištění");
    periodic.spl = 15;
    periodic.vm = QStringLiteral("3,6,9,12");
    periodic.d3 = QDate(2004, 3, 12);
    addPayment(periodic);
    addBookRow(QStringLiteral("Nájem kanceláře"), QDate(2004, 3, 5), 12345.5, QStringLiteral("77"), QStringLiteral("nájem"),
               QStringLiteral("zaplaceno včas"));
    addBookRow(QStringLiteral("Voda"), QDate(2004, 3, 8), 80, QString(), QString(), QString());
    addBookRow(QStringLiteral("Mimo období"), QDate(2004, 4, 1), 1, QString(), QString(), QString());
    addQueueRow(2, 1, QStringLiteral("35-1234567890"), 12345.5, QDate(2004, 3, 25));
    addQueueRow(1, 1, QStringLiteral("987654321"), 1200, QDate(2004, 3, 24));
    addQueueRow(1, 2, QStringLiteral("4455"), 50.25, QDate(2004, 3, 24));
    dm.Mban.close();
    for (int node : {9, 10, 11, 12, 13})
        reporttest::expectMatchesFixture(printNode(node).document.toText(), QStringLiteral("print/node%1.ops").arg(node));
    reporttest::expectMatchesFixture(print::printPeriodicOverview(dm, {}).document.toText(),
                                     QStringLiteral("print/periodic_overview.ops"));
    reporttest::expectMatchesFixture(print::printQueueGroups(dm, {}).document.toText(), QStringLiteral("print/queue_groups.ops"));
}

TEST_F(LayoutTest, TransferredOrdersOnTheirTwinForms)
{
    addTransferredOrder(2, 1);
    addTransferredOrder(7, 2);
    // The current settings differ from the stored ones and must not apply.
    setModf([&] {
        dm.ModfIhn->setAsBoolean(true);
        dm.ModfTd->setAsBoolean(true);
        dm.ModfTc->setAsBoolean(true);
        dm.ModfK->setAsString(QStringLiteral("dd.mm.yyyy"));
    });
    dm.Pmdf.first();
    reporttest::expectMatchesFixture(print::printTransferredOrder(dm, {}).document.toText(),
                                     QStringLiteral("print/transferred_single.ops"));
    dm.Pmdf.last();
    reporttest::expectMatchesFixture(print::printTransferredOrder(dm, {}).document.toText(),
                                     QStringLiteral("print/transferred_collective.ops"));
}
