#include "db_grid.h"

#include "msg.h"
#include "window_tools.h"

#include "platform/db/dataset.h"
#include "platform/db/errors.h"
#include "platform/db/field.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTimer>

namespace ui {

namespace {

bool numeric(db::FieldType t)
{
    return t == db::FieldType::Small || t == db::FieldType::Integer || t == db::FieldType::Float ||
           t == db::FieldType::AutoInc;
}

// Shows a refusal of the engine or the rules; false when there was one.
bool guarded(QWidget *w, const std::function<void()> &change)
{
    try {
        change();
        return true;
    } catch (const db::DbError &e) {
        Msg::error(e.message(), w->window());
    } catch (const db::Abort &) {
    }
    return false;
}

constexpr int kFetchBefore = 16;   // lines read above the one asked for
constexpr int kFetchAfter = 64;    // and below it (a page and more)
constexpr int kCacheLimit = 4096;  // lines kept before the cache starts afresh

} // namespace

// The records of a dataset as table lines. Lines other than the current record are read by
// moving the dataset there and back with its controls disabled (the bound controls see
// nothing), a block of lines at a time, and kept until the dataset changes; so painting a
// page of a 200,000-row table reads only that page.
class DatasetModel : public QAbstractTableModel {
public:
    explicit DatasetModel(TDBGrid *grid) : QAbstractTableModel(grid), m_grid(grid) {}
    ~DatasetModel() override { disconnectSource(); }

    void setSource(db::DataSource *source)
    {
        beginResetModel();
        disconnectSource();
        m_source = source;
        if (m_source) {
            m_dataConn = m_source->dataChanged.connect([this]() { datasetChanged(); });
            m_stateConn = m_source->stateChanged.connect([this]() { datasetChanged(); });
        }
        resolveColumns();
        m_cache.clear();
        takeSnapshot();
        endResetModel();
    }
    db::DataSource *source() const { return m_source; }
    db::Dataset *dataset() const
    {
        return m_source && m_source->enabled() && m_source->dataset() && m_source->dataset()->active()
                   ? m_source->dataset()
                   : nullptr;
    }

    void setColumns(const std::vector<GridColumn> &columns)
    {
        beginResetModel();
        m_declared = columns;
        resolveColumns();
        m_cache.clear();
        endResetModel();
    }
    const std::vector<GridColumn> &columns() const { return m_columns; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        if (parent.isValid()) return 0;
        db::Dataset *ds = dataset();
        if (!ds) return 0;
        return ds->recordCount() + (ds->state() == db::DatasetState::Insert ? 1 : 0);
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_columns.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid()) return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole) {
            if (role == Qt::EditRole && index.row() == currentLine()) {
                if (db::Field *f = fieldOf(index.column())) return f->text();
            }
            return cellText(index.row(), index.column());
        }
        if (role == Qt::TextAlignmentRole) {
            db::Field *f = fieldOf(index.column());
            if (f && numeric(f->dataType())) return int(Qt::AlignRight | Qt::AlignVCenter);
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= int(m_columns.size())) return {};
        if (role == Qt::DisplayRole) return title(section);
        if (role == Qt::TextAlignmentRole) return int(m_columns[size_t(section)].titleAlignment);
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (editable(index.column())) f |= Qt::ItemIsEditable;
        return f;
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (role != Qt::EditRole || !editable(index.column())) return false;
        db::Field *f = fieldOf(index.column());
        db::Dataset *ds = dataset();
        if (!f || !ds) return false;
        if (index.row() != currentLine() && !moveTo(index.row())) return false;
        const QString text = value.toString();
        if (!ds->isEditing() && text == f->text()) return false; // nothing changed
        return guarded(m_grid, [ds, f, &text]() {
            if (!ds->isEditing()) ds->edit();
            f->setText(text);
        });
    }

    QString title(int column) const
    {
        const GridColumn &c = m_columns[size_t(column)];
        if (!c.title.isEmpty()) return c.title;
        if (db::Dataset *ds = m_source ? m_source->dataset() : nullptr)
            if (db::Field *f = ds->findField(c.field)) return f->displayLabel();
        return c.field;
    }

    db::Field *fieldOf(int column) const
    {
        db::Dataset *ds = dataset();
        if (!ds || column < 0 || column >= int(m_columns.size())) return nullptr;
        return ds->findField(m_columns[size_t(column)].field);
    }

    bool editable(int column) const
    {
        if (m_grid->gridReadOnly() || column < 0 || column >= int(m_columns.size())) return false;
        if (m_columns[size_t(column)].readOnly) return false;
        db::Field *f = fieldOf(column);
        return f && f->isStored() && !f->dataset().readOnly();
    }

    // The line of the current record (the new record while inserting); -1 when none.
    int currentLine() const
    {
        db::Dataset *ds = dataset();
        if (!ds) return -1;
        if (ds->state() == db::DatasetState::Insert) return m_insertLine;
        return ds->recNo() - 1;
    }

    // The record index (0-based, in the dataset's order) a line shows; -1 for the new record.
    int recordOfLine(int line) const
    {
        db::Dataset *ds = dataset();
        if (ds && ds->state() == db::DatasetState::Insert) {
            if (line == m_insertLine) return -1;
            return line > m_insertLine ? line - 1 : line;
        }
        return line;
    }

    bool moveTo(int line)
    {
        db::Dataset *ds = dataset();
        if (!ds) return false;
        const int rec = recordOfLine(line);
        if (rec < 0) return true;
        return guarded(m_grid, [ds, rec]() { ds->setRecNo(rec + 1); });
    }

    QString cellText(int line, int column) const
    {
        db::Dataset *ds = dataset();
        if (!ds || column < 0 || column >= int(m_columns.size())) return {};
        if (line == currentLine()) {
            db::Field *f = fieldOf(column);
            return f ? f->displayText() : QString();
        }
        const int rec = recordOfLine(line);
        if (rec < 0) return {};
        auto it = m_cache.constFind(rec);
        if (it == m_cache.constEnd()) {
            const_cast<DatasetModel *>(this)->fetchAround(rec);
            it = m_cache.constFind(rec);
            if (it == m_cache.constEnd()) return {};
        }
        return it->texts.value(column);
    }

