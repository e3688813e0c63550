#pragma once

// The unsaved-changes question of editing windows: asked when a window is to close while its
// table is being edited or inserted, about that table, with the window's title in the text.

#include <QString>
#include <functional>

class QWidget;

namespace db {
class Dataset;
}

namespace ui {

// "V tabulce " + title + " byly provedeny změny." + a line break + "Uložit záznam?"
QString unsavedChangesText(const QString &title);

// Asks the question (Yes, No, Cancel) when the table is being edited or inserted:
// - Yes runs beforeSave (the window's own checks of the control being left, if it has any;
//   false stops the closing), stores what the window's controls hold and posts the row;
// - No drops the changes (the controls show the row again) and cancels;
// - Cancel changes nothing.
// Returns true when the window may close: nothing was being edited, No, or Yes with a post
// that went through. A refused post (its message shown) keeps the window open with the row
// still in edit, so nothing typed is lost.
bool confirmUnsavedChanges(QWidget *window, db::Dataset &table, const QString &title,
                           const std::function<bool()> &beforeSave = {});

} // namespace ui
