// Velorad: payment orders for Czech banks. Entry point of the program and its headless subcommands.
#include "app/startup_window.h"
#include "cli/cli.h"

#include <QGuiApplication>
#include <cstdio>

namespace {
// Headless commands keep standard error for their own Czech messages: notices of Qt itself
// about the session environment (no runtime folder, no display) are dropped.
void headlessMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const bool qtNotice = (context.category && QByteArray(context.category).startsWith("qt.")) ||
                          text.startsWith(QLatin1String("QStandardPaths:"));
    if (qtNotice && type != QtFatalMsg) return;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}
} // namespace

int main(int argc, char **argv)
{
    if (cli::isSubcommand(argc, argv)) {
        // Subcommands need no display; reports still draw text, which needs the GUI part of Qt.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(headlessMessages);
        QGuiApplication app(argc, argv);
        return cli::run(argc, argv);
    }
    return app::runProgram(argc, argv);
}
