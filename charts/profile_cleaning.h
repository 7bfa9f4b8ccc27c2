#pragma once
#include <string>
#include <vector>

// Copies the highest-numbered Provider chart to chartm.vrk and Receiver chart to charts.vrk,
// so a later install can reuse their inputs.
void SaveEaCharts(const std::wstring& profileFolder);
// Saves the copier charts, then keeps the first chart carrying eaName, deletes other charts the
// installer made and disables the copier EA on the user's charts. eaName is empty on uninstall;
// copierEas are the package's role EA names.
void CleanProfileCharts(const std::wstring& profileFolder, const std::wstring& eaName,
                        const std::vector<std::wstring>& copierEas = {});
