#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;

namespace db {
class Dataset;
class Field;
} // namespace db

namespace ui {
class KeyPreview;
class PickLabel;
class TDBEditz;
class WindowPlace;
} // namespace ui

namespace app {

// Calendar picker: a small modal window in which a date is chosen with the mouse or the keys.
// The caller sets the date, runs exec() and reads the date when it returned QDialog::Accepted.
class TEvzhDtForm : public QDialog {
    Q_OBJECT
public:
    explicit TEvzhDtForm(QWidget *parent = nullptr);
    ~TEvzhDtForm() override;

    void setDate(const QDate &date);
    QDate date() const;

    // One month or year back or forward (the day kept where the month has it, else its last day).
    void moveMonths(int months);

    QPushButton *PrevYear = nullptr;
    QPushButton *PrevMonth = nullptr;
    QPushButton *NextMonth = nullptr;
    QPushButton *NextYear = nullptr;
    QCalendarWidget *Calendar = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *LabelDate = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;

protected:
    void showEvent(QShowEvent *e) override;

private:
    bool previewKey(QKeyEvent &e);
    void showDate();
    ui::WindowPlace *m_place = nullptr;
    ui::KeyPreview *m_keys = nullptr;
};

// The program's one calendar picker (EvzhDtForm): created by the start-up, or here on first use.
TEvzhDtForm &calendarPicker();
// Creates the picker as a child of the main window at start-up (it then lives as long as it).
void createCalendarPicker(QWidget *parent);

// Picks a date for a field (KDatum): the picker opens on the field's date, or on today when
// the field is empty; on OK the table is put into edit and the date stored (the field's own
// checks run; a refusal is shown, the field keeps its value). Returns true when a date was stored.
bool KDatum(db::Dataset &table, db::Field &field);
// Binds a date edit to the picker: Shift+F7 in the edit and a click on its blue label run
// KDatum for the edit's field.
void bindDatePick(ui::TDBEditz *edit, ui::PickLabel *label = nullptr);

} // namespace app
