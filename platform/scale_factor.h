#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// How a program raised through pkexec, which keeps no environment but a few
// variables, learns the scale its caller's windows are drawn at.
inline constexpr std::string_view kScaleFactorOption = "--scale-factor=";

// The caller's QT_SCALE_FACTOR as that option; nothing when it is unset or
// not a plain number of a sensible size.
std::optional<std::string> ScaleFactorArgument();

// The scale an option among args names, when it is a plain number of a
// sensible size: for QT_SCALE_FACTOR before the application starts.
std::optional<std::string> ScaleFactorOf(std::span<char* const> args);

} // namespace platform
