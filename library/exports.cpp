// The five functions a host calls. Nothing here reports an error to the
// host: the setters and OpenQuorlanDlg always return 0. Each answers only the
// thread of the host's first call; any other gets 0 at once.
#include "library/Quorlan.h"

#include "catalogue/message_catalogue.h"
#include "dialogs/main_dialog/quorlan_dlg.h"
#include "library/quorlan_app.h"
#include "platform/codepage.h"

#include <cstring>
#include <string>

namespace {

std::u16string FromAnsi(const char* text) {
    return platform::MultiByteToWide(platform::GetACP(), text);
}

} // namespace

extern "C" {

int OpenQuorlanDlg(void) {
    if (theApp.IsCallersThread()) {
        theApp.ShowMainDialog();
    }
    return 0;
}

int SetDevicePath(const char* path) {
    if (theApp.IsCallersThread() && g_pMainDlg != nullptr && path != nullptr) {
        g_pMainDlg->m_strDevicePath = FromAnsi(path);
    }
    return 0;
}

int SetDeviceName(const char* name) {
    if (theApp.IsCallersThread() && g_pMainDlg != nullptr && name != nullptr) {
        g_pMainDlg->m_strDeviceName = FromAnsi(name);
    }
    return 0;
}

int GetWindowHandle(void) {
    if (!theApp.IsCallersThread() || g_pMainDlg == nullptr || !g_pMainDlg->HasWindow()) {
        return 0;
    }
    return static_cast<int>(g_pMainDlg->Window().Handle());
}

int GetWindowName(char* buffer, int size) {
    if (!theApp.IsCallersThread()) {
        return 0;
    }
    const std::string title =
        platform::WideToMultiByte(platform::GetACP(), GetMessageText(kMsgNetworkConfiguration));
    const int needed = static_cast<int>(title.size()) + 1;
    if (buffer == nullptr || size == 0) {
        return needed;
    }
    if (size < needed) {
        return 0;
    }
    std::memcpy(buffer, title.c_str(), static_cast<size_t>(needed));
    return needed;
}

} // extern "C"
