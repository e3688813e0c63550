#pragma once

// A data-aware grid over a dataset: one line per record, whole-row selection, the current
// line following the dataset's current record and the other way round.

#include <QString>
#include <QTableView>
#include <vector>

namespace db {
class DataSource;
class Dataset;
} // namespace db

namespace ui {

class DatasetModel;

// One column of a TDBGrid: {"Pc"}, {"Ba", "Banka"}, {"O5", {}, false}, ...
struct GridColumn {
    GridColumn(const QString &fieldName = {}, const QString &columnTitle = {}, bool isReadOnly = true,
               int pixelWidth = 0, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
        : field(fieldName), title(columnTitle), readOnly(isReadOnly), width(pixelWidth), titleAlignment(alignment)
    {
    }
    QString field;                   // field name
    QString title;                   // empty: the field's display label
    bool readOnly;                   // false: the cell can be edited in place
    int width;                       // pixels; 0: from the field's width and the title
    Qt::Alignment titleAlignment;
};

// Data grid: the visible records of a data source's dataset in its current order (inside its
// range and filter). Cells show the fields' display texts; numbers are right-aligned.
// Moving in the grid moves the dataset (a pending edit is posted first, as any move does; a
// refusal is shown and the grid stays). Only the visible lines are read, so tables of
// hundreds of thousands of rows scroll without delay. Editable columns put the dataset into
// edit on the first change and store on leaving the cell, refusals shown through Msg.
// Enter in the grid emits enterPressed() and is not passed on (windows in pick mode close
// with OK on it); a double click on a line emits recordDoubleClicked().
class TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(QWidget *parent = nullptr);
    ~TDBGrid() override;

    void setDataSource(db::DataSource *source);
    db::DataSource *dataSource() const;
    db::Dataset *dataset() const;
    // The columns, left to right; none: every field of the dataset, read-only.
    void setColumns(const std::vector<GridColumn> &columns);
    const std::vector<GridColumn> &columns() const;
    // Read-only grid: no cell can be edited whatever its column says.
    void setGridReadOnly(bool on);
    bool gridReadOnly() const { return m_readOnly; }

    // The text a cell shows (line 0 is the first record); for tests and windows.
    QString cellText(int row, int column) const;
    // The line of the dataset's current record; -1 when there is none.
    int currentLine() const;

Q_SIGNALS:
    void enterPressed(Qt::KeyboardModifiers modifiers);
    void recordDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    friend class DatasetModel;
    void followDataset();
    void applyColumnWidths();
    DatasetModel *m_model; // a child of the grid
    bool m_readOnly = false;
    bool m_syncing = false;
};

} // namespace ui
