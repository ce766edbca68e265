#include "fuzz/fuzz_support.h"

#include "platform/codepage.h"

#include <cstdio>
#include <unistd.h>

namespace {

constexpr unsigned kUtf8CodePage = 65001;

} // namespace

std::filesystem::path FuzzScratchPath(std::string_view name) {
    return std::filesystem::temp_directory_path() /
           ("quorlan-fuzz-" + std::to_string(::getpid()) + "-" + std::string(name));
}

std::u16string FuzzText(std::string_view bytes) {
    return platform::MultiByteToWide(kUtf8CodePage, bytes);
}

void FuzzExpect(bool holds, const char* invariant) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", invariant);
        __builtin_trap();
    }
}
