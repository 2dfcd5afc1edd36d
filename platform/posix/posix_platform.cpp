#include "platform/posix/posix_platform.h"

#include <cstdlib>

namespace zb {
namespace {

std::string SearchPathFromEnvironment() {
  const char* path = std::getenv("PATH");
  return path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
}

}  // namespace

PosixPlatform::PosixPlatform()
    : PosixPlatform(DriveTable::FromEnvironment(), IniSettingsStore::ConfigHomeFromEnvironment(),
                    SearchPathFromEnvironment()) {}

PosixPlatform::PosixPlatform(DriveTable drives, std::string configHome, std::string searchPath,
                             std::string workerProgram)
    : paths_(std::move(drives)),
      files_(paths_, encoding_),
      settings_(std::move(configHome)),
      shell_(paths_),
      pictures_(paths_),
      system_(paths_, std::move(searchPath)),
      thumbnails_(paths_, std::move(workerProgram)) {}

Platform PosixPlatform::With(Dialogs& dialogs) {
  return Platform{files_, encoding_, settings_, dialogs, shell_, pictures_, system_, thumbnails_};
}

}  // namespace zb
