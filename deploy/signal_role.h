#pragma once

// Which copier EA a terminal carries or receives.
enum SignalRole : int {
  kRoleNone = 0,
  kRoleProvider = 1,
  kRoleReceiver = 2,
};
