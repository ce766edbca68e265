#pragma once
#include "platform/ip_field.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Number and address texts of the settings file, as written and as read.
std::u16string DecimalText(long long value);
// "a.b.c.d" for an entered address, empty otherwise.
std::u16string DottedAddressText(const IpField& address);

// The value of a number text as the C library's text-to-integer conversion
// reads it: leading blanks, an optional sign, then digits up to the first
// other character; 0 without digits. A value beyond the range of int comes
// back beyond it (saturated), never wrapped.
long long DecimalValue(std::u16string_view text);

// A dotted address as stored in the file: 1 with the four octets, -1 with all
// four 0. Four pieces of at most three digits, each at most 255; text after
// a fourth dot belongs to the fourth piece, which is read up to that dot.
int ParseDottedAddress(std::u16string_view text, std::array<std::uint8_t, 4>& octets);
