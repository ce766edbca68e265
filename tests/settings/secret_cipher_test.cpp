#include "platform/codepage.h"
#include "settings/secret_cipher.h"
#include "tests/support/temp_folder.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

class SecretCipherTest : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideCodePages(1252, 850); }
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }

    static std::u16string Encrypt(const std::u16string& secret) {
        std::u16string text;
        EXPECT_EQ(EncryptSecret(secret.c_str(), text), 1);
        return text;
    }
    static std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }
};

TEST_F(SecretCipherTest, LengthOfTheTextFollowsWholeBlocks) {
    EXPECT_EQ(Encrypt(u"").size(), 32u) << "the IV alone";
    EXPECT_EQ(Encrypt(u"a").size(), 64u);
    EXPECT_EQ(Encrypt(std::u16string(16, u'k')).size(), 64u);
    EXPECT_EQ(Encrypt(std::u16string(17, u'k')).size(), 96u);
    EXPECT_EQ(Encrypt(std::u16string(480, u'k')).size(), 1024u - 32u);
    const std::regex upperHex("[0-9A-F]+");
    EXPECT_TRUE(std::regex_match(Narrow(Encrypt(u"password")), upperHex));
}

TEST_F(SecretCipherTest, RoundTripsWithAFreshIvEachTime) {
    const std::u16string first = Encrypt(u"s3cret key");
    const std::u16string second = Encrypt(u"s3cret key");
    EXPECT_NE(first.substr(0, 32), second.substr(0, 32));
    for (const auto& text : {first, second}) {
        std::u16string secret;
        ASSERT_EQ(DecryptSecret(text.c_str(), secret), 1);
        EXPECT_EQ(secret, u"s3cret key");
    }
}

TEST_F(SecretCipherTest, AForkedChildNeverRepeatsItsParentsIv) {
    Encrypt(u"before the fork");
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string iv = Narrow(Encrypt(u"secret").substr(0, 32));
        const bool written = ::write(pipe[1], iv.data(), iv.size()) == 32;
        ::_exit(written ? 0 : 1);
    }
    ::close(pipe[1]);
    char childIv[32];
    const bool read = ::read(pipe[0], childIv, sizeof childIv) == 32;
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(read);
    EXPECT_NE(Narrow(Encrypt(u"secret").substr(0, 32)), std::string(childIv, sizeof childIv));
}

TEST_F(SecretCipherTest, RefusesWhatWouldNotFitAndLeavesOutputAlone) {
    std::u16string output = u"untouched";
    EXPECT_EQ(EncryptSecret(std::u16string(481, u'k').c_str(), output), 0);
    EXPECT_EQ(EncryptSecret(nullptr, output), 0);
    EXPECT_EQ(DecryptSecret(nullptr, output), 0);
    EXPECT_EQ(output, u"untouched");
}

TEST_F(SecretCipherTest, DecryptionFollowsTheLengthRule) {
    const std::u16string valid = Encrypt(u"key");
    std::u16string secret;
    EXPECT_EQ(DecryptSecret(valid.substr(0, 63).c_str(), secret), 0);
    EXPECT_EQ(DecryptSecret(valid.substr(0, 32).c_str(), secret), 0);
    EXPECT_EQ(DecryptSecret(u"", secret), 0);
    EXPECT_EQ(DecryptSecret((valid + u"F").c_str(), secret), 1) << "an odd last digit is ignored";
    EXPECT_EQ(secret, u"key");

    std::u16string lower = valid;
    for (auto& c : lower) {
        c = static_cast<char16_t>(std::tolower(c));
    }
    EXPECT_EQ(DecryptSecret(lower.c_str(), secret), 1);
    EXPECT_EQ(secret, u"key");

    std::u16string damaged = valid;
    damaged[40] = damaged[40] == u'0' ? u'1' : u'Z'; // 'Z' reads as 0
    EXPECT_EQ(DecryptSecret(damaged.c_str(), secret), 1) << "no integrity check: it still decrypts";
    EXPECT_NE(secret, u"key");
}

TEST_F(SecretCipherTest, SecretsDecryptInAnyOrderBetweenEncryptions) {
    const std::vector<std::u16string> secrets = {u"a", std::u16string(40, u'b'),
                                                 std::u16string(16, u'c'),
                                                 std::u16string(470, u'd'), u"e\u00e9"};
    std::vector<std::u16string> texts;
    for (const auto& secret : secrets) {
        texts.push_back(Encrypt(secret));
    }
    for (const size_t i : {3u, 0u, 4u, 0u, 1u, 3u, 2u, 1u}) {
        std::u16string secret;
        ASSERT_EQ(DecryptSecret(texts[i].c_str(), secret), 1) << i;
        EXPECT_EQ(secret, secrets[i]) << i;
        Encrypt(u"in between");
    }
}

