#include "tests/support/environment_variable.h"

#include <cstdlib>

CEnvironmentVariable::CEnvironmentVariable(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) {
        m_old = old;
    }
    Set(value);
}

CEnvironmentVariable::~CEnvironmentVariable() { Set(m_old ? m_old->c_str() : nullptr); }

void CEnvironmentVariable::Set(const char* value) {
    if (value != nullptr) {
        setenv(m_name.c_str(), value, 1);
    } else {
        unsetenv(m_name.c_str());
    }
}
