#pragma once
#include "catalogue/message_catalogue.h"
#include "platform/file_reader.h"
#include "platform/ini_document.h"
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"
#include "tests/support/whole_file.h"
#include "ui/headless/headless_ui.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>

// A registry folder, Samba folder, runtime folder and restart record of the
// test's own, and English texts unless a test chooses another language.
class CBrenholdFixture : public ::testing::Test {
protected:
    void SetUp() override { SelectLanguageFromLocale(); }

    std::filesystem::path Hive() const { return m_folder / "registry/HKEY_LOCAL_MACHINE.ini"; }
    std::filesystem::path RestartRecord() const { return m_folder / "restart-record"; }

    // Stores the level as regedit would export it.
    void StoreLevel(const std::string& value) const {
        std::filesystem::create_directories(Hive().parent_path());
        std::ofstream(Hive()) << "[SYSTEM\\CurrentControlSet\\Control\\Lsa]\r\n"
                              << (value.empty() ? "" : "lmcompatibilitylevel=" + value + "\r\n");
    }

    std::optional<std::u16string> StoredLevel() const {
        const auto bytes = ReadWholeFile(Hive());
        if (!bytes) {
            return std::nullopt;
        }
        return platform::CIniDocument::FromBytes(*bytes).GetValue(
            u"SYSTEM\\CurrentControlSet\\Control\\Lsa", u"lmcompatibilitylevel");
    }

    // The restart command runs detached: give it a moment to leave its record.
    bool RestartRequested() const {
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (std::filesystem::exists(RestartRecord())) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        return false;
    }

    static std::u16string Text(int id) { return GetMessageText(id); }

    CTempFolder m_folder;
    CEnvironmentVariable m_registry{"KORDAVIN_REGISTRY_ROOT", (m_folder / "registry").string()};
    CEnvironmentVariable m_samba{"KORDAVIN_SAMBA_ROOT", (m_folder / "samba").string()};
    // Each test's lock is its own, root's too, which ignores the runtime folder.
    CEnvironmentVariable m_runtime{"XDG_RUNTIME_DIR", m_folder.Path().string()};
    CEnvironmentVariable m_runRoot{"KORDAVIN_RUN_ROOT", m_folder.Path().string()};
    CEnvironmentVariable m_record{"KORDAVIN_RESTART_RECORD", RestartRecord().string()};
    CEnvironmentVariable m_restart{"KORDAVIN_RESTART_COMMAND",
                                   std::string(QUORLAN_BINARY_DIR) + "/test-root/record-restart"};
    CEnvironmentVariable m_language{"LANG", "en_US.UTF-8"};
};

// The same, with the headless backend playing the user.
class CBrenholdHeadlessFixture : public CBrenholdFixture {
protected:
    void SetUp() override {
        CBrenholdFixture::SetUp();
        ui::InstallServices(&m_ui);
    }
    void TearDown() override { ui::InstallServices(nullptr); }

    ui::headless::CHeadlessUi m_ui;
};
