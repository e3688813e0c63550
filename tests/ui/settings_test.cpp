#include "ui_fixture.h"

#include "app/settings_rules.h"
#include "app/settings_window.h"
#include "platform/ui/entry_controls.h"
#include "platform/ui/window_tools.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

class SettingsTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        app::setMenuAdaptationHook([this]() {
            ++adaptations;
            ddAtAdaptation = dm.ModfDd->asBoolean();
            zakAtAdaptation = dm.MttZak->asBoolean();
        });
    }
    void TearDown() override
    {
        app::setMenuAdaptationHook({});
        UiTest::TearDown();
    }
    // Runs the settings command; the action works in the open window.
    void runSettings(const std::function<void(app::TEmodfForm *)> &action)
    {
        onModal<app::TEmodfForm>([action](app::TEmodfForm *w) { action(w); });
        app::Modifikaceprogramu1Click(dm);
    }
    void setMtt(const std::function<void()> &change)
    {
        dm.Mtt.edit();
        change();
        dm.Mtt.post();
    }
    void queue(int count, bool fromTransferredOrder)
    {
        for (int i = 0; i < count; ++i) {
            dm.Mban.append();
            dm.MbanCu2->setAsString(QStringLiteral("123-45"));
            dm.MbanCa->setAsFloat(10 + i);
            if (fromTransferredOrder) dm.MbanCislo->setAsInteger(7);
            dm.Mban.post();
        }
    }
    int adaptations = 0;
    bool ddAtAdaptation = false, zakAtAdaptation = false;
};

TEST_F(SettingsTest, EveryRowWithItsCaptionAndHintAndTheCheckBoxCaptionsFollowTheirState)
{
    app::TEmodfForm w(dm);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Modifikace programu"));
    QStringList labels;
    for (QLabel *l : w.findChildren<QLabel *>())
        if (!qobject_cast<ui::TDBText *>(l)) labels << l->text();
    for (const char *caption :
         {"Tvar datumů na příkazu do banky", "např.", "Datum vystavení příkazu - den tisku",
          "Datum vystavení příkazu - prázdný", "Datum splatnosti IHNED", "Stejné datumy vystavení / splatnosti",
          "Platby z jednoho účtu", "Údaje pro potřebu příkazce", "Zobrazení / tisk periodických plateb",
          "V tisku oddělovač částky", "V el. styku s bankou oddělovač částky", "Příkaz k úhradě", "Příkaz k inkasu",
          "Změnit starší datum na aktuální", "Název firmy", "Přenos příkazů"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(caption))) << caption;
    EXPECT_EQ(w.DBCheckBoxDd->toolTip(), QStringLiteral("Zaškrtnuto - při průběžném zápisu plateb volíte datum splatnosti (F1)"));
    EXPECT_EQ(w.DBEditUh->toolTip(), QStringLiteral("Podle bankovního programu zvolte číslo pro příkaz k úhradě"));
    EXPECT_EQ(w.DBCheckBoxZak->toolTip(), QStringLiteral("Nápověda (F1)"));
    EXPECT_EQ(ui::helpContext(w.DBEditFa), 51);
    EXPECT_EQ(ui::helpContext(w.DBCheckBoxZak), 101);
    EXPECT_EQ(ui::helpContext(w.DBEditUh), 46); // the window's topic
    EXPECT_EQ(w.DBComboBoxK->count(), 6);
    EXPECT_EQ(w.DBCheckBoxZak->focusPolicy(), Qt::ClickFocus); // skipped by Tab

    struct Case {
        ui::TDBCheckBoxz *box;
        db::Field *field;
        const char *on;
        const char *off;
    };
    dm.Modf.edit();
    for (const Case &c : {Case{w.DBCheckBoxTd, dm.ModfTd, "ano", "ne"}, Case{w.DBCheckBoxTc, dm.ModfTc, "čárka", "tečka"},
                          Case{w.DBCheckBoxOdl, dm.ModfOdl, "žádný", "tečka"}, Case{w.DBCheckBoxZak, dm.MttZak, "ano", "ne"}}) {
        const bool before = c.field->asBoolean();
        EXPECT_EQ(c.box->text(), QString::fromUtf8(before ? c.on : c.off));
        c.box->click();
        EXPECT_EQ(c.field->asBoolean(), !before);
        EXPECT_EQ(c.box->text(), QString::fromUtf8(before ? c.off : c.on));
    }
    EXPECT_EQ(dm.Mtt.state(), db::DatasetState::Edit); // Mtt entered edit by itself
    dm.Modf.cancel();
    dm.Mtt.cancel();
}

