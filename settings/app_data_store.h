#pragma once
#include "platform/profile_file.h"
#include "settings/settings_file_reader.h"
#include "settings/settings_file_writer.h"
#include "settings/settings_records.h"

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

// The full path of the per-user application data file; empty when no
// per-user folder is known or the path would not fit 259 units, and the
// store is then skipped. The folder is made when missing.
std::u16string ApplicationDataPath();

// What only the application data file remembers: the last folder chosen and
// the network folder entries, with the choice they were made under.
struct CUtilitySection {
    std::u16string strLastPath;
    int nNetFolderChoice = 0; // 1: "Customize the settings"
    CNetFolderSetting folder;
};

struct CUtilitySectionContents {
    CUtilitySection section;
    std::vector<CRejectedValue> rejected;
};

// Reads the section; each bad value is refused and left empty.
CUtilitySectionContents ReadUtilitySection(const platform::IProfileSource& source);

// The whole application data file, read once: its settings sections and the
// section only it has. A file that cannot be read gives all defaults.
struct CAppDataContents {
    CSettingsFileContents settings;
    CUtilitySectionContents utility;
};
CAppDataContents ReadAppDataFile(const std::filesystem::path& path);

// The whole application data file: the settings sections of the records and
// the section that only this file has, composed together and saved in one
// step, its owner's only. When nothing was saved, the result says why, and
// the old file is left exactly as it was.
CSettingsFileSave SaveAppDataFile(const std::filesystem::path& path,
                                  const CSettingsRecords& records, const CUtilitySection& section);
