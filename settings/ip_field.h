#pragma once
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
