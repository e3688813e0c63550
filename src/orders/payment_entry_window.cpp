#include "payment_entry_window.h"

#include "own_accounts_window.h"

#include "app/calendar_window.h"
#include "data/data_module.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/db/errors.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/entry_controls.h"
#include "platform/ui/msg.h"
#include "platform/ui/own_account_pick.h"
#include "platform/ui/pick_label.h"
#include "platform/ui/table_keys.h"
#include "platform/ui/unsaved_changes.h"
#include "platform/ui/window_tools.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace orders {

namespace {

constexpr int kBottomWidth = 570;

// The duplicate button's glyph: two overlapping sheets.
QIcon duplicateIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x20, 0x20, 0x60));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 9, 10);
    p.drawRect(5, 4, 9, 10);
    return QIcon(pixmap);
}

} // namespace

PaymentEntryForm::PaymentEntryForm(data::TDM1 &dm, Kind kind, QWidget *parent) : QDialog(parent), m_dm(dm), m_kind(kind)
{
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::MSWindowsFixedSizeDialogHint);
    build();
}

PaymentEntryForm::~PaymentEntryForm() = default;

void PaymentEntryForm::build()
{
    const bool payments = m_kind == Kind::Payments;
    db::DataSource *mbz = &m_dm.MbzSource;
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    auto edit = [&](QWidget *parent, const char *field, const QString &hint, int chars = 0) {
        auto *e = new ui::TDBEditz(mbz, QString::fromLatin1(field), parent);
        e->setObjectName(QStringLiteral("DBEdit") + QString::fromLatin1(field));
        if (!hint.isEmpty()) ui::setHint(e, hint);
        if (chars > 0) e->setFixedWidth(digit * chars + 12);
        return e;
    };
    // A text beside a field, as wide as the longest text it shows.
    auto text = [&](QWidget *parent, const char *field, const QString &longest) {
        auto *t = new ui::TDBText(mbz, QString::fromLatin1(field), parent);
        t->setObjectName(QStringLiteral("DBText") + QString::fromLatin1(field));
        t->setFixedWidth(fontMetrics().horizontalAdvance(longest) + 4);
        return t;
    };
    const QString weekday = QStringLiteral("čtvrtek");
    const int dateWidth = fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 14;
    auto check = [&](QWidget *parent, db::DataSource *source, const char *field, const QString &caption,
                     const QString &hint) {
        auto *c = new ui::TDBCheckBoxz(source, QString::fromLatin1(field), parent);
        c->setObjectName(QStringLiteral("DBCheckBox") + QString::fromLatin1(field));
        c->setText(caption);
        if (!hint.isEmpty()) ui::setHint(c, hint);
        return c;
    };

    // Group "PLATIT  Z  ÚČTU".
    GroupBoxZ = new QGroupBox(QStringLiteral("PLATIT  Z  ÚČTU"), this);
    LabelPc = new ui::PickLabel(QStringLiteral("č. banky"), GroupBoxZ);
    LabelPc->setObjectName(QStringLiteral("LabelPc"));
    DBEditPc = edit(GroupBoxZ, "Pc", QStringLiteral("Číslo banky, Shift F7, modrý nápis - výběr (F1)"), 5);
    DBEditBai = edit(GroupBoxZ, "Bai", QStringLiteral("Název banky"));
    DBEditNai = edit(GroupBoxZ, "Nai", QStringLiteral("Místo pobočky"));
    DBEditCui = edit(GroupBoxZ, "Cui", QStringLiteral("Číslo účtu plátce"), 19);
    DBCheckBoxIk = check(GroupBoxZ, mbz, "Ik", QStringLiteral("Inkaso"), QString());
    DBCheckBoxIk->setFocusPolicy(Qt::ClickFocus);
    LabelD1 = new ui::PickLabel(QStringLiteral("splatnost"), GroupBoxZ);
    LabelD1->setObjectName(QStringLiteral("LabelD1"));
    DBEditD1 = edit(GroupBoxZ, "D1", QStringLiteral("Zapište datum splatnosti (F1)"));
    DBEditD1->setFixedWidth(dateWidth);
    DBTextA = text(GroupBoxZ, "A", weekday);
    LabelP = new QLabel(QStringLiteral("bance dodat o"), GroupBoxZ);
    LabelP->setObjectName(QStringLiteral("LabelP"));
    DBEditP = edit(GroupBoxZ, "P", QStringLiteral("Nabíhá z nastavených údajů v bance, možno přepsat (F1)"), 3);
    DBTextPt = text(GroupBoxZ, "Pt", QStringLiteral("dní dříve"));
    if (payments) {
        LabelD3 = new ui::PickLabel(QStringLiteral("vystavení"), GroupBoxZ);
        LabelD3->setObjectName(QStringLiteral("LabelD3"));
    }
    DBEditD3 = edit(GroupBoxZ, "D3", QStringLiteral("Vypočítá se datum, kdy odevzdat příkaz bance (F1)"));
    DBEditD3->setFixedWidth(dateWidth);
    DBTextA1 = text(GroupBoxZ, "A1", weekday);

    auto *z = new QVBoxLayout(GroupBoxZ);
    auto *zRow0 = new QHBoxLayout;
    zRow0->addWidget(LabelPc);
    zRow0->addWidget(DBEditPc);
    zRow0->addWidget(DBEditBai, 1);
    zRow0->addWidget(DBEditNai, 1);
    auto *zRow1 = new QHBoxLayout;
    zRow1->addSpacing(LabelPc->sizeHint().width() + DBEditPc->width() + zRow0->spacing() + 6);
    zRow1->addWidget(DBEditCui);
    zRow1->addWidget(DBCheckBoxIk);
    zRow1->addStretch(1);
    auto *zRow2 = new QHBoxLayout;
    zRow2->addWidget(LabelD1);
    zRow2->addWidget(DBEditD1);
    zRow2->addWidget(DBTextA);
    zRow2->addWidget(LabelP);
    zRow2->addWidget(DBEditP);
    zRow2->addWidget(DBTextPt);
    if (LabelD3) zRow2->addWidget(LabelD3);
    zRow2->addWidget(DBEditD3);
    zRow2->addWidget(DBTextA1);
    zRow2->addStretch(1);
    zRow2->setSpacing(5);
    z->addLayout(zRow0);
    z->addLayout(zRow1);
    z->addLayout(zRow2);

    // Amount and variable symbol.
    GroupBoxCa = new QGroupBox(this);
    DBEditCa = edit(GroupBoxCa, "Ca", QStringLiteral("Částka k úhradě"), 11);
    DBTextMi = text(GroupBoxCa, "Mi", QStringLiteral("MMMM"));
    DBCheckBoxCab = check(GroupBoxCa, mbz, "Cab", QStringLiteral("nechat"),
                          QStringLiteral("Nezaškrtnuto - po vytisknutí příkazu se částka vymaže, Zaškrtnuto - zůstane"));
    DBEditVs = edit(GroupBoxCa, "Vs", QString(), 11);
    DBCheckBoxVsb = check(GroupBoxCa, mbz, "Vsb", QStringLiteral("nechat"),
                          QStringLiteral("Nezaškrtnuto - po vytisknutí příkazu se VS vymaže, Zaškrtnuto - zůstane"));
    auto *ca = new QHBoxLayout(GroupBoxCa);
    auto fixedLabel = [](const QString &text, QWidget *parent) {
        auto *l = new QLabel(text, parent);
        l->setMinimumSize(l->sizeHint());
        return l;
    };
    ca->addWidget(fixedLabel(QStringLiteral("částka"), GroupBoxCa));
    ca->addWidget(DBEditCa);
    ca->addWidget(DBTextMi);
    ca->addWidget(DBCheckBoxCab);
    ca->addSpacing(4);
    ca->addWidget(fixedLabel(QStringLiteral("variabilní symbol"), GroupBoxCa));
    ca->addWidget(DBEditVs);
    ca->addWidget(DBCheckBoxVsb);
    ca->addStretch(1);

    // Group "PLATIT  NA ÚČET".
    GroupBoxNa = new QGroupBox(QStringLiteral("PLATIT  NA ÚČET"), this);
    DBEditNa = edit(GroupBoxNa, "Na", QStringLiteral("Název platby - zapíše se do knihy vystavených příkazů (F1)"));
    DBEditBa = edit(GroupBoxNa, "Ba", QStringLiteral("Banka příjemce - např. KB Teplice"));
    DBEditCu = edit(GroupBoxNa, "Cu", QString(), 19);
    DBEditKb = edit(GroupBoxNa, "Kb", QString(), 5);
    DBEditKs = edit(GroupBoxNa, "Ks", QString(), 5);
    DBEditSs = edit(GroupBoxNa, "Ss", QString(), 12);
    LabelUpp = new QLabel(QStringLiteral("údaje pro potřebu příkazce"), GroupBoxNa);
    LabelUpp->setObjectName(QStringLiteral("LabelUpp"));
    DBEditUpp = edit(GroupBoxNa, "Upp", QStringLiteral("Údaje pro vnitřní potřebu příkazce (F1)"));
    auto *na = new QGridLayout(GroupBoxNa);
    auto label = [this](const QString &t) { return new QLabel(t, GroupBoxNa); };
    na->addWidget(label(QStringLiteral("název platby")), 0, 0);
    na->addWidget(DBEditNa, 0, 1, 1, 5);
    na->addWidget(label(QStringLiteral("banka")), 1, 0);
    na->addWidget(DBEditBa, 1, 1);
    na->addWidget(label(QStringLiteral("číslo účtu")), 1, 2);
    na->addWidget(DBEditCu, 1, 3);
    na->addWidget(label(QStringLiteral("kód banky")), 1, 4);
    na->addWidget(DBEditKb, 1, 5);
    na->addWidget(label(QStringLiteral("KS")), 2, 0);
    na->addWidget(DBEditKs, 2, 1, Qt::AlignLeft);
    na->addWidget(label(QStringLiteral("SS")), 2, 2);
    na->addWidget(DBEditSs, 2, 3, Qt::AlignLeft);
    na->addWidget(LabelUpp, 3, 0, 1, 2);
    na->addWidget(DBEditUpp, 3, 2, 1, 4);
    na->setColumnStretch(1, 1);

    // Periodic payment and deletion after printing.
    DBEditSpl = edit(this, "Spl", QStringLiteral("U opakujících se plateb zadáte den - např. 8. (F1)"), 3);
    DBEditVm = edit(this, "Vm", QStringLiteral("U opakujících se plateb zapíšete měsíce - např. 1.-12. nebo 2,5,8 atd."), 14);
    DBCheckBoxO4 = check(this, mbz, "O4", QStringLiteral("Zrušit tento zápis po tisku ?"),
                         QStringLiteral("Nezaškrtnuto - nezrušit, Zaškrtnuto - zrušit celý zápis po vystavení příkazu (F1)"));
    auto *periodic = new QHBoxLayout;
    periodic->addWidget(new QLabel(QStringLiteral("Periodická platba do"), this));
    periodic->addWidget(DBEditSpl);
    periodic->addWidget(new QLabel(QStringLiteral(". v měsících"), this));
    periodic->addWidget(DBEditVm);
    periodic->addStretch(1);
    periodic->addWidget(DBCheckBoxO4);

    // Bottom row: the buttons sit where the window's layout puts them.
    auto *bottom = new QWidget(this);
    bottom->setFixedSize(kBottomWidth, 30);
    DBNavigator = new ui::TDBNavigator(bottom);
    DBNavigator->setObjectName(QStringLiteral("DBNavigator"));
    DBNavigator->setDataSource(mbz);
    if (!payments)
        DBNavigator->setVisibleButtons({ui::TDBNavigator::First, ui::TDBNavigator::Prior, ui::TDBNavigator::Next,
                                        ui::TDBNavigator::Last, ui::TDBNavigator::Edit, ui::TDBNavigator::Post,
                                        ui::TDBNavigator::Cancel});
    for (int b = 0; b <= ui::TDBNavigator::Cancel; ++b) DBNavigator->button(ui::TDBNavigator::Button(b))->setFixedWidth(24);
    DBNavigator->setGeometry(0, 3, DBNavigator->sizeHint().width(), 24);
    int x = DBNavigator->geometry().right() + 4;
    if (payments) {
        DuplButton = new QToolButton(bottom);
        DuplButton->setObjectName(QStringLiteral("DuplButton"));
        DuplButton->setIcon(duplicateIcon());
        DuplButton->setFocusPolicy(Qt::NoFocus);
        ui::setHint(DuplButton, QStringLiteral("Duplikovat záznam (Ctrl+D)"));
        DuplButton->setGeometry(x, 3, 24, 24);
        x += 28;
    }
    DBCheckBoxPre = check(bottom, &m_dm.ModfSource, "Pre", QStringLiteral("Přenos"),
                          QStringLiteral("Zaškrtnuto - do údajů pro tisk se přenese z aktuálního záznamu banka a datum předání bance"));
    DBCheckBoxPre->setFocusPolicy(Qt::ClickFocus);
    DBCheckBoxPre->setGeometry(x, 3, 327 - x - 2, 24);
    connect(DBCheckBoxPre, &ui::TDBCheckBoxz::exited, this, [this]() {
        if (m_dm.Modf.active() && m_dm.Modf.isEditing()) guarded([this]() { m_dm.Modf.post(); });
    });
    TiskButton = new QPushButton(QStringLiteral("&Tisk"), bottom);
    TiskButton->setObjectName(QStringLiteral("TiskButton"));
    ui::setHint(TiskButton, QStringLiteral("Tisk příkazů do banky"));
    connect(TiskButton, &QPushButton::clicked, this, &QDialog::accept);
    if (payments) {
        DateButton = new QPushButton(QStringLiteral("&Datumy"), bottom);
        DateButton->setObjectName(QStringLiteral("DateButton"));
        ui::setHint(DateButton, QStringLiteral("Výběr datumu vystavení a splatnosti pro nový zapis"));
    }
    ZavritButton = new QPushButton(QStringLiteral("&Zavřít"), bottom);
    ZavritButton->setObjectName(QStringLiteral("ZavritButton"));
    connect(ZavritButton, &QPushButton::clicked, this, &QDialog::reject);
    TiskButton->setGeometry(407, 2, 75, 26);
    if (DateButton) DateButton->setGeometry(327, 2, 75, 26);
    ZavritButton->setGeometry(487, 2, 75, 26);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBoxZ);
    layout->addWidget(GroupBoxCa);
    layout->addWidget(GroupBoxNa);
    layout->addLayout(periodic);
    layout->addWidget(bottom);

    std::vector<QWidget *> order{DBEditPc, DBEditBai, DBEditNai, DBEditCui, DBEditD1, DBEditP, DBEditD3, DBEditCa,
                                 DBCheckBoxCab, DBEditVs, DBCheckBoxVsb, DBEditNa, DBEditBa, DBEditCu, DBEditKb,
                                 DBEditKs, DBEditSs, DBEditUpp, DBEditSpl, DBEditVm, DBCheckBoxO4};
    // The buttons follow in their order on the row.
    if (DateButton) order.push_back(DateButton);
    order.push_back(TiskButton);
    order.push_back(ZavritButton);
    for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

    // The own-account pick.
    ui::OwnAccountVariant v;
    v.record = &m_dm.Mbz;
    v.bank = QStringLiteral("Bai");
    v.branch = QStringLiteral("Nai");
    v.account = QStringLiteral("Cui");
    v.days = QStringLiteral("P");
    v.list = [this](QWidget *parent) { return pickOwnAccount(m_dm, parent); };
    if (payments) {
        v.openWhenEmpty = [this]() { return !m_dm.Mbz.isEmpty() || m_dm.Mbz.isEditing(); };
        v.afterCopy = [this]() {
            if (!m_dm.ModfDd->asBoolean()) data::DoBankyMbz(m_dm);
        };
    } else {
        v.enabled = [this]() { return rowsShown(); };
        v.afterCopy = [this]() { data::DoBankyMbz(m_dm); };
    }
    m_pick = new ui::OwnAccountPick(m_dm.Mbzp, DBEditPc, LabelPc, v);

    // The date pickers and the change checks of the remembered values.
    const ui::PickAction dueDate = [this]() { pickDueDate(); };
    DBEditD1->setPickAction(dueDate);
    LabelD1->setPickAction(dueDate);
    connect(DBEditD1, &ui::TDBEditz::entered, this, [this]() { m_rememberedD1 = m_dm.MbzD1->value(); });
    connect(DBEditD1, &ui::TDBEditz::exited, this, [this]() { dueDateLeft(); });
    connect(DBEditP, &ui::TDBEditz::entered, this, [this]() { m_rememberedP = m_dm.MbzP2->text(); });
    connect(DBEditP, &ui::TDBEditz::exited, this, [this]() { daysLeft(); });

    // Every navigator action: what the focused edit holds is settled first, and the current
    // values are remembered afterwards.
    DBNavigator->beforeAction = [this](ui::TDBNavigator::Button b) {
        if (b == ui::TDBNavigator::Cancel || b == ui::TDBNavigator::Delete) return true;
        return settleFocusedEdit();
    };
    connect(DBNavigator, &ui::TDBNavigator::clicked, this, [this]() { rememberValues(); });

    ui::TableKeys::Options keys;
    keys.navigator = DBNavigator;
    keys.insertAndDelete = payments;
    keys.search = [this]() { search(); };
    keys.windowKeys = [this](QKeyEvent &e) { return windowKey(e); };
    m_keys = new ui::TableKeys(this, keys);

    // Settings applied once, when the window is made.
    const bool bupp = m_dm.Modf.active() && m_dm.ModfBupp->asBoolean();
    LabelUpp->setVisible(bupp);
    DBEditUpp->setVisible(bupp);
    if (payments) {
        const bool dd = m_dm.Modf.active() && m_dm.ModfDd->asBoolean();
        LabelP->setVisible(!dd);
        DBEditP->setVisible(!dd);
        DBTextPt->setVisible(!dd);
        LabelD3->setVisible(dd);
        DateButton->setVisible(dd);
        DateButton->move(dd ? 407 : 327, DateButton->y());
        TiskButton->move(dd ? 327 : 407, TiskButton->y());
        if (dd) {
            setTabOrder(DBCheckBoxO4, TiskButton);
            setTabOrder(TiskButton, DateButton);
            setTabOrder(DateButton, ZavritButton);
        }
        const ui::PickAction issueDate = [this]() {
            if (!m_dm.ModfDd->asBoolean()) return;
            DBEditD3->reset();
            app::KDatum(m_dm.Mbz, *m_dm.MbzD3);
        };
        DBEditD3->setPickAction(issueDate);
        LabelD3->setPickAction(issueDate);
    } else {
        const bool rows = rowsShown();
        DBNavigator->setEnabled(rows);
    }
    // The window is as wide as its bottom row; the height follows the fields shown.
    const QMargins m = layout->contentsMargins();
    setFixedSize(kBottomWidth + m.left() + m.right(), layout->sizeHint().height());
    rememberValues();
}

