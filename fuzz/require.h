#pragma once

#include <cstdio>
#include <cstdlib>

namespace zb {

// A property every input must keep; a broken one ends the run as a crash,
// which the fuzzer records with its input.
inline void Require(bool kept, const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
  if (kept) return;
  std::fprintf(stderr, "%s:%d: property broken\n", file, line);
  std::abort();
}

}  // namespace zb
