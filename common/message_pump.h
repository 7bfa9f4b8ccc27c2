#pragma once

// Lets the windows of this thread repaint during a long operation. Input stays queued, so no
// command can start meanwhile.
void DispatchPaintMessages();
