#include "platform/fake/fake_dialogs.h"

namespace zb {

Answer FakeDialogs::Show(const MessageBox& box) {
  shown.push_back(box);
  if (answers.empty()) return box.defaultButton;
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::string> FakeDialogs::OpenFile(const OpenFileRequest& request) {
  fileRequests.push_back(request);
  if (chosenFiles.empty()) return std::nullopt;
  std::optional<std::string> chosen = chosenFiles.front();
  chosenFiles.pop_front();
  return chosen;
}

}  // namespace zb
