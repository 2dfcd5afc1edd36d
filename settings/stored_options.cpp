#include "settings/stored_options.h"

#include "platform/platform.h"
#include "settings/settings_keys.h"
#include "text/letter_case.h"
#include "text/text_util.h"

namespace zb {

StoredOptions::StoredOptions(Platform& platform)
    : platform_(platform), app_(platform.system.ProgramTitle()) {}

std::string StoredOptions::Text(const char* key, const std::string& fallback) {
  return platform_.settings.Read(app_, kOptionsSection, key, fallback);
}

int StoredOptions::Number(const char* key, int fallback, int min, int max) {
  std::int32_t value = 0;
  if (!ParseInt(Text(key, std::to_string(fallback)), value) || value < min || value > max) {
    return fallback;
  }
  return static_cast<int>(value);
}

bool StoredOptions::Flag(const char* key, bool fallback) {
  const std::string text = Text(key, fallback ? "True" : "False");
  if (EqualsIgnoreCase(text, "True")) return true;
  if (EqualsIgnoreCase(text, "False")) return false;
  return fallback;
}

bool StoredOptions::Has(const char* key) {
  // No stored text holds a NUL, so this default marks a missing key.
  const std::string missing(1, '\0');
  return Text(key, missing) != missing;
}

void StoredOptions::Write(const char* key, const std::string& text) {
  platform_.settings.Write(app_, kOptionsSection, key, text);
}

void StoredOptions::WriteAll(const SettingsStore::Values& values) {
  platform_.settings.WriteSection(app_, kOptionsSection, values);
}

}  // namespace zb
