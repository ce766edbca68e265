#pragma once
#include "platform/profile_file.h"

#include <filesystem>

// The way the original platform's profile API answers: every lookup opens
// the file, reads and parses all of it, and finds its one key. A load driven
// through it shows what reading the file once saves.
class CPerKeyProfileReader : public platform::IProfileSource {
public:
    explicit CPerKeyProfileReader(std::filesystem::path path) : m_path(std::move(path)) {}

    void GetStringInto(std::u16string_view section, std::u16string_view key,
                       std::u16string_view defaultValue, std::uint32_t bufferSize,
                       std::u16string& value) const override;

private:
    std::filesystem::path m_path;
};
