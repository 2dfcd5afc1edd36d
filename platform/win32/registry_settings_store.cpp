#include "platform/win32/registry_settings_store.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

class OpenKey {
 public:
  OpenKey() = default;
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY* Out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// Names holding a NUL would address another key or value than the one meant.
std::optional<std::wstring> WideName(std::string_view name) {
  if (name.find('\0') != std::string_view::npos) return std::nullopt;
  return WideFromUtf8(name);
}

std::optional<std::wstring> SectionPath(const std::string& app, const std::string& section) {
  const auto wideApp = WideName(app);
  const auto wideSection = WideName(section);
  if (!wideApp || !wideSection) return std::nullopt;
  return L"Software\\" + *wideApp + L"\\" + *wideSection;
}

// REG_SZ data need not end in a NUL nor have an even length: the text is
// the whole units up to the first NUL.
std::optional<std::wstring> QueryText(HKEY key, const std::wstring& name) {
  constexpr DWORD kLargest = (RegistrySettingsStore::kLongestText + 1) * sizeof(wchar_t);
  DWORD size = 0;
  // The value may grow between asking its size and reading it.
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS ||
        size > kLargest) {
      return std::nullopt;
    }
    std::wstring text((size + 1) / sizeof(wchar_t), L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD type = 0;
    const LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(text.data()), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    text.resize(size / sizeof(wchar_t));
    text.resize(std::min(text.find(L'\0'), text.size()));
    return text;
  }
  return std::nullopt;
}

bool SetText(HKEY key, const std::string& name, const std::string& value) {
  const auto wideName = WideName(name);
  if (!wideName || value.find('\0') != std::string::npos) return false;
  const std::wstring text = WideFromUtf8(value);
  if (text.size() > RegistrySettingsStore::kLongestText) return false;
  const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, wideName->c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()), size) == ERROR_SUCCESS;
}

}  // namespace

std::string RegistrySettingsStore::Read(const std::string& app, const std::string& section,
                                        const std::string& key, const std::string& fallback) {
  const auto path = SectionPath(app, section);
  const auto name = WideName(key);
  OpenKey open;
  if (!path || !name ||
      RegOpenKeyExW(HKEY_CURRENT_USER, path->c_str(), 0, KEY_QUERY_VALUE, open.Out()) !=
          ERROR_SUCCESS) {
    return fallback;
  }
  const auto text = QueryText(open.get(), *name);
  return text ? Utf8FromWide(*text) : fallback;
}

bool RegistrySettingsStore::Write(const std::string& app, const std::string& section,
                                  const std::string& key, const std::string& value) {
  return WriteSection(app, section, {{key, value}});
}

bool RegistrySettingsStore::WriteSection(const std::string& app, const std::string& section,
                                         const Values& values) {
  const auto path = SectionPath(app, section);
  OpenKey open;
  if (!path || RegCreateKeyExW(HKEY_CURRENT_USER, path->c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                               nullptr, open.Out(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  bool stored = true;
  for (const auto& [key, value] : values) stored = SetText(open.get(), key, value) && stored;
  return stored;
}

}  // namespace zb
