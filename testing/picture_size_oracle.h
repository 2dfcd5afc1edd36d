#pragma once

// The codec libraries' own header readers, as picture/ called them before
// it read headers itself: the answers its readers must give on every input.

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
#include <stb_image.h>
#include <webp/decode.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "decoding/jpeg_error_trap.h"
#include "picture/classic_format_header.h"
#include "picture/exif_orientation.h"
#include "picture/jpeg_header_reader.h"
#include "picture/picture_bytes.h"
#include "picture/pixel_size.h"
#include "picture/webp_header_reader.h"

namespace zb::oracle {

// libjpeg fed through a source with picture/'s budgets: 4 MiB read in
// buffer loads, 1024 segments passed over unread.
struct BoundedSource {
  jpeg_source_mgr manager;  // first: libjpeg hands back its address
  PictureBytes* bytes;
  std::span<unsigned char> buffer;
  std::uint64_t next;
  std::size_t bytesLeft;
  int segmentsLeft;

  static void NoOp(j_decompress_ptr) {}

  static boolean Fill(j_decompress_ptr info) {
    auto* source = reinterpret_cast<BoundedSource*>(info->src);
    const std::size_t wanted = std::min(source->buffer.size(), source->bytesLeft);
    const std::size_t n =
        wanted == 0 ? 0 : source->bytes->Read(source->next, source->buffer.first(wanted));
    if (n == 0) ERREXIT(info, JERR_INPUT_EOF);
    source->next += n;
    source->bytesLeft -= n;
    source->manager.next_input_byte = source->buffer.data();
    source->manager.bytes_in_buffer = n;
    return TRUE;
  }

