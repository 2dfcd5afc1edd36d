#include "picture/picture_measurement.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "testing/sparse_picture_bytes.h"
#include "testing/test_pictures.h"

namespace zb {
namespace {

std::string Jpeg(int width, int height) {
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(RedLeftBlueRight(width, height), 90);
  return {jpeg.begin(), jpeg.end()};
}

std::string Little(std::uint64_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::string Big(std::uint32_t value) { return Little(__builtin_bswap32(value), 4); }

// A 24-bit BMP with black pixels; a negative height stores the top row first.
std::string Bmp(unsigned width, int height) {
  const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
  const std::size_t pixels = (std::size_t{width} * 3 + 3) / 4 * 4 * rows;
  return "BM" + Little(54 + pixels, 4) + Little(0, 4) + Little(54, 4) + Little(40, 4) +
         Little(width, 4) + Little(static_cast<std::uint32_t>(height), 4) + Little(1, 2) +
         Little(24, 2) + Little(0, 4) + Little(pixels, 4) + std::string(16 + pixels, '\0');
}

// A one-colour GIF: header, logical screen, palette, one image.
std::string Gif(unsigned width, unsigned height) {
  return "GIF89a" + Little(width, 2) + Little(height, 2) +
         std::string("\x80\0\0\0\0\0\xFF\xFF\xFF", 9) + "," + Little(0, 4) + Little(width, 2) +
         Little(height, 2) + std::string("\0\2\2\x44\1\0;", 7);
}

// The header reader checks no sums: a real PNG's header says any size.
std::string Png(unsigned width, unsigned height) {
  return Png(RedLeftBlueRight(1, 1)).replace(16, 8, Big(width) + Big(height));
}

// A JPEG whose frame header lies behind two large application segments, as
// EXIF thumbnails put it.
std::string JpegAfterLargeSegments(unsigned width, unsigned height) {
  const std::string jpeg = Jpeg(width, height);
  const std::string segment = "\xFF\xE1\xFF\xF0" + std::string(0xFFF0 - 2, 'x');
  return jpeg.substr(0, 2) + segment + segment + jpeg.substr(2);
}

std::string Segment(char marker, const std::string& body) {
  const std::size_t length = body.size() + 2;
  return std::string("\xFF") + marker + static_cast<char>(length >> 8) +
         static_cast<char>(length & 0xFF) + body;
}

// An Exif APP1 segment whose first IFD holds the orientation tag among two
// others; bigEndian picks the TIFF byte order.
std::string ExifSegment(unsigned orientation, bool bigEndian) {
  const auto number = [&](std::uint32_t value, int bytes) {
    std::string out = Little(value, bytes);
    if (bigEndian) std::reverse(out.begin(), out.end());
    return out;
  };
  const auto entry = [&](unsigned tag, unsigned type, unsigned value) {
    return number(tag, 2) + number(type, 2) + number(1, 4) + number(value, 2) + number(0, 2);
  };
  const std::string tiff = (bigEndian ? "MM" : "II") + number(42, 2) + number(8, 4) + number(3, 2) +
                           entry(0x010F, 2, 0) + entry(0x0112, 3, orientation) +
                           entry(0x011A, 5, 0) + number(0, 4);
  return Segment('\xE1', std::string("Exif\0\0", 6) + tiff);
}

// A JPEG with the segment right after its start marker.
std::string JpegWith(const std::string& segment, unsigned width, unsigned height) {
  const std::string jpeg = Jpeg(width, height);
  return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

std::optional<PixelSize> Measure(const std::string& contents) {
  SparsePictureBytes bytes(contents);
  return MeasurePictureBytes(bytes);
}

MATCHER_P2(Size, width, height, "") {
  return arg && arg->width == unsigned(width) && arg->height == unsigned(height);
}

TEST(PictureMeasurement, MeasuresEachFormatFromItsHeader) {
  EXPECT_THAT(Measure(Jpeg(37, 23)), Size(37, 23));
  EXPECT_THAT(Measure(JpegAfterLargeSegments(300, 200)), Size(300, 200));
  EXPECT_THAT(Measure(Bmp(6, -4)), Size(6, 4));
  EXPECT_THAT(Measure(Gif(7, 9)), Size(7, 9));
  EXPECT_THAT(Measure(Png(11, 13)), Size(11, 13));
}

// Sides past 2^24 cannot be fitted exactly: such a picture is unmeasured
// (and placed in the whole box), whichever format claims them.
TEST(PictureMeasurement, SidesBeyondWhatThePagesCanPlaceAreUnmeasurable) {
  std::string avif = Avif(RedLeftBlueRight(30, 20), 0);
  const std::size_t ispe = avif.find("ispe");
  ASSERT_NE(ispe, std::string::npos);
  for (const bool wide : {true, false}) {
    for (const std::uint32_t side : {1u << 24, (1u << 24) + 1, 0xFFFFFFFFu}) {
      const unsigned w = wide ? side : 1;
      const unsigned h = wide ? 1 : side;
      const auto check = [&](const std::optional<PixelSize>& got, const char* format) {
        if (side <= 1u << 24) {
          EXPECT_THAT(got, Size(w, h)) << format << " " << w << "x" << h;
        } else {
          EXPECT_FALSE(got.has_value()) << format << " " << w << "x" << h;
        }
      };
      check(Measure(Png(w, h)), "png");
      // A BMP's height is signed: all ones is one row stored top first.
      if (h != 0xFFFFFFFFu) {
        std::string bmp = Bmp(1, 1);
        bmp.replace(18, 8, Little(w, 4) + Little(h, 4));
        check(Measure(bmp), "bmp");
      }
      avif.replace(ispe + 8, 8, Big(w) + Big(h));
      check(Measure(avif), "avif");
    }
  }
}

TEST(PictureMeasurement, GivesNoSizeForWhatIsNoPicture) {
  EXPECT_EQ(Measure("This is not a picture, only a text named like one.\n"), std::nullopt);
  EXPECT_EQ(Measure(""), std::nullopt);
  EXPECT_EQ(Measure(JpegAfterLargeSegments(9, 9).substr(0, 40000)), std::nullopt);
  EXPECT_EQ(Measure(Gif(0, 9)), std::nullopt);
  EXPECT_EQ(Measure(std::string("\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                                "\x10\x00\x10\x00\x18\x00",
                                18) +
                    std::string(768, '\0')),
            std::nullopt);
  // A bad file must not spoil the next one.
  EXPECT_THAT(Measure(Jpeg(3, 4)), Size(3, 4));
}

// Heads as read ahead: the first kPictureHeadBytes or the whole file. Past a
// whole head the file itself is read, with the same result.
TEST(PictureMeasurement, MeasuresFromHeadsReadAheadAsFromTheFile) {
  const auto fromHead = [](const std::string& contents) {
    const std::string head = contents.substr(0, kPictureHeadBytes);
    SparsePictureBytes file(contents);
    return MeasurePictureHead(std::as_bytes(std::span(head)), file);
  };
  // The file is never read: it is gone.
  const auto fromHeadAlone = [](const std::string& contents) {
    const std::string head = contents.substr(0, kPictureHeadBytes);
    SparsePictureBytes file(std::uint64_t{0});
    const std::optional<PixelSize> size = MeasurePictureHead(std::as_bytes(std::span(head)), file);
    EXPECT_EQ(file.reads, 0);
    return size;
  };
  EXPECT_THAT(fromHeadAlone(Jpeg(37, 23)), Size(37, 23));
  EXPECT_THAT(fromHeadAlone(Bmp(5, 3)), Size(5, 3));
  EXPECT_THAT(fromHeadAlone(Gif(7, 9)), Size(7, 9));
  EXPECT_THAT(fromHead(JpegAfterLargeSegments(300, 200)), Size(300, 200));
  EXPECT_EQ(fromHead(JpegAfterLargeSegments(9, 9).substr(0, 40000)), std::nullopt);
  // A file that ends inside its head is not read again, nor found missing.
  EXPECT_EQ(fromHeadAlone(Jpeg(64, 64).substr(0, 100)), std::nullopt);
  EXPECT_EQ(fromHeadAlone(JpegAfterLargeSegments(9, 9).substr(0, kPictureHeadBytes - 1)),
            std::nullopt);
  EXPECT_EQ(fromHeadAlone(""), std::nullopt);
  EXPECT_THAT(fromHeadAlone(Jpeg(3, 4)), Size(3, 4));
  // The orientation in a head counts as in the file.
  EXPECT_THAT(fromHeadAlone(JpegWith(ExifSegment(6, false), 200, 100)), Size(100, 200));
}

TEST(PictureMeasurement, AQuarterTurnInTheExifOrientationSwapsTheSides) {
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "MM" : "II");
    for (unsigned orientation = 1; orientation <= 8; ++orientation) {
      const bool turned = orientation >= 5;
      EXPECT_THAT(Measure(JpegWith(ExifSegment(orientation, bigEndian), 200, 100)),
                  Size(turned ? 100 : 200, turned ? 200 : 100))
          << orientation;
    }
    // Values outside 1 to 8 mean nothing.
    EXPECT_THAT(Measure(JpegWith(ExifSegment(9, bigEndian), 200, 100)), Size(200, 100));
  }
}

TEST(PictureMeasurement, DamagedExifIsIgnored) {
  const std::string good = ExifSegment(6, false);
  // The orientation entry lies at bytes 32 to 43 of the segment.
  constexpr std::size_t kEntryEnd = 44;
  // Cut short anywhere, the segment's length field still telling the truth.
  for (std::size_t keep = 4; keep < good.size(); ++keep) {
    std::string cut = good.substr(0, keep);
    cut[2] = static_cast<char>((keep - 2) >> 8);
    cut[3] = static_cast<char>((keep - 2) & 0xFF);
    const bool whole = keep >= kEntryEnd;
    EXPECT_THAT(Measure(JpegWith(cut, 200, 100)), Size(whole ? 100 : 200, whole ? 200 : 100))
        << keep;
  }
  // Bytes changed: the first IFD far past the segment, the orientation as a
  // LONG, counted as more than its one value or none, no byte order.
  const std::vector<std::pair<std::size_t, char>> damages[] = {
      {{14, '\xFF'}},     {{34, 4}}, {{36, 2}},  {{36, 0}, {37, 2}},
      {{36, 0}, {39, 2}}, {{36, 0}}, {{10, 'X'}}};
  for (const auto& damage : damages) {
    std::string damaged = good;
    for (const auto& [at, value] : damage) damaged[at] = value;
    EXPECT_THAT(Measure(JpegWith(damaged, 200, 100)), Size(200, 100)) << damage.back().first;
  }
  EXPECT_THAT(Measure(JpegWith(Segment('\xE1', "Exif"), 200, 100)), Size(200, 100));
  // An XMP packet is also APP1; an Exif segment after it still counts.
  EXPECT_THAT(Measure(JpegWith(Segment('\xE1', "http://ns.adobe.com/xap/1.0/") + good, 200, 100)),
              Size(100, 200));
}

TEST(PictureMeasurement, AHugeSparseFileBehindAJpegStartCostsAFixedNumberOfBytes) {
  for (const std::uint64_t size : {std::uint64_t{4} << 30, std::uint64_t{1} << 40}) {
    SparsePictureBytes bytes(size);
    bytes.Put(0, "\xFF\xD8\xFF\xE0");
    EXPECT_EQ(MeasurePictureBytes(bytes), std::nullopt);
    EXPECT_LE(bytes.total, std::uint64_t{8} << 20);
  }
}

TEST(PictureMeasurement, EndlessSegmentsCostAFixedNumberOfReads) {
  // 3,000 segments of 64 KiB, sparse: each one skipped past the buffer
  // would cost a read.
  SparsePictureBytes bytes(2 + std::uint64_t{3000} * 0x10001);
  bytes.Put(0, "\xFF\xD8");
  for (std::uint64_t k = 0; k < 3000; ++k) bytes.Put(2 + k * 0x10001, "\xFF\xE2\xFF\xFF");
  EXPECT_EQ(MeasurePictureBytes(bytes), std::nullopt);
  EXPECT_LE(bytes.reads, 300);
  EXPECT_LE(bytes.total, std::uint64_t{8} << 20);
}

}  // namespace
}  // namespace zb
