#pragma once

#include "platform/db/field_def.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace data {

// Layouts of every company table and of the registry tables, fields in stored order.
// The layouts hold the stored fields, the keys and indexes, and the calculated and lookup
// fields that the data module's objects declare.
const db::TableDef &layoutMbzp();
const db::TableDef &layoutMbz();
const db::TableDef &layoutMbp();
const db::TableDef &layoutMkf();
const db::TableDef &layoutMtt();
const db::TableDef &layoutModf();
const db::TableDef &layoutPmt();
const db::TableDef &layoutMban();
const db::TableDef &layoutMban1();
const db::TableDef &layoutPmdf();
const db::TableDef &layoutPbz();
const db::TableDef &layoutMaz();
const db::TableDef &layoutMkd();
const db::TableDef &layoutMzak();
const db::TableDef &layoutData();
const db::TableDef &layoutUziv();

// The fourteen company tables in the order of the data-file list.
const std::vector<const db::TableDef *> &companyTables();
// The registry tables Data and Uziv, in the order of the registry files.
const std::vector<const db::TableDef *> &registryTables();
// A layout by table name (case-insensitive); nullptr when unknown.
const db::TableDef *layoutByName(const QString &tableName);
// The stored fields of a layout only (what the table file holds).
db::TableDef storedLayout(const db::TableDef &def);
// The named stored fields of a layout, in the layout's order, with the key and the indexes
// whose fields they all include (objects that declare a part of a table, e.g. PmdfC1).
// Throws std::invalid_argument for a name the layout does not have.
db::TableDef partialLayout(const db::TableDef &def, const QStringList &fieldNames);

// Fields of the data module's queries: the stored fields of their table, then the query's
// own lookup and calculated fields.
const std::vector<db::FieldDef> &queryFieldsMbzQr();
const std::vector<db::FieldDef> &queryFieldsMkfQr();
const std::vector<db::FieldDef> &queryFieldsMkdQr();
const std::vector<db::FieldDef> &queryFieldsMazQr();
const std::vector<db::FieldDef> &queryFieldsMbanQr();
const std::vector<db::FieldDef> &queryFieldsPbzQr();

} // namespace data
