#include "own_accounts_window.h"

#include "own_accounts.h"

#include "data/data_module.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/db/errors.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/entry_controls.h"
#include "platform/ui/msg.h"
#include "platform/ui/rule_focus.h"
#include "platform/ui/table_keys.h"
#include "platform/ui/unsaved_changes.h"
#include "platform/ui/window_place.h"
#include "platform/ui/window_tools.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orders {

namespace {

const QString kTitle = QStringLiteral("Údaje pro platby z účtu");

bool isEnter(const QKeyEvent &e) { return e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter; }

void clearPanels(std::initializer_list<int> panels)
{
    if (data::StatusSink *sink = data::program().statusSink())
        for (int p : panels) sink->setPanelText(p, QString());
}

QWidget *focusWidgetIn(QWidget *window)
{
    QWidget *f = QApplication::focusWidget();
    return f && f->window() == window ? f : nullptr;
}

} // namespace

// --- TEbzpForm -------------------------------------------------------------------------------

TEbzpForm::TEbzpForm(data::TDM1 &dm, bool pickMode, QWidget *parent) : QDialog(parent), m_dm(dm), m_pickMode(pickMode)
{
    setObjectName(QStringLiteral("EbzpForm"));
    setWindowTitle(kTitle);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::MSWindowsFixedSizeDialogHint);
    ui::setHint(this, QStringLiteral("F3 - vyhledávání podle čísla banky"));

    auto *group = new QGroupBox(this);
    auto *grid = new QGridLayout(group);
    auto edit = [&](const char *name, const char *field, const QString &hint) {
        auto *e = new ui::TDBEditz(&dm.MbzpSource, QString::fromLatin1(field), group);
        e->setObjectName(QString::fromLatin1(name));
        ui::setHint(e, hint);
        return e;
    };
    DBEditPc = edit("DBEditPc", "Pc", QStringLiteral("Číslo banky pro rychlý výběr (F1)"));
    DBEditBa = edit("DBEditBa", "Ba", QStringLiteral("Název banky - tiskne se na příkazech k úhradě (F1)"));
    DBEditKti = edit("DBEditKti", "Kti", QStringLiteral("Pro některé banky např. Poštovní spořitelna (F1)"));
    DBEditNa = edit("DBEditNa", "Na", QStringLiteral("Pobočce - vyplníte u příkazů pro ČNB, např. v Praze"));
    DBEditM = edit("DBEditM", "M",
                   QStringLiteral("Měna (nejčastěji Kč), pokud chcete příkaz v cizí měně, napište jí zde (bude se tisknout na příkazu)"));
    DBEditCu = edit("DBEditCu", "Cu", QStringLiteral("Číslo účtu"));
    DBEditKb = edit("DBEditKb", "Kb", QStringLiteral("Kód banky"));
    DBEditP = edit("DBEditP", "P", QStringLiteral("Např. o 1 den dříve, aby platba byla provedena včas (F1)"));
    DBTextPt = new ui::TDBText(&dm.MbzpSource, QStringLiteral("Pt"), group);
    DBTextPt->setObjectName(QStringLiteral("DBTextPt"));
    DBTextPt->setFixedWidth(DBTextPt->fontMetrics().horizontalAdvance(QStringLiteral("dní dříve")) + 4);
    DBEditV = edit("DBEditV", "V", QStringLiteral("Místo vystavení - tiskne se na příkazech k úhradě"));
    DBEditV->setEnterTab(false); // Enter in the last edit goes back to the first one
    const int chars = DBEditPc->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    DBEditPc->setFixedWidth(chars * 6 + 12);
    DBEditKti->setFixedWidth(chars * 5 + 12);
    DBEditM->setFixedWidth(chars * 5 + 12);
    DBEditKb->setFixedWidth(chars * 5 + 12);
    DBEditP->setFixedWidth(chars * 4 + 12);

    auto label = [group](const QString &text) { return new QLabel(text, group); };
    grid->addWidget(label(QStringLiteral("Číslo banky")), 0, 0);
    grid->addWidget(DBEditPc, 0, 1);
    grid->addWidget(label(QStringLiteral("Banka")), 0, 2);
    grid->addWidget(DBEditBa, 0, 3);
    grid->addWidget(label(QStringLiteral("Kód tiskopisu")), 0, 4);
    grid->addWidget(DBEditKti, 0, 5);
    grid->addWidget(label(QStringLiteral("Pobočka")), 1, 2);
    grid->addWidget(DBEditNa, 1, 3);
    grid->addWidget(label(QStringLiteral("Měna")), 1, 4);
    grid->addWidget(DBEditM, 1, 5);
    grid->addWidget(label(QStringLiteral("Číslo účtu")), 2, 2);
    grid->addWidget(DBEditCu, 2, 3);
    grid->addWidget(label(QStringLiteral("Kód banky")), 2, 4);
    grid->addWidget(DBEditKb, 2, 5);
    auto *daysRow = new QHBoxLayout;
    daysRow->addWidget(DBEditP);
    daysRow->addWidget(DBTextPt, 1);
    grid->addWidget(label(QStringLiteral("Do banky dodat o")), 3, 0);
    grid->addLayout(daysRow, 3, 1);
    grid->addWidget(label(QStringLiteral("Vystaveno v")), 3, 2);
    grid->addWidget(DBEditV, 3, 3);
    grid->setColumnStretch(3, 1);

    DBGridMbzp = new ui::TDBGrid(this);
    DBGridMbzp->setObjectName(QStringLiteral("DBGridMbzp"));
    DBGridMbzp->setDataSource(&dm.MbzpSource);
    DBGridMbzp->setColumns({{QStringLiteral("Pc")}, {QStringLiteral("Ba")}, {QStringLiteral("Na")}, {QStringLiteral("Cu")},
                            {QStringLiteral("M")}, {QStringLiteral("Kb")}, {QStringLiteral("V")}, {QStringLiteral("Pt1")},
                            {QStringLiteral("Kti")}});
    DBGridMbzp->setGridReadOnly(true);
    DBGridMbzp->setMinimumHeight(150);
    connect(DBGridMbzp, &ui::TDBGrid::enterPressed, this, [this](Qt::KeyboardModifiers) {
        if (m_pickMode) accept();
    });
    connect(DBGridMbzp, &ui::TDBGrid::recordDoubleClicked, this, [this]() {
        if (m_pickMode) accept();
    });

    DBNavigator = new ui::TDBNavigator(this);
    DBNavigator->setObjectName(QStringLiteral("DBNavigator"));
    DBNavigator->setDataSource(&dm.MbzpSource);
    PrenestButton = new QPushButton(QStringLiteral("&Přenést"), this);
    PrenestButton->setObjectName(QStringLiteral("PrenestButton"));
    ui::setHint(PrenestButton, QStringLiteral("Přenese vybraný zápis"));
    PrenestButton->setVisible(m_pickMode);
    connect(PrenestButton, &QPushButton::clicked, this, &QDialog::accept);
    ZavritButton = new QPushButton(QStringLiteral("&Zavřít"), this);
    ZavritButton->setObjectName(QStringLiteral("ZavritButton"));
    connect(ZavritButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(DBNavigator);
    bottom->addStretch(1);
    bottom->addWidget(PrenestButton);
    bottom->addWidget(ZavritButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(DBGridMbzp, 1);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget *order[] = {DBEditPc, DBEditBa, DBEditKti, DBEditNa, DBEditM, DBEditCu, DBEditKb, DBEditP, DBEditV,
                        DBGridMbzp, PrenestButton, ZavritButton};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    ui::TableKeys::Options keys;
    keys.navigator = DBNavigator;
    keys.grid = DBGridMbzp;
    keys.editOnF4 = DBEditPc;
    keys.search = [this]() { search(); };
    keys.windowKeys = [this](QKeyEvent &e) { return lastEditKey(e); };
    m_keys = new ui::TableKeys(this, keys);
    m_focus = std::make_unique<ui::RuleFocus>(this, data::WindowId::OwnAccounts);

    m_place = new ui::WindowPlace(this, QStringLiteral("UdajeProPlatby"), QPoint(55, 20), QPoint(135, 100));
    m_place->setSaveOnlyWhenNormal(true);
}

TEbzpForm::~TEbzpForm() = default;

bool TEbzpForm::lastEditKey(QKeyEvent &e)
{
    if (!isEnter(e) || focusWidgetIn(this) != DBEditV) return false;
    const Qt::KeyboardModifiers mods = ui::keyModifiers(e);
    if (mods & (Qt::ControlModifier | Qt::AltModifier)) return false;
    if (!DBEditV->storeValue()) return true;
    (mods & Qt::ShiftModifier ? DBEditP : DBEditPc)->setFocus(Qt::TabFocusReason);
    return true;
}

void TEbzpForm::search()
{
    TFind1Form find(m_dm, this);
    find.exec();
}

void TEbzpForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (m_dm.Mbzp.active()) {
        data::tableCount(m_dm.Mbzp) = m_dm.Mbzp.recordCount();
        data::Zaznam(m_dm.Mbzp, data::tableCount(m_dm.Mbzp));
        data::StatusEdit(m_dm.Mbzp);
    }
    (m_pickMode ? static_cast<QWidget *>(DBGridMbzp) : DBEditPc)->setFocus(Qt::OtherFocusReason);
}

