#pragma once
#include <map>
#include <optional>

// Control rectangles in client pixels.
struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Box&) const = default;
};

using ControlBoxes = std::map<int, Box>;  // by control id

struct WindowSize {
  int width = 0;
  int height = 0;
};

// The size the window must grow to first, when it is below the minimum.
std::optional<WindowSize> MinimumSizeFor(WindowSize window);

// Where the resize layout puts each control, from the outer window size and the
// controls' current boxes. Controls it does not move are absent from the result.
ControlBoxes ComputeMainLayout(WindowSize window, bool webPaneShown, const ControlBoxes& current);
