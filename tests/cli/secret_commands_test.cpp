#include "cli_fixture.h"
#include "settings/secret_cipher.h"
#include "tests/support/program_output.h"

#include <unistd.h>

namespace {

using SecretCommandsTest = CliTest;

TEST_F(SecretCommandsTest, EncryptThenDecryptGivesTheSecretBack) {
    ASSERT_EQ(Run({"encrypt", "caf\xc3\xa9 key"}), 0);
    const std::string text = m_out.str().substr(0, m_out.str().size() - 1);
    EXPECT_EQ(text.size(), 64u);
    ASSERT_EQ(Run({"decrypt", text}), 0);
    EXPECT_EQ(m_out.str(), "caf\xc3\xa9 key\n");
}

// "-" takes the secret from standard input, so that it never shows in the
// list of processes; the built program is run, as a user runs it.
TEST_F(SecretCommandsTest, AnEncryptedSecretCanComeFromStandardInput) {
    const std::string program = QUORLAN_CLI;
    const std::string secretFile = WriteFile("secret", "caf\xc3\xa9 -key\r\nsecond line\n");
    const CProgramOutput encrypted =
        RunForOutput(program + " encrypt - < '" + secretFile + "' 2>/dev/null");
    ASSERT_EQ(encrypted.nExitCode, 0);
    ASSERT_EQ(Run({"decrypt", encrypted.text.substr(0, encrypted.text.size() - 1)}), 0);
    EXPECT_EQ(m_out.str(), "caf\xc3\xa9 -key\n") << "the first line, without its end";

    const std::string tooLong = WriteFile("long", std::string(10000, 'x'));
    EXPECT_EQ(RunForOutput(program + " encrypt - < '" + tooLong + "' 2>/dev/null").nExitCode, 1);
    const std::string longAfterTheLine = WriteFile("after", "key\n" + std::string(5000, 'x'));
    EXPECT_EQ(
        RunForOutput(program + " encrypt - < '" + longAfterTheLine + "' 2>/dev/null").nExitCode, 0);
    for (const std::string& unreadable : {std::string("ab\0cd\n", 6), std::string("ab\xff\n")}) {
        const std::string file = WriteFile("unreadable", unreadable);
        EXPECT_EQ(RunForOutput(program + " encrypt - < '" + file + "' 2>/dev/null").nExitCode, 1)
            << "never a shorter or another secret";
    }
}

// As at a terminal: the line is taken once it ends, with nothing more to
// come yet, and what follows it is left unread. A line that cannot be the
// secret typed is refused for what it is.
TEST_F(SecretCommandsTest, EncryptFromStandardInputTakesOneLineAndNoMore) {
    // Runs "encrypt -" on a pipe that stays open; gives what it left unread.
    const auto encryptFrom = [this](const std::string& input, int& exitCode) {
        int pipeEnds[2];
        EXPECT_EQ(::pipe(pipeEnds), 0);
        const int savedInput = ::dup(STDIN_FILENO);
        ::dup2(pipeEnds[0], STDIN_FILENO);
        EXPECT_EQ(::write(pipeEnds[1], input.data(), input.size()),
                  static_cast<ssize_t>(input.size()));
        exitCode = Run({"encrypt", "-"});
        ::close(pipeEnds[1]);
        std::string rest(8, '\0');
        rest.resize(
            static_cast<size_t>(std::max<ssize_t>(::read(STDIN_FILENO, rest.data(), 8), 0)));
        ::dup2(savedInput, STDIN_FILENO);
        ::close(savedInput);
        ::close(pipeEnds[0]);
        return rest;
    };
    int exitCode = 0;
    EXPECT_EQ(encryptFrom("key\nnext", exitCode), "next");
    ASSERT_EQ(exitCode, 0);
    ASSERT_EQ(Run({"decrypt", m_out.str().substr(0, m_out.str().size() - 1)}), 0);
    EXPECT_EQ(m_out.str(), "key\n");

    const std::pair<std::string, const char*> refused[] = {
        {std::string("ab\0cd\n", 6), "not UTF-8 text without NUL"},
        {"ab\xff\n", "not UTF-8 text without NUL"},
        {std::string(4096, 'x') + "\n", "too long to encrypt"},
        {std::string(4097, 'x') + "\n", "larger than a secret can be"},
    };
    for (const auto& [input, message] : refused) {
        encryptFrom(input, exitCode);
        EXPECT_EQ(exitCode, 1) << message;
        EXPECT_NE(m_err.str().find(message), std::string::npos) << m_err.str();
    }
}

// A character the OEM code page lacks would be encrypted as "?".
TEST_F(SecretCommandsTest, ASecretTheCodePageCannotHoldIsRefused) {
    EXPECT_EQ(Run({"encrypt", "pw\xe2\x82\xac"}), 1);
    EXPECT_NE(m_err.str().find("code page 850"), std::string::npos) << m_err.str();
    EXPECT_EQ(m_out.str(), "");
    std::u16string stored;
    EXPECT_EQ(EncryptSecret(u"pw\u20AC", stored), 0);
    EXPECT_EQ(EncryptSecret(u"pw\u00D8\u00A9", stored), 1) << "850 has both";
}

TEST_F(SecretCommandsTest, MalformedTextAndBadArguments) {
    EXPECT_EQ(Run({"decrypt", std::string(32, '0')}), 1);
    EXPECT_NE(m_err.str().find("not an encrypted secret"), std::string::npos);
    EXPECT_EQ(m_out.str(), "");
    EXPECT_EQ(Run({"encrypt", std::string(481, 'x')}), 1);
    EXPECT_EQ(Run({"encrypt"}), 2);
    EXPECT_EQ(Run({"decrypt", "a", "b"}), 2);
    EXPECT_EQ(Run({"frobnicate"}), 2);
    EXPECT_EQ(Run({}), 2);
}

TEST_F(SecretCommandsTest, HelpForTheToolAndEachCommand) {
    EXPECT_EQ(Run({"--help"}), 0);
    for (const char* command : {"encrypt", "decrypt", "create"}) {
        EXPECT_NE(m_out.str().find(command), std::string::npos);
    }
    EXPECT_EQ(Run({"create", "--help"}), 0);
    EXPECT_NE(m_out.str().find("--from SETTINGS.json --out FOLDER"), std::string::npos);
    EXPECT_EQ(Run({"help", "decrypt"}), 0);
    EXPECT_NE(m_out.str().find("decrypt [--] TEXT"), std::string::npos);
}

// After "--" an argument is never an option, so a secret may be "-h".
TEST_F(SecretCommandsTest, TwoDashesEndTheOptionsOfEveryCommand) {
    ASSERT_EQ(Run({"encrypt", "--", "-h"}), 0);
    const std::string encrypted = m_out.str().substr(0, m_out.str().size() - 1);
    m_out.str("");
    EXPECT_EQ(Run({"decrypt", "--", encrypted}), 0);
    EXPECT_EQ(m_out.str(), "-h\n");
    EXPECT_EQ(Run({"encrypt", "--"}), 2);
    EXPECT_EQ(Run({"encrypt", "--", "a", "b"}), 2);
    m_err.str("");
    EXPECT_EQ(Run({"check", "--", "-missing.ini"}), 2);
    EXPECT_EQ(m_err.str(), "quorlan-cli: -missing.ini: no such file\n");
    EXPECT_EQ(Run({"check", "--", "--ids"}), 2) << "a file named --ids";
    m_out.str("");
    EXPECT_EQ(Run({"show", "--", "--help"}), 2) << "a file named --help, not the help";
    EXPECT_EQ(m_out.str(), "");
}

} // namespace
