// The Win32 window driven as a user drives it: through the controls'
// own messages, hidden, over a program on fake host services.
#include "app_win32/win32_main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "app_win32/win32_about_window.h"
#include "app_win32/win32_view_style.h"
#include "platform/win32/wide_text.h"
#include "testing/fake_program.h"
#include "window/path_field_input.h"

namespace zb {
namespace {

std::array<LONG, 4> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

struct Win32WindowTest : testing::Test {
  HWND H(const Control& control) const { return window.HandleOf(control); }
  static std::wstring WideText(HWND h) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return text;
  }
  std::string Text(const Control& control) const { return Utf8FromWide(WideText(H(control))); }
  // Where the control is, in the window's client pixels.
  RECT Rect(const Control& control) const {
    RECT r{};
    GetWindowRect(H(control), &r);
    MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  RECT Expected(const Bounds& b, POINT origin) const { return PixelRect(b, origin, window.Dpi()); }
  POINT Origin(std::initializer_list<const Control*> containers) const {
    POINT p{};
    for (const Control* c : containers) {
      p.x += Pixels(c->Bounds().left, window.Dpi());
      p.y += Pixels(c->Bounds().top, window.Dpi());
    }
    return p;
  }
  bool Shown(const Control& control) const {
    return (GetWindowLongW(H(control), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  LRESULT Checked(const Control& control) const {
    return SendMessageW(H(control), BM_GETCHECK, 0, 0);
  }
  void Click(const Control& control) { SendMessageW(H(control), BM_CLICK, 0, 0); }
  void Choose(const MenuItem& item) {
    SendMessageW(window.Handle(), WM_COMMAND, static_cast<WPARAM>(window.MenuIdOf(item)), 0);
  }
  UINT MenuState(const MenuItem& item) {
    return GetMenuState(GetMenu(window.Handle()), static_cast<UINT>(window.MenuIdOf(item)),
                        MF_BYCOMMAND);
  }

  FakeProgram f;
  MainForm& m = f.form;
  Win32MainWindow window{f.program};
};

TEST_F(Win32WindowTest, ControlsSitInTheirContainersAtTheirScaledPlacesWithTheirCaptions) {
  EXPECT_EQ(Corners(Rect(m.Frame6)), Corners(Expected(m.Frame6.Bounds(), {})));
  EXPECT_EQ(Corners(Rect(m.txtOLEKensaku)),
            Corners(Expected(m.txtOLEKensaku.Bounds(), Origin({&m.Frame6}))));
  EXPECT_EQ(Corners(Rect(m.cmdStop)), Corners(Expected(m.cmdStop.Bounds(), Origin({&m.Frame3}))));
  // A page's controls sit on the page, below the tabs themselves.
  RECT page = Rect(m.SSTab1);
  SendMessageW(H(m.SSTab1), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  EXPECT_GT(page.top, Rect(m.SSTab1).top);
  const POINT inFrame1 = Origin({&m.Frame1});
  EXPECT_EQ(
      Corners(Rect(m.hscGazoSuu)),
      Corners(Expected(m.hscGazoSuu.Bounds(), {page.left + inFrame1.x, page.top + inFrame1.y})));

  EXPECT_EQ(Text(m.Frame6), m.Frame6.Caption());
  EXPECT_EQ(Text(m.chkSubDir), "ｻﾌﾞﾌｫﾙﾀﾞも検索");
  EXPECT_EQ(Text(m.cmdStart), m.cmdStart.Caption());
  EXPECT_EQ(Text(m.LblComment), m.LblComment.Caption());
  EXPECT_EQ(Utf8FromWide(WideText(window.Handle())), m.Window.Caption());
  EXPECT_FALSE(Shown(m.Label4)) << "hidden in the model, hidden on the screen";
}

TEST_F(Win32WindowTest, BoxesAndOptionsFollowTheModelAndSetIt) {
  const int before = m.chkSubDir.Value();
  Click(m.chkSubDir);
  EXPECT_EQ(m.chkSubDir.Value(), before == 1 ? 0 : 1);
  EXPECT_EQ(Checked(m.chkSubDir), m.chkSubDir.Value() == 1 ? BST_CHECKED : BST_UNCHECKED);
  m.chkSubDir.SetValue(2);
  EXPECT_EQ(Checked(m.chkSubDir), BST_INDETERMINATE);

  m.chkGazoHtml.SetValue(1);
  Click(m.optWin2[2]);
  EXPECT_TRUE(m.optWin2[2].Value());
  EXPECT_EQ(Checked(m.optWin2[2]), BST_CHECKED);
  EXPECT_EQ(Checked(m.optWin2[0]), BST_UNCHECKED) << "the group clears the others";

  // The gallery box's handler locks the options that depend on it.
  m.chkGazoHtml.SetValue(1);
  Click(m.chkGazoHtml);
  EXPECT_EQ(m.chkGazoHtml.Value(), 0);
  EXPECT_FALSE(IsWindowEnabled(H(m.chkBmp)));
  Click(m.chkGazoHtml);
  EXPECT_TRUE(IsWindowEnabled(H(m.chkBmp)));
}

TEST_F(Win32WindowTest, TypingInAPathFieldSetsTheFieldAndTheModelShowsInIt) {
  SendMessageW(H(m.txtOLESakusei), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"D:\\出力\\a.htm"));
  EXPECT_EQ(m.txtOLESakusei.Text(), "D:\\出力\\a.htm");
  m.txtOLEKensaku.SetText("C:\\写真");
  EXPECT_EQ(Text(m.txtOLEKensaku), "C:\\写真");
  m.txtOLEKensaku.Select(3, 2);
  DWORD start = 0, end = 0;
  SendMessageW(H(m.txtOLEKensaku), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 3u);
  EXPECT_EQ(end, 5u);
}

TEST_F(Win32WindowTest, ThePagesOfTheTabStripShowOnlyTheirOwnControls) {
  m.SSTab1.SetTab(1);
  EXPECT_EQ(SendMessageW(H(m.SSTab1), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(Shown(m.optWin2[0]));
  EXPECT_FALSE(Shown(m.chkGazoHtml));
  EXPECT_FALSE(Shown(m.chkAllFileList));

  SendMessageW(H(m.SSTab1), TCM_SETCURSEL, 2, 0);
  NMHDR chosen{H(m.SSTab1), static_cast<UINT_PTR>(GetDlgCtrlID(H(m.SSTab1))),
               static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(window.Handle(), WM_NOTIFY, chosen.idFrom, reinterpret_cast<LPARAM>(&chosen));
  EXPECT_EQ(m.SSTab1.Tab(), 2);
  EXPECT_TRUE(Shown(m.chkAllFileList));
  EXPECT_FALSE(Shown(m.optWin2[0]));
}

TEST_F(Win32WindowTest, ScrollBarsStepByTheModelsChangesAndStayInRange) {
  ScrollBar& bar = m.hscGazoSuu;
  const int start = bar.Value();
  auto scroll = [&](int request) {
    SendMessageW(window.Handle(), WM_HSCROLL, static_cast<WPARAM>(request),
                 reinterpret_cast<LPARAM>(H(bar)));
  };
  scroll(SB_LINERIGHT);
  EXPECT_EQ(bar.Value(), std::min(start + bar.SmallChange(), bar.Max()));
  scroll(SB_RIGHT);
  scroll(SB_PAGERIGHT);
  EXPECT_EQ(bar.Value(), bar.Max());
  EXPECT_EQ(GetScrollPos(H(bar), SB_CTL), bar.Max());
  scroll(SB_PAGELEFT);
  EXPECT_EQ(bar.Value(), std::max(bar.Max() - bar.LargeChange(), bar.Min()));
  EXPECT_EQ(Text(m.lGazosu), m.lGazosu.Caption()) << "the label the change updates";
}

TEST_F(Win32WindowTest, MenusFollowTheirItemsAndChooseThem) {
  MenuItem& thumbnails = m.mnuOptionItem[kOptionThumbnails];
  const bool was = thumbnails.Checked();
  Choose(thumbnails);
  EXPECT_NE(thumbnails.Checked(), was);
  EXPECT_EQ((MenuState(thumbnails) & MF_CHECKED) != 0, thumbnails.Checked());
  EXPECT_TRUE(MenuState(m.mnuRunItem[1]) & MF_GRAYED) << "Stop waits for a run";

  wchar_t text[128] = {};
  GetMenuStringW(GetMenu(window.Handle()), static_cast<UINT>(window.MenuIdOf(m.mnuRunItem[0])),
                 text, 128, MF_BYCOMMAND);
  EXPECT_EQ(Utf8FromWide(text), m.mnuRunItem[0].Caption() + "\tF5");
}

TEST_F(Win32WindowTest, StartLocksTheWindowAndStopEndsTheRun) {
  for (int i = 0; i < 6; ++i) f.files.AddFile("C:\\pics\\" + std::to_string(i) + ".gif", "GIF89a");
  bool pressed = false, startLocked = false, stopUsable = false, menuStopUsable = false;
  f.host.system.onYield = [&] {
    if (f.run.FileCount != 2 || pressed) return;
    pressed = true;
    startLocked = !IsWindowEnabled(H(m.cmdStart)) && !IsWindowEnabled(H(m.txtOLEKensaku));
    stopUsable = IsWindowEnabled(H(m.cmdStop));
    menuStopUsable = !(MenuState(m.mnuRunItem[1]) & MF_GRAYED);
    Click(m.cmdStop);
  };
  f.host.dialogs.answers = {Answer::kYes, Answer::kOk, Answer::kOk};
  Click(m.cmdStart);
  EXPECT_TRUE(startLocked);
  EXPECT_TRUE(stopUsable);
  EXPECT_TRUE(menuStopUsable);
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kStopped);
  EXPECT_LT(f.run.FileCount, 6);
  EXPECT_TRUE(IsWindowEnabled(H(m.cmdStart)));
  EXPECT_FALSE(IsWindowEnabled(H(m.cmdStop)));
}

TEST_F(Win32WindowTest, ClosingDuringARunWaitsForTheRunToEnd) {
  f.files.AddFile("C:\\pics\\a.gif", "GIF89a");
  bool stillThere = false;
  f.host.system.onYield = [&] {
    if (f.program.closeAfterRun) return;
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    stillThere = IsWindow(window.Handle()) && f.program.closeAfterRun;
  };
  // Pressed on the model: the program's end must not unwind through the system's frames.
  EXPECT_THROW(m.cmdStart.Press(), FakeProgramEnded) << "the run ends, then the program";
  EXPECT_TRUE(stillThere);
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kStopped);
}

TEST_F(Win32WindowTest, AStatusTextCutOffAtTheLabelIsWholeInItsToolTip) {
  m.LblComment.SetCaption("C:\\写真");
  EXPECT_EQ(window.TipOf(m.LblComment), "");
  std::string longText;
  for (int i = 0; i < 12; ++i) longText += "C:\\写真\\とても長いフォルダの名前\\";
  m.LblComment.SetCaption(longText);
  EXPECT_EQ(Text(m.LblComment), longText);
  EXPECT_EQ(window.TipOf(m.LblComment), longText);
  m.LblComment.SetToolTip("own");
  EXPECT_EQ(window.TipOf(m.LblComment), "own") << "a label's own tip comes first";
  m.LblComment.SetToolTip("");
  m.LblComment.SetCaption("short");
  EXPECT_EQ(window.TipOf(m.LblComment), "");
}

TEST_F(Win32WindowTest, ChoosingAFolderInTheListOpensItOnceTheListIsDone) {
  f.files.AddFolder("C:\\pics\\夏");
  RefreshFolderLists(f.program);
  const auto& items = m.Dir1.Items();
  const auto summer = std::find(items.begin(), items.end(), "C:\\pics\\夏");
  ASSERT_NE(summer, items.end());
  HWND list = H(m.Dir1);
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(summer - items.begin()), 0);
  SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK),
               reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(m.Dir1.Path(), "C:\\pics") << "not inside the list's own notification";
  window.PumpMessages();
  EXPECT_EQ(m.Dir1.Path(), "C:\\pics\\夏");
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0),
            std::find(m.Dir1.Items().begin(), m.Dir1.Items().end(), m.Dir1.Path()) -
                m.Dir1.Items().begin());
  // Enter in the list reaches the window as IDOK, as IsDialogMessage sends it.
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  SetFocus(list);
  ASSERT_EQ(GetFocus(), list);
  SendMessageW(window.Handle(), WM_COMMAND, IDOK, 0);
  window.PumpMessages();
  EXPECT_EQ(m.Dir1.Path(), "C:\\") << "the root, the list's first row";
}

TEST_F(Win32WindowTest, OnAMonitorOfAnotherDensityTheControlsAreMadeAnewToScale) {
  m.chkSubDir.SetValue(1);
  RECT suggested{10, 20, 900, 720};
  SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  ASSERT_EQ(window.Dpi(), 144u);
  EXPECT_EQ(Corners(Rect(m.cmdStop)), Corners(Expected(m.cmdStop.Bounds(), Origin({&m.Frame3}))));
  EXPECT_EQ(Rect(m.cmdStop).right - Rect(m.cmdStop).left, 90) << "900 twips at 144 dots an inch";
  EXPECT_EQ(Checked(m.chkSubDir), BST_CHECKED);
  Click(m.chkSubDir);
  EXPECT_EQ(m.chkSubDir.Value(), 0) << "the new controls are bound";
  RECT outer{};
  GetWindowRect(window.Handle(), &outer);
  EXPECT_EQ(Corners(outer), Corners(suggested));
}

TEST_F(Win32WindowTest, AChoiceInAFixedListSetsItsTextAndTheTextChoosesTheRow) {
  ComboBox& combo = m.cmbGazoSuu;
  ASSERT_GE(combo.Items().size(), 2u);
  HWND h = H(combo);
  EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(combo.Items().size()));
  SendMessageW(h, CB_SETCURSEL, 1, 0);
  SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(h));
  EXPECT_EQ(combo.Text(), combo.Items()[1]);
  combo.SetText(combo.Items()[0]);
  EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), 0);
}

