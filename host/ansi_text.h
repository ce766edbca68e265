#pragma once
#include "platform/codepage.h"

#include <QString>
#include <string>

// Texts cross the library's interface in the ANSI code page.
inline QString FromAnsi(const std::string& text) {
    const std::u16string wide = platform::MultiByteToWide(platform::GetACP(), text);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

inline std::string ToAnsi(const QString& text) {
    return platform::WideToMultiByte(platform::GetACP(), text.toStdU16String());
}
