#include "datafile/DataFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>

#include "datafile/FileReading.h"
#include "datafile/SafeFile.h"
#include "datafile/TextCodec.h"
#include "engine/BarData.h"
#include "engine/InputCheck.h"
#include "engine/Ucommon.h"
#include "engine/Ukorvexa.h"

namespace korvexa::datafile {

static_assert(sizeof(KORVEXA_VERSION_TEXT) <= 10, "the version text must fit the 10-byte version field");

namespace {

constexpr std::size_t kMagicSize = 10;
constexpr std::size_t kVersionSize = 10;
constexpr std::size_t kGradeSize = 10;
constexpr std::size_t kNameSize = 51;  // 50 bytes of text and the zero
constexpr std::size_t kStyleSize = 15;
constexpr int kBarWords = 26;

// The bar block: the words W0..W13 (bars [dir][pos][n], pitches [dir][pos],
// compression modes) in the order of the block's 26 words.
constexpr std::array<int, kBarWords> BarBlockOrder()
{
    std::array<int, kBarWords> order{};
    int i = 0;
    for (int d = 0; d < 2; ++d) {
        for (int g = 0; g < 3; ++g) {
            order[i++] = 4 * d + 2 * g;
            order[i++] = 4 * d + 2 * g + 1;
            order[i++] = 4 * d + 2 * g + 2;
            order[i++] = 8 + 2 * d + g;
        }
        order[i++] = 12 + d;
    }
    return order;
}
constexpr std::array<int, kBarWords> kBarBlockOrder = BarBlockOrder();

std::array<std::int32_t, 14> BarWords(const SlabInputData& s)
{
    std::array<std::int32_t, 14> w{};
    for (int d = 0; d < 2; ++d)
        for (int p = 0; p < 2; ++p) {
            w[4 * d + 2 * p] = s.Bar[d][p][0];
            w[4 * d + 2 * p + 1] = s.Bar[d][p][1];
            w[8 + 2 * d + p] = s.Pitch[d][p];
        }
    w[12] = s.CompMode[0];
    w[13] = s.CompMode[1];
    return w;
}

std::string MakeBarWordName(int w)
{
    if (w < 8)
        return "Bar[" + std::to_string(w / 4) + "][" + std::to_string(w / 2 % 2) + "][" + std::to_string(w % 2) + "]";
    if (w < 12)
        return "Pitch[" + std::to_string((w - 8) / 2) + "][" + std::to_string(w % 2) + "]";
    return "CompMode[" + std::to_string(w - 12) + "]";
}

const std::string& BarWordName(int w)
{
    static const auto names = [] {
        std::array<std::string, 14> n;
        for (int i = 0; i < 14; ++i)
            n[static_cast<std::size_t>(i)] = MakeBarWordName(i);
        return n;
    }();
    return names[static_cast<std::size_t>(w)];
}

// Edge conditions of files up to version 1020, stored 0..9.
constexpr std::array<int, 10> kOldBind = {0, 2, 3, 4, 7, 8, 9, 10, 11, 14};

bool IsGradeText(std::string_view g)
{
    return g.size() == 5 && g.starts_with("SD") && std::isdigit(static_cast<unsigned char>(g[2])) &&
           std::isdigit(static_cast<unsigned char>(g[3])) && std::isdigit(static_cast<unsigned char>(g[4]));
}


// ---------------------------------------------------------------- writing

class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::string>* warnings) : warnings_(warnings) {}

    void Int(std::int32_t v)
    {
        const auto u = static_cast<std::uint32_t>(v);
        const char b[4] = {char(u), char(u >> 8), char(u >> 16), char(u >> 24)};
        out_.append(b, 4);
    }
    void Real(double v)
    {
        const auto u = std::bit_cast<std::uint64_t>(v);
        char b[8];
        for (int i = 0; i < 8; ++i)
            b[i] = char(u >> (8 * i));
        out_.append(b, 8);
    }
    void Byte(std::uint8_t v) { out_ += char(v); }
    void Bytes(std::initializer_list<std::uint8_t> bytes)
    {
        for (std::uint8_t b : bytes)
            Byte(b);
    }

