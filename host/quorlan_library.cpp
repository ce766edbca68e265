#include "host/quorlan_library.h"

#include <dlfcn.h>
#include <filesystem>
#include <vector>

namespace {

template <typename Function> bool Resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(handle, name));
    return function != nullptr;
}

} // namespace

std::string FindQuorlanLibrary(const std::string& programFolder) {
    const std::filesystem::path folder(programFolder);
    const std::filesystem::path besideProgram = folder / "libQuorlan.so";
    const std::filesystem::path installed = folder / QUORLAN_INSTALLED_LIBRARY;
    if (!std::filesystem::exists(besideProgram) && std::filesystem::exists(installed)) {
        return installed.lexically_normal().string();
    }
    return besideProgram.string();
}

CQuorlanLibrary::CQuorlanLibrary(const std::string& path)
    : m_handle(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (m_handle == nullptr) {
        m_strError = ::dlerror();
        return;
    }
    if (!Resolve(m_handle, "OpenQuorlanDlg", m_open) ||
        !Resolve(m_handle, "SetDevicePath", m_setDevicePath) ||
        !Resolve(m_handle, "SetDeviceName", m_setDeviceName) ||
        !Resolve(m_handle, "GetWindowHandle", m_getWindowHandle) ||
        !Resolve(m_handle, "GetWindowName", m_getWindowName)) {
        m_strError = path + " lacks one of the five exports";
        m_getWindowName = nullptr;
    }
}

CQuorlanLibrary::~CQuorlanLibrary() {
    if (m_handle != nullptr) {
        ::dlclose(m_handle);
    }
}

std::string CQuorlanLibrary::WindowName() const {
    const int size = m_getWindowName(nullptr, 0);
    std::vector<char> buffer(static_cast<size_t>(size > 0 ? size : 1), '\0');
    if (m_getWindowName(buffer.data(), size) == 0) {
        return {};
    }
    return buffer.data();
}