private:
    struct Line {
        qint64 rowId = 0;
        QStringList texts;
    };
    struct Snapshot {
        db::DatasetState state = db::DatasetState::Inactive;
        int count = 0;
        qint64 rowId = 0;
    };

    void disconnectSource()
    {
        if (!m_source) return;
        m_source->dataChanged.disconnect(m_dataConn);
        m_source->stateChanged.disconnect(m_stateConn);
    }

    void resolveColumns()
    {
        m_columns = m_declared;
        if (m_columns.empty() && m_source && m_source->dataset()) {
            for (const auto &f : m_source->dataset()->fields()) {
                GridColumn c;
                c.field = f->fieldName();
                m_columns.push_back(c);
            }
        }
    }

    // Reads the lines around a record while the dataset is browsing; nothing while it edits
    // (a move would post), the lines then show what was read before.
    void fetchAround(int rec)
    {
        db::Dataset *ds = dataset();
        if (!ds || ds->isEditing() || m_fetching) return;
        if (m_cache.size() > kCacheLimit) m_cache.clear();
        const int count = ds->recordCount();
        const int from = std::max(0, rec - kFetchBefore);
        const int to = std::min(count - 1, rec + kFetchAfter);
        const int back = ds->recNo();
        m_fetching = true;
        ds->disableControls();
        try {
            for (int r = from; r <= to; ++r) {
                if (m_cache.contains(r)) continue;
                ds->setRecNo(r + 1);
                Line line;
                line.rowId = ds->rowId();
                for (const GridColumn &c : m_columns) {
                    db::Field *f = ds->findField(c.field);
                    line.texts << (f ? f->displayText() : QString());
                }
                m_cache.insert(r, line);
            }
        } catch (...) {
        }
        try {
            if (back >= 1) ds->setRecNo(back);
        } catch (...) {
        }
        ds->enableControls();
        m_fetching = false;
    }

    void takeSnapshot()
    {
        db::Dataset *ds = dataset();
        m_last = Snapshot();
        if (!ds) return;
        m_last.state = ds->state();
        m_last.count = ds->recordCount();
        m_last.rowId = ds->rowId();
    }

    void datasetChanged()
    {
        if (m_fetching) return;
        db::Dataset *ds = dataset();
        const Snapshot before = m_last;
        const int linesBefore = before.count + (before.state == db::DatasetState::Insert ? 1 : 0);
        if (ds && ds->state() == db::DatasetState::Insert && before.state != db::DatasetState::Insert)
            m_insertLine = std::max(0, std::min(m_lastRecNo - 1, before.count));
        takeSnapshot();
        if (ds && ds->recNo() > 0) m_lastRecNo = ds->recNo();
        const bool editingNow = ds && ds->isEditing();
        const bool browsingBoth = ds && !editingNow && before.state == db::DatasetState::Browse;
        bool keepCache = false;
        if (editingNow && before.state != db::DatasetState::Inactive) {
            keepCache = true; // editing changes only the current line
        } else if (browsingBoth && before.count == m_last.count && before.rowId != m_last.rowId) {
            // A plain move: what the lines hold is unchanged when the cache agrees with it.
            auto it = m_cache.constFind(ds->recNo() - 1);
            keepCache = it == m_cache.constEnd() || it->rowId == m_last.rowId;
        }
        if (!keepCache) m_cache.clear();
        if (!ds || before.state == db::DatasetState::Inactive || linesBefore != rowCount()) {
            beginResetModel();
            endResetModel();
        } else if (rowCount() > 0) {
            Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        }
        m_grid->followDataset();
    }

    TDBGrid *m_grid;
    db::DataSource *m_source = nullptr;
    int m_dataConn = 0, m_stateConn = 0;
    std::vector<GridColumn> m_declared, m_columns;
    mutable QHash<int, Line> m_cache;
    bool m_fetching = false;
    Snapshot m_last;
    int m_insertLine = 0;
    int m_lastRecNo = 1;
};