    // char[size]: the text, cut to size - 1 bytes, and zeros.
    void FixedText(std::string_view utf8, std::size_t size, const std::string& what)
    {
        std::string text = Encode(utf8, what);
        const std::size_t fit = Cp932PrefixLength(text, size - 1);
        if (fit < text.size()) {
            Warn(what + ": " + std::to_string(size - 1) + " バイトを超えるため切り詰めました");
            text.resize(fit);
        }
        out_ += text;
        out_.append(size - text.size(), '\0');
    }

    // An int32 length L and L bytes of text and zero; L = 0 for an empty
    // text when `emptyIsZero`.
    void CountedText(std::string_view utf8, bool emptyIsZero, const std::string& what)
    {
        if (utf8.empty() && emptyIsZero) {
            Int(0);
            return;
        }
        const std::string text = Encode(utf8, what);
        Int(static_cast<std::int32_t>(text.size() + 1));
        out_ += text;
        out_ += '\0';
    }

    std::string Take() { return std::move(out_); }
    void Reserve(std::size_t n) { out_.reserve(n); }

private:
    std::string Encode(std::string_view utf8, const std::string& what)
    {
        ConvertedText converted = Utf8ToCp932(utf8);
        if (converted.replaced)
            Warn(what + ": CP932 で表せない文字を「?」に置き換えました");
        return std::move(converted.text);
    }
    void Warn(std::string text)
    {
        if (warnings_)
            warnings_->push_back(std::move(text));
    }

    std::string out_;
    std::vector<std::string>* warnings_;
};

void WriteSlab(ByteWriter& w, const SlabData& s, const std::string& place)
{
    w.FixedText(s.Name, kNameSize, place + " の名前");
    w.Int(s.Bind);
    w.Int(s.LoadShape);
    w.Int(s.LoadTime);
    w.Int(s.Concrete);
    w.Real(s.Fc);
    w.Real(s.Gamma);
    w.Real(s.T);
    w.Real(s.Lx);
    w.Real(s.Ly);
    w.Real(s.Cov);
    w.Real(s.Own);
    w.Real(s.FL);
    for (int k = 0; k < 3; ++k) {
        w.Real(s.LL[k]);
        w.Real(s.TL[k]);
        w.Real(s.P[k]);
    }
    w.Real(s.IncreaseS);
    w.Real(s.IncreaseD);
    w.Bytes({s.TLDirect, s.DeltCheck, s.OwnDirect, s.FLAdd, s.DeltCheck, s.OwnDirect, s.DeflectionOnly, 0, s.FLAdd,
             static_cast<std::uint8_t>(s.Bar[0][0][0] & 0xFF)});
    const auto words = BarWords(s);
    for (int i : kBarBlockOrder)
        w.Int(words[i]);
    w.Int(s.BarOutside);
    w.Real(s.LoadUnit);
}

void WriteFont(ByteWriter& w, const FontSetting& font, const std::string& what)
{
    w.CountedText(font.Name, false, what);
    w.Int(font.Size);
}

void WriteLayout(ByteWriter& w, const PrintLayout& l)
{
    w.Int(l.FirstPageNo);
    w.CountedText(l.Title, true, "印刷タイトル");
    WriteFont(w, l.TitleFont, "タイトルフォント名");
    WriteFont(w, l.BodyFont, "本文フォント名");
    WriteFont(w, l.HeaderFont, "ページ番号フォント名");
    for (int v : {l.LeftMargin, l.TopMargin, l.HeaderSideMargin, l.HeaderTopMargin, l.ParagraphSpace, l.Indent})
        w.Int(v);
    // The third byte of the even-page flags, which readers of the format
    // skip, says whether the summary table is printed: 1 no, 2 yes (0, in
    // files of programs without the table, says nothing).
    w.Bytes({l.ChangeEvenSideMargin, l.ChangeEvenHeaderPos, static_cast<std::uint8_t>(l.IsSummaryPrint ? 2 : 1), 0});
    w.Bytes({l.ChangeEvenHeaderPos, 0, 0, 0});
    for (const FontSetting* font : {&l.TitleFont, &l.BodyFont, &l.HeaderFont})
        w.FixedText(IsStyleText(font->Style) ? font->Style : std::string(), kStyleSize, "フォントスタイル");
    w.Int(l.IsTitlePrint ? 1 : 0);
    w.Int(l.BottomMargin);
}

// ---------------------------------------------------------------- reading

struct FormatError {
    std::string detail;
};

