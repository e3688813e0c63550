#include "chooser_window.h"

#include "data/program_state.h"
#include "platform/db/errors.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/msg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace app {

namespace {
QString rootIniPath(const QString &dataRoot) { return QDir(dataRoot).filePath(QStringLiteral("Orvidan.ini")); }
QPushButton *button(QWidget *parent, const QString &name, const QString &caption, const QString &hint)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setAutoDefault(false);
    return b;
}
} // namespace

TAuto1Form::TAuto1Form(const QString &dataRoot, const QString &programIniPath, QWidget *parent)
    : QDialog(parent), m_registry(dataRoot), m_programIni(programIniPath)
{
    setObjectName(QStringLiteral("Auto1Form"));
    setWindowTitle(QStringLiteral("Velorad 3.10 - výběr"));
    setToolTip(QStringLiteral("Výběr práce s daty Ctrl + N"));
    DBGridAuto1 = new QTableWidget(0, 3, this);
    DBGridAuto1->setObjectName(QStringLiteral("DBGridAuto1"));
    DBGridAuto1->setHorizontalHeaderLabels({QStringLiteral("Číslo"), QStringLiteral("Název"), QStringLiteral("Adresář")});
    QFont bold = DBGridAuto1->horizontalHeader()->font();
    bold.setBold(true);
    DBGridAuto1->horizontalHeader()->setFont(bold);
    DBGridAuto1->setColumnWidth(0, 40);
    DBGridAuto1->setColumnWidth(1, 164);
    DBGridAuto1->setColumnWidth(2, 47);
    DBGridAuto1->verticalHeader()->hide();
    DBGridAuto1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridAuto1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGridAuto1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGridAuto1->setStyleSheet(QStringLiteral("QTableWidget { background-color: #ffffe1; }"));
    DBGridAuto1->setToolTip(QStringLiteral("Změna pořadí - pravé tlačítko myši"));
    DBGridAuto1->setContextMenuPolicy(Qt::CustomContextMenu);
    DBGridAuto1->setMinimumWidth(270);

    OKButton = button(this, QStringLiteral("OKButton"), QStringLiteral("&Otevřít"), QStringLiteral("Otevře vybrané Velorad"));
    OKButton->setDefault(true);
    Button3 = button(this, QStringLiteral("Button3"), QStringLiteral("Ná&zev"), QStringLiteral("Název příkazů do banky"));
    Button1 = button(this, QStringLiteral("Button1"), QStringLiteral("&Nové"),
                     QStringLiteral("Vytvoření nových příkazů do banky, převod dat z DOSové verze"));
    Button2 = button(this, QStringLiteral("Button2"), QStringLiteral("&Smazat"), QStringLiteral("Smazání vybraných příkazů do banky"));
    CheckBoxF = new QCheckBox(QStringLiteral("Zobrazovat"), this);
    CheckBoxF->setChecked(true);
    CheckBoxF->setToolTip(QStringLiteral("Zobrazovat naposledy zpracovávané Velorad"));
    Button5 = button(this, QStringLiteral("Button5"), QStringLiteral("&Heslo"), QStringLiteral("Možnost zadat heslo pro Velorad"));
    Button4 = button(this, QStringLiteral("Button4"), QStringLiteral("&Konec"), QStringLiteral("Ukončí aplikaci"));

    auto *buttons = new QVBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{OKButton, Button3, Button1, Button2, CheckBoxF, Button5, Button4})
        buttons->addWidget(w);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(DBGridAuto1, 1);
    layout->addLayout(buttons);
    resize(440, 300);

    auto *menu = new QMenu(this);
    azenautomaticky1 = menu->addAction(QStringLiteral("Řazení - &automaticky"));
    azenautomaticky1->setCheckable(true);
    azenautomaticky1->setStatusTip(QStringLiteral("Velorad se automaticky seřadí podle pořadového čísla"));
    azenvlastn1 = menu->addAction(QStringLiteral("Řazení - &vlastní"));
    azenvlastn1->setCheckable(true);
    azenvlastn1->setStatusTip(QStringLiteral("Vlastní seřazení Příkazů do banky"));
    menu->addSeparator();
    QAction *positions = menu->addAction(QStringLiteral("Změnit &pozice Příkazů do banky"));
    positions->setStatusTip(QStringLiteral("Stiskněte, pokud chcete změnit pořadí"));
    menu->addSeparator();
    QAction *clear = menu->addAction(QStringLiteral("Vymazat vlastní &nastavení"));
    clear->setStatusTip(QStringLiteral("Vymazat vlastní nastavení"));
    connect(DBGridAuto1, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint &p) { menu->exec(DBGridAuto1->viewport()->mapToGlobal(p)); });
    connect(azenautomaticky1, &QAction::triggered, this, [this]() { setOwnOrdering(false); });
    connect(azenvlastn1, &QAction::triggered, this, [this]() { setOwnOrdering(true); });
    connect(positions, &QAction::triggered, this, &TAuto1Form::changePositions);
    connect(clear, &QAction::triggered, this, &TAuto1Form::clearOwnOrdering);

    connect(OKButton, &QPushButton::clicked, this, &TAuto1Form::openCurrent);
    connect(DBGridAuto1, &QTableWidget::cellDoubleClicked, this, [this]() { openCurrent(); });
    connect(Button1, &QPushButton::clicked, this, &TAuto1Form::newDataSet);
    connect(Button2, &QPushButton::clicked, this, &TAuto1Form::deleteCurrent);
    connect(Button3, &QPushButton::clicked, this, &TAuto1Form::renameCurrent);
    connect(Button5, &QPushButton::clicked, this, &TAuto1Form::passwordCurrent);
    connect(Button4, &QPushButton::clicked, this, &TAuto1Form::endProgram);

    passwordPrompt = [this]() { return askPassword(this); };
    newDataSetDialog = [this](int n) { return askNewDataSet(n, this); };
    renameDialog = [this](int n, const QString &name) { return askRename(n, name, this); };
    passwordDialog = [this](const QString &name, const QString &stored) { return askPasswordChange(name, stored, this); };
    positionsDialog = [this](const QStringList &lines, int current) { return askPositions(lines, current, this); };
    m_registry.ensure();
}

