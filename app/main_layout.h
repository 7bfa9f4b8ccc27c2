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

constexpr int kBaseDpi = 96;
// Pixels at kBaseDpi as pixels at dpi, and back.
int ScaleToDpi(int pixels, int dpi);
int ScaleFromDpi(int pixels, int dpi);

// The size the window must grow to first, when it is below the minimum.
std::optional<WindowSize> MinimumSizeFor(WindowSize window, int dpi = kBaseDpi);

// Where the resize layout puts each control, from the outer window size, the window's DPI and
// the controls' current boxes. Controls it does not move are absent from the result.
ControlBoxes ComputeMainLayout(WindowSize window, bool webPaneShown, const ControlBoxes& current,
                               int dpi = kBaseDpi);
