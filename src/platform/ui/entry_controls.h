#pragma once

// The program's entry controls: the toolkit's edit, check box and combo box, bound to a field
// of a data source's dataset, with Enter acting as Tab. Nearly every entry field of every
// window is one of these.
//
// Common behaviour of all four classes:
// - enterTab() (true when constructed): Enter moves the focus to the next control in the
//   window's tab order, Shift+Enter to the previous one, exactly as Tab and Shift+Tab do;
//   Enter then never reaches the window's default button. With enterTab() false, Enter
//   behaves as in the base control (a dialog's default button is pressed).
// - setPickAction(): Shift+F7 (Shift alone) in the control runs the action; a PickLabel
//   beside the control usually runs the same action (see app::bindDatePick for date fields).
// - entered() when the focus comes in, exited() when it leaves after the value was stored.
//
// Data-bound controls (TDBEditz, TDBCheckBoxz, TDBComboBoxz):
// - show the field of the current record and follow every change of the dataset;
// - the first change the user makes puts the dataset into edit state;
// - the value reaches the field when the control is left (Tab, Enter, a mouse click
//   elsewhere) or when storePendingEdits() is called; the check box and the drop-down list
//   store at once on every change. A refusal of the field (the engine's range or type
//   message, a table rule's db::DbError) is shown with Msg::error and the focus stays in
//   the control with the typed text; a db::Abort (the rule has told the user already) is
//   silent.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <functional>

class QKeyEvent;

namespace db {
class DataSource;
class Dataset;
class Field;
} // namespace db

namespace ui {

// What Shift+F7 in a control (or a click on its blue label) does.
using PickAction = std::function<void()>;

// Stores what the user typed into every data-bound entry control of a window (or any widget
// and its children) that still holds an unstored value. On the first refusal the message is
// shown, that control gets the focus and false is returned. Call it before posting from a
// button or a navigator, before closing a window that keeps its changes, and the like.
bool storePendingEdits(QWidget *root);

// The part of a data-bound control that follows one field (internal to the entry controls
// and the data-bound text; windows use the controls). The data source must outlive the
// control, as the data module's sources do.
class FieldLink {
public:
    FieldLink() = default;
    ~FieldLink();
    FieldLink(const FieldLink &) = delete;
    FieldLink &operator=(const FieldLink &) = delete;

    // Called on every data and state change of the dataset, and when rebound.
    std::function<void()> onChange;

    void bind(db::DataSource *source, const QString &fieldName);
    db::DataSource *source() const { return m_source; }
    const QString &fieldName() const { return m_fieldName; }
    db::Dataset *dataset() const;
    // The field while the dataset is open and has it; nullptr otherwise.
    db::Field *field() const;
    // The field can take a value typed by the user (stored field, dataset open and not read-only).
    bool canModify() const;

private:
    void connectSource();
    void disconnectSource();
    db::DataSource *m_source = nullptr;
    QString m_fieldName;
    int m_dataConn = 0, m_stateConn = 0;
};

// Data-bound edit for text, number and date fields of tables.
class TDBEditz : public QLineEdit {
    Q_OBJECT
public:
    explicit TDBEditz(QWidget *parent = nullptr);
    TDBEditz(db::DataSource *source, const QString &fieldName, QWidget *parent = nullptr);

    void setDataSource(db::DataSource *source) { setBinding(source, m_link.fieldName()); }
    void setDataField(const QString &fieldName) { setBinding(m_link.source(), fieldName); }
    void setBinding(db::DataSource *source, const QString &fieldName);
    db::DataSource *dataSource() const { return m_link.source(); }
    const QString &dataField() const { return m_link.fieldName(); }
    db::Dataset *dataset() const { return m_link.dataset(); }
    db::Field *field() const { return m_link.field(); }

    bool enterTab() const { return m_enterTab; }
    void setEnterTab(bool on) { m_enterTab = on; }
    void setPickAction(PickAction action) { m_pick = std::move(action); }
    const PickAction &pickAction() const { return m_pick; }