void TAuto1Form::reload(int keepNumber)
{
    m_rows = m_ownOrdering ? m_registry.listByPosition() : m_registry.list();
    DBGridAuto1->setRowCount(int(m_rows.size()));
    for (int i = 0; i < int(m_rows.size()); ++i) {
        const auto &r = m_rows[size_t(i)];
        const QString cells[3] = {QString::number(r.cislo), r.nazev, r.adresar};
        for (int c = 0; c < 3; ++c) DBGridAuto1->setItem(i, c, new QTableWidgetItem(cells[c]));
    }
    selectNumber(keepNumber);
}

void TAuto1Form::selectNumber(int cislo)
{
    int row = m_rows.empty() ? -1 : 0;
    for (int i = 0; i < int(m_rows.size()); ++i)
        if (m_rows[size_t(i)].cislo == cislo) row = i;
    if (row >= 0) DBGridAuto1->selectRow(row);
}

std::optional<DataSetEntry> TAuto1Form::current() const
{
    const int row = DBGridAuto1->currentRow();
    if (row < 0 || row >= int(m_rows.size())) return std::nullopt;
    return m_rows[size_t(row)];
}

int TAuto1Form::choose()
{
    m_aborted = false;
    QDir::setCurrent(m_registry.dataRoot());
    ini::IniFile programIni(m_programIni);
    programIni.load();
    ini::IniFile rootIni(rootIniPath(m_registry.dataRoot()));
    rootIni.load();
    CheckBoxF->setChecked(programIni.flag(QStringLiteral("Vyber"), QStringLiteral("Pos"), true));
    m_ownOrdering = !rootIni.flag(QStringLiteral("Orvidan"), QStringLiteral("Razeni"), true);
    azenvlastn1->setChecked(m_ownOrdering);
    azenautomaticky1->setChecked(!m_ownOrdering);
    reload(CheckBoxF->isChecked() ? programIni.integer(QStringLiteral("Vyber"), QStringLiteral("Cislo"), 1) : 0);
    if (m_rows.empty()) Button1->setFocus();
    else DBGridAuto1->setFocus();
    const int result = exec();
    return result;
}

void TAuto1Form::hideChooser()
{
    ini::IniFile programIni(m_programIni);
    programIni.load();
    programIni.setFlag(QStringLiteral("Vyber"), QStringLiteral("Pos"), CheckBoxF->isChecked());
    if (auto c = current()) programIni.setInteger(QStringLiteral("Vyber"), QStringLiteral("Cislo"), c->cislo);
    programIni.save();
    writeOrdering();
}

