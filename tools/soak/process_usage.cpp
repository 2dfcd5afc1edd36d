#include "tools/soak/process_usage.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace zb::soak {

std::size_t ResidentKiB() {
  std::size_t size = 0;
  std::size_t resident = 0;
  std::ifstream("/proc/self/statm") >> size >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) / 1024;
}

int OpenDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count - 1;
}

}  // namespace zb::soak
