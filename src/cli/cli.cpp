#include "cli.h"

#include "cli_support.h"
#include "dataset_commands.h"
#include "export_command.h"
#include "pdf_command.h"

#include <QString>
#include <QStringList>
#include <cstring>
#include <exception>

namespace cli {

namespace {

// One headless subcommand: its name, the arguments it takes, what it does, and its handler.
struct Subcommand {
    const char *name;
    const char *usage;     // the arguments after the name
    const char *summary;   // one line for the list of subcommands
    int (*handler)(const QStringList &args, Console &console);
};

// Every subcommand of the program; a new one is one more row.
const Subcommand kSubcommands[] = {
    {"list", "--data-root ADRESÁŘ",
     "vypíše Velorad v adresáři s daty, na každém řádku číslo, název a adresář oddělené tabulátorem",
     &listDataSets},
    {"new", "--data-root ADRESÁŘ NÁZEV",
     "vytvoří nové Velorad ze vzoru (adresář s daty připraví, je-li nový) a vypíše jejich adresář",
     &newDataSet},
    {"export",
     "--data-root ADRESÁŘ --dataset SLOŽKA --file SOUBOR [--format abo|txt] [--empty-queue] [--password HESLO]",
     "zapíše frontu elektronického přenosu příkazů do souboru pro banku a vypíše počet zapsaných příkazů; "
     "s --empty-queue frontu potom vyprázdní",
     &exportQueue},
    {"pdf", "--data-root ADRESÁŘ --dataset SLOŽKA --report SESTAVA --out SOUBOR [--password HESLO]",
     "vytiskne sestavu tiskového centra (1–3 a 5–7 příkazy, 9–13 seznamy) podle nastavení tisku Velorad "
     "do souboru PDF a vypíše počet stran",
     &pdfCommand},
};

bool isHelpWord(const char *arg)
{
    return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "help") == 0;
}

const Subcommand *findSubcommand(const QString &name)
{
    for (const Subcommand &s : kSubcommands)
        if (name == QLatin1String(s.name)) return &s;
    return nullptr;
}

QString usageOf(const Subcommand &s)
{
    return QStringLiteral("Orvidan %1 %2").arg(QLatin1String(s.name), QString::fromUtf8(s.usage));
}

void printHelp(Console &console)
{
    QTextStream &out = console.out();
    out << QStringLiteral("Orvidan – příkazy bez okna programu Velorad\n\n");
    out << QStringLiteral("Použití: Orvidan PŘÍKAZ [VOLBY] [ARGUMENTY]\n\nPříkazy:\n");
    for (const Subcommand &s : kSubcommands) {
        out << QStringLiteral("  ") << usageOf(s) << '\n';
        out << QStringLiteral("      ") << QString::fromUtf8(s.summary) << '\n';
    }
    out << QStringLiteral("\nOrvidan PŘÍKAZ --help vypíše nápovědu k jednomu příkazu.\n");
    out << QStringLiteral("Návratový kód: 0 hotovo, 1 chyba při práci, 2 chybně zadaný příkaz.\n");
    out << QStringLiteral("Bez příkazu se spustí okno programu.\n");
    out.flush();
}

void printSubcommandHelp(const Subcommand &s, Console &console)
{
    console.out() << QStringLiteral("Použití: ") << usageOf(s) << '\n' << QString::fromUtf8(s.summary) << '\n';
    console.out().flush();
}

} // namespace

bool isSubcommand(int argc, char **argv)
{
    if (argc < 2 || !argv[1]) return false;
    // Options of the window toolkit ("-platform offscreen", "-style ...") start the window.
    return isHelpWord(argv[1]) || argv[1][0] != '-';
}

int run(int argc, char **argv)
{
    Console console;
    if (argc < 2 || isHelpWord(argv[1])) {
        printHelp(console);
        return kExitOk;
    }
    const QString name = QString::fromLocal8Bit(argv[1]);
    const Subcommand *s = findSubcommand(name);
    if (!s) {
        console.error(QStringLiteral("Neznámý příkaz: %1\nSeznam příkazů vypíše: Orvidan --help").arg(name));
        return kExitUsage;
    }
    QStringList args;
    for (int i = 2; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        printSubcommandHelp(*s, console);
        return kExitOk;
    }
    try {
        return s->handler(args, console);
    } catch (const std::exception &e) {
        console.error(QStringLiteral("Příkaz %1 skončil chybou: %2").arg(name, QString::fromUtf8(e.what())));
        return kExitFailed;
    }
}

} // namespace cli
