#pragma once
#include <string>

// The program: one instance at a time, showing the level dialog.
class CNTLMSettingApp {
public:
    CNTLMSettingApp();

    // Runs the program up to its end; false, as there is no message loop
    // to run afterwards.
    bool InitInstance();

    // The name of the mutex that tells a second instance it is one.
    const std::u16string& MutexName() const { return m_strMutexName; }

private:
    std::u16string m_strMutexName;
    int m_hMutex = -1; // held until the process ends
};
