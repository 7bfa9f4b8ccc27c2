#include "app/hyperlink.h"

#include <windowsx.h>

#include <utility>

#include "common/common_controls.h"
#include "common/file_ctrl.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT kTextFormat = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;

HFONT CreateUnderlinedFont(HWND control) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW logFont{};
  if (GetObjectW(font, sizeof(logFont), &logFont) == 0) return nullptr;
  logFont.lfUnderline = TRUE;
  return CreateFontIndirectW(&logFont);
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

CHyperlink::~CHyperlink() { Detach(); }

bool CHyperlink::Attach(HWND control, std::wstring address) {
  Detach();
  if (control == nullptr) return false;
  address_ = std::move(address);
  font_.Reset(CreateUnderlinedFont(control));
  if (!comctl::SetWindowSubclass(control, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    font_.Reset();
    return false;
  }
  control_ = control;
  InvalidateRect(control_, nullptr, TRUE);
  return true;
}

void CHyperlink::Detach() {
  if (control_ != nullptr) comctl::RemoveWindowSubclass(control_, Procedure, kSubclassId);
  control_ = nullptr;
  font_.Reset();
  pressed_ = false;
}

LRESULT CALLBACK CHyperlink::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                       DWORD_PTR data) {
  auto* self = reinterpret_cast<CHyperlink*>(data);
  // Nothing may unwind into user32.
  try {
    return self->Handle(message, wParam, lParam);
  } catch (...) {
    return comctl::DefSubclassProc(window, message, wParam, lParam);
  }
}

LRESULT CHyperlink::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return OnGetDlgCode(wParam, lParam);
    case WM_KEYDOWN:
      return OnKeyDown(wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return OnButton(message, lParam);
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    case WM_NCHITTEST: {
      // Only the text is the link, not the empty rest of the control.
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(control_, &point);
      const RECT text = TextRect();
      return PtInRect(&text, point) ? HTCLIENT : HTTRANSPARENT;
    }
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_NCDESTROY: {
      HWND window = control_;
      Detach();
      return comctl::DefSubclassProc(window, message, wParam, lParam);
    }
    default:
      return HandleDrawing(message, wParam, lParam);
  }
}

LRESULT CHyperlink::HandleDrawing(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_UPDATEUISTATE: {
      const LRESULT result = comctl::DefSubclassProc(control_, message, wParam, lParam);
      InvalidateRect(control_, nullptr, TRUE);
      return result;
    }
    case WM_ERASEBKGND:
      return TRUE;  // WM_PAINT fills the whole control
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(control_, &paint);
      Paint(dc);
      EndPaint(control_, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return comctl::DefSubclassProc(control_, message, wParam, lParam);
  }
}

// The dialog manager keeps Enter for the default button unless the focused control asks for it.
LRESULT CHyperlink::OnGetDlgCode(WPARAM wParam, LPARAM lParam) {
  const LRESULT code = comctl::DefSubclassProc(control_, WM_GETDLGCODE, wParam, lParam);
  const auto* key = reinterpret_cast<const MSG*>(lParam);
  const bool ours =
      key != nullptr && key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_SPACE);
  return ours ? code | DLGC_WANTMESSAGE : code;
}

LRESULT CHyperlink::OnKeyDown(WPARAM key, LPARAM flags) {
  // Bit 30 marks auto-repeat: a held key opens the site once.
  const bool repeat = (flags & 0x40000000) != 0;
  if ((key != VK_RETURN && key != VK_SPACE) || repeat) return comctl::DefSubclassProc(control_, WM_KEYDOWN, key, flags);
  g_files.OpenInBrowser(address_);
  return 0;
}

LRESULT CHyperlink::OnButton(UINT message, LPARAM point) {
  if (message == WM_LBUTTONDOWN) {
    SetFocus(control_);
    SetCapture(control_);
    pressed_ = true;
    return 0;
  }
  const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  const RECT text = TextRect();
  // Like a button: pressing on the link and letting go elsewhere opens nothing.
  const bool open = pressed_ && PtInRect(&text, at);
  if (GetCapture() == control_) ReleaseCapture();
  pressed_ = false;
  if (open) g_files.OpenInBrowser(address_);
  return 0;
}

RECT CHyperlink::TextRect() const {
  RECT client{};
  GetClientRect(control_, &client);
  RECT text = client;
  HDC dc = GetDC(control_);
  if (dc == nullptr) return client;
  HGDIOBJ old = font_ ? SelectObject(dc, font_.Get()) : nullptr;
  const std::wstring caption = TextOf(control_);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, kTextFormat | DT_CALCRECT);
  if (old != nullptr) SelectObject(dc, old);
  ReleaseDC(control_, dc);
  IntersectRect(&text, &text, &client);
  return text;
}

void CHyperlink::Paint(HDC dc) const {
  RECT client{};
  GetClientRect(control_, &client);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(control_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(control_)));
  FillRect(dc, &client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));

  const std::wstring caption = TextOf(control_);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor =
      SetTextColor(dc, GetSysColor(IsWindowEnabled(control_) ? COLOR_HOTLIGHT : COLOR_GRAYTEXT));
  HGDIOBJ oldFont = font_ ? SelectObject(dc, font_.Get()) : nullptr;
  RECT text = client;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, kTextFormat);
  if (oldFont != nullptr) SelectObject(dc, oldFont);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);

  const bool cuesHidden = (SendMessageW(control_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
  if (GetFocus() == control_ && !cuesHidden) {
    RECT focus = TextRect();
    DrawFocusRect(dc, &focus);
  }
}
