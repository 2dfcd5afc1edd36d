#pragma once

#include "platform/fake/fake_crash_marker_store.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_encoding.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_picture_loader.h"
#include "platform/fake/fake_settings_store.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_thumbnail_maker.h"
#include "platform/platform.h"

namespace zb {

// One fake of each service, and the Platform that hands them to the core.
struct FakePlatform {
  FakeFileSystem files;
  FakeEncoding encoding;
  FakeSettingsStore settings;
  FakeDialogs dialogs;
  FakeShell shell;
  FakePictureLoader pictures;
  FakeSystem system{files};
  FakeThumbnailMaker thumbnails;
  FakeCrashMarkerStore crashMarker{settings};
  Platform platform{files,    encoding, settings,   dialogs,    shell,
                    pictures, system,   thumbnails, crashMarker};
};

}  // namespace zb
