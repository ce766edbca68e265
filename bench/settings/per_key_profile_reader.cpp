#include "bench/settings/per_key_profile_reader.h"
#include "tests/support/whole_file.h"

#include "platform/file_reader.h"
#include "platform/ini_document.h"

#include <algorithm>

void CPerKeyProfileReader::GetStringInto(std::u16string_view section, std::u16string_view key,
                                         std::u16string_view defaultValue, std::uint32_t bufferSize,
                                         std::u16string& result) const {
    const auto document = platform::CIniDocument::FromBytes(ReadWholeFile(m_path).value_or(""));
    const auto found = document.GetValue(section, key);
    std::u16string_view value = found ? std::u16string_view(*found) : defaultValue;
    if (!found) {
        value = value.substr(0, value.find_last_not_of(u" \t") + 1);
    }
    if (bufferSize == 0) {
        result.clear();
        return;
    }
    result.assign(value.substr(0, std::min<size_t>(value.find(u'\0'), bufferSize - 1)));
}
