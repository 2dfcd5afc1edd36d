#include "platform/fake/fake_settings_store.h"

namespace zb {

std::string FakeSettingsStore::Read(const std::string& app, const std::string& section,
                                    const std::string& key, const std::string& fallback) {
  const auto found = values.find({app, section, key});
  return found == values.end() ? fallback : found->second;
}

bool FakeSettingsStore::Write(const std::string& app, const std::string& section,
                              const std::string& key, const std::string& value) {
  if (writesFail) return false;
  values[{app, section, key}] = value;
  return true;
}

}  // namespace zb
