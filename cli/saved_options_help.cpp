#include "cli/saved_options_help.h"

#include "cli/cli_options.h"
#include "window/form_lifecycle.h"
#include "window/program.h"

namespace zb {
namespace {

// Reads the settings, keeps every write to itself.
class ReadOnlySettings : public SettingsStore {
 public:
  explicit ReadOnlySettings(SettingsStore& host) : host_(host) {}
  std::string Read(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& fallback) override {
    return host_.Read(app, section, key, fallback);
  }
  bool Write(const std::string&, const std::string&, const std::string&,
             const std::string&) override {
    return true;
  }

 private:
  SettingsStore& host_;
};

// Reads the marker, keeps every write to itself.
class ReadOnlyCrashMarker : public CrashMarkerStore {
 public:
  explicit ReadOnlyCrashMarker(CrashMarkerStore& host) : host_(host) {}
  std::string Read(const std::string& app, const std::string& fallback) override {
    return host_.Read(app, fallback);
  }
  bool Write(const std::string&, const std::string&) override { return true; }

 private:
  CrashMarkerStore& host_;
};

// Every box takes its default button unseen.
class SilentDialogs : public Dialogs {
 public:
  Answer Show(const MessageBox& box) override { return box.defaultButton; }
  std::optional<std::string> OpenFile(const OpenFileRequest&) override { return std::nullopt; }
};

}  // namespace

std::string SavedOptionsHelp(const std::function<Platform(Dialogs&)>& servicesWith) {
  SilentDialogs dialogs;
  const Platform host = servicesWith(dialogs);
  ReadOnlySettings settings(host.settings);
  ReadOnlyCrashMarker marker(host.crashMarker);
  Platform quiet = host.With(settings).With(marker);
  Program program(quiet);
  Form_Load(program);
  return "Options not given keep their saved values. Saved now:\n  " +
         DescribeOptions(program.form) + "\n";
}

}  // namespace zb