class ByteReader {
public:
    ByteReader(std::string_view bytes, std::vector<std::string>& warnings) : bytes_(bytes), warnings_(warnings) {}

    std::size_t Offset() const { return at_; }
    std::size_t Left() const { return bytes_.size() - at_; }
    void SetPlace(std::string place) { place_ = std::move(place); }
    const std::string& Place() const { return place_; }

    [[noreturn]] void Fail(std::string_view field, std::size_t offset, const std::string& what) const
    {
        throw FormatError{place_ + "の " + std::string(field) + "（バイト位置 " + std::to_string(offset) + "）: " + what};
    }

    std::string_view Take(std::size_t n, std::string_view field)
    {
        if (n > Left())
            Fail(field, at_,
                 "ファイルが途中で終わっています（" + std::to_string(n) + " バイト必要、残り " + std::to_string(Left()) +
                     " バイト）");
        const std::string_view s = bytes_.substr(at_, n);
        at_ += n;
        return s;
    }

    std::int32_t Int(std::string_view field)
    {
        const std::string_view b = Take(4, field);
        std::uint32_t u = 0;
        for (int i = 3; i >= 0; --i)
            u = (u << 8) | static_cast<unsigned char>(b[static_cast<std::size_t>(i)]);
        return static_cast<std::int32_t>(u);
    }

    int IntIn(std::string_view field, int lo, int hi)
    {
        const std::size_t offset = at_;
        const int v = Int(field);
        if (v < lo || v > hi)
            Fail(field, offset, OutOfRange(v, lo, hi));
        return v;
    }

    int IntAtLeast(std::string_view field, int lo)
    {
        const std::size_t offset = at_;
        const int v = Int(field);
        if (v < lo)
            Fail(field, offset, std::to_string(v) + " は " + std::to_string(lo) + " 以上でなければなりません");
        return v;
    }

    double Real(std::string_view field)
    {
        const std::size_t offset = at_;
        const std::string_view b = Take(8, field);
        std::uint64_t u = 0;
        for (int i = 7; i >= 0; --i)
            u = (u << 8) | static_cast<unsigned char>(b[static_cast<std::size_t>(i)]);
        const double v = std::bit_cast<double>(u);
        if (!std::isfinite(v))
            Fail(field, offset, "数値ではありません");
        return v;
    }

    // A number that is typed in: finite and within what a box can hold.
    double Input(std::string_view field)
    {
        const std::size_t offset = at_;
        const double v = Real(field);
        CheckSize(field, offset, v);
        return v;
    }

    void CheckSize(std::string_view field, std::size_t offset, double v) const
    {
        if (std::fabs(v) > kLargestInputValue)
            Fail(field, offset,
                 ReadableNumber(v) + " は大きすぎます（絶対値は " + ReadableNumber(kLargestInputValue) + " まで）");
    }

    // A load unit: 1 (N/m²) or 1000 (kN/m²).
    double Unit(std::string_view field)
    {
        const std::size_t offset = at_;
        const double v = Real(field);
        if (v != 1 && v != 1000)
            Fail(field, offset, ReadableNumber(v) + " は 1 (N/m²) か 1000 (kN/m²) でなければなりません");
        return v;
    }

    std::string_view Bytes(std::size_t n, std::string_view field) { return Take(n, field); }
    void Skip(std::size_t n) { at_ = std::min(at_ + n, bytes_.size()); }
    void Warn(std::string text) { warnings_.push_back(std::move(text)); }

    // A flag byte that is read must be 0 or 1.
    bool Flag(std::string_view bytes, std::size_t index, std::size_t start, std::string_view field) const
    {
        const auto v = static_cast<unsigned char>(bytes[index]);
        if (v > 1)
            Fail(field, start + index, std::to_string(v) + " は 0 か 1 でなければなりません");
        return v == 1;
    }

    // char[size]: the text before the first zero (all bytes when there is none).
    std::string FixedText(std::size_t size, std::string_view field)
    {
        const std::string_view b = Take(size, field);
        return Decode(b.substr(0, b.find('\0')), field);
    }

