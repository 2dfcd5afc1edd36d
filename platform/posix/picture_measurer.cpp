#include "platform/posix/picture_measurer.h"

#include <fcntl.h>
#include <unistd.h>

#include "picture/picture_measurement.h"
#include "platform/posix/descriptor_bytes.h"
#include "platform/posix/long_path.h"

namespace zb {
namespace {

// Opens non-blocking, so that a pipe named like a picture cannot stall the run.
int OpenPicture(DrivePaths& paths, const std::string& path) {
  return paths.Attempt(path, [](const std::string& host) {
    return OpenHostPath(host, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  });
}

// The picture file, opened at the first read.
class FileOpenedOnRead : public PictureBytes {
 public:
  FileOpenedOnRead(DrivePaths& paths, const std::string& path) : paths_(paths), path_(path) {}
  ~FileOpenedOnRead() override {
    if (fd_ >= 0) close(fd_);
  }
  FileOpenedOnRead(const FileOpenedOnRead&) = delete;
  FileOpenedOnRead& operator=(const FileOpenedOnRead&) = delete;

  std::size_t Read(std::uint64_t offset, std::span<unsigned char> buffer) override {
    if (fd_ == -2) fd_ = OpenPicture(paths_, path_);
    return fd_ < 0 ? 0 : DescriptorBytes(fd_).Read(offset, buffer);
  }

 private:
  DrivePaths& paths_;
  const std::string& path_;
  int fd_ = -2;  // not opened yet
};

}  // namespace

std::optional<PixelSize> PictureMeasurer::Measure(const std::string& path) {
  const int fd = OpenPicture(paths_, path);
  if (fd < 0) return std::nullopt;
  DescriptorBytes bytes(fd);
  const std::optional<PixelSize> size = MeasurePictureBytes(bytes);
  close(fd);
  return size;
}

std::optional<PixelSize> PictureMeasurer::Measure(const std::string& path,
                                                  std::span<const std::byte> head) {
  FileOpenedOnRead file(paths_, path);
  return MeasurePictureHead(head, file);
}

std::size_t PictureMeasurer::HeadBytes() const { return kPictureHeadBytes; }

}  // namespace zb
