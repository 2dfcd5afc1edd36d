#include "window/folder_resolution.h"

#include <string_view>

#include "platform/file_system.h"
#include "text/letter_case.h"
#include "text/text_util.h"
#include "window/program.h"

namespace zb {
namespace {

void ShowInternalError(Program& program) {
  program.platform.dialogs.Show(
      {"エラーだよ。でもこんなの起こり得ないけど。txtOLEKensaku_OLEDragDrop", "", Buttons::kOk,
       Icon::kNone, Answer::kOk});
}

}  // namespace

int FindLastChar(const std::string& text, char ch) {
  for (std::size_t i = text.size(); i > 0; --i) {
    if (EqualsIgnoreCase(std::string_view(&text[i - 1], 1), std::string_view(&ch, 1))) {
      return static_cast<int>(i);
    }
  }
  return 0;
}

ResolvedFolder ResolveParentFolder(Program& program, const std::string& path) {
  const std::string parent = path.substr(0, static_cast<std::size_t>(FindLastChar(path, '\\')));
  auto attributes = parent.empty() ? std::nullopt : program.platform.files.GetAttributes(parent);
  if (!attributes) return {};
  if (!(*attributes & kAttrDirectory)) ShowInternalError(program);
  return {Resolution::kParentOfFile, parent};
}

ResolvedFolder ResolveFolder(Program& program, const std::string& path) {
  if (path.empty() || path[0] == '\\') return {};
  auto attributes = program.platform.files.GetAttributes(path);
  if (!attributes || !(*attributes & kAttrDirectory)) return ResolveParentFolder(program, path);
  std::string folder = path;
  while (EndsWith(folder, '\\')) folder.pop_back();
  return {Resolution::kFolder, folder};
}

}  // namespace zb
