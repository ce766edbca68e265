// Decrypts arbitrary text as a stored secret and encrypts it as a secret,
// checking that what the cipher accepts comes back through a save and a
// reload, and that the hex helpers read back what they write.
//
// The input is the text followed by one byte that chooses the OEM code page.
#include "fuzz/fuzz_support.h"
#include "platform/codepage.h"
#include "settings/secret_cipher.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string>

namespace {

// Single-byte and double-byte code pages a Windows user may have.
constexpr unsigned kOemCodePages[] = {437, 850, 866, 932};

// Whether the OEM code page holds a secret, which is encrypted only then.
bool IsHeld(std::u16string_view secret) {
    return platform::IsHeldByCodePage(platform::GetOEMCP(), secret);
}

// A secret is stored on save and decrypted on the next load.
std::optional<std::u16string> SavedAndReloaded(const std::u16string& secret) {
    std::u16string text;
    std::u16string reloaded;
    if (EncryptSecret(secret.c_str(), text) != 1 || DecryptSecret(text.c_str(), reloaded) != 1) {
        return std::nullopt;
    }
    FuzzExpect(std::all_of(
                   text.begin(), text.end(),
                   [](char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'); }),
               "a stored secret is upper-case hex digits");
    return reloaded;
}

void CheckDecryption(const std::u16string& text) {
    std::u16string secret;
    if (DecryptSecret(text.c_str(), secret) != 1) {
        return;
    }
    FuzzExpect(secret.size() < kSecretBufferUnits, "a decrypted secret fits the callers' buffer");
    // Only texts whose digits fit the callers' buffer (a character outside
    // ASCII may take two bytes in the OEM code page), and only secrets a
    // caller passes on: an empty one is stored as an empty value.
    const size_t digits = platform::WideToMultiByte(platform::GetOEMCP(), text).size();
    if (digits >= kSecretBufferUnits || secret.empty()) {
        return;
    }
    // Bytes the code page does not define decrypt as U+FFFD, which it cannot
    // hold: such a secret is not stored again rather than stored as another.
    const auto reloaded = SavedAndReloaded(secret);
    FuzzExpect(reloaded.has_value() == IsHeld(secret),
               "a decrypted secret can be stored again exactly when the code page holds it");
    if (reloaded) {
        FuzzExpect(*reloaded == secret, "a decrypted secret survives a save and a reload");
    }
}

void CheckEncryption(const std::u16string& text) {
    const std::u16string secret(text.c_str()); // a C string ends at its first NUL
    std::u16string stored = u"unchanged";
    if (EncryptSecret(secret.c_str(), stored) != 1) {
        FuzzExpect(stored == u"unchanged", "a refused secret leaves the output as it was");
        constexpr size_t kMaxSecretBytes = 480; // its hex digits and the IV's fill the buffer
        FuzzExpect(!IsHeld(secret) ||
                       platform::WideToMultiByte(platform::GetOEMCP(), secret).size() >
                           kMaxSecretBytes,
                   "only a secret the code page cannot hold, or a long one, is refused");
        return;
    }
    std::u16string reloaded;
    FuzzExpect(IsHeld(secret), "a secret the code page cannot hold is never encrypted");
    FuzzExpect(secret.empty() ||
                   (DecryptSecret(stored.c_str(), reloaded) == 1 && reloaded == secret),
               "an encrypted secret decrypts to itself");
}

void CheckHexHelpers(std::string_view bytes) {
    std::string hex;
    for (const char byte : bytes) {
        hex += ByteToHex(static_cast<std::uint8_t>(byte));
    }
    const std::vector<std::uint8_t> expected(bytes.begin(), bytes.end());
    FuzzExpect(HexToBytes(hex, bytes.size()) == expected, "hex digits read back as their bytes");
    std::transform(hex.begin(), hex.end(), hex.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    FuzzExpect(HexToBytes(hex, bytes.size()) == expected, "lower-case hex digits read the same");
    FuzzExpect(HexToBytes(bytes, bytes.size()).size() == bytes.size(),
               "any text gives the number of bytes asked for");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    platform::OverrideCodePages(std::nullopt, input.PickValueInArray(kOemCodePages));
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const std::u16string text = FuzzText(bytes);
    CheckDecryption(text);
    CheckEncryption(text);
    CheckHexHelpers(bytes);
    return 0;
}
