#pragma once

namespace cli {

// True when the command line asks for a headless subcommand (or for the list of them)
// rather than for the program's window. Needs no application object.
bool isSubcommand(int argc, char **argv);

// Runs the subcommand of the command line and returns the process exit status:
// 0 done, 1 the work failed, 2 the command line is wrong. Needs a QCoreApplication.
int run(int argc, char **argv);

} // namespace cli
