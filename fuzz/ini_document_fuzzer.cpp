// Reads arbitrary bytes as an INI file, changes one value and writes the
// file out again, checking that the settings reader agrees with it, that a
// value set reads back, and that the bytes written read back as themselves.
//
// The input is SECTION KEY VALUE FILE followed by four bytes: the lengths
// of the value, key and section, and the choice of the ANSI code page.
#include "fuzz/fuzz_support.h"
#include "platform/codepage.h"
#include "platform/ini_document.h"
#include "platform/profile_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
#include <optional>
#include <string>

using platform::CIniDocument;

namespace {

// Single-byte and double-byte code pages a Windows user may have.
constexpr unsigned kAnsiCodePages[] = {1252, 1251, 932, 936};
constexpr std::uint8_t kMaxPieceLength = 40;
std::u16string TrimBlanks(const std::u16string& text) {
    return std::u16string(platform::TrimIniBlanks(text));
}

// Section and key names as callers pass them: printable ASCII, without the
// characters that make a line a header, a comment or a key.
std::u16string NameText(const std::string& bytes) {
    std::u16string name;
    for (const char c : bytes) {
        if (c >= ' ' && c <= '~' && std::string_view("[]=;").find(c) == std::string_view::npos) {
            name.push_back(static_cast<char16_t>(c));
        }
    }
    return TrimBlanks(name);
}

// A value as the settings writer passes it: one line without NUL, and
// without the blanks and quotes that reading removes around a value.
std::u16string ValueText(const std::string& bytes) {
    std::u16string value = FuzzText(bytes);
    std::erase_if(value, [](char16_t c) {
        return c == u'\0' || c == u'\r' || c == u'\n' || c == u'"' || c == u'\'';
    });
    return TrimBlanks(value);
}

void ExpectStableBytes(const CIniDocument& document) {
    const std::string bytes = document.ToBytes();
    FuzzExpect(CIniDocument::FromBytes(bytes).ToBytes() == bytes,
               "bytes written read back as the same document");
}

// The reader that loads settings answers as the document that edits them,
// up to the first NUL, where a caller's buffer ends a value.
void ExpectReaderAgrees(const std::string& file, const CIniDocument& document,
                        std::u16string_view section, std::u16string_view key) {
    constexpr std::u16string_view kAbsent = u"<absent>";
    std::u16string expected = document.GetValue(section, key).value_or(std::u16string(kAbsent));
    expected.resize(std::min(expected.find(u'\0'), expected.size()));
    const platform::CProfileFile reader(file);
    FuzzExpect(reader.GetString(section, key, kAbsent, std::numeric_limits<std::uint32_t>::max()) ==
                   expected,
               "the settings reader answers as the document does");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    platform::OverrideCodePages(input.PickValueInArray(kAnsiCodePages), std::nullopt);
    const auto sectionLength = input.ConsumeIntegralInRange<std::uint8_t>(0, kMaxPieceLength);
    const auto keyLength = input.ConsumeIntegralInRange<std::uint8_t>(0, kMaxPieceLength);
    const auto valueLength = input.ConsumeIntegralInRange<std::uint8_t>(0, kMaxPieceLength);
    const std::u16string section = NameText(input.ConsumeBytesAsString(sectionLength));
    const std::u16string key = NameText(input.ConsumeBytesAsString(keyLength));
    const std::u16string value = ValueText(input.ConsumeBytesAsString(valueLength));
    const std::string file = input.ConsumeRemainingBytesAsString();

    CIniDocument document = CIniDocument::FromBytes(file);
    ExpectReaderAgrees(file, document, section, key);
    ExpectStableBytes(document);

    document.SetValue(section, key, value);
    FuzzExpect(document.GetValue(section, key) == value, "a value set reads back");
    const std::string written = document.ToBytes();
    FuzzExpect(CIniDocument::FromBytes(written).GetValue(section, key) == FuzzAsStored(file, value),
               "a value set reads back from the bytes written");
    if (FuzzIsAnsiFile(file)) {
        FuzzExpectOtherLinesKept(file, written);
    }
    ExpectStableBytes(document);
    return 0;
}
