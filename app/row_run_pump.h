#pragma once

// The message handling of a command that works through the list's rows one by one.

// Repaints the list between rows; input stays queued so no other command runs meanwhile.
void PaintPendingMessages();
// Clicks and keys given while the rows were processed are dropped, so a second click on the
// command's button cannot start a second run afterwards.
void DropQueuedInput();