bool PaymentEntryForm::rowsShown() const
{
    if (m_kind == Kind::Payments) return true;
    return m_dm.Mbz.active() && !m_dm.Mbz.isEmpty();
}

bool PaymentEntryForm::recomputeOnDueDate() const
{
    return m_kind == Kind::Periodic || !(m_dm.Modf.active() && m_dm.ModfDd->asBoolean());
}

bool PaymentEntryForm::guarded(const std::function<void()> &change)
{
    try {
        change();
        return true;
    } catch (const db::DbError &e) {
        ui::Msg::error(e.message(), this);
    } catch (const db::Abort &) {
    }
    return false;
}

void PaymentEntryForm::showCounter()
{
    if (!m_dm.Mbz.active()) return;
    data::tableCount(m_dm.Mbz) = m_dm.Mbz.recordCount();
    data::Zaznam(m_dm.Mbz, data::tableCount(m_dm.Mbz));
    data::StatusEdit(m_dm.Mbz);
}

void PaymentEntryForm::rememberValues()
{
    if (m_pick) m_pick->remember();
    const bool on = m_dm.Mbz.active();
    m_rememberedD1 = on ? m_dm.MbzD1->value() : QVariant();
    m_rememberedP = on ? m_dm.MbzP2->text() : QString();
}

