#pragma once

#include <QString>
#include <QStringList>

namespace data {

// Number of files that make up a company data set.
constexpr int kDataFileCount = 48;

// The data-file list: the 48 file names of a data set in their binding order
// (index 0 here is entry 1 of the list). Backup, restore, transfer and template copying
// walk it by position.
const QStringList &dataFiles();

// The registry files in the data root (and their empty copies in the template folder).
const QStringList &registryFiles();

} // namespace data