TEST_F(SecretCipherTest, AStrayCharacterIsReadInTheOemCodePage) {
    // U+00E9 is one byte in 850, so the digits after it stay in place.
    const std::u16string valid = Encrypt(u"key");
    std::u16string withZero = valid;
    std::u16string withAccent = valid;
    withZero[40] = u'0';
    withAccent[40] = u'\u00e9';
    std::u16string expected;
    std::u16string secret;
    ASSERT_EQ(DecryptSecret(withZero.c_str(), expected), 1);
    ASSERT_EQ(DecryptSecret(withAccent.c_str(), secret), 1);
    EXPECT_EQ(secret, expected);
}

// A character the OEM code page lacks would be encrypted as "?": another
// secret than the one given.
TEST_F(SecretCipherTest, ASecretTheOemCodePageCannotHoldIsNotEncrypted) {
    std::u16string text = u"unchanged";
    EXPECT_EQ(EncryptSecret(u"caf\u00e9\u30cd", text), 0);
    EXPECT_EQ(text, u"unchanged");
    std::u16string secret;
    ASSERT_EQ(DecryptSecret(Encrypt(u"caf\u00e9").c_str(), secret), 1);
    EXPECT_EQ(secret, u"caf\u00e9");
}

TEST_F(SecretCipherTest, HexHelpersTreatStrayCharactersAsZero) {
    EXPECT_EQ(ByteToHex(0x00), "00");
    EXPECT_EQ(ByteToHex(0xA7), "A7");
    EXPECT_EQ(HexToBytes("0aFfz1g", 3), (std::vector<std::uint8_t>{0x0A, 0xFF, 0x01}));
    EXPECT_EQ(HexToBytes("1", 1), (std::vector<std::uint8_t>{0x00}));
    EXPECT_EQ(OemToWide("caf\x82"), u"caf\u00e9");
}

// The openssl command, an independent AES implementation, must agree with
// the stored form in both directions.
class OpensslCommandTest : public SecretCipherTest {
protected:
    static constexpr const char* kKeyHex = "3a7f1c5e9b2d408e6c1f7a2b5d9e0c84";

    std::string RunOpenssl(const std::string& mode, const std::string& ivHex,
                           const std::string& input) {
        const auto in = m_folder / "in";
        const auto out = m_folder / "out";
        std::ofstream(in, std::ios::binary) << input;
        const std::string command = "openssl enc " + mode + " -aes-128-cbc -nopad -K " + kKeyHex +
                                    " -iv " + ivHex + " -in " + in.string() + " -out " +
                                    out.string();
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        std::ifstream result(out, std::ios::binary);
        return {std::istreambuf_iterator<char>(result), {}};
    }

    static std::string FromHex(const std::string& hex) {
        const auto bytes = HexToBytes(hex, hex.size() / 2);
        return {bytes.begin(), bytes.end()};
    }

    CTempFolder m_folder;
};

TEST_F(OpensslCommandTest, DecryptsWhatWeEncrypt) {
    const std::string text = Narrow(Encrypt(u"seventeen chars!!"));
    const std::string plain = RunOpenssl("-d", text.substr(0, 32), FromHex(text.substr(32)));
    EXPECT_EQ(plain, std::string("seventeen chars!!") + std::string(15, '\0'));
}

TEST_F(OpensslCommandTest, WeDecryptWhatItEncrypts) {
    const std::string iv = "000102030405060708090A0B0C0D0E0F";
    const std::string cipher =
        RunOpenssl("-e", iv, std::string("HomeNet-key") + std::string(5, '\0'));
    std::string text = iv;
    for (const char byte : cipher) {
        text += ByteToHex(static_cast<std::uint8_t>(byte));
    }
    std::u16string secret;
    ASSERT_EQ(DecryptSecret(std::u16string(text.begin(), text.end()).c_str(), secret), 1);
    EXPECT_EQ(secret, u"HomeNet-key");

    // A secret fills a caller's buffer of 1024 units with its terminator: 1023
    // characters are taken, 1024 refused, whatever the file holds.
    for (const size_t length : {size_t{1023}, size_t{1024}}) {
        const std::string longCipher =
            RunOpenssl("-e", iv, std::string(length, 'k') + std::string(1024 - length, '\0'));
        std::string stored = iv;
        for (const char byte : longCipher) {
            stored += ByteToHex(static_cast<std::uint8_t>(byte));
        }
        std::u16string output = u"untouched";
        EXPECT_EQ(DecryptSecret(std::u16string(stored.begin(), stored.end()).c_str(), output),
                  length == 1023 ? 1 : 0)
            << length;
        EXPECT_EQ(output, length == 1023 ? std::u16string(1023, u'k') : u"untouched");
    }
}

} // namespace
