// The update check: asks the maker's web server whether a newer version exists and carries out the commands of
// its reply; the day of the last check.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>
#include <vector>

// Flags of CheckForUpdate (all of them are also sent in the request's "flags" key).
inline constexpr int UPDATECHECK_FORCE = 0x1;  // sent as "force=1"
inline constexpr int UPDATECHECK_FROM_MENU = 0x4;
inline constexpr int UPDATECHECK_FROM_ABOUT = 0x8;
inline constexpr int UPDATECHECK_NO_QUESTION = 0x40;  // connect without asking first
inline constexpr int UPDATECHECK_FROM_STARTUP = 0x60;

// Flag of ReadLastUpdateCheck: read (and create) the stored day.
inline constexpr int LASTUPDATECHECK_READ = 0x1;

// The maker's server, its script and what the client calls itself. The environment variable ZUBQ_UPDATE_URL
// ("http://host:port") replaces the scheme, host and port.
inline constexpr const char UPDATE_SERVER[] = "http://www.palvane.example";
inline constexpr const char UPDATE_SERVER_VARIABLE[] = "ZUBQ_UPDATE_URL";
inline constexpr const char UPDATE_SCRIPT[] = "/php/updatecheck.php3";
inline constexpr const char UPDATE_AGENT[] = "ZUB Quillon Update Check";
inline constexpr const char UPDATE_VERSION[] = "6.0100";
inline constexpr const char UPDATE_REPLY_FILE[] = "ZUBUpdateCheck.txt";

// With LASTUPDATECHECK_READ: the stored "LastUpdateCheck" day under "Control" (the current day written when it
// is missing), -1 when the store cannot be read or written; without it 0.
int ReadLastUpdateCheck(int Flags);
// Asks (unless UPDATECHECK_NO_QUESTION), fetches the server's reply showing the wait window, stores today as the
// last check day when the reply has content and carries out its commands; a failed transfer is reported and
// changes nothing. 1.
int CheckForUpdate(HWND Window, int Flags);

// The request's address for the flags: the script on the server with "version", "configversion", "flags" and
// "force" in that order.
std::string UpdateCheckAddress(int Flags);
// Carries out the reply's lines in order: "DISPLAYINFOMESSAGE=", "DISPLAYERRORMESSAGE=", "DISPLAYQUESTIONMESSAGE="
// (No skips the next line) and "GOTOURL=" (only http and https addresses are opened), prefixes in any letter
// case; other lines are ignored. The message boxes are owned by Window. The number of commands carried out.
int CarryOutUpdateReply(const std::vector<std::string>& Lines, HWND Window);
