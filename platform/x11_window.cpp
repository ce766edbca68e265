#include "platform/x11_window.h"

#include "platform/codepage.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

namespace platform {
namespace {

// One connection with its EWMH atoms, closed when it goes out of scope.
class CEwmhConnection {
public:
    CEwmhConnection() {
        m_pConnection = xcb_connect(nullptr, &m_nScreen);
        if (xcb_connection_has_error(m_pConnection) != 0) {
            return;
        }
        xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(m_pConnection, &m_ewmh);
        m_bReady = xcb_ewmh_init_atoms_replies(&m_ewmh, cookies, nullptr) != 0;
    }
    ~CEwmhConnection() {
        if (m_bReady) {
            xcb_ewmh_connection_wipe(&m_ewmh);
        }
        xcb_disconnect(m_pConnection);
    }
    CEwmhConnection(const CEwmhConnection&) = delete;
    CEwmhConnection& operator=(const CEwmhConnection&) = delete;

    bool IsReady() const { return m_bReady; }
    xcb_ewmh_connection_t* Ewmh() { return &m_ewmh; }
    int Screen() const { return m_nScreen; }

private:
    xcb_connection_t* m_pConnection = nullptr;
    xcb_ewmh_connection_t m_ewmh{};
    int m_nScreen = 0;
    bool m_bReady = false;
};

// The UTF-8 title, or the legacy WM_NAME for clients that set no other.
std::string WindowTitle(CEwmhConnection& connection, xcb_window_t window) {
    xcb_ewmh_get_utf8_strings_reply_t name;
    if (xcb_ewmh_get_wm_name_reply(connection.Ewmh(),
                                   xcb_ewmh_get_wm_name(connection.Ewmh(), window), &name,
                                   nullptr) != 0) {
        std::string title(name.strings, name.strings_len);
        xcb_ewmh_get_utf8_strings_reply_wipe(&name);
        return title;
    }
    xcb_connection_t* raw = connection.Ewmh()->connection;
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(raw, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(raw, cookie, nullptr), &std::free);
    if (!reply) {
        return {};
    }
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

bool HasWindowManagerList(CEwmhConnection& connection, std::vector<xcb_window_t>& windows) {
    xcb_ewmh_get_windows_reply_t clients;
    if (xcb_ewmh_get_client_list_reply(
            connection.Ewmh(), xcb_ewmh_get_client_list(connection.Ewmh(), connection.Screen()),
            &clients, nullptr) == 0) {
        return false;
    }
    windows.assign(clients.windows, clients.windows + clients.windows_len);
    xcb_ewmh_get_windows_reply_wipe(&clients);
    return true;
}

// The window manager's list of client windows; without a window manager
// (a bare virtual display), the shown children of the root window.
std::vector<xcb_window_t> TopLevelWindows(CEwmhConnection& connection) {
    std::vector<xcb_window_t> windows;
    if (HasWindowManagerList(connection, windows)) {
        return windows;
    }
    xcb_connection_t* raw = connection.Ewmh()->connection;
    const xcb_window_t root = connection.Ewmh()->screens[connection.Screen()]->root;
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(raw, xcb_query_tree(raw, root), nullptr), &std::free);
    if (!tree) {
        return windows;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
            xcb_get_window_attributes_reply(raw, xcb_get_window_attributes(raw, children[i]),
                                            nullptr),
            &std::free);
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE) {
            windows.push_back(children[i]);
        }
    }
    return windows;
}

} // namespace

std::uint32_t FindWindow(std::u16string_view title) {
    CEwmhConnection connection;
    if (!connection.IsReady()) {
        return 0;
    }
    const std::string wanted = WideToMultiByte(65001, title);
    for (const xcb_window_t window : TopLevelWindows(connection)) {
        if (WindowTitle(connection, window) == wanted) {
            return window;
        }
    }
    return 0;
}

bool SetForegroundWindow(std::uint32_t window) {
    CEwmhConnection connection;
    if (!connection.IsReady() || window == 0) {
        return false;
    }
    std::vector<xcb_window_t> managed;
    if (HasWindowManagerList(connection, managed)) {
        // Source 2 (a pager) asks the window manager to obey, not to flash.
        xcb_ewmh_request_change_active_window(connection.Ewmh(), connection.Screen(), window,
                                              XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, XCB_CURRENT_TIME,
                                              XCB_NONE);
    } else {
        // No window manager to ask: raise and focus the window directly.
        xcb_connection_t* raw = connection.Ewmh()->connection;
        const std::uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(raw, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(raw, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    }
    return xcb_flush(connection.Ewmh()->connection) > 0;
}

} // namespace platform
