// The preview window driven with keys, buttons and scripted message boxes.
#include "print/preview_window.h"
#include "print/print_progress_window.h"
#include "print/print_settings.h"

#include "platform/report/report_data.h"
#include "platform/report/report_engine.h"
#include "platform/ui/msg.h"
#include "platform/ui/test_keys.h"
#include "support/test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// A document of the given number of pages, one text a page.
report::Document pages(int count)
{
    report::ReportLayout layout;
    layout.title = QStringLiteral("Kniha příkazů");
    layout.addBand(report::BandKind::Detail, 2000).text(0, 0, 90, 17, QStringLiteral("strana"));
    struct Rows : report::ReportData {
        int n;
        int rowCount() const override { return n; }
        void moveTo(int) override {}
        QVariant value(const QString &) const override { return {}; }
        QString text(const QString &) const override { return {}; }
    } data;
    data.n = count;
    return report::runReport(layout, &data);
}

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.setSettingsStore(&settings);
        form.setProgressWindow(&progress);
        form.printDocument = [this](const report::Document &doc, int copies) {
            printed.push_back({doc.pageCount(), copies, progress.isVisible(), form.printButton()->isEnabled()});
            return true;
        };
    }
    void TearDown() override
    {
        if (form.isVisible()) form.hide();
    }
    void show(int pageCount)
    {
        form.setDocument(pages(pageCount));
        form.show();
        QApplication::setActiveWindow(&form);
        QCoreApplication::processEvents();
    }
    struct Printed {
        int pages, copies;
        bool progressShown, printEnabled;
    };
    print::MemorySettingsStore settings;
    print::TTiskInfoForm progress;
    print::TPrevForm form;
    std::vector<Printed> printed;
};

} // namespace

TEST_F(PreviewTest, OnePageDisablesEveryPageButtonAndMove)
{
    show(1);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Velorad - Náhled před tiskem"));
    EXPECT_EQ(form.pagePanelText(), QStringLiteral("Strana 1 z 1"));
    for (QToolButton *b : {form.firstButton(), form.priorButton(), form.nextButton(), form.lastButton()})
        EXPECT_FALSE(b->isEnabled()) << b->toolTip().toStdString();
    EXPECT_EQ(QApplication::focusWidget(), form.printButton());
    ui::pressKey(Qt::Key_PageDown);
    EXPECT_EQ(form.pageIndex(), 0);
    EXPECT_TRUE(form.isWindow() && (form.windowState() & Qt::WindowMaximized));
}

TEST_F(PreviewTest, PageButtonsAndKeysMoveThroughThePages)
{
    show(3);
    auto states = [this] {
        return QString::fromLatin1("%1%2%3%4")
            .arg(form.firstButton()->isEnabled())
            .arg(form.priorButton()->isEnabled())
            .arg(form.nextButton()->isEnabled())
            .arg(form.lastButton()->isEnabled());
    };
    EXPECT_EQ(form.pagePanelText(), QStringLiteral("Strana 1 z 3"));
    EXPECT_EQ(states(), QStringLiteral("0011"));
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QString panel, enabled;
    } steps[] = {
        {Qt::Key_PageDown, Qt::NoModifier, "Strana 2 z 3", "1111"},
        {Qt::Key_PageDown, Qt::NoModifier, "Strana 3 z 3", "1100"},
        {Qt::Key_PageDown, Qt::NoModifier, "Strana 3 z 3", "1100"},
        {Qt::Key_Home, Qt::ControlModifier, "Strana 1 z 3", "0011"},
        {Qt::Key_End, Qt::ControlModifier, "Strana 3 z 3", "1100"},
        {Qt::Key_PageUp, Qt::NoModifier, "Strana 2 z 3", "1111"},
    };
    for (const Step &s : steps) {
        ui::pressKey(s.key, s.mods);
        EXPECT_EQ(form.pagePanelText(), s.panel);
        EXPECT_EQ(states(), s.enabled) << s.panel.toStdString();
    }
    form.firstButton()->click();
    EXPECT_EQ(form.pagePanelText(), QStringLiteral("Strana 1 z 3"));
    form.lastButton()->click();
    EXPECT_EQ(form.pageIndex(), 2);
    // The page scrolls by 16 pixels with Ctrl and the arrows.
    form.setZoom(300);
    QCoreApplication::processEvents();
    QScrollBar *v = form.scrollArea()->verticalScrollBar();
    v->setValue(0);
    ui::pressKey(Qt::Key_Down, Qt::ControlModifier, form.printButton());
    ui::pressKey(Qt::Key_Down, Qt::ControlModifier, form.printButton());
    EXPECT_EQ(v->value(), 32);
    ui::pressKey(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(v->value(), 16);
}

