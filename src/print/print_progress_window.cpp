#include "print_progress_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace print {

TTiskInfoForm *TiskInfoForm = nullptr;

TTiskInfoForm::TTiskInfoForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TiskInfoForm"));
    setWindowTitle(QStringLiteral("Velorad"));
    setModal(false);
    setCursor(Qt::WaitCursor);
    m_label = new QLabel(QStringLiteral("Odesílám data do tiskárny ..."), this);
    m_label->setAlignment(Qt::AlignCenter);
    QFont f = m_label->font();
    f.setBold(true);
    m_label->setFont(f);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    resize(360, 105);
    setFixedHeight(105);
}

QString TTiskInfoForm::text() const { return m_label->text(); }

void TTiskInfoForm::showEvent(QShowEvent *event)
{
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    QDialog::showEvent(event);
}

} // namespace print
