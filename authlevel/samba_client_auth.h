#pragma once
#include <filesystem>
#include <string>

// What the LAN Manager authentication level does on Linux: the responses
// Samba's client (smbclient, and the file managers through libsmbclient)
// sends when it logs on to a shared folder. Brenhold keeps them in a file
// of its own, included from the [global] section of smb.conf.

inline constexpr char kSambaClientAuthFileName[] = "kordavin-lm.conf";

// Samba's configuration folder: /etc/samba, or KORDAVIN_SAMBA_ROOT.
std::filesystem::path SambaConfigRoot();

// The text of Brenhold's own file for a level from 0 to 5.
std::string SambaClientAuthOptions(int level);

// Writes the options of the level and makes smb.conf include them. True
// when done, and when there is no smb.conf (Samba is not installed, so
// nothing is written). False for a level outside 0 to 5 or when a file
// could not be written; Samba's files are then as they were.
bool WriteSambaClientAuth(int level);