    // An int32 length L, then L bytes holding the text and its zero.
    std::string CountedText(std::string_view field)
    {
        const std::size_t offset = at_;
        const std::int32_t length = Int(field);
        if (length < 0)
            Fail(field, offset, "文字列の長さ " + std::to_string(length) + " が負です");
        if (static_cast<std::size_t>(length) > Left())
            Fail(field, offset,
                 "文字列の長さ " + std::to_string(length) + " がファイルの残り " + std::to_string(Left()) +
                     " バイトを超えています");
        const std::string_view b = Take(static_cast<std::size_t>(length), field);
        return Decode(b.substr(0, b.find('\0')), field);
    }

    static std::string OutOfRange(long long v, long long lo, long long hi)
    {
        return std::to_string(v) + " は範囲外です（" + std::to_string(lo) + "〜" + std::to_string(hi) + "）";
    }

private:
    std::string Decode(std::string_view cp932, std::string_view field)
    {
        ConvertedText t = Cp932ToUtf8(cp932);
        if (t.replaced)
            warnings_.push_back(place_ + "の " + std::string(field) + ": CP932 として読めない文字を「?」にしました");
        return std::move(t.text);
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
    std::string place_;
    std::vector<std::string>& warnings_;
};

// Bytes of one slab record in a file of version v.
std::size_t SlabRecordSize(int v)
{
    std::size_t n = kNameSize + 3 * 4 + 19 * 8 + 8 + kBarWords * 4 + 4;
    if (v >= kVersionConcrete)
        n += 4;
    if (v >= kVersionTenFlags)
        n += 2;
    if (v >= kVersionLoadUnit)
        n += 8;
    return n;
}

void ReadSettings(ByteReader& r, int v, DataSet& data)
{
    CommonSettings& c = data.settings;
    r.SetPlace("設定");
    c.SnowDepth = r.Int("SnowDepth");
    c.SnowUnitWeight = r.Int("SnowUnitWeight");
    for (int k = 0; k < 3; ++k)
        c.SnowCoef[k] = r.Input("SnowCoef[" + std::to_string(k) + "]");
    c.PitchMin[0] = r.Int("PitchMin[0]");
    c.PitchMax[0] = r.Int("PitchMax[0]");
    c.PitchMin[1] = r.Int("PitchMin[1]");
    c.PitchMax[1] = r.Int("PitchMax[1]");
    c.PitchStep = r.Int("PitchStep");
    c.LoadUnitFactor = v >= kVersionLoadUnit ? r.Unit("LoadUnitFactor") : 1.0;

    for (int i = 0; i < 8; ++i) {
        static constexpr const char* kSizes[8] = {"D10", "D13", "D16", "D19", "D22", "D25", "D29", "D32"};
        const std::string field = std::string("鉄筋の材種 ") + kSizes[i];
        const std::size_t offset = r.Offset();
        std::string grade = r.FixedText(kGradeSize, field);
        if (!IsGradeText(grade))
            r.Fail(field, offset, "「" + grade + "」は SD で始まる材種ではありません");
        data.grades[static_cast<std::size_t>(i)] = std::move(grade);
    }
}

// A record in another load unit than the file's settings is brought into
// that unit when it is designed (ConvertLoadUnit): its loads must then still
// be numbers a box holds, and its derived totals still numbers, or the data
// could not be saved again.
void CheckConvertedLoads(ByteReader& r, const SlabData& s, double loadUnitFactor, std::size_t unitOffset)
{
    const double k = s.LoadUnit / loadUnitFactor;
    if (k <= 1)
        return;
    std::vector<std::pair<std::string, double>> loads = {{"FL", s.FL}};
    for (int c = 0; c < 3; ++c) {
        loads.emplace_back("LL[" + std::to_string(c) + "]", s.LL[c]);
        loads.emplace_back("P[" + std::to_string(c) + "]", s.P[c]);
        if (s.TLDirect)
            loads.emplace_back("TL[" + std::to_string(c) + "]", s.TL[c]);
    }
    if (s.OwnDirect)
        loads.emplace_back("Own", s.Own);
    for (const auto& [field, value] : loads)
        if (std::fabs(value * k) > kLargestInputValue)
            r.Fail("LoadUnit", unitOffset,
                   field + " の " + ReadableNumber(value) + " は設定の荷重の単位に直すと大きすぎます（絶対値は " +
                       ReadableNumber(kLargestInputValue) + " まで）");
    for (int c = 0; !s.TLDirect && c < 3; ++c)
        if (!std::isfinite(s.TL[c] * k))
            r.Fail("LoadUnit", unitOffset,
                   "TL[" + std::to_string(c) + "] の " + ReadableNumber(s.TL[c]) +
                       " は設定の荷重の単位に直すと数値ではなくなります");
}

SlabData ReadSlab(ByteReader& r, int v, std::size_t index, double loadUnitFactor)
{
    SlabData s;
    r.SetPlace(SlabPlace(index, {}));
    s.Name = r.FixedText(kNameSize, "Name");
    r.SetPlace(SlabPlace(index, s.Name));

    std::size_t offset = r.Offset();
    int bind = r.Int("Bind");
    if (v <= kVersionOldBindLast && bind >= 0 && bind < static_cast<int>(kOldBind.size()))
        bind = kOldBind[static_cast<std::size_t>(bind)];
    if (bind < 0 || bind >= BindTypeCount)
        r.Fail("Bind", offset, ByteReader::OutOfRange(bind, 0, BindTypeCount - 1));
    s.Bind = bind;
    s.LoadShape = r.IntIn("LoadShape", 0, LoadShapeCount(s.Bind) - 1);
    s.LoadTime = r.IntIn("LoadTime", 0, LoadTimeCount - 1);
    if (v >= kVersionConcrete)
        s.Concrete = r.IntIn("Concrete", 0, ConcreteKindCount - 1);
    s.Fc = r.Input("Fc");
    s.Gamma = r.Input("Gamma");
    s.T = r.Input("T");
    s.Lx = r.Input("Lx");
    s.Ly = r.Input("Ly");
    s.Cov = r.Input("Cov");
    const std::size_t ownOffset = r.Offset();
    s.Own = r.Real("Own");  // derived unless entered (checked with the flags)
    s.FL = r.Input("FL");
    static constexpr const char* kLL[3] = {"LL", "LLS", "LLE"};
    static constexpr const char* kTL[3] = {"TL", "TLS", "TLE"};
    static constexpr const char* kP[3] = {"P", "PS", "PE"};
    std::array<std::size_t, 3> tlOffsets{};
    for (int k = 0; k < 3; ++k) {
        s.LL[k] = r.Input(kLL[k]);
        tlOffsets[k] = r.Offset();
        s.TL[k] = r.Real(kTL[k]);  // derived unless entered (checked with the flags)
        s.P[k] = r.Input(kP[k]);
    }
    s.IncreaseS = r.Input("IncreaseS");
    if (s.IncreaseS == 0)
        s.IncreaseS = 1.0;
    s.IncreaseD = r.Input("IncreaseD");
    if (s.IncreaseD == 0)
        s.IncreaseD = 1.0;

    const std::size_t flagCount = v >= kVersionTenFlags ? 10 : 8;
    offset = r.Offset();
    const std::string_view flags = r.Bytes(flagCount, "フラグ");
    s.TLDirect = r.Flag(flags, 0, offset, "TLDirect");
    s.DeltCheck = r.Flag(flags, 4, offset, "DeltCheck");
    s.OwnDirect = r.Flag(flags, 5, offset, "OwnDirect");
    s.DeflectionOnly = r.Flag(flags, 6, offset, "DeflectionOnly");
    s.FLAdd = flagCount == 10 ? r.Flag(flags, 8, offset, "FLAdd") : true;
    if (s.OwnDirect)
        r.CheckSize("Own", ownOffset, s.Own);
    for (int k = 0; s.TLDirect && k < 3; ++k)
        r.CheckSize(kTL[k], tlOffsets[k], s.TL[k]);

    // Later words overwrite earlier ones naming the same value.
    std::array<std::int32_t, 14> words{};
    std::array<std::size_t, 14> wordOffsets{};
    for (int w : kBarBlockOrder) {
        wordOffsets[w] = r.Offset();
        words[w] = r.Int(BarWordName(w));
    }
    for (int w = 0; w < 14; ++w) {
        const int value = words[w];
        const auto check = [&](int lo, int hi) {
            if (value < lo || value > hi)
                r.Fail(BarWordName(w), wordOffsets[w], ByteReader::OutOfRange(value, lo, hi));
        };
        if (w < 8) {
            check(0, BarSizeCount - 1);
            s.Bar[w / 4][w / 2 % 2][w % 2] = value;
        } else if (w < 12) {
            check(0, kLargestPitch);
            s.Pitch[(w - 8) / 2][w % 2] = value;
        } else {
            check(0, CompModeCount - 1);
            s.CompMode[w - 12] = value;
        }
    }
    s.BarOutside = r.IntIn("BarOutside", 0, 1);
    const std::size_t unitOffset = r.Offset();
    s.LoadUnit = v >= kVersionLoadUnit ? r.Unit("LoadUnit") : 1.0;
    CheckConvertedLoads(r, s, loadUnitFactor, unitOffset);
    return s;
}

FontSetting ReadFont(ByteReader& r, const char* nameField, const char* sizeField, FontSetting font)
{
    font.Name = r.CountedText(nameField);
    font.Size = r.IntIn(sizeField, 1, kLargestFontSize);
    return font;
}

// The summary switch in the third byte of the even-page flags: 0 (a file
// of a program without the summary table) keeps the setting in force.
void ReadSummarySwitch(const ByteReader& r, std::string_view evenFlags, std::size_t offset, PrintLayout& l)
{
    const auto v = static_cast<unsigned char>(evenFlags[2]);
    if (v > 2)
        r.Fail("IsSummaryPrint", offset + 2, std::to_string(v) + " は 0、1、2 のいずれかでなければなりません");
    if (v != 0)
        l.IsSummaryPrint = v == 2;
}

void ReadLayout(ByteReader& r, int v, PrintLayout& l)
{
    r.SetPlace("印刷設定");
    l.FirstPageNo = r.IntAtLeast("FirstPageNo", 0);
    l.Title = r.CountedText("Title");
    if (v < kVersionLayoutFields)
        return;
    l.TitleFont = ReadFont(r, "TitleFont.Name", "TitleFont.Size", l.TitleFont);
    l.BodyFont = ReadFont(r, "BodyFont.Name", "BodyFont.Size", l.BodyFont);
    l.HeaderFont = ReadFont(r, "HeaderFont.Name", "HeaderFont.Size", l.HeaderFont);
    l.LeftMargin = r.IntAtLeast("LeftMargin", 0);
    l.TopMargin = r.IntAtLeast("TopMargin", 0);
    l.HeaderSideMargin = r.IntAtLeast("HeaderSideMargin", 0);
    l.HeaderTopMargin = r.IntAtLeast("HeaderTopMargin", 0);
    l.ParagraphSpace = r.IntAtLeast("ParagraphSpace", 0);
    l.Indent = r.IntAtLeast("Indent", 0);
    std::size_t offset = r.Offset();
    const std::string_view evenFlags = r.Bytes(4, "ChangeEvenSideMargin");
    l.ChangeEvenSideMargin = r.Flag(evenFlags, 0, offset, "ChangeEvenSideMargin");
    ReadSummarySwitch(r, evenFlags, offset, l);
    offset = r.Offset();
    l.ChangeEvenHeaderPos = r.Flag(r.Bytes(4, "ChangeEvenHeaderPos"), 0, offset, "ChangeEvenHeaderPos");
    if (v < kVersionFontStyles)
        return;
    for (auto [font, field] : {std::pair{&l.TitleFont, "TitleFont.Style"}, std::pair{&l.BodyFont, "BodyFont.Style"},
                               std::pair{&l.HeaderFont, "HeaderFont.Style"}}) {
        std::string style = r.FixedText(kStyleSize, field);
        font->Style = IsStyleText(style) ? std::move(style) : std::string();  // unknown styles are regular
    }
    if (v < kVersionTitleSwitch)
        return;
    l.IsTitlePrint = r.IntIn("IsTitlePrint", 0, 1) == 1;
    if (v < kVersionBottomMargin)
        return;
    l.BottomMargin = r.IntAtLeast("BottomMargin", 0);
}

// The program always works on at least one slab.
SlabData FreshSlab()
{
    SlabData s;
    s.Name = "S1";
    return s;
}

// Decodes the header into `data`, every slab (each handed to `slab` with
// the count, when given) and the print layout; throws FormatError.
template <typename SlabSink>
FileParts DecodeParts(ByteReader& r, DataSet& data, std::string& versionText, SlabSink slab)
{
    r.SetPlace("ヘッダ");
    const std::string_view magic = r.Take(kMagicSize, "識別子");
    if (magic.substr(0, magic.find('\0')) != kFileMagic)
        r.Fail("識別子", 0, "Korvexa のデータファイルではありません");
    versionText = r.FixedText(kVersionSize, "バージョン");
    FileParts parts;
    const int v = parts.version = FileVersion(versionText);
    if (v < 0)
        r.Fail("バージョン", kMagicSize, "「" + versionText + "」はバージョンの形ではありません");
    ReadSettings(r, v, data);

    r.SetPlace("ヘッダ");
    const std::size_t offset = r.Offset();
    const int count = r.IntAtLeast("スラブ数", 0);
    parts.slabSize = SlabRecordSize(v);
    if (static_cast<std::size_t>(count) > r.Left() / parts.slabSize)
        r.Fail("スラブ数", offset,
               std::to_string(count) + " 枚のスラブはファイルの残り " + std::to_string(r.Left()) +
                   " バイトに収まりません");
    parts.firstSlab = r.Offset();
    parts.slabCount = static_cast<std::size_t>(count);
    for (std::size_t i = 0; i < parts.slabCount; ++i) {
        SlabData s = ReadSlab(r, v, i, data.settings.LoadUnitFactor);
        if constexpr (!std::is_null_pointer_v<SlabSink>)
            slab(parts.slabCount, std::move(s));
    }
    ReadLayout(r, v, data.layout);
    if (r.Left() > 0)
        r.Warn("ファイルの終わりの " + std::to_string(r.Left()) + " バイトは何のデータでもないため読み飛ばしました");
    return parts;
}

}  // namespace

