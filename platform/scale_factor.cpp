#include "platform/scale_factor.h"

#include <charconv>
#include <cstdlib>

namespace platform {
namespace {

constexpr double kSmallestScale = 0.25;
constexpr double kLargestScale = 8.0;

// Digits with at most one point, nothing else: the value reaches a program
// that runs as root.
bool IsScaleFactor(std::string_view text) {
    if (text.empty() || text.size() > 8 ||
        text.find_first_not_of("0123456789.") != std::string_view::npos) {
        return false;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= kSmallestScale &&
           value <= kLargestScale;
}

} // namespace

std::optional<std::string> ScaleFactorArgument() {
    const char* scale = std::getenv("QT_SCALE_FACTOR");
    if (scale == nullptr || !IsScaleFactor(scale)) {
        return std::nullopt;
    }
    return std::string(kScaleFactorOption) + scale;
}

std::optional<std::string> ScaleFactorOf(std::span<char* const> args) {
    for (const std::string_view arg : args) {
        if (arg.starts_with(kScaleFactorOption) &&
            IsScaleFactor(arg.substr(kScaleFactorOption.size()))) {
            return std::string(arg.substr(kScaleFactorOption.size()));
        }
    }
    return std::nullopt;
}

} // namespace platform
