#include "ui/services.h"

#include <cstdio>
#include <cstdlib>

namespace ui {
namespace {
IUiServices* g_pServices = nullptr;
}

IUiServices& Services() {
    if (g_pServices == nullptr) {
        // A program that shows a dialog without a backend is built wrongly.
        std::fputs("internal error: no windowing backend installed\n", stderr);
        std::abort();
    }
    return *g_pServices;
}

void InstallServices(IUiServices* services) {
    g_pServices = services;
}

} // namespace ui
