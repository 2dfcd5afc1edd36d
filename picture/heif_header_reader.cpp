#include "picture/heif_header_reader.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <string_view>
#include <vector>

namespace zb {
namespace {

constexpr int kMaxBoxes = 256;
constexpr std::uint32_t kMaxAssociations = 4096;

class Bytes {
 public:
  Bytes(const unsigned char* data, std::size_t length) : data_(data), length_(length) {}
  bool Has(std::size_t at, std::size_t n) const { return at <= length_ && n <= length_ - at; }
  std::uint32_t Be(std::size_t at, int n) const {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | data_[at + static_cast<std::size_t>(i)];
    return v;
  }
  std::string_view Text(std::size_t at, std::size_t n) const {
    return {reinterpret_cast<const char*>(data_ + at), n};
  }

 private:
  const unsigned char* data_;
  std::size_t length_;
};

struct Box {
  std::string_view type;
  std::size_t body = 0;  // offset of the contents
  std::size_t end = 0;
};

// The boxes from `at` to `end`, at most kMaxBoxes in all; false on a box
// that runs past `end` or past the bytes at hand.
template <typename Each>
bool ForEachBox(const Bytes& b, std::size_t at, std::size_t end, int& budget, Each each) {
  while (at < end) {
    if (--budget < 0 || !b.Has(at, 8)) return false;
    std::uint64_t size = b.Be(at, 4);
    std::size_t header = 8;
    if (size == 1) {
      if (!b.Has(at, 16)) return false;
      size = std::uint64_t{b.Be(at + 8, 4)} << 32 | b.Be(at + 12, 4);
      header = 16;
    } else if (size == 0) {
      size = end - at;
    }
    if (size < header || size > end - at) return false;
    const Box box{b.Text(at + 4, 4), at + header, at + static_cast<std::size_t>(size)};
    if (!each(box)) return false;
    at = box.end;
  }
  return true;
}

struct Properties {
  std::vector<Box> listed;  // ipco's boxes; index 1 is the first
  std::map<std::uint32_t, std::vector<std::uint32_t>> ofItem;
  std::uint32_t primary = 0;
  bool hasPrimary = false;
};

bool ReadAssociations(const Bytes& b, const Box& ipma, Properties& p) {
  if (!b.Has(ipma.body, 8)) return false;
  const std::uint32_t version = b.Be(ipma.body, 1);
  const bool wide = b.Be(ipma.body + 1, 3) & 1;
  const std::uint32_t entries = b.Be(ipma.body + 4, 4);
  std::size_t at = ipma.body + 8;
  std::uint32_t total = 0;
  for (std::uint32_t i = 0; i < entries; ++i) {
    const int idSize = version < 1 ? 2 : 4;
    if (at + idSize + 1 > ipma.end || !b.Has(at, static_cast<std::size_t>(idSize) + 1))
      return false;
    const std::uint32_t item = b.Be(at, idSize);
    const std::uint32_t count = b.Be(at + static_cast<std::size_t>(idSize), 1);
    at += static_cast<std::size_t>(idSize) + 1;
    for (std::uint32_t k = 0; k < count; ++k) {
      const int n = wide ? 2 : 1;
      if (++total > kMaxAssociations || at + n > ipma.end) return false;
      const std::uint32_t raw = b.Be(at, n);
      p.ofItem[item].push_back(raw & (wide ? 0x7FFFu : 0x7Fu));
      at += static_cast<std::size_t>(n);
    }
  }
  return true;
}

bool ReadMeta(const Bytes& b, const Box& meta, Properties& p, int& budget) {
  // meta is a full box: version and flags come first.
  return ForEachBox(b, meta.body + 4, meta.end, budget, [&](const Box& box) {
    if (box.type == "pitm") {
      if (!b.Has(box.body, 4)) return false;
      const bool v0 = b.Be(box.body, 1) == 0;
      if (!b.Has(box.body + 4, v0 ? 2 : 4)) return false;
      p.primary = b.Be(box.body + 4, v0 ? 2 : 4);
      p.hasPrimary = true;
    } else if (box.type == "iprp") {
      return ForEachBox(b, box.body, box.end, budget, [&](const Box& inner) {
        if (inner.type == "ipco") {
          return ForEachBox(b, inner.body, inner.end, budget, [&](const Box& property) {
            p.listed.push_back(property);
            return true;
          });
        }
        return inner.type != "ipma" || ReadAssociations(b, inner, p);
      });
    }
    return true;
  });
}

// AVIF's brands, then HEVC's (HEIC) and those of any image item (HEIF).
constexpr std::string_view kBrands[] = {"avif", "avis", "heic", "heix", "hevc", "heim",
                                        "heis", "hevm", "hevs", "mif1", "msf1"};

bool IsHeifBrand(const Bytes& b, const Box& ftyp) {
  for (std::size_t at = ftyp.body; at + 4 <= ftyp.end; at += 4) {
    if (at == ftyp.body + 4) continue;  // the minor version
    for (std::string_view brand : kBrands) {
      if (b.Text(at, 4) == brand) return true;
    }
  }
  return false;
}

}  // namespace

std::optional<PixelSize> ReadHeifSize(const unsigned char* data, std::size_t length) {
  const Bytes b(data, length);
  int budget = kMaxBoxes;
  bool heif = false;
  bool metaSeen = false;
  Properties p;
  ForEachBox(b, 0, length, budget, [&](const Box& box) {
    if (box.type == "ftyp") heif = IsHeifBrand(b, box);
    if (box.type != "meta") return !metaSeen;
    metaSeen = ReadMeta(b, box, p, budget);
    return false;  // all that is needed is read
  });
  if (!heif || !metaSeen || !p.hasPrimary) return std::nullopt;
  std::optional<PixelSize> size;
  bool quarterTurn = false;
  for (std::uint32_t index : p.ofItem[p.primary]) {
    if (index == 0 || index > p.listed.size()) continue;
    const Box& property = p.listed[index - 1];
    if (property.type == "ispe" && b.Has(property.body, 12) && property.body + 12 <= property.end) {
      size = PixelSize{b.Be(property.body + 4, 4), b.Be(property.body + 8, 4)};
    } else if (property.type == "irot" && b.Has(property.body, 1) && property.body < property.end) {
      quarterTurn = (b.Be(property.body, 1) & 1) != 0;
    }
  }
  if (!size || size->width == 0 || size->height == 0) return std::nullopt;
  if (quarterTurn) std::swap(size->width, size->height);
  return size;
}

}  // namespace zb
