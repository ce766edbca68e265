#pragma once
#include <cstdlib>
#include <string>

// Sets an environment variable for one test and restores it afterwards.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const std::string& value) : m_name(name) {
        const char* old = std::getenv(name);
        m_bHadOld = old != nullptr;
        m_old = m_bHadOld ? old : "";
        setenv(name, value.c_str(), 1);
    }
    ~CScopedEnv() {
        if (m_bHadOld) {
            setenv(m_name.c_str(), m_old.c_str(), 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    std::string m_name;
    std::string m_old;
    bool m_bHadOld = false;
};
