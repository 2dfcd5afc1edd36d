#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/crash_marker_store.h"
#include "platform/win32/registry_settings_store.h"

namespace zb {

// The crash marker as the Windows program keeps it: the value
// HKEY_CURRENT_USER\Software\<app>\PictureBox_LoadPicture_PgmEnd\aFileName.
// A named mutex per application tells a living run's marker from a crash
// record: the writing run holds it from its first path until it writes ""
// or the store goes, and Windows gives it up as abandoned when the holding
// thread ends, killed or not. With no handle left open the mutex is gone
// altogether, and the path reads as a crash record all the same. Runs in
// two logon sessions of one user do not see each other's mutex.
//
// The mutex belongs to a thread, not to the store: the thread that writes a
// run's first path writes all of them, the "" and destroys the store. Two
// stores on one thread do not keep each other out.
class RegistryCrashMarkerStore : public CrashMarkerStore {
 public:
  RegistryCrashMarkerStore();
  ~RegistryCrashMarkerStore() override;
  RegistryCrashMarkerStore(const RegistryCrashMarkerStore&) = delete;
  RegistryCrashMarkerStore& operator=(const RegistryCrashMarkerStore&) = delete;

  std::string Read(const std::string& app, const std::string& fallback) override;
  // False when the registry does not take the path, and while another
  // living run owns the marker, unless clearing: that run's record stands.
  bool Write(const std::string& app, const std::string& picturePath) override;

 private:
  class Owner;

  // Created on first use and kept, as it is needed for every picture.
  Owner& OwnerOf(const std::string& app);

  RegistrySettingsStore registry_;
  std::map<std::string, std::unique_ptr<Owner>> owners_;  // by app
};

}  // namespace zb
