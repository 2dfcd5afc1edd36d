// picture/'s header readers against the libraries they replace, on real and
// thousands of damaged pictures: every answer, rejections too, the library's.
#include <gtest/gtest.h>
#include <webp/encode.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "testing/picture_size_oracle.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

using Bytes = std::string;

Bytes Segment(unsigned marker, const Bytes& contents) {
  const std::size_t length = contents.size() + 2;
  return Bytes{'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
               static_cast<char>(length & 0xFF)} +
         contents;
}

Bytes Le(std::uint32_t value, int bytes) {
  Bytes out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}

Bytes Be(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

Bytes Chunk(const char* type, const Bytes& data) { return Be(data.size()) + type + data + Be(0); }

Bytes Exif(int orientation) {
  return Bytes("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 23) +
         static_cast<char>(orientation) + Bytes(6, '\0');
}

std::vector<Bytes> Files() {
  std::vector<Bytes> files;
  for (const char* folder : {"/samples", "/fuzz/corpus/picture_size"}) {
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(ZORBELLE_SOURCE_DIR + Bytes(folder))) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  return files;
}

// JPEGs with every kind of segment libjpeg looks at before the first scan.
std::vector<Bytes> Jpegs() {
  const Bytes plain = JpegWithOrientation(RedLeftBlueRight(40, 24), 6).substr(0, 2) +
                      JpegWithOrientation(RedLeftBlueRight(40, 24), 1).substr(2);
  const Bytes rest = plain.substr(2);
  const std::size_t sof = plain.find("\xFF\xC0");
  const Bytes frame = plain.substr(sof, 2 + 17);
  std::vector<Bytes> jpegs = {plain, JpegWithOrientation(RedLeftBlueRight(24, 40), 8)};
  // libjpeg finds a scan's components in its own way: out of the frame's
  // order they fail, an id given twice in both succeeds.
  const std::size_t sos = plain.find("\xFF\xDA");
  for (const auto& [frameIds, scanIds] : {std::pair{"\1\2\3", "\2\1\3"},
                                          {"\1\1\3", "\1\1\3"},
                                          {"\1\1\3", "\1\3\1"},
                                          {"\1\2\2", "\1\2\2"}}) {
    Bytes copy = plain;
    for (int i = 0; i < 3; ++i) {
      copy[sof + 10 + 3 * i] = frameIds[i];
      copy[sos + 5 + 2 * i] = scanIds[i];
    }
    jpegs.push_back(copy);
  }
  for (const Bytes& extra :
       {Segment(0xDD, Bytes("\0\x10", 2)), Segment(0xCC, Bytes("\x01\x21\x12\x05", 4)),
        Segment(0xCC, Bytes("\x20\0", 2)), Segment(0xCC, Bytes("\x1F\0\0\x12", 4)),
        Segment(0xDC, "ab"), Segment(0xFE, "note"), Segment(0xEE, "Adobe\0\x64\0\0\0\0\x01"),
        Segment(0xE0, "JFIF"), Segment(0xE2, Bytes(20000, 'i')), Bytes("\xFF\xD0\xFF\x01", 4),
        Bytes("\xFF\xFF\xFF"), Bytes("junk\xFF\x00", 6),
        Segment(0xE1, Exif(3)) + Segment(0xE1, Exif(5)),
        Segment(0xE1, "Exif") + Segment(0xE1, Exif(7)), Segment(0xE1, Exif(6) + Bytes(9000, 'x')),
        Segment(0xE1, Bytes(30000, 'x')), frame, Bytes("\xFF\xD8"), Bytes("\xFF\xD9")}) {
    jpegs.push_back("\xFF\xD8" + extra + rest);
  }
  // Around libjpeg's count of segments passed over and its byte budget.
  for (int count : {1024, 1025}) {
    Bytes many = "\xFF\xD8";
    for (int i = 0; i < count; ++i) many += Segment(0xFE, "c");
    jpegs.push_back(many + rest);
  }
  for (std::size_t fill : {(std::size_t{4} << 20) - 40000, std::size_t{4} << 20}) {
    jpegs.push_back("\xFF\xD8" + Bytes(fill, '\xFF') + rest);
  }
  return jpegs;
}

std::vector<Bytes> Others() {
  const PicturePixels pixels = RedLeftBlueRight(30, 20);
  std::uint8_t* data = nullptr;
  const std::size_t size = WebPEncodeRGB(pixels.rgb.data(), 30, 20, 90, 80, &data);
  const Bytes lossy(reinterpret_cast<char*>(data), size);
  WebPFree(data);
  const Bytes lossless = Webp(pixels);
  const auto extended = [](std::uint32_t flags, const Bytes& chunks) {
    const Bytes body = "WEBPVP8X" + Le(10, 4) + Le(flags, 4) + Le(29, 3) + Le(19, 3) + chunks;
    return "RIFF" + Le(body.size(), 4) + body;
  };
  const Bytes header = Be(30) + Be(20);
  const Bytes png = "\x89PNG\r\n\x1a\n";
  const auto bmp = [](std::uint32_t headerSize, std::uint32_t bits, std::uint32_t compression) {
    const Bytes info = headerSize == 12 ? Le(30, 2) + Le(20, 2) + Le(1, 2) + Le(bits, 2)
                                        : Le(30, 4) + Le(-20, 4) + Le(1, 2) + Le(bits, 2) +
                                              Le(compression, 4) + Bytes(20, '\0') + Le(0xF800, 4) +
                                              Le(0x7E0, 4) + Le(0x1F, 4) + Bytes(100, '\0');
    return "BM" + Le(1000, 4) + Le(0, 4) + Le(54, 4) + Le(headerSize, 4) + info;
  };
  return {lossy,
          lossless,
          extended(0x10, "ICCP" + Le(3, 4) + "abc\0" + lossless.substr(12)),
          extended(0x02, "ANIM" + Le(6, 4) + Bytes(6, '\0')),
          extended(0, lossy.substr(12)),
          Png(pixels),
          png + Chunk("IHDR", header + Bytes("\x08\x02\0\0\0", 5)) + Chunk("IEND", ""),
          png + Chunk("CgBI", "abcd") + Chunk("IHDR", header + Bytes("\x08\x03\0\0\0", 5)) +
              Chunk("tEXt", "a") + Chunk("PLTE", "abcdef") + Chunk("tRNS", "a"),
          png + Chunk("IHDR", header + Bytes("\x04\x03\0\0\0", 5)) + Chunk("PLTE", "abc") +
              Chunk("IDAT", "x"),
          png + Chunk("IHDR", header + Bytes("\x08\x03\0\0\0", 5)) + Chunk("IEND", ""),
          "GIF87a" + Le(30, 2) + Le(20, 2) + Bytes(20, '\0'),
          bmp(12, 24, 0),
          bmp(40, 24, 0),
          bmp(40, 16, 3),
          bmp(56, 32, 0),
          bmp(108, 32, 3),
          bmp(124, 24, 0)};
}

// Damaged copies: cut anywhere in the header, bytes changed, inserted or
// removed, and numbers set to the values readers get wrong.
void ForEachCopy(const Bytes& original, std::uint32_t seed,
                 const std::function<void(const Bytes&)>& check) {
  std::mt19937 random(seed);
  const std::size_t head = std::min<std::size_t>(original.size(), 1000);
  const auto at = [&] { return random() % std::max<std::size_t>(head, 1); };
  for (std::size_t n = 0; n <= head; ++n) check(original.substr(0, n));
  static const std::uint32_t kNumbers[] = {
      0, 1, 2, 3, 4, 13, 0x7F, 0xFF, 0x7FFF, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
  for (int i = 0; i < 1500; ++i) {
    Bytes copy = original;
    if (copy.empty()) return;
    switch (i % 6) {
      case 0:
        copy[at()] = static_cast<char>(random());
        break;
      case 1:
        for (int k = 0; k < 3; ++k) copy[at()] ^= static_cast<char>(1 << (random() % 8));
        break;
      case 2:
        copy.insert(at(), Bytes(1 + random() % 4, static_cast<char>(random())));
        break;
      case 3:
        copy.erase(at(), 1 + random() % 4);
        break;
      default: {
        const std::uint32_t number = kNumbers[random() % std::size(kNumbers)];
        const Bytes written = i % 6 == 4 ? Le(number, 2 + 2 * (random() % 2)) : Be(number);
        const std::size_t where = at();
        copy.replace(where, std::min(written.size(), copy.size() - where),
                     written.substr(0, copy.size() - where));
      }
    }
    check(copy);
  }
}

class Agreement {
 public:
  // A JPEG read past its first bytes goes through the buffer: both reads
  // are tried, in the program's sizes and in small ones.
  void Check(const Bytes& bytes) {
    const std::span data(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    ++checked_;
    using Sizes = std::pair<std::size_t, std::size_t>;
    for (const auto& [first, buffer] : {Sizes{4096, 16384}, Sizes{checked_ % 64, 37}}) {
      const std::string found = oracle::Disagreement(data, first, buffer);
      if (found.empty() || failures_.size() >= 5) continue;
      failures_ += found + "input " + std::to_string(bytes.size()) + " bytes:";
      for (std::size_t i = 0; i < std::min<std::size_t>(bytes.size(), 48); ++i) {
        failures_ += " " + std::to_string(static_cast<unsigned char>(bytes[i]));
      }
      failures_ += "\n";
    }
  }
  void CheckCopies(const std::vector<Bytes>& originals) {
    std::uint32_t seed = 1;
    for (const Bytes& original : originals) {
      if (original.size() > (1 << 20)) {
        Check(original);
        continue;
      }
      ForEachCopy(original, seed++, [this](const Bytes& copy) { Check(copy); });
    }
  }
  const std::string& Failures() const { return failures_; }

 private:
  std::size_t checked_ = 0;
  std::string failures_;
};

TEST(LibraryAgreement, JpegSizesAndRejectionsAreLibjpegs) {
  Agreement agreement;
  agreement.CheckCopies(Jpegs());
  EXPECT_EQ(agreement.Failures(), "");
}

TEST(LibraryAgreement, WebpPngGifAndBmpAreTheLibrariesAnswers) {
  Agreement agreement;
  agreement.CheckCopies(Others());
  EXPECT_EQ(agreement.Failures(), "");
}

TEST(LibraryAgreement, SamplesAndSeedsAgreeDamagedOrWhole) {
  Agreement agreement;
  agreement.CheckCopies(Files());
  EXPECT_EQ(agreement.Failures(), "");
}

}  // namespace
}  // namespace zb
