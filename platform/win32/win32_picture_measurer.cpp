#include "platform/win32/win32_picture_measurer.h"

#include "picture/picture_measurement.h"
#include "platform/win32/win32_disk_file.h"

namespace zb {
namespace {

// The picture file, opened at the first read.
class FileOpenedOnRead : public PictureBytes {
 public:
  explicit FileOpenedOnRead(const std::string& path) : path_(path) {}

  std::size_t Read(std::uint64_t offset, std::span<unsigned char> buffer) override {
    if (!opened_) {
      file_ = OpenDiskFileForReading(path_);
      opened_ = true;
    }
    return file_ ? HandleBytes(file_.get()).Read(offset, buffer) : 0;
  }

 private:
  const std::string& path_;
  UniqueHandle file_;
  bool opened_ = false;
};

}  // namespace

std::optional<PixelSize> Win32PictureMeasurer::Measure(const std::string& path) {
  const UniqueHandle file = OpenDiskFileForReading(path);
  if (!file) return std::nullopt;
  HandleBytes bytes(file.get());
  return MeasurePictureBytes(bytes);
}

std::optional<PixelSize> Win32PictureMeasurer::Measure(const std::string& path,
                                                       std::span<const std::byte> head) {
  FileOpenedOnRead file(path);
  return MeasurePictureHead(head, file);
}

std::size_t Win32PictureMeasurer::HeadBytes() const { return kPictureHeadBytes; }

}  // namespace zb
