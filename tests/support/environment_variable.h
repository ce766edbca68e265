#pragma once
#include <optional>
#include <string>

// Sets (or, with null, removes) one environment variable for the life of
// the object, then puts the old value back.
class CEnvironmentVariable {
public:
    CEnvironmentVariable(const char* name, const char* value);
    CEnvironmentVariable(const char* name, const std::string& value)
        : CEnvironmentVariable(name, value.c_str()) {}
    ~CEnvironmentVariable();
    CEnvironmentVariable(const CEnvironmentVariable&) = delete;
    CEnvironmentVariable& operator=(const CEnvironmentVariable&) = delete;

private:
    void Set(const char* value);

    std::string m_name;
    std::optional<std::string> m_old;
};
