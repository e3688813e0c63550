// Writing the transfer queue into a bank file: 100,000 queue rows in 50 groups (5 own accounts,
// 5 due dates, payments and collections), as ABO and as text, with Rd/M1 saved through the
// queue table and its rules. Budget: under 1.5 s for each format.
#include "app/dataset_registry.h"
#include "data/data_module.h"
#include "data/open_dataset.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/db/connection.h"
#include "transfer/transfer_run.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr int kRows = 100000;

QTemporaryDir *g_root = nullptr;
QString g_folder;

void makeDataSet()
{
    if (g_root) return;
    g_root = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/velorad-bench-XXXXXX"));
    app::DatasetRegistry registry(g_root->path());
    registry.ensure();
    g_folder = registry.createDataSet(QStringLiteral("Banka"));
    auto conn = db::FileConnection::get(QDir(g_root->path()).filePath(g_folder + QStringLiteral("/Mban.DB")));
    db::Transaction tx(conn.get());
    std::mt19937 rng(11);
    const QString sql = QStringLiteral("INSERT INTO Mban (Cu1, Cu2, Kod, Ss, Vs, Ks, Ca, Ds, Tp, Kodi, Upp) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < kRows; ++i) {
        const int group = int(rng() % 50);
        conn->exec(sql, {QStringLiteral("19-12345%1").arg(group % 5), QStringLiteral("%1-%2").arg(rng() % 999).arg(rng() % 9999999),
                         QStringLiteral("0800"), QString::number(rng() % 99999), QString::number(rng() % 9999999999LL),
                         QStringLiteral("0308"), qint64(rng() % 10000000),
                         QDate(2030, 1, 1).addDays(group / 5 % 5).toString(Qt::ISODate),
                         group / 25 ? QStringLiteral("2") : QStringLiteral("1"), QStringLiteral("0100"),
                         i % 3 ? QVariant() : QVariant(QStringLiteral("Faktura č. %1").arg(i))});
    }
    tx.commit();
}

void runFormat(benchmark::State &state, transfer::BankFormat format)
{
    makeDataSet();
    data::program().setToday(QDate(2029, 12, 1));
    data::TDM1 dm;
    data::installTableRules(dm);
    if (!data::openDataSet(dm, g_root->path(), g_folder).complete) {
        state.SkipWithError("the data set did not open");
        return;
    }
    transfer::openQueue(dm);
    transfer::TransferSession session(dm, g_root->path());
    const QString file = QDir(g_root->path()).filePath(QStringLiteral("Banka.out"));
    int rows = 0;
    for (auto _ : state) {
        const transfer::RunOutcome r = session.run(format, file, QString());
        if (!r.ok) {
            state.SkipWithError(r.error.toStdString().c_str());
            break;
        }
        rows = r.rowsWritten;
    }
    state.counters["rows"] = rows;
    transfer::closeQueue(dm);
    dm.closeDataSet();
}

// The engine operations a run is made of, on the same queue inside one transaction: reading
// every row in due-date order (how the run reads the queue), and Edit + Rd + Post of every row
// in ID order (how the run saves the numbers).
void runEngine(benchmark::State &state, bool post)
{
    makeDataSet();
    data::program().setToday(QDate(2029, 12, 1));
    data::TDM1 dm;
    data::installTableRules(dm);
    if (!data::openDataSet(dm, g_root->path(), g_folder).complete) {
        state.SkipWithError("the data set did not open");
        return;
    }
    transfer::openQueue(dm);
    if (post) dm.Mban.setIndexName(QString());
    // As during a run: no status-bar refresh per save, no screen updates.
    data::program().statusUpdatesOn = false;
    dm.Mban.disableControls();
    for (auto _ : state) {
        db::Transaction tx(dm.Mban.connection());
        int n = 0;
        for (dm.Mban.first(); !dm.Mban.eof(); dm.Mban.next()) {
            if (post) {
                dm.Mban.edit();
                dm.MbanRd->setAsInteger(n % 30000);
                dm.Mban.post();
            } else {
                benchmark::DoNotOptimize(dm.MbanCu2->asString());
            }
            ++n;
        }
        tx.commit();
    }
    dm.Mban.enableControls();
    data::program().statusUpdatesOn = true;
    transfer::closeQueue(dm);
    dm.closeDataSet();
}

void BM_EngineWalk(benchmark::State &state) { runEngine(state, false); }
void BM_EngineEditPost(benchmark::State &state) { runEngine(state, true); }
void BM_AboFile(benchmark::State &state) { runFormat(state, transfer::BankFormat::Abo); }
void BM_TextFile(benchmark::State &state) { runFormat(state, transfer::BankFormat::Text); }

BENCHMARK(BM_EngineWalk)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EngineEditPost)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AboFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TextFile)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
