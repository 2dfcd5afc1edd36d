#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/unique_handle.h"
#include "thumbnail/thumbnail_names.h"
#include "thumbnail/thumbnail_store.h"

namespace zb {

// "_gazthumb" of one output folder, held open from the moment it was checked
// and without leave to delete, so that it cannot be renamed or replaced
// while the run writes into it. Only a real folder (no reparse point) that
// is empty or carries our mark is taken; a new one gets the mark. Files take
// the folder's inherited access, as the rest of the output does.
class Win32ThumbnailStore : public ThumbnailStore {
 public:
  // outputFolder: a drive path. Null when refused.
  static std::unique_ptr<Win32ThumbnailStore> Open(const std::string& outputFolder);

  std::optional<Picture> Find(const std::string& picturePath, int side) override;
  // A file of that name is there and is no reparse point.
  bool Has(const std::string& name) const override;
  void RemoveUnused(const std::unordered_set<std::string>& used) override;

  // Writes a temporary file of our own and moves it over `name`; false on
  // any failure, leaving nothing behind. Safe from several threads.
  bool Write(const std::string& name, std::span<const std::uint8_t> bytes);

 private:
  Win32ThumbnailStore(std::wstring folder, UniqueHandle held)
      : folder_(std::move(folder)), held_(std::move(held)) {}
  std::wstring PathOf(std::string_view name) const;

  const std::wstring folder_;  // long form, ending in a backslash
  const UniqueHandle held_;
};

// What names the thumbnail of the regular file at the drive path
// `picturePath` (links followed): the identity the system gives an open
// file (volume serial and file index), its size, last-write and change
// times. Empty for a folder or anything that cannot be opened.
std::optional<ThumbnailSource> ThumbnailSourceOfFile(std::string_view picturePath, int side);

}  // namespace zb
