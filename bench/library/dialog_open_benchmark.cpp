// How long a host waits for the dialog: from loading the library to the
// dialog shown, the first time in a process, and each later showing. Beside
// each, a plain dialog of the same size without controls: the least that Qt
// needs to show a window. Ends with the ratios measured in this run.
#include "bench/library/showing_watch.h"
#include "bench/support/own_program.h"
#include "bench/support/run_summary.h"
#include "dialogs/main_dialog/quorlan_controls.h"
#include "host/quorlan_library.h"
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kFirstShowing[] = "--first-showing";
constexpr char kLibraryDialog[] = "library";
constexpr char kPlainDialog[] = "plain";
constexpr int kFirstShowingProcesses = 10;
constexpr int kReopenings = 30;
constexpr double kFirstShownGoalSeconds = 0.050;
constexpr double kReopenedGoalSeconds = 0.010;

constexpr char kFirstLibrary[] = "first shown, library dialog";
constexpr char kFirstPlain[] = "first shown, plain dialog";
constexpr char kReopenedLibrary[] = "reopened, library dialog";
constexpr char kReopenedPlain[] = "reopened, plain dialog";

// The folders the dialog reads and writes instead of the user's, handed
// down to every child.
class CScratchFolders {
public:
    CScratchFolders() { std::filesystem::create_directory(SdCard()); }

    std::filesystem::path SdCard() const { return m_folder / "sdcard"; }

private:
    CTempFolder m_folder;
    CEnvironmentVariable m_appData{"APPDATA", m_folder.Path().string()};
    CEnvironmentVariable m_configHome{"XDG_CONFIG_HOME", m_folder.Path().string()};
};

struct CShowing {
    double seconds = 0; // from the start given to the first turn of the loop with the window shown
    QSize size;
};

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

QWidget* ShownDialog(const CQuorlanLibrary& library) {
    const int handle = library.GetWindowHandle();
    return handle == 0 ? nullptr : QWidget::find(static_cast<WId>(static_cast<unsigned>(handle)));
}

// Closed as its user closes it, with the Exit button.
void ClickExit(QWidget& dialog) {
    auto* exit = dialog.findChild<QAbstractButton*>(QString::number(IDC_EXIT));
    if (exit != nullptr) {
        QTest::mouseClick(exit, Qt::LeftButton);
    } else {
        dialog.close();
    }
}

std::optional<CShowing> ShowLibraryDialog(const CQuorlanLibrary& library, Clock::time_point start) {
    std::optional<CShowing> showing;
    const CShowingWatch watch([&library] { return ShownDialog(library); },
                              [&](QWidget& dialog) {
                                  showing = CShowing{SecondsSince(start), dialog.size()};
                                  ClickExit(dialog);
                              });
    library.OpenQuorlanDlg();
    return showing;
}

std::optional<CShowing> ShowPlainDialog(QSize size, Clock::time_point start) {
    QDialog dialog;
    dialog.resize(size);
    std::optional<CShowing> showing;
    const CShowingWatch watch([&dialog]() -> QWidget* { return &dialog; },
                              [&](QWidget&) {
                                  showing = CShowing{SecondsSince(start), dialog.size()};
                                  dialog.reject();
                              });
    dialog.exec();
    return showing;
}

