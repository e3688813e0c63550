// Velorad: payment orders for Czech banks. Entry point of the program and its headless subcommands.
#include "app/startup_window.h"
#include "cli/cli.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    if (cli::isSubcommand(argc, argv)) {
        QCoreApplication app(argc, argv);
        return cli::run(argc, argv);
    }
    return app::runProgram(argc, argv);
}
