#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Secrets (network folder password, network keys) are stored as 32 hex
// digits of a random IV followed by the AES-128-CBC ciphertext in hex of the
// secret in the OEM code page, zero-filled to whole blocks.

inline constexpr size_t kSecretBufferUnits = 1024; // callers' buffers, terminator included
inline constexpr size_t kIvBytes = 16;

// 1 and the text form in output; 0 when the secret is null, the OEM code
// page cannot hold it (another secret would be stored), or its text form
// would not fit the callers' buffer (output then unchanged).
int EncryptSecret(const char16_t* secret, std::u16string& output);

// 1 and the secret in output; 0 when the text is null or breaks the length
// rule (a whole number of blocks after the IV, at least one block).
int DecryptSecret(const char16_t* text, std::u16string& output);

// Two characters a byte; a character that is not a hex digit counts as 0.
std::vector<std::uint8_t> HexToBytes(std::string_view text, size_t byteCount);
std::string ByteToHex(std::uint8_t byte);

// OEM text up to its first zero byte, as UTF-16.
std::u16string OemToWide(const char* text);