std::string_view ProgramVersionText() { return KORVEXA_VERSION_TEXT; }

int ProgramVersion()
{
    static const int version = VersionNumber(ProgramVersionText());
    return version;
}

int FileVersion(std::string_view versionText)
{
    if (versionText.empty())
        return ProgramVersion();
    // Dotted fields of one to five digits, so that the number stays small.
    std::size_t digits = 0;
    for (char c : versionText) {
        if (c == '.' && digits > 0)
            digits = 0;
        else if (std::isdigit(static_cast<unsigned char>(c)) && digits < 5)
            ++digits;
        else
            return -1;
    }
    return digits > 0 ? VersionNumber(versionText) : -1;
}

std::string ShortName(std::string_view name)
{
    constexpr std::size_t kShown = kNameSize - 1;
    if (name.size() <= kShown)
        return std::string(name);
    std::size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)  // inside a UTF-8 character
        --cut;
    return std::string(name.substr(0, cut)) + "…";
}

std::string SlabPlace(std::size_t index, std::string_view name)
{
    std::string place = "スラブ " + std::to_string(index + 1);
    return name.empty() ? place : place + "「" + ShortName(name) + "」";
}

std::string EncodeDataFile(const DataSet& data, std::vector<std::string>* warnings, int* slabsWritten)
{
    ByteWriter w(warnings);
    const int count = static_cast<int>(data.slabs.size());
    w.Reserve(512 + static_cast<std::size_t>(count) * SlabRecordSize(ProgramVersion()) + data.layout.Title.size());

    w.FixedText(kFileMagic, kMagicSize, "識別子");
    w.FixedText(ProgramVersionText(), kVersionSize, "バージョン");
    const CommonSettings& c = data.settings;
    w.Int(c.SnowDepth);
    w.Int(c.SnowUnitWeight);
    for (double coef : c.SnowCoef)
        w.Real(coef);
    for (int v : {c.PitchMin[0], c.PitchMax[0], c.PitchMin[1], c.PitchMax[1], c.PitchStep})
        w.Int(v);
    w.Real(c.LoadUnitFactor);
    for (const std::string& grade : data.grades)
        w.FixedText(grade, kGradeSize, "鉄筋の材種");

    // Every slab, designed or not: the reader designs each one again, and
    // one that cannot be designed comes back as it was typed.
    w.Int(count);
    for (std::size_t i = 0; i < data.slabs.size(); ++i)
        WriteSlab(w, data.slabs[i], SlabPlace(i, data.slabs[i].Name));
    WriteLayout(w, data.layout);
    if (slabsWritten)
        *slabsWritten = count;
    return w.Take();
}

