#include "platform/fake/fake_encoding.h"

namespace zb {

bool FakeEncoding::RoundTrips(char32_t c) { return !refused_.contains(c); }

}  // namespace zb
