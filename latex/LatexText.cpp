#include "latex/LatexText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "datafile/TextCodec.h"

namespace korvexa::latex {

namespace {

struct Equivalent {
    char32_t code;
    std::string_view text;  // LaTeX for text mode, JIS X 0208 characters only
};

// The characters of CP932 beyond JIS X 0208 that have a readable
// equivalent, and the two that CP932 writes as ASCII bytes.  Sorted by code.
constexpr Equivalent kEquivalents[] = {
    {0x00A5, "￥"}, {0x203E, "￣"}, {0x2116, "No."}, {0x2121, "TEL"},
    {0x2160, "I"}, {0x2161, "II"}, {0x2162, "III"}, {0x2163, "IV"}, {0x2164, "V"},
    {0x2165, "VI"}, {0x2166, "VII"}, {0x2167, "VIII"}, {0x2168, "IX"}, {0x2169, "X"},
    {0x2170, "i"}, {0x2171, "ii"}, {0x2172, "iii"}, {0x2173, "iv"}, {0x2174, "v"},
    {0x2175, "vi"}, {0x2176, "vii"}, {0x2177, "viii"}, {0x2178, "ix"}, {0x2179, "x"},
    {0x2211, "$\\sum$"}, {0x222E, "$\\oint$"},
    {0x2460, "(1)"}, {0x2461, "(2)"}, {0x2462, "(3)"}, {0x2463, "(4)"}, {0x2464, "(5)"},
    {0x2465, "(6)"}, {0x2466, "(7)"}, {0x2467, "(8)"}, {0x2468, "(9)"}, {0x2469, "(10)"},
    {0x246A, "(11)"}, {0x246B, "(12)"}, {0x246C, "(13)"}, {0x246D, "(14)"}, {0x246E, "(15)"},
    {0x246F, "(16)"}, {0x2470, "(17)"}, {0x2471, "(18)"}, {0x2472, "(19)"}, {0x2473, "(20)"},
    {0x301D, "“"}, {0x301F, "”"},
    {0x3231, "(株)"}, {0x3232, "(有)"}, {0x3239, "(代)"},
    {0x32A4, "(上)"}, {0x32A5, "(中)"}, {0x32A6, "(下)"}, {0x32A7, "(左)"}, {0x32A8, "(右)"},
    {0x3303, "アール"}, {0x330D, "カロリー"}, {0x3314, "キロ"}, {0x3318, "グラム"}, {0x3322, "センチ"},
    {0x3323, "セント"}, {0x3326, "ドル"}, {0x3327, "トン"}, {0x332B, "パーセント"}, {0x3336, "ヘクタール"},
    {0x333B, "ページ"}, {0x3349, "ミリ"}, {0x334A, "ミリバール"}, {0x334D, "メートル"}, {0x3351, "リットル"},
    {0x3357, "ワット"}, {0x337B, "平成"}, {0x337C, "昭和"}, {0x337D, "大正"}, {0x337E, "明治"},
    {0x338E, "mg"}, {0x338F, "kg"}, {0x339C, "mm"}, {0x339D, "cm"}, {0x339E, "km"},
    {0x33A1, "m$^2$"}, {0x33C4, "cc"}, {0x33CD, "K.K."},
    {0x5FB7, "徳"}, {0x6801, "柳"}, {0x6FF5, "濱"}, {0x7028, "瀬"}, {0x9AD9, "高"},
    {0xFA11, "崎"}, {0xFF02, "\""}, {0xFF07, "'"}, {0xFFE4, "$|$"},
};

// U+FF61 .. U+FF9F, the half-width katakana, as full-width characters.
constexpr std::array<std::string_view, 63> kFullWidthKana = {
    "。", "「", "」", "、", "・", "ヲ", "ァ", "ィ", "ゥ", "ェ", "ォ", "ャ", "ュ", "ョ", "ッ", "ー",
    "ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク", "ケ", "コ", "サ", "シ", "ス", "セ", "ソ", "タ",
    "チ", "ツ", "テ", "ト", "ナ", "ニ", "ヌ", "ネ", "ノ", "ハ", "ヒ", "フ", "ヘ", "ホ", "マ", "ミ",
    "ム", "メ", "モ", "ヤ", "ユ", "ヨ", "ラ", "リ", "ル", "レ", "ロ", "ワ", "ン", "゛", "゜",
};

// The code point of the UTF-8 character at `at` and its length; a broken
// sequence counts as one byte (the codec makes it "?").
std::pair<char32_t, std::size_t> Decode(std::string_view s, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(s[at]);
    const std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (n == 1 || at + n > s.size())
        return {lead, 1};
    char32_t code = lead & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) {
        const auto c = static_cast<unsigned char>(s[at + i]);
        if ((c & 0xC0) != 0x80)
            return {lead, 1};
        code = (code << 6) | (c & 0x3F);
    }
    return {code, n};
}

std::string_view EquivalentOf(char32_t code)
{
    if (code >= 0xFF61 && code <= 0xFF9F)
        return kFullWidthKana[code - 0xFF61];
    const auto* end = std::end(kEquivalents);
    const auto* it = std::lower_bound(std::begin(kEquivalents), end, code,
                                      [](const Equivalent& e, char32_t c) { return e.code < c; });
    return it != end && it->code == code ? it->text : std::string_view{};
}

// Lead bytes of CP932's own rows: NEC's row 13, the NEC-selected and the
// IBM extensions.
bool IsBeyondJis(unsigned char lead) { return lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xFA; }

bool IsCp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

void Note(std::vector<std::string>& replaced, std::string character)
{
    if (std::find(replaced.begin(), replaced.end(), character) == replaced.end())
        replaced.push_back(std::move(character));
}

}  // namespace