void TAuto1Form::writeOrdering()
{
    ini::IniFile rootIni(rootIniPath(m_registry.dataRoot()));
    rootIni.load();
    rootIni.setFlag(QStringLiteral("Orvidan"), QStringLiteral("Razeni"), !m_ownOrdering);
    rootIni.save();
}

bool TAuto1Form::checksPass(const DataSetEntry &entry)
{
    const DatasetRegistry::Access access = m_registry.checkAccess(entry.cislo);
    if (access == DatasetRegistry::Access::Busy) {
        ui::Msg::information(DatasetRegistry::busyMessage(), this);
        DBGridAuto1->setFocus();
        return false;
    }
    if (access == DatasetRegistry::Access::PasswordRequired) {
        const std::optional<QString> typed = passwordPrompt ? passwordPrompt() : std::nullopt;
        if (!typed || !m_registry.checkPassword(entry.cislo, *typed)) {
            ui::Msg::information(DatasetRegistry::wrongPasswordMessage(), this);
            DBGridAuto1->setFocus();
            return false;
        }
    }
    return true;
}

void TAuto1Form::openCurrent()
{
    const auto c = current();
    if (c && !checksPass(*c)) return;
    hideChooser();
    accept();
}

void TAuto1Form::endProgram()
{
    m_aborted = true;
    hideChooser();
    reject();
}

void TAuto1Form::closeEvent(QCloseEvent *e)
{
    // The close box opens the current data set as "Otevřít" does, after the same checks.
    const auto c = current();
    if (c && !checksPass(*c)) {
        e->ignore();
        return;
    }
    hideChooser();
    e->ignore();
    accept();
}

void TAuto1Form::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_N && e->modifiers() == Qt::ControlModifier) {
        if (dataLocation && dataLocation()) {
            m_aborted = true;
            hideChooser();
            reject();
        } else {
            DBGridAuto1->setFocus();
        }
        return;
    }
    if (e->key() == Qt::Key_Escape) return; // the chooser is left only by its buttons
    QDialog::keyPressEvent(e);
}

void TAuto1Form::newDataSet()
{
    const bool own = m_ownOrdering;
    const std::optional<int> position = own && current() ? std::optional<int>(current()->pozice) : std::nullopt;
    const int number = m_registry.newNumber();
    const std::optional<QString> name = newDataSetDialog ? newDataSetDialog(number) : std::nullopt;
    if (!name) return;
    if (!ui::Msg::confirm(QStringLiteral("Opravdu chcete vytvořit nové Velorad %1 ?").arg(*name), this)) return;
    int created = 0;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_registry.createDataSet(*name, position, &created);
        QApplication::restoreOverrideCursor();
    } catch (const db::DbError &e) {
        QApplication::restoreOverrideCursor();
        ui::Msg::error(e.message(), this);
        return;
    }
    reload(created);
    hideChooser();
    accept();
}

void TAuto1Form::renameCurrent()
{
    const auto c = current();
    if (!c) {
        ui::Msg::information(DatasetRegistry::emptyRegistryMessage(), this);
        return;
    }
    if (const auto name = renameDialog ? renameDialog(c->cislo, c->nazev) : std::nullopt) {
        m_registry.rename(c->cislo, *name);
        reload(c->cislo);
    }
    DBGridAuto1->setFocus();
}

void TAuto1Form::passwordCurrent()
{
    const auto c = current();
    if (!c) {
        ui::Msg::information(DatasetRegistry::emptyRegistryMessage(), this);
        return;
    }
    if (const auto pw = passwordDialog ? passwordDialog(c->nazev, m_registry.password(c->cislo)) : std::nullopt)
        m_registry.setPassword(c->cislo, *pw);
    DBGridAuto1->setFocus();
}

void TAuto1Form::deleteCurrent()
{
    const auto c = current();
    if (!c) {
        ui::Msg::information(DatasetRegistry::emptyRegistryMessage(), this);
        return;
    }
    if (!checksPass(*c)) return;
    if (status) status(QStringLiteral("Vymaže vybrané Velorad z disku. P O Z O R  -  máte uložena data ?"));
    const QString question = QStringLiteral("Opravdu smazat Velorad %1 ?").arg(c->nazev);
    if (!ui::Msg::confirm(question, this) || !ui::Msg::confirm(question, this)) return;
    try {
        m_registry.deleteDataSet(c->cislo);
    } catch (const db::DbError &e) {
        ui::Msg::information(e.message(), this);
        return;
    }
    reload(m_rows.empty() ? 0 : -1);
    if (!m_rows.empty()) DBGridAuto1->selectRow(0);
    if (status) status(QStringLiteral("Velorad %1 byly vymazány.").arg(c->nazev));
}

