#include "thumbnail/thumbnail_names.h"

#include <algorithm>
#include <cmath>

namespace zb {
namespace {

constexpr std::size_t kDigits = 16;
constexpr std::string_view kExtension = ".jpg";
constexpr std::string_view kNoThumbnailExtension = ".none";

bool HasDigitsAndEnding(std::string_view name, std::string_view ending) {
  if (name.size() != kDigits + ending.size() || !name.ends_with(ending)) return false;
  return std::all_of(name.begin(), name.begin() + kDigits,
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// FNV-1a, 64 bits: stable across builds and hosts, which a name on disk needs.
class NameHash {
 public:
  void Add(std::string_view bytes) {
    for (unsigned char c : bytes) {
      value_ ^= c;
      value_ *= 0x100000001b3ull;
    }
  }
  void Add(std::uint64_t number) {
    for (int i = 0; i < 8; ++i) {
      const char byte = static_cast<char>(number >> (8 * i));
      Add(std::string_view(&byte, 1));
    }
  }
  std::uint64_t value() const { return value_; }

 private:
  std::uint64_t value_ = 0xcbf29ce484222325ull;
};

}  // namespace

std::string ThumbnailFileName(const ThumbnailSource& source) {
  NameHash hash;
  hash.Add(source.hostPath);
  // The path's end is marked, so that no path and size run into each other.
  hash.Add(std::string_view("\0", 1));
  hash.Add(source.size);
  hash.Add(static_cast<std::uint64_t>(source.modifiedNanoseconds));
  hash.Add(static_cast<std::uint64_t>(source.side));
  hash.Add(source.fileId);
  hash.Add(static_cast<std::uint64_t>(source.changedNanoseconds));
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name(kDigits, '0');
  for (std::size_t i = 0; i < kDigits; ++i) {
    name[i] = kHex[(hash.value() >> (4 * (kDigits - 1 - i))) & 0xF];
  }
  return name + std::string(kExtension);
}

bool IsThumbnailFileName(std::string_view name) { return HasDigitsAndEnding(name, kExtension); }

std::string NoThumbnailRecordName(std::string_view thumbnailName) {
  return std::string(thumbnailName.substr(0, kDigits)).append(kNoThumbnailExtension);
}

bool IsNoThumbnailRecordName(std::string_view name) {
  return HasDigitsAndEnding(name, kNoThumbnailExtension);
}

ThumbnailSize ThumbnailSizeFor(int width, int height, int side) {
  const int longest = std::max(width, height);
  if (width <= 0 || height <= 0 || side <= 0) return {};
  if (longest <= side) return {width, height};
  const double scale = static_cast<double>(side) / longest;
  return {std::max(1, static_cast<int>(std::lround(width * scale))),
          std::max(1, static_cast<int>(std::lround(height * scale)))};
}

}  // namespace zb
