#pragma once

#include "platform/crash_marker_store.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/picture_loader.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/thumbnail_maker.h"
#include "text/text_encoding.h"

namespace zb {

// Every host service the core uses, in one place.
struct Platform {
  FileSystem& files;
  TextEncoding& encoding;
  SettingsStore& settings;
  Dialogs& dialogs;
  Shell& shell;
  PictureLoader& pictures;
  System& system;
  ThumbnailMaker& thumbnails;
  CrashMarkerStore& crashMarker;
};

}  // namespace zb
