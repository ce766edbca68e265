#include "tests/ui_parity/parity_fixture.h"
#include "ui/qt/qt_text.h"

#include <algorithm>

using namespace parity;
using ui::Notification;

namespace {

template <typename User> class WindowParityTest : public ParityTest<User> {
protected:
    // Four lines a, b, c, d with the data 10, 20, 30, 40.
    void FillLines(int id) {
        int data = 10;
        for (const auto* text : {u"a", u"b", u"c", u"d"}) {
            this->Window().SetItemData(id, this->Window().InsertItem(id, -1, text), data);
            data += 10;
        }
    }
};
TYPED_TEST_SUITE(WindowParityTest, Backends, CUserName);

} // namespace

TYPED_TEST(WindowParityTest, EditsKeepOnlyWhatTheirStyleAllows) {
    auto& user = this->TheUser();
    user.Type(kPlainEdit, u"Home net");
    user.Type(kNumberEdit, u"4a2-");
    user.Type(kPasswordEdit, u"secret");
    EXPECT_EQ(this->Window().Text(kPlainEdit), u"Home net");
    EXPECT_EQ(this->Window().Text(kNumberEdit), u"42");
    EXPECT_EQ(this->Window().Text(kPasswordEdit), u"secret");
    const auto heard = this->Heard();
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.front(), CHeard(kPlainEdit, Notification::EditChanged));

    // Code is not held to the rules, and notifies no one.
    this->Window().SetText(kNumberEdit, u"8080x");
    this->Window().SetText(kPlainEdit, u"two\r\nlines");
    EXPECT_EQ(this->Window().Text(kNumberEdit), u"8080x");
    EXPECT_EQ(this->Window().Text(kPlainEdit), u"two\r\nlines");
    EXPECT_TRUE(this->Heard().empty());
}

TYPED_TEST(WindowParityTest, AnEditsSuggestionsHoldTheTextInAnyCaseAndAChoiceTakesTheValue) {
    auto& user = this->TheUser();
    this->Window().SetSuggestions(kPlainEdit, {{u"Home", u"Home: A"},
                                               {u"Office", u"Office: B"},
                                               {u"homework", u"homework: C"}});
    const std::pair<std::u16string, std::vector<std::u16string>> typedAndShown[] = {
        {u"HO", {u"Home: A", u"homework: C"}},
        {u"FFI", {u"Office: B"}},
        {u"zz", {}},
        {u"mew", {u"homework: C"}},
    };
    for (const auto& [typed, shown] : typedAndShown) {
        user.Type(kPlainEdit, typed);
        EXPECT_EQ(user.ShownSuggestions(kPlainEdit), shown) << ui::qt::ToQString(typed).toStdString();
    }
    EXPECT_EQ(this->Window().ChosenSuggestion(kPlainEdit), -1);
    user.Type(kPlainEdit, u"ho");
    this->Heard();
    user.ChooseSuggestion(kPlainEdit, 1);
    EXPECT_EQ(this->Window().Text(kPlainEdit), u"homework");
    EXPECT_EQ(this->Window().ChosenSuggestion(kPlainEdit), 2);
    const std::vector<CHeard> heard = this->Heard();
    EXPECT_NE(std::find(heard.begin(), heard.end(), CHeard{kPlainEdit, Notification::SuggestionChosen}),
              heard.end());
}

TYPED_TEST(WindowParityTest, PastedTextEntersUpToItsFirstLineBreak) {
    auto& user = this->TheUser();
    user.Paste(kPlainEdit, u"first\r\nsecond");
    EXPECT_EQ(this->Window().Text(kPlainEdit), u"first");
    user.Paste(kPlainEdit, u"one\ntwo");
    EXPECT_EQ(this->Window().Text(kPlainEdit), u"one");
    user.Paste(kPasswordEdit, u"key\rmore");
    EXPECT_EQ(this->Window().Text(kPasswordEdit), u"key");
    user.Paste(kPlainEdit, std::u16string(u"nu\0l", 4));
    EXPECT_EQ(this->Window().Text(kPlainEdit), u"nul");

    user.Type(kNumberEdit, u"7");
    user.Paste(kNumberEdit, u"12ab");
    EXPECT_EQ(this->Window().Text(kNumberEdit), u"7");
    user.Paste(kNumberEdit, u"8080\r\n");
    EXPECT_EQ(this->Window().Text(kNumberEdit), u"8080");
}

