// Feeds arbitrary bytes to the settings file reader as a file on disk.
#include "platform/atomic_file.h"
#include "settings/quorlan_dlg_state.h"
#include "ui/headless/headless_ui.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const std::filesystem::path& InputFile() {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("quorlan-fuzz-" + std::to_string(::getpid()) + ".ini");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!platform::SaveFileAtomically(InputFile(),
                                      std::string(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    ui::headless::CHeadlessUi headless;
    ui::InstallServices(&headless);
    {
        CQuorlanDlgState state;
        const auto window = headless.Open(state);
        const int result = state.LoadSettingsFile(InputFile().u16string());
        if (result != 0 && result != 1) {
            __builtin_trap();
        }
        // The invariant of the list: every line refers to its own used slot.
        for (int line = 0; line < window->ItemCount(IDC_WIRELESS_LIST); ++line) {
            const CNetworkSetting* slot = state.SlotOfLine(line);
            if (slot == nullptr || slot->m_strSsid.empty() ||
                window->ItemData(IDC_WIRELESS_LIST, line) != line) {
                __builtin_trap();
            }
        }
    }
    ui::InstallServices(nullptr);
    return 0;
}
