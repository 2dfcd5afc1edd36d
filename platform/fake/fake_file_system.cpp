#include "platform/fake/fake_file_system.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "platform/walk_ahead.h"
#include "text/letter_case.h"

namespace zb {
namespace {

struct DrivePath {
  char drive;                      // lower case
  std::vector<std::string> names;  // below the root, as given
};

// "C:\a\b", "c:\a\b\" and "C:\a\\b" are one path; anything without a drive is none.
std::optional<DrivePath> Parse(const std::string& path) {
  if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0]))) {
    return std::nullopt;
  }
  DrivePath parsed{LowerAscii(path[0]), {}};
  std::size_t start = 2;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) parsed.names.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parsed;
}

// The form two paths share when a look-up takes them as the same.
std::string Key(const std::string& path) {
  const std::optional<DrivePath> parsed = Parse(path);
  if (!parsed) return FoldedName(path);
  std::string key{parsed->drive, ':'};
  for (const std::string& name : parsed->names) key += "\\" + FoldedName(name);
  return key;
}

bool Admitted(const std::optional<std::uint32_t>& attributes, std::uint32_t mask) {
  if (!attributes) return true;
  for (const std::uint32_t bit : {kAttrHidden, kAttrSystem, kAttrDirectory}) {
    if ((*attributes & bit) && !(mask & bit)) return false;
  }
  return true;
}

}  // namespace

struct FakeFileSystem::File {
  std::string bytes;
  std::vector<std::string> lines;
};

// A folder entry. One with neither folder nor file is unreadable when it has
// no attributes (a dangling link), else something special (a pipe, a device).
struct FakeFileSystem::Entry {
  std::string name;
  std::optional<std::uint32_t> attributes;
  Folder* folder = nullptr;
  std::shared_ptr<File> file;
  bool link = false;

  static Entry ForFolder(Folder& folder, std::uint32_t attributes) {
    Entry entry;
    entry.attributes = attributes;
    entry.folder = &folder;
    return entry;
  }
  static Entry ForFile(std::string bytes, std::uint32_t attributes) {
    Entry entry;
    entry.attributes = attributes;
    entry.file = std::make_shared<File>();
    entry.file->bytes = std::move(bytes);
    return entry;
  }
};

struct FakeFileSystem::Folder {
  FolderId id;
  std::vector<Entry> entries;

  Entry* Find(std::string_view name) {
    for (Entry& entry : entries) {
      if (SameNameIgnoringCase(entry.name, name)) return &entry;
    }
    return nullptr;
  }
};

class FakeFileSystem::Listing : public FolderListing {
 public:
  Listing(FakeFileSystem& files, std::string folder, std::vector<FolderEntry> entries, FolderId id)
      : files_(files), folder_(std::move(folder)), entries_(std::move(entries)), id_(id) {}

  bool Next(FolderEntry& entry) override {
    if (files_.Fails(FakeOperation::kNext, folder_) || next_ == entries_.size()) return false;
    entry = entries_[next_++];
    return true;
  }
  FolderId Id() const override { return id_; }

 private:
  FakeFileSystem& files_;
  std::string folder_;
  std::vector<FolderEntry> entries_;
  std::size_t next_ = 0;
  FolderId id_;
};

class FakeFileSystem::Lock : public FolderLock {
 public:
  Lock(std::set<std::string>& locked, std::string key) : locked_(locked), key_(std::move(key)) {
    locked_.insert(key_);
  }
  ~Lock() override { locked_.erase(key_); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  std::set<std::string>& locked_;
  std::string key_;
};

// A new file is written at its name; a replacement of an existing file is
// written aside and takes the name only when closed whole, as on the host.
class FakeFileSystem::Text : public TextFile {
 public:
  Text(FakeFileSystem& files, std::string path, std::shared_ptr<File> name,
       std::shared_ptr<File> file)
      : files_(files), path_(std::move(path)), name_(std::move(name)), file_(std::move(file)) {}
  ~Text() override {
    if (open_) --files_.openFiles_;
  }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;

  void WriteLine(std::string_view utf8) override {
    if (!open_) throw FileError("written after close: " + path_);
    if (lostLine_ || files_.Fails(FakeOperation::kWriteLine, path_)) {
      lostLine_ = true;
      throw FileError("cannot write " + path_);
    }
    file_->lines.emplace_back(utf8);
    file_->bytes.append(utf8).append("\r\n");
  }

  void Close() override {
    if (!open_) throw FileError("closed twice: " + path_);
    open_ = false;
    --files_.openFiles_;
    if (files_.Fails(FakeOperation::kClose, path_)) throw FileError("cannot close " + path_);
    if (lostLine_) throw FileError("lines were lost: " + path_);
    if (name_ != file_) *name_ = std::move(*file_);
  }

