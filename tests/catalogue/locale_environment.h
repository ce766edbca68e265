#pragma once
#include <cstdlib>
#include <optional>
#include <string>

// Sets the locale variables for one test and puts the old values back, so
// tests do not depend on each other or on the machine's locale.
class CLocaleEnvironment {
public:
    CLocaleEnvironment(const char* lcAll, const char* lcMessages, const char* lang) {
        Set("LC_ALL", lcAll);
        Set("LC_MESSAGES", lcMessages);
        Set("LANG", lang);
    }
    ~CLocaleEnvironment() {
        Restore("LC_ALL", m_strLcAll);
        Restore("LC_MESSAGES", m_strLcMessages);
        Restore("LANG", m_strLang);
    }
    CLocaleEnvironment(const CLocaleEnvironment&) = delete;
    CLocaleEnvironment& operator=(const CLocaleEnvironment&) = delete;

private:
    static std::optional<std::string> Get(const char* name) {
        const char* value = std::getenv(name);
        return value == nullptr ? std::nullopt : std::optional<std::string>(value);
    }
    static void Restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    static void Set(const char* name, const char* value) {
        if (value == nullptr) {
            unsetenv(name);
        } else {
            setenv(name, value, 1);
        }
    }

    std::optional<std::string> m_strLcAll = Get("LC_ALL");
    std::optional<std::string> m_strLcMessages = Get("LC_MESSAGES");
    std::optional<std::string> m_strLang = Get("LANG");
};
