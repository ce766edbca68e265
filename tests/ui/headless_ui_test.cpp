#include "ui/headless/headless_ui.h"

#include <gtest/gtest.h>

namespace {

using ui::ControlKind;
using ui::headless::CHeadlessUi;
using ui::headless::CHeadlessWindow;

constexpr int IDC_CHILD = 10;
constexpr int IDC_DISABLED = 11;
constexpr int IDC_A = 20, IDC_B = 21, IDC_C = 22, IDC_X = 30, IDC_Y = 31;
constexpr int IDC_LIST = 40;

const ui::DialogTemplate& ParentTemplate() {
    static const ui::DialogTemplate dialogTemplate{
        1,
        {},
        u"Parent",
        u"MS Shell Dlg",
        8,
        0,
        0,
        {
            {ui::IDOK, ControlKind::PushButton, {}, ui::style::kDefaultButton, u"OK"},
            {IDC_CHILD, ControlKind::PushButton, {}, 0, u"Child"},
            {IDC_DISABLED, ControlKind::PushButton, {}, ui::style::kDisabled, u"Off"},
            {IDC_A, ControlKind::RadioButton, {}, ui::style::kGroup, u"a"},
            {IDC_B, ControlKind::RadioButton, {}, 0, u"b"},
            {IDC_C, ControlKind::RadioButton, {}, 0, u"c"},
            {IDC_X, ControlKind::RadioButton, {}, ui::style::kGroup, u"x"},
            {IDC_Y, ControlKind::RadioButton, {}, 0, u"y"},
            {IDC_LIST, ControlKind::ListBox, {}, 0, u""},
        }};
    return dialogTemplate;
}

const ui::DialogTemplate& ChildTemplate() {
    static const ui::DialogTemplate dialogTemplate{2, {}, u"Child", u"MS Shell Dlg", 8, 0, 0, {}};
    return dialogTemplate;
}

class CChildDlg : public ui::CDialog {
public:
    explicit CChildDlg(ui::CDialog* parent) : ui::CDialog(ChildTemplate(), parent) {}
};

class CParentDlg : public ui::CDialog {
public:
    CParentDlg() : ui::CDialog(ParentTemplate()) {
        OnNotify(IDC_CHILD, ui::Notification::Clicked, [this] {
            CChildDlg child(this);
            m_nChildResult = child.DoModal();
            m_nAnswer =
                MessageBox(u"Sure?   ", u"Question", ui::Icon::Question, ui::Buttons::YesNo);
        });
        OnNotify(IDC_DISABLED, ui::Notification::Clicked, [this] { ++m_nDisabledClicks; });
    }
    void DoDataExchange(ui::CDataExchange& dx) override {
        ui::DDX_Radio(dx, IDC_A, m_nFirst);
        ui::DDX_Radio(dx, IDC_X, m_nSecond);
    }

    int m_nFirst = 1;
    int m_nSecond = -1;
    int m_nChildResult = 0;
    int m_nAnswer = 0;
    int m_nDisabledClicks = 0;
};

class HeadlessUiTest : public ::testing::Test {
protected:
    void SetUp() override { ui::InstallServices(&m_ui); }
    void TearDown() override { ui::InstallServices(nullptr); }
    CHeadlessUi m_ui;
};

TEST_F(HeadlessUiTest, NestedModalDialogAndMessageBoxArePlayedByTheScript) {
    CParentDlg dialog;
    bool childShown = false;
    m_ui.OnNextModal(2, [&](CHeadlessWindow& child) {
        childShown = true;
        EXPECT_EQ(m_ui.FindWindow(u"Parent") != 0, true) << "the parent is still open";
        child.PressEnter();
    });
    m_ui.AnswerNextMessageBox(ui::IDNO);
    m_ui.OnNextModal(1, [&](CHeadlessWindow& window) {
        EXPECT_TRUE(window.Click(IDC_CHILD));
        window.PressEnter();
    });
    EXPECT_EQ(dialog.DoModal(), ui::IDOK);
    EXPECT_TRUE(childShown);
    EXPECT_EQ(dialog.m_nChildResult, ui::IDOK);
    EXPECT_EQ(dialog.m_nAnswer, ui::IDNO);
    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_ui.MessageBoxes()[0].text, u"Sure?   ");
    EXPECT_EQ(m_ui.MessageBoxes()[0].templateOfOwner, 1);
    EXPECT_EQ(m_ui.FindWindow(u"Parent"), 0u) << "a closed dialog has no window";

