#pragma once
#include <ctime>
#include <string>

// Names in a profile folder besides the numbered chart files.
inline constexpr wchar_t kSwapChartName[] = L"chart0001.chr";
inline constexpr wchar_t kOrderFileName[] = L"order.wnd";
inline constexpr wchar_t kProviderSavedChart[] = L"chartm.vrk";
inline constexpr wchar_t kReceiverSavedChart[] = L"charts.vrk";
inline constexpr wchar_t kUniversalSavedChart[] = L"chartuni.vrk";

inline constexpr wchar_t kDefaultSymbol[] = L"EURUSD";
inline constexpr wchar_t kNewChartPeriod[] = L"10080";
inline constexpr wchar_t kNewChartPeriodName[] = L"Weekly";

// "chart01.chr" to "chart09.chr", then "chart10.chr" on without a leading zero; empty below 1.
std::wstring ChartFileName(int number);
std::wstring ChartFilePath(const std::wstring& profileFolder, int number);

// "12345678" and the time as yymmddHHMM: the id of a chart the installer creates.
std::wstring ChartIdAt(const std::tm& localTime);

// The text of a new chart carrying the EA; inputsBlock may be empty. The text ends with
// "</chart>" and no line break.
std::wstring ComposeEaChart(const std::wstring& symbol, const std::wstring& period, const std::wstring& eaName,
                            const std::wstring& inputsBlock, const std::tm& localTime);
// As above, stamped with the current local time.
std::wstring ComposeEaChart(const std::wstring& symbol, const std::wstring& period, const std::wstring& eaName,
                            const std::wstring& inputsBlock);

// The "<inputs>" block of the first "<expert>" block, both tags included, or empty.
std::wstring ExtractInputsBlock(const std::wstring& chartText);
std::wstring ReadChartSymbol(const std::wstring& chartText);
// "Monthly" to "M1" from the chart's own "period=" line, or empty.
std::wstring PeriodNameOf(const std::wstring& chartText);
std::wstring NormalizeBooleans(const std::wstring& text);
// The current profile name from the text of lastprofile.ini; "Default" unless it is one plain
// folder name.
std::wstring ProfileNameOf(const std::wstring& lastProfileText);
