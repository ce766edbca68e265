#include "platform/profile_file.h"

#include "platform/atomic_file.h"

#include <algorithm>

namespace platform {
namespace {

std::u16string_view TrimTrailingBlanks(std::u16string_view text) {
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::u16string AsBufferHoldsIt(std::u16string_view text, std::uint32_t bufferSize) {
    if (bufferSize == 0) {
        return {};
    }
    text = text.substr(0, std::min<size_t>(text.find(u'\0'), bufferSize - 1));
    return std::u16string(text);
}

} // namespace

CProfileFile::CProfileFile(const std::filesystem::path& path)
    : m_document(CIniDocument::FromBytes(ReadWholeFile(path, kMaxBytes).value_or(std::string{}))) {}

std::u16string CProfileFile::GetString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue,
                                       std::uint32_t bufferSize) const {
    auto cached = m_sections.find(std::u16string(section));
    if (cached == m_sections.end()) {
        cached =
            m_sections.emplace(std::u16string(section), m_document.SectionValues(section)).first;
    }
    if (const auto value = cached->second.Find(key)) {
        return AsBufferHoldsIt(*value, bufferSize);
    }
    return AsBufferHoldsIt(TrimTrailingBlanks(defaultValue), bufferSize);
}

} // namespace platform
