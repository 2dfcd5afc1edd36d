#pragma once

#include "platform/platform.h"
#include "platform/win32/registry_crash_marker_store.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_picture_measurer.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_shift_jis_encoding.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_thumbnail_maker.h"

namespace zb {

// Owns one of each Windows host service. The caller brings the dialogs,
// which differ between the window and the command line.
class Win32Platform {
 public:
  // Thumbnails are made by the helper program beside this one.
  Win32Platform() : Win32Platform(ThumbnailerProgram()) {}
  explicit Win32Platform(std::string helperProgram)
      : files_(encoding_), thumbnails_(std::move(helperProgram)) {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // The services as the core takes them; valid while this object lives.
  Platform With(Dialogs& dialogs) {
    return Platform{files_,    encoding_, settings_,   dialogs,     shell_,
                    pictures_, system_,   thumbnails_, crashMarker_};
  }
  // The yield hook and the clipboard.
  Win32System& system() { return system_; }

 private:
  Win32ShiftJisEncoding encoding_;
  Win32FileSystem files_;
  RegistrySettingsStore settings_;
  Win32Shell shell_;
  Win32PictureMeasurer pictures_;
  Win32System system_;
  Win32ThumbnailMaker thumbnails_;
  RegistryCrashMarkerStore crashMarker_;
};

}  // namespace zb
