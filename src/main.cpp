// Velorad: payment orders for Czech banks. Entry point of the program and its headless subcommands.
#include "cli/cli.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

int main(int argc, char **argv)
{
    if (cli::isSubcommand(argc, argv)) {
        QCoreApplication app(argc, argv);
        return cli::run(argc, argv);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvidan"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Velorad"));
    window.statusBar()->showMessage(QStringLiteral("Velorad"));
    window.resize(800, 560);
    window.show();
    return app.exec();
}
