#include "unsaved_changes.h"

#include "entry_controls.h"
#include "msg.h"

#include "platform/db/dataset.h"
#include "platform/db/errors.h"

#include <QWidget>

namespace ui {

QString unsavedChangesText(const QString &title)
{
    return QStringLiteral("V tabulce ") + title + QStringLiteral(" byly provedeny změny.\nUložit záznam?");
}

bool confirmUnsavedChanges(QWidget *window, db::Dataset &table, const QString &title,
                           const std::function<bool()> &beforeSave)
{
    if (!table.active() || !table.isEditing()) return true;
    switch (Msg::yesNoCancel(unsavedChangesText(title), window)) {
    case MsgAnswer::Yes:
        if (beforeSave && !beforeSave()) return false;
        if (!storePendingEdits(window)) return false;
        try {
            table.post();
        } catch (const db::DbError &e) {
            Msg::error(e.message(), window);
            return false;
        } catch (const db::Abort &) {
            return false;
        }
        return true;
    case MsgAnswer::No:
        if (window)
            for (TDBEditz *edit : window->findChildren<TDBEditz *>())
                if (edit->dataset() == &table) edit->reset();
        table.cancel();
        return true;
    default:
        return false;
    }
}

} // namespace ui
