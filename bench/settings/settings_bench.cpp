// Cost of the operations a user waits for: encrypting a secret, writing a
// full settings file, and reading one back.
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/ini_document.h"
#include "settings/quorlan_dlg_state.h"
#include "settings/secret_cipher.h"
#include "ui/headless/headless_ui.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

void EncryptAndDecrypt(benchmark::State& state) {
    const std::u16string secret(static_cast<size_t>(state.range(0)), u'k');
    std::u16string text;
    std::u16string plain;
    for (auto _ : state) {
        EncryptSecret(secret.c_str(), text);
        DecryptSecret(text.c_str(), plain);
        benchmark::DoNotOptimize(plain);
    }
}
BENCHMARK(EncryptAndDecrypt)->Arg(8)->Arg(63)->Arg(480);

// A state of 30 profiles, each with a network key.
class CFullState {
public:
    CFullState() {
        ui::InstallServices(&m_ui);
        m_window = m_ui.Open(m_state);
        for (int i = 0; i < kWirelessSlotCount; ++i) {
            CNetworkSetting profile;
            profile.m_strSsid = u"network-" + std::u16string(1, static_cast<char16_t>(u'A' + i));
            profile.m_nSecurityMode = kSecurityWpa2PskAes;
            profile.m_strNetworkKey = u"a wireless key of some length";
            profile.m_ipAddress = {{192, 168, 1, static_cast<std::uint8_t>(i)}, 4};
            m_state.AppendWirelessProfile(profile);
        }
    }
    ~CFullState() { ui::InstallServices(nullptr); }
    CQuorlanDlgState& State() { return m_state; }

private:
    ui::headless::CHeadlessUi m_ui;
    CQuorlanDlgState m_state;
    decltype(m_ui.Open(m_state)) m_window;
};

std::filesystem::path ScratchFile() {
    return std::filesystem::temp_directory_path() / "quorlan-bench-NetworkSetting.ini";
}

void WriteThirtyProfiles(benchmark::State& state) {
    platform::OverrideCodePages(1252, 850);
    CFullState full;
    const auto path = ScratchFile();
    for (auto _ : state) {
        benchmark::DoNotOptimize(full.State().WriteSettingsFile(path.u16string()));
    }
    std::filesystem::remove(path);
}
BENCHMARK(WriteThirtyProfiles)->Unit(benchmark::kMicrosecond);

void ParseThirtyProfiles(benchmark::State& state) {
    platform::OverrideCodePages(1252, 850);
    CFullState full;
    const auto path = ScratchFile();
    full.State().WriteSettingsFile(path.u16string());
    const std::string bytes = platform::ReadWholeFile(path).value_or("");
    std::filesystem::remove(path);
    for (auto _ : state) {
        const auto document = platform::CIniDocument::FromBytes(bytes);
        benchmark::DoNotOptimize(document.GetValue(u"UserNetworkSetting", u"WIRELESS_PSK_30"));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(ParseThirtyProfiles)->Unit(benchmark::kMicrosecond);

} // namespace
