#pragma once

#include <QDialog>

class QLabel;

namespace print {

// Print progress window: a small window telling that the pages are going to the printer.
class TTiskInfoForm : public QDialog {
    Q_OBJECT
public:
    explicit TTiskInfoForm(QWidget *parent = nullptr);
    QString text() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_label = nullptr;
};

// The one progress window of the program, created at start-up.
extern TTiskInfoForm *TiskInfoForm;

} // namespace print
