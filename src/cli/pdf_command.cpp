#include "pdf_command.h"

#include "cli_support.h"

#include "app/dataset_registry.h"
#include "data/data_module.h"
#include "data/open_dataset.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/db/errors.h"
#include "platform/ini/ini_file.h"
#include "platform/report/pdf_writer.h"
#include "platform/report/report_fonts.h"
#include "print/print_settings.h"
#include "print/report_preparation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <optional>

namespace cli {

namespace {

const QString kReport = QStringLiteral("--report");
const QString kOut = QStringLiteral("--out");

// The data set open as the print centre has it: rules attached, the print centre marked open
// (so the date checks of Mtt run) and its messages collected; everything undone at the end.
class PrintCentreSession {
public:
    PrintCentreSession()
    {
        data::ProgramState &ps = data::program();
        m_savedInformation = ps.showInformation;
        m_savedError = ps.showError;
        m_wasOpen = ps.isOpen(data::WindowId::PrintCentre);
        ps.showInformation = [this](const QString &t) { messages << t; };
        ps.showError = [this](const QString &t) { messages << t; };
        ps.setWindowOpen(data::WindowId::PrintCentre, true);
        data::installTableRules(m_dm);
    }
    ~PrintCentreSession()
    {
        m_dm.closeDataSet();
        data::ProgramState &ps = data::program();
        ps.setWindowOpen(data::WindowId::PrintCentre, m_wasOpen);
        ps.showInformation = m_savedInformation;
        ps.showError = m_savedError;
    }
    data::TDM1 &dm() { return m_dm; }
    QStringList messages;

private:
    data::TDM1 m_dm;
    std::function<void(const QString &)> m_savedInformation, m_savedError;
    bool m_wasOpen = false;
};

// The program-wide font family choice: "TypPisma" of the program INI beside the program.
bool ceFontsChosen()
{
    ini::IniFile programIni(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Orvidan.ini")));
    programIni.load();
    return programIni.integer(QStringLiteral("Orvidan"), QStringLiteral("TypPisma"), 0) == 1;
}

} // namespace

int runPdfCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    auto fail = [&err](const QString &message, int status) {
        err << message << '\n';
        err.flush();
        return status;
    };
    Arguments a;
    QString error;
    if (!a.parse(args, {kDataRoot, kDataSet, kReport, kOut, kPassword}, {}, &error)) return fail(error, kExitUsage);
    if (!a.positional().isEmpty()) return fail(QStringLiteral("Nadbytečný argument: %1").arg(a.positional().first()), kExitUsage);
    const QString rootText = a.value(kDataRoot);
    if (rootText.trimmed().isEmpty()) return fail(QStringLiteral("Chybí volba --data-root s adresářem s daty."), kExitUsage);
    const QString folderName = a.value(kDataSet).trimmed();
    if (folderName.isEmpty()) return fail(QStringLiteral("Chybí volba --dataset se složkou Velorad (např. D1)."), kExitUsage);
    bool numberOk = false;
    const int node = a.value(kReport).trimmed().toInt(&numberOk);
    if (!numberOk || !print::isReportNode(node))
        return fail(QStringLiteral("Volba --report musí být číslo sestavy 1–3, 5–7 nebo 9–13, ne „%1“.").arg(a.value(kReport)),
                    kExitUsage);
    const QString outPath = a.value(kOut);
    if (outPath.trimmed().isEmpty()) return fail(QStringLiteral("Chybí volba --out se souborem PDF."), kExitUsage);
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return fail(QStringLiteral("Příkaz pdf potřebuje grafickou část programu (QGuiApplication)."), kExitFailed);

    try {
        const DataSetChoice choice =
            chooseDataSet(rootText, folderName, a.has(kPassword) ? std::optional<QString>(a.value(kPassword)) : std::nullopt);
        if (!choice.error.isEmpty()) return fail(choice.error, choice.exitCode);
        const QString &root = choice.root;
        const std::optional<app::DataSetEntry> entry = choice.entry;

        const QString folder = entry->adresar.trimmed();
        PrintCentreSession session;
        data::TDM1 &dm = session.dm();
        const data::OpenReport report = data::openDataSet(dm, root, folder);
        if (!report.complete)
            return fail(QStringLiteral("Velorad ve složce %1 nelze otevřít: %2").arg(folder, report.error), kExitFailed);
        // The date checks of the print run, as the print centre makes them before each report.
        if (!print::postPrintRunSettings(dm)) {
            const QString message = session.messages.isEmpty() ? QStringLiteral("Zadejte datum - Velorad") : session.messages.last();
            return fail(message, kExitFailed);
        }

        if (print::isOrderNode(node) && print::printRunCount(dm) == 0)
            return fail(QStringLiteral("Ve výběru není žádný příkaz."), kExitFailed);

        print::IniSettingsStore ini(print::dataSetIniPath(root, folder));
        print::PrintSettings settings = print::loadPrintSettings(ini);
        settings.ceFonts = ceFontsChosen();
        report::registerReportFonts();
        const print::PrintOutput output =
            print::printNode(dm, node, print::PrintOptions::fromSettings(settings, print::loadOrderPicture(settings)));
        if (!report::writePdf(output.document, QDir::fromNativeSeparators(outPath), &error)) return fail(error, kExitFailed);
        out << output.document.pageCount() << '\n';
        out.flush();
    } catch (const db::DbError &e) {
        return fail(e.message(), kExitFailed);
    }
    return kExitOk;
}

int pdfCommand(const QStringList &args, Console &console) { return runPdfCommand(args, console.out(), console.err()); }

} // namespace cli
