#include "settings/settings_file_format.h"

#include "settings/text_format.h"

std::u16string WirelessKeyName(int profileIndex, int keyIndex) {
    std::u16string name(kWirelessKeyNames.at(static_cast<size_t>(keyIndex)));
    if (profileIndex > 0) {
        name += u'_';
        name += DecimalText(profileIndex + 1);
    }
    return name;
}
