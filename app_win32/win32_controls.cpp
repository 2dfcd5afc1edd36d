#include "app_win32/win32_controls.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "text/letter_case.h"
#include "window/folder_list_items.h"

namespace zb {
namespace {

using Place = ControlBinding::Place;

std::wstring TextOf(HWND handle) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(handle, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetText(HWND handle, const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  if (TextOf(handle) != wide) SetWindowTextW(handle, wide.c_str());
}

int IndexOf(const std::vector<std::string>& items, const std::string& text) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (EqualsIgnoreCase(items[i], text)) return static_cast<int>(i);
  }
  return -1;
}

// Fills a list box or combo box with items unless it shows them already.
void ShowItems(HWND handle, const std::vector<std::wstring>& items, bool combo) {
  const UINT count = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT length = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const UINT get = combo ? CB_GETLBTEXT : LB_GETTEXT;
  bool same = SendMessageW(handle, count, 0, 0) == static_cast<LRESULT>(items.size());
  for (std::size_t i = 0; same && i < items.size(); ++i) {
    std::wstring shown(static_cast<std::size_t>(SendMessageW(handle, length, i, 0)) + 1, L'\0');
    shown.resize(static_cast<std::size_t>(
        SendMessageW(handle, get, i, reinterpret_cast<LPARAM>(shown.data()))));
    same = shown == items[i];
  }
  if (same) return;
  SendMessageW(handle, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
  for (const std::wstring& item : items) {
    SendMessageW(handle, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(item.c_str()));
  }
}

std::vector<std::wstring> Wide(const std::vector<std::string>& items) {
  std::vector<std::wstring> wide;
  for (const std::string& item : items) wide.push_back(WideFromUtf8(item));
  return wide;
}

std::string ItemText(HWND combo, LRESULT index) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return Utf8FromWide(text);
}

// Whether the label's text, broken into lines as it shows it, fits.
bool TextFits(HWND label) {
  RECT inside{};
  GetClientRect(label, &inside);
  const std::wstring text = TextOf(label);
  HDC dc = GetDC(label);
  HGDIOBJ before =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, inside.right, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
            DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
  SelectObject(dc, before);
  ReleaseDC(label, dc);
  return needed.bottom <= inside.bottom && needed.right <= inside.right;
}

// A group box leaves its inside unpainted; a frame has a colour of its own.
LRESULT CALLBACK FilledFrame(HWND h, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  if (message != WM_ERASEBKGND) return DefSubclassProc(h, message, w, l);
  HDC dc = reinterpret_cast<HDC>(w);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(h), WM_CTLCOLORSTATIC, w, reinterpret_cast<LPARAM>(h)));
  RECT inside{};
  GetClientRect(h, &inside);
  if (brush) FillRect(dc, &inside, brush);
  return 1;
}

}  // namespace

HWND MakePlainWindow(ControlBinding& b, Control& control, const Place& place) {
  return b.Make(control, L"STATIC", 0, place);
}

HWND MakeLabel(ControlBinding& b, Label& label, const Place& place) {
  // SS_NOTIFY: a label's tool tip needs its mouse messages.
  HWND h = b.Make(label, L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, place, [&label](HWND h) {
    SetText(h, label.Caption());
    // A run refreshes its status labels while it keeps the messages waiting.
    UpdateWindow(h);
  });
  // A text cut off at the label's bounds is whole in the tool tip.
  b.SetTipSource(label, [&label, h] {
    return label.ToolTip().empty() && !TextFits(h) ? label.Caption() : label.ToolTip();
  });
  return h;
}

HWND MakeFrame(ControlBinding& b, Frame& frame, const Place& place) {
  HWND h = b.Make(frame, L"BUTTON", BS_GROUPBOX, place,
                  [&frame](HWND h) { SetText(h, frame.Caption()); });
  SetWindowSubclass(h, FilledFrame, 0, 0);
  return h;
}

HWND MakeCheckBox(ControlBinding& b, CheckBox& box, const Place& place) {
  auto show = [&box](HWND h) {
    SetText(h, box.Caption());
    const WPARAM state = box.Value() == 1   ? BST_CHECKED
                         : box.Value() == 2 ? BST_INDETERMINATE
                                            : BST_UNCHECKED;
    SendMessageW(h, BM_SETCHECK, state, 0);
  };
  return b.Make(box, L"BUTTON", BS_3STATE | WS_TABSTOP, place, show, [&b, &box](int code) {
    if (code != BN_CLICKED) return;
    box.SetValue(box.Value() == 1 ? 0 : 1);
    // A handler may have put the value back, which the model does not repeat.
    b.Show(box);
  });
}

