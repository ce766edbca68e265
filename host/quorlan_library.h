#pragma once
#include "library/Quorlan.h"

#include <string>

// Where the host loads the library from: libQuorlan.so in its own folder, as
// in the build folder; else the library folder of the installation the host
// belongs to. The first when neither exists, so that the error names it.
std::string FindQuorlanLibrary(const std::string& programFolder);

// libQuorlan.so loaded at run time, with its five exports.
class CQuorlanLibrary {
public:
    explicit CQuorlanLibrary(const std::string& path);
    ~CQuorlanLibrary();
    CQuorlanLibrary(const CQuorlanLibrary&) = delete;
    CQuorlanLibrary& operator=(const CQuorlanLibrary&) = delete;

    bool IsLoaded() const { return m_handle != nullptr && m_getWindowName != nullptr; }
    const std::string& Error() const { return m_strError; }

    int OpenQuorlanDlg() const { return m_open(); }
    int SetDevicePath(const char* path) const { return m_setDevicePath(path); }
    int SetDeviceName(const char* name) const { return m_setDeviceName(name); }
    int GetWindowHandle() const { return m_getWindowHandle(); }
    // The title in the ANSI code page.
    std::string WindowName() const;

private:
    void* m_handle = nullptr;
    std::string m_strError;
    OpenQuorlanDlgFunction m_open = nullptr;
    SetDeviceTextFunction m_setDevicePath = nullptr;
    SetDeviceTextFunction m_setDeviceName = nullptr;
    GetWindowHandleFunction m_getWindowHandle = nullptr;
    GetWindowNameFunction m_getWindowName = nullptr;
};
