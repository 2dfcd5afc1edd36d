#include "gallery/signed_number.h"

namespace zb {

std::string SignedNumber(std::int64_t value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

}  // namespace zb
