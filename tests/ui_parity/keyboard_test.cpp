#include "tests/ui_parity/parity_fixture.h"

using namespace parity;
using ui::Notification;

namespace {

template <typename User> class KeyboardTest : public ParityTest<User> {};
TYPED_TEST_SUITE(KeyboardTest, Backends, CUserName);

const CHeard kOk{ui::IDOK, Notification::Clicked};

CHeard ClickOf(int id) { return {id, Notification::Clicked}; }

} // namespace

TYPED_TEST(KeyboardTest, WithoutADefaultButtonEnterMeansOkUnlessAButtonHasTheFocus) {
    this->Window().InsertItem(kList, -1, u"line");
    for (const int focus : {kPlainEdit, kCheck, kList}) {
        this->TheUser().Focus(focus);
        this->TheUser().PressEnter();
        EXPECT_EQ(this->Heard(), std::vector<CHeard>{kOk}) << "focus on " << focus;
    }
    this->TheUser().Focus(kPriorityDown);
    this->TheUser().PressEnter();
    EXPECT_EQ(this->Heard(), std::vector<CHeard>{ClickOf(kPriorityDown)});
    this->TheUser().PressEscape();
    EXPECT_EQ(this->Heard(), std::vector<CHeard>{ClickOf(ui::IDCANCEL)});
}

TYPED_TEST(KeyboardTest, EnterPressesTheTemplatesDefaultButtonEvenWhenItIsNotOk) {
    this->Open(ButtonRow::DefaultNotOk);
    this->Window().InsertItem(kList, -1, u"line");
    for (const int focus : {kPlainEdit, kCheck, kList}) {
        this->TheUser().Focus(focus);
        this->TheUser().PressEnter();
        EXPECT_EQ(this->Heard(), std::vector<CHeard>{ClickOf(kPropertyOk)}) << "focus on " << focus;
    }
    this->TheUser().Focus(kClear);
    this->TheUser().PressEnter();
    EXPECT_EQ(this->Heard(), std::vector<CHeard>{ClickOf(kClear)});
    // The focus leaves the button: the template's default is back.
    this->TheUser().Focus(kPlainEdit);
    this->TheUser().PressEnter();
    EXPECT_EQ(this->Heard(), std::vector<CHeard>{ClickOf(kPropertyOk)});
}

TYPED_TEST(KeyboardTest, ADisabledDefaultButtonIsNotPressed) {
    this->Open(ButtonRow::DefaultNotOk);
    this->Window().Enable(kPropertyOk, false);
    this->TheUser().Focus(kPlainEdit);
    this->TheUser().PressEnter();
    EXPECT_TRUE(this->Heard().empty());
}

TYPED_TEST(KeyboardTest, TabRunsRoundTheWindowPassingTheAddressControlAsOneStop) {
    auto& user = this->TheUser();
    this->Window().Enable(kNumberEdit, false);
    user.Focus(kPlainEdit);
    // A group of radio buttons is one stop: the checked one, else the first.
    const std::vector<int> forwards = {kPasswordEdit, kRadioA,   kCheck, kAddress,
                                       kCombo,        kList,     kTabs,  kPriorityUp,
                                       kPriorityDown, kPlainEdit};
    std::vector<int> reached;
    for (size_t press = 0; press < forwards.size(); ++press) {
        user.PressTab(false);
        reached.push_back(user.FocusedControl());
    }
    EXPECT_EQ(reached, forwards);
    this->Window().SetCheck(kRadioB, 1);
    user.Focus(kPasswordEdit);
    user.PressTab(false);
    EXPECT_EQ(user.FocusedControl(), kRadioB);
    user.PressTab(false);
    EXPECT_EQ(user.FocusedControl(), kCheck);
    user.PressTab(true);
    EXPECT_EQ(user.FocusedControl(), kRadioB);
    user.Focus(kCombo);
    user.PressTab(true);
    EXPECT_EQ(user.FocusedControl(), kAddress);
    // Typed on into the third field, Shift+Tab still leaves the whole control.
    user.TypeAddressKeys(kAddress, u"10.1.");
    user.PressTab(true);
    EXPECT_EQ(user.FocusedControl(), kCheck);
}

TYPED_TEST(KeyboardTest, AddressKeysMoveBetweenFieldsAsTheWindowsControlDoes) {
    struct CCase {
        std::u16string_view keys;
        IpField address;
    };
    const CCase cases[] = {
        {u"192.168.0.1", {{192, 168, 0, 1}, 4}},
        {u"10 0 0 7", {{10, 0, 0, 7}, 4}},
        {u"1921681", {{192, 168, 1, 0}, 3}}, // three digits move on by themselves
        {u"300.9", {{255, 9, 0, 0}, 2}},     // too large becomes 255
        {u"..5", {{5, 0, 0, 0}, 1}},         // no move from an empty field
        {u"12.\b\b3", {{13, 0, 0, 0}, 1}},  // back from an empty field to the end of the one before
        {u"1.2.3.4.5", {{1, 2, 3, 45}, 4}}, // no field after the last
        {u"1.2.3.456", {{1, 2, 3, 255}, 4}},
        {u"1.2.3.255\b", {{1, 2, 3, 25}, 4}}, // the last field keeps the caret
        {u"1.2.\b\b\b\b7", {{7, 0, 0, 0}, 1}},
    };
    for (const CCase& entry : cases) {
        this->TheUser().TypeAddressKeys(kAddress, entry.keys);
        EXPECT_EQ(this->Window().Address(kAddress), entry.address)
            << std::string(entry.keys.begin(), entry.keys.end());
        const auto heard = this->Heard();
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.back(), CHeard(kAddress, Notification::EditChanged));
    }
}

TYPED_TEST(KeyboardTest, PageKeysMoveRoundTheTabsAsAClickWouldWhereverTheFocusIs) {
    for (const auto* text : {u"one", u"two", u"three"}) {
        this->Window().InsertTab(kTabs, -1, text);
    }
    auto& user = this->TheUser();
    user.Focus(kPlainEdit);
    const std::pair<PageKey, int> presses[] = {
        {PageKey::CtrlTab, 1},      {PageKey::CtrlPageDown, 2}, {PageKey::CtrlTab, 0},
        {PageKey::CtrlShiftTab, 2}, {PageKey::CtrlPageUp, 1},
    };
    for (const auto& [key, tab] : presses) {
        user.PressPageKey(key);
        EXPECT_EQ(this->Window().CurTab(kTabs), tab);
        EXPECT_EQ(this->Heard(),
                  std::vector<CHeard>{CHeard(kTabs, Notification::SelectionChanged)});
        EXPECT_EQ(user.FocusedControl(), kPlainEdit);
    }
}
