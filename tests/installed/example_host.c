/* A host program in C, built against the installed library as a host
   developer builds one: it hands over a player, opens the dialog, and from a
   timer that runs while the dialog is shown checks the window and ends. */
#include <Quorlan.h>
#include <stdio.h>
#include <stdlib.h>

/* The dialog's loop runs GLib's timers; this is the one GLib call needed. */
typedef int (*GSourceFunc)(void* data);
unsigned g_timeout_add(unsigned interval, GSourceFunc function, void* data);

enum { kFailed = 1, kShownAndChecked = 3 };

static void Fail(const char* what) {
    fprintf(stderr, "example_host: %s\n", what);
    exit(kFailed);
}

static int CheckTheShownDialog(void* data) {
    char title[256];
    int needed = 0;
    (void)data;
    if (GetWindowHandle() == 0) {
        return 1; /* not shown yet: call again */
    }
    needed = GetWindowName(NULL, 0);
    if (needed <= 1 || needed > (int)sizeof title) {
        Fail("GetWindowName gives no usable size");
    }
    if (GetWindowName(title, needed - 1) != 0) {
        Fail("GetWindowName wrote into a buffer that is too small");
    }
    if (GetWindowName(title, needed) != needed) {
        Fail("GetWindowName did not write the title");
    }
    if (OpenQuorlanDlg() != 0) {
        Fail("a second OpenQuorlanDlg while the dialog is shown did not return 0");
    }
    printf("shown: %s\n", title);
    fflush(stdout);
    /* Ending the process from inside the dialog is a way a host may end. */
    exit(kShownAndChecked);
}

int main(int argc, char** argv) {
    if (SetDevicePath(argc > 1 ? argv[1] : "") != 0 || SetDeviceName("Example player") != 0) {
        Fail("SetDevicePath or SetDeviceName did not return 0");
    }
    if (GetWindowHandle() != 0) {
        Fail("a window handle before the dialog is shown");
    }
    g_timeout_add(20, CheckTheShownDialog, NULL);
    OpenQuorlanDlg();
    Fail("the dialog closed before the timer saw it");
    return kFailed;
}