TEST_F(PreviewTest, ZoomFromTheStoreTheBoxAndTheButtons)
{
    ui::ScriptedMsg msg;
    settings.setInteger(QStringLiteral("Tisk"), QStringLiteral("Nahled"), 75);
    show(1);
    EXPECT_EQ(form.zoom(), 75);
    EXPECT_EQ(form.zoomBox()->currentText(), QStringLiteral("75%"));
    struct Entry {
        QString typed;
        int zoom;
        bool message;
    } entries[] = {
        {"150%", 150, false}, {"80", 80, false}, {"800", 80, true}, {"-5", 80, true}, {"abc", 80, false}, {"500", 500, false},
    };
    for (const Entry &e : entries) {
        const size_t before = msg.shown().size();
        form.zoomBox()->setEditText(e.typed);
        EXPECT_EQ(form.zoom(), e.zoom) << e.typed.toStdString();
        ASSERT_EQ(msg.shown().size() - before, e.message ? 1u : 0u) << e.typed.toStdString();
        if (e.message) {
            EXPECT_EQ(msg.shown().back().text, QStringLiteral("Číslo může být maximálně 500."));
        }
    }
    EXPECT_EQ(form.zoomBox()->lineEdit()->maxLength(), 4);
    form.fullSizeButton()->click();
    EXPECT_EQ(form.zoom(), 100);
    EXPECT_EQ(form.zoomBox()->currentText(), QStringLiteral("100%"));
    form.resize(900, 700);
    QCoreApplication::processEvents();
    form.fitToWindow();
    const QSizeF view = form.scrollArea()->viewport()->size();
    const QSizeF paper = form.document().geometry.paper;
    auto fits = [&](int zoom) { return paper.width() * zoom / 100 <= view.width() && paper.height() * zoom / 100 <= view.height(); };
    EXPECT_TRUE(fits(form.zoom())) << form.zoom();
    EXPECT_FALSE(fits(form.zoom() + 1)) << form.zoom();
    EXPECT_EQ(form.zoomBox()->currentText(), QStringLiteral("%1%").arg(form.zoom()));
    form.pageWidthButton()->click();
    EXPECT_EQ(form.zoomBox()->currentText(), QStringLiteral("%1%").arg(form.zoom()));
    const int shown = form.zoom();
    form.hide();
    EXPECT_EQ(settings.integer(QStringLiteral("Tisk"), QStringLiteral("Nahled"), 0), shown);
}

TEST_F(PreviewTest, PrintsAllPagesByCopiesWithTheProgressWindow)
{
    show(2);
    form.setStatusText(QStringLiteral("Budou vytištěny všechny stránky."));
    EXPECT_EQ(form.statusText(), QStringLiteral("Budou vytištěny všechny stránky."));
    // The printer makes no copies: the pages go three times.
    form.setDocument(pages(2), 1, 3);
    form.printButton()->click();
    ASSERT_EQ(printed.size(), 3u);
    for (const Printed &p : printed) {
        EXPECT_EQ(p.pages, 2);
        EXPECT_EQ(p.copies, 1);
        EXPECT_TRUE(p.progressShown);
        EXPECT_FALSE(p.printEnabled);
    }
    EXPECT_FALSE(progress.isVisible());
    EXPECT_TRUE(form.printButton()->isEnabled());
    EXPECT_TRUE(form.printed());
    EXPECT_EQ(progress.text(), QStringLiteral("Odesílám data do tiskárny ..."));
    EXPECT_EQ(progress.windowTitle(), QStringLiteral("Velorad"));
    EXPECT_EQ(progress.height(), 105);
    // The printer makes the copies: once, with 3 copies; F6 prints too.
    printed.clear();
    form.resetPrinted();
    QApplication::setActiveWindow(&form);
    form.setDocument(pages(2), 3, 1);
    ui::pressKey(Qt::Key_F6);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].copies, 3);
    EXPECT_TRUE(form.printed());
}

TEST_F(PreviewTest, SavesThePagesAsPdf)
{
    ui::ScriptedMsg msg;
    testsupport::TempDir dir;
    QString suggested;
    const QString path = dir.file(QStringLiteral("kniha.pdf"));
    form.choosePdfFile = [&](QWidget *, const QString &s) {
        suggested = s;
        return path;
    };
    show(2);
    form.pdfButton()->click();
    EXPECT_EQ(suggested, QStringLiteral("Kniha příkazů.pdf"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("/Count 2"));
    EXPECT_TRUE(msg.texts().isEmpty());
    form.choosePdfFile = [&](QWidget *, const QString &) { return dir.file(QStringLiteral("není/kniha.pdf")); };
    form.pdfButton()->click();
    EXPECT_EQ(msg.texts(), QStringList{QStringLiteral("Soubor %1 nelze vytvořit.").arg(dir.file(QStringLiteral("není/kniha.pdf")))});
    form.choosePdfFile = [&](QWidget *, const QString &) { return QString(); }; // cancelled
    form.pdfButton()->click();
    EXPECT_EQ(msg.texts().size(), 1);
}
