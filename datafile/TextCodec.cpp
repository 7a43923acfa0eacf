#include "datafile/TextCodec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace korvexa::datafile {

namespace {

// One conversion descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`, replacing each unconvertible input character by "?".
    // `skip` tells how many input bytes one unconvertible character takes.
    template <typename SkipLength>
    ConvertedText Convert(std::string_view in, SkipLength skip)
    {
        ConvertedText out;
        out.text.reserve(in.size() * 3 / 2 + 4);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // initial state
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[256];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.text.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (r != static_cast<std::size_t>(-1) || errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: an unconvertible or incomplete character.
            const std::size_t n = std::min(srcLeft, skip(std::string_view(src, srcLeft)));
            src += n;
            srcLeft -= n;
            out.text += '?';
            out.replaced = true;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

// Bytes of the UTF-8 character at the start of `s` (1 for a stray byte).
std::size_t Utf8Length(std::string_view s)
{
    const auto lead = static_cast<unsigned char>(s[0]);
    std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 1;
    // Only as far as the continuation bytes go, so that a broken sequence
    // does not swallow the next character.
    for (std::size_t i = 1; i < n; ++i)
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return i;
    return n;
}

bool IsCp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::size_t Cp932Length(std::string_view s)
{
    return IsCp932Lead(static_cast<unsigned char>(s[0])) && s.size() >= 2 ? 2 : 1;
}

bool IsPlainAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c > 0 && static_cast<unsigned char>(c) < 0x80; });
}

constexpr std::string_view kWaveDash = "\xE3\x80\x9C";       // U+301C
constexpr std::string_view kFullwidthTilde = "\xEF\xBD\x9E";  // U+FF5E

}  // namespace

ConvertedText Utf8ToCp932(std::string_view utf8)
{
    // ASCII is the same in both (CP932 keeps backslash and tilde).
    if (IsPlainAscii(utf8))
        return {std::string(utf8), false};

    std::string source(utf8);
    for (std::size_t at = source.find(kWaveDash); at != std::string::npos; at = source.find(kWaveDash, at))
        source.replace(at, kWaveDash.size(), kFullwidthTilde);

    // A zero would end the text in the file: it is not a character of a name.
    bool zero = false;
    for (char& c : source)
        if (c == '\0') {
            c = '?';
            zero = true;
        }

    thread_local Converter converter("CP932", "UTF-8");
    ConvertedText out = converter.Convert(source, Utf8Length);
    out.replaced = out.replaced || zero;
    return out;
}

ConvertedText Cp932ToUtf8(std::string_view cp932)
{
    if (IsPlainAscii(cp932))
        return {std::string(cp932), false};
    thread_local Converter converter("UTF-8", "CP932");
    return converter.Convert(cp932, Cp932Length);
}

std::size_t Cp932PrefixLength(std::string_view cp932, std::size_t maxBytes)
{
    std::size_t at = 0;
    while (at < cp932.size()) {
        const std::size_t n = Cp932Length(cp932.substr(at));
        if (at + n > maxBytes)
            break;
        at += n;
    }
    return at;
}

}  // namespace korvexa::datafile
