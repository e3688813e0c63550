#include "help_window.h"

#include "help_topics.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace app {

HelpWindow::HelpWindow(int context, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Nápověda - Velorad"));
    resize(720, 480);
    m_topics = new QListWidget(this);
    m_topics->setObjectName(QStringLiteral("HelpTopics"));
    m_topics->setMaximumWidth(230);
    for (const auto &t : helpTopics()) {
        auto *item = new QListWidgetItem(t.title, m_topics);
        item->setData(Qt::UserRole, t.context);
    }
    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("HelpText"));
    m_text->setOpenLinks(false);
    connect(m_text, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        if (url.scheme() == QLatin1String("topic")) showTopic(url.path().toInt());
    });
    connect(m_topics, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) showTopic(m_topics->item(row)->data(Qt::UserRole).toInt());
    });
    auto *close = new QPushButton(QStringLiteral("&Zavřít"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *row = new QHBoxLayout;
    row->addWidget(m_topics);
    row->addWidget(m_text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    showTopic(context);
}

void HelpWindow::showTopic(int context)
{
    const HelpTopic &t = helpTopic(context);
    m_context = t.context;
    m_text->setHtml(t.html);
    for (int i = 0; i < m_topics->count(); ++i)
        if (m_topics->item(i)->data(Qt::UserRole).toInt() == t.context && m_topics->currentRow() != i) {
            const QSignalBlocker block(m_topics);
            m_topics->setCurrentRow(i);
        }
}

QString HelpWindow::currentText() const { return m_text->toPlainText(); }

} // namespace app