TEST_F(SettingsTest, EnterWalksTheRowsInOrderAndSkipsTheTransferBox)
{
    QWidget *walked = nullptr;
    int enters = 0;
    runSettings([&](app::TEmodfForm *w) {
        EXPECT_EQ(QApplication::focusWidget(), w->DBComboBoxK);
        const QWidget *order[] = {w->DBComboBoxK, w->DBCheckBoxTd, w->DBCheckBoxVsd, w->DBCheckBoxIhn, w->DBCheckBoxDd,
                                  w->DBCheckBoxJu, w->DBCheckBoxBupp, w->DBCheckBoxZpp, w->DBCheckBoxTc, w->DBCheckBoxOdl,
                                  w->DBEditUh, w->DBEditIk, w->DBCheckBoxZa1, w->DBEditFa, w->OKButton};
        for (size_t i = 1; i < std::size(order); ++i) {
            ui::pressKey(Qt::Key_Return);
            ++enters;
            EXPECT_EQ(QApplication::focusWidget(), order[i]) << i;
        }
        walked = QApplication::focusWidget();
        EXPECT_TRUE(w->isVisible()); // Enter moved on and closed nothing
        ui::pressKey(Qt::Key_Return); // on the button it presses the button
    });
    EXPECT_EQ(enters, 14);
    EXPECT_NE(walked, nullptr);
    EXPECT_EQ(adaptations, 1);
}

TEST_F(SettingsTest, ChoosingADateFormatShowsItsExample)
{
    runSettings([](app::TEmodfForm *w) {
        for (const auto &[format, example] : {std::pair{"yymmdd", "030115"}, std::pair{"dd.mm.yy", "15.01.03"},
                                              std::pair{"yyyymmdd", "20030115"}}) {
            const int index = w->DBComboBoxK->findText(QString::fromLatin1(format));
            w->DBComboBoxK->setCurrentIndex(index);
            Q_EMIT w->DBComboBoxK->activated(index);
            EXPECT_EQ(w->DBTextPri->text(), QString::fromLatin1(example));
        }
        ui::clickWidget(w->OKButton);
    });
    EXPECT_EQ(dm.ModfK->asString(), QStringLiteral("yyyymmdd"));
}

TEST_F(SettingsTest, ACompanyNameTypedAndClosedWithTheCloseBoxIsKeptInTheCaption)
{
    runSettings([](app::TEmodfForm *w) {
        w->DBEditFa->setFocus();
        w->DBEditFa->selectAll();
        ui::typeText(QStringLiteral("Žlutý kůň, s.r.o."));
        w->close(); // the close box, with the name still being typed
    });
    EXPECT_EQ(dm.ModfFa->asString(), QStringLiteral("Žlutý kůň, s.r.o."));
    EXPECT_EQ(dm.Modf.state(), db::DatasetState::Browse);
    EXPECT_EQ(status.caption, QStringLiteral("Velorad 3.10 - Žlutý kůň, s.r.o."));
    EXPECT_EQ(adaptations, 1);
    EXPECT_TRUE(msg.shown().empty());
}

