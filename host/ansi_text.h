#pragma once
#include "platform/codepage.h"

#include <QString>
#include <optional>
#include <string>

// Texts cross the library's interface in the ANSI code page.
inline QString FromAnsi(const std::string& text) {
    const std::u16string wide = platform::MultiByteToWide(platform::GetACP(), text);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

inline std::string ToAnsi(const QString& text) {
    return platform::WideToMultiByte(platform::GetACP(), text.toStdU16String());
}

// The text in the ANSI code page, or nothing when the code page lacks one of
// its characters: a path turned into "SD??" would lead somewhere else.
inline std::optional<std::string> ToAnsiExactly(const QString& text) {
    std::string bytes = ToAnsi(text);
    return FromAnsi(bytes) == text ? std::optional(std::move(bytes)) : std::nullopt;
}

// Why a text cannot go to the library, from a reason with the text's and the
// code page's places; empty when it can.
inline QString NotPassableReason(const QString& reason, const QString& text) {
    if (ToAnsiExactly(text)) {
        return {};
    }
    return reason.arg(text).arg(platform::GetACP());
}