void TAuto1Form::setOwnOrdering(bool own)
{
    const auto c = current();
    m_ownOrdering = own;
    azenvlastn1->setChecked(own);
    azenautomaticky1->setChecked(!own);
    writeOrdering();
    reload(c ? c->cislo : 0);
}

void TAuto1Form::changePositions()
{
    const auto c = current();
    if (!c) {
        ui::Msg::information(DatasetRegistry::emptyRegistryMessage(), this);
        return;
    }
    setOwnOrdering(true);
    QStringList lines;
    int currentLine = 0;
    for (int i = 0; i < int(m_rows.size()); ++i) {
        lines << QStringLiteral("%1 %2").arg(m_rows[size_t(i)].cislo).arg(m_rows[size_t(i)].nazev);
        if (m_rows[size_t(i)].cislo == c->cislo) currentLine = i;
    }
    const QStringList ordered = positionsDialog ? positionsDialog(lines, currentLine) : lines;
    std::vector<int> numbers;
    for (const QString &l : ordered) numbers.push_back(l.section(QLatin1Char(' '), 0, 0).toInt());
    m_registry.setPositions(numbers);
    reload(c->cislo);
}

void TAuto1Form::clearOwnOrdering()
{
    if (!ui::Msg::confirm(QStringLiteral("Opravdu vymazat vlastní nastavení ?"), this)) return;
    if (m_rows.empty()) return;
    const auto c = current();
    m_registry.clearOwnOrdering();
    m_ownOrdering = false;
    azenvlastn1->setChecked(false);
    azenautomaticky1->setChecked(true);
    writeOrdering();
    reload(c ? c->cislo : 0);
}

// --- the small dialogs ----------------------------------------------------------------------

std::optional<QString> askPassword(QWidget *parent)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("Au4Form"));
    d.setWindowTitle(QStringLiteral("Zadejte heslo"));
    auto *edit = new QLineEdit(&d);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(DatasetRegistry::kPasswordLength);
    auto *ok = new QPushButton(QStringLiteral("&OK"), &d);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    auto *l = new QVBoxLayout(&d);
    l->addWidget(edit);
    l->addWidget(ok);
    edit->setFocus();
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return edit->text();
}

std::optional<QString> askNewDataSet(int number, QWidget *parent)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("Au2Form"));
    d.setWindowTitle(QStringLiteral("Nové Velorad"));
    auto *label = new QLabel(QStringLiteral("Název (číslo %1):").arg(number), &d);
    auto *name = new QLineEdit(&d);
    name->setObjectName(QStringLiteral("DBEditVozidlo"));
    name->setMaxLength(DatasetRegistry::kNameLength);
    auto *group = new QGroupBox(&d);
    auto *fresh = new QRadioButton(QStringLiteral("Nové Velorad"), group);
    fresh->setChecked(true);
    auto *convert = new QRadioButton(QStringLiteral("Převod dat z DOSové verze"), group);
    convert->setEnabled(false); // the DOS import comes with its own window
    auto *gl = new QVBoxLayout(group);
    gl->addWidget(fresh);
    gl->addWidget(convert);
    auto *go = new QPushButton(QStringLiteral("&Příkazy"), &d);
    go->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Zavřít"), &d);
    QObject::connect(go, &QPushButton::clicked, &d, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &d, &QDialog::reject);
    auto *l = new QVBoxLayout(&d);
    l->addWidget(label);
    l->addWidget(name);
    l->addWidget(group);
    auto *row = new QHBoxLayout;
    row->addWidget(go);
    row->addWidget(cancel);
    l->addLayout(row);
    name->setFocus();
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return name->text().trimmed();
}

std::optional<QString> askRename(int number, const QString &current, QWidget *parent)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("Au1Form"));
    d.setWindowTitle(QStringLiteral("Název příkazů do banky č. %1").arg(number));
    auto *edit = new QLineEdit(current, &d);
    edit->setMaxLength(DatasetRegistry::kNameLength);
    auto *ok = new QPushButton(QStringLiteral("&OK"), &d);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    auto *l = new QVBoxLayout(&d);
    l->addWidget(edit);
    l->addWidget(ok);
    d.exec(); // OK and closing both keep the name
    return edit->text();
}

