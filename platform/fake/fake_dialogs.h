#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace zb {

// Answers from a script, in order; with the script used up, a message box
// gets its default button and a file dialog is cancelled. Records all it shows.
class FakeDialogs : public Dialogs {
 public:
  Answer Show(const MessageBox& box) override;
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;

  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> chosenFiles;
  std::vector<MessageBox> shown;
  std::vector<OpenFileRequest> fileRequests;
};

}  // namespace zb
