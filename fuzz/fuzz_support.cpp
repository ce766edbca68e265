#include "fuzz/fuzz_support.h"

#include "platform/ini_syntax.h"

#include "platform/codepage.h"
#include "platform/registry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {

// Lines without their endings.
std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        lines.emplace_back(bytes.substr(0, end));
        const size_t ending = bytes.substr(end).starts_with("\r\n") ? 2 : 1;
        bytes.remove_prefix(std::min(end + ending, bytes.size()));
    }
    return lines;
}

} // namespace

std::filesystem::path FuzzScratchPath(std::string_view name) {
    return std::filesystem::temp_directory_path() /
           ("quorlan-fuzz-" + std::to_string(::getpid()) + "-" + std::string(name));
}

std::filesystem::path FuzzMachineHive(std::string_view name) {
    const std::filesystem::path root = FuzzScratchPath(name);
    std::filesystem::create_directories(root);
    ::setenv("KORDAVIN_REGISTRY_ROOT", root.c_str(), 1);
    return platform::RegistryRoot() / "HKEY_LOCAL_MACHINE.ini";
}

std::u16string FuzzText(std::string_view bytes) {
    return platform::MultiByteToWide(platform::kUtf8CodePage, bytes);
}

bool FuzzIsAnsiFile(std::string_view bytes) {
    return platform::DecodeIniBytes(bytes).encoding == platform::EIniEncoding::Ansi;
}

std::u16string FuzzAsStored(std::string_view file, std::u16string_view value) {
    switch (platform::DecodeIniBytes(file.substr(0, 3)).encoding) {
    case platform::EIniEncoding::Ansi:
        return platform::MultiByteToWide(platform::GetACP(),
                                         platform::WideToMultiByte(platform::GetACP(), value));
    case platform::EIniEncoding::Utf8:
        return platform::MultiByteToWide(platform::kUtf8CodePage,
                                         platform::WideToMultiByte(platform::kUtf8CodePage, value));
    default:
        return std::u16string(value);
    }
}

void FuzzExpect(bool holds, const char* invariant) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", invariant);
        __builtin_trap();
    }
}

void FuzzExpectOtherLinesKept(std::string_view before, std::string_view after) {
    const std::vector<std::string> old = Lines(before);
    const std::vector<std::string> now = Lines(after);
    size_t same = 0;
    while (same < old.size() && same < now.size() && old[same] == now[same]) {
        ++same;
    }
    size_t sameAtEnd = 0;
    while (sameAtEnd + same < old.size() && sameAtEnd + same < now.size() &&
           old[old.size() - 1 - sameAtEnd] == now[now.size() - 1 - sameAtEnd]) {
        ++sameAtEnd;
    }
    FuzzExpect(old.size() - same - sameAtEnd <= 1 && now.size() - same - sameAtEnd <= 2,
               "lines other than the value's own keep their bytes");
}
