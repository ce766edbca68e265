#include "platform/x11_window.h"

#include "platform/codepage.h"

#include <cstdlib>
#include <map>
#include <string_view>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

namespace platform {
namespace {

template <typename Reply> using CReply = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> CReply<Reply> Owned(Reply* reply) { return {reply, &std::free}; }

std::string DisplayName() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr ? display : "";
}

} // namespace

// A connection with its EWMH atoms, for the display it was opened on.
class CX11Desktop::CConnection {
public:
    CConnection() : m_strDisplay(DisplayName()) {
        m_pConnection = xcb_connect(nullptr, &m_nScreen);
        if (xcb_connection_has_error(m_pConnection) != 0) {
            return;
        }
        constexpr std::string_view kClientLeader = "WM_CLIENT_LEADER";
        const xcb_intern_atom_cookie_t leader =
            xcb_intern_atom(m_pConnection, 0, static_cast<std::uint16_t>(kClientLeader.size()),
                            kClientLeader.data());
        xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(m_pConnection, &m_ewmh);
        m_bReady = xcb_ewmh_init_atoms_replies(&m_ewmh, cookies, nullptr) != 0;
        if (const auto atom = Owned(xcb_intern_atom_reply(m_pConnection, leader, nullptr))) {
            m_clientLeader = atom->atom;
        }
    }
    ~CConnection() {
        if (m_bReady) {
            xcb_ewmh_connection_wipe(&m_ewmh);
        }
        xcb_disconnect(m_pConnection);
    }
    CConnection(const CConnection&) = delete;
    CConnection& operator=(const CConnection&) = delete;

    // Usable, and still for the display that DISPLAY names.
    bool Serves() const {
        return m_bReady && xcb_connection_has_error(m_pConnection) == 0 &&
               m_strDisplay == DisplayName();
    }

    bool HasWindowManagerList(std::vector<xcb_window_t>& windows) {
        xcb_ewmh_get_windows_reply_t clients;
        if (xcb_ewmh_get_client_list_stacking_reply(
                &m_ewmh, xcb_ewmh_get_client_list_stacking(&m_ewmh, m_nScreen), &clients,
                nullptr) == 0) {
            return false;
        }
        windows.assign(clients.windows, clients.windows + clients.windows_len);
        xcb_ewmh_get_windows_reply_wipe(&clients);
        return true;
    }

