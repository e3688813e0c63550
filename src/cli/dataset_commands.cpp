#include "dataset_commands.h"

#include "cli_support.h"

#include "app/dataset_registry.h"
#include "platform/db/errors.h"

#include <QDir>
#include <QFileInfo>

namespace cli {

namespace {

const QStringList kDataRootOption{QStringLiteral("--data-root")};

} // namespace

int listDataSets(const QStringList &args, Console &console)
{
    Arguments a;
    QString error;
    if (!a.parse(args, kDataRootOption, {}, &error)) {
        console.error(error);
        return kExitUsage;
    }
    if (!a.positional().isEmpty()) {
        console.error(QStringLiteral("Nadbytečný argument: %1").arg(a.positional().first()));
        return kExitUsage;
    }
    const QString root = dataRootOption(a, console);
    if (root.isEmpty()) return kExitUsage;
    if (!QFileInfo(root).isDir()) {
        console.error(QStringLiteral("Adresář s daty %1 neexistuje.").arg(QDir::toNativeSeparators(root)));
        return kExitFailed;
    }
    app::DatasetRegistry registry(root);
    if (!registry.exists()) {
        console.error(QStringLiteral("V adresáři s daty %1 není seznam Velorad (Data.DB).").arg(QDir::toNativeSeparators(root)));
        return kExitFailed;
    }
    try {
        for (const app::DataSetEntry &e : registry.list())
            console.out() << e.cislo << '\t' << e.nazev << '\t' << e.adresar << '\n';
    } catch (const db::DbError &e) {
        console.out().flush();
        console.error(e.message());
        return kExitFailed;
    }
    console.out().flush();
    return kExitOk;
}

int newDataSet(const QStringList &args, Console &console)
{
    Arguments a;
    QString error;
    if (!a.parse(args, kDataRootOption, {}, &error)) {
        console.error(error);
        return kExitUsage;
    }
    const QString root = dataRootOption(a, console);
    if (root.isEmpty()) return kExitUsage;
    if (a.positional().isEmpty()) {
        console.error(QStringLiteral("Chybí název nových Velorad."));
        return kExitUsage;
    }
    if (a.positional().size() > 1) {
        console.error(QStringLiteral("Nadbytečný argument: %1 (název s mezerami dejte do uvozovek).").arg(a.positional().at(1)));
        return kExitUsage;
    }
    const QString name = a.positional().first();
    if (name.trimmed().isEmpty()) {
        console.error(QStringLiteral("Název nových Velorad nesmí být prázdný."));
        return kExitUsage;
    }
    if (name.size() > app::DatasetRegistry::kNameLength) {
        console.error(QStringLiteral("Název nových Velorad může mít nejvýše %1 znaků, zadaný jich má %2.")
                          .arg(app::DatasetRegistry::kNameLength)
                          .arg(name.size()));
        return kExitUsage;
    }
    if (!QDir().mkpath(root)) {
        console.error(QStringLiteral("Adresář s daty %1 nelze vytvořit.").arg(QDir::toNativeSeparators(root)));
        return kExitFailed;
    }
    try {
        app::DatasetRegistry registry(root);
        registry.ensure();
        console.out() << registry.createDataSet(name) << '\n';
    } catch (const db::DbError &e) {
        console.error(e.message());
        return kExitFailed;
    }
    console.out().flush();
    return kExitOk;
}

} // namespace cli