ReadResult DecodeDataFile(std::string_view bytes, const PrintLayout& currentLayout)
{
    ReadResult result;
    DataSet data;
    data.layout = currentLayout;
    try {
        ByteReader r(bytes, result.warnings);
        DecodeParts(r, data, result.versionText, [&](std::size_t count, SlabData&& slab) {
            data.slabs.reserve(count);
            data.slabs.push_back(std::move(slab));
        });
    } catch (const FormatError& e) {
        result.error = {std::string(kWrongFormatMessage), e.detail};
        return result;
    }
    if (data.slabs.empty())
        data.slabs.push_back(FreshSlab());
    result.data = std::move(data);
    return result;
}

DataFileContents::DataFileContents(std::string bytes, const PrintLayout& currentLayout) : bytes_(std::move(bytes))
{
    header_.layout = currentLayout;
    try {
        ByteReader r(bytes_, warnings_);
        parts_ = DecodeParts(r, header_, versionText_, nullptr);
    } catch (const FormatError& e) {
        error_ = {std::string(kWrongFormatMessage), e.detail};
    }
}

DataFileContents::DataFileContents(FileError error) : error_(std::move(error)) {}

std::size_t DataFileContents::slabCount() const { return ok() ? std::max<std::size_t>(parts_.slabCount, 1) : 0; }

