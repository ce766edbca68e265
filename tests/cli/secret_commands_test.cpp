#include "cli_fixture.h"

namespace {

using SecretCommandsTest = CliTest;

TEST_F(SecretCommandsTest, EncryptThenDecryptGivesTheSecretBack) {
    ASSERT_EQ(Run({"encrypt", "caf\xc3\xa9 key"}), 0);
    const std::string text = m_out.str().substr(0, m_out.str().size() - 1);
    EXPECT_EQ(text.size(), 64u);
    ASSERT_EQ(Run({"decrypt", text}), 0);
    EXPECT_EQ(m_out.str(), "caf\xc3\xa9 key\n");
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
    EXPECT_NE(m_out.str().find("decrypt TEXT"), std::string::npos);
}

} // namespace
