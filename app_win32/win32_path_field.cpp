#include "app_win32/win32_path_field.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"
#include "window/path_field_input.h"

namespace zb {
namespace {

bool IsTrailSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::wstring TextOf(HWND handle) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(handle, text.data(), static_cast<int>(text.size()))));
  return text;
}

struct FieldState {
  bool taking = false;
  bool wantedFocus = false;
};

// Dropped files as drive paths, in the drop's order.
void DroppedOn(TextBox& field, HDROP drop) {
  std::vector<std::string> files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    files.push_back(DrivePathFromSystem(path));
  }
  DragFinish(drop);
  if (field.OLEDragDrop) field.OLEDragDrop(files);
}

LRESULT CALLBACK FieldKeysAndDrops(HWND h, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                   DWORD_PTR data) {
  auto& field = *reinterpret_cast<TextBox*>(data);
  if (message == WM_GETDLGCODE && l) {
    // The window's keyboard handling must not take Enter from the field.
    const MSG* key = reinterpret_cast<const MSG*>(l);
    if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
      return DefSubclassProc(h, message, w, l) | DLGC_WANTMESSAGE;
    }
  }
  if (message == WM_KEYDOWN && w == VK_RETURN) {
    int keyCode = kEnterKey;
    if (field.KeyPress) field.KeyPress(keyCode);
    if (keyCode == 0) return 0;
  }
  if (message == WM_DROPFILES) {
    DroppedOn(field, reinterpret_cast<HDROP>(w));
    return 0;
  }
  // An edit of one line beeps at the Enter it does not use.
  if (message == WM_CHAR && w == L'\r') return 0;
  return DefSubclassProc(h, message, w, l);
}

}  // namespace

int CharactersIn(const std::wstring& text, int units) {
  int characters = 0;
  for (int i = 0; i < units && i < static_cast<int>(text.size()); ++i) {
    if (!IsTrailSurrogate(text[static_cast<std::size_t>(i)])) ++characters;
  }
  return characters;
}

int UnitsOf(const std::wstring& text, int characters) {
  int units = 0;
  for (int i = 0; i < characters && units < static_cast<int>(text.size()); ++i) {
    ++units;
    if (units < static_cast<int>(text.size()) &&
        IsTrailSurrogate(text[static_cast<std::size_t>(units)])) {
      ++units;
    }
  }
  return units;
}

HWND MakePathField(ControlBinding& b, TextBox& field, const ControlBinding::Place& place,
                   UINT focusMoved) {
  auto state = std::make_shared<FieldState>();
  auto show = [&field, state](HWND h) {
    if (state->taking) return;
    const std::wstring text = WideFromUtf8(field.Text());
    if (TextOf(h) != text) SetWindowTextW(h, text.c_str());
    const int start = UnitsOf(text, field.SelStart());
    const int end = UnitsOf(text, field.SelStart() + field.SelLength());
    DWORD shownStart = 0, shownEnd = 0;
    SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&shownStart),
                 reinterpret_cast<LPARAM>(&shownEnd));
    if (static_cast<int>(shownStart) != start || static_cast<int>(shownEnd) != end) {
      SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(start), end);
    }
    DragAcceptFiles(h, field.AcceptsDrops());
    // Only when the form gives the focus anew: while the user moves it
    // away the form still names this field for a moment.
    const bool wantsFocus = field.HasFocus() && field.Enabled();
    if (wantsFocus && !state->wantedFocus && GetFocus() != h) {
      SetFocus(h);
    }
    state->wantedFocus = wantsFocus;
  };
  HWND handle = b.Make(field, L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, place, show,
                       [&b, &field, state, focusMoved](int code) {
                         HWND h = b.HandleOf(field);
                         if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
                           PostMessageW(GetParent(h), focusMoved, 0, 0);
                           return;
                         }
                         if (code != EN_CHANGE) return;
                         const std::wstring text = TextOf(h);
                         DWORD start = 0, end = 0;
                         SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                      reinterpret_cast<LPARAM>(&end));
                         state->taking = true;
                         field.SetText(Utf8FromWide(text));
                         const int first = CharactersIn(text, static_cast<int>(start));
                         field.Select(first, CharactersIn(text, static_cast<int>(end)) - first);
                         state->taking = false;
                         // Handlers may have changed what the field shows.
                         b.Show(field);
                       });
  SetWindowSubclass(handle, FieldKeysAndDrops, 0, reinterpret_cast<DWORD_PTR>(&field));
  return handle;
}

}  // namespace zb
