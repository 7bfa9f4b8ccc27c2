#pragma once
#include <string>

#include "common/edition.h"

// The process-wide product settings, built once before the main window opens.
struct ProductSettings {
  const EditionProfile* edition = &DefaultEdition();
  std::wstring displayName;
};

extern ProductSettings g_product;

// Initialises the catalog and the settings from the active edition.
void InitProductSettings();