std::optional<QString> askPasswordChange(const QString &name, const QString &stored, QWidget *parent)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("Au3Form"));
    d.setWindowTitle(QStringLiteral("Heslo pro Velorad %1").arg(name));
    const bool has = !stored.isEmpty();
    auto *storedEdit = new QLineEdit(stored, &d);
    storedEdit->setReadOnly(true);
    storedEdit->setEchoMode(QLineEdit::Password);
    storedEdit->setVisible(false);
    auto *label1 = new QLabel(has ? QStringLiteral("Původní heslo") : QStringLiteral("Nové heslo"), &d);
    auto *edit1 = new QLineEdit(&d);
    edit1->setObjectName(QStringLiteral("Edit1"));
    edit1->setMaxLength(DatasetRegistry::kPasswordLength);
    auto *label2 = new QLabel(QStringLiteral("Nové heslo"), &d);
    auto *edit2 = new QLineEdit(&d);
    edit2->setObjectName(QStringLiteral("Edit2"));
    edit2->setMaxLength(DatasetRegistry::kPasswordLength);
    label2->setVisible(has);
    edit2->setVisible(has);
    auto *act = new QPushButton(has ? QStringLiteral("&Změnit") : QStringLiteral("&Přidat"), &d);
    act->setObjectName(QStringLiteral("Button1"));
    auto *close = new QPushButton(QStringLiteral("&Zavřít"), &d);
    auto *l = new QVBoxLayout(&d);
    for (QWidget *w : std::initializer_list<QWidget *>{storedEdit, label1, edit1, label2, edit2, act, close}) l->addWidget(w);
    std::optional<QString> result;
    QObject::connect(close, &QPushButton::clicked, &d, &QDialog::reject);
    QObject::connect(act, &QPushButton::clicked, &d, [&]() {
        if (!has) {
            if (!ui::Msg::confirm(QStringLiteral("Opravdu přidat heslo ?"), &d)) return;
            result = edit1->text();
            ui::Msg::information(QStringLiteral("Heslo bylo přidáno."), &d);
            d.accept();
            return;
        }
        if (edit1->text() != stored) {
            ui::Msg::information(QStringLiteral("Neplatné heslo."), &d);
            edit1->setFocus();
            return;
        }
        if (!ui::Msg::confirm(QStringLiteral("Opravdu změnit heslo ?"), &d)) return;
        result = edit2->text();
        ui::Msg::information(QStringLiteral("Heslo bylo změněno."), &d);
        d.accept();
    });
    edit1->setFocus();
    d.exec();
    return result;
}

QStringList askPositions(const QStringList &lines, int current, QWidget *parent)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("Au6Form"));
    d.setWindowTitle(QStringLiteral("Pozice Příkazů do banky"));
    auto *list = new QListWidget(&d);
    list->addItems(lines);
    list->setCurrentRow(current);
    auto move = [list](int to) {
        const int from = list->currentRow();
        if (from < 0 || to < 0 || to >= list->count() || to == from) return;
        QListWidgetItem *item = list->takeItem(from);
        list->insertItem(to, item);
        list->setCurrentRow(to);
    };
    auto *up = new QPushButton(QStringLiteral("&Nahoru"), &d);
    auto *down = new QPushButton(QStringLiteral("&Dolů"), &d);
    auto *first = new QPushButton(QStringLiteral("&První"), &d);
    auto *last = new QPushButton(QStringLiteral("P&oslední"), &d);
    auto *close = new QPushButton(QStringLiteral("&Zavřít"), &d);
    QObject::connect(up, &QPushButton::clicked, &d, [=]() { move(list->currentRow() - 1); });
    QObject::connect(down, &QPushButton::clicked, &d, [=]() { move(list->currentRow() + 1); });
    QObject::connect(first, &QPushButton::clicked, &d, [=]() { move(0); });
    QObject::connect(last, &QPushButton::clicked, &d, [=]() { move(list->count() - 1); });
    QObject::connect(close, &QPushButton::clicked, &d, &QDialog::accept);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {up, down, first, last, close}) buttons->addWidget(b);
    auto *l = new QHBoxLayout(&d);
    l->addWidget(list, 1);
    l->addLayout(buttons);
    d.exec();
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

} // namespace app