 private:
  FakeFileSystem& files_;
  std::string path_;
  std::shared_ptr<File> name_;  // what the name holds
  std::shared_ptr<File> file_;  // what is written
  bool open_ = true;
  bool lostLine_ = false;
};

FakeFileSystem::FakeFileSystem() { drives_['c'] = &NewFolder(); }

FakeFileSystem::~FakeFileSystem() = default;

void FakeFileSystem::AddFolder(const std::string& path, std::uint32_t attributes) {
  const std::optional<DrivePath> parsed = Parse(path);
  if (parsed && parsed->names.empty()) {  // a drive
    if (!drives_.contains(parsed->drive)) drives_[parsed->drive] = &NewFolder();
  } else if (Entry* existing = FindEntry(path); existing && existing->folder) {
    existing->attributes = attributes;
  } else {
    AddEntry(path, Entry::ForFolder(NewFolder(), attributes));
  }
}

void FakeFileSystem::AddFile(const std::string& path, std::string bytes, std::uint32_t attributes) {
  AddEntry(path, Entry::ForFile(std::move(bytes), attributes));
}

void FakeFileSystem::AddUnreadable(const std::string& path) { AddEntry(path, Entry{}); }

void FakeFileSystem::AddFolderLink(const std::string& path, const std::string& target) {
  Folder* folder = FindFolder(target);
  if (!folder) throw std::invalid_argument("no folder " + target);
  AddEntry(path, Entry::ForFolder(*folder, kAttrDirectory)).link = true;
}

void FakeFileSystem::AddSpecial(const std::string& path) {
  Entry special;
  special.attributes = 0;
  AddEntry(path, std::move(special));
}

bool FakeFileSystem::Exists(const std::string& path) const {
  return FindEntry(path) != nullptr || FindFolder(path) != nullptr;
}

std::vector<std::string> FakeFileSystem::Lines(const std::string& path) const {
  return FileAt(path).lines;
}

std::string FakeFileSystem::Bytes(const std::string& path) const { return FileAt(path).bytes; }

void FakeFileSystem::FailAt(FakeOperation op, const std::string& path) {
  failures_.emplace_back(op, Key(path));
}

std::unique_ptr<FolderListing> FakeFileSystem::ListFolder(const std::string& folder,
                                                          std::uint32_t mask) {
  if (Fails(FakeOperation::kList, folder)) return nullptr;
  const Folder* listed = FindFolder(folder);
  if (!listed) return nullptr;
  std::vector<FolderEntry> entries;
  for (const char* dots : {".", ".."}) {
    if (Admitted(kAttrDirectory, mask)) entries.push_back({dots, kAttrDirectory});
  }
  for (const Entry& entry : listed->entries) {
    if (Admitted(entry.attributes, mask)) entries.push_back({entry.name, entry.attributes});
  }
  return std::make_unique<Listing>(*this, folder, std::move(entries), listed->id);
}

std::optional<std::uint32_t> FakeFileSystem::GetAttributes(const std::string& path) {
  if (Fails(FakeOperation::kAttributes, path)) return std::nullopt;
  if (const Entry* entry = FindEntry(path)) return entry->attributes;
  if (FindFolder(path)) return kAttrDirectory;  // a drive's root
  return std::nullopt;
}

void FakeFileSystem::MakeFolder(const std::string& path) {
  if (Fails(FakeOperation::kMakeFolder, path)) throw FileError("cannot make " + path);
  if (!FindParent(path) || Exists(path)) throw FileError("cannot make " + path);
  AddEntry(path, Entry::ForFolder(NewFolder(), kAttrDirectory));
}

void FakeFileSystem::DeleteFile(const std::string& path) {
  if (Fails(FakeOperation::kDelete, path)) throw FileError("cannot delete " + path);
  const Entry* entry = FindEntry(path);
  if (!entry || !entry->file || (*entry->attributes & kAttrReadOnly)) {
    throw FileError("cannot delete " + path);
  }
  std::vector<Entry>& siblings = FindParent(path)->entries;
  siblings.erase(siblings.begin() + (entry - siblings.data()));
  deleted_.push_back(path);
}

bool FakeFileSystem::IsPlainFileBelow(const std::string& folder, const std::string& path) {
  const std::optional<DrivePath> top = Parse(folder);
  const std::optional<DrivePath> below = Parse(path);
  if (!top || !below || below->drive != top->drive || below->names.size() <= top->names.size()) {
    return false;
  }
  for (std::size_t i = 0; i < top->names.size(); ++i) {
    if (!SameNameIgnoringCase(top->names[i], below->names[i])) return false;
  }
  Folder* at = FindFolder(folder);
  for (std::size_t i = top->names.size(); at && i + 1 < below->names.size(); ++i) {
    const Entry* step = at->Find(below->names[i]);
    at = step && !step->link ? step->folder : nullptr;
  }
  const Entry* entry = at ? at->Find(below->names.back()) : nullptr;
  return entry && entry->file;
}

void FakeFileSystem::DeleteFileBelow(const std::string& folder, const std::string& path) {
  if (!IsPlainFileBelow(folder, path)) throw NotAPlainFileError(path);
  DeleteFile(path);
}

void FakeFileSystem::MakeUnlockable(const std::string& folder) {
  unlockableFolders_.insert(Key(folder));
}

std::unique_ptr<FolderLock> FakeFileSystem::LockFolder(const std::string& folder) {
  std::string key = Key(folder);
  if (unlockableFolders_.contains(key)) throw FolderLockError(folder);
  if (lockedFolders_.contains(key)) return nullptr;
  return std::make_unique<Lock>(lockedFolders_, std::move(key));
}

int FakeFileSystem::DeleteOwnTextFiles(const std::string& folder,
                                       const std::function<bool(std::string_view)>& picks,
                                       std::string_view firstLine) {
  Folder* at = FindFolder(folder);
  if (!at) return 0;
  const std::string head = std::string(firstLine) + "\r\n";
  const std::string prefix = folder.ends_with('\\') ? folder : folder + '\\';
  const std::size_t before = deleted_.size();
  std::erase_if(at->entries, [&](const Entry& entry) {
    const bool own = entry.file && picks(entry.name) && entry.file->bytes.starts_with(head);
    if (own) deleted_.push_back(prefix + entry.name);
    return own;
  });
  return static_cast<int>(deleted_.size() - before);
}

std::unique_ptr<TextFile> FakeFileSystem::CreateTextFile(const std::string& path) {
  if (Fails(FakeOperation::kCreate, path) || !FindParent(path)) {
    throw FileError("cannot create " + path);
  }
  std::shared_ptr<File> name;
  std::shared_ptr<File> file;
  if (const Entry* existing = FindEntry(path)) {
    if (!existing->file) throw NotAPlainFileError(path);
    if (*existing->attributes & kAttrReadOnly) throw FileError("cannot create " + path);
    name = existing->file;
    file = std::make_shared<File>();
  } else {
    name = file = AddEntry(path, Entry::ForFile({}, 0)).file;
  }
  ++openFiles_;
  return std::make_unique<Text>(*this, path, std::move(name), std::move(file));
}

std::size_t FakeFileSystem::ReadAt(const std::string& path, std::uint64_t offset,
                                   std::span<std::byte> buffer) {
  if (Fails(FakeOperation::kRead, path)) throw FileError("cannot read " + path);
  const Entry* entry = FindEntry(path);
  if (!entry || !entry->file) throw FileError("cannot read " + path);
  const std::string& bytes = entry->file->bytes;
  if (offset >= bytes.size()) return 0;
  const std::size_t count = std::min<std::size_t>(buffer.size(), bytes.size() - offset);
  std::memcpy(buffer.data(), bytes.data() + offset, count);
  return count;
}

std::string FakeFileSystem::FileUrl(const std::string& path) {
  std::string url = "file:///fake/";
  for (const char c : path) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      url += '/';
    } else if (std::isalnum(byte) || std::strchr("-._~/:", c)) {
      url += c;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", byte);
      url += hex;
    }
  }
  return url;
}

