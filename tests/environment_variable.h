#pragma once
#include <cstdlib>
#include <optional>
#include <string>

// Sets (or, with null, removes) one environment variable for the life of
// the object, then puts the old value back.
class CEnvironmentVariable {
public:
    CEnvironmentVariable(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        Set(value);
    }
    ~CEnvironmentVariable() { Set(m_old ? m_old->c_str() : nullptr); }
    CEnvironmentVariable(const CEnvironmentVariable&) = delete;
    CEnvironmentVariable& operator=(const CEnvironmentVariable&) = delete;

private:
    void Set(const char* value) {
        if (value != nullptr) {
            setenv(m_name.c_str(), value, 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }

    std::string m_name;
    std::optional<std::string> m_old;
};
