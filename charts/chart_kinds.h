#pragma once
#include <string>
#include <vector>

// Copier charts are recognised by the input keys of the Provider or Receiver EA in their text:
// at least 4 of the 7 key groups of a role.
bool IsProviderChart(const std::wstring& text);
bool IsReceiverChart(const std::wstring& text);

// A chart the installer created carries its "barup_color" mark.
bool HasInstallerMark(const std::wstring& text);
// The chart names the EA after "name=" somewhere past its first character.
bool CarriesEa(const std::wstring& text, const std::wstring& eaName);
// The chart runs a copier EA: one of the names, or either role's inputs.
bool CarriesCopierEa(const std::wstring& text, const std::vector<std::wstring>& eaNames);
// The Chinese words of the copier's inputs ("喊单" or "跟单").
bool HasCopierWords(const std::wstring& text);
// Normalising booleans of a promoted chart is only worth a rewrite when both apply.
bool NeedsBooleanNormalizing(const std::wstring& text);

// Renames the EA of every expert block to "Removed" + its name; everything else stays.
std::wstring DisableEa(const std::wstring& text);

// "chartm.vrk" for a Provider chart, "charts.vrk" for a Receiver chart, empty for any other text
// or a chart without an EA inputs block.
std::wstring SavedChartNameFor(const std::wstring& text);
