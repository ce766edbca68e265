#include "catalogue/message_ids.h"
#include "dialogs/wifi_security.h"
#include "platform/atomic_file.h"
#include "platform/file_reader.h"
#include "quorlan_dlg_fixture.h"
#include "tests/support/whole_file.h"

#include <random>

namespace {

using ui::headless::CHeadlessWindow;

// The computer knows one open network.
class CCafeNetwork final : public IComputerNetworks {
public:
    CComputerNetworks List() override {
        CNmConnection cafe;
        cafe.m_strType = "wifi";
        cafe.m_strSsid = "Cafe";
        return {true, {cafe}, {}};
    }
    std::string AddSecrets(CNmConnection&) override { return {}; }
};

class WirelessListTest : public QuorlanDlgTest {
protected:
    // Shows the main dialog on its wireless page.
    void ShowWirelessPage(const std::function<void(CHeadlessWindow&)>& script) {
        Show([&](CHeadlessWindow& window) {
            ASSERT_TRUE(window.Choose(IDC_TABS, 1));
            script(window);
        });
    }

    // What the user does in the property dialog that the next command opens.
    void NextProperty(std::function<void(CHeadlessWindow&)> script) {
        m_ui.OnNextModal(kWifiSecurityTemplateId, std::move(script));
    }

    void Add(CHeadlessWindow& window, const std::u16string& ssid) {
        NextProperty([ssid](CHeadlessWindow& property) {
            property.Type(IDC_WIFI_SSID, ssid);
            property.Click(IDC_WIFI_OK);
        });
        ASSERT_TRUE(window.Click(IDC_ADD));
    }

    static std::vector<std::u16string> Lines(const CHeadlessWindow& window) {
        std::vector<std::u16string> lines;
        for (int line = 0; line < window.ItemCount(IDC_WIRELESS_LIST); ++line) {
            lines.push_back(window.ItemText(IDC_WIRELESS_LIST, line));
        }
        return lines;
    }

    // Every used slot has exactly one line, which shows its SSID; no line
    // refers to a free slot.
    void ExpectSlotsMatchLines(const CHeadlessWindow& window) {
        std::array<int, kWirelessSlotCount> references{};
        for (int line = 0; line < window.ItemCount(IDC_WIRELESS_LIST); ++line) {
            const std::intptr_t slot = window.ItemData(IDC_WIRELESS_LIST, line);
            ASSERT_TRUE(slot >= 0 && slot < kWirelessSlotCount) << "line " << line;
            ++references[static_cast<size_t>(slot)];
            EXPECT_EQ(window.ItemText(IDC_WIRELESS_LIST, line),
                      m_dialog.m_wirelessSlots[static_cast<size_t>(slot)].m_strSsid);
        }
        for (size_t slot = 0; slot < references.size(); ++slot) {
            const bool used = !m_dialog.m_wirelessSlots[slot].m_strSsid.empty();
            EXPECT_EQ(references[slot], used ? 1 : 0) << "slot " << slot;
        }
    }

    std::string WrittenFile(CHeadlessWindow&) {
        const auto path = m_folder / "NetworkSetting.ini";
        EXPECT_EQ(m_dialog.WriteSettingsFile(path.u16string()), 1);
        return ReadWholeFile(path).value_or("");
    }

