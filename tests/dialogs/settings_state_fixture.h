#pragma once
#include "catalogue/message_catalogue.h"
#include "dialogs/main_dialog/quorlan_dlg_state.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/file_reader.h"
#include "platform/profile_file.h"
#include "settings/text_format.h"
#include "tests/support/temp_folder.h"
#include "tests/support/whole_file.h"
#include "ui/headless/headless_ui.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

// A dialog state with its window open on the headless backend, and a folder
// to write into.
class SettingsStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::OverrideCodePages(1252, 850);
        ui::InstallServices(&m_ui);
        m_window = m_ui.Open(m_state);
    }
    void TearDown() override {
        m_window.reset();
        ui::InstallServices(nullptr);
        platform::OverrideCodePages(std::nullopt, std::nullopt);
    }

    static CNetworkSetting Profile(const std::u16string& ssid) {
        CNetworkSetting profile;
        profile.m_strSsid = ssid;
        return profile;
    }

    std::u16string FilePath() const { return (m_folder / "NetworkSetting.ini").u16string(); }

    std::vector<std::string> WrittenLines() {
        EXPECT_EQ(m_state.WriteSettingsFile(FilePath()), 1);
        const auto bytes = ReadWholeFile(FilePath()).value_or("");
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
            lines.push_back(bytes.substr(start, end - start));
        }
        EXPECT_EQ(start, bytes.size()) << "every line ends in CRLF";
        return lines;
    }

    // The catalogue rows of the message boxes shown so far, each checked for
    // its caption and form; the record is then cleared.
    std::vector<int> Messages(int caption) {
        std::vector<int> ids;
        for (const auto& box : m_ui.MessageBoxes()) {
            EXPECT_EQ(box.caption, GetMessageText(caption));
            EXPECT_EQ(box.icon, ui::Icon::Error);
            EXPECT_EQ(box.buttons, ui::Buttons::Ok);
            ids.push_back(IdOf(box.text));
        }
        m_ui.ClearMessageBoxes();
        return ids;
    }
    static int IdOf(const std::u16string& text) {
        for (int id = 0; id < kMessageCount; ++id) {
            if (text == GetMessageText(id) + std::u16string(u"   ")) {
                return id;
            }
        }
        return -1;
    }

    ui::headless::CHeadlessUi m_ui;
    CQuorlanDlgState m_state;
    ui::headless::COpenWindow m_window;
    CTempFolder m_folder;
};
