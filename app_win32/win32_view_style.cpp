#include "app_win32/win32_view_style.h"

#include <map>
#include <string>
#include <tuple>

namespace zb {
namespace {

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceExists(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// The faces the controls were sized for first; the later ones are what a
// system without them (or Wine with free fonts) has.
const wchar_t* JapaneseFace() {
  static const wchar_t* const face = [] {
    for (const wchar_t* candidate : {L"MS UI Gothic", L"Meiryo UI", L"Yu Gothic UI", L"MS PGothic",
                                     L"VL PGothic", L"VL Gothic", L"Noto Sans CJK JP"}) {
      if (FaceExists(candidate)) return candidate;
    }
    return L"MS Shell Dlg 2";
  }();
  return face;
}

}  // namespace

int Pixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }
int Twips(int pixels, UINT dpi) { return MulDiv(pixels, 1440, static_cast<int>(dpi)); }

RECT PixelRect(const Bounds& b, POINT origin, UINT dpi) {
  const LONG left = origin.x + Pixels(b.left, dpi);
  const LONG top = origin.y + Pixels(b.top, dpi);
  return RECT{left, top, left + Pixels(b.width, dpi), top + Pixels(b.height, dpi)};
}

HFONT WindowFont(const FontStyle& style, UINT dpi) {
  static std::map<std::tuple<int, bool, UINT>, HFONT> made;
  const int tenths = static_cast<int>(style.points * 10 + 0.5);
  HFONT& font = made[{tenths, style.bold, dpi}];
  if (!font) {
    LOGFONTW wanted{};
    wanted.lfHeight = -MulDiv(tenths, static_cast<int>(dpi), 720);
    wanted.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    wanted.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(wanted.lfFaceName, JapaneseFace(), LF_FACESIZE - 1);
    font = CreateFontIndirectW(&wanted);
  }
  return font;
}

}  // namespace zb
