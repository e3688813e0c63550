#include "own_account_pick.h"

#include "entry_controls.h"
#include "msg.h"
#include "pick_label.h"

#include "data/program_state.h"
#include "platform/db/dataset.h"
#include "platform/db/errors.h"
#include "platform/db/field.h"

#include <QTimer>
#include <QWidget>

namespace ui {

namespace {

// Runs a change of the tables; a refusal is shown (an Abort silently) and gives false.
bool guarded(QWidget *w, const std::function<void()> &change)
{
    try {
        change();
        return true;
    } catch (const db::DbError &e) {
        Msg::error(e.message(), w ? w->window() : nullptr);
    } catch (const db::Abort &) {
    }
    return false;
}

} // namespace

OwnAccountPick::OwnAccountPick(db::Table &accounts, TDBEditz *pcEdit, PickLabel *label, OwnAccountVariant variant)
    : QObject(pcEdit), m_accounts(accounts), m_edit(pcEdit), m_variant(std::move(variant))
{
    connect(pcEdit, &TDBEditz::entered, this, [this]() { remember(); });
    connect(pcEdit, &TDBEditz::exited, this, [this]() { leave(true); });
    const PickAction action = [this]() { pick(); };
    pcEdit->setPickAction(action);
    if (label) label->setPickAction(action);
    remember();
}

bool OwnAccountPick::enabled() const
{
    db::Dataset *r = m_variant.record;
    if (!r || !r->active()) return false;
    return !m_variant.enabled || m_variant.enabled();
}

void OwnAccountPick::remember()
{
    db::Dataset *r = m_variant.record;
    db::Field *pc = r && r->active() ? r->findField(m_variant.pc) : nullptr;
    m_remembered = pc ? pc->text() : QString();
}

void OwnAccountPick::copyCurrentAccount()
{
    db::Dataset &r = *m_variant.record;
    auto copy = [&](const QString &to, const char *from) {
        if (!to.isEmpty()) r.fieldByName(to).setValue(m_accounts.fieldByName(QString::fromLatin1(from)).value());
    };
    copy(m_variant.pc, "Pc");
    copy(m_variant.bank, "Ba");
    copy(m_variant.branch, "Na");
    copy(m_variant.account, "Cu");
    copy(m_variant.days, "P");
}

void OwnAccountPick::clearCopies()
{
    db::Dataset &r = *m_variant.record;
    for (const QString &f : {m_variant.bank, m_variant.branch, m_variant.account})
        if (!f.isEmpty()) r.fieldByName(f).clear();
    if (!m_variant.days.isEmpty()) r.fieldByName(m_variant.days).setAsInteger(0);
}

bool OwnAccountPick::allEmpty() const
{
    db::Dataset &r = *m_variant.record;
    for (const QString &f : {m_variant.pc, m_variant.bank, m_variant.branch, m_variant.account})
        if (!f.isEmpty() && !r.fieldByName(f).text().isEmpty()) return false;
    return true;
}

bool OwnAccountPick::pick()
{
    if (!enabled() || !m_variant.list) return false;
    QWidget *window = m_edit ? m_edit->window() : nullptr;
    if (m_edit) m_edit->reset(); // the chosen account replaces whatever was being typed
    db::Dataset &r = *m_variant.record;
    if (m_variant.positionList) {
        guarded(window, [this, &r]() {
            db::Field &pc = r.fieldByName(m_variant.pc);
            if (pc.isNull() || !m_accounts.findKey({pc.value()})) m_accounts.first();
        });
    }
    if (!m_variant.list(window)) return false;
    if (!m_accounts.active() || m_accounts.isEmpty()) return false;
    const bool copied = guarded(window, [this, &r]() {
        r.edit();
        copyCurrentAccount();
    });
    if (m_variant.afterCopy) guarded(window, m_variant.afterCopy);
    remember();
    return copied;
}

void OwnAccountPick::leave(bool openList)
{
    if (!enabled()) return;
    if (m_variant.waitForDefaults && !data::program().defaultsInProgress) return;
    QWidget *window = m_edit ? m_edit->window() : nullptr;
    db::Dataset &r = *m_variant.record;
    const QString now = r.fieldByName(m_variant.pc).text();
    if (m_variant.everyExit || now != m_remembered) {
        guarded(window, [this, &r]() {
            r.edit();
            db::Field &pc = r.fieldByName(m_variant.pc);
            if (!pc.isNull() && m_accounts.findKey({pc.value()})) copyCurrentAccount();
            else clearCopies();
        });
        if (m_variant.afterCopy) guarded(window, m_variant.afterCopy);
        remember();
    }
    if (!openList || !allEmpty()) return;
    if (m_variant.openWhenEmpty && !m_variant.openWhenEmpty()) return;
    // The list opens once the focus has moved on, not in the middle of the focus change.
    QTimer::singleShot(0, this, [this]() { openListWhenEmpty(); });
}

void OwnAccountPick::openListWhenEmpty()
{
    // Not over a window that has been closed meanwhile.
    if (!m_edit || !m_edit->isVisible() || !enabled() || !allEmpty()) return;
    if (m_variant.openWhenEmpty && !m_variant.openWhenEmpty()) return;
    pick();
}

} // namespace ui
