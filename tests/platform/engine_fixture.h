#pragma once

#include "platform/db/dataset.h"
#include "platform/db/session.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <memory>

// A folder with two small tables: own accounts "Acc" (key Pc) and payments "Pay"
// (autoinc ID, secondary indexes on Na and on Pc;Na, a lookup of Acc.Kb by Pc).
class EngineTest : public ::testing::Test {
protected:
    static db::TableDef accDef()
    {
        db::TableDef d;
        d.name = QStringLiteral("Acc");
        d.fields = {db::smallField(QStringLiteral("Pc"), -999, 999, QStringLiteral("Číslo")),
                    db::textField(QStringLiteral("Kb"), 4, QStringLiteral("Kód")),
                    db::textField(QStringLiteral("Ba"), 25)};
        d.primaryKey = {QStringLiteral("Pc")};
        return d;
    }
    static db::TableDef payDef()
    {
        db::TableDef d;
        d.name = QStringLiteral("Pay");
        d.fields = {db::autoIncField(QStringLiteral("ID")),
                    db::textField(QStringLiteral("Na"), 20, QStringLiteral("Název")),
                    db::smallField(QStringLiteral("Pc"), -999, 999, QStringLiteral("Číslo")),
                    db::floatField(QStringLiteral("Ca"), -9999999999.99, 9999999999.99, QStringLiteral("Částka")),
                    db::dateField(QStringLiteral("D1"), QStringLiteral("Datum")),
                    db::boolField(QStringLiteral("O5")),
                    db::lookupField(QStringLiteral("Kbi"), db::FieldType::Text, 4, QStringLiteral("Acc"), QStringLiteral("Pc"),
                                    QStringLiteral("Pc"), QStringLiteral("Kb"))};
        d.primaryKey = {QStringLiteral("ID")};
        d.indexes = {{QStringLiteral("Na"), {QStringLiteral("Na")}, QStringLiteral("X02")},
                     {QStringLiteral("PcNa"), {QStringLiteral("Pc"), QStringLiteral("Na")}, QStringLiteral("XG0")}};
        return d;
    }

    void SetUp() override
    {
        db::createTable(dir.path(), accDef());
        db::createTable(dir.path(), payDef());
        database.setDirectory(dir.path());
        acc.setDatabase(&database);
        acc.setDefinition(accDef());
        pay.setDatabase(&database);
        pay.setDefinition(payDef());
        pay.fieldByName(QStringLiteral("Kbi")).bindLookupSource(&acc);
    }

    void addPay(const QString &name, int pc, double amount = 0, const QString &date = {})
    {
        pay.append();
        pay.fieldByName(QStringLiteral("Na")).setAsString(name);
        pay.fieldByName(QStringLiteral("Pc")).setAsInteger(pc);
        pay.fieldByName(QStringLiteral("Ca")).setAsFloat(amount);
        if (!date.isEmpty()) pay.fieldByName(QStringLiteral("D1")).setAsString(date);
        pay.post();
    }

    QStringList names(db::Dataset &d, const QString &field = QStringLiteral("Na"))
    {
        QStringList out;
        for (d.first(); !d.eof(); d.next()) out << d.fieldByName(field).asString();
        return out;
    }

    testsupport::TempDir dir;
    db::Database database{QStringLiteral("Test")};
    db::Table acc{QStringLiteral("Acc")};
    db::Table pay{QStringLiteral("Pay")};
};
