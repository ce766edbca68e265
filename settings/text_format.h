#pragma once
#include "settings/ip_field.h"

#include <string>

// Number and address texts as the settings file writes them.
std::u16string DecimalText(long long value);
// "a.b.c.d" for an entered address, empty otherwise.
std::u16string DottedAddressText(const IpField& address);
