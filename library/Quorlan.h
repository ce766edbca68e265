/* The exported functions of libQuorlan.so, for host programs. Texts cross
   in the system ANSI code page. All calls come from one thread, the host's
   user interface thread: the thread of the first call after loading is the
   library's, and a call from any other returns 0 at once, doing nothing. */
#ifndef QUORLAN_H
#define QUORLAN_H

#ifdef __cplusplus
extern "C" {
#endif

/* Shows the network configuration dialog modally; returns 0 when it closed.
   The host's own windows keep taking input meanwhile, and its Qt or GLib
   timers and events go on running; a call made while the dialog is shown
   returns 0 at once. */
int OpenQuorlanDlg(void);

/* The SD card path and display name of the attached player, in the ANSI code
   page: a path must be representable in it, as one whose characters the code
   page lacks names another folder. A null pointer is ignored. Both return 0. */
int SetDevicePath(const char* path);
int SetDeviceName(const char* name);

/* The dialog's window while it is shown, else 0. On X11 it is the window's
   X id. Wayland gives windows no id that another program could use: there
   it is Qt's number for the window, never 0, which names it only inside
   this process. */
int GetWindowHandle(void);

/* The dialog's title in the current language. With a null buffer or size 0:
   the bytes needed, NUL included. Otherwise the bytes written, NUL included,
   or 0 when the buffer is too small (nothing is written then). */
int GetWindowName(char* buffer, int size);

typedef int (*OpenQuorlanDlgFunction)(void);
typedef int (*SetDeviceTextFunction)(const char*);
typedef int (*GetWindowHandleFunction)(void);
typedef int (*GetWindowNameFunction)(char*, int);

#ifdef __cplusplus
}
#endif

#endif
