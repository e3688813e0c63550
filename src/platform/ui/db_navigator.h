#pragma once

// The record navigator: a row of buttons that move in a dataset and edit it.

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class QToolButton;

namespace db {
class DataSource;
class Dataset;
} // namespace db

namespace ui {

// Record navigator over a data source: first, prior, next, last, insert, delete, edit, post,
// cancel. The buttons take no focus, follow the dataset's state (first/prior disabled at the
// beginning, next/last at the end, post/cancel only while editing) and carry the program's
// Czech hints. Before every action the pending values of the window's entry controls are
// stored; refusals of the engine and the rules are shown through Msg (db::Abort silently).
// Deleting asks nothing unless setConfirmDelete(true).
class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel };

    explicit TDBNavigator(QWidget *parent = nullptr);
    ~TDBNavigator() override;

    void setDataSource(db::DataSource *source);
    db::DataSource *dataSource() const { return m_source; }
    db::Dataset *dataset() const;
    // The buttons shown, in the order above (default: all nine).
    void setVisibleButtons(const std::vector<Button> &buttons);
    bool isButtonVisible(Button b) const;
    // Default hints: "První záznam (Ctrl+Home)", ..., "Stornovat změny (Esc)".
    void setHint(Button b, const QString &hint);
    QString hint(Button b) const;
    void setConfirmDelete(bool on) { m_confirmDelete = on; }
    QToolButton *button(Button b) const { return m_buttons[size_t(b)]; }

    // Runs a button's action as a click does; false when it was refused or is not possible.
    bool doAction(Button b);
    // Asked before every action; returning false stops it (windows that guard some moves).
    std::function<bool(Button)> beforeAction;
    // Brings the buttons' enabled state up to date (done on every dataset notice).
    void updateButtons();

Q_SIGNALS:
    // After an action was carried out (windows that remember values after every click).
    void clicked(ui::TDBNavigator::Button button);

private:
    void connectSource();
    db::DataSource *m_source = nullptr;
    int m_dataConn = 0, m_stateConn = 0;
    std::vector<QToolButton *> m_buttons;
    bool m_confirmDelete = false;
};

} // namespace ui
