// Opening a large data set and walking its tables: 20,000 payees, 200,000 book-of-orders rows,
// 50,000 obligations. Budgets: opening every table under 300 ms; one next/prior step under 0.1 ms.
#include "data/data_module.h"
#include "data/template_folder.h"
#include "platform/db/connection.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {

QString g_folder;
QTemporaryDir *g_root = nullptr;

void fill(const QString &table, int rows, const QString &columns, const std::function<QVariantList(int)> &row)
{
    auto conn = db::FileConnection::get(QDir(g_folder).filePath(table + QStringLiteral(".DB")));
    db::Transaction tx(conn.get());
    const int n = int(columns.count(QLatin1Char(','))) + 1;
    QStringList marks;
    for (int i = 0; i < n; ++i) marks << QStringLiteral("?");
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns, marks.join(QLatin1Char(',')));
    for (int i = 0; i < rows; ++i) conn->exec(sql, row(i));
    tx.commit();
}

void makeDataSet()
{
    if (!g_folder.isEmpty()) return;
    g_root = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/velorad-bench-XXXXXX"));
    data::ensureTemplateFolder(g_root->path());
    g_folder = QDir(g_root->path()).filePath(QStringLiteral("D1"));
    QDir().mkpath(g_folder);
    const QString tmpl = data::templateFolder(g_root->path());
    for (const QString &f : QDir(tmpl).entryList(QDir::Files)) QFile::copy(QDir(tmpl).filePath(f), QDir(g_folder).filePath(f));
    std::mt19937 rng(7);
    const QDate base(2020, 1, 1);
    const QStringList names{QStringLiteral("Čedok"), QStringLiteral("Alfa"), QStringLiteral("Žabka"), QStringLiteral("Chemos"),
                            QStringLiteral("Beta"), QStringLiteral("Řempo"), QStringLiteral("Sklo"), QStringLiteral("Dřevo")};
    auto name = [&](int i) { return names[i % names.size()] + QStringLiteral(" %1").arg(rng() % 100000); };
    auto date = [&](int span) { return base.addDays(int(rng() % uint(span))).toString(Qt::ISODate); };
    fill(QStringLiteral("Mbzp"), 5, QStringLiteral("Pc,Na,Ba,Cu,Kb,P"), [&](int i) {
        return QVariantList{i, QStringLiteral("v Praze"), QStringLiteral("Banka"), QStringLiteral("123-4567"), QStringLiteral("0100"), 1};
    });
    fill(QStringLiteral("Mbz"), 20000, QStringLiteral("Na,Cu,Kb,Vs,Ca,D1,D3,Pc,O1,O5"), [&](int i) {
        return QVariantList{name(i), QStringLiteral("%1-%2").arg(rng() % 999).arg(rng() % 9999999), QStringLiteral("0800"),
                            QString::number(rng() % 999999), qint64(rng() % 10000000), date(400), date(400), i % 5,
                            QStringLiteral("F"), 0};
    });
    fill(QStringLiteral("Mkf"), 200000, QStringLiteral("Na,Cu2,Cu1,Vs,Ca,Dv,Ds,Kb,M"), [&](int i) {
        return QVariantList{name(i), QStringLiteral("19-123456"), QStringLiteral("123-4567"), QString::number(i),
                            qint64(rng() % 10000000), date(2000), date(2000), QStringLiteral("0100"), QStringLiteral("Kč")};
    });
    fill(QStringLiteral("Mkd"), 50000, QStringLiteral("Pcc,Vs,Na,Ca,Caz,Ca1,Dss,Do1,D1,Pc,Aa,Neh"), [&](int i) {
        return QVariantList{i + 1, QString::number(rng() % 99999999), name(i), qint64(rng() % 10000000), 0, 0,
                            date(1000), date(1000), date(1000), i % 5, 1, QStringLiteral("N")};
    });
}

std::vector<db::Table *> companyTables(data::TDM1 &dm)
{
    return {&dm.Mbzp, &dm.Modf, &dm.Mkf, &dm.Mbz, &dm.Mtt, &dm.Mzak, &dm.Mkd, &dm.Maz, &dm.Pmt, &dm.Pmdf, &dm.Pbz};
}

// Opening the data set: every table the program keeps open, positioned on its first row.
void BM_OpenDataSet(benchmark::State &state)
{
    makeDataSet();
    data::TDM1 dm;
    for (auto _ : state) {
        dm.setDataSetFolder(g_folder);
        for (db::Table *t : companyTables(dm)) t->open();
        benchmark::DoNotOptimize(dm.Mkf.recordCount());
        state.PauseTiming();
        dm.closeDataSet();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDataSet)->Unit(benchmark::kMillisecond)->Iterations(5);

// One step of next (then prior back) through the largest tables, in their data-module order.
void BM_WalkStep(benchmark::State &state)
{
    makeDataSet();
    data::TDM1 dm;
    dm.setDataSetFolder(g_folder);
    db::Table *tables[] = {&dm.Mkf, &dm.Mkd, &dm.Mbz};
    db::Table &t = *tables[state.range(0)];
    t.open();
    t.first();
    bool forward = true;
    for (auto _ : state) {
        if (forward) {
            t.next();
            if (t.eof()) forward = false;
        } else {
            t.prior();
            if (t.bof()) forward = true;
        }
        benchmark::DoNotOptimize(t.recNo());
    }
    state.SetLabel(t.objectName().toStdString() + " rows " + std::to_string(t.recordCount()));
    dm.closeDataSet();
}
BENCHMARK(BM_WalkStep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
