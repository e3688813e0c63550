#pragma once

#include "app/dataset_registry.h"
#include "data/data_module.h"
#include "data/open_dataset.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/db/connection.h"
#include "platform/codepage/codepage.h"
#include "platform/ini/ini_file.h"
#include "support/test_support.h"
#include "transfer/transfer_run.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <map>
#include <sqlite3.h>

// One queue row as a test writes it (own account 19-123457 with bank code 0100, due 15.03.2001,
// type 1 unless told); an invalid date makes a row without date (as "Jiný datum" with an empty
// date leaves it), tp "-" a row without type code.
struct TestRow {
    QString cu1, kodi, cu2, kod, vs, ks, ss;
    double amount = 0;
    QDate ds{2001, 3, 15};
    QString tp = QStringLiteral("1");
    QString upp;
};

// Rd and M1 of a queue row after a run.
struct Numbers {
    qint64 rd = 0, m1 = 0;
    bool operator==(const Numbers &o) const { return rd == o.rd && m1 == o.m1; }
};
inline void PrintTo(const Numbers &n, std::ostream *os) { *os << "Rd " << n.rd << ", M1 " << n.m1; }

// A data set D1 made from the template and opened by a data module with every table rule, the
// queue opened as the print centre opens it; today is Saturday 10 March 2001.
class TransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data::ProgramState &ps = data::program();
        ps = data::ProgramState();
        ps.setToday(QDate(2001, 3, 10));
        app::DatasetRegistry registry(root.path());
        registry.ensure();
        folder = registry.createDataSet(QStringLiteral("Firma"));
        data::installTableRules(dm);
        const data::OpenReport report = data::openDataSet(dm, root.path(), folder);
        ASSERT_TRUE(report.complete) << report.error.toStdString();
        transfer::openQueue(dm);
    }
    void TearDown() override
    {
        transfer::closeQueue(dm);
        dm.closeDataSet();
        data::program() = data::ProgramState();
    }

    QString dataSetFolder() const { return QDir(root.path()).filePath(folder); }
    QString iniPath() const { return QDir(dataSetFolder()).filePath(folder + QStringLiteral(".ini")); }
    QString output(const QString &name) const { return QDir(root.path()).filePath(QStringLiteral("banka/") + name); }
    // Makes an empty file (or a folder) in the data root and returns its path.
    QString entry(const QString &name, bool folder = false) const
    {
        const QString path = QDir(root.path()).filePath(name);
        if (folder) QDir().mkpath(path);
        else QFile(path).open(QIODevice::WriteOnly);
        return path;
    }

    // Queues a row through the table, so the table rules run; returns its ID.
    qint64 add(const TestRow &r)
    {
        dm.Mban.append();
        dm.MbanCu1->setAsString(r.cu1.isNull() ? QStringLiteral("19-123457") : r.cu1);
        dm.MbanKodi->setAsString(r.kodi.isNull() ? QStringLiteral("0100") : r.kodi);
        dm.MbanCu2->setAsString(r.cu2);
        dm.MbanKod->setAsString(r.kod);
        dm.MbanVs->setAsString(r.vs);
        dm.MbanKs->setAsString(r.ks);
        dm.MbanSs->setAsString(r.ss);
        dm.MbanCa->setAsFloat(r.amount);
        dm.MbanDs->setAsDate(r.ds.isValid() ? r.ds : QDate(2001, 3, 15));
        if (r.tp == QLatin1String("-")) dm.MbanTp->clear();
        else dm.MbanTp->setAsString(r.tp);
        dm.MbanUpp->setAsString(r.upp);
        dm.Mban.post();
        const qint64 id = dm.MbanID->asInteger();
        if (!r.ds.isValid()) sql(QStringLiteral("UPDATE Mban SET Ds = NULL WHERE ID = ?"), {id});
        return id;
    }
    // A statement on the queue's file, as "Jiný datum" changes rows without the save rules.
    void sql(const QString &statement, const QVariantList &binds = {})
    {
        db::FileConnection::get(QDir(dataSetFolder()).filePath(QStringLiteral("Mban.DB")))->exec(statement, binds);
        dm.Mban.refresh();
    }
    // Rd and M1 of every queue row by ID, read from the file with a connection of its own (so
    // only what was committed counts).
    std::map<qint64, Numbers> numbers() const
    {
        std::map<qint64, Numbers> n;
        sqlite3 *handle = nullptr;
        const QByteArray file = QFile::encodeName(QDir(dataSetFolder()).filePath(QStringLiteral("Mban.DB")));
        if (sqlite3_open_v2(file.constData(), &handle, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt *st = nullptr;
            if (sqlite3_prepare_v2(handle, "SELECT ID, Rd, M1 FROM Mban", -1, &st, nullptr) == SQLITE_OK)
                while (sqlite3_step(st) == SQLITE_ROW) n[sqlite3_column_int64(st, 0)] = {sqlite3_column_int64(st, 1), sqlite3_column_int64(st, 2)};
            sqlite3_finalize(st);
        }
        sqlite3_close(handle);
        return n;
    }
    // The due date of a queue row as stored.
    QString storedDate(qint64 id) const
    {
        QString d;
        sqlite3 *handle = nullptr;
        const QByteArray file = QFile::encodeName(QDir(dataSetFolder()).filePath(QStringLiteral("Mban.DB")));
        if (sqlite3_open_v2(file.constData(), &handle, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt *st = nullptr;
            if (sqlite3_prepare_v2(handle, "SELECT Ds FROM Mban WHERE ID = ?", -1, &st, nullptr) == SQLITE_OK) {
                sqlite3_bind_int64(st, 1, id);
                if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
                    d = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
            }
            sqlite3_finalize(st);
        }
        sqlite3_close(handle);
        return d;
    }
    void setMtt(const std::function<void()> &change)
    {
        dm.Mtt.edit();
        change();
        dm.Mtt.post();
    }
    void writeIni(const QByteArray &bytes)
    {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    int iniNumber(const QString &key, int defaultValue = -1) const
    {
        ini::IniFile f(iniPath());
        f.load();
        return f.integer(QStringLiteral("BankaABO"), key, defaultValue);
    }
    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }
    static QByteArray golden(const QString &name) { return readFile(QStringLiteral(VELORAD_FIXTURES "/transfer/") + name); }
    // Bytes shown readably: Windows-1250 decoded, "|" at each line end, "<" where a CR is missing.
    static std::string shown(const QByteArray &bytes)
    {
        QString text = codepage::toUnicode(codepage::CodePage::Windows1250, bytes);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("|\n"));
        return text.toStdString();
    }
    // The file byte for byte against a golden file.
    static void expectGolden(const QString &path, const QString &name)
    {
        const QByteArray actual = readFile(path), expected = golden(name);
        EXPECT_TRUE(actual == expected) << name.toStdString() << "\n--- written:\n"
                                        << shown(actual) << "--- golden:\n" << shown(expected);
    }

    // The two queue rows of the worked examples.
    TestRow firstExampleRow() const
    {
        TestRow r;
        r.cu2 = QStringLiteral("1234567890");
        r.kod = QStringLiteral("0300");
        r.amount = 10000.00;
        r.vs = QStringLiteral("1234");
        r.ks = QStringLiteral("0308");
        r.ss = QStringLiteral("5678");
        r.upp = QStringLiteral("faktura 12");
        return r;
    }
    TestRow secondExampleRow() const
    {
        TestRow r;
        r.cu2 = QStringLiteral("222-333444555");
        r.kod = QStringLiteral("0800");
        r.amount = 2345.50;
        r.vs = QStringLiteral("9876543210");
        return r;
    }

    testsupport::TempDir root;
    QString folder;
    data::TDM1 dm;
};
