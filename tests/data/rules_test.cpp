#include "rules_fixture.h"

#include "platform/db/formats.h"

using data::WindowId;

TEST_F(RulesTest, NewPaymentInOneAccountOperationTakesOwnAccountZero)
{
    addOwnAccount(0, QStringLiteral("ČSOB"), 2);
    setModf([&] { dm.ModfJu->setAsBoolean(true); });
    data::program().setWindowOpen(WindowId::Payments, true);
    dm.Mbz.append();
    EXPECT_EQ(dm.MbzPc->asInteger(), 0);
    EXPECT_EQ(dm.MbzBai->asString(), QStringLiteral("ČSOB"));
    EXPECT_EQ(dm.MbzNai->asString(), QStringLiteral("v Praze"));
    EXPECT_EQ(dm.MbzCui->asString(), QStringLiteral("19-123457"));
    EXPECT_EQ(dm.MbzP2->asInteger(), 2);
    EXPECT_EQ(dm.MbzO1->asString(), QStringLiteral("F"));
    EXPECT_FALSE(dm.MbzO5->asBoolean());
    EXPECT_EQ(focus, QStringList{"DBEditD1"});
    EXPECT_TRUE(data::program().defaultsInProgress);
    dm.Mbz.cancel();
    // Without an account 0 the four fields stay empty.
    dm.Mbzp.first();
    dm.Mbzp.edit();
    dm.MbzpPc->setAsInteger(5);
    dm.Mbzp.post();
    dm.Mbz.append();
    EXPECT_TRUE(dm.MbzBai->isNull());
    EXPECT_TRUE(dm.MbzNai->isNull());
    EXPECT_TRUE(dm.MbzCui->isNull());
    EXPECT_TRUE(dm.MbzP2->isNull());
    dm.Mbz.cancel();
}

TEST_F(RulesTest, NewPaymentTakesTheSharedDatesAndPostingNormalises)
{
    setModf([&] {
        dm.ModfDd->setAsBoolean(true);
        dm.ModfD1->setAsDate(QDate(2004, 3, 25));
        dm.ModfD3->setAsDate(QDate(2004, 3, 23));
    });
    data::program().setWindowOpen(WindowId::Payments, true);
    dm.Mbz.append();
    EXPECT_EQ(dm.MbzD1->asDate(), QDate(2004, 3, 25));
    EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 23));
    EXPECT_EQ(focus, QStringList{"DBEditPc"});
    dm.MbzNa->setAsString(QStringLiteral("Nájem"));
    dm.MbzCa->setAsFloat(12.345);
    dm.Mbz.post();
    EXPECT_DOUBLE_EQ(dm.MbzCa->asFloat(), 12.35);
    EXPECT_EQ(dm.MbzPc->asInteger(), 0); // empty integers become 0
    EXPECT_EQ(dm.MbzSpl->asInteger(), 0);
    dm.Mbz.append();
    dm.MbzNa->setAsString(QStringLiteral("Bez částky"));
    dm.Mbz.post();
    EXPECT_FALSE(dm.MbzCa->isNull());
    EXPECT_EQ(dm.MbzCa->displayText(), QStringLiteral("0,00"));
}

TEST_F(RulesTest, HandoverDateStepsBackWorkingDays)
{
    struct Case {
        QDate due;
        int days;
        QDate handover;
    } cases[] = {{{2004, 3, 8}, 1, {2004, 3, 5}}, {{2004, 3, 8}, 2, {2004, 3, 4}}, {{2004, 3, 8}, 5, {2004, 3, 1}}, {{}, 3, {}}};
    dm.Mbz.append();
    for (const auto &c : cases) {
        dm.MbzD1->setAsDate(c.due);
        dm.MbzP2->setAsInteger(c.days);
        data::DoBankyMbz(dm);
        EXPECT_EQ(dm.MbzD3->asDate(), c.handover) << c.due.toString().toStdString() << " " << c.days;
    }
    dm.MbzP2->clear();
    dm.MbzD1->setAsDate(QDate(2004, 3, 8));
    data::DoBankyMbz(dm);
    EXPECT_EQ(dm.MbzP2->asInteger(), 0);
    EXPECT_EQ(dm.MbzD3->asDate(), QDate(2004, 3, 8));
    dm.Mbz.cancel();
}