std::string EscapeLatex(std::string_view utf8, std::vector<std::string>* replaced)
{
    // The ASCII signs that the text fonts of pLaTeX's default encoding
    // (OT1) draw as other characters (" as ”, ' as ’, ` as ‘, ~ and ^ as
    // accents) come from the typewriter font in that encoding, chosen
    // afresh so that a preamble with other fonts does not change them.
    auto typewriter = [](int slot) {
        return "{\\fontencoding{OT1}\\fontfamily{cmtt}\\selectfont\\char" + std::to_string(slot) + "}";
    };
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out += "\\textbackslash{}"; break;
        case '<': out += "\\textless{}"; break;    // ¡ otherwise
        case '>': out += "\\textgreater{}"; break; // ¿
        case '|': out += "\\textbar{}"; break;     // —
        case '"': out += typewriter(34); break;
        case '\'': out += typewriter(13); break;  // the upright quote
        case '`': out += typewriter(18); break;
        case '~': out += typewriter(126); break;
        case '^': out += typewriter(94); break;
        case '_': out += typewriter(95); break;
        // "--" and "---" would join into dashes.
        case '-': out += i + 1 < utf8.size() && utf8[i + 1] == '-' ? "-{}" : "-"; break;
        case '{': case '}': case '$': case '&': case '#': case '%':
            out += '\\';
            out += c;
            break;
        case '\t': out += ' '; break;
        default:
            // Control characters (C0, DEL, C1) would stop platex or print as
            // something else.
            if (byte < 0x20 || byte == 0x7F ||
                (byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0 &&
                 static_cast<unsigned char>(utf8[i + 1]) >= 0x80)) {
                const int code = byte == 0xC2 ? static_cast<unsigned char>(utf8[++i]) : byte;
                out += '?';
                if (replaced) {
                    char name[32];
                    std::snprintf(name, sizeof name, "［制御文字 U+%04X］", code);
                    Note(*replaced, name);
                }
            } else {
                out += c;
            }
        }
    }
    return out;
}

PtexBytes ToPtexBytes(std::string_view utf8)
{
    PtexBytes result;

    // Readable equivalents first, on the characters themselves.
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const auto [code, n] = Decode(utf8, at);
        const std::string_view equivalent = code < 0x80 ? std::string_view{} : EquivalentOf(code);
        if (equivalent.empty()) {
            text.append(utf8.substr(at, n));
        } else {
            text += equivalent;
            Note(result.replaced, std::string(utf8.substr(at, n)));
        }
        at += n;
    }

    const datafile::ConvertedText converted = datafile::Utf8ToCp932(text);
    if (converted.replaced)  // name the characters CP932 lacks
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t n = Decode(text, at).second;
            if (datafile::Utf8ToCp932(text.substr(at, n)).replaced)
                Note(result.replaced, text.substr(at, n));
            at += n;
        }

    // Then the rest of CP932's own characters (mostly kanji variants) as "?".
    const std::string& bytes = converted.text;
    result.bytes.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (!IsCp932Lead(lead) || at + 1 >= bytes.size()) {
            result.bytes += bytes[at++];
            continue;
        }
        if (IsBeyondJis(lead)) {
            result.bytes += '?';
            Note(result.replaced, datafile::Cp932ToUtf8(bytes.substr(at, 2)).text);
        } else {
            result.bytes.append(bytes, at, 2);
        }
        at += 2;
    }
    return result;
}

std::vector<std::string> TextLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string line(text.substr(0, end));
        std::erase(line, '\r');
        lines.push_back(std::move(line));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return lines;
}

}  // namespace korvexa::latex
