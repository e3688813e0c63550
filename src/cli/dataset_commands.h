#pragma once

#include <QStringList>

namespace cli {

class Console;

// "list": the data sets of a data root, one line each: number, tab, name, tab, folder.
int listDataSets(const QStringList &args, Console &console);
// "new": creates a data set from the template and prints its folder name.
int newDataSet(const QStringList &args, Console &console);

} // namespace cli
