#pragma once
#include "library/Quorlan.h"

#include <QWidget>
#include <dlfcn.h>
#include <gtest/gtest.h>

// libQuorlan.so opened with dlopen, its exports looked up by their plain names.
class CLoadedLibrary {
public:
    CLoadedLibrary() : m_handle(::dlopen(QUORLAN_LIBRARY, RTLD_NOW | RTLD_LOCAL)) {
        EXPECT_NE(m_handle, nullptr) << ::dlerror();
        Open = Find<OpenQuorlanDlgFunction>("OpenQuorlanDlg");
        SetDevicePath = Find<SetDeviceTextFunction>("SetDevicePath");
        SetDeviceName = Find<SetDeviceTextFunction>("SetDeviceName");
        GetWindowHandle = Find<GetWindowHandleFunction>("GetWindowHandle");
        GetWindowName = Find<GetWindowNameFunction>("GetWindowName");
    }
    ~CLoadedLibrary() {
        if (m_handle != nullptr) {
            ::dlclose(m_handle);
        }
    }
    CLoadedLibrary(const CLoadedLibrary&) = delete;
    CLoadedLibrary& operator=(const CLoadedLibrary&) = delete;

    template <typename Function> Function Find(const char* name) const {
        return m_handle == nullptr ? nullptr : reinterpret_cast<Function>(::dlsym(m_handle, name));
    }
    bool Exports(const char* name) const { return Find<void*>(name) != nullptr; }
    // The dialog's widget while it is shown, found by the handle a host gets.
    QWidget* ShownDialog() const {
        const int handle = GetWindowHandle();
        return handle == 0 ? nullptr
                           : QWidget::find(static_cast<WId>(static_cast<unsigned>(handle)));
    }

    OpenQuorlanDlgFunction Open = nullptr;
    SetDeviceTextFunction SetDevicePath = nullptr;
    SetDeviceTextFunction SetDeviceName = nullptr;
    GetWindowHandleFunction GetWindowHandle = nullptr;
    GetWindowNameFunction GetWindowName = nullptr;

private:
    void* m_handle;
};
