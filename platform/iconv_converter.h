#pragma once
#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <string>
#include <string_view>

namespace platform {

// An iconv descriptor that is closed on every path. Names are iconv's
// ("UTF-16LE", "CP1252").
class CIconvConverter {
public:
    CIconvConverter(const std::string& to, const std::string& from)
        : m_handle(iconv_open(to.c_str(), from.c_str())) {}
    ~CIconvConverter() {
        if (IsOpen()) {
            iconv_close(m_handle);
        }
    }
    CIconvConverter(const CIconvConverter&) = delete;
    CIconvConverter& operator=(const CIconvConverter&) = delete;

    bool IsOpen() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    // Converts all of input onto the end of out, from a fresh state. Input
    // it cannot convert is passed to skip, which says how many bytes to
    // drop; each such place becomes one replacement.
    template <typename Char, typename Skip>
    void ConvertAll(std::string_view input, std::basic_string<Char>& out, Char replacement,
                    Skip skip) {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        // iconv never writes to its input.
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        size_t used = out.size();
        while (inLeft > 0) {
            // Room for two output bytes per input byte, the most any code page here needs;
            // a longer output comes back for more.
            out.resize(std::max(out.size(), used + (2 * inLeft + 16) / sizeof(Char)));
            char* const start = reinterpret_cast<char*>(out.data() + used);
            char* outPtr = start;
            size_t outLeft = (out.size() - used) * sizeof(Char);
            const size_t result = iconv(m_handle, &in, &inLeft, &outPtr, &outLeft);
            used += static_cast<size_t>(outPtr - start) / sizeof(Char);
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                const size_t skipped = skip(in, inLeft);
                in += skipped;
                inLeft -= skipped;
                out.resize(std::max(out.size(), used + 1));
                out[used++] = replacement;
            }
        }
        out.resize(used);
    }

private:
    iconv_t m_handle;
};

} // namespace platform
