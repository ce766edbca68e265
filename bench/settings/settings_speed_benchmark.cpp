// The load and write of a full settings file, the same load through a
// reader that re-reads the file for every key, and loads of 16 MiB of junk
// with the memory they take. Ends with the ratios measured in this run.
#include "bench/settings/child_peak_memory.h"
#include "bench/settings/paired_ratio.h"
#include "bench/settings/per_key_profile_reader.h"
#include "bench/support/run_summary.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "settings/settings_file_reader.h"
#include "settings/settings_file_writer.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr size_t kJunkBytes = 16 << 20;
constexpr char kLoadOnce[] = "--load-once";

// 30 profiles and the network folder: 31 secrets.
CSettingsRecords ThirtyProfiles() {
    CSettingsRecords records;
    records.nNetFolderChoice = 1;
    records.netFolder.m_strNetDeviceName = u"fileserver";
    records.netFolder.m_strUserId = u"player";
    records.netFolder.m_strPassword = u"folder password";
    records.bEnableNetworkDevice = 1;
    records.bUseWireless = 1;
    for (int i = 0; i < kWirelessSlotCount; ++i) {
        CNetworkSetting profile;
        profile.m_strSsid = u"Network " + std::u16string(1, static_cast<char16_t>(u'A' + i));
        profile.m_nSecurityMode = kSecurityWpa2PskAes;
        profile.m_strNetworkKey = u"a passphrase of some length";
        profile.m_nDhcp = 0;
        profile.m_ipAddress = {{192, 168, 1, static_cast<std::uint8_t>(10 + i)}, 4};
        profile.m_ipSubnetMask = {{255, 255, 255, 0}, 4};
        profile.m_ipDefaultGateway = {{192, 168, 1, 1}, 4};
        profile.m_ipDns = {{192, 168, 1, 1}, 4};
        profile.m_ipDnsSecondary = {{8, 8, 8, 8}, 4};
        profile.m_nUseProxy = 1;
        profile.m_strProxyAddress = u"proxy.example.net";
        profile.m_strProxyPort = u"8080";
        records.profiles.push_back(profile);
    }
    return records;
}

// The files the benchmarks read, removed at the end.
class CScratchFiles {
public:
    CScratchFiles() {
        std::filesystem::create_directories(m_folder);
        const auto full = ComposeSettingsFile(ThirtyProfiles());
        Write(kThirtyProfiles, full.bytes.value_or(""));
        Write(kCarriageReturns, std::string(kJunkBytes, '\r'));
        std::string sections;
        for (int i = 0; sections.size() < kJunkBytes; ++i) {
            sections += "[Junk" + std::to_string(i) + "]\r\nWIRELESS_SSID_1=x\r\n";
        }
        sections.resize(kJunkBytes);
        Write(kJunkSections, sections);
        Write(kEmpty, "");
    }
    ~CScratchFiles() { std::filesystem::remove_all(m_folder); }
    CScratchFiles(const CScratchFiles&) = delete;
    CScratchFiles& operator=(const CScratchFiles&) = delete;

    std::filesystem::path Path(const char* name) const { return m_folder / name; }

    static constexpr char kThirtyProfiles[] = "NetworkSetting.ini";
    static constexpr char kCarriageReturns[] = "carriage-returns.ini";
    static constexpr char kJunkSections[] = "junk-sections.ini";
    static constexpr char kEmpty[] = "empty.ini";

private:
    void Write(const char* name, const std::string& bytes) const {
        if (!platform::SaveFileAtomically(Path(name), bytes)) {
            std::perror(Path(name).c_str());
            std::exit(1);
        }
    }

    std::filesystem::path m_folder =
        std::filesystem::temp_directory_path() / ("quorlan-speed-" + std::to_string(::getpid()));
};

void RegisterLoad(const char* name, const std::filesystem::path& file) {
    benchmark::RegisterBenchmark(name, [file](benchmark::State& state) {
        for (auto _ : state) {
            benchmark::DoNotOptimize(ReadSettingsFile(file));
        }
    })->Unit(benchmark::kMicrosecond);
}

