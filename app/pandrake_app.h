#pragma once
#include <windows.h>

// The application object: initialises the controls and runs the main window.
class CPandrakerApp {
 public:
  explicit CPandrakerApp(HINSTANCE instance) : instance_(instance) {}
  virtual ~CPandrakerApp() = default;

  // Returns false: the process ends when the main window closes.
  bool InitInstance();

 private:
  HINSTANCE instance_;
};