TEST_F(RulesTest, TypedDatesAreCompletedAndWeekendsRefusedWhileThePaymentsWindowIsOpen)
{
    data::program().setToday(QDate(2004, 3, 5)); // a Friday
    dm.Mbz.append();
    dm.MbzD1->setText(QStringLiteral("8"));
    EXPECT_EQ(dm.MbzD1->asDate(), QDate(2004, 3, 8));
    try {
        dm.MbzD1->setText(QStringLiteral("31.2."));
        ADD_FAILURE();
    } catch (const db::DbError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'31.2.2004' není platný datum"));
    }
    dm.MbzD1->setText(QStringLiteral("+1")); // Saturday, but no window is open
    EXPECT_EQ(dm.MbzD1->asDate(), QDate(2004, 3, 6));
    data::program().setWindowOpen(WindowId::Payments, true);
    dm.MbzD1->setText(QStringLiteral("8"));
    EXPECT_THROW(dm.MbzD1->setText(QStringLiteral("+1")), db::Abort);
    EXPECT_EQ(dm.MbzD1->asDate(), QDate(2004, 3, 8));
    EXPECT_THROW(data::KDatum(dm.Mbz, *dm.MbzD1, QDate(2004, 3, 7)), db::Abort); // a calendar pick of a Sunday
    EXPECT_EQ(messages, (QStringList{"Datum splatnosti 06.03.2004 je sobota, opravte datum.",
                                     "Datum splatnosti 07.03.2004 je neděle, opravte datum."}));
    dm.Mbz.cancel();
    // The issue date choice refuses weekends in Modf.D3 with its own text.
    data::program().setWindowOpen(WindowId::DateChoice, true);
    dm.Modf.edit();
    EXPECT_THROW(dm.ModfD3->setAsDate(QDate(2004, 3, 6)), db::Abort);
    EXPECT_EQ(messages.last(), QStringLiteral("Datum vystavení 06.03.2004 je sobota, opravte datum."));
    dm.Modf.cancel();
}

TEST_F(RulesTest, ObligationNumbersAdvanceTheNextNumber)
{
    auto insertObligation = [&](int pcc) {
        dm.Mkd.append();
        if (pcc) dm.MkdPcc->setAsInteger(pcc);
        dm.MkdNa->setAsString(QStringLiteral("Dodavatel"));
        dm.Mkd.post();
    };
    dm.Mtt.edit();
    dm.MttPcc->setAsInteger(41);
    dm.Mtt.post();
    dm.Mkd.append();
    EXPECT_EQ(dm.MkdPcc->asInteger(), 41);
    EXPECT_EQ(dm.MkdDo1->asDate(), QDate(2004, 3, 20));
    EXPECT_TRUE(dm.MkdAa->asBoolean());
    EXPECT_FALSE(dm.MkdIa->asBoolean());
    dm.Mkd.post();
    EXPECT_EQ(dm.MttPcc->asInteger(), 42);
    // An edit leaves the number alone.
    dm.Mkd.edit();
    dm.MkdPoz->setAsString(QStringLiteral("oprava"));
    dm.Mkd.post();
    EXPECT_EQ(dm.MttPcc->asInteger(), 42);
    // A duplicate: the message, Mtt already advanced, the record stays in insert.
    data::program().setWindowOpen(WindowId::ObligationEntry, true);
    dm.Mkd.append();
    dm.MkdPcc->setAsInteger(41);
    EXPECT_THROW(dm.Mkd.post(), db::Abort);
    EXPECT_EQ(messages, QStringList{"Závazek s pořadovým číslem 41 již existuje."});
    EXPECT_EQ(focus, QStringList{"DBEditPcc"});
    EXPECT_EQ(dm.MttPcc->asInteger(), 42);
    EXPECT_EQ(dm.Mkd.state(), db::DatasetState::Insert);
    dm.MkdPcc->setAsInteger(50);
    dm.Mkd.post();
    EXPECT_EQ(dm.MttPcc->asInteger(), 51);
    // Imports keep their own numbers.
    data::program().obligationNumberingSuppressed = true;
    insertObligation(7);
    EXPECT_EQ(dm.MttPcc->asInteger(), 51);
    data::program().obligationNumberingSuppressed = false;
    // The direct-debit window marks new obligations as direct debits.
    data::program().setWindowOpen(WindowId::DirectDebitEntry, true);
    dm.Mkd.append();
    EXPECT_FALSE(dm.MkdAa->asBoolean());
    EXPECT_TRUE(dm.MkdIa->asBoolean());
    dm.Mkd.cancel();
}

