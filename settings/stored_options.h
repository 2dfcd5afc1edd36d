#pragma once

#include <string>

#include "platform/settings_store.h"

namespace zb {

struct Platform;

// The option section of the settings store, read and written as text. A
// stored text that the control cannot take reads as the key's default.
class StoredOptions {
 public:
  explicit StoredOptions(Platform& platform);

  std::string Text(const char* key, const std::string& fallback);
  // A whole number from min to max.
  int Number(const char* key, int fallback, int min, int max);
  // "True" or "False", in any letter case.
  bool Flag(const char* key, bool fallback);

  // Whether the key is stored at all.
  bool Has(const char* key);

  void Write(const char* key, const std::string& text);
  // All at once, as saving at exit does.
  void WriteAll(const SettingsStore::Values& values);

 private:
  Platform& platform_;
  std::string app_;
};

}  // namespace zb