class FakeFileSystem::ReadAhead : public WalkAhead {
 public:
  ReadAhead(FakeFileSystem& files, WalkPlan plan) : files_(files), plan_(std::move(plan)) {}

  std::unique_ptr<FolderListing> ListFolder(const std::string& folder) override {
    std::unique_ptr<FolderListing> inner = files_.ListFolder(folder, plan_.mask);
    if (!inner) return nullptr;
    return std::make_unique<WithHeads>(*this, folder, std::move(inner));
  }

 private:
  class WithHeads : public FolderListing {
   public:
    WithHeads(ReadAhead& owner, std::string folder, std::unique_ptr<FolderListing> inner)
        : owner_(owner), folder_(std::move(folder)), inner_(std::move(inner)) {}

    bool Next(FolderEntry& entry) override {
      head_.reset();
      if (!inner_->Next(entry)) return false;
      if (!entry.attributes || (*entry.attributes & kAttrDirectory) ||
          owner_.plan_.headBytesOf(entry.name) == 0) {
        return true;
      }
      const std::string path = folder_ + entry.name;
      FakeFileSystem& files = owner_.files_;
      const Entry* found = files.FindEntry(path);
      if (files.FailsAt(FakeOperation::kRead, path) || !found || !found->file) return true;
      bytes_ = found->file->bytes.substr(
          0, std::min(owner_.plan_.headBytesOf(entry.name), owner_.plan_.headBytes));
      head_ = std::as_bytes(std::span(bytes_));
      ++files.headsGiven;
      return true;
    }
    FolderId Id() const override { return inner_->Id(); }
    std::optional<std::span<const std::byte>> Head() const override { return head_; }