HWND MakeOptionButton(ControlBinding& b, OptionButton& button, const Place& place) {
  auto show = [&button](HWND h) {
    SetText(h, button.Caption());
    SendMessageW(h, BM_SETCHECK, button.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
  };
  return b.Make(button, L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, place, show,
                [&b, &button](int code) {
                  if (code != BN_CLICKED) return;
                  button.SetValue(true);
                  b.Show(button);
                });
}

HWND MakeButton(ControlBinding& b, CommandButton& button, const Place& place) {
  return b.Make(
      button, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, place,
      [&button](HWND h) { SetText(h, button.Caption()); },
      [&button](int code) {
        if (code == BN_CLICKED) button.Press();
      });
}

HWND MakeScrollBar(ControlBinding& b, ScrollBar& bar, const Place& place) {
  return b.Make(bar, L"SCROLLBAR", SBS_HORZ | WS_TABSTOP, place, [&bar](HWND h) {
    // No page size: it would shorten the range the thumb reaches.
    SCROLLINFO info{
        sizeof info, SIF_RANGE | SIF_POS | SIF_PAGE, bar.Min(), bar.Max(), 0, bar.Value(), 0};
    SetScrollInfo(h, SB_CTL, &info, TRUE);
  });
}

void ScrollBarMoved(ScrollBar& bar, int request, int track) {
  switch (request) {
    case SB_LINELEFT:
      return bar.SetValue(bar.Value() - bar.SmallChange());
    case SB_LINERIGHT:
      return bar.SetValue(bar.Value() + bar.SmallChange());
    case SB_PAGELEFT:
      return bar.SetValue(bar.Value() - bar.LargeChange());
    case SB_PAGERIGHT:
      return bar.SetValue(bar.Value() + bar.LargeChange());
    case SB_LEFT:
      return bar.SetValue(bar.Min());
    case SB_RIGHT:
      return bar.SetValue(bar.Max());
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      return bar.SetValue(track);
    default:
      return;
  }
}

HWND MakeComboBox(ControlBinding& b, ComboBox& combo, const Place& place) {
  const DWORD kind = combo.FixedList() ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL;
  auto show = [&combo](HWND h) {
    ShowItems(h, Wide(combo.Items()), true);
    if (combo.FixedList()) {
      SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(combo.ListIndex()), 0);
    } else {
      SetText(h, combo.Text());
    }
  };
  return b.Make(combo, L"COMBOBOX", kind | WS_VSCROLL | WS_TABSTOP, place, show,
                [&b, &combo](int code) {
                  HWND handle = b.HandleOf(combo);
                  if (code == CBN_SELCHANGE) {
                    const LRESULT i = SendMessageW(handle, CB_GETCURSEL, 0, 0);
                    if (i >= 0) combo.SetText(ItemText(handle, i));
                  } else if (code == CBN_EDITCHANGE) {
                    combo.SetText(Utf8FromWide(TextOf(handle)));
                  }
                });
}

HWND MakeDriveList(ControlBinding& b, DriveList& drives, const Place& place) {
  auto show = [&drives](HWND h) {
    ShowItems(h, Wide(drives.Items()), true);
    SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(IndexOf(drives.Items(), drives.Drive())), 0);
  };
  return b.Make(drives, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, place, show,
                [&b, &drives](int code) {
                  if (code != CBN_SELCHANGE) return;
                  HWND h = b.HandleOf(drives);
                  const LRESULT i = SendMessageW(h, CB_GETCURSEL, 0, 0);
                  if (i >= 0) drives.SetDrive(ItemText(h, i));
                  // A drive that is not ready leaves the list as it was.
                  b.Show(drives);
                });
}

HWND MakeFolderList(ControlBinding& b, PathList& folders, const Place& place, UINT moveTo) {
  auto show = [&folders](HWND h) {
    std::vector<std::wstring> rows;
    for (std::size_t i = 0; i < folders.Items().size(); ++i) {
      const FolderListRow row = DescribeFolderListItem(folders, i);
      rows.push_back(std::wstring(static_cast<std::size_t>(row.depth) * 2, L' ') +
                     WideFromUtf8(row.name));
    }
    ShowItems(h, rows, false);
    SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(IndexOf(folders.Items(), folders.Path())), 0);
  };
  return b.Make(folders, L"LISTBOX",
                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, place,
                show, [&b, &folders, moveTo](int code) {
                  if (code != LBN_DBLCLK) return;
                  HWND h = b.HandleOf(folders);
                  const LRESULT row = SendMessageW(h, LB_GETCURSEL, 0, 0);
                  if (row >= 0) PostMessageW(GetParent(h), moveTo, static_cast<WPARAM>(row), 0);
                });
}

HWND MakeFileList(ControlBinding& b, PathList& files, const Place& place) {
  return b.Make(files, L"LISTBOX",
                LBS_NOINTEGRALHEIGHT | LBS_NOSEL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, place,
                [&files](HWND h) { ShowItems(h, Wide(files.Items()), false); });
}

HWND MakeTabs(ControlBinding& b, TabControl& tabs, const Place& place) {
  auto show = [&b, &tabs](HWND h) {
    const std::vector<std::wstring> titles = Wide(tabs.Tabs());
    for (std::size_t i = 0; i < titles.size(); ++i) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(titles[i].c_str());
      const bool has = static_cast<std::size_t>(SendMessageW(h, TCM_GETITEMCOUNT, 0, 0)) > i;
      SendMessageW(h, has ? TCM_SETITEMW : TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(h, TCM_SETCURSEL, static_cast<WPARAM>(tabs.Tab()), 0);
    b.ShowPage(tabs.Tab());
  };
  return b.Make(tabs, WC_TABCONTROLW, WS_TABSTOP, place, show);
}

void TabChosen(TabControl& tabs, HWND handle) {
  tabs.SetTab(static_cast<int>(SendMessageW(handle, TCM_GETCURSEL, 0, 0)));
}

}  // namespace zb
