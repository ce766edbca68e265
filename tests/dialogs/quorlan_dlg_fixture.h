#pragma once
#include "catalogue/message_catalogue.h"
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"
#include "ui/headless/headless_ui.h"

#include <gtest/gtest.h>

// The main dialog on the headless backend, with its application data file
// in a folder of the test's own.
class QuorlanDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::OverrideCodePages(1252, 850);
        ui::InstallServices(&m_ui);
        g_nLanguageIndex = 0;
    }
    void TearDown() override {
        ui::InstallServices(nullptr);
        platform::OverrideCodePages(std::nullopt, std::nullopt);
    }

    std::filesystem::path AppDataFile() const { return m_folder / "KordavinSettingUtil.dat"; }

    // Shows the dialog; the script plays the user, then the dialog is left
    // with Exit unless the script ended it.
    int Show(const ui::headless::CHeadlessUi::ModalScript& script) {
        m_ui.OnNextModal(kQuorlanDlgTemplateId, script);
        return m_dialog.DoModal();
    }

    CTempFolder m_folder;
    CEnvironmentVariable m_appData{"APPDATA", m_folder.Path().string()};
    ui::headless::CHeadlessUi m_ui;
    CQuorlanDlg m_dialog;
};
