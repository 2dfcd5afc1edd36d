#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "platform/dialogs.h"

namespace zb {

// Message boxes on a terminal: the text goes to the error stream with its
// control characters made visible, and questions are answered y/n on the
// terminal, one whole line per answer. Without a terminal, at the end of
// input, or once a stop signal came (WakeFd readable), a question takes its
// default button.
class TerminalDialogs : public Dialogs {
 public:
  struct Settings {
    int in = 0;  // descriptor the answers are read from
    std::FILE* out = stderr;
    bool interactive = false;
    // --yes: every question but the crash-marker one.
    bool yesToAll = false;
    // --delete-crash-picture: Yes to the crash-marker question only.
    bool deleteCrashPicture = false;
    int wakeFd = -1;
  };

  explicit TerminalDialogs(const Settings& settings) : s_(settings) {}

  Answer Show(const MessageBox& box) override;
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;

 private:
  Answer Ask(const MessageBox& box);
  bool StopSignalled() const;
  // One whole line, however long; nothing at the end of input or on a stop signal.
  std::optional<std::string> ReadLine();

  Settings s_;
};

}  // namespace zb