namespace {

// In-place editors: a list of the two display values for flags, the standard edit otherwise.
class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(DatasetModel *model, QObject *parent) : QStyledItemDelegate(parent), m_model(model) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        db::Field *f = m_model->fieldOf(index.column());
        if (f && f->dataType() == db::FieldType::Boolean) {
            auto *box = new QComboBox(parent);
            const QStringList values = f->def().displayValues.split(QLatin1Char(';'));
            box->addItem(values.value(0, QStringLiteral("True")));
            box->addItem(values.value(1, QStringLiteral("False")));
            return box;
        }
        QWidget *w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *edit = qobject_cast<QLineEdit *>(w); edit && f && f->dataType() == db::FieldType::Text)
            edit->setMaxLength(f->size());
        return w;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *box = qobject_cast<QComboBox *>(editor)) {
            db::Field *f = m_model->fieldOf(index.column());
            box->setCurrentIndex(f && f->asBoolean() ? 0 : 1);
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        if (auto *box = qobject_cast<QComboBox *>(editor)) {
            model->setData(index, box->currentIndex() == 0 ? QStringLiteral("true") : QStringLiteral("false"));
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    DatasetModel *m_model;
};

} // namespace

TDBGrid::TDBGrid(QWidget *parent) : QTableView(parent), m_model(new DatasetModel(this))
{
    setModel(m_model);
    setItemDelegate(new GridDelegate(m_model, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                    QAbstractItemView::EditKeyPressed);
    setWordWrap(false);
    setAlternatingRowColors(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsMovable(false);
}

TDBGrid::~TDBGrid() = default;

void TDBGrid::setDataSource(db::DataSource *source)
{
    m_model->setSource(source);
    applyColumnWidths();
    followDataset();
}

db::DataSource *TDBGrid::dataSource() const { return m_model->source(); }
db::Dataset *TDBGrid::dataset() const { return m_model->dataset(); }

void TDBGrid::setColumns(const std::vector<GridColumn> &columns)
{
    m_model->setColumns(columns);
    applyColumnWidths();
    followDataset();
}

void TDBGrid::applyColumnWidths()
{
    const QFontMetrics fm = fontMetrics();
    db::Dataset *ds = m_model->source() ? m_model->source()->dataset() : nullptr;
    for (int i = 0; i < int(m_model->columns().size()); ++i) {
        const GridColumn &c = m_model->columns()[size_t(i)];
        int w = c.width;
        if (w <= 0) {
            int chars = 10;
            if (db::Field *f = ds ? ds->findField(c.field) : nullptr) {
                switch (f->dataType()) {
                case db::FieldType::Text: chars = std::min(f->size(), 40); break;
                case db::FieldType::Date: chars = 10; break;
                case db::FieldType::Boolean: chars = 4; break;
                case db::FieldType::Float: chars = 12; break;
                default: chars = 6; break;
                }
            }
            w = std::max(fm.horizontalAdvance(QLatin1Char('0')) * chars,
                         fm.horizontalAdvance(m_model->title(i))) + 8;
        }
        setColumnWidth(i, w);
    }
}

const std::vector<GridColumn> &TDBGrid::columns() const { return m_model->columns(); }

void TDBGrid::setGridReadOnly(bool on) { m_readOnly = on; }

QString TDBGrid::cellText(int row, int column) const { return m_model->cellText(row, column); }

int TDBGrid::currentLine() const { return m_model->currentLine(); }

void TDBGrid::followDataset()
{
    const int line = m_model->currentLine();
    const QModelIndex cur = currentIndex();
    if (line < 0 || line >= m_model->rowCount()) return;
    if (cur.isValid() && cur.row() == line && selectionModel()->isRowSelected(line, {})) return;
    m_syncing = true;
    const int column = cur.isValid() ? cur.column() : 0;
    selectionModel()->setCurrentIndex(m_model->index(line, std::max(0, column)),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(m_model->index(line, std::max(0, column)));
    m_syncing = false;
}

void TDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (m_syncing || !current.isValid() || current.row() == m_model->currentLine()) return;
    if (!m_model->moveTo(current.row())) {
        // Refused (a pending edit that cannot be posted): back to the dataset's record.
        QTimer::singleShot(0, this, [this]() { followDataset(); });
    }
}

void TDBGrid::keyPressEvent(QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = keyModifiers(*e);
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && state() != QAbstractItemView::EditingState) {
        Q_EMIT enterPressed(mods);
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Delete && mods == Qt::ControlModifier) {
        // The grid's own delete of the current record (no question), unless it is read-only.
        db::Dataset *ds = dataset();
        if (ds && !m_readOnly && !ds->readOnly() && (ds->recordCount() > 0 || ds->isEditing()))
            guarded(this, [ds]() { ds->deleteRecord(); });
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent *e)
{
    QTableView::mouseDoubleClickEvent(e);
    if (indexAt(e->position().toPoint()).isValid()) Q_EMIT recordDoubleClicked();
}

} // namespace ui