SlabData DataFileContents::Slab(std::size_t index) const
{
    if (parts_.slabCount == 0)
        return FreshSlab();
    // Checked whole when the bytes were read, so this cannot fail; the
    // warnings were given then too.
    std::vector<std::string> warnings;
    ByteReader r(bytes_, warnings);
    r.Skip(parts_.firstSlab + index * parts_.slabSize);
    return ReadSlab(r, parts_.version, index, header_.settings.LoadUnitFactor);
}

DataFileContents OpenDataFile(const std::filesystem::path& path, const PrintLayout& currentLayout)
{
    InputFile file(path, InputKind::RegularFile);
    std::string bytes;
    if (!file.ReadAll(bytes))
        return DataFileContents(FileError{std::string(kCannotOpenMessage), file.error()});
    return DataFileContents(std::move(bytes), currentLayout);
}

int DesignInDataSet(SlabData& slab, const CommonSettings& settings, const BarData& bars)
{
    ConvertLoadUnit(slab, settings, bars);
    return DesignSlab(slab, settings, bars);
}

std::vector<int> DesignDataSet(DataSet& data)
{
    BarData bars;
    bars.SetGrades(data.grades);
    std::vector<int> status;
    status.reserve(data.slabs.size());
    for (SlabData& s : data.slabs)
        status.push_back(DesignInDataSet(s, data.settings, bars));
    return status;
}

