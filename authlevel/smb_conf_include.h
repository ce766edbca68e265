#pragma once
#include <string>
#include <string_view>

// The text of smb.conf with "include = includedFile" added once, as the last
// line of its [global] section, so that the included settings override
// earlier ones there. Every other byte stays as it was, and the new line
// ends the way the file's lines do. The text comes back unchanged when a
// global section already includes the file (the name "include" in any
// spacing and case). With several [global] sections the last one gets the
// line; without any, a [global] section holding only the line is added
// after the settings at the top of the file, which Samba also reads as
// global. After another include in the section the line gets a [global]
// header of its own, since the file included before may end in a share.
std::string AddIncludeToGlobalSection(std::string_view config, std::string_view includedFile);
