#pragma once

#include <QString>

namespace data {

// Name of the template folder under the data root.
QString templateFolderName();                  // "Data"
QString templateFolder(const QString &dataRoot);

// Creates the template folder with all 48 files of the data-file list (empty tables, the
// single rows of Mtt, Modf and Pmt with their first values) and the empty registry files,
// when any of them is missing. Existing files are left as they are.
void ensureTemplateFolder(const QString &dataRoot);

// Creates the registry tables Data and Uziv in the data root when they are missing
// (copies of the template's empty ones).
void ensureRegistry(const QString &dataRoot);

// Copies one file of the template folder into a folder, overwriting; false on failure.
bool copyFromTemplate(const QString &dataRoot, const QString &fileName, const QString &targetFolder);

} // namespace data
