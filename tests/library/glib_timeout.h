#pragma once
// A plain C program's timer keeps running while the dialog is shown because
// Qt's loop dispatches GLib's default main context. The project does not
// build against GLib's headers, so the one call needed is declared here.
extern "C" {
using GSourceFunc = int (*)(void* data);
unsigned g_timeout_add(unsigned interval, GSourceFunc function, void* data);
}
