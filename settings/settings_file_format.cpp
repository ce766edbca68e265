#include "settings/settings_file_format.h"

#include "settings/settings_records.h"
#include "settings/text_format.h"

const WirelessProfileKeyNames& WirelessKeyNames(int profileIndex) {
    // Built once: a load and a write each ask for every name.
    static const auto names = [] {
        std::array<WirelessProfileKeyNames, kWirelessSlotCount> table;
        for (size_t profile = 0; profile < table.size(); ++profile) {
            for (size_t key = 0; key < kProfileFields.size(); ++key) {
                table[profile][key] = kProfileFields[key].wirelessKey;
                if (profile > 0) {
                    table[profile][key] += u'_' + DecimalText(static_cast<int>(profile) + 1);
                }
            }
        }
        return table;
    }();
    return names.at(static_cast<size_t>(profileIndex));
}
