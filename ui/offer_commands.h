#pragma once
// The numbered commands of the offer module's InvokeW entry and the texts
// they carry. Platform-free: window handles arrive here as plain numbers.

#include <string>

namespace offer {

// Command numbers of InvokeW.
enum Command : int {
  kCommandStart = 1,
  kCommandBlocking = 2,
  kCommandWindow = 3,
  kCommandButtons = 4,
  kCommandAccept = 5,
  kCommandDecline = 6,
  kCommandInstall = 7,
  kCommandRelease = 9,
};

// "buy" when channelId read as a decimal integer lies in 750..2250, else
// "normal"; an id that is not a number counts as 0.
std::wstring ChannelName(const std::wstring& channelId);
// Command 1: the locale and the channel name.
std::wstring StartText(const std::wstring& locale, const std::wstring& channel);
// Command 2: the module blocks on its own work.
std::wstring BlockingText();
// Command 3: the host window and the module's area inside it.
std::wstring WindowText(int window, int x, int y, int width, int height);
// Command 4: the accept and the decline button windows.
std::wstring ButtonsText(int acceptWindow, int declineWindow);
// Command 9: {"force":"true"} when the user closed the popup, else empty.
std::wstring ReleaseText(bool force);

}  // namespace offer
