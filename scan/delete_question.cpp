#include "scan/delete_question.h"

#include "context/run_messages.h"
#include "platform/platform.h"

namespace zb {

int ConfirmDeleteFile(Platform& platform, const std::string& path) {
  if (platform.dialogs.Show(DeleteQuestion(path)) != Answer::kYes) return 0;
  platform.files.DeleteFile(path);
  return 1;
}

int ConfirmDeleteFileBelow(Platform& platform, const std::string& folder, const std::string& path) {
  if (platform.dialogs.Show(DeleteQuestion(path)) != Answer::kYes) return 0;
  platform.files.DeleteFileBelow(folder, path);
  return 1;
}

}  // namespace zb
