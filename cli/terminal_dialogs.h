#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"
#include "platform/terminal.h"

namespace zb {

// Message boxes on a terminal: the text goes to the error stream with its
// control characters made visible, and questions are answered y/n on the
// terminal, one whole line per answer. Without a terminal, at the end of
// input, or once a stop was signalled, a question takes its default button.
class TerminalDialogs : public Dialogs {
 public:
  struct Settings {
    Terminal& terminal;  // where the questions go and the answers come from
    bool interactive = false;
    // --yes: every question but the crash-marker one.
    bool yesToAll = false;
    // --delete-crash-picture: Yes to the crash-marker question only.
    bool deleteCrashPicture = false;
  };

  explicit TerminalDialogs(const Settings& settings) : s_(settings) {}

  Answer Show(const MessageBox& box) override;
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;

 private:
  Answer Ask(const MessageBox& box);
  void Say(std::string_view text);
  // One whole line, however long; nothing at the end of input or on a stop signal.
  std::optional<std::string> ReadAnswer();

  Settings s_;
};

}  // namespace zb
