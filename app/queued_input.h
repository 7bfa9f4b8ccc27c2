#pragma once

// Clicks and keys given while the rows were processed are dropped, so a second click on the
// command's button cannot start a second run afterwards.
void DropQueuedInput();
