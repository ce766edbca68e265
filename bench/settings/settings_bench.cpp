// Cost of the operations a user waits for: encrypting a secret, writing a
// full settings file, and reading one back.
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/ini_document.h"
#include "settings/secret_cipher.h"
#include "settings/settings_file_writer.h"

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

// 30 profiles, each with a network key.
CSettingsRecords FullRecords() {
    CSettingsRecords records;
    for (int i = 0; i < kWirelessSlotCount; ++i) {
        CNetworkSetting profile;
        profile.m_strSsid = u"network-" + std::u16string(1, static_cast<char16_t>(u'A' + i));
        profile.m_nSecurityMode = kSecurityWpa2PskAes;
        profile.m_strNetworkKey = u"a wireless key of some length";
        profile.m_ipAddress = {{192, 168, 1, static_cast<std::uint8_t>(i)}, 4};
        records.profiles.push_back(profile);
    }
    return records;
}

std::filesystem::path ScratchFile() {
    return std::filesystem::temp_directory_path() / "quorlan-bench-NetworkSetting.ini";
}

void WriteThirtyProfiles(benchmark::State& state) {
    platform::OverrideCodePages(1252, 850);
    const CSettingsRecords records = FullRecords();
    const auto path = ScratchFile();
    for (auto _ : state) {
        const auto file = ComposeSettingsFile(records);
        benchmark::DoNotOptimize(platform::SaveFileAtomically(path, file.bytes.value_or("")));
    }
    std::filesystem::remove(path);
}
BENCHMARK(WriteThirtyProfiles)->Unit(benchmark::kMicrosecond);

void ParseThirtyProfiles(benchmark::State& state) {
    platform::OverrideCodePages(1252, 850);
    const std::string bytes = ComposeSettingsFile(FullRecords()).bytes.value_or("");
    for (auto _ : state) {
        const auto document = platform::CIniDocument::FromBytes(bytes);
        benchmark::DoNotOptimize(document.GetValue(u"UserNetworkSetting", u"WIRELESS_PSK_30"));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(ParseThirtyProfiles)->Unit(benchmark::kMicrosecond);

} // namespace
