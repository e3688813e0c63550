#pragma once

#include <QDialog>

class QListWidget;
class QTextBrowser;

namespace app {

// The help window: a list of topics and the chosen topic's text.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(int context, QWidget *parent = nullptr);
    void showTopic(int context);
    int currentContext() const { return m_context; }
    QString currentText() const;

private:
    QListWidget *m_topics;
    QTextBrowser *m_text;
    int m_context = 0;
};

} // namespace app