TEST_F(RulesTest, QueueDatesMoveToTodayOnlyWithTheSwitch)
{
    setModf([&] { dm.ModfUh->setAsString(QStringLiteral("7")); });
    dm.Mban.open();
    struct Case {
        QDate ds;
        bool za1;
        QDate stored;
    } cases[] = {{{2004, 3, 18}, true, {2004, 3, 20}}, {{2004, 3, 18}, false, {2004, 3, 18}},
                 {{}, false, {2004, 3, 20}},           {{2004, 3, 25}, true, {2004, 3, 25}}};
    for (const auto &c : cases) {
        dm.Mtt.edit();
        dm.MttZa1->setAsBoolean(c.za1);
        dm.Mtt.post();
        dm.Mban.append();
        EXPECT_EQ(dm.MbanTp->asString(), QStringLiteral("7"));
        dm.MbanDs->setAsDate(c.ds);
        dm.MbanCa->setAsFloat(1.234);
        dm.Mban.post();
        EXPECT_EQ(dm.MbanDs->asDate(), c.stored);
        EXPECT_DOUBLE_EQ(dm.MbanCa->asFloat(), 1.23);
    }
    dm.Mban.edit();
    dm.MbanUpp->setAsString(QStringLiteral("faktura 12"));
    EXPECT_EQ(dm.MbanUppAv->asString(), QStringLiteral("AV:faktura 12"));
    dm.MbanUpp->setAsString(QStringLiteral("   "));
    EXPECT_EQ(dm.MbanUppAv->asString(), QString());
    dm.MbanUpp->clear();
    EXPECT_EQ(dm.MbanUppAv->asString(), QString());
    dm.Mban.cancel();
    dm.Mban.close();
}

TEST_F(RulesTest, TransferredOrdersAreNumberedAfterTheHighest)
{
    auto addOrder = [&]() {
        dm.Pmdf.append();
        const qint64 n = dm.PmdfCislo->asInteger();
        dm.Pmdf.post();
        return n;
    };
    EXPECT_EQ(addOrder(), 1);
    EXPECT_EQ(addOrder(), 2);
    dm.Pmdf.append();
    dm.PmdfCislo->setAsInteger(7);
    dm.Pmdf.post();
    EXPECT_EQ(addOrder(), 8);
    dm.Pmdf.edit();
    dm.PmdfIhn->setAsBoolean(true);
    dm.PmdfVsd->setAsBoolean(true);
    dm.PmdfD3->setAsDate(QDate(2004, 3, 1));
    EXPECT_EQ(dm.PmdfD1c->asString(), QStringLiteral("IHNED"));
    EXPECT_EQ(dm.PmdfD3c->asString(), QString());
    dm.PmdfIhn->setAsBoolean(false);
    dm.PmdfVsd->setAsBoolean(false);
    dm.PmdfD1->setAsDate(QDate(2004, 3, 2));
    EXPECT_EQ(dm.PmdfD1c->asString(), QStringLiteral("02.03.2004"));
    EXPECT_EQ(dm.PmdfD3c->asString(), QStringLiteral("01.03.2004"));
    dm.Pmdf.cancel();
}

TEST_F(RulesTest, PrintSettingsChecksStopThePostWithTheirMessages)
{
    struct Case {
        WindowId window;
        std::function<void()> change;
        const char *message;
    } cases[] = {
        {WindowId::PrintCentre, [&] { dm.MttDz->clear(); }, "Zadejte datum - Velorad"},
        {WindowId::PrintCentre, [&] { dm.MttDzh->clear(); }, "Zadejte datum - závazky"},
        {WindowId::Purge, [&] { dm.MttD->clear(); }, "Zadejte datum."},
        {WindowId::OtherDate, [&] { dm.MttDpz->clear(); }, "Zadejte datum."},
    };
    for (const auto &c : cases) {
        dm.Mtt.edit();
        for (db::Field *f : {dm.MttDz, dm.MttDs, dm.MttDk, dm.MttDzh, dm.MttDkh, dm.MttD, dm.MttDpz}) f->setAsDate(QDate(2004, 3, 22));
        dm.Mtt.post();
        data::program().setWindowOpen(c.window, true);
        messages.clear();
        dm.Mtt.edit();
        dm.MttKod->setAsString(QStringLiteral("X"));
        c.change();
        EXPECT_THROW(dm.Mtt.post(), db::Abort) << c.message;
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(dm.Mtt.state(), db::DatasetState::Edit);
        dm.Mtt.cancel();
        data::program().setWindowOpen(c.window, false);
    }
    // An empty number of copies becomes 0, which its range refuses.
    dm.Mtt.edit();
    dm.MttKop->clear();
    try {
        dm.Mtt.post();
        ADD_FAILURE();
    } catch (const db::DbError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("0 není platná hodnota pro pole 'Počet Kopií'. Povolený rozsah je od 1 do 999"));
    }
    dm.Mtt.cancel();
}

