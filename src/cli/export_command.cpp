#include "export_command.h"

#include "cli_support.h"

#include "app/dataset_registry.h"
#include "data/data_module.h"
#include "data/open_dataset.h"
#include "data/table_rules.h"
#include "platform/db/errors.h"
#include "transfer/transfer_run.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace cli {

namespace {

const QString kFile = QStringLiteral("--file");
const QString kFormat = QStringLiteral("--format");
const QString kEmptyQueue = QStringLiteral("--empty-queue");

// A data module with every table rule whose data set is closed however the command ends.
class OpenDataSet {
public:
    OpenDataSet() { data::installTableRules(m_dm); }
    ~OpenDataSet()
    {
        try {
            transfer::closeQueue(m_dm);
        } catch (...) {
        }
        m_dm.closeDataSet();
    }
    data::TDM1 &dm() { return m_dm; }

private:
    data::TDM1 m_dm;
};

} // namespace

int runExportCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    auto fail = [&err](const QString &message, int status) {
        err << message << '\n';
        err.flush();
        return status;
    };
    Arguments a;
    QString error;
    if (!a.parse(args, {kDataRoot, kDataSet, kFile, kFormat, kPassword}, {kEmptyQueue}, &error)) return fail(error, kExitUsage);
    if (!a.positional().isEmpty()) return fail(QStringLiteral("Nadbytečný argument: %1").arg(a.positional().first()), kExitUsage);
    const QString rootText = a.value(kDataRoot);
    if (rootText.trimmed().isEmpty()) return fail(QStringLiteral("Chybí volba --data-root s adresářem s daty."), kExitUsage);
    const QString folderName = a.value(kDataSet).trimmed();
    if (folderName.isEmpty()) return fail(QStringLiteral("Chybí volba --dataset se složkou Velorad (např. D1)."), kExitUsage);
    const QString filePath = a.value(kFile);
    if (filePath.trimmed().isEmpty()) return fail(QStringLiteral("Chybí volba --file se souborem pro banku."), kExitUsage);
    std::optional<transfer::BankFormat> format;
    if (a.has(kFormat)) {
        const QString f = a.value(kFormat).trimmed().toLower();
        if (f == QLatin1String("abo")) format = transfer::BankFormat::Abo;
        else if (f == QLatin1String("txt")) format = transfer::BankFormat::Text;
        else return fail(QStringLiteral("Volba --format může být abo nebo txt, ne %1.").arg(a.value(kFormat)), kExitUsage);
    }

    try {
        const DataSetChoice choice =
            chooseDataSet(rootText, folderName, a.has(kPassword) ? std::optional<QString>(a.value(kPassword)) : std::nullopt);
        if (!choice.error.isEmpty()) return fail(choice.error, choice.exitCode);
        const QString &root = choice.root;
        const std::optional<app::DataSetEntry> entry = choice.entry;

        OpenDataSet set;
        data::TDM1 &dm = set.dm();
        const data::OpenReport report = data::openDataSet(dm, root, entry->adresar.trimmed());
        if (!report.complete)
            return fail(QStringLiteral("Velorad ve složce %1 nelze otevřít: %2").arg(entry->adresar.trimmed(), report.error),
                        kExitFailed);

        transfer::openQueue(dm);
        transfer::TransferSession session(dm, root);
        const transfer::RunOutcome outcome =
            session.run(format.value_or(transfer::formatSetting(dm)), QDir::fromNativeSeparators(filePath), QString());
        if (!outcome.ok)
            return fail(outcome.error.isEmpty() ? QStringLiteral("Přenos příkazů do souboru byl přerušen.") : outcome.error,
                        kExitFailed);
        if (!outcome.warning.isEmpty()) {
            err << outcome.warning << '\n';
            err.flush();
        }
        if (a.has(kEmptyQueue)) transfer::emptyQueue(dm);
        out << outcome.rowsWritten << '\n';
        out.flush();
    } catch (const db::DbError &e) {
        return fail(e.message(), kExitFailed);
    }
    return kExitOk;
}

int exportQueue(const QStringList &args, Console &console) { return runExportCommand(args, console.out(), console.err()); }

} // namespace cli
