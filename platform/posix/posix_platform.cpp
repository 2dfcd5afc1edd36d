#include "platform/posix/posix_platform.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>

namespace zb {
namespace {

std::string SearchPathFromEnvironment() {
  const char* path = std::getenv("PATH");
  return path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
}

// ZORBELLE_READ_AHEAD=N reads pictures ahead of a walk on N threads; 0 turns
// reading ahead off, e.g. to compare.
int ReadAheadThreadsFromEnvironment() {
  constexpr int kDefault = 8;
  const char* text = std::getenv("ZORBELLE_READ_AHEAD");
  if (text == nullptr || *text == '\0') return kDefault;
  char* end = nullptr;
  const long threads = std::strtol(text, &end, 10);
  if (*end != '\0' || threads < 0) return kDefault;
  return static_cast<int>(std::min(threads, 16L));
}

// A run allocates and frees page buffers and batches of picture heads over
// and over. By default glibc hands the top of the heap back to the kernel
// and takes it again (150 times in a run over 25,000 files), and maps each
// batch of heads afresh, paying a page fault for every page taken again.
void KeepFreedMemoryForReuse() {
  constexpr int kMiB = 1 << 20;
  mallopt(M_TRIM_THRESHOLD, 16 * kMiB);
  mallopt(M_TOP_PAD, kMiB);
  mallopt(M_MMAP_THRESHOLD, kMiB);
}

}  // namespace

PosixPlatform::PosixPlatform()
    : PosixPlatform(DriveTable::FromEnvironment(), IniSettingsStore::ConfigHomeFromEnvironment(),
                    SearchPathFromEnvironment(), ThumbnailerProgram(),
                    ReadAheadThreadsFromEnvironment()) {
  KeepFreedMemoryForReuse();
}

PosixPlatform::PosixPlatform(DriveTable drives, std::string configHome, std::string searchPath,
                             std::string workerProgram, int readAheadThreads, OutputCalls output)
    : paths_(std::move(drives)),
      files_(paths_, encoding_, output, readAheadThreads),
      settings_(configHome),
      shell_(paths_),
      pictures_(paths_),
      system_(paths_, std::move(searchPath)),
      thumbnails_(paths_, std::move(workerProgram)),
      crashMarker_(std::move(configHome)) {}

Platform PosixPlatform::With(Dialogs& dialogs) {
  return Platform{files_,    encoding_, settings_,   dialogs,     shell_,
                  pictures_, system_,   thumbnails_, crashMarker_};
}

}  // namespace zb
