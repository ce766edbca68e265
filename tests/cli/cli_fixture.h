#pragma once
#include "cli/cli.h"
#include "platform/codepage.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

// Runs quorlan-cli in process with a Western locale and a scratch folder.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override { platform::OverrideCodePages(1252, 850); }
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }

    int Run(const std::vector<std::string>& args) {
        m_out.str({});
        m_err.str({});
        return RunCli(args, m_out, m_err);
    }

    std::string WriteFile(const std::string& name, const std::string& content) {
        const auto path = m_folder / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    CTempFolder m_folder;
    std::ostringstream m_out;
    std::ostringstream m_err;
};
