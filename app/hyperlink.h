#pragma once
#include <windows.h>

#include <string>

#include "common/unique_handle.h"

// Turns a static control of a dialog (SS_NOTIFY | WS_TABSTOP) into a link that the mouse,
// Enter and Space open in the browser. Owns the subclass and its underlined font.
class CHyperlink {
 public:
  CHyperlink() = default;
  ~CHyperlink();
  CHyperlink(const CHyperlink&) = delete;
  CHyperlink& operator=(const CHyperlink&) = delete;

  bool Attach(HWND control, std::wstring address);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR data);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleDrawing(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM key, LPARAM flags);
  LRESULT OnButton(UINT message, LPARAM point);
  void Paint(HDC dc) const;
  RECT TextRect() const;
  void Detach();

  HWND control_ = nullptr;
  std::wstring address_;
  UniqueFont font_;
  bool pressed_ = false;
};
