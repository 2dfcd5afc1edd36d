#include "platform/win32/registry_settings_store.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace zb {
namespace {

constexpr char kOptions[] = "CheckBox Value";

// Each test has an application of its own in the real registry and removes
// it afterwards.
class RegistrySettingsStoreTest : public ::testing::Test {
 protected:
  ~RegistrySettingsStoreTest() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, WideFromUtf8("Software\\" + app_).c_str());
  }

  // A section's key, or with no section the application's.
  HKEY Key(const std::string& section, DWORD options = 0) {
    HKEY key = nullptr;
    const std::string below = section.empty() ? "" : "\\" + section;
    const std::wstring path = WideFromUtf8("Software\\" + app_ + below);
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
  }

  void Put(const std::string& name, DWORD type, const void* data, DWORD size) {
    EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER,
                              WideFromUtf8("Software\\" + app_ + "\\" + kOptions).c_str(),
                              WideFromUtf8(name).c_str(), type, data, size),
              ERROR_SUCCESS);
  }

  // The type and bytes of a value as the registry holds them.
  std::pair<DWORD, std::wstring> Stored(const std::string& name) {
    const HKEY key = Key(kOptions);
    DWORD type = 0;
    std::wstring data(1024, L'?');
    DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    EXPECT_EQ(RegQueryValueExW(key, WideFromUtf8(name).c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(data.data()), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    data.resize(size / sizeof(wchar_t));
    return {type, data};
  }

  DWORD ValueCount(const std::string& section) {
    const HKEY key = Key(section);
    DWORD count = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return count;
  }

  const std::string app_ = "ZorbelleTest-" + std::to_string(std::random_device()());
  RegistrySettingsStore store_;
};

TEST_F(RegistrySettingsStoreTest, ValuesComeBackAsWrittenAndAreTerminatedText) {
  const std::string values[] = {
      "C:\\写真\\夏休み★.jpg",
      "",
      "a=b; c [Section]\r\nnext\nline\t",
      "  blanks at both ends  ",
      "C:\\" + std::string(RegistrySettingsStore::kLongestText - 3, 'a'),
  };
  for (const std::string& value : values) {
    ASSERT_TRUE(store_.Write(app_, kOptions, "txtOLEKensaku", value));
    EXPECT_EQ(RegistrySettingsStore().Read(app_, kOptions, "txtOLEKensaku", "?"), value);
  }
  ASSERT_TRUE(store_.Write(app_, kOptions, "txtOLESakusei", "写真"));
  EXPECT_EQ(Stored("txtOLESakusei"), std::make_pair(DWORD{REG_SZ}, std::wstring(L"写真", 3)));
}

TEST_F(RegistrySettingsStoreTest,
       AKeyHoldsOneValueWhateverTheCaseSectionsAreApartAndMissingFallsBack) {
  EXPECT_EQ(store_.Read(app_, kOptions, "chkBmp", "1"), "1");
  ASSERT_TRUE(store_.Write(app_, kOptions, "chkBmp", "0"));
  ASSERT_TRUE(store_.Write(app_, kOptions, "chkSubDir", "0"));
  ASSERT_TRUE(store_.Write(app_, "Other", "chkBmp", "other"));
  ASSERT_TRUE(store_.WriteSection(app_, "checkbox VALUE", {{"CHKBMP", "1"}, {"hscGazoSuu", "7"}}));
  EXPECT_EQ(store_.Read(app_, kOptions, "chkbmp", ""), "1");
  EXPECT_EQ(store_.Read(app_, kOptions, "chkSubDir", ""), "0");
  EXPECT_EQ(store_.Read(app_, kOptions, "HSCGAZOSUU", ""), "7");
  EXPECT_EQ(ValueCount(kOptions), 3u);
  EXPECT_EQ(store_.Read(app_, "Other", "chkBmp", ""), "other");
  EXPECT_EQ(ValueCount("Other"), 1u);
  EXPECT_EQ(store_.Read(app_, kOptions, "chkAllFileList", "1"), "1");
  EXPECT_EQ(store_.Read(app_, "Missing", "chkBmp", "x"), "x");
  EXPECT_EQ(store_.Read(app_ + "-other", kOptions, "chkBmp", "x"), "x");
}

TEST_F(RegistrySettingsStoreTest, OnlyTextOfAReadableLengthIsRead) {
  const DWORD number = 1;
  Put("dword", REG_DWORD, &number, sizeof number);
  Put("binary", REG_BINARY, "1\0", 3);
  Put("expand", REG_EXPAND_SZ, L"%TEMP%", 14);
  Put("multi", REG_MULTI_SZ, L"a\0b\0", 10);
  const std::wstring longest(RegistrySettingsStore::kLongestText, L'a');
  Put("longest", REG_SZ, longest.c_str(), static_cast<DWORD>((longest.size() + 1) * 2));
  Put("longer", REG_SZ, (longest + L'a').c_str(), static_cast<DWORD>((longest.size() + 2) * 2));
  for (const char* name : {"dword", "binary", "expand", "multi", "longer"}) {
    EXPECT_EQ(store_.Read(app_, kOptions, name, "fallback"), "fallback") << name;
  }
  EXPECT_EQ(store_.Read(app_, kOptions, "longest", "").size(), longest.size());
}

TEST_F(RegistrySettingsStoreTest, TextEndsAtItsDataOrItsFirstNul) {
  Put("unterminated", REG_SZ, L"abc", 6);
  Put("odd", REG_SZ, L"abc", 7);
  Put("inner", REG_SZ, L"ab\0cd", 12);
  Put("empty", REG_SZ, L"", 0);
  Put("surrogate", REG_SZ, L"a\xD800", 6);
  EXPECT_EQ(store_.Read(app_, kOptions, "unterminated", "?"), "abc");
  EXPECT_EQ(store_.Read(app_, kOptions, "odd", "?"), "abc");
  EXPECT_EQ(store_.Read(app_, kOptions, "inner", "?"), "ab");
  EXPECT_EQ(store_.Read(app_, kOptions, "empty", "?"), "");
  EXPECT_EQ(store_.Read(app_, kOptions, "surrogate", "?"), "a\uFFFD");
}

TEST_F(RegistrySettingsStoreTest, TextThatWouldNotComeBackIsRefusedAndTheOthersStored) {
  ASSERT_TRUE(store_.Write(app_, kOptions, "txtOLEKensaku", "kept"));
  EXPECT_FALSE(store_.Write(app_, kOptions, "txtOLEKensaku", std::string("a\0b", 3)));
  EXPECT_FALSE(store_.WriteSection(
      app_, kOptions,
      {{"txtOLEKensaku", std::string(RegistrySettingsStore::kLongestText + 1, 'a')},
       {"chkBmp", "0"}}));
  EXPECT_EQ(store_.Read(app_, kOptions, "txtOLEKensaku", ""), "kept");
  EXPECT_EQ(store_.Read(app_, kOptions, "chkBmp", ""), "0");
  // A stray byte costs itself alone.
  ASSERT_TRUE(store_.Write(app_, kOptions, "txtOLEKensaku", "C:\\\x80\\写真"));
  EXPECT_EQ(store_.Read(app_, kOptions, "txtOLEKensaku", ""), "C:\\\uFFFD\\写真");
}

TEST_F(RegistrySettingsStoreTest, ASectionThatCannotBeMadeFailsTheWrite) {
  // The registry keeps no lasting key under a volatile one.
  RegCloseKey(Key("", REG_OPTION_VOLATILE));
  EXPECT_FALSE(store_.Write(app_, kOptions, "chkBmp", "0"));
  EXPECT_EQ(store_.Read(app_, kOptions, "chkBmp", "1"), "1");
}

}  // namespace
}  // namespace zb