    // The window manager's list of client windows; without a window manager
    // (a bare virtual display), the shown children of the root window. Both
    // from the bottom of the stacking order to its top.
    std::vector<xcb_window_t> TopLevelWindows() {
        std::vector<xcb_window_t> windows;
        if (HasWindowManagerList(windows)) {
            return windows;
        }
        const xcb_window_t root = m_ewmh.screens[m_nScreen]->root;
        const auto tree = Owned(
            xcb_query_tree_reply(m_pConnection, xcb_query_tree(m_pConnection, root), nullptr));
        if (!tree) {
            return windows;
        }
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        const int count = xcb_query_tree_children_length(tree.get());
        std::vector<xcb_get_window_attributes_cookie_t> cookies;
        for (int i = 0; i < count; ++i) {
            cookies.push_back(xcb_get_window_attributes(m_pConnection, children[i]));
        }
        for (int i = 0; i < count; ++i) {
            const auto attributes = Owned(xcb_get_window_attributes_reply(
                m_pConnection, cookies[static_cast<size_t>(i)], nullptr));
            if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE) {
                windows.push_back(children[i]);
            }
        }
        return windows;
    }

    // Each window's UTF-8 title, or its legacy WM_NAME when it sets no
    // other; all requests go out before the first answer is awaited.
    std::vector<std::string> Titles(const std::vector<xcb_window_t>& windows) {
        std::vector<xcb_get_property_cookie_t> names;
        for (const xcb_window_t window : windows) {
            names.push_back(xcb_ewmh_get_wm_name(&m_ewmh, window));
        }
        std::vector<std::string> titles(windows.size());
        std::vector<size_t> legacy;
        for (size_t i = 0; i < windows.size(); ++i) {
            xcb_ewmh_get_utf8_strings_reply_t name;
            if (xcb_ewmh_get_wm_name_reply(&m_ewmh, names[i], &name, nullptr) != 0) {
                titles[i].assign(name.strings, name.strings_len);
                xcb_ewmh_get_utf8_strings_reply_wipe(&name);
            } else {
                legacy.push_back(i);
            }
        }
        std::vector<xcb_get_property_cookie_t> legacyNames;
        for (const size_t i : legacy) {
            legacyNames.push_back(xcb_get_property(m_pConnection, 0, windows[i], XCB_ATOM_WM_NAME,
                                                   XCB_ATOM_STRING, 0, 1024));
        }
        for (size_t k = 0; k < legacy.size(); ++k) {
            const auto reply =
                Owned(xcb_get_property_reply(m_pConnection, legacyNames[k], nullptr));
            if (reply) {
                titles[legacy[k]].assign(
                    static_cast<const char*>(xcb_get_property_value(reply.get())),
                    static_cast<size_t>(xcb_get_property_value_length(reply.get())));
            }
        }
        return titles;
    }

    // A window-valued property of each window, 0 where it has none; all
    // requests go out before the first answer is awaited.
    std::vector<xcb_window_t> WindowProperties(const std::vector<xcb_window_t>& windows,
                                               xcb_atom_t property) {
        std::vector<xcb_get_property_cookie_t> cookies;
        for (const xcb_window_t window : windows) {
            cookies.push_back(
                xcb_get_property(m_pConnection, 0, window, property, XCB_ATOM_WINDOW, 0, 1));
        }
        std::vector<xcb_window_t> values(windows.size(), XCB_NONE);
        for (size_t i = 0; i < windows.size(); ++i) {
            const auto reply = Owned(xcb_get_property_reply(m_pConnection, cookies[i], nullptr));
            if (reply && xcb_get_property_value_length(reply.get()) == sizeof(xcb_window_t)) {
                values[i] = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
            }
        }
        return values;
    }

    // As Windows hands an owner's activation to its last active popup: the
    // topmost shown window that is transient for WINDOW, directly or through
    // others (a dialog's message box), else WINDOW itself. A dialog with no
    // owner window is transient for its program's group, which Qt names by
    // the client leader, as ICCCM allows.
    xcb_window_t TopmostTransientOf(xcb_window_t window) {
        const std::vector<xcb_window_t> windows = TopLevelWindows();
        const std::vector<xcb_window_t> owners =
            WindowProperties(windows, XCB_ATOM_WM_TRANSIENT_FOR);
        const xcb_window_t group = WindowProperties({window}, m_clientLeader).front();
        std::map<xcb_window_t, xcb_window_t> ownerOf;
        for (size_t i = 0; i < windows.size(); ++i) {
            if (owners[i] != XCB_NONE) {
                ownerOf[windows[i]] = owners[i];
            }
        }
        for (auto top = windows.rbegin(); top != windows.rend(); ++top) {
            // Bounded, so owners that name each other cannot hold us.
            xcb_window_t owner = *top;
            for (size_t step = 0; step < windows.size() && ownerOf.contains(owner); ++step) {
                owner = ownerOf[owner];
                if (owner == window || owner == group) {
                    return *top;
                }
            }
        }
        return window;
    }

    bool SetForegroundWindow(xcb_window_t target) {
        const xcb_window_t window = TopmostTransientOf(target);
        std::vector<xcb_window_t> managed;
        if (HasWindowManagerList(managed)) {
            // Source 2 (a pager) asks the window manager to obey, not to flash.
            xcb_ewmh_request_change_active_window(&m_ewmh, m_nScreen, window,
                                                  XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER,
                                                  XCB_CURRENT_TIME, XCB_NONE);
        } else {
            // No window manager to ask: raise and focus the window directly.
            const std::uint32_t above = XCB_STACK_MODE_ABOVE;
            xcb_configure_window(m_pConnection, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
            xcb_set_input_focus(m_pConnection, XCB_INPUT_FOCUS_POINTER_ROOT, window,
                                XCB_CURRENT_TIME);
        }
        // A reply comes only after the server has acted on what went before:
        // a search right after sees the new order.
        const auto done = Owned(
            xcb_get_input_focus_reply(m_pConnection, xcb_get_input_focus(m_pConnection), nullptr));
        return done != nullptr;
    }

private:
    std::string m_strDisplay;
    xcb_connection_t* m_pConnection = nullptr;
    xcb_ewmh_connection_t m_ewmh{};
    int m_nScreen = 0;
    xcb_atom_t m_clientLeader = XCB_ATOM_NONE;
    bool m_bReady = false;
};

CX11Desktop::CX11Desktop() = default;
CX11Desktop::~CX11Desktop() = default;

CX11Desktop::CConnection* CX11Desktop::Connection() {
    if (!m_pConnection || !m_pConnection->Serves()) {
        m_pConnection.reset();
        m_pConnection = std::make_unique<CConnection>();
    }
    return m_pConnection->Serves() ? m_pConnection.get() : nullptr;
}

std::vector<std::uint32_t> CX11Desktop::FindWindows(std::span<const std::u16string> titles) {
    std::vector<std::uint32_t> found(titles.size(), 0);
    CConnection* connection = Connection();
    if (connection == nullptr) {
        return found;
    }
    const std::vector<xcb_window_t> windows = connection->TopLevelWindows();
    const std::vector<std::string> windowTitles = connection->Titles(windows);
    for (size_t t = 0; t < titles.size(); ++t) {
        const std::string wanted = WideToMultiByte(kUtf8CodePage, titles[t]);
        // As on Windows, the topmost of several windows of one title.
        for (size_t w = windows.size(); w > 0 && found[t] == 0; --w) {
            if (windowTitles[w - 1] == wanted) {
                found[t] = windows[w - 1];
            }
        }
    }
    return found;
}

bool CX11Desktop::SetForegroundWindow(std::uint32_t window) {
    CConnection* connection = Connection();
    return connection != nullptr && window != 0 && connection->SetForegroundWindow(window);
}

std::uint32_t FindWindow(std::u16string_view title) {
    const std::u16string titles[] = {std::u16string(title)};
    return CX11Desktop().FindWindows(titles).front();
}

} // namespace platform
