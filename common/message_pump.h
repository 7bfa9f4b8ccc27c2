#pragma once
#include <windows.h>

// Lets the windows of this thread repaint during a long operation. Input stays queued, so no
// command can start meanwhile.
void DispatchPaintMessages();
// DispatchPaintMessages, and then the clicks meant for one button, such as the one that stops
// a long operation; all other input stays queued.
void DispatchPaintAndClicksOn(HWND button);
// Every message waiting, input included, before the thread goes busy for a while.
void DispatchPendingMessages();
