#include <cstring>

#include "app/main_layout.h"
#include "app/resource.h"
#include "tests/fuzz/fuzz_text.h"

namespace {

constexpr int kIds[] = {IDC_TERMINAL_LIST, IDC_SEARCH_STATUS, IDC_REFRESH, IDC_REMOVE, IDC_ADD, IDC_DUPLICATE,
                        IDC_SELECT_ALL, IDC_INVERSE, IDC_CLICK_TO_LAUNCH, IDC_LOAD_EA_AUTO, IDC_INSTALL_PROVIDER,
                        IDC_INSTALL_RECEIVER, IDC_UNINSTALL, 2, IDC_CONTACT_US, IDC_HELP_BUTTON, IDC_WEB_PANE};

// Window coordinates are 16-bit values on the system.
int Coordinate(const uint8_t*& p, const uint8_t* end) {
  int16_t value = 0;
  if (end - p >= 2) {
    std::memcpy(&value, p, 2);
    p += 2;
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t* p = data;
  const uint8_t* end = data + size;
  WindowSize window{Coordinate(p, end), Coordinate(p, end)};
  ControlBoxes current;
  for (int id : kIds) current[id] = {Coordinate(p, end), Coordinate(p, end), Coordinate(p, end), Coordinate(p, end)};
  if (const auto grown = MinimumSizeFor(window)) {
    FUZZ_CHECK(grown->width >= window.width && grown->height >= window.height);
    FUZZ_CHECK(!MinimumSizeFor(*grown));
    window = *grown;
  }
  const ControlBoxes boxes = ComputeMainLayout(window, size % 2, current);
  FUZZ_CHECK(boxes.at(IDC_TERMINAL_LIST).width == window.width - 30);
  return 0;
}
