#pragma once

#include <set>

#include "text/text_encoding.h"

namespace zb {

// Holds every character except those refused, standing in for Shift_JIS.
class FakeEncoding : public TextEncoding {
 public:
  void Refuse(char32_t c) { refused_.insert(c); }
  bool RoundTrips(char32_t c) override;

 private:
  std::set<char32_t> refused_;
};

}  // namespace zb
