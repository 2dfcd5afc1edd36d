#include "picture/jpeg_header_reader.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <cstdint>
#include <utility>

#include "picture/exif_orientation.h"
#include "picture/jpeg_error_trap.h"

namespace zb {
namespace {

// Real headers, Exif thumbnails and colour profiles included, stay far
// below these; a file of zeros behind FF D8 or of endless segments does not.
constexpr std::size_t kByteBudget = std::size_t{4} << 20;
constexpr int kSegmentBudget = 1024;
// The first IFD, where Orientation lies, follows the TIFF header at once.
constexpr unsigned kExifBytesKept = 8 * 1024;

// Feeds libjpeg within the budgets; skipped segments (Exif thumbnails,
// colour profiles) are passed over without being read.
struct BoundedSource {
  jpeg_source_mgr manager;  // first: libjpeg hands back its address
  PictureBytes* bytes;
  std::span<unsigned char> buffer;
  std::uint64_t next;  // file offset of the byte after those in the buffer
  std::size_t bytesLeft;
  int segmentsLeft;
};

void NoOp(j_decompress_ptr) {}

boolean Fill(j_decompress_ptr info) {
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

void Skip(j_decompress_ptr info, long count) {
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

struct Reader {
  jpeg_decompress_struct info;
  JpegErrorTrap errors;
  BoundedSource source;
};

int OrientationOf(const jpeg_decompress_struct& info) {
  for (jpeg_saved_marker_ptr m = info.marker_list; m != nullptr; m = m->next) {
    const int orientation = ExifOrientation({m->data, m->data_length});
    if (orientation != 1) return orientation;
  }
  return 1;
}

// Holds no C++ object that needs destroying: an error jumps back into it.
bool ReadHeader(Reader* reader, PixelSize* size) {
  if (setjmp(reader->errors.jump) != 0) {
    jpeg_destroy_decompress(&reader->info);
    return false;
  }
  jpeg_create_decompress(&reader->info);
  reader->info.src = &reader->source.manager;
  jpeg_save_markers(&reader->info, JPEG_APP0 + 1, kExifBytesKept);
  jpeg_read_header(&reader->info, TRUE);
  size->width = reader->info.image_width;
  size->height = reader->info.image_height;
  if (TurnsAQuarter(OrientationOf(reader->info))) std::swap(size->width, size->height);
  jpeg_destroy_decompress(&reader->info);
  return true;
}

}  // namespace

std::optional<PixelSize> ReadJpegSize(PictureBytes& bytes, std::span<const unsigned char> first,
                                      std::span<unsigned char> buffer) {
  // A decompressor kept from call to call measured no faster than a new one.
  Reader reader{};
  reader.info.err = reader.errors.Arm();
  jpeg_source_mgr& source = reader.source.manager;
  source.init_source = NoOp;
  source.fill_input_buffer = Fill;
  source.skip_input_data = Skip;
  source.resync_to_restart = jpeg_resync_to_restart;
  source.term_source = NoOp;
  source.next_input_byte = first.data();
  source.bytes_in_buffer = first.size();
  reader.source.bytes = &bytes;
  reader.source.buffer = buffer;
  reader.source.next = first.size();
  reader.source.bytesLeft = kByteBudget - std::min(first.size(), kByteBudget);
  reader.source.segmentsLeft = kSegmentBudget;
  PixelSize size;
  if (!ReadHeader(&reader, &size)) return std::nullopt;
  return size;
}

}  // namespace zb
