#pragma once
#include "tests/support/environment_variable.h"

// Sets the locale variables for one test (null removes one) and puts the old
// values back, so tests do not depend on each other or on the machine's locale.
class CLocaleEnvironment {
public:
    CLocaleEnvironment(const char* lcAll, const char* lcMessages, const char* lang)
        : m_lcAll("LC_ALL", lcAll), m_lcMessages("LC_MESSAGES", lcMessages), m_lang("LANG", lang) {}

private:
    CEnvironmentVariable m_lcAll;
    CEnvironmentVariable m_lcMessages;
    CEnvironmentVariable m_lang;
};
