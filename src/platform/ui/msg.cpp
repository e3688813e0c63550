#include "msg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace ui {

namespace {
Msg::Handler &handler()
{
    static Msg::Handler h;
    return h;
}
QString &title()
{
    static QString t = QStringLiteral("Velorad");
    return t;
}
} // namespace

void Msg::setHandler(Handler h) { handler() = std::move(h); }
void Msg::setTitle(const QString &t) { title() = t; }

MsgAnswer Msg::ask(MsgKind kind, const QString &text, QWidget *parent)
{
    if (handler()) return handler()(kind, text);
    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setWindowTitle(title());
    box.setText(text);
    switch (kind) {
    case MsgKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgKind::YesNoCancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    if (QAbstractButton *yes = box.button(QMessageBox::Yes)) yes->setText(QStringLiteral("&Ano"));
    if (QAbstractButton *no = box.button(QMessageBox::No)) no->setText(QStringLiteral("&Ne"));
    if (QAbstractButton *cancel = box.button(QMessageBox::Cancel)) cancel->setText(QStringLiteral("Storno"));
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: return kind == MsgKind::YesNoCancel ? MsgAnswer::Cancel : (kind == MsgKind::Confirmation ? MsgAnswer::No : MsgAnswer::Ok);
    }
}

void Msg::information(const QString &text, QWidget *parent) { ask(MsgKind::Information, text, parent); }
void Msg::error(const QString &text, QWidget *parent) { ask(MsgKind::Error, text, parent); }
bool Msg::confirm(const QString &text, QWidget *parent) { return ask(MsgKind::Confirmation, text, parent) == MsgAnswer::Yes; }
MsgAnswer Msg::yesNoCancel(const QString &text, QWidget *parent) { return ask(MsgKind::YesNoCancel, text, parent); }

ScriptedMsg::ScriptedMsg()
{
    Msg::setHandler([this](MsgKind kind, const QString &text) {
        m_shown.push_back({kind, text});
        if (kind == MsgKind::Information || kind == MsgKind::Error) return MsgAnswer::Ok;
        if (m_answers.empty()) return MsgAnswer::Yes;
        const MsgAnswer a = m_answers.front();
        m_answers.erase(m_answers.begin());
        return a;
    });
}

ScriptedMsg::~ScriptedMsg() { Msg::setHandler(nullptr); }

QStringList ScriptedMsg::texts() const
{
    QStringList out;
    for (const auto &s : m_shown) out << s.text;
    return out;
}

} // namespace ui
