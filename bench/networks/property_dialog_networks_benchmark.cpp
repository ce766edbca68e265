// What asking NetworkManager adds to opening the property dialog where it is
// not running: the dialog opened and cancelled on the headless backend,
// without networks (the baseline) and with NetworkManager's client. Run it
// with no system bus, and with a bus that NetworkManager is not on.
#include "dialogs/wifi_security.h"
#include "networks/network_manager_client.h"
#include "ui/headless/headless_ui.h"

#include <benchmark/benchmark.h>

namespace {

void OpenAndCancel(benchmark::State& state, IComputerNetworks* networks) {
    ui::headless::CHeadlessUi headless;
    ui::InstallServices(&headless);
    for (auto _ : state) {
        CWifiSecurity dialog(nullptr);
        dialog.SetComputerNetworks(networks);
        headless.OnNextModal(kWifiSecurityTemplateId,
                             [](ui::headless::CHeadlessWindow& window) { window.PressEscape(); });
        benchmark::DoNotOptimize(dialog.DoModal());
    }
    ui::InstallServices(nullptr);
}

void BM_PropertyDialogWithoutNetworks(benchmark::State& state) { OpenAndCancel(state, nullptr); }
BENCHMARK(BM_PropertyDialogWithoutNetworks)->Unit(benchmark::kMillisecond);

void BM_PropertyDialogNetworkManagerAbsent(benchmark::State& state) {
    CNetworkManagerClient client;
    OpenAndCancel(state, &client);
}
BENCHMARK(BM_PropertyDialogNetworkManagerAbsent)->Unit(benchmark::kMillisecond);

} // namespace
