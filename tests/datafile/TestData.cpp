#include "TestData.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <iterator>
#include <random>

#include <unistd.h>

#include "datafile/TextCodec.h"
#include "engine/Ukorvexa.h"

namespace korvexa::datafile::test {

SlabData DesignableSlab(std::string name)
{
    SlabData s;
    s.Name = std::move(name);
    s.Bind = BindFixedExact;
    s.Lx = 3.6;
    s.Ly = 5.4;
    s.FL = 1200;
    s.LL = {2900, 0, 1800};
    return s;
}

namespace {

// Names with kanji, kana, half-width kana and ASCII.
constexpr std::string_view kNames[] = {"S1", "事務室", "廊下 2F", "ﾊﾞﾙｺﾆｰ", "便所・洗面所", "機械室～倉庫", "R階 屋上",
                                       "居室(A)"};

}  // namespace

DataSet RandomDataSet(unsigned seed, int count)
{
    std::mt19937 rng(seed);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    // Decimals as an engineer types them: whole multiples of a step.
    const auto decimal = [&](int lo, int hi, double step) { return pick(lo, hi) * step; };

    DataSet d;
    d.settings.SnowDepth = pick(30, 200);
    d.settings.SnowUnitWeight = pick(20, 30);
    d.settings.SnowCoef = {decimal(5, 10, 0.1), 1.0, decimal(2, 5, 0.05)};
    d.settings.PitchMin = {pick(75, 125), pick(75, 125)};
    d.settings.PitchMax = {pick(150, 250), pick(200, 300)};
    d.settings.PitchStep = pick(0, 1) ? 25 : 10;
    d.settings.LoadUnitFactor = pick(0, 1) ? 1000.0 : 1.0;
    const double unit = d.settings.LoadUnitFactor == 1000 ? 0.001 : 1.0;
    for (int i = 0; i < 8; ++i)
        d.grades[static_cast<std::size_t>(i)] = pick(0, 3) ? d.grades[static_cast<std::size_t>(i)] : "SD390";

    PrintLayout& l = d.layout;
    l.FirstPageNo = pick(0, 20);
    l.Title = pick(0, 3) ? "§５　二次部材の設計\r\n\r\n５.１ スラブの設計 (" + std::to_string(seed) + ")\r\n" : "";
    l.TitleFont = {"ＭＳ Ｐゴシック", pick(8, 16), pick(0, 1) ? "Bold" : ""};
    l.BodyFont = {"ＭＳ Ｐ明朝", pick(7, 12), pick(0, 1) ? "Italic" : ""};
    l.HeaderFont = {"Century", pick(8, 14), pick(0, 1) ? "Bold & Italic" : ""};
    l.LeftMargin = pick(5, 30);
    l.TopMargin = pick(5, 30);
    l.BottomMargin = pick(5, 30);
    l.HeaderSideMargin = pick(5, 30);
    l.HeaderTopMargin = pick(3, 15);
    l.ParagraphSpace = pick(0, 10);
    l.Indent = pick(0, 20);
    l.ChangeEvenSideMargin = pick(0, 1);
    l.ChangeEvenHeaderPos = pick(0, 1);
    l.IsTitlePrint = pick(0, 1);

    BarData bars;
    bars.SetGrades(d.grades);
    while (static_cast<int>(d.slabs.size()) < count) {
        SlabData s;
        s.Name = std::string(kNames[pick(0, 7)]) + std::to_string(d.slabs.size() + 1);
        s.Bind = pick(0, BindTypeCount - 1);
        s.LoadShape = pick(0, LoadShapeCount(s.Bind) - 1);
        s.LoadTime = pick(0, 2);
        s.Concrete = pick(0, 2);
        s.Fc = decimal(18, 36, 1.0);
        s.T = decimal(120, 250, 0.1);
        s.Cov = decimal(20, 40, 0.1);
        s.Gamma = s.Concrete == 0 ? 24 : s.Concrete == 1 ? 19 : 17;
        s.Lx = decimal(10, 45, 0.1);
        s.Ly = IsTwoWay(s.Bind) ? s.Lx * decimal(10, 20, 0.1) : 0;
        s.FL = decimal(300, 1500, 10) * unit;
        s.LL = {decimal(1000, 5000, 10) * unit, s.LoadTime == 1 ? decimal(0, 1000, 10) * unit : 0,
                decimal(500, 3000, 10) * unit};
        if (s.LoadShape > 0 || s.Bind >= BindOneWayFixed)
            s.P = {decimal(0, 3000, 10) * unit, 0, decimal(0, 3000, 10) * unit};
        s.IncreaseS = pick(0, 4) ? 1.0 : 1.2;
        s.IncreaseD = pick(0, 1) ? 1.0 : decimal(10, 20, 0.1);
        s.TLDirect = pick(0, 5) == 0;
        if (s.TLDirect)
            s.TL = {decimal(3000, 8000, 10) * unit, s.LoadTime == 1 ? decimal(3000, 8000, 10) * unit : 0,
                    decimal(2000, 6000, 10) * unit};
        s.OwnDirect = pick(0, 5) == 0;
        if (s.OwnDirect)
            s.Own = decimal(2000, 6000, 10) * unit;
        s.DeltCheck = pick(0, 3) != 0;
        s.FLAdd = pick(0, 1);
        s.DeflectionOnly = pick(0, 1);
        for (auto& dir : s.Bar)
            for (auto& pos : dir) {
                pos[0] = pick(1, 4);
                pos[1] = pick(0, 4);
            }
        for (auto& dir : s.Pitch)
            for (int& p : dir)
                p = pick(0, 2) ? 0 : 25 * pick(4, 8);
        s.CompMode = {pick(0, 2), pick(0, 3)};
        s.BarOutside = pick(0, 1);
        s.LoadUnit = d.settings.LoadUnitFactor;
        if (DesignSlab(s, d.settings, bars) == DesignOk)
            d.slabs.push_back(std::move(s));
    }
    return d;
}

FileBuilder& FileBuilder::Int(std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        bytes_ += static_cast<char>(u >> (8 * i));
    return *this;
}

FileBuilder& FileBuilder::Real(double v)
{
    const auto u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i)
        bytes_ += static_cast<char>(u >> (8 * i));
    return *this;
}