    // Unanswered, a box takes its default, as Enter does: never Yes.
    EXPECT_EQ(m_ui.ShowMessageBox(nullptr, u"Restart?", u"Q", ui::Icon::None, ui::Buttons::YesNo),
              ui::IDNO);
    EXPECT_EQ(m_ui.ShowMessageBox(nullptr, u"Sure?", u"Q", ui::Icon::None, ui::Buttons::OkCancel),
              ui::IDOK);
}

TEST_F(HeadlessUiTest, UnscriptedDialogIsClosedAsWithEscape) {
    CParentDlg dialog;
    EXPECT_EQ(dialog.DoModal(), ui::IDCANCEL);
    EXPECT_FALSE(dialog.HasWindow());
}

TEST_F(HeadlessUiTest, RadioGroupsAndDataExchange) {
    CParentDlg dialog;
    auto window = m_ui.Open(dialog);
    EXPECT_EQ(window->Check(IDC_B), 1);
    EXPECT_EQ(window->Check(IDC_X) + window->Check(IDC_Y), 0);
    window->Click(IDC_C);
    window->Click(IDC_Y);
    EXPECT_EQ(window->Check(IDC_B), 0);
    EXPECT_EQ(window->Check(IDC_C), 1);
    EXPECT_EQ(window->Check(IDC_Y), 1);
    dialog.UpdateData(true);
    EXPECT_EQ(dialog.m_nFirst, 2);
    EXPECT_EQ(dialog.m_nSecond, 1);
}

TEST_F(HeadlessUiTest, UserCannotReachDisabledOrHiddenControls) {
    CParentDlg dialog;
    auto window = m_ui.Open(dialog);
    EXPECT_FALSE(window->Click(IDC_DISABLED));
    window->Enable(IDC_DISABLED, true);
    window->Show(IDC_DISABLED, false);
    EXPECT_FALSE(window->Click(IDC_DISABLED));
    window->Show(IDC_DISABLED, true);
    EXPECT_TRUE(window->Click(IDC_DISABLED));
    EXPECT_EQ(dialog.m_nDisabledClicks, 1);
    EXPECT_FALSE(window->Choose(IDC_LIST, 0)) << "no such line";
}

TEST_F(HeadlessUiTest, ListLinesKeepTheirDataAndSelectionFollowsDeletion) {
    CParentDlg dialog;
    auto window = m_ui.Open(dialog);
    for (const auto* text : {u"zero", u"one", u"two"}) {
        const int line = window->InsertItem(IDC_LIST, -1, text);
        window->SetItemData(IDC_LIST, line, 100 + line);
    }
    EXPECT_EQ(window->InsertItem(IDC_LIST, 0, u"first"), 0);
    window->SetCurSel(IDC_LIST, 3);
    window->DeleteItem(IDC_LIST, 1);
    EXPECT_EQ(window->CurSel(IDC_LIST), 2);
    EXPECT_EQ(window->ItemText(IDC_LIST, 2), u"two");
    EXPECT_EQ(window->ItemData(IDC_LIST, 2), 102);
    window->DeleteItem(IDC_LIST, 2);
    EXPECT_EQ(window->CurSel(IDC_LIST), -1);
    EXPECT_EQ(window->ItemData(IDC_LIST, 7), -1);
}

} // namespace