std::string SizeArgument(QSize size) {
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

// The child's side: one first showing in this fresh process, its seconds printed.
int ShowFirstTime(const char* dialog, const char* argument) {
    std::optional<CShowing> showing;
    if (std::strcmp(dialog, kLibraryDialog) == 0) {
        const Clock::time_point start = Clock::now();
        const CQuorlanLibrary library(QUORLAN_LIBRARY);
        if (!library.IsLoaded()) {
            std::fprintf(stderr, "%s\n", library.Error().c_str());
            return 1;
        }
        library.SetDevicePath(argument);
        showing = ShowLibraryDialog(library, start);
    } else {
        int width = 0;
        int height = 0;
        if (std::sscanf(argument, "%dx%d", &width, &height) != 2) {
            return 1;
        }
        showing = ShowPlainDialog(QSize(width, height), Clock::now());
    }
    if (!showing) {
        return 1;
    }
    std::printf("%.9f\n", showing->seconds);
    return 0;
}

std::optional<double> SecondsOf(const std::optional<CShowing>& showing) {
    return showing ? std::optional(showing->seconds) : std::nullopt;
}

std::optional<double> FirstShowingInChild(const std::vector<std::string>& arguments) {
    const auto output = OutputOfOwnProgram(arguments);
    double seconds = 0;
    if (!output || std::sscanf(output->c_str(), "%lf", &seconds) != 1) {
        return std::nullopt;
    }
    return seconds;
}

// Every repetition is one showing, so that the minimum and median are those of single showings.
void RegisterShowings(const char* name, int showings,
                      std::function<std::optional<double>()> measure) {
    benchmark::RegisterBenchmark(name,
                                 [measure](benchmark::State& state) {
                                     for (auto _ : state) {
                                         const std::optional<double> seconds = measure();
                                         if (!seconds) {
                                             state.SkipWithError("the dialog was not shown");
                                             break;
                                         }
                                         state.SetIterationTime(*seconds);
                                     }
                                 })
        ->Iterations(1)
        ->Repetitions(showings)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void RegisterBenchmarks(const CQuorlanLibrary& library, const CScratchFolders& folders,
                        QSize size) {
    const std::vector<std::string> firstLibrary{kFirstShowing, kLibraryDialog, folders.SdCard()};
    const std::vector<std::string> firstPlain{kFirstShowing, kPlainDialog, SizeArgument(size)};
    RegisterShowings(kFirstLibrary, kFirstShowingProcesses,
                     [firstLibrary] { return FirstShowingInChild(firstLibrary); });
    RegisterShowings(kFirstPlain, kFirstShowingProcesses,
                     [firstPlain] { return FirstShowingInChild(firstPlain); });
    RegisterShowings(kReopenedLibrary, kReopenings,
                     [&library] { return SecondsOf(ShowLibraryDialog(library, Clock::now())); });
    RegisterShowings(kReopenedPlain, kReopenings,
                     [size] { return SecondsOf(ShowPlainDialog(size, Clock::now())); });
}

using EClock = CRunSummary::EClock;

void PrintTimes(const CRunSummary& summary, const char* name) {
    std::printf("  %-30s %8.2f %8.2f  %zu\n", name, summary.Median(name, EClock::Real) * 1e3,
                summary.Minimum(name, EClock::Real) * 1e3, summary.Repetitions(name));
}

void PrintRatio(const CRunSummary& summary, const char* library, const char* plain) {
    const auto ratio = [](double numerator, double divisor) {
        return divisor > 0 ? numerator / divisor : 0;
    };
    std::printf(
        "  %s / plain: median %.1fx, min %.1fx\n", library,
        ratio(summary.Median(library, EClock::Real), summary.Median(plain, EClock::Real)),
        ratio(summary.Minimum(library, EClock::Real), summary.Minimum(plain, EClock::Real)));
}

void PrintGoal(const CRunSummary& summary, const char* name, double goalSeconds) {
    const double median = summary.Median(name, EClock::Real);
    std::printf("  %s: goal %.0f ms, median %s\n", name, goalSeconds * 1e3,
                median > 0 && median <= goalSeconds ? "within it" : "over it");
}

void PrintSummary(const CRunSummary& summary, QSize size) {
    std::printf("\nSummary, all measured in this run: milliseconds until the dialog is shown\n"
                "(%dx%d pixels, QT_QPA_PLATFORM=%s)\n  %-30s %8s %8s  %s\n",
                size.width(), size.height(), qgetenv("QT_QPA_PLATFORM").constData(), "", "median",
                "min", "showings");
    for (const char* name : {kFirstLibrary, kFirstPlain, kReopenedLibrary, kReopenedPlain}) {
        PrintTimes(summary, name);
    }
    PrintRatio(summary, kFirstLibrary, kFirstPlain);
    PrintRatio(summary, kReopenedLibrary, kReopenedPlain);
    PrintGoal(summary, kFirstLibrary, kFirstShownGoalSeconds);
    PrintGoal(summary, kReopenedLibrary, kReopenedGoalSeconds);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (argc == 4 && std::strcmp(argv[1], kFirstShowing) == 0) {
        const QApplication application(argc, argv);
        return ShowFirstTime(argv[2], argv[3]);
    }
    benchmark::Initialize(&argc, argv);
    const CScratchFolders folders;
    const QApplication application(argc, argv);
    const CQuorlanLibrary library(QUORLAN_LIBRARY);
    if (!library.IsLoaded()) {
        std::fprintf(stderr, "%s\n", library.Error().c_str());
        return 1;
    }
    library.SetDevicePath(folders.SdCard().c_str());
    // This process's first showing is measured in the children; here it
    // gives the plain dialog its size.
    const std::optional<CShowing> first = ShowLibraryDialog(library, Clock::now());
    if (!first) {
        std::fprintf(stderr, "the dialog was not shown\n");
        return 1;
    }
    RegisterBenchmarks(library, folders, first->size);
    CRunSummary summary;
    benchmark::RunSpecifiedBenchmarks(&summary);
    PrintSummary(summary, first->size);
    benchmark::Shutdown();
    return 0;
}
