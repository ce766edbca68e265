#include "cli/nm_keyfile_reader.h"

#include "cli/file_errors.h"
#include "networks/nm_keyfile_values.h"
#include "platform/file_reader.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <glib.h>
#include <memory>

namespace {

using CKeyFilePointer = std::unique_ptr<GKeyFile, decltype(&g_key_file_unref)>;
using CGlibTextList = std::unique_ptr<gchar*, decltype(&g_strfreev)>;

// Where GLib's reading failed, said without the line itself: GLib quotes it,
// and it may hold a passphrase ("psk MySecret" without its "=").
std::string ParseProblem(std::string_view text, bool encoding) {
    if (encoding) {
        return "the text is not UTF-8";
    }
    size_t number = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        ++number;
        start = end + 1;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())) != 0) {
            line.remove_suffix(1);
        }
        const bool comment = line.empty() || line.front() == '#';
        const bool group = line.starts_with('[') && line.ends_with(']');
        const bool key = !line.starts_with('[') && line.find('=') != std::string_view::npos;
        if (!comment && !group && !key) {
            return "line " + std::to_string(number) + " is neither a group, a key nor a comment";
        }
    }
    return "a group or key name is not valid";
}

// NetworkManager's keyfiles are a few hundred bytes; a file past this is
// none, and is never read whole.
constexpr size_t kMaxKeyfileBytes = 1 << 20;

CNmKeyfile Malformed(std::string problem) {
    return {ENmKeyfileStatus::Malformed, {}, std::move(problem)};
}

} // namespace

CNmKeyfile ReadNmKeyfile(const std::filesystem::path& file) {
    const platform::CFileBytes bytes = platform::ReadFile(file, kMaxKeyfileBytes);
    if (!bytes) {
        if (bytes.fault == platform::EReadFault::Unreadable &&
            (bytes.systemError == EACCES || bytes.systemError == EPERM)) {
            return {ENmKeyfileStatus::NotPermitted, {}, SystemErrorText(bytes.systemError)};
        }
        return Malformed("not a keyfile: " +
                         ReadFaultText(bytes.fault, bytes.systemError, "keyfile"));
    }
    const CKeyFilePointer keyFile(g_key_file_new(), g_key_file_unref);
    GError* error = nullptr;
    if (!g_key_file_load_from_data(keyFile.get(), bytes.bytes.data(), bytes.bytes.size(),
                                   G_KEY_FILE_NONE, &error)) {
        const bool encoding = error->code == G_KEY_FILE_ERROR_UNKNOWN_ENCODING;
        g_error_free(error);
        return Malformed("not a keyfile: " + ParseProblem(bytes.bytes, encoding));
    }
    if (!g_key_file_has_group(keyFile.get(), "connection")) {
        return Malformed("not a keyfile: no [connection] group");
    }

    // A connection without an id is known by its file name.
    CNmKeyfileValues values = ReadNmKeyfileValues(keyFile.get(), file.stem().string());
    if (!values.strProblem.empty()) {
        return Malformed(values.strProblem);
    }
    if (values.connection.m_strType.empty()) {
        return Malformed("[connection] type: missing");
    }
    values.connection.m_strFileName = file.filename().string();
    return {ENmKeyfileStatus::Read, std::move(values.connection), {}};
}

std::map<std::string, long long> ReadNmTimestamps(const std::filesystem::path& file) {
    const CKeyFilePointer keyFile(g_key_file_new(), g_key_file_unref);
    std::map<std::string, long long> timestamps;
    const platform::CFileBytes bytes = platform::ReadFile(file, kMaxKeyfileBytes);
    if (!bytes || !g_key_file_load_from_data(keyFile.get(), bytes.bytes.data(), bytes.bytes.size(),
                                             G_KEY_FILE_NONE, nullptr)) {
        return timestamps;
    }
    constexpr char kGroup[] = "timestamps";
    const CGlibTextList uuids(g_key_file_get_keys(keyFile.get(), kGroup, nullptr, nullptr),
                              g_strfreev);
    for (gchar** uuid = uuids.get(); uuid != nullptr && *uuid != nullptr; ++uuid) {
        GError* error = nullptr;
        const gint64 seconds = g_key_file_get_int64(keyFile.get(), kGroup, *uuid, &error);
        if (error == nullptr) {
            timestamps[*uuid] = seconds;
        } else {
            g_error_free(error);
        }
    }
    return timestamps;
}
