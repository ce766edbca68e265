#include "platform/x11_window.h"

#include "platform/codepage.h"

#include <cstdlib>
#include <memory>
#include <string>
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

} // namespace

std::uint32_t FindWindow(std::u16string_view title) {
    CEwmhConnection connection;
    if (!connection.IsReady()) {
        return 0;
    }
    xcb_ewmh_get_windows_reply_t clients;
    if (xcb_ewmh_get_client_list_reply(
            connection.Ewmh(), xcb_ewmh_get_client_list(connection.Ewmh(), connection.Screen()),
            &clients, nullptr) == 0) {
        return 0;
    }
    const std::string wanted = WideToMultiByte(65001, title);
    std::uint32_t found = 0;
    for (std::uint32_t i = 0; i < clients.windows_len && found == 0; ++i) {
        if (WindowTitle(connection, clients.windows[i]) == wanted) {
            found = clients.windows[i];
        }
    }
    xcb_ewmh_get_windows_reply_wipe(&clients);
    return found;
}

bool SetForegroundWindow(std::uint32_t window) {
    CEwmhConnection connection;
    if (!connection.IsReady() || window == 0) {
        return false;
    }
    // Source 2 (a pager) asks the window manager to obey, not to flash.
    xcb_ewmh_request_change_active_window(connection.Ewmh(), connection.Screen(), window,
                                          XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, XCB_CURRENT_TIME,
                                          XCB_NONE);
    return xcb_flush(connection.Ewmh()->connection) > 0;
}

} // namespace platform
