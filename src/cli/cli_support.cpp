#include "cli_support.h"

#include <QDir>
#include <QFileInfo>
#include <QStringConverter>

namespace cli {

Console::Console(FILE *out, FILE *err) : m_out(out, QIODevice::WriteOnly), m_err(err, QIODevice::WriteOnly)
{
    m_out.setEncoding(QStringConverter::Utf8);
    m_err.setEncoding(QStringConverter::Utf8);
}

void Console::error(const QString &message)
{
    m_err << message << '\n';
    m_err.flush();
}

bool Arguments::parse(const QStringList &args, const QStringList &valueOptions, const QStringList &flags, QString *error)
{
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (optionsEnded || !a.startsWith(QLatin1String("--"))) {
            m_positional << a;
            continue;
        }
        if (a == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const int eq = a.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? a : a.left(eq);
        if (flags.contains(name)) {
            if (eq >= 0) {
                *error = QStringLiteral("Volba %1 nemá žádnou hodnotu.").arg(name);
                return false;
            }
            m_given << name;
            m_values << QString();
        } else if (valueOptions.contains(name)) {
            QString value;
            if (eq >= 0) {
                value = a.mid(eq + 1);
            } else if (i + 1 < args.size()) {
                value = args.at(++i);
            } else {
                *error = QStringLiteral("Volba %1 vyžaduje hodnotu.").arg(name);
                return false;
            }
            m_given << name;
            m_values << value;
        } else {
            *error = QStringLiteral("Neznámá volba: %1").arg(name);
            return false;
        }
    }
    return true;
}

QString Arguments::value(const QString &option) const
{
    const int i = m_given.lastIndexOf(option);
    return i < 0 ? QString() : m_values.at(i);
}

QString dataRootOption(const Arguments &args, Console &console)
{
    const QString root = args.value(QStringLiteral("--data-root"));
    if (root.trimmed().isEmpty()) {
        console.error(QStringLiteral("Chybí volba --data-root s adresářem s daty."));
        return {};
    }
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(root)).absoluteFilePath());
}

DataSetChoice chooseDataSet(const QString &rootText, const QString &folderName, const std::optional<QString> &password)
{
    DataSetChoice choice;
    auto refuse = [&choice](const QString &message) {
        choice.error = message;
        choice.exitCode = kExitFailed;
        return choice;
    };
    choice.root = QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(rootText)).absoluteFilePath());
    if (!QFileInfo(choice.root).isDir())
        return refuse(QStringLiteral("Adresář s daty %1 neexistuje.").arg(QDir::toNativeSeparators(choice.root)));
    app::DatasetRegistry registry(choice.root);
    if (!registry.exists())
        return refuse(QStringLiteral("V adresáři s daty %1 není seznam Velorad (Data.DB).").arg(QDir::toNativeSeparators(choice.root)));
    for (const app::DataSetEntry &e : registry.list())
        if (e.adresar.trimmed().compare(folderName, Qt::CaseInsensitive) == 0) choice.entry = e;
    if (!choice.entry || registry.folderPath(choice.entry->cislo).isEmpty())
        return refuse(QStringLiteral("Velorad ve složce %1 nejsou v seznamu Velorad (Data.DB).").arg(folderName));
    switch (registry.checkAccess(choice.entry->cislo)) {
    case app::DatasetRegistry::Access::Busy: return refuse(app::DatasetRegistry::busyMessage());
    case app::DatasetRegistry::Access::PasswordRequired:
        if (!password || !registry.checkPassword(choice.entry->cislo, *password))
            return refuse(app::DatasetRegistry::wrongPasswordMessage());
        break;
    case app::DatasetRegistry::Access::Free: break;
    }
    return choice;
}

} // namespace cli
