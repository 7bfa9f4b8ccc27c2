#pragma once

// What differs between editions of the installer. One constant per edition;
// the build chooses which one the installer carries.
struct EditionProfile {
  const wchar_t* name;
  int language;  // catalog language index; -1 keeps the language the system suggests
  const wchar_t* shortName;
  const wchar_t* productCode;
  const wchar_t* makerWord;
  int dataFolderType;  // 0 beside the installer, 1 application data, 2 documents
  bool fullFeature;
  const wchar_t* webPaneAddress;  // empty: the web pane stays hidden
  bool showTraditionalNotice;
};

const EditionProfile& DefaultEdition();
const EditionProfile& EnglishEdition();
// The edition chosen at build time.
const EditionProfile& ActiveEdition();
