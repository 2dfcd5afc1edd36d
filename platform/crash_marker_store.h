#pragma once

#include <string>

namespace zb {

// Where the marker lives among an application's settings, as the Windows
// program keeps it in its registry section.
inline constexpr const char* kCrashMarkerSection = "PictureBox_LoadPicture_PgmEnd";
inline constexpr const char* kCrashMarkerKey = "aFileName";

// The picture a run is about to load, kept so that the next start can name
// it if loading brings the process down. Written before every picture, so a
// store makes a write cheap and has it outlive the process.
class CrashMarkerStore {
 public:
  virtual ~CrashMarkerStore() = default;
  // The picture recorded for app; fallback when none was ever recorded, ""
  // while another living run owns the marker: that names no crash.
  virtual std::string Read(const std::string& app, const std::string& fallback) = 0;
  // Records picturePath, "" for none. False when the store did not take it.
  virtual bool Write(const std::string& app, const std::string& picturePath) = 0;
};

}  // namespace zb
