#include "common/message_pump.h"

#include <windows.h>

void DispatchPaintMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&message);
}