void TEbzpForm::done(int result)
{
    if (m_closing) return;
    if (!ui::confirmUnsavedChanges(this, m_dm.Mbzp, windowTitle())) return;
    m_closing = true;
    data::program().status(1, QString());
    try {
        reopenOwnAccounts(m_dm);
    } catch (const db::DbError &e) {
        ui::Msg::error(e.message(), this);
    }
    QDialog::done(result);
    m_closing = false;
}

// --- TEbzp1Form ------------------------------------------------------------------------------

TEbzp1Form::TEbzp1Form(data::TDM1 &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("Ebzp1Form"));
    setWindowTitle(kTitle);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::MSWindowsFixedSizeDialogHint);

    DBGrid1 = new ui::TDBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(&dm.MbzpSource);
    DBGrid1->setColumns({{QStringLiteral("Pc")}, {QStringLiteral("Ba")}, {QStringLiteral("Na")}, {QStringLiteral("Cu")},
                         {QStringLiteral("M")}});
    DBGrid1->setGridReadOnly(true);
    DBGrid1->setFrameShape(QFrame::NoFrame);
    DBGrid1->verticalHeader()->setDefaultSectionSize(18);
    DBGrid1->horizontalHeader()->setFixedHeight(18);
    connect(DBGrid1, &ui::TDBGrid::recordDoubleClicked, this, &QDialog::accept);

    Label1 = new QLabel(QStringLiteral("Vyhledávat podle čísla:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    EditPc = new ui::TEditz(this);
    EditPc->setObjectName(QStringLiteral("EditPc"));
    EditPc->setMaxLength(5);
    EditPc->setEnterTab(false);
    ui::setHint(EditPc, QStringLiteral("Napište číslo banky, kterou hledáte"));
    connect(EditPc, &QLineEdit::textChanged, this, [this](const QString &text) { findNearestAccount(m_dm.Mbzp, text); });
    PrenestButton = new QPushButton(QStringLiteral("&Přenést"), this);
    PrenestButton->setObjectName(QStringLiteral("PrenestButton"));
    connect(PrenestButton, &QPushButton::clicked, this, &QDialog::accept);

    // The height follows the number of accounts; the grid takes what the bottom row leaves.
    int width = 2;
    for (int i = 0; i < int(DBGrid1->columns().size()); ++i) width += DBGrid1->columnWidth(i);
    width = std::max(width, 360);
    const int height = pickerClientHeight(dm.Mbzp.active() ? dm.Mbzp.recordCount() : 0);
    const int bottom = 37;
    DBGrid1->setGeometry(0, 0, width, height - bottom);
    const int y = height - bottom + 6;
    Label1->setGeometry(8, y + 3, Label1->sizeHint().width(), 20);
    EditPc->setGeometry(Label1->geometry().right() + 8, y, 60, 24);
    PrenestButton->setGeometry(width - 83, y - 1, 75, 26);
    setFixedSize(width, height);
    setTabOrder(DBGrid1, EditPc);
    setTabOrder(EditPc, PrenestButton);

    new ui::KeyPreview(this, [this](QKeyEvent &e) { return previewKey(e); });
    m_place = new ui::WindowPlace(this, QStringLiteral("UdajeProPlatby1"), QPoint(113, 100), QPoint(193, 180));
}

TEbzp1Form::~TEbzp1Form() = default;

bool TEbzp1Form::previewKey(QKeyEvent &e)
{
    const Qt::KeyboardModifiers mods = ui::keyModifiers(e);
    QWidget *focus = focusWidgetIn(this);
    if (isEnter(e) && mods == Qt::NoModifier && (focus == DBGrid1 || focus == EditPc)) {
        accept();
        return true;
    }
    if (e.key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        reject();
        return true;
    }
    if (e.key() == Qt::Key_F3 && mods == Qt::NoModifier) {
        (focus == EditPc ? static_cast<QWidget *>(DBGrid1) : EditPc)->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void TEbzp1Form::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (m_dm.Mbzp.active()) data::Zaznam(m_dm.Mbzp, m_dm.Mbzp.recordCount());
    DBGrid1->setFocus(Qt::OtherFocusReason);
}

void TEbzp1Form::done(int result)
{
    clearPanels({1, 2});
    QDialog::done(result);
}

// --- TFind1Form ------------------------------------------------------------------------------

TFind1Form::TFind1Form(data::TDM1 &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("Find1Form"));
    setWindowTitle(QStringLiteral("Vyhledávání"));
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::MSWindowsFixedSizeDialogHint);
    auto *group = new QGroupBox(QStringLiteral("Vyhledávat podle čísla banky"), this);
    FindEdit = new ui::TEditz(group);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindEdit->setMaxLength(5);
    FindEdit->setEnterTab(false);
    ui::setHint(FindEdit, QStringLiteral("Napište číslo banky, které hledáte"));
    connect(FindEdit, &QLineEdit::textChanged, this, [this](const QString &text) { findNearestAccount(m_dm.Mbzp, text); });
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(FindEdit);
    ZavritButton = new QPushButton(QStringLiteral("&Zavřít"), this);
    ZavritButton->setObjectName(QStringLiteral("ZavritButton"));
    ZavritButton->setDefault(true);
    connect(ZavritButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ZavritButton);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    new ui::WindowPlace(this, QStringLiteral("Vyhledavani1"), QPoint(0, 0));
    FindEdit->setFocus(Qt::OtherFocusReason);
}

// --- commands --------------------------------------------------------------------------------

void Platbyztu1Click(data::TDM1 &dm, QWidget *parent)
{
    try {
        dm.Mbzp.refresh();
        dm.Mbzp.first();
    } catch (const db::DbError &e) {
        ui::Msg::error(e.message(), parent);
        return;
    }
    TEbzpForm form(dm, false, parent);
    form.exec();
}

bool pickOwnAccount(data::TDM1 &dm, QWidget *parent)
{
    TEbzpForm form(dm, true, parent);
    return form.exec() == QDialog::Accepted;
}

bool pickOwnAccountCompact(data::TDM1 &dm, QWidget *parent)
{
    TEbzp1Form form(dm, parent);
    return form.exec() == QDialog::Accepted;
}

} // namespace orders
