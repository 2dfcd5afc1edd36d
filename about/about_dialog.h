#pragma once

#include <functional>
#include <string>

#include "about/about_form.h"
#include "platform/platform.h"

namespace zb {

// The About box: its form and the host services its handlers use. The view
// shows the form modally and closes when unload is called (the OK button).
struct AboutDialog {
  AboutDialog(Platform& platform, std::function<void()> unload);
  AboutDialog(const AboutDialog&) = delete;
  AboutDialog& operator=(const AboutDialog&) = delete;

  Platform& platform;
  AboutForm form;
  std::function<void()> unload;
};

// The About box's own start-up: its caption and the version label.
void Form_Load(AboutDialog& about);
// Starts the system-information program, or says it cannot be used.
void StartSysInfo(AboutDialog& about);

inline constexpr const char* kLocalMachine = "HKEY_LOCAL_MACHINE";

// One string value of the registry into keyVal (empty on failure); false when
// the key or the value cannot be read or the value does not fit the buffer.
bool GetKeyValue(System& system, const std::string& keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal);

// "4.2.1" for version 4.2, revision 1.
std::string DottedVersion(const Version& version);

}  // namespace zb
