#pragma once

#include <sys/types.h>

#include <cstdint>

namespace zb {

// What one thumbnail helper process may use. A picture that needs more is
// ended by the kernel instead of exhausting the machine, and gets no
// thumbnail; it keeps its original on the pages.
//
// Memory: address space of the whole helper, libraries and threads included.
// A 64-megapixel decode needs about half of it.
inline constexpr std::uint64_t kHelperAddressSpaceBytes = std::uint64_t{1} << 30;
// AddressSanitizer reserves terabytes of address space for its shadow
// memory: a sanitizer build runs its helpers without that bound.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kHelperAddressSpaceBounded = false;
#elif defined(__has_feature)
inline constexpr bool kHelperAddressSpaceBounded = !__has_feature(address_sanitizer);
#else
inline constexpr bool kHelperAddressSpaceBounded = true;
#endif
// Processor time for one picture; a decode that takes longer is taken for
// a picture made to keep decoders busy.
inline constexpr unsigned kHelperProcessorSecondsPerPicture = 30;

// Binds the calling process, a helper, to the run `run` that started it: it
// is killed when that run ends in any way, leaves no core file, and has the
// memory above. False when the run is gone already (then the helper should
// leave at once).
bool ConfineThumbnailHelper(pid_t run);

// Lets the helper use `seconds` more processor time from now on; beyond it
// the kernel ends the process (SIGXCPU).
void GrantProcessorSeconds(unsigned seconds);

}  // namespace zb
