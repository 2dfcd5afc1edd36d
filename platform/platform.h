#pragma once

#include <type_traits>

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

  // The same services but one, which other takes the place of: a test's
  // fake, the window's dialogs, a shell that opens nothing.
  template <typename Service>
  Platform With(Service& other) const {
    static_assert(
        std::is_base_of_v<FileSystem, Service> || std::is_base_of_v<TextEncoding, Service> ||
            std::is_base_of_v<SettingsStore, Service> || std::is_base_of_v<Dialogs, Service> ||
            std::is_base_of_v<Shell, Service> || std::is_base_of_v<PictureLoader, Service> ||
            std::is_base_of_v<System, Service> || std::is_base_of_v<ThumbnailMaker, Service> ||
            std::is_base_of_v<CrashMarkerStore, Service>,
        "not a host service");
    return {Either(files, other),   Either(encoding, other),   Either(settings, other),
            Either(dialogs, other), Either(shell, other),      Either(pictures, other),
            Either(system, other),  Either(thumbnails, other), Either(crashMarker, other)};
  }

 private:
  template <typename Kind, typename Service>
  static Kind& Either(Kind& mine, Service& other) {
    if constexpr (std::is_base_of_v<Kind, Service>) {
      return other;
    } else {
      return mine;
    }
  }
};

}  // namespace zb
