#include "settings_window.h"

#include "settings_rules.h"

#include "data/data_module.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/db/errors.h"
#include "platform/ui/entry_controls.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_place.h"
#include "platform/ui/window_tools.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

std::function<void()> &menuAdaptationHook()
{
    static std::function<void()> hook;
    return hook;
}

// Runs a dataset operation; a failure is shown and gives false.
bool guarded(QWidget *parent, const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const db::DbError &e) {
        ui::Msg::error(e.message(), parent);
    } catch (const db::Abort &) {
    }
    return false;
}

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

const QString kYes = QStringLiteral("ano");
const QString kNo = QStringLiteral("ne");

} // namespace

TEmodfForm::TEmodfForm(data::TDM1 &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("EmodfForm"));
    setWindowTitle(QStringLiteral("Modifikace programu"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui::setHelpContext(this, 46);

    auto *group = new QGroupBox(this);
    auto *grid = new QGridLayout(group);
    int row = 0;
    auto addRow = [&](const QString &caption, QWidget *control, const QString &hint, int help = 0) {
        if (row > 0) grid->addWidget(separator(group), row++, 0, 1, 4);
        auto *label = new QLabel(caption, group);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1, 1, 3);
        ui::setHint(control, hint);
        if (help) ui::setHelpContext(control, help);
        ++row;
        return label;
    };
    auto checkBox = [&](const char *name, db::DataSource &source, const char *field, const QString &on = kYes,
                        const QString &off = kNo) {
        auto *box = new ui::TDBCheckBoxz(&source, QString::fromLatin1(field), group);
        box->setObjectName(QString::fromLatin1(name));
        box->setStateCaptions(on, off);
        return box;
    };

    // Date format with its example.
    auto *formatRow = new QWidget(group);
    auto *formatLayout = new QHBoxLayout(formatRow);
    formatLayout->setContentsMargins(0, 0, 0, 0);
    DBComboBoxK = new ui::TDBComboBoxz(formatRow);
    DBComboBoxK->setObjectName(QStringLiteral("DBComboBoxK"));
    DBComboBoxK->addItems({QStringLiteral("dd.mm.yy"), QStringLiteral("dd.mm.yyyy"), QStringLiteral("ddmmyy"),
                           QStringLiteral("ddmmyyyy"), QStringLiteral("yymmdd"), QStringLiteral("yyyymmdd")});
    DBComboBoxK->setBinding(&dm.ModfSource, QStringLiteral("K"));
    ui::setHint(DBComboBoxK, QStringLiteral("Vyberte si formát datumu např. dd.mm.yyyy"));
    auto *example = new QLabel(QStringLiteral("např."), formatRow);
    DBTextPri = new ui::TDBText(&dm.ModfSource, QStringLiteral("Pri"), formatRow);
    DBTextPri->setObjectName(QStringLiteral("DBTextPri"));
    formatLayout->addWidget(DBComboBoxK);
    formatLayout->addWidget(example);
    formatLayout->addWidget(DBTextPri, 1);
    grid->addWidget(new QLabel(QStringLiteral("Tvar datumů na příkazu do banky"), group), row, 0);
    grid->addWidget(formatRow, row, 1, 1, 3);
    ++row;

    DBCheckBoxTd = checkBox("DBCheckBoxTd", dm.ModfSource, "Td");
    addRow(QStringLiteral("Datum vystavení příkazu - den tisku"), DBCheckBoxTd,
           QStringLiteral("Zaškrtnuto - na příkazu datum vystavení = datum tisku (F1)"), 47);
    DBCheckBoxVsd = checkBox("DBCheckBoxVsd", dm.MttSource, "Vsd");
    addRow(QStringLiteral("Datum vystavení příkazu - prázdný"), DBCheckBoxVsd,
           QStringLiteral("Zaškrtnuto - na příkazu bude datum vystavení prázdný"));
    DBCheckBoxIhn = checkBox("DBCheckBoxIhn", dm.ModfSource, "Ihn");
    addRow(QStringLiteral("Datum splatnosti IHNED"), DBCheckBoxIhn,
           QStringLiteral("Místo datumu splatnosti se na příkazu objeví IHNED (např. pro Poštovní spořitelnu)"));
    DBCheckBoxDd = checkBox("DBCheckBoxDd", dm.ModfSource, "Dd");
    addRow(QStringLiteral("Stejné datumy vystavení / splatnosti"), DBCheckBoxDd,
           QStringLiteral("Zaškrtnuto - při průběžném zápisu plateb volíte datum splatnosti (F1)"), 48);
    DBCheckBoxJu = checkBox("DBCheckBoxJu", dm.ModfSource, "Ju");
    addRow(QStringLiteral("Platby z jednoho účtu"), DBCheckBoxJu,
           QStringLiteral("Zaškrtnuto - platíte-li z jednoho účtu (F1)"), 49);
    DBCheckBoxBupp = checkBox("DBCheckBoxBupp", dm.ModfSource, "Bupp");
    addRow(QStringLiteral("Údaje pro potřebu příkazce"), DBCheckBoxBupp,
           QStringLiteral("Zaškrtnuto - tisknou se údaje pro vnitřní potřebu příkazce (F1)"), 50);
    DBCheckBoxZpp = checkBox("DBCheckBoxZpp", dm.ModfSource, "Zpp");
    addRow(QStringLiteral("Zobrazení / tisk periodických plateb"), DBCheckBoxZpp,
           QStringLiteral("Zaškrtnuto - před každým zápisem se zobrazí přehled periodických plateb"));
    DBCheckBoxTc = checkBox("DBCheckBoxTc", dm.ModfSource, "Tc", QStringLiteral("čárka"), QStringLiteral("tečka"));
    addRow(QStringLiteral("V tisku oddělovač částky"), DBCheckBoxTc,
           QStringLiteral("Zaškrtnuto - v tisku se u částky píše desetinná čárka, nezaškrtnuto - píše se tečka místo čárky"));
    DBCheckBoxOdl = checkBox("DBCheckBoxOdl", dm.ModfSource, "Odl", QStringLiteral("žádný"), QStringLiteral("tečka"));
    addRow(QStringLiteral("V el. styku s bankou oddělovač částky"), DBCheckBoxOdl,
           QStringLiteral("Formát TXT - zaškrtnuto - žádný oddělovač částky, nezaškrtnuto - tečka"));

    // The two order type codes share a row.
    DBEditUh = new ui::TDBEditz(&dm.ModfSource, QStringLiteral("Uh"), group);
    DBEditUh->setObjectName(QStringLiteral("DBEditUh"));
    DBEditIk = new ui::TDBEditz(&dm.ModfSource, QStringLiteral("Ik"), group);
    DBEditIk->setObjectName(QStringLiteral("DBEditIk"));
    for (ui::TDBEditz *e : {DBEditUh, DBEditIk}) {
        e->setMaxLength(1);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 12);
    }
    ui::setHint(DBEditUh, QStringLiteral("Podle bankovního programu zvolte číslo pro příkaz k úhradě"));
    ui::setHint(DBEditIk, QStringLiteral("Podle bankovního programu zvolte číslo pro příkaz k inkasu"));
    grid->addWidget(separator(group), row++, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Příkaz k úhradě"), group), row, 0);
    grid->addWidget(DBEditUh, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Příkaz k inkasu"), group), row, 2, Qt::AlignRight);
    grid->addWidget(DBEditIk, row, 3);
    ++row;

    DBCheckBoxZa1 = checkBox("DBCheckBoxZa1", dm.MttSource, "Za1");
    addRow(QStringLiteral("Změnit starší datum na aktuální"), DBCheckBoxZa1,
           QStringLiteral("V el. styku s bankou změnit starší datum na aktuální"));
    DBEditFa = new ui::TDBEditz(&dm.ModfSource, QStringLiteral("Fa"), group);
    DBEditFa->setObjectName(QStringLiteral("DBEditFa"));
    addRow(QStringLiteral("Název firmy"), DBEditFa, QStringLiteral("Název firmy se objeví na horním řádku (F1)"), 51);
    grid->setColumnStretch(3, 1);

    // "Přenos příkazů" below the group, not reached by Tab.
    auto *transferRow = new QHBoxLayout;
    DBCheckBoxZak = new ui::TDBCheckBoxz(&dm.MttSource, QStringLiteral("Zak"), this);
    DBCheckBoxZak->setObjectName(QStringLiteral("DBCheckBoxZak"));
    DBCheckBoxZak->setStateCaptions(kYes, kNo);
    DBCheckBoxZak->setFocusPolicy(Qt::ClickFocus);
    ui::setHint(DBCheckBoxZak, QStringLiteral("Nápověda (F1)"));
    ui::setHelpContext(DBCheckBoxZak, 101);
    transferRow->addWidget(new QLabel(QStringLiteral("Přenos příkazů"), this));
    transferRow->addWidget(DBCheckBoxZak);
    transferRow->addStretch(1);

    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    connect(OKButton, &QPushButton::clicked, this, &TEmodfForm::accept);
    transferRow->addWidget(OKButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(transferRow);

    QWidget *order[] = {DBComboBoxK, DBCheckBoxTd, DBCheckBoxVsd, DBCheckBoxIhn, DBCheckBoxDd, DBCheckBoxJu,
                        DBCheckBoxBupp, DBCheckBoxZpp, DBCheckBoxTc, DBCheckBoxOdl, DBEditUh, DBEditIk,
                        DBCheckBoxZa1, DBEditFa, OKButton};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    m_place.reset(new ui::WindowPlace(this, QStringLiteral("Modifikace2"), QPoint(130, 10), QPoint(210, 90)));
    m_place->setParent(nullptr); // owned here
    DBComboBoxK->setFocus(Qt::OtherFocusReason);
}

TEmodfForm::~TEmodfForm()
{
    if (isVisible()) m_place->save();
}

bool TEmodfForm::finish()
{
    if (!ui::storePendingEdits(this)) return false;
    for (db::Table *t : {&m_dm.Modf, &m_dm.Mtt}) {
        if (t->active() && t->isEditing() && !guarded(this, [t]() { t->post(); })) return false;
    }
    for (db::Table *t : {&m_dm.Modf, &m_dm.Mtt}) {
        guarded(this, [t]() {
            t->close();
            t->open();
        });
    }
    return true;
}

void TEmodfForm::accept()
{
    if (!finish()) return;
    QDialog::accept();
}

void TEmodfForm::reject()
{
    if (!finish()) return;
    QDialog::reject();
}

void setMenuAdaptationHook(std::function<void()> hook) { menuAdaptationHook() = std::move(hook); }

void Modifikaceprogramu1Click(data::TDM1 &dm, QWidget *parent)
{
    const bool zakBefore = dm.Mtt.active() && dm.MttZak->asBoolean();
    guarded(parent, [&dm]() {
        dm.Modf.refresh();
        if (!dm.Modf.isEmpty()) dm.Modf.edit();
    });
    {
        TEmodfForm form(dm, parent);
        form.exec();
    }
    if (dm.Modf.active() && dm.ModfJu->asBoolean()) guarded(parent, [&dm]() { takeOwnAccountZero(dm); });
    guarded(parent, [&dm]() {
        dm.Mtt.close();
        dm.Mtt.open();
    });
    data::NazevDp1(dm);
    if (menuAdaptationHook()) menuAdaptationHook()();
    guarded(parent, [&dm, parent, zakBefore]() {
        VymazatStyk(dm, zakBefore, [parent](const QString &q) { return ui::Msg::confirm(q, parent); });
    });
    if (data::StatusSink *sink = data::program().statusSink()) {
        sink->setPanelText(1, QString());
        sink->setPanelText(2, QString());
    }
}

} // namespace app
