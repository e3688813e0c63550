#pragma once

namespace data {
class TDM1;
}

namespace app {

class TMainForm;

// Connects the main window to the chooser, the data location window and the windows of the
// commands that exist.
void wireMainWindow(TMainForm &window, data::TDM1 &dm);

// Start-up of the windowed program: splash, data module, main window, message loop.
int runProgram(int argc, char **argv);

} // namespace app
