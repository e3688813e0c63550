#pragma once

#include "ui/ui_fixture.h"

#include "orders/payments.h"
#include "platform/ui/entry_controls.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <vector>

// Answers the modal windows that open while it exists: each one, once it is the active modal
// window, is handed to the action, which closes it. Windows that never open leave nothing
// behind (unlike a one-shot wait), so it also shows that a window did not open.
class ModalAnswers {
public:
    explicit ModalAnswers(std::function<void(QDialog *)> action) : m_action(std::move(action))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this]() {
            auto *w = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!w || std::find(m_busy.begin(), m_busy.end(), w) != m_busy.end()) return;
            m_busy.push_back(w);
            opened.push_back(w->objectName());
            w->activateWindow();
            QApplication::setActiveWindow(w);
            m_action(w);
            m_busy.pop_back();
        });
        m_timer.start(5);
    }
    std::vector<QString> opened; // object names, in the order they opened

private:
    std::function<void(QDialog *)> m_action;
    QTimer m_timer;
    std::vector<QDialog *> m_busy; // windows whose action is running
};

// The company data set of the window tests (today is Saturday 20 March 2004) with helpers
// for own accounts, payments and the program settings.
class OrdersTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        data::program().statusUpdatesOn = true;
        orders::paymentReturn() = orders::PaymentReturn();
    }
    void TearDown() override
    {
        for (db::Table *t : {&dm.Mbz, &dm.Mbzp, &dm.Modf, &dm.Mtt})
            if (t->active()) t->cancel();
        UiTest::TearDown();
    }
    // Own account pc at bank "KB <pc>", branch "v Praze", account "19-<pc>", P days early.
    void account(int pc, int days)
    {
        dm.Mbzp.append();
        dm.MbzpPc->setAsInteger(pc);
        dm.MbzpBa->setAsString(QStringLiteral("KB %1").arg(pc));
        dm.MbzpNa->setAsString(QStringLiteral("v Praze"));
        dm.MbzpCu->setAsString(QStringLiteral("19-%1").arg(pc));
        dm.MbzpKb->setAsString(QStringLiteral("0100"));
        dm.MbzpP->setAsInteger(days);
        dm.Mbzp.post();
    }
    // A payment with its name and payee account; periodic ones wait without dates (O1 "T").
    void payment(const QString &name, const QString &cu, int spl = 0, bool waiting = false)
    {
        dm.Mbz.append();
        dm.MbzNa->setAsString(name);
        dm.MbzCu->setAsString(cu);
        if (spl) dm.MbzSpl->setAsInteger(spl);
        if (waiting) dm.MbzO1->setAsString(QStringLiteral("T"));
        dm.Mbz.post();
    }
    void setting(db::Field *field, bool on)
    {
        dm.Modf.edit();
        field->setAsBoolean(on);
        dm.Modf.post();
    }
    QWidget *focused() const { return QApplication::focusWidget(); }
    // Types into the focused control after selecting what it shows.
    void typeOver(const QString &text)
    {
        if (auto *e = qobject_cast<QLineEdit *>(focused())) e->selectAll();
        ui::typeText(text);
    }
    // Lets the event loop run what was queued (the list that opens by itself, ...).
    static void settle()
    {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }
};
