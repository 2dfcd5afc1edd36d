// Hostile file names on their way into a page: the input is a name as the
// disk gives it, any bytes. Escaped as page text or as a link and written by
// the Shift_JIS writer, it must keep the page's markup intact and never lose
// a character to "?" (the writer's mark for what the code page cannot hold).
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/require.h"
#include "gallery/html_escape.h"
#include "platform/posix/shift_jis_encoding.h"
#include "platform/posix/shift_jis_text_file.h"

namespace {

// The bytes the writer puts into a file for one line.
std::string Written(std::string_view line, zb::ShiftJisEncoding& encoding) {
  const int fd = memfd_create("page", MFD_CLOEXEC);
  zb::Require(fd >= 0);
  const int reader = dup(fd);
  {
    zb::ShiftJisTextFile file(fd, "page", encoding);
    file.WriteLine(line);
    file.Close();
  }
  std::string bytes(static_cast<std::size_t>(lseek(reader, 0, SEEK_END)), '\0');
  zb::Require(pread(reader, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
  close(reader);
  return bytes;
}

bool HasMarkup(std::string_view text, std::string_view marks) {
  return text.find_first_of(marks) != std::string_view::npos;
}

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
}

// Every "%" of a link starts a "%XX": a "%" of the name itself became "%25".
bool EscapesAreWhole(std::string_view link) {
  for (std::size_t at = link.find('%'); at != std::string_view::npos; at = link.find('%', at + 1)) {
    if (at + 2 >= link.size() || !std::isxdigit(static_cast<unsigned char>(link[at + 1])) ||
        !std::isxdigit(static_cast<unsigned char>(link[at + 2]))) {
      return false;
    }
  }
  return true;
}

// Shift_JIS trail bytes start at 0x40, so every 0x3F byte is a "?" of its own.
void CheckNothingLost(std::string_view escaped, zb::ShiftJisEncoding& encoding) {
  const std::string bytes = Written(escaped, encoding);
  zb::Require(bytes.ends_with("\r\n"));
  zb::Require(std::count(bytes.begin(), bytes.end(), '?') ==
              std::count(escaped.begin(), escaped.end(), '?'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zb::ShiftJisEncoding* encoding = new zb::ShiftJisEncoding;
  const std::string_view name(reinterpret_cast<const char*>(data), size);

  const std::string text = zb::EscapeHtmlText(name, *encoding);
  zb::Require(!HasMarkup(text, "<>\"") && !HasControlCharacter(text));
  CheckNothingLost(text, *encoding);

  const std::string link = zb::EscapeLink(name, *encoding);
  zb::Require(!HasMarkup(link, "<>\"#? ") && !HasControlCharacter(link) && EscapesAreWhole(link));
  CheckNothingLost(link, *encoding);
  return 0;
}
