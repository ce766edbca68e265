// Finding a window by its title on a bare virtual X display, as Brenhold and
// the main dialog find each other.
#include "platform/x11_window.h"
#include "tests/support/environment_variable.h"
#include "tests/support/virtual_display.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string_view>
#include <xcb/xcb.h>

namespace {

bool XvfbInstalled() { return std::system("command -v Xvfb >/dev/null 2>&1") == 0; }

class X11WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!XvfbInstalled()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        m_display = std::make_unique<CVirtualDisplay>();
        ASSERT_FALSE(m_display->Name().empty());
        m_variable = std::make_unique<CEnvironmentVariable>("DISPLAY", m_display->Name());
        m_connection = xcb_connect(m_display->Name().c_str(), nullptr);
        ASSERT_EQ(xcb_connection_has_error(m_connection), 0);
    }
    void TearDown() override {
        if (m_connection != nullptr) {
            xcb_disconnect(m_connection);
        }
    }

    // A top-level window with its title set the old way only (WM_NAME) or
    // the way of today (_NET_WM_NAME in UTF-8), shown or not.
    xcb_window_t Window(std::string_view title, bool oldStyleOnly, bool shown) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        const xcb_window_t window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 100, 100,
                          0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        if (oldStyleOnly) {
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                                XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(title.size()),
                                title.data());
        } else {
            const xcb_atom_t name = Atom("_NET_WM_NAME");
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, name,
                                Atom("UTF8_STRING"), 8, static_cast<std::uint32_t>(title.size()),
                                title.data());
        }
        if (shown) {
            xcb_map_window(m_connection, window);
        }
        // A round trip: the server has done all of it before anyone looks.
        std::free(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        return window;
    }

    void MakeTransientFor(xcb_window_t window, xcb_window_t owner) {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_TRANSIENT_FOR,
                            XCB_ATOM_WINDOW, 32, 1, &owner);
        xcb_map_window(m_connection, window); // raised to the top
        RoundTrip();
    }

    void SetWindowProperty(xcb_window_t window, const char* name, xcb_window_t value) {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, Atom(name),
                            XCB_ATOM_WINDOW, 32, 1, &value);
        RoundTrip();
    }

    xcb_window_t InputFocus() {
        const auto reply =
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr);
        const xcb_window_t focus = reply != nullptr ? reply->focus : xcb_window_t{XCB_NONE};
        std::free(reply);
        return focus;
    }

    void RoundTrip() { InputFocus(); }

    // What a window manager does: each client window in a frame of its
    // own, and the clients listed on the root window, bottom to top.
    void ManageAsAWindowManagerDoes(const std::vector<xcb_window_t>& clients) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        for (const xcb_window_t client : clients) {
            const xcb_window_t frame = xcb_generate_id(m_connection);
            xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, frame, screen->root, 0, 0, 120,
                              140, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0,
                              nullptr);
            xcb_reparent_window(m_connection, client, frame, 10, 30);
            xcb_map_window(m_connection, frame);
        }
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, screen->root,
                            Atom("_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW, 32,
                            static_cast<std::uint32_t>(clients.size()), clients.data());
        std::free(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

private:
    xcb_atom_t Atom(const char* name) {
        const auto reply = xcb_intern_atom_reply(
            m_connection,
            xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return atom;
    }

    std::unique_ptr<CVirtualDisplay> m_display;
    std::unique_ptr<CEnvironmentVariable> m_variable;
    xcb_connection_t* m_connection = nullptr;
};

TEST_F(X11WindowTest, OldStyleTitlesAreFoundAndAHiddenNamesakeIsNeverTheOneRaised) {
    Window("Local Security Setting", false, false); // made first, never shown
    const xcb_window_t shown = Window("Local Security Setting", false, true);
    const xcb_window_t oldStyle = Window("Network Setting Utility", true, true);
    EXPECT_EQ(platform::FindWindow(u"Network Setting Utility"), oldStyle);
    EXPECT_EQ(platform::FindWindow(u"Local Security Setting"), shown);
    EXPECT_EQ(platform::FindWindow(u"Local Security"), 0u) << "the whole title, not a part";
}

// Under a window manager the titled windows are children of its frames;
// its list finds them, the topmost of two namesakes first.
TEST_F(X11WindowTest, AWindowManagersClientsAreFoundInTheirFramesTopmostFirst) {
    const xcb_window_t lower = Window("Local Security Setting", false, true);
    const xcb_window_t upper = Window("Local Security Setting", false, true);
    ManageAsAWindowManagerDoes({lower, upper});
    EXPECT_EQ(platform::FindWindow(u"Local Security Setting"), upper);
    ManageAsAWindowManagerDoes({upper, lower});
    EXPECT_EQ(platform::FindWindow(u"Local Security Setting"), lower);
}

// Brought to the front, a window with a dialog open gives the activation to
// the dialog, or to the dialog's own message box; other windows on top and
// owners that name each other change nothing of that.
TEST_F(X11WindowTest, AnOwnersActivationGoesToItsTopmostTransientWindow) {
    const xcb_window_t host = Window("KORDAVIN setting utility", false, true);
    const xcb_window_t dialog = Window("Network configuration", false, false);
    MakeTransientFor(dialog, host);
    const xcb_window_t other = Window("Other", false, true);
    platform::CX11Desktop desktop;
    EXPECT_TRUE(desktop.SetForegroundWindow(host));
    RoundTrip();
    EXPECT_EQ(InputFocus(), dialog);

    const xcb_window_t box = Window("Wireless LAN setting", false, false);
    MakeTransientFor(box, dialog);
    EXPECT_TRUE(desktop.SetForegroundWindow(host));
    RoundTrip();
    EXPECT_EQ(InputFocus(), box);
    EXPECT_TRUE(desktop.SetForegroundWindow(other));
    RoundTrip();
    EXPECT_EQ(InputFocus(), other);

    const xcb_window_t looped = Window("Looped", false, false);
    MakeTransientFor(looped, other);
    MakeTransientFor(other, looped);
    EXPECT_TRUE(desktop.SetForegroundWindow(host));
    RoundTrip();
    EXPECT_EQ(InputFocus(), box);
}

// Qt makes a dialog without an owner window transient for its program's
// client leader: the program's windows then give it the activation, others
// do not.
TEST_F(X11WindowTest, AGroupsDialogTakesTheActivationOfItsGroupOnly) {
    const xcb_window_t leader = Window("quorlan-host", false, false);
    const xcb_window_t host = Window("KORDAVIN setting utility", false, true);
    SetWindowProperty(host, "WM_CLIENT_LEADER", leader);
    const xcb_window_t stranger = Window("Other program", false, true);
    const xcb_window_t dialog = Window("Network configuration", false, false);
    MakeTransientFor(dialog, leader);
    platform::CX11Desktop desktop;
    EXPECT_TRUE(desktop.SetForegroundWindow(host));
    EXPECT_EQ(InputFocus(), dialog);
    EXPECT_TRUE(desktop.SetForegroundWindow(stranger));
    EXPECT_EQ(InputFocus(), stranger);
}

// One desktop object follows DISPLAY to another display, and raises no
// window that is none.
TEST_F(X11WindowTest, TheDesktopFollowsDisplayAndRaisesNoNullWindow) {
    platform::CX11Desktop desktop;
    const std::u16string titles[] = {u"Network Setting Utility"};
    const xcb_window_t here = Window("Network Setting Utility", false, true);
    EXPECT_EQ(desktop.FindWindows(titles).front(), here);
    EXPECT_FALSE(desktop.SetForegroundWindow(0));

    CVirtualDisplay other;
    ASSERT_FALSE(other.Name().empty());
    const CEnvironmentVariable otherDisplay("DISPLAY", other.Name());
    EXPECT_EQ(desktop.FindWindows(titles).front(), 0u) << "the old display's window";
}

} // namespace