// Enter in a path field goes to the form first; F5 there is the run menu's.
TEST_F(Win32WindowTest, KeysInAPathFieldGoToTheFormOrTheMenusShortcutsFirst) {
  int keys = 0;
  m.txtOLEKensaku.KeyPress = [&keys](int& keyCode) {
    ++keys;
    EXPECT_EQ(keyCode, kEnterKey);
    keyCode = 0;
  };
  SendMessageW(H(m.txtOLEKensaku), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(keys, 1);
  SendMessageW(H(m.txtOLEKensaku), WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(keys, 1) << "other keys are the field's own";
  f.files.AddFile("C:\\pics\\a.gif", "GIF89a");
  PostMessageW(H(m.txtOLEKensaku), WM_KEYDOWN, VK_F5, 0);
  window.PumpMessages();
  EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
}

TEST_F(Win32WindowTest, TheWindowFollowsItsTitleAndPlace) {
  m.Window.SetCaption("題名");
  m.Window.Move(1500, 3000, m.Window.Bounds().width, m.Window.Bounds().height);
  EXPECT_EQ(Utf8FromWide(WideText(window.Handle())), "題名");
  RECT outer{};
  GetWindowRect(window.Handle(), &outer);
  EXPECT_EQ(outer.left, Pixels(1500, window.Dpi()));
  EXPECT_EQ(outer.top, Pixels(3000, window.Dpi()));
}

// Files dropped from the shell, as WM_DROPFILES carries them.
HDROP DropOf(const std::vector<std::wstring>& files) {
  std::wstring names;
  for (const std::wstring& file : files) names += file + L'\0';
  names += L'\0';
  const std::size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST_F(Win32WindowTest, AFileDroppedOnTheSearchFieldOpensItsFolder) {
  f.files.AddFolder("D:\\写真");
  SendMessageW(H(m.txtOLEKensaku), WM_DROPFILES,
               reinterpret_cast<WPARAM>(DropOf({L"D:\\写真\\a.jpg", L"D:\\out"})), 0);
  EXPECT_EQ(m.Dir1.Path(), "D:\\写真");
  EXPECT_EQ(Text(m.txtOLEKensaku), "D:\\写真");
  EXPECT_EQ(f.host.system.clipboard, "D:\\写真\\a.jpg");
}

TEST_F(Win32WindowTest, TheAboutBoxShowsItsModelAndOkClosesIt) {
  Win32AboutWindow about(window.Handle(), f.host.platform);
  AboutForm& a = about.form();
  const auto text = [&about](const Control& control) { return WideText(about.HandleOf(control)); };
  EXPECT_EQ(Utf8FromWide(text(a.cmdOK)), a.cmdOK.Caption());
  EXPECT_EQ(Utf8FromWide(text(a.lblTitle)), "★Zorbelle♪");
  EXPECT_FALSE(Utf8FromWide(text(a.lblVersion)).empty());
  const std::wstring help = text(a.Text1);
  ASSERT_NE(help.find(L"\r\n"), std::wstring::npos) << "an edit control breaks lines at CR LF";
  for (std::size_t i = help.find(L'\n'); i != std::wstring::npos; i = help.find(L'\n', i + 1)) {
    ASSERT_EQ(help[i - 1], L'\r') << "at " << i;
  }
  RECT textPlace{}, okPlace{};
  GetWindowRect(about.HandleOf(a.Text1), &textPlace);
  GetWindowRect(about.HandleOf(a.cmdOK), &okPlace);
  EXPECT_GT(okPlace.top, textPlace.bottom);

  EXPECT_FALSE(about.Closed());
  SendMessageW(about.HandleOf(a.cmdOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(about.Closed());
}

}  // namespace
}  // namespace zb
