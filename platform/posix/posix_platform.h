#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/posix/drive_paths.h"
#include "platform/posix/ini_crash_marker_store.h"
#include "platform/posix/ini_settings_store.h"
#include "platform/posix/picture_measurer.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_shell.h"
#include "platform/posix/posix_system.h"
#include "platform/posix/posix_thumbnail_maker.h"
#include "platform/posix/shift_jis_encoding.h"

namespace zb {

// Owns one of each POSIX host service. The caller brings the dialogs, which
// differ between the window and the command line.
class PosixPlatform {
 public:
  // Drives from ZORBELLE_DRIVES (default C: = home, Z: = /), settings under
  // $XDG_CONFIG_HOME (default ~/.config), programs looked for on $PATH,
  // pictures read ahead on $ZORBELLE_READ_AHEAD threads (default 8, woken
  // only as reads fall behind). Tunes the process's memory allocator.
  PosixPlatform();
  // workerProgram serves the thumbnail helpers (default: the helper program);
  // output varies how output files are written.
  PosixPlatform(DriveTable drives, std::string configHome, std::string searchPath,
                std::string workerProgram = ThumbnailerProgram(), int readAheadThreads = 0,
                OutputCalls output = {});
  PosixPlatform(const PosixPlatform&) = delete;
  PosixPlatform& operator=(const PosixPlatform&) = delete;

  // The services as the core takes them; valid while this object lives.
  Platform With(Dialogs& dialogs);

  // Host paths from the command line or a drop become drive paths here.
  DrivePaths& paths() { return paths_; }
  // The yield hook and the clipboard text.
  PosixSystem& system() { return system_; }
  PosixThumbnailMaker& thumbnails() { return thumbnails_; }

 private:
  DrivePaths paths_;
  ShiftJisEncoding encoding_;
  PosixFileSystem files_;
  IniSettingsStore settings_;
  PosixShell shell_;
  PictureMeasurer pictures_;
  PosixSystem system_;
  PosixThumbnailMaker thumbnails_;
  IniCrashMarkerStore crashMarker_;
};

}  // namespace zb
