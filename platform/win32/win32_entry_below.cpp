#include "platform/win32/win32_entry_below.h"

#include <string_view>

#include "platform/win32/long_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_entry.h"
#include "text/letter_case.h"

namespace zb {
namespace {

constexpr DWORD kKeepInPlace = FILE_SHARE_READ | FILE_SHARE_WRITE;

}  // namespace

std::optional<EntryBelow> EntryBelow::Find(const std::string& folder, const std::string& path) {
  const std::size_t start = folder.size() + (folder.ends_with('\\') ? 0 : 1);
  if (path.size() <= start || path[start - 1] != '\\' ||
      !SameNameIgnoringCase(std::string_view(path).substr(0, folder.size()), folder)) {
    return std::nullopt;
  }
  EntryBelow entry;
  entry.path_ = LongPathOf(folder);
  UniqueHandle top(CreateFileW(entry.path_.c_str(), FILE_READ_ATTRIBUTES, kKeepInPlace, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!top) return std::nullopt;
  entry.folders_.push_back(std::move(top));
  if (!entry.path_.ends_with(L'\\')) entry.path_ += L'\\';
  std::size_t from = start;
  for (std::size_t to; (to = path.find('\\', from)) != std::string::npos; from = to + 1) {
    const std::string_view step = std::string_view(path).substr(from, to - from);
    if (step.empty() || step == "." || step == "..") return std::nullopt;
    entry.path_ += WideFromUtf8(step);
    UniqueHandle next = OpenEntry(entry.path_, FILE_READ_ATTRIBUTES, kKeepInPlace);
    if (!next || KindOf(next.get(), entry.path_) != EntryKind::kFolder) return std::nullopt;
    entry.folders_.push_back(std::move(next));
    entry.path_ += L'\\';
  }
  const std::string_view name = std::string_view(path).substr(from);
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos) {
    return std::nullopt;
  }
  entry.path_ += WideFromUtf8(name);
  return entry;
}

}  // namespace zb
