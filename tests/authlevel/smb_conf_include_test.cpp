#include "authlevel/smb_conf_include.h"

#include <gtest/gtest.h>

namespace {

constexpr char kOwnFile[] = "/etc/samba/kordavin-lm.conf";

std::string WithInclude(const std::string& config) {
    return AddIncludeToGlobalSection(config, kOwnFile);
}

} // namespace

TEST(SmbConfIncludeTest, GoesAfterTheLastGlobalSettingKeepingEveryOtherByte) {
    const std::string head = "#\n# Sample configuration\n#\n[global]\n\n"
                             "## Identification\n   workgroup = WORKGROUP\n"
                             ";   interfaces = 127.0.0.0/8 eth0\n"
                             "\tserver string = %h \\\n     server\n";
    const std::string tail = "# log file = /var/log/samba/log.%m\n\n"
                             "#=== Share Definitions ===\n[homes]\n   comment = Home\n"
                             "[printers]\n   path = /var/spool/samba\n";
    EXPECT_EQ(WithInclude(head + tail), head + "\tinclude = /etc/samba/kordavin-lm.conf\n" + tail);
}

// Comments in [global], of either kind and ending in a backslash, stay with
// what follows them; a setting that goes on into the end of the file gets an
// empty line to go on into, so the include stands on a line of its own.
TEST(SmbConfIncludeTest, CommentsAndContinuedLinesNeverTakeTheInclude) {
    EXPECT_EQ(WithInclude("[global]\n; a = 1\n   workgroup = W\n; b = 2\n# note \\\n[data]\n"),
              "[global]\n; a = 1\n   workgroup = W\n   include = /etc/samba/kordavin-lm.conf\n"
              "; b = 2\n# note \\\n[data]\n");
    EXPECT_EQ(WithInclude("[global]\nserver string = test \\\n"),
              "[global]\nserver string = test \\\n\ninclude = /etc/samba/kordavin-lm.conf\n");
    EXPECT_EQ(WithInclude("[global]\r\nserver string = test \\\r\n"),
              "[global]\r\nserver string = test \\\r\n\r\n"
              "include = /etc/samba/kordavin-lm.conf\r\n");
    EXPECT_EQ(WithInclude("[global]\r\nserver string = test \\"),
              "[global]\r\nserver string = test \\\r\n\r\n"
              "include = /etc/samba/kordavin-lm.conf\r\n");
}

TEST(SmbConfIncludeTest, NewLineEndsLikeTheFileLines) {
    EXPECT_EQ(WithInclude("[global]\r\nworkgroup = X\r\n[data]\r\npath = /srv\r\n"),
              "[global]\r\nworkgroup = X\r\ninclude = /etc/samba/kordavin-lm.conf\r\n"
              "[data]\r\npath = /srv\r\n");
    EXPECT_EQ(WithInclude("[global]\n  workgroup = X"),
              "[global]\n  workgroup = X\n  include = /etc/samba/kordavin-lm.conf\n");
    EXPECT_EQ(WithInclude("[global]\r\n  workgroup = X"),
              "[global]\r\n  workgroup = X\r\n  include = /etc/samba/kordavin-lm.conf\r\n");
}

TEST(SmbConfIncludeTest, PresentIncludeIsNotAddedAgain) {
    for (const std::string line :
         {"include = /etc/samba/kordavin-lm.conf", "  In Clude=/etc/samba/kordavin-lm.conf  ",
          "\tINCLUDE =\t/etc/samba//kordavin-lm.conf"}) {
        SCOPED_TRACE(line);
        const std::string config = "[global]\n" + line + "\nworkgroup = X\n[data]\npath = /srv\n";
        EXPECT_EQ(WithInclude(config), config);
        const std::string topOnly = line + "\r\n[data]\r\n";
        EXPECT_EQ(WithInclude(topOnly), topOnly);
    }
}

// A file included before may leave Samba in a share section, so the line
// then comes with a [global] header of its own.
TEST(SmbConfIncludeTest, OtherIncludesAndSharesDoNotCount) {
    EXPECT_EQ(WithInclude("[global]\ninclude = /etc/samba/shares.conf\n"
                          "[data]\ninclude = /etc/samba/kordavin-lm.conf\n"),
              "[global]\ninclude = /etc/samba/shares.conf\n"
              "[global]\ninclude = /etc/samba/kordavin-lm.conf\n"
              "[data]\ninclude = /etc/samba/kordavin-lm.conf\n");
    EXPECT_EQ(WithInclude("[global]\r\n include = /etc/samba/kordavin-lm.conf.old\r\n a = 1\r\n"),
              "[global]\r\n include = /etc/samba/kordavin-lm.conf.old\r\n a = 1\r\n"
              "[global]\r\n include = /etc/samba/kordavin-lm.conf\r\n");
    EXPECT_EQ(WithInclude("include = /etc/samba/top.conf\n[global]\nnot a setting\n"),
              "include = /etc/samba/top.conf\n[global]\nnot a setting\n"
              "include = /etc/samba/kordavin-lm.conf\n");
}

TEST(SmbConfIncludeTest, GlobalSectionIsFoundInAnySpellingAndTheLastOneGetsTheLine) {
    EXPECT_EQ(WithInclude("[ Global ]\n[data]\n"),
              "[ Global ]\ninclude = /etc/samba/kordavin-lm.conf\n[data]\n");
    EXPECT_EQ(WithInclude("[GLOBALS]\na = 1\n"),
              "[GLOBALS]\na = 1\ninclude = /etc/samba/kordavin-lm.conf\n");
    EXPECT_EQ(WithInclude("[global]\na = 1\n[data]\n[global]\nb = 2\n[more]\n"),
              "[global]\na = 1\n[data]\n[global]\nb = 2\n"
              "include = /etc/samba/kordavin-lm.conf\n[more]\n");
    EXPECT_EQ(WithInclude("[global_data]\npath = /srv\n"),
              "[global]\ninclude = /etc/samba/kordavin-lm.conf\n[global_data]\npath = /srv\n");
}

TEST(SmbConfIncludeTest, WithoutGlobalSectionOneIsAddedAfterTheTopSettings) {
    EXPECT_EQ(WithInclude(""), "[global]\ninclude = /etc/samba/kordavin-lm.conf\n");
    EXPECT_EQ(WithInclude("# shares only\r\n[data]\r\npath = /srv\r\n"),
              "[global]\r\ninclude = /etc/samba/kordavin-lm.conf\r\n"
              "# shares only\r\n[data]\r\npath = /srv\r\n");
    EXPECT_EQ(WithInclude("workgroup = X\n# shares\n[data]\n"),
              "workgroup = X\n[global]\ninclude = /etc/samba/kordavin-lm.conf\n# shares\n[data]\n");
}
