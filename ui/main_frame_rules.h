#pragma once
// The main window's text and number rules: the install path's clean-up and
// the download progress texts and bar values. Platform-free.

#include <string>

namespace mainframe {

// Slashes become backslashes, doubled backslashes fold in one left-to-right
// pass, spaces at either end go, and a non-empty path ends in "\".
void normalizeInstallPath(std::wstring& path);
// "1.50M/50.00M": the received amount in B, KB or M and the total in M.
std::wstring downloadAmountText(int received, int total);
// The download's share of the bar, up to 63; at least 3 unless arabic.
int downloadBarValue(int percent, bool arabic);
// The bar value of a simulated install step: 64 + min(step, 35).
int installCreepValue(int step);

}  // namespace mainframe