TEST_F(RulesTest, KeyViolationsShowTheTablesMessageAndWriteNothing)
{
    struct Case {
        db::Table *table;
        std::function<void()> fill;
        const char *message;
    } cases[] = {
        {&dm.Mbzp, [&] { dm.MbzpPc->setAsInteger(3); }, "Duplicitní klíč - číslo banky"},
        {&dm.Maz, [&] { dm.MazNa->setAsString(QStringLiteral("Dodavatel s.r.o.")); }, "Duplicitní klíč - dodavatel"},
        {&dm.Mzak, [&] { dm.MzakCzak->setAsInteger(12); }, "Duplicitní klíč - číslo zakázky"},
    };
    for (const auto &c : cases) {
        c.table->append();
        c.fill();
        c.table->post();
        messages.clear();
        c.table->append();
        c.fill();
        EXPECT_THROW(c.table->post(), db::Abort);
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(c.table->state(), db::DatasetState::Insert);
        c.table->cancel();
        EXPECT_EQ(c.table->recordCount(), 1);
    }
}

TEST_F(RulesTest, GuardsRefuseInsertAndDeleteSilently)
{
    dm.Mbz.append();
    dm.MbzNa->setAsString(QStringLiteral("A"));
    dm.Mbz.post();
    for (WindowId w : {WindowId::Split, WindowId::PeriodicPayments}) {
        data::program().setWindowOpen(w, true);
        EXPECT_THROW(dm.Mbz.append(), db::Abort);
        EXPECT_THROW(dm.Mbz.deleteRecord(), db::Abort);
        EXPECT_EQ(dm.Mbz.state(), db::DatasetState::Browse);
        data::program().setWindowOpen(w, false);
    }
    data::program().setWindowOpen(WindowId::PayingObligations, true);
    EXPECT_THROW(dm.Mkd.append(), db::Abort);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dm.Mbz.recordCount(), 1);
}

TEST_F(RulesTest, CalculatedFieldsOfAccountsAndSettings)
{
    const std::pair<int, const char *> cases[] = {{-1, "-1 "}, {0, "0 dní dříve"}, {1, "1 den dříve"}, {2, "2 dny dříve"}};
    for (const auto &[p, text] : cases) {
        addOwnAccount(p + 10, QStringLiteral("KB"), p);
        EXPECT_EQ(dm.MbzpPt1->asString(), QString::fromUtf8(text));
    }
    dm.Modf.edit();
    dm.ModfK->setAsString(QStringLiteral("yymmdd"));
    EXPECT_EQ(dm.ModfPri->asString(), QStringLiteral("030115"));
    dm.ModfD1->setAsDate(QDate(2004, 3, 8));
    EXPECT_EQ(dm.ModfA->asString(), QStringLiteral("pondělí"));
    dm.Modf.cancel();
    EXPECT_EQ(dm.ModfPri->asString(), QStringLiteral("15.01.2003"));
}

TEST_F(RulesTest, StatusBarCountersAndCaption)
{
    data::program().statusUpdatesOn = true;
    for (int pc : {1, 2, 3}) addOwnAccount(pc);
    EXPECT_EQ(status.panels[1], QStringLiteral("3/3"));
    dm.Mbzp.first();
    EXPECT_EQ(status.panels[1], QStringLiteral("1/3"));
    dm.Mbzp.append();
    EXPECT_EQ(status.panels[1], QStringLiteral("Nový záznam"));
    EXPECT_EQ(status.panels[2], QStringLiteral("EDIT"));
    dm.Mbzp.cancel();
    EXPECT_EQ(status.panels[2], QString());
    data::tableCount(dm.Mkf) = 0;
    data::Zaznam(dm.Mkf, 0);
    EXPECT_EQ(status.panels[1], QStringLiteral("0/0"));
    // A filtered obligations book counts its selection.
    dm.Mkd.append();
    dm.Mkd.post();
    dm.Mkd.setFilter(QStringLiteral("Neh = 'A'"));
    dm.Mkd.setFiltered(true);
    data::MkdR1(dm);
    EXPECT_EQ(status.panels[1], QStringLiteral("Výběr 0"));
    dm.Mkd.setFiltered(false);
    setModf([&] { dm.ModfFa->setAsString(QStringLiteral("Firma s.r.o.")); });
    data::NazevDp1(dm);
    EXPECT_EQ(status.caption, QStringLiteral("Velorad 3.10 - Firma s.r.o."));
}
