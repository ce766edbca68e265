#include "settings/secret_cipher.h"

#include "platform/codepage.h"

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>
#include <pthread.h>
#include <span>
#include <string_view>

namespace {

constexpr size_t kBlockBytes = 16;

constexpr std::array<std::uint8_t, 16> kKey = {0x3a, 0x7f, 0x1c, 0x5e, 0x9b, 0x2d, 0x40, 0x8e,
                                               0x6c, 0x1f, 0x7a, 0x2b, 0x5d, 0x9e, 0x0c, 0x84};

// A zeroed byte buffer that wipes itself, for anything that held
// plaintext. A stored secret's bytes fit in place: a load decrypts 31
// secrets, and each would cost an allocation otherwise.
class CSecureBytes {
public:
    explicit CSecureBytes(size_t size) : m_size(size) {
        if (size > m_inPlace.size()) {
            m_onHeap.resize(size);
        }
    }
    ~CSecureBytes() { OPENSSL_cleanse(data(), m_size); }
    CSecureBytes(const CSecureBytes&) = delete;
    CSecureBytes& operator=(const CSecureBytes&) = delete;

    std::uint8_t* data() { return m_onHeap.empty() ? m_inPlace.data() : m_onHeap.data(); }
    size_t size() const { return m_size; }

private:
    static constexpr size_t kInPlaceBytes = 256;
    std::array<std::uint8_t, kInPlaceBytes> m_inPlace{};
    std::vector<std::uint8_t> m_onHeap;
    size_t m_size;
};

void Wipe(std::string& text) { OPENSSL_cleanse(text.data(), text.size()); }
void Wipe(std::u16string& text) { OPENSSL_cleanse(text.data(), text.size() * sizeof(char16_t)); }

constexpr std::array<std::uint8_t, kIvBytes> kZeroIv{};

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;
using Cipher = std::unique_ptr<EVP_CIPHER, decltype(&EVP_CIPHER_free)>;

// AES-128-CBC with our key, padding off: the zero fill is ours. Looking the
// algorithm up and expanding the key cost more than a secret's few blocks,
// so they are done once per thread and direction.
CipherContext NewKeyedContext(bool encrypt) {
    const Cipher cipher(EVP_CIPHER_fetch(nullptr, "AES-128-CBC", nullptr), &EVP_CIPHER_free);
    CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!cipher || !context ||
        EVP_CipherInit_ex2(context.get(), cipher.get(), kKey.data(), kZeroIv.data(),
                           encrypt ? 1 : 0, nullptr) != 1 ||
        EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1) {
        context.reset();
    }
    return context;
}

EVP_CIPHER_CTX* KeyedContext(bool encrypt) {
    thread_local const CipherContext encryptor = NewKeyedContext(true);
    thread_local const CipherContext decryptor = NewKeyedContext(false);
    return (encrypt ? encryptor : decryptor).get();
}

// Whole blocks only; with those the context keeps no plaintext between calls.
bool Encrypt(const std::uint8_t* iv, const std::uint8_t* in, size_t length, std::uint8_t* out) {
    EVP_CIPHER_CTX* context = KeyedContext(true);
    int produced = 0;
    int finished = 0;
    return context != nullptr &&
           EVP_CipherInit_ex2(context, nullptr, nullptr, iv, 1, nullptr) == 1 &&
           EVP_CipherUpdate(context, out, &produced, in, static_cast<int>(length)) == 1 &&
           EVP_CipherFinal_ex(context, out + produced, &finished) == 1 &&
           static_cast<size_t>(produced + finished) == length;
}

// CBC decryption of the IV followed by the ciphertext gives one throwaway
// block and then the plaintext, whatever IV the context holds: so the
// context is never given an IV, which costs more than the AES work. The
// bytes are decrypted in place; the plaintext starts a block in.
bool DecryptAfterIv(std::span<std::uint8_t> bytes) {
    EVP_CIPHER_CTX* context = KeyedContext(false);
    int produced = 0;
    return context != nullptr &&
           EVP_CipherUpdate(context, bytes.data(), &produced, bytes.data(),
                            static_cast<int>(bytes.size())) == 1 &&
           static_cast<size_t>(produced) == bytes.size();
}

// The value of each hex digit by its character code; kNotHex for the rest.
constexpr std::uint8_t kNotHex = 0xFF;
constexpr auto kHexDigitValues = [] {
    std::array<std::uint8_t, 128> values{};
    values.fill(kNotHex);
    for (int digit = 0; digit < 10; ++digit) {
        values['0' + digit] = static_cast<std::uint8_t>(digit);
    }
    for (int digit = 0; digit < 6; ++digit) {
        values['A' + digit] = values['a' + digit] = static_cast<std::uint8_t>(10 + digit);
    }
    return values;
}();

std::uint8_t HexDigitValue(char16_t c) {
    return c < kHexDigitValues.size() ? kHexDigitValues[c] : kNotHex;
}

// Pairs of hex digits into bytes, one a pair; false at the first character
// that is not a hex digit, an odd last one included.
bool DecodeHexDigits(std::u16string_view text, std::uint8_t* bytes) {
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const std::uint8_t high = HexDigitValue(text[i]);
        const std::uint8_t low = HexDigitValue(text[i + 1]);
        if ((high | low) == kNotHex) {
            return false;
        }
        bytes[i / 2] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return text.size() % 2 == 0 || HexDigitValue(text.back()) != kNotHex;
}

