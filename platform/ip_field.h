#pragma once
// The value of the Windows IP address control: below both the settings and
// the windowing layer, so that neither needs the other for it.
#include <array>
#include <cstdint>

// One IPv4 address as entered in an address control: the four fields and how
// many of them were filled. Only a fully filled address counts as entered.
struct IpField {
    std::array<std::uint8_t, 4> octets{};
    std::uint8_t filled = 0;

    bool IsEntered() const { return filled == 4; }
    bool operator==(const IpField&) const = default;
};
