// Reads arbitrary bytes as the JSON settings of quorlan-cli create, parsed
// as the tool parses them, and checks that accepted settings shown with
// "show --reveal" read back as the same settings.
#include "cli/settings_json.h"
#include "fuzz/fuzz_support.h"
#include "settings/settings_file_writer.h"

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

namespace {

// What "show --reveal" prints, parsed again as "create --from" parses it.
nlohmann::json ShownAndParsed(const CSettingsRecords& values) {
    const std::string shown =
        SettingsJsonOf(values, true)
            .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    return nlohmann::json::parse(shown, nullptr, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto settings = nlohmann::json::parse(data, data + size, nullptr, false);
    if (settings.is_discarded()) {
        return 0;
    }
    CSettingsRecords values;
    std::string error;
    if (!ReadSettingsJson(settings, values, error)) {
        FuzzExpect(!error.empty(), "a refusal names its reason");
        return 0;
    }
    FuzzExpect(error.empty(), "accepted settings come with no error");

    CSettingsRecords reread;
    FuzzExpect(ReadSettingsJson(ShownAndParsed(values), reread, error),
               "settings as shown are accepted again");
    FuzzExpect(SettingsJsonOf(reread, true) == SettingsJsonOf(values, true),
               "settings as shown read back as the same settings");
    // Whatever was accepted either composes into a file or is refused with a reason.
    const CComposedSettingsFile file = ComposeSettingsFile(values);
    FuzzExpect(file.bytes.has_value() == (file.error == ESettingsFileError::None),
               "a file is composed exactly when there is no error");
    return 0;
}
