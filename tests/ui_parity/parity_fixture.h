#pragma once
#include "tests/support/parity_probe.h"
#include "tests/support/test_users.h"

#include <gtest/gtest.h>
#include <memory>

namespace parity {

// The probe dialog, opened on the backend under test with a user at it.
template <typename User> class ParityTest : public ::testing::Test {
protected:
    ParityTest() { Open(ButtonRow::NoDefault); }

    void Open(ButtonRow buttons) {
        m_user.reset();
        m_template = ProbeTemplate(buttons);
        m_dialog = std::make_unique<CRecorderDlg>(m_template);
        m_user = std::make_unique<User>(*m_dialog);
    }

    User& TheUser() { return *m_user; }
    ui::IWindow& Window() { return m_user->Window(); }
    std::vector<CHeard> Heard() { return m_dialog->TakeHeard(); }

private:
    ui::DialogTemplate m_template;
    std::unique_ptr<CRecorderDlg> m_dialog;
    std::unique_ptr<User> m_user;
};

using Backends = ::testing::Types<CHeadlessUser, CQtUser>;

} // namespace parity
