// How long a load takes: a full file of 30 profiles as the dialog writes it,
// and malformed files of many sections or one long line.
#include "platform/atomic_file.h"
#include "settings/settings_file_reader.h"
#include "settings/settings_file_writer.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

class CLoadFixture {
public:
    CLoadFixture() = default;
    ~CLoadFixture() { std::filesystem::remove(m_file); }
    CLoadFixture(const CLoadFixture&) = delete;
    CLoadFixture& operator=(const CLoadFixture&) = delete;

    const std::filesystem::path& File() const { return m_file; }
    void Load() { benchmark::DoNotOptimize(ReadSettingsFile(m_file)); }

private:
    std::filesystem::path m_file = std::filesystem::temp_directory_path() /
                                   ("quorlan-bench-" + std::to_string(::getpid()) + ".ini");
};

void BM_LoadThirtyProfiles(benchmark::State& state) {
    CLoadFixture fixture;
    CSettingsRecords records;
    for (int i = 0; i < kWirelessSlotCount; ++i) {
        CNetworkSetting profile;
        profile.m_strSsid = u"Network " + std::u16string(1, static_cast<char16_t>(u'A' + i));
        profile.m_nSecurityMode = kSecurityWpa2PskAes;
        profile.m_strNetworkKey = u"a passphrase of some length";
        records.profiles.push_back(profile);
    }
    platform::SaveFileAtomically(fixture.File(), ComposeSettingsFile(records).bytes.value_or(""));
    for (auto _ : state) {
        fixture.Load();
    }
}
BENCHMARK(BM_LoadThirtyProfiles);

void BM_LoadManySections(benchmark::State& state) {
    CLoadFixture fixture;
    std::string bytes;
    for (int i = 0; i < state.range(0); ++i) {
        bytes += "[Section" + std::to_string(i) + "]\r\nWIRELESS_SSID=x\r\n";
    }
    platform::SaveFileAtomically(fixture.File(), bytes);
    for (auto _ : state) {
        fixture.Load();
    }
}
BENCHMARK(BM_LoadManySections)->Arg(1000)->Arg(10000);

void BM_LoadOneLongLine(benchmark::State& state) {
    CLoadFixture fixture;
    platform::SaveFileAtomically(fixture.File(),
                                 "[UserNetworkSetting]\r\nWIRELESS_SSID=" +
                                     std::string(static_cast<size_t>(state.range(0)), 'x'));
    for (auto _ : state) {
        fixture.Load();
    }
}
BENCHMARK(BM_LoadOneLongLine)->Arg(1 << 20)->Arg(16 << 20);

} // namespace