    // True while the control holds text the user typed that has not reached the field.
    bool hasPendingValue() const { return m_pending; }
    // Stores a pending value into the field; shows a refusal and returns false.
    bool storeValue();
    // Drops a pending value and shows the field again.
    void reset();

Q_SIGNALS:
    void entered();
    void exited();

protected:
    bool event(QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void load();
    void userEdited();
    FieldLink m_link;
    bool m_enterTab = true;
    bool m_pending = false;
    bool m_loading = false;
    qint64 m_pendingRow = 0;
    PickAction m_pick;
};

// Data-bound check box for boolean fields. Its caption may follow its state.
class TDBCheckBoxz : public QCheckBox {
    Q_OBJECT
public:
    explicit TDBCheckBoxz(QWidget *parent = nullptr);
    TDBCheckBoxz(db::DataSource *source, const QString &fieldName, QWidget *parent = nullptr);

    void setBinding(db::DataSource *source, const QString &fieldName);
    db::DataSource *dataSource() const { return m_link.source(); }
    const QString &dataField() const { return m_link.fieldName(); }
    db::Dataset *dataset() const { return m_link.dataset(); }
    db::Field *field() const { return m_link.field(); }

    // The caption shown while ticked and while not ticked ("ano"/"ne", "čárka"/"tečka").
    void setStateCaptions(const QString &checked, const QString &unchecked);

    bool enterTab() const { return m_enterTab; }
    void setEnterTab(bool on) { m_enterTab = on; }
    void setPickAction(PickAction action) { m_pick = std::move(action); }

Q_SIGNALS:
    void entered();
    void exited();

protected:
    bool event(QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void nextCheckState() override;

private:
    void load();
    void updateCaption();
    FieldLink m_link;
    bool m_enterTab = true;
    PickAction m_pick;
    QString m_checkedCaption, m_uncheckedCaption;
    bool m_hasCaptions = false;
};

// Data-bound combo box for fields chosen from a fixed list (the items are the field's texts).
// Not editable unless setEditable(true); an editable one stores its text like TDBEditz.
class TDBComboBoxz : public QComboBox {
    Q_OBJECT
public:
    explicit TDBComboBoxz(QWidget *parent = nullptr);
    TDBComboBoxz(db::DataSource *source, const QString &fieldName, QWidget *parent = nullptr);

    void setBinding(db::DataSource *source, const QString &fieldName);
    db::DataSource *dataSource() const { return m_link.source(); }
    const QString &dataField() const { return m_link.fieldName(); }
    db::Dataset *dataset() const { return m_link.dataset(); }
    db::Field *field() const { return m_link.field(); }

    bool enterTab() const { return m_enterTab; }
    void setEnterTab(bool on) { m_enterTab = on; }
    void setPickAction(PickAction action) { m_pick = std::move(action); }

    bool hasPendingValue() const { return m_pending; }
    bool storeValue();
    // Re-reads the field (after the items were set, for instance).
    void load();

Q_SIGNALS:
    void entered();
    void exited();

protected:
    bool event(QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void chosen(int index);
    bool storeText(const QString &text);
    FieldLink m_link;
    bool m_enterTab = true;
    bool m_pending = false;
    bool m_loading = false;
    PickAction m_pick;
};

// Plain edit (search and path fields not bound to a table) with Enter as Tab.
class TEditz : public QLineEdit {
    Q_OBJECT
public:
    explicit TEditz(QWidget *parent = nullptr);

    bool enterTab() const { return m_enterTab; }
    void setEnterTab(bool on) { m_enterTab = on; }
    void setPickAction(PickAction action) { m_pick = std::move(action); }

Q_SIGNALS:
    void entered();
    void exited();

protected:
    bool event(QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    bool m_enterTab = true;
    PickAction m_pick;
};

// Data-bound read-only text (a label showing a field's display text, such as a day word).
class TDBText : public QLabel {
    Q_OBJECT
public:
    explicit TDBText(QWidget *parent = nullptr);
    TDBText(db::DataSource *source, const QString &fieldName, QWidget *parent = nullptr);
    void setBinding(db::DataSource *source, const QString &fieldName);

private:
    void load();
    FieldLink m_link;
};

} // namespace ui