// The IV and ciphertext as stored, with one zero byte after them,
// decrypted in place by the length rule; the zero ends the plaintext as a
// C string.
int DecryptStoredBytes(CSecureBytes& bytesAndZero, std::u16string& output) {
    const std::span<std::uint8_t> bytes(bytesAndZero.data(), bytesAndZero.size() - 1);
    if (bytes.size() % kBlockBytes != 0 || bytes.size() <= kIvBytes || !DecryptAfterIv(bytes)) {
        return 0;
    }
    std::u16string secret = OemToWide(reinterpret_cast<const char*>(bytes.data() + kIvBytes));
    if (secret.size() + 1 > kSecretBufferUnits) {
        OPENSSL_cleanse(secret.data(), secret.size() * sizeof(char16_t));
        return 0;
    }
    output = std::move(secret);
    return 1;
}

// IVs are drawn from the generator a batch at a time: each call into it
// costs more than the AES work of a secret. A forked child throws its copy
// of the batch away, so that parent and child never use the same IV.
class CIvPool {
public:
    bool Take(std::array<std::uint8_t, kIvBytes>& iv) {
        if (m_next == m_bytes.size()) {
            if (RAND_bytes(m_bytes.data(), static_cast<int>(m_bytes.size())) != 1) {
                return false;
            }
            m_next = 0;
        }
        std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_next), kIvBytes, iv.begin());
        m_next += kIvBytes;
        return true;
    }
    void Discard() { m_next = m_bytes.size(); }

private:
    std::array<std::uint8_t, 32 * kIvBytes> m_bytes{};
    size_t m_next = m_bytes.size();
};

CIvPool& ThreadIvPool() {
    thread_local CIvPool pool;
    static std::once_flag forkHandler;
    std::call_once(forkHandler,
                   [] { ::pthread_atfork(nullptr, nullptr, [] { ThreadIvPool().Discard(); }); });
    return pool;
}

void MakeRandomIv(std::array<std::uint8_t, kIvBytes>& iv) {
    if (!ThreadIvPool().Take(iv)) {
        // The generator is never expected to fail; a zero IV still decrypts.
        iv.fill(0);
    }
}

} // namespace

std::string ByteToHex(std::uint8_t byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

std::vector<std::uint8_t> HexToBytes(std::string_view text, size_t byteCount) {
    const auto value = [](char c) {
        const std::uint8_t digit = HexDigitValue(static_cast<unsigned char>(c));
        return digit == kNotHex ? 0 : digit;
    };
    std::vector<std::uint8_t> bytes(byteCount, 0);
    for (size_t i = 0; i < byteCount && 2 * i + 1 < text.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(value(text[2 * i]) << 4 | value(text[2 * i + 1]));
    }
    return bytes;
}

std::u16string OemToWide(const char* text) {
    return platform::MultiByteToWide(platform::GetOEMCP(), text);
}

int EncryptSecret(const char16_t* secret, std::u16string& output) {
    if (secret == nullptr) {
        return 0;
    }
    std::array<std::uint8_t, kIvBytes> iv{};
    MakeRandomIv(iv);

    const unsigned codePage = platform::GetOEMCP();
    std::string oem = platform::WideToMultiByte(codePage, secret);
    std::u16string readBack = platform::MultiByteToWide(codePage, oem);
    const bool held = readBack == secret;
    Wipe(readBack);
    if (!held) {
        Wipe(oem);
        return 0;
    }
    const size_t padded = (oem.size() + kBlockBytes - 1) / kBlockBytes * kBlockBytes;
    const size_t digits = 2 * (kIvBytes + padded);
    if (digits + 1 > kSecretBufferUnits) {
        Wipe(oem);
        return 0;
    }

    // Not memcpy: an empty secret has a null buffer, which memcpy may not be given.
    CSecureBytes plain(padded);
    std::copy(oem.begin(), oem.end(), plain.data());
    Wipe(oem);
    std::vector<std::uint8_t> cipher(padded);
    if (!Encrypt(iv.data(), plain.data(), padded, cipher.data())) {
        return 0;
    }

    std::u16string text;
    text.reserve(digits);
    const auto appendHex = [&text](std::span<const std::uint8_t> bytes) {
        for (const auto byte : bytes) {
            for (const char digit : ByteToHex(byte)) {
                text.push_back(static_cast<char16_t>(digit));
            }
        }
    };
    appendHex(iv);
    appendHex(cipher);
    output = std::move(text);
    return 1;
}

int DecryptSecret(const char16_t* text, std::u16string& output) {
    if (text == nullptr) {
        return 0;
    }
    // Hex digits are the same bytes in every OEM code page, so a stored
    // secret, which is all hex digits, needs no look at the locale.
    const std::u16string_view stored(text);
    CSecureBytes bytes(stored.size() / 2 + 1);
    if (DecodeHexDigits(stored, bytes.data())) {
        return DecryptStoredBytes(bytes, output);
    }
    // In the OEM code page a character may take other than one byte.
    const std::string converted = platform::WideToMultiByte(platform::GetOEMCP(), stored);
    const std::vector<std::uint8_t> digits = HexToBytes(converted, converted.size() / 2);
    CSecureBytes convertedBytes(digits.size() + 1);
    std::copy(digits.begin(), digits.end(), convertedBytes.data());
    return DecryptStoredBytes(convertedBytes, output);
}