TEST_F(SettingsTest, OkStoresTheValueBeingTypedAndTheMenusFollowSameDatesAndTransfer)
{
    status.panels[1] = QStringLiteral("3/17");
    status.panels[2] = QStringLiteral("EDIT");
    const bool dd = dm.ModfDd->asBoolean();
    const bool zak = dm.MttZak->asBoolean();
    runSettings([](app::TEmodfForm *w) {
        w->DBCheckBoxDd->click();
        w->DBCheckBoxZak->click();
        w->DBEditUh->setFocus();
        w->DBEditUh->selectAll();
        ui::typeText(QStringLiteral("5"));
        ui::clickWidget(w->OKButton);
    });
    EXPECT_EQ(dm.ModfUh->asString(), QStringLiteral("5"));
    EXPECT_EQ(adaptations, 1);
    EXPECT_EQ(ddAtAdaptation, !dd);
    EXPECT_EQ(zakAtAdaptation, !zak);
    EXPECT_EQ(status.panels[1], QString());
    EXPECT_EQ(status.panels[2], QString());
    // Opened and closed without changes: nothing changes, the menus are adapted again.
    runSettings([](app::TEmodfForm *w) { ui::clickWidget(w->OKButton); });
    EXPECT_EQ(dm.ModfDd->asBoolean(), !dd);
    EXPECT_EQ(dm.ModfUh->asString(), QStringLiteral("5"));
    EXPECT_EQ(adaptations, 2);
}

TEST_F(SettingsTest, SwitchingTransferOnOffersToClearTheOrdersQueuedOutsideTransfers)
{
    struct Case {
        bool zakBefore, zakAfter;
        int queuedPlain, queuedTransferred;
        ui::MsgAnswer answer;
        bool asked;
        int left;
    };
    const Case cases[] = {
        {false, true, 2, 1, ui::MsgAnswer::Yes, true, 1},
        {false, true, 2, 1, ui::MsgAnswer::No, true, 3},
        {false, true, 0, 1, ui::MsgAnswer::Yes, false, 1},
        {true, true, 2, 0, ui::MsgAnswer::Yes, false, 2},
        {true, false, 2, 0, ui::MsgAnswer::Yes, false, 2},
    };
    if (!dm.Mban.active()) dm.Mban.open();
    for (const Case &c : cases) {
        dm.Mban.emptyTable();
        dm.Mban.refresh();
        setMtt([&]() { dm.MttZak->setAsBoolean(c.zakBefore); });
        queue(c.queuedPlain, false);
        queue(c.queuedTransferred, true);
        ui::ScriptedMsg answers;
        answers.answer(c.answer);
        runSettings([&c](app::TEmodfForm *w) {
            if (c.zakAfter != c.zakBefore) w->DBCheckBoxZak->click();
            w->close();
        });
        EXPECT_EQ(answers.texts(), c.asked ? QStringList{app::vymazatStykQuestion()} : QStringList{});
        dm.Mban.refresh();
        EXPECT_EQ(dm.Mban.recordCount(), c.left);
    }
    EXPECT_EQ(app::vymazatStykQuestion(), QStringLiteral("Vymazat příkazy z el. styku ?"));
}

TEST_F(SettingsTest, OneAccountOperationTakesOwnAccountZeroIntoThePrintSettings)
{
    addOwnAccount(3, QStringLiteral("KB"));
    setMtt([&]() {
        dm.MttPc->setAsInteger(3);
        dm.MttBa->setAsString(QStringLiteral("KB"));
    });
    auto switchJuOn = [this]() {
        runSettings([this](app::TEmodfForm *w) {
            if (!dm.ModfJu->asBoolean()) w->DBCheckBoxJu->click();
            w->close();
        });
    };
    switchJuOn();
    EXPECT_EQ(dm.MttPc->asInteger(), 0);
    EXPECT_TRUE(dm.MttBa->isNull()); // no account 0: the three left empty
    EXPECT_TRUE(dm.MttCu->isNull());

    addOwnAccount(0, QStringLiteral("ČSOB"));
    switchJuOn();
    EXPECT_EQ(dm.MttBa->asString(), QStringLiteral("ČSOB"));
    EXPECT_EQ(dm.MttNa->asString(), QStringLiteral("v Praze"));
    EXPECT_EQ(dm.MttCu->asString(), QStringLiteral("19-123457"));
    EXPECT_EQ(dm.Mtt.state(), db::DatasetState::Browse);
}

} // namespace