   private:
    ReadAhead& owner_;
    std::string folder_;
    std::unique_ptr<FolderListing> inner_;
    std::string bytes_;
    std::optional<std::span<const std::byte>> head_;
  };

  FakeFileSystem& files_;
  WalkPlan plan_;
};

std::unique_ptr<WalkAhead> FakeFileSystem::StartWalkAhead(WalkPlan plan) {
  if (!readAhead) return nullptr;
  return std::make_unique<ReadAhead>(*this, std::move(plan));
}

bool FakeFileSystem::Fails(FakeOperation op, const std::string& path) {
  ++operations_;
  return operations_ == failingOperation_ || FailsAt(op, path);
}

bool FakeFileSystem::FailsAt(FakeOperation op, const std::string& path) const {
  const std::string key = Key(path);
  return std::any_of(failures_.begin(), failures_.end(), [&](const auto& failure) {
    return failure.first == op && failure.second == key;
  });
}

FakeFileSystem::Folder& FakeFileSystem::NewFolder() {
  folders_.push_back(std::make_unique<Folder>());
  folders_.back()->id = FolderId{1, folders_.size()};
  return *folders_.back();
}

std::string FakeFileSystem::SpelledAsOnDisk(const std::string& path) {
  const std::optional<DrivePath> parsed = Parse(path);
  if (!parsed) return path;
  std::string spelled = path.substr(0, 2);
  const auto root = drives_.find(parsed->drive);
  Folder* folder = root == drives_.end() ? nullptr : root->second;
  for (const std::string& name : parsed->names) {
    const Entry* entry = folder ? folder->Find(name) : nullptr;
    spelled += "\\" + (entry ? entry->name : name);
    folder = entry ? entry->folder : nullptr;
  }
  if (parsed->names.empty() || path.ends_with('\\')) spelled += '\\';
  return spelled;
}

FakeFileSystem::Folder* FakeFileSystem::FindFolder(const std::string& path) const {
  const std::optional<DrivePath> parsed = Parse(path);
  return parsed ? WalkDown(parsed->drive, parsed->names, parsed->names.size()) : nullptr;
}

FakeFileSystem::Folder* FakeFileSystem::FindParent(const std::string& path) const {
  const std::optional<DrivePath> parsed = Parse(path);
  if (!parsed || parsed->names.empty()) return nullptr;
  return WalkDown(parsed->drive, parsed->names, parsed->names.size() - 1);
}

FakeFileSystem::Entry* FakeFileSystem::FindEntry(const std::string& path) const {
  Folder* parent = FindParent(path);
  return parent ? parent->Find(Parse(path)->names.back()) : nullptr;
}

FakeFileSystem::Folder* FakeFileSystem::WalkDown(char drive, const std::vector<std::string>& names,
                                                 std::size_t depth) const {
  const auto root = drives_.find(drive);
  if (root == drives_.end()) return nullptr;
  Folder* folder = root->second;
  for (std::size_t i = 0; i < depth; ++i) {
    const Entry* entry = folder->Find(names[i]);
    if (!entry || !entry->folder) return nullptr;
    folder = entry->folder;
  }
  return folder;
}

FakeFileSystem::Entry& FakeFileSystem::AddEntry(const std::string& path, Entry entry) {
  const std::optional<DrivePath> parsed = Parse(path);
  if (!parsed || parsed->names.empty()) throw std::invalid_argument("cannot add " + path);
  if (!drives_.contains(parsed->drive)) drives_[parsed->drive] = &NewFolder();
  Folder* parent = drives_[parsed->drive];
  for (std::size_t i = 0; i + 1 < parsed->names.size(); ++i) {
    Entry* above = parent->Find(parsed->names[i]);
    if (!above) {
      parent->entries.push_back(Entry::ForFolder(NewFolder(), kAttrDirectory));
      above = &parent->entries.back();
      above->name = parsed->names[i];
    }
    if (!above->folder) throw std::invalid_argument("cannot add " + path);
    parent = above->folder;
  }
  if (parent->Find(parsed->names.back())) throw std::invalid_argument("cannot add " + path);
  entry.name = parsed->names.back();
  parent->entries.push_back(std::move(entry));
  return parent->entries.back();
}

const FakeFileSystem::File& FakeFileSystem::FileAt(const std::string& path) const {
  const Entry* entry = FindEntry(path);
  if (!entry || !entry->file) throw std::invalid_argument("no file " + path);
  return *entry->file;
}

}  // namespace zb
