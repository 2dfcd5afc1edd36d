// The view's translations between the model's terms and Win32's.
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "app_win32/win32_dialogs.h"
#include "app_win32/win32_menus.h"
#include "app_win32/win32_path_field.h"
#include "app_win32/win32_view_style.h"

namespace zb {
namespace {

TEST(Win32Shortcuts, ModifiersAndKeysBecomeAcceleratorsAndOthersNone) {
  const auto ctrlS = AcceleratorOf("Ctrl+S", 7);
  ASSERT_TRUE(ctrlS);
  EXPECT_EQ(ctrlS->fVirt, FVIRTKEY | FCONTROL);
  EXPECT_EQ(ctrlS->key, 'S');
  EXPECT_EQ(ctrlS->cmd, 7);
  const auto stop = AcceleratorOf("Shift+F5", 8);
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->fVirt, FVIRTKEY | FSHIFT);
  EXPECT_EQ(stop->key, VK_F5);
  EXPECT_EQ(AcceleratorOf("F1", 9)->key, VK_F1);
  EXPECT_EQ(AcceleratorOf("F12", 9)->key, VK_F12);
  EXPECT_FALSE(AcceleratorOf("", 9));
  EXPECT_FALSE(AcceleratorOf("Ctrl+", 9));
  EXPECT_FALSE(AcceleratorOf("F0", 9));
  EXPECT_FALSE(AcceleratorOf("F25", 9));
}

TEST(Win32MessageBoxes, ButtonsIconAndTheDefaultButtonAsAsked) {
  EXPECT_EQ(MessageBoxStyle({"t", "c", Buttons::kOk, Icon::kNone, Answer::kOk}),
            static_cast<UINT>(MB_OK | MB_DEFBUTTON1));
  EXPECT_EQ(MessageBoxStyle({"t", "c", Buttons::kYesNo, Icon::kCritical, Answer::kNo}),
            static_cast<UINT>(MB_YESNO | MB_ICONERROR | MB_DEFBUTTON2));
  EXPECT_EQ(MessageBoxStyle({"t", "c", Buttons::kYesNo, Icon::kNone, Answer::kYes}),
            static_cast<UINT>(MB_YESNO | MB_DEFBUTTON1));
  EXPECT_EQ(MessageBoxStyle({"t", "c", Buttons::kOkCancel, Icon::kNone, Answer::kCancel}),
            static_cast<UINT>(MB_OKCANCEL | MB_DEFBUTTON2));
}

TEST(Win32PathField, CharactersCountAPairOfSurrogatesAsOne) {
  const std::wstring text = L"a\U0001F600b";  // a, one pair, b
  for (const auto& [units, characters] : {std::pair{0, 0}, {1, 1}, {3, 2}, {4, 3}, {9, 3}}) {
    EXPECT_EQ(CharactersIn(text, units), characters) << units;
  }
  for (const auto& [characters, units] : {std::pair{1, 1}, {2, 3}, {3, 4}, {7, 4}}) {
    EXPECT_EQ(UnitsOf(text, characters), units) << characters;
  }
}

TEST(Win32Scaling, TwipsBecomePixelsAtTheMonitorsDotsPerInch) {
  EXPECT_EQ(Pixels(1500, 96), 100);
  EXPECT_EQ(Pixels(1500, 144), 150);
  EXPECT_EQ(Twips(150, 144), 1500);
  const RECT r = PixelRect({150, 300, 1500, 315}, {10, 20}, 192);
  EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
            (std::array<LONG, 4>{30, 60, 230, 102}));
}

}  // namespace
}  // namespace zb