TYPED_TEST(WindowParityTest, DeletingTheSelectedLineLeavesNoneAndDataTravelsWithItsLine) {
    for (const int id : {kCombo, kList}) {
        SCOPED_TRACE(id);
        ui::IWindow& window = this->Window();
        this->FillLines(id);
        EXPECT_EQ(window.CurSel(id), -1) << "filling selects nothing";
        window.SetCurSel(id, 2); // c
        window.DeleteItem(id, 0);
        EXPECT_EQ(window.CurSel(id), 1);
        EXPECT_EQ(window.ItemText(id, 1), u"c");
        EXPECT_EQ(window.ItemData(id, 1), 30);

        EXPECT_EQ(window.InsertItem(id, 1, u"new"), 1);
        EXPECT_EQ(window.CurSel(id), 2) << "the selection stays on c";
        EXPECT_EQ(window.ItemData(id, 2), 30);
        EXPECT_EQ(window.ItemData(id, 1), 0);
        EXPECT_EQ(window.ItemData(id, 3), 40);

        window.DeleteItem(id, 2);
        EXPECT_EQ(window.CurSel(id), -1);
        EXPECT_EQ(window.ItemCount(id), 3);
        EXPECT_EQ(window.ItemData(id, 9), -1);
        EXPECT_EQ(window.ItemText(id, 9), u"");
        window.DeleteItem(id, 9); // no such line: nothing happens
        EXPECT_EQ(window.ItemCount(id), 3);
        window.ResetItems(id);
        EXPECT_EQ(window.ItemCount(id), 0);
        EXPECT_EQ(window.CurSel(id), -1);
    }
    EXPECT_TRUE(this->Heard().empty());
}

TYPED_TEST(WindowParityTest, SelectingOutOfRangeSelectsNothing) {
    for (const int id : {kCombo, kList}) {
        SCOPED_TRACE(id);
        this->FillLines(id);
        this->Window().SetCurSel(id, 1);
        this->Window().SetCurSel(id, 4);
        EXPECT_EQ(this->Window().CurSel(id), -1);
        this->Window().SetCurSel(id, 1);
        this->Window().SetCurSel(id, -1);
        EXPECT_EQ(this->Window().CurSel(id), -1);
    }
    EXPECT_TRUE(this->Heard().empty());
}

TYPED_TEST(WindowParityTest, ADropDownListsTextIsItsSelectedRow) {
    ui::IWindow& window = this->Window();
    window.InsertItem(kCombo, -1, u"WEP");
    window.InsertItem(kCombo, -1, u"WPA PSK AES");
    EXPECT_EQ(window.Text(kCombo), u"");
    window.SetText(kCombo, u"WPA PSK AES");
    EXPECT_EQ(window.CurSel(kCombo), 1);
    EXPECT_EQ(window.Text(kCombo), u"WPA PSK AES");
    window.SetText(kCombo, u"wep");
    EXPECT_EQ(window.CurSel(kCombo), -1) << "only an exact match selects";
    EXPECT_EQ(window.Text(kCombo), u"");
    EXPECT_TRUE(this->Heard().empty());
}

TYPED_TEST(WindowParityTest, OnlyTheUsersChoicesNotify) {
    auto& user = this->TheUser();
    this->FillLines(kCombo);
    this->FillLines(kList);
    user.Choose(kCombo, 2);
    user.Choose(kList, 3);
    EXPECT_EQ(this->Window().CurSel(kCombo), 2);
    EXPECT_EQ(this->Window().Text(kCombo), u"c");
    EXPECT_EQ(this->Window().CurSel(kList), 3);
    EXPECT_EQ(this->Heard(), (std::vector<CHeard>{{kCombo, Notification::SelectionChanged},
                                                  {kList, Notification::SelectionChanged}}));

    user.DoubleClick(kList, 1);
    EXPECT_EQ(this->Window().CurSel(kList), 1);
    EXPECT_EQ(this->Heard(), (std::vector<CHeard>{{kList, Notification::SelectionChanged},
                                                  {kList, Notification::DoubleClicked}}));
}

