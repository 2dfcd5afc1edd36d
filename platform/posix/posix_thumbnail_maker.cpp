#include "platform/posix/posix_thumbnail_maker.h"

#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "platform/posix/long_path.h"
#include "platform/posix/posix_thumbnail_helper_process.h"
#include "platform/posix/thumbnail_folder.h"
#include "platform/posix/thumbnailer_place.h"

namespace zb {
namespace {

// "_gazthumb" of one output folder, finding pictures by drive path.
class FolderStore : public ThumbnailStore {
 public:
  FolderStore(DrivePaths& paths, std::unique_ptr<ThumbnailFolder> folder)
      : paths_(paths), folder_(std::move(folder)) {}

  std::optional<Picture> Find(const std::string& picturePath, int side) override {
    std::optional<std::string> host = paths_.Resolve(picturePath);
    struct stat st {};
    if (!host || !StatHostPath(*host, st) || !S_ISREG(st.st_mode)) return std::nullopt;
    const std::string name = ThumbnailFileName(ThumbnailSourceOf(*host, st, side));
    ThumbnailFolder* folder = folder_.get();
    const ThumbnailFolder::Readers readers{st.st_mode, st.st_gid};
    return Picture{std::move(*host), name,
                   [folder, readers](const std::string& file, std::span<const std::uint8_t> bytes) {
                     return folder->Write(file, bytes, readers);
                   }};
  }
  bool Has(const std::string& name) const override { return folder_->Has(name); }
  void RemoveUnused(const std::unordered_set<std::string>& used) override {
    folder_->RemoveUnused(used);
  }

 private:
  DrivePaths& paths_;
  std::unique_ptr<ThumbnailFolder> folder_;
};

}  // namespace

std::string ThumbnailerProgram() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  const std::string self(path, static_cast<std::size_t>(n));
  const std::string folder = self.substr(0, self.rfind('/') + 1);
  for (const std::string& helper :
       {folder + kThumbnailerName, folder + kThumbnailerFromBinFolder + "/" + kThumbnailerName}) {
    if (access(helper.c_str(), X_OK) == 0) return helper;
  }
  return {};
}

PosixThumbnailMaker::PosixThumbnailMaker(DrivePaths& paths, std::string workerProgram,
                                         std::chrono::milliseconds answerTimeout)
    : HelperThumbnailMaker(
          [&paths](const std::string& outputFolder) -> std::unique_ptr<ThumbnailStore> {
            const std::optional<std::string> host = paths.Resolve(outputFolder);
            std::unique_ptr<ThumbnailFolder> folder = host ? ThumbnailFolder::Open(*host) : nullptr;
            if (!folder) return nullptr;
            return std::make_unique<FolderStore>(paths, std::move(folder));
          },
          std::make_unique<HelperProcessPool>(
              std::make_unique<PosixThumbnailHelperLauncher>(std::move(workerProgram)),
              std::thread::hardware_concurrency(), answerTimeout)) {}

ThumbnailSource ThumbnailSourceOf(std::string_view hostPath, const struct stat& st, int side) {
  const auto nanoseconds = [](const timespec& t) {
    return std::int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
  };
  return {hostPath, static_cast<std::uint64_t>(st.st_size), nanoseconds(st.st_mtim),
          side,     static_cast<std::uint64_t>(st.st_ino),  nanoseconds(st.st_ctim)};
}

}  // namespace zb