ReadResult ReadDataFile(const std::filesystem::path& path, const PrintLayout& currentLayout)
{
    InputFile file(path, InputKind::RegularFile);
    std::string bytes;
    if (!file.ReadAll(bytes)) {
        ReadResult result;
        result.error = {std::string(kCannotOpenMessage), file.error()};
        return result;
    }
    ReadResult result = DecodeDataFile(bytes, currentLayout);
    if (result.ok())
        result.designStatus = DesignDataSet(*result.data);
    return result;
}

bool IsReadOnlyFile(const std::filesystem::path& path)
{
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

WriteResult WriteDataFile(const std::filesystem::path& path, const DataSet& data)
{
    WriteResult result;
    const auto fail = [&](const std::string& detail) {
        result.ok = false;
        result.error = {std::string(kSaveFailedMessage), detail};
        return result;
    };

    const std::string bytes = EncodeDataFile(data, &result.warnings, &result.slabsWritten);

    // A value no input box can hold (it comes from a program or a JSON file)
    // would make a file that does not open again: refuse it while the old
    // file is still there.
    if (const ReadResult back = DecodeDataFile(bytes); !back.ok())
        return fail("開き直せないファイルになります: " + back.error.detail);

    // A link is saved through into the file it names, which must exist; a
    // read-only file is left alone.
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec) && !std::filesystem::exists(path, ec))
        return fail("リンク先がありません");
    if (std::filesystem::is_regular_file(path, ec) && IsReadOnlyFile(path))
        return fail("読み取り専用のファイルです");

    std::string detail;
    if (!ReplaceFileContents(path, bytes, detail))
        return fail(detail);
    result.ok = true;
    return result;
}

}  // namespace korvexa::datafile