TYPED_TEST(WindowParityTest, TabsKeepTheirTextsAndTheStripItsName) {
    ui::IWindow& window = this->Window();
    window.InsertTab(kTabs, -1, u"Wireless LAN");
    window.InsertTab(kTabs, -1, u"Wired LAN");
    window.InsertTab(kTabs, 0, u"General");
    EXPECT_EQ(window.TabCount(kTabs), 3);
    EXPECT_EQ(window.TabText(kTabs, 0), u"General");
    EXPECT_EQ(window.CurTab(kTabs), 1) << "the first tab stays current";
    window.SetCurTab(kTabs, 2);
    EXPECT_EQ(window.CurTab(kTabs), 2);
    window.SetText(kTabs, u"Network settings Tab control");
    EXPECT_EQ(window.Text(kTabs), u"Network settings Tab control");
    EXPECT_TRUE(this->Heard().empty());

    this->TheUser().Choose(kTabs, 0);
    EXPECT_EQ(window.CurTab(kTabs), 0);
    EXPECT_EQ(this->Heard(), std::vector<CHeard>({{kTabs, Notification::SelectionChanged}}));
}

TYPED_TEST(WindowParityTest, ButtonsCheckAsTheirGroupAllows) {
    auto& user = this->TheUser();
    ui::IWindow& window = this->Window();
    window.SetCheck(kRadioA, 1);
    window.SetCheck(kCheck, 1);
    EXPECT_TRUE(this->Heard().empty());
    user.Click(kRadioB);
    user.Click(kCheck);
    EXPECT_EQ(window.Check(kRadioA), 0);
    EXPECT_EQ(window.Check(kRadioB), 1);
    EXPECT_EQ(window.Check(kCheck), 0);
    EXPECT_EQ(this->Heard(), (std::vector<CHeard>{{kRadioB, Notification::Clicked},
                                                  {kCheck, Notification::Clicked}}));
    window.SetCheck(kRadioB, 0); // code may clear a whole group
    EXPECT_EQ(window.Check(kRadioA) + window.Check(kRadioB), 0);
}

TYPED_TEST(WindowParityTest, DisabledAndHiddenControlsIgnoreTheUser) {
    auto& user = this->TheUser();
    ui::IWindow& window = this->Window();
    window.Enable(kCheck, false);
    window.Enable(kPlainEdit, false);
    window.Show(kRadioB, false);
    EXPECT_FALSE(window.IsEnabled(kCheck));
    EXPECT_FALSE(window.IsVisible(kRadioB));
    EXPECT_TRUE(window.IsVisible(kCheck));
    user.Click(kCheck);
    user.Click(kRadioB);
    user.Type(kPlainEdit, u"x");
    EXPECT_EQ(window.Check(kCheck), 0);
    EXPECT_EQ(window.Check(kRadioB), 0);
    EXPECT_EQ(window.Text(kPlainEdit), u"");
    EXPECT_TRUE(this->Heard().empty());
    window.Enable(kCheck, true);
    window.Show(kRadioB, true);
    EXPECT_TRUE(window.IsEnabled(kCheck));
    EXPECT_TRUE(window.IsVisible(kRadioB));
}

TYPED_TEST(WindowParityTest, TextsOfLabelsButtonsAndTitle) {
    ui::IWindow& window = this->Window();
    window.SetText(kLabel, u"SSID:");
    window.SetText(kCheck, u"Stealth SSID");
    window.SetTitle(u"Wireless LAN Property");
    EXPECT_EQ(window.Text(kLabel), u"SSID:");
    EXPECT_EQ(window.Text(kCheck), u"Stealth SSID");
    EXPECT_EQ(window.Text(kPriorityUp), u"Up");
    EXPECT_EQ(window.Title(), u"Wireless LAN Property");
}

TYPED_TEST(WindowParityTest, AddressesCountTheFieldsFilled) {
    ui::IWindow& window = this->Window();
    window.SetAddress(kAddress, IpField{{192, 168, 0, 1}, 0});
    EXPECT_EQ(window.Address(kAddress), (IpField{{192, 168, 0, 1}, 4}));
    window.ClearAddress(kAddress);
    EXPECT_EQ(window.Address(kAddress), IpField{});
    EXPECT_TRUE(this->Heard().empty());

    this->TheUser().TypeAddress(kAddress, {u"10", u"", u"7", u""});
    EXPECT_EQ(window.Address(kAddress), (IpField{{10, 0, 7, 0}, 2}));
    const auto heard = this->Heard();
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), CHeard(kAddress, Notification::EditChanged));
}
