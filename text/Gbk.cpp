#include "text/Gbk.h"

#include <cerrno>
#include <iconv.h>

namespace varrow::Gbk {
namespace {

constexpr std::string_view kGbkReplacement = "\xA3\xBF"; // full-width question mark
constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";

// One converter per direction and thread; iconv handles keep shift state.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts in, replacing each undecodable unit (skip bytes) with repl.
    std::string run(std::string_view in, std::string_view repl, bool skipUtf8Sequence) const {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::string(in);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.reserve(in.size() * 3 / 2 + 4);
        char buf[1024];
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char* dst = buf;
            size_t dstLeft = sizeof buf;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, dst - buf);
            if (r != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (truncated input): replace one unit and go on.
            size_t skip = 1;
            if (skipUtf8Sequence) skip = utf8SequenceLength(static_cast<unsigned char>(*src), srcLeft);
            out.append(repl);
            src += skip;
            srcLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    static size_t utf8SequenceLength(unsigned char lead, size_t left) {
        size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        return n > left ? left : n;
    }
    iconv_t cd_;
};

const Converter& toGbkConverter() {
    thread_local Converter c("GBK", "UTF-8");
    return c;
}
const Converter& fromGbkConverter() {
    thread_local Converter c("UTF-8", "GBK");
    return c;
}

// Length of the UTF-8 sequence at s[i], or 1 for a stray byte.
size_t utf8Step(std::string_view s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0x80 ? 1 : c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    return i + n > s.size() ? s.size() - i : n;
}

} // namespace

std::string fromUtf8(std::string_view utf8) {
    return toGbkConverter().run(utf8, kGbkReplacement, true);
}

std::string toUtf8(std::string_view gbk) {
    return fromGbkConverter().run(gbk, kUtf8Replacement, false);
}

std::size_t byteLength(std::string_view utf8) {
    // Every non-ASCII character is two bytes in GBK (or its two-byte replacement).
    std::size_t n = 0;
    for (std::size_t i = 0; i < utf8.size(); i += utf8Step(utf8, i))
        n += static_cast<unsigned char>(utf8[i]) < 0x80 ? 1 : 2;
    return n;
}

std::string truncate(std::string_view utf8, std::size_t maxBytes) {
    std::size_t bytes = 0, i = 0;
    while (i < utf8.size()) {
        std::size_t w = static_cast<unsigned char>(utf8[i]) < 0x80 ? 1 : 2;
        if (bytes + w > maxBytes) break;
        bytes += w;
        i += utf8Step(utf8, i);
    }
    return std::string(utf8.substr(0, i));
}

std::string padRight(std::string_view utf8, std::size_t width) {
    std::string s = truncate(utf8, width);
    s.append(width - byteLength(s), ' ');
    return s;
}

std::string padLeft(std::string_view utf8, std::size_t width) {
    std::string s = truncate(utf8, width);
    return std::string(width - byteLength(s), ' ') + s;
}

std::size_t fieldLength(const char* gbk, std::size_t size) {
    std::size_t i = 0;
    while (i < size && gbk[i] != '\0') {
        unsigned char c = static_cast<unsigned char>(gbk[i]);
        if (c >= 0x81 && c <= 0xFE) {
            if (i + 1 >= size || gbk[i + 1] == '\0') break; // half a character: drop it
            i += 2;
        } else {
            ++i;
        }
    }
    return i;
}

} // namespace varrow::Gbk