FileBuilder& FileBuilder::Bytes(std::initializer_list<std::uint8_t> bytes)
{
    for (auto b : bytes)
        bytes_ += static_cast<char>(b);
    return *this;
}

FileBuilder& FileBuilder::Fixed(std::string_view text, std::size_t size)
{
    bytes_ += text.substr(0, size);
    bytes_.append(size - std::min(size, text.size()), '\0');
    return *this;
}

FileBuilder& FileBuilder::Counted(std::string_view text)
{
    Int(static_cast<std::int32_t>(text.size() + 1));
    bytes_ += text;
    bytes_ += '\0';
    return *this;
}

std::string LegacyFile(std::string_view versionText, int v, const CommonSettings& c,
                       const std::vector<SlabData>& slabs, const PrintLayout& l)
{
    const auto cp932 = [](std::string_view text) { return Utf8ToCp932(text).text; };
    FileBuilder f;
    f.Fixed("#Korvexa#", 10).Fixed(versionText, 10);
    f.Int(c.SnowDepth).Int(c.SnowUnitWeight).Real(c.SnowCoef[0]).Real(c.SnowCoef[1]).Real(c.SnowCoef[2]);
    f.Int(c.PitchMin[0]).Int(c.PitchMax[0]).Int(c.PitchMin[1]).Int(c.PitchMax[1]).Int(c.PitchStep);
    if (v >= 1000)
        f.Real(c.LoadUnitFactor);
    for (const char* grade : {"SD295", "SD295", "SD345", "SD345", "SD345", "SD345", "SD390", "SD390"})
        f.Fixed(grade, 10);
    f.Int(static_cast<std::int32_t>(slabs.size()));
    for (const SlabData& s : slabs) {
        f.Fixed(cp932(s.Name), 51).Int(s.Bind).Int(s.LoadShape).Int(s.LoadTime);
        if (v >= 1030)
            f.Int(s.Concrete);
        f.Real(s.Fc).Real(s.Gamma).Real(s.T).Real(s.Lx).Real(s.Ly).Real(s.Cov).Real(s.Own).Real(s.FL);
        for (int k = 0; k < 3; ++k)
            f.Real(s.LL[k]).Real(s.TL[k]).Real(s.P[k]);
        f.Real(s.IncreaseS).Real(s.IncreaseD);
        f.Bytes({s.TLDirect, s.DeltCheck, s.OwnDirect, s.FLAdd, s.DeltCheck, s.OwnDirect, s.DeflectionOnly, 0});
        if (v >= 1031)
            f.Bytes({s.FLAdd, static_cast<std::uint8_t>(s.Bar[0][0][0])});
        const auto& b = s.Bar;
        const auto& p = s.Pitch;
        const auto& m = s.CompMode;
        f.Int(b[0][0][0]).Int(b[0][0][1]).Int(b[0][1][0]).Int(p[0][0]);
        f.Int(b[0][1][0]).Int(b[0][1][1]).Int(b[1][0][0]).Int(p[0][1]);
        f.Int(b[1][0][0]).Int(b[1][0][1]).Int(b[1][1][0]).Int(p[1][0]);
        f.Int(m[0]);
        f.Int(b[1][0][0]).Int(b[1][0][1]).Int(b[1][1][0]).Int(p[1][0]);
        f.Int(b[1][1][0]).Int(b[1][1][1]).Int(p[0][0]).Int(p[1][1]);
        f.Int(p[0][0]).Int(p[0][1]).Int(p[1][0]).Int(m[0]);
        f.Int(m[1]);
        f.Int(s.BarOutside);
        if (v >= 1000)
            f.Real(s.LoadUnit);
    }
    f.Int(l.FirstPageNo);
    if (l.Title.empty())
        f.Int(0);
    else
        f.Counted(cp932(l.Title));
    if (v >= 902) {
        f.Counted(cp932(l.TitleFont.Name)).Int(l.TitleFont.Size);
        f.Counted(cp932(l.BodyFont.Name)).Int(l.BodyFont.Size);
        f.Counted(cp932(l.HeaderFont.Name)).Int(l.HeaderFont.Size);
        f.Int(l.LeftMargin).Int(l.TopMargin).Int(l.HeaderSideMargin).Int(l.HeaderTopMargin);
        f.Int(l.ParagraphSpace).Int(l.Indent);
        f.Bytes({l.ChangeEvenSideMargin, l.ChangeEvenHeaderPos, 0, 0}).Bytes({l.ChangeEvenHeaderPos, 0, 0, 0});
    }
    if (v >= 1020)
        f.Fixed(l.TitleFont.Style, 15).Fixed(l.BodyFont.Style, 15).Fixed(l.HeaderFont.Style, 15);
    if (v >= 1033)
        f.Int(l.IsTitlePrint);
    if (v >= 1102)
        f.Int(l.BottomMargin);
    return f.bytes();
}

std::int32_t IntAt(std::string_view b, std::size_t at)
{
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i)
        u = (u << 8) | static_cast<unsigned char>(b.at(at + static_cast<std::size_t>(i)));
    return static_cast<std::int32_t>(u);
}

double RealAt(std::string_view b, std::size_t at)
{
    std::uint64_t u = 0;
    for (int i = 7; i >= 0; --i)
        u = (u << 8) | static_cast<unsigned char>(b.at(at + static_cast<std::size_t>(i)));
    return std::bit_cast<double>(u);
}

TempFolder::TempFolder()
{
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("korvexa-datafile-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace korvexa::datafile::test