    std::vector<ui::headless::CMessageBoxRecord> TakeBoxes() {
        auto boxes = m_ui.MessageBoxes();
        m_ui.ClearMessageBoxes();
        return boxes;
    }
};

std::u16string Ssid(int number) { return u"Net" + std::u16string(1, u'A' + number % 26); }

void ExpectListNotice(const ui::headless::CMessageBoxRecord& box, int messageId) {
    EXPECT_EQ(box.text, GetMessageText(messageId) + std::u16string(u"   "));
    EXPECT_EQ(box.caption, u"Wireless setting");
    EXPECT_EQ(box.icon, ui::Icon::Information);
    EXPECT_EQ(box.buttons, ui::Buttons::Ok);
    EXPECT_EQ(box.templateOfOwner, kQuorlanDlgTemplateId);
}

TEST_F(WirelessListTest, AddTakesUpToThirtyProfilesAndRefusesTheThirtyFirst) {
    ShowWirelessPage([&](CHeadlessWindow& window) {
        for (int profile = 0; profile < kWirelessSlotCount - 1; ++profile) {
            Add(window, Ssid(profile));
        }
        Add(window, u"Last");
        ASSERT_EQ(window.ItemCount(IDC_WIRELESS_LIST), 30);
        EXPECT_EQ(window.ItemText(IDC_WIRELESS_LIST, 29), u"Last");
        EXPECT_EQ(window.CurSel(IDC_WIRELESS_LIST), 29);
        EXPECT_TRUE(m_ui.MessageBoxes().empty());

        bool opened = false;
        NextProperty([&](CHeadlessWindow&) { opened = true; });
        window.Click(IDC_ADD);
        EXPECT_FALSE(opened);
        const auto boxes = TakeBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        ExpectListNotice(boxes[0], kMsgMaxWirelessSettings);
        EXPECT_EQ(window.ItemCount(IDC_WIRELESS_LIST), 30);
        ExpectSlotsMatchLines(window);
    });
}

TEST_F(WirelessListTest, LeavingThePropertyDialogWithoutOkChangesNothing) {
    ShowWirelessPage([&](CHeadlessWindow& window) {
        Add(window, u"Home");
        // Cancel after a refused OK: the half-taken entries go nowhere.
        NextProperty([](CHeadlessWindow& property) {
            property.Type(IDC_WIFI_SSID, std::u16string(33, u'x'));
            property.Click(IDC_WIFI_OK);
            property.Click(IDC_WIFI_CANCEL);
        });
        window.Click(IDC_ADD);
        NextProperty([](CHeadlessWindow& property) {
            property.Type(IDC_WIFI_SSID, u"Changed");
            property.Click(IDC_WIFI_USE_PROXY);
            property.Type(IDC_WIFI_PROXY_ADDRESS, u"");
            property.Click(IDC_WIFI_OK);
            property.PressEscape();
        });
        window.Click(IDC_PROPERTY);
        EXPECT_EQ(Lines(window), std::vector<std::u16string>{u"Home"});
        EXPECT_EQ(window.CurSel(IDC_WIRELESS_LIST), 0);
        EXPECT_EQ(m_dialog.m_wirelessSlots[0].m_strSsid, u"Home");
        EXPECT_EQ(m_dialog.m_wirelessSlots[0].m_nUseProxy, 0);
        EXPECT_EQ(m_dialog.m_wirelessSlots[1], CNetworkSetting());
        EXPECT_EQ(TakeBoxes().size(), 2u) << "the two refused OKs";
    });
}

TEST_F(WirelessListTest, DeleteMovesTheSelectionUpAndReportsAnEmptyList) {
    ShowWirelessPage([&](CHeadlessWindow& window) {
        window.Click(IDC_DELETE);
        auto boxes = TakeBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        ExpectListNotice(boxes[0], kMsgNoSettingExists);

        for (const auto* ssid : {u"A", u"B", u"C", u"D"}) {
            Add(window, ssid);
        }
        window.Choose(IDC_WIRELESS_LIST, 0);
        window.Click(IDC_DELETE);
        EXPECT_EQ(Lines(window), (std::vector<std::u16string>{u"B", u"C", u"D"}));
        EXPECT_EQ(window.CurSel(IDC_WIRELESS_LIST), 0);
        window.Choose(IDC_WIRELESS_LIST, 2);
        window.Click(IDC_DELETE);
        EXPECT_EQ(Lines(window), (std::vector<std::u16string>{u"B", u"C"}));
        EXPECT_EQ(window.CurSel(IDC_WIRELESS_LIST), 1);
        window.Click(IDC_DELETE);
        window.Click(IDC_DELETE);
        EXPECT_TRUE(Lines(window).empty());
        EXPECT_EQ(window.CurSel(IDC_WIRELESS_LIST), -1);
        EXPECT_TRUE(m_ui.MessageBoxes().empty());
        ExpectSlotsMatchLines(window);
    });
}

TEST_F(WirelessListTest, WithoutASelectionTheButtonsDoNothing) {
    ShowWirelessPage([&](CHeadlessWindow& window) {
        Add(window, u"A");
        Add(window, u"B");
        window.SetCurSel(IDC_WIRELESS_LIST, -1);
        bool opened = false;
        NextProperty([&](CHeadlessWindow&) { opened = true; });
        for (const int button : {IDC_DELETE, IDC_PROPERTY, IDC_PRIORITY_UP, IDC_PRIORITY_DOWN}) {
            window.Click(button);
        }
        EXPECT_FALSE(opened);
        EXPECT_EQ(Lines(window), (std::vector<std::u16string>{u"A", u"B"}));
        EXPECT_TRUE(m_ui.MessageBoxes().empty());
    });
}

TEST_F(WirelessListTest, PriorityMovesTheSelectedLineAndTheSelectionFollows) {
    ShowWirelessPage([&](CHeadlessWindow& window) {
        for (const auto* ssid : {u"A", u"B", u"C"}) {
            Add(window, ssid);
        }
        window.Choose(IDC_WIRELESS_LIST, 0);
        window.Click(IDC_PRIORITY_UP);
        EXPECT_EQ(window.CurSel(IDC_WIRELESS_LIST), 0);
        window.Choose(IDC_WIRELESS_LIST, 2);
        window.Click(IDC_PRIORITY_DOWN);
        EXPECT_EQ(window.CurSel(IDC_WIRELESS_LIST), 2);
        EXPECT_EQ(Lines(window), (std::vector<std::u16string>{u"A", u"B", u"C"}));

        window.Choose(IDC_WIRELESS_LIST, 1);
        window.Click(IDC_PRIORITY_UP);
        EXPECT_EQ(Lines(window), (std::vector<std::u16string>{u"B", u"A", u"C"}));
        EXPECT_EQ(window.CurSel(IDC_WIRELESS_LIST), 0);
        window.Click(IDC_PRIORITY_DOWN);
        window.Click(IDC_PRIORITY_DOWN);
        EXPECT_EQ(Lines(window), (std::vector<std::u16string>{u"A", u"C", u"B"}));
        EXPECT_EQ(window.CurSel(IDC_WIRELESS_LIST), 2);
        ExpectSlotsMatchLines(window);
    });
}

TEST_F(WirelessListTest, PropertyEditsTheSameSlotInPlace) {
    CCafeNetwork computer;
    m_dialog.SetComputerNetworks(&computer);
    ShowWirelessPage([&](CHeadlessWindow& window) {
        for (const auto* ssid : {u"A", u"B", u"C"}) {
            Add(window, ssid);
        }
        NextProperty([](CHeadlessWindow& property) {
            EXPECT_EQ(property.Text(IDC_WIFI_SSID), u"B");
            property.Type(IDC_WIFI_SSID, u"caf");
            EXPECT_EQ(property.ShownSuggestions(IDC_WIFI_SSID).size(), 1u) << "the computer's network";
            property.Type(IDC_WIFI_SSID, u"Renamed");
            property.Click(IDC_WIFI_OK);
        });
        window.Choose(IDC_WIRELESS_LIST, 1);
        window.Click(IDC_PROPERTY);
        EXPECT_EQ(Lines(window), (std::vector<std::u16string>{u"A", u"Renamed", u"C"}));
        EXPECT_EQ(window.CurSel(IDC_WIRELESS_LIST), -1);
        EXPECT_EQ(window.ItemData(IDC_WIRELESS_LIST, 1), 1);

        NextProperty([](CHeadlessWindow& property) {
            property.Type(IDC_WIFI_SSID, u"A"); // the same name twice is allowed
            property.Click(IDC_WIFI_OK);
        });
        window.DoubleClick(IDC_WIRELESS_LIST, 2);
        EXPECT_EQ(Lines(window), (std::vector<std::u16string>{u"A", u"Renamed", u"A"}));
        EXPECT_EQ(m_dialog.m_wirelessSlots[2].m_strSsid, u"A");
        ExpectSlotsMatchLines(window);
    });
}

TEST_F(WirelessListTest, AFreedSlotIsReusedButTheProfileGoesLast) {
    ShowWirelessPage([&](CHeadlessWindow& window) {
        Add(window, u"First");
        Add(window, u"Second");
        window.Choose(IDC_WIRELESS_LIST, 0);
        window.Click(IDC_DELETE);
        Add(window, u"Third");
        EXPECT_EQ(Lines(window), (std::vector<std::u16string>{u"Second", u"Third"}));
        EXPECT_EQ(window.ItemData(IDC_WIRELESS_LIST, 1), 0);
        EXPECT_EQ(m_dialog.m_wirelessSlots[0].m_strSsid, u"Third");
        const std::string file = WrittenFile(window);
        EXPECT_NE(file.find("WIRELESS_SSID=Second\r\n"), std::string::npos) << file;
        EXPECT_NE(file.find("WIRELESS_SSID_2=Third\r\n"), std::string::npos) << file;
    });
}

TEST_F(WirelessListTest, AFileWrittenAfterReorderingFollowsTheNewOrder) {
    ShowWirelessPage([&](CHeadlessWindow& window) {
        for (const auto* ssid : {u"A", u"B", u"C"}) {
            Add(window, ssid);
        }
        window.Click(IDC_PRIORITY_UP); // C is selected after its Add
        window.Click(IDC_PRIORITY_UP);
        const std::string file = WrittenFile(window);
        const size_t first = file.find("WIRELESS_SSID=C\r\n");
        const size_t second = file.find("WIRELESS_SSID_2=A\r\n");
        const size_t third = file.find("WIRELESS_SSID_3=B\r\n");
        ASSERT_NE(first, std::string::npos) << file;
        ASSERT_NE(second, std::string::npos) << file;
        ASSERT_NE(third, std::string::npos) << file;
        EXPECT_LT(first, second);
        EXPECT_LT(second, third);
    });
}

TEST_F(WirelessListTest, AfterALoadAddStillFindsASlotForEveryLineUpToThirty) {
    const auto file = m_folder / "Loaded.ini";
    ASSERT_TRUE(
        platform::SaveFileAtomically(file, "[UserNetworkSetting]\r\nWIRELESS_SSID=Loaded\r\n"));
    ShowWirelessPage([&](CHeadlessWindow& window) {
        for (const auto* ssid : {u"A", u"B", u"C"}) {
            Add(window, ssid);
        }
        window.Choose(IDC_WIRELESS_LIST, 1);
        window.Click(IDC_DELETE);
        m_dialog.LoadSettingsFile(file.u16string());
        ASSERT_EQ(Lines(window), std::vector<std::u16string>{u"Loaded"});
        for (int profile = 1; profile < kWirelessSlotCount; ++profile) {
            Add(window, Ssid(profile));
        }
        EXPECT_EQ(window.ItemCount(IDC_WIRELESS_LIST), kWirelessSlotCount);
        EXPECT_TRUE(m_ui.MessageBoxes().empty());
        ExpectSlotsMatchLines(window);
    });
}

TEST_F(WirelessListTest, SlotsAndLinesAgreeAfterAnySequenceOfCommands) {
    ShowWirelessPage([&](CHeadlessWindow& window) {
        std::mt19937 random(20261209);
        const int buttons[] = {IDC_ADD, IDC_DELETE, IDC_PROPERTY, IDC_PRIORITY_UP,
                               IDC_PRIORITY_DOWN};
        for (int step = 0; step < 400; ++step) {
            const int lines = window.ItemCount(IDC_WIRELESS_LIST);
            if (lines > 0 && random() % 3 == 0) {
                window.Choose(IDC_WIRELESS_LIST, static_cast<int>(random() % lines));
            }
            const int button = buttons[random() % std::size(buttons)];
            const bool opens = (button == IDC_ADD && lines < kWirelessSlotCount) ||
                               (button == IDC_PROPERTY && window.CurSel(IDC_WIRELESS_LIST) >= 0);
            bool opened = false;
            if (opens) {
                const std::u16string ssid = Ssid(static_cast<int>(random() % 5));
                const int leaveWith = random() % 4 != 0 ? IDC_WIFI_OK : IDC_WIFI_CANCEL;
                NextProperty([&opened, ssid, leaveWith](CHeadlessWindow& property) {
                    opened = true;
                    property.Type(IDC_WIFI_SSID, ssid);
                    property.Click(leaveWith);
                });
            }
            window.Click(button);
            EXPECT_EQ(opened, opens);
            ExpectSlotsMatchLines(window);
            ASSERT_FALSE(HasFailure()) << "after step " << step;
        }
    });
}

} // namespace
