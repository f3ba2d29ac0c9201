#pragma once
// memvault-cli's own words. The flows it runs are the window's, and their
// messages speak of buttons to click, the messages window and the table; on
// the command line nobody clicks, the lines above are the messages and the
// memory set is a file. Every line the tool prints passes through here.
#include <QString>

namespace mv::cli {

// `text` with line ends as "\n" and each window phrase in the command line's
// words.
QString CliWording(const QString &text);

}  // namespace mv::cli
