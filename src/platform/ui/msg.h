#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace ui {

enum class MsgKind { Information, Error, Confirmation, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// Every message box of the program goes through here, so tests can script the answers.
class Msg {
public:
    static void information(const QString &text, QWidget *parent = nullptr);
    static void error(const QString &text, QWidget *parent = nullptr);
    // Yes/No question; true for Yes.
    static bool confirm(const QString &text, QWidget *parent = nullptr);
    // Yes/No/Cancel question.
    static MsgAnswer yesNoCancel(const QString &text, QWidget *parent = nullptr);

    // A handler that answers instead of showing a box (tests); nullptr restores the boxes.
    using Handler = std::function<MsgAnswer(MsgKind kind, const QString &text)>;
    static void setHandler(Handler handler);
    // The caption of the boxes (the program's title).
    static void setTitle(const QString &title);

private:
    static MsgAnswer ask(MsgKind kind, const QString &text, QWidget *parent);
};

// Scripted answers for a test: records every message and answers from a queue (Yes when empty).
class ScriptedMsg {
public:
    ScriptedMsg();
    ~ScriptedMsg();
    void answer(MsgAnswer a) { m_answers.push_back(a); }
    struct Shown {
        MsgKind kind;
        QString text;
    };
    const std::vector<Shown> &shown() const { return m_shown; }
    QStringList texts() const;

private:
    std::vector<MsgAnswer> m_answers;
    std::vector<Shown> m_shown;
};

} // namespace ui