void RegisterBenchmarks(const CScratchFiles& files) {
    const auto thirty = files.Path(CScratchFiles::kThirtyProfiles);
    RegisterLoad("load 30 profiles", thirty);
    benchmark::RegisterBenchmark("load 30 profiles, per-key reader", [thirty](
                                                                         benchmark::State& state) {
        const CPerKeyProfileReader reader(thirty);
        for (auto _ : state) {
            benchmark::DoNotOptimize(ReadSettingsFile(reader));
        }
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("write 30 profiles, no fsync", [](benchmark::State& state) {
        const CSettingsRecords records = ThirtyProfiles();
        for (auto _ : state) {
            benchmark::DoNotOptimize(ComposeSettingsFile(records));
        }
    })->Unit(benchmark::kMicrosecond);
    RegisterLoad("load 16 MiB of carriage returns", files.Path(CScratchFiles::kCarriageReturns));
    RegisterLoad("load 16 MiB of junk sections", files.Path(CScratchFiles::kJunkSections));
}

// The full file must load without a single refusal, or the figures mean nothing.
bool LoadsCleanly(const std::filesystem::path& file) {
    const CSettingsFileContents contents = ReadSettingsFile(file);
    return contents.rejected.empty() &&
           contents.records.profiles.size() == static_cast<size_t>(kWirelessSlotCount) &&
           contents.records.netFolder.m_strPassword == u"folder password";
}

using EClock = CRunSummary::EClock;

void PrintTime(const CRunSummary& summary, const char* name) {
    std::printf("  %-34s %10.1f %10.1f %10.1f %10.1f  %zu\n", name,
                summary.Median(name, EClock::Cpu) * 1e6, summary.Minimum(name, EClock::Cpu) * 1e6,
                summary.Median(name, EClock::Real) * 1e6, summary.Minimum(name, EClock::Real) * 1e6,
                summary.Repetitions(name));
}

void PrintRatio(const CRunSummary& summary, const char* slow, const char* fast) {
    const auto ratio = [&](double (CRunSummary::*statistic)(const std::string&, EClock) const,
                           EClock clock) {
        const double divisor = (summary.*statistic)(fast, clock);
        return divisor > 0 ? (summary.*statistic)(slow, clock) / divisor : 0;
    };
    std::printf(
        "  %s / %s:\n    CPU median %.0fx, min %.0fx; real median %.0fx, min %.0fx\n", slow, fast,
        ratio(&CRunSummary::Median, EClock::Cpu), ratio(&CRunSummary::Minimum, EClock::Cpu),
        ratio(&CRunSummary::Median, EClock::Real), ratio(&CRunSummary::Minimum, EClock::Real));
}

// The same ratio from loads timed in pairs back to back, which a machine
// whose speed drifts between the benchmarks above does not skew.
void PrintPairedRatio(const CScratchFiles& files) {
    constexpr size_t kPairs = 21;
    const auto thirty = files.Path(CScratchFiles::kThirtyProfiles);
    const CPerKeyProfileReader perKeyReader(thirty);
    const CPairedRatios ratios =
        MeasurePairedRatios([&] { benchmark::DoNotOptimize(ReadSettingsFile(perKeyReader)); },
                            [&] { benchmark::DoNotOptimize(ReadSettingsFile(thirty)); }, kPairs);
    std::printf(
        "  the same, timed in %zu pairs of a per-key load and loads as long, back to back:\n"
        "    real median %.0fx, min %.0fx, max %.0fx\n",
        ratios.pairs, ratios.median, ratios.minimum, ratios.maximum);
}

void PrintPeakMemory(const CScratchFiles& files, const char* name) {
    const auto empty = PeakMemoryOfChild(kLoadOnce, files.Path(CScratchFiles::kEmpty));
    const auto junk = PeakMemoryOfChild(kLoadOnce, files.Path(name));
    if (!empty || !junk) {
        std::printf("  %-34s the child's load failed\n", name);
        return;
    }
    const double added = static_cast<double>(*junk) - static_cast<double>(*empty);
    std::printf("  %-34s peak %.1f MiB, %.1f MiB over an empty load: %.2fx the file's size\n", name,
                static_cast<double>(*junk) / (1 << 20), added / (1 << 20), added / kJunkBytes);
}

void PrintSummary(const CRunSummary& summary, const CScratchFiles& files) {
    std::printf("\nSummary, all measured in this run: microseconds per load or write\n"
                "  %-34s %10s %10s %10s %10s  %s\n",
                "", "CPU median", "CPU min", "real median", "real min", "repetitions");
    for (const char* name :
         {"load 30 profiles", "load 30 profiles, per-key reader", "write 30 profiles, no fsync",
          "load 16 MiB of carriage returns", "load 16 MiB of junk sections"}) {
        PrintTime(summary, name);
    }
    PrintRatio(summary, "load 30 profiles, per-key reader", "load 30 profiles");
    PrintPairedRatio(files);
    std::printf("Peak resident memory of one load in a child process\n");
    PrintPeakMemory(files, CScratchFiles::kCarriageReturns);
    PrintPeakMemory(files, CScratchFiles::kJunkSections);
}

} // namespace

int main(int argc, char** argv) {
    platform::OverrideCodePages(1252, 850);
    if (argc == 3 && std::strcmp(argv[1], kLoadOnce) == 0) {
        benchmark::DoNotOptimize(ReadSettingsFile(std::filesystem::path(argv[2])));
        PrintOwnPeakMemory();
        return 0;
    }
    // Five repetitions unless the command line asks for others.
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=5";
    args.insert(args.begin() + 1, repetitions);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());

    const CScratchFiles files;
    if (!LoadsCleanly(files.Path(CScratchFiles::kThirtyProfiles))) {
        std::fprintf(stderr, "the 30-profile file does not load cleanly\n");
        return 1;
    }
    RegisterBenchmarks(files);
    CRunSummary summary;
    benchmark::RunSpecifiedBenchmarks(&summary);
    PrintSummary(summary, files);
    benchmark::Shutdown();
    return 0;
}
