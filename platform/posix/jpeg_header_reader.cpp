#include "platform/posix/jpeg_header_reader.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
#include <unistd.h>

#include <cerrno>
#include <csetjmp>

namespace zb {
namespace {

// libjpeg ends the process on an error unless error_exit leaves by longjmp.
struct ErrorTrap {
  jpeg_error_mgr manager;  // first: libjpeg hands back its address
  std::jmp_buf jump;
};

[[noreturn]] void Escape(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

void Quiet(j_common_ptr) {}

// Feeds libjpeg from a descriptor; skipped markers (EXIF thumbnails, colour
// profiles) are passed over with lseek instead of being read.
struct FdSource {
  jpeg_source_mgr manager;  // first: libjpeg hands back its address
  int fd;
  unsigned char* buffer;
  std::size_t capacity;
};

void NoOp(j_decompress_ptr) {}

boolean Fill(j_decompress_ptr info) {
  auto* source = reinterpret_cast<FdSource*>(info->src);
  ssize_t n;
  do {
    n = read(source->fd, source->buffer, source->capacity);
  } while (n < 0 && errno == EINTR);
  if (n <= 0) ERREXIT(info, JERR_INPUT_EOF);
  source->manager.next_input_byte = source->buffer;
  source->manager.bytes_in_buffer = static_cast<std::size_t>(n);
  return TRUE;
}

void Skip(j_decompress_ptr info, long count) {
  auto* source = reinterpret_cast<FdSource*>(info->src);
  if (count <= 0) return;
  const auto wanted = static_cast<std::size_t>(count);
  if (wanted <= source->manager.bytes_in_buffer) {
    source->manager.next_input_byte += wanted;
    source->manager.bytes_in_buffer -= wanted;
    return;
  }
  const auto beyond = static_cast<off_t>(wanted - source->manager.bytes_in_buffer);
  source->manager.bytes_in_buffer = 0;
  if (lseek(source->fd, beyond, SEEK_CUR) < 0) ERREXIT(info, JERR_INPUT_EOF);
}

struct Reader {
  jpeg_decompress_struct info;
  ErrorTrap errors;
  FdSource source;
};

// Holds no C++ object that needs destroying: an error jumps back into it.
bool ReadHeader(Reader* reader, PixelSize* size) {
  if (setjmp(reader->errors.jump) != 0) {
    jpeg_destroy_decompress(&reader->info);
    return false;
  }
  jpeg_create_decompress(&reader->info);
  reader->info.src = &reader->source.manager;
  jpeg_read_header(&reader->info, TRUE);
  size->width = reader->info.image_width;
  size->height = reader->info.image_height;
  jpeg_destroy_decompress(&reader->info);
  return true;
}

}  // namespace

std::optional<PixelSize> ReadJpegSize(int fd, unsigned char* buffer, std::size_t capacity,
                                      std::size_t filled) {
  // A decompressor kept from call to call measured no faster than a new one.
  Reader reader{};
  reader.info.err = jpeg_std_error(&reader.errors.manager);
  reader.errors.manager.error_exit = Escape;
  reader.errors.manager.output_message = Quiet;
  jpeg_source_mgr& source = reader.source.manager;
  source.init_source = NoOp;
  source.fill_input_buffer = Fill;
  source.skip_input_data = Skip;
  source.resync_to_restart = jpeg_resync_to_restart;
  source.term_source = NoOp;
  source.next_input_byte = buffer;
  source.bytes_in_buffer = filled;
  reader.source.fd = fd;
  reader.source.buffer = buffer;
  reader.source.capacity = capacity;
  PixelSize size;
  if (!ReadHeader(&reader, &size)) return std::nullopt;
  return size;
}

}  // namespace zb
