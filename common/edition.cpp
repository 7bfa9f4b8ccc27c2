#include "common/edition.h"

namespace {

constexpr EditionProfile kDefaultEdition{
    .name = L"default",
    .language = 1,
    .shortName = L"Pandrake",
    .productCode = L"pelk",
    .makerWord = L"Velmar",
    .dataFolderType = 2,
    .fullFeature = true,
    .webPaneAddress = L"",
    .showTraditionalNotice = true,
};

constexpr EditionProfile kEnglishEdition{
    .name = L"english",
    .language = 0,
    .shortName = L"Pandrake",
    .productCode = L"pelk",
    .makerWord = L"Velmar",
    .dataFolderType = 2,
    .fullFeature = true,
    .webPaneAddress = L"",
    .showTraditionalNotice = false,
};

}  // namespace

const EditionProfile& DefaultEdition() { return kDefaultEdition; }
const EditionProfile& EnglishEdition() { return kEnglishEdition; }

const EditionProfile& ActiveEdition() {
#ifdef PANDRAKE_EDITION_ENGLISH
  return kEnglishEdition;
#else
  return kDefaultEdition;
#endif
}
