// Hostile file names on their way into a page: the input is a name as the
// disk gives it, any bytes. Escaped as page text or as a link and written by
// the Shift_JIS writer, it must keep the page's markup intact and read back
// as the very text: no character lost to "?" (the writer's mark for what the
// code page cannot hold) nor read back as another.
#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/require.h"
#include "gallery/html_escape.h"
#include "platform/posix/long_path.h"
#include "platform/posix/output_file.h"
#include "platform/posix/shift_jis_encoding.h"
#include "platform/posix/shift_jis_text_file.h"

namespace {

// A folder of the fuzzer's own for the pages it writes.
const std::string& Scratch() {
  static const std::string folder = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string name = std::string(tmp != nullptr ? tmp : "/tmp") + "/zorbelle-escape.XXXXXX";
    zb::Require(mkdtemp(name.data()) != nullptr);
    return name;
  }();
  return folder;
}

// The bytes the writer puts into a file for one line.
std::string Written(std::string_view line, zb::ShiftJisEncoding& encoding) {
  {
    zb::ShiftJisTextFile file(
        zb::OutputFile::Create(zb::OpenHostFolder(Scratch()), "page", "page", {}), encoding);
    file.WriteLine(line);
    file.Close();
  }
  const std::string path = Scratch() + "/page";
  const int reader = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  zb::Require(reader >= 0);
  std::string bytes(static_cast<std::size_t>(lseek(reader, 0, SEEK_END)), '\0');
  zb::Require(pread(reader, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
  close(reader);
  // Each line goes to a new file, as a page's first write does.
  unlink(path.c_str());
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

// The bytes read as a browser reads a Shift_JIS page; empty when they are not
// all Shift_JIS.
std::string ReadBack(std::string bytes) {
  static const iconv_t decoder = iconv_open("UTF-8", "CP932");
  std::string out(bytes.size() * 3, '\0');
  char* in = bytes.data();
  std::size_t inLeft = bytes.size();
  char* to = out.data();
  std::size_t outLeft = out.size();
  iconv(decoder, nullptr, nullptr, nullptr, nullptr);
  if (iconv(decoder, &in, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) return {};
  out.resize(out.size() - outLeft);
  return out;
}

void CheckReadsBackAsWritten(std::string_view escaped, zb::ShiftJisEncoding& encoding) {
  std::string bytes = Written(escaped, encoding);
  zb::Require(bytes.ends_with("\r\n"));
  bytes.resize(bytes.size() - 2);
  zb::Require(ReadBack(bytes) == escaped);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zb::ShiftJisEncoding* encoding = new zb::ShiftJisEncoding;
  const std::string_view name(reinterpret_cast<const char*>(data), size);

  const std::string text = zb::EscapeHtmlText(name, *encoding);
  zb::Require(!HasMarkup(text, "<>\"") && !HasControlCharacter(text));
  CheckReadsBackAsWritten(text, *encoding);

  const std::string link = zb::EscapeLink(name, *encoding);
  zb::Require(!HasMarkup(link, "<>\"#? ") && !HasControlCharacter(link) && EscapesAreWhole(link));
  CheckReadsBackAsWritten(link, *encoding);
  return 0;
}
