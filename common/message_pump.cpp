#include "common/message_pump.h"

#include <windows.h>

void DispatchPaintMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&message);
}

void DispatchPaintAndClicksOn(HWND button) {
  DispatchPaintMessages();
  MSG message;
  while (PeekMessageW(&message, button, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) DispatchMessageW(&message);
}

void DispatchPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}
