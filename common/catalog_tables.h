#pragma once
#include <span>

// The message catalog as written: one table per language, the same ids in the same order.
struct CatalogEntry {
  int id;
  const wchar_t* text;
};

std::span<const CatalogEntry> MessageTable(int language);