  static void Skip(j_decompress_ptr info, long count) {
    auto* source = reinterpret_cast<BoundedSource*>(info->src);
    if (count <= 0) return;
    if (--source->segmentsLeft < 0) ERREXIT(info, JERR_INPUT_EOF);
    const auto wanted = static_cast<std::size_t>(count);
    if (wanted <= source->manager.bytes_in_buffer) {
      source->manager.next_input_byte += wanted;
      source->manager.bytes_in_buffer -= wanted;
      return;
    }
    source->next += wanted - source->manager.bytes_in_buffer;
    source->manager.bytes_in_buffer = 0;
  }
};

struct JpegReader {
  jpeg_decompress_struct info;
  JpegErrorTrap errors;
  BoundedSource source;
};

// Holds no C++ object that needs destroying: an error jumps back into it.
inline bool ReadJpegHeader(JpegReader* reader, PixelSize* size) {
  if (setjmp(reader->errors.jump) != 0) {
    jpeg_destroy_decompress(&reader->info);
    return false;
  }
  jpeg_create_decompress(&reader->info);
  reader->info.src = &reader->source.manager;
  jpeg_save_markers(&reader->info, JPEG_APP0 + 1, 8 * 1024);
  jpeg_read_header(&reader->info, TRUE);
  size->width = reader->info.image_width;
  size->height = reader->info.image_height;
  int orientation = 1;
  for (jpeg_saved_marker_ptr m = reader->info.marker_list; m != nullptr && orientation == 1;
       m = m->next) {
    orientation = ExifOrientation({m->data, m->data_length});
  }
  if (TurnsAQuarter(orientation)) std::swap(size->width, size->height);
  jpeg_destroy_decompress(&reader->info);
  return true;
}

inline std::optional<PixelSize> JpegSize(PictureBytes& bytes, std::span<const unsigned char> first,
                                         std::span<unsigned char> buffer) {
  JpegReader reader{};
  reader.info.err = reader.errors.Arm();
  jpeg_source_mgr& source = reader.source.manager;
  source.init_source = BoundedSource::NoOp;
  source.fill_input_buffer = BoundedSource::Fill;
  source.skip_input_data = BoundedSource::Skip;
  source.resync_to_restart = jpeg_resync_to_restart;
  source.term_source = BoundedSource::NoOp;
  source.next_input_byte = first.data();
  source.bytes_in_buffer = first.size();
  reader.source.bytes = &bytes;
  reader.source.buffer = buffer;
  reader.source.next = first.size();
  const std::size_t budget = std::size_t{4} << 20;
  reader.source.bytesLeft = budget - std::min(first.size(), budget);
  reader.source.segmentsLeft = 1024;
  PixelSize size;
  if (!ReadJpegHeader(&reader, &size)) return std::nullopt;
  return size;
}

// Called only for "RIFF....WEBP".
inline std::optional<PixelSize> WebpSize(const unsigned char* data, std::size_t length) {
  int width = 0;
  int height = 0;
  if (!WebPGetInfo(data, length, &width, &height) || width <= 0 || height <= 0) {
    return std::nullopt;
  }
  return PixelSize{static_cast<unsigned>(width), static_cast<unsigned>(height)};
}

// Called only for the formats with a signature: stb_image's TGA reader has
// none and would size plain garbage.
inline std::optional<PixelSize> ClassicFormatSize(std::span<const unsigned char> head) {
  const auto starts = [&](std::string_view signature) {
    return head.size() >= signature.size() &&
           std::memcmp(head.data(), signature.data(), signature.size()) == 0;
  };
  if (!(starts("BM") || starts("GIF87a") || starts("GIF89a") || starts("\x89PNG\r\n\x1a\n"))) {
    return std::nullopt;
  }
  int width = 0;
  int height = 0;
  int components = 0;
  if (!stbi_info_from_memory(head.data(), static_cast<int>(head.size()), &width, &height,
                             &components)) {
    return std::nullopt;
  }
  if (starts("BM") && height < 0 && height != INT_MIN) height = -height;
  if (width <= 0 || height <= 0) return std::nullopt;
  return PixelSize{static_cast<unsigned>(width), static_cast<unsigned>(height)};
}

class MemoryBytes : public PictureBytes {
 public:
  explicit MemoryBytes(std::span<const unsigned char> data) : data_(data) {}
  std::size_t Read(std::uint64_t offset, std::span<unsigned char> buffer) override {
    if (offset >= data_.size()) return 0;
    const std::size_t n = std::min<std::uint64_t>(buffer.size(), data_.size() - offset);
    std::memcpy(buffer.data(), data_.data() + offset, n);
    return n;
  }

 private:
  std::span<const unsigned char> data_;
};

inline std::string Describe(const std::optional<PixelSize>& size) {
  return size ? std::to_string(size->width) + "x" + std::to_string(size->height) : "none";
}

// Empty when picture/'s readers and the libraries agree on `data`, else
// what each said. The JPEG readers get its first firstBytes bytes and read
// the rest into a buffer of bufferBytes.
inline std::string Disagreement(std::span<const unsigned char> data, std::size_t firstBytes,
                                std::size_t bufferBytes) {
  std::string found;
  const auto compare = [&](const char* reader, const std::optional<PixelSize>& expected,
                           const std::optional<PixelSize>& actual) {
    if (Describe(expected) != Describe(actual)) {
      found += std::string(reader) + ": library " + Describe(expected) + ", ours " +
               Describe(actual) + "; ";
    }
  };
  MemoryBytes bytes(data);
  const auto first = data.first(std::min(firstBytes, data.size()));
  std::vector<unsigned char> buffer(bufferBytes);
  const auto expected = JpegSize(bytes, first, buffer);
  compare("JPEG", expected, ReadJpegSize(bytes, first, buffer));
  if (data.size() >= 12 && std::memcmp(data.data(), "RIFF", 4) == 0 &&
      std::memcmp(data.data() + 8, "WEBP", 4) == 0) {
    compare("WebP", WebpSize(data.data(), data.size()), ReadWebpSize(data.data(), data.size()));
  }
  compare("PNG, GIF or BMP", ClassicFormatSize(data), ReadClassicFormatSize(data));
  return found;
}

}  // namespace zb::oracle
