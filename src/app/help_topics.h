#pragma once

#include <QString>
#include <vector>

namespace app {

// One topic of the program's help: its context number, title and text (simple HTML).
struct HelpTopic {
    int context;
    QString title;
    QString html;
};

// Every help topic, contents first (context 0).
const std::vector<HelpTopic> &helpTopics();
// The topic of a context number; the contents when there is none.
const HelpTopic &helpTopic(int context);

// Context numbers of the windows that have a topic of their own.
enum HelpContext : int {
    HelpContents = 0,
    HelpMainWindow = 1,
    HelpChooser = 2,
    HelpDataLocation = 3,
    HelpSettings = 46,
    HelpIssueDate = 47,
    HelpSameDates = 48,
    HelpOneAccount = 49,
    HelpPayerData = 50,
    HelpCompanyName = 51,
    HelpDateChoice = 55,
    HelpTransfer = 101,
};

} // namespace app
