// picture/'s header readers against the libraries whose answers they give:
// libjpeg, libwebp and stb_image. Any difference, a rejection included, is
// a crash that keeps its input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "testing/picture_size_oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t length) {
  const std::span bytes(data, length);
  // The program's sizes, then small ones that make the JPEG reader refill
  // its buffer within segments.
  for (const auto& [first, buffer] : {std::pair{4096, 16384}, std::pair{11, 29}}) {
    const std::string found = zb::oracle::Disagreement(bytes, first, buffer);
    if (found.empty()) continue;
    std::fprintf(stderr, "%s(first %d, buffer %d)\n", found.c_str(), first, buffer);
    std::abort();
  }
  return 0;
}