void PaymentEntryForm::dueDateLeft()
{
    if (!m_dm.Mbz.active() || !data::program().defaultsInProgress) return;
    const QVariant now = m_dm.MbzD1->value();
    if (now == m_rememberedD1) return;
    if (recomputeOnDueDate()) guarded([this]() { data::DoBankyMbz(m_dm); });
    m_rememberedD1 = now;
}

void PaymentEntryForm::daysLeft()
{
    if (!m_dm.Mbz.active() || !data::program().defaultsInProgress) return;
    const QString now = m_dm.MbzP2->text();
    if (now == m_rememberedP) return;
    guarded([this]() { data::DoBankyMbz(m_dm); });
    m_rememberedP = m_dm.MbzP2->text();
}

void PaymentEntryForm::pickDueDate()
{
    if (!rowsShown() || !m_dm.Mbz.active()) return;
    DBEditD1->reset();
    if (app::KDatum(m_dm.Mbz, *m_dm.MbzD1) && recomputeOnDueDate()) guarded([this]() { data::DoBankyMbz(m_dm); });
    m_rememberedD1 = m_dm.MbzD1->value();
}

bool PaymentEntryForm::settle(bool openList)
{
    auto *edit = qobject_cast<ui::TDBEditz *>(QApplication::focusWidget());
    if (!edit || edit->window() != this) return true;
    if (!edit->storeValue()) return false;
    if (edit == DBEditPc) m_pick->leave(openList);
    else if (edit == DBEditD1) dueDateLeft();
    else if (edit == DBEditP) daysLeft();
    return true;
}

bool PaymentEntryForm::settleFocusedEdit() { return settle(false); }

bool PaymentEntryForm::windowKey(QKeyEvent &) { return false; }

void PaymentEntryForm::done(int result)
{
    if (m_closing) return;
    if (!ui::confirmUnsavedChanges(this, m_dm.Mbz, windowTitle(), [this]() { return settleFocusedEdit(); })) return;
    m_closing = true;
    closing(result == QDialog::Accepted);
    QDialog::done(result);
    m_closing = false;
}

} // namespace orders
