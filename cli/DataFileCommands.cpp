#include "cli/DataFileCommands.h"

#include <charconv>
#include <optional>
#include <ostream>
#include <string_view>

#include "cli/DataSetJson.h"
#include "cli/OutputGuard.h"
#include "cli/SlabJson.h"
#include "datafile/FileReading.h"
#include "engine/InputCheck.h"
#include "engine/Reinforcement.h"
#include "engine/SheetTexts.h"
#include "engine/SlabVerdict.h"
#include "engine/Ukorvexa.h"
#include "latex/LatexHeader.h"
#include "latex/LatexWriter.h"

namespace korvexa::cli {

namespace {

constexpr int kExitError = 2;

std::string Fixed(double v, int decimals) { return FixedNumber(v, decimals); }

// The shortest text of a decimal as typed (21, 19.5, 0.35).
std::string Number(double v)
{
    char buffer[64];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 10).ptr};
}

// Terminal columns of a UTF-8 text: East Asian characters take two,
// half-width katakana and the Latin-1 signs (², ·) one.
std::size_t Columns(std::string_view text)
{
    std::size_t columns = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        const std::string_view rest = text.substr(i);
        const bool halfwidth = rest.starts_with("\xEF\xBD") ? rest.size() > 2 && static_cast<unsigned char>(rest[2]) >= 0xA1
                                                            : rest.starts_with("\xEF\xBE");
        columns += n <= 2 || halfwidth ? 1 : 2;
        i += n;
    }
    return columns;
}

std::string LoadUnitText(const CommonSettings& c) { return c.LoadUnitFactor == 1000 ? "kN/m²" : "N/m²"; }

std::string Pad(const std::string& text, std::size_t width)
{
    const std::size_t columns = Columns(text);
    return columns >= width ? text : text + std::string(width - columns, ' ');
}

std::string Right(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string StatusText(const SlabData& s, int status, const datafile::DataSet& data, const BarData& bars)
{
    switch (status) {
    case DesignOk: return "計算済み";
    case DesignSpansSwapped: return "Error : Lx が Ly よりも大きい";
    case DesignLambdaTooLarge: return "Error : λの値が制限値を越えている。　λ≦" + Number(s.LambdaMax);
    default: return "未計算（" + DescribeDesignFailure(s, status, data.settings, bars).Text() + "）";
    }
}

// Directions: the short and long side, or main and distribution bars.
constexpr const char* kTwoWayDirNames[2] = {"短辺", "長辺"};
constexpr const char* kOneWayDirNames[2] = {"主筋", "配力筋"};

std::string CaseName(const SlabData& s, int k)
{
    if (k == 1)
        return "短期(積雪)";
    return s.LoadTime == LoadShortTerm ? "短期" : "長期";
}

// Prints one slab; true when it is designed and fails a check.
bool PrintSlab(const SlabData& s, int status, std::size_t index, const datafile::DataSet& data, const BarData& bars,
               std::ostream& out)
{
    const std::string unit = LoadUnitText(data.settings);
    const bool oneWay = !IsTwoWay(s.Bind);
    const char* const* dirName = oneWay ? kOneWayDirNames : kTwoWayDirNames;
    const char* posName[2] = {"端部", "中央"};
    const char* layerName[2] = {"上端", "下端"};
    out << "■ スラブ " << index + 1 << "  " << s.Name << "\n";
    out << "  周辺条件  " << BindTypeName(s.Bind) << "  /  " << LoadShapeName(s.Bind, s.LoadShape) << "  /  "
        << LoadTimeName(s.LoadTime) << "\n";
    out << "  形状      Lx = " << Fixed(s.Lx, 2) << " m";
    if (!oneWay)
        out << "   Ly = " << Fixed(s.Ly, 2) << " m";
    if (s.Lambda > 0)
        out << "   λ = " << Fixed(s.Lambda, 2);
    out << "   t = " << Fixed(s.T, 1) << " cm   かぶり " << Fixed(s.Cov, 1) << " cm\n";
    out << "  材料      コンクリート " << ConcreteKindName(s.Concrete) << "  Fc = " << Number(s.Fc)
        << " N/mm²   γ = " << Number(s.Gamma) << " kN/m³\n";
    out << "  状態      " << StatusText(s, status, data, bars) << "\n";
    if (!s.Calculated) {
        out << "\n";
        return false;
    }
    out << "  荷重 (" << unit << ")  自重 " << Number(s.Own) << "   仕上 " << Number(s.FL);
    for (int k = 0; k < 3; ++k) {
        if (k == 1 && s.LoadTime != LoadLongTermSnow)
            continue;
        out << "   " << (k == 2 ? std::string("たわみ用") : CaseName(s, k)) << " 積載 " << Number(s.LL[k]);
        if (s.SL[k] != 0)
            out << " 積雪 " << Number(s.SL[k]);
        out << " 合計 " << Number(s.TL[k]);
        if (s.P[k] != 0)
            out << " P " << Number(s.P[k]);
    }
    out << "\n";

    out << "  曲げモーメント (kN·m/m)            M        Ma     M/Ma\n";
    for (int k = 0; k < 2; ++k) {
        if (!CaseHasLoad(s, k))
            continue;
        for (int d = 0; d < 2; ++d)
            for (int p = 0; p < 2; ++p)
                out << "    " << Pad(CaseName(s, k), 11) << Pad(dirName[d], 7) << Pad(posName[p], 5)
                    << Right(Fixed(s.M[k][d][p], 2), 10) << Right(Fixed(s.Ma[k][d][p], 2), 10)
                    << Right(Fixed(s.MRatio[k][d][p], 2), 9) << (s.MRatio[k][d][p] > 1 ? "  NG" : "") << "\n";
    }
    out << "  せん断力 (kN/m)                    Q        Qa     Q/Qa\n";
    for (int k = 0; k < 2; ++k) {
        if (!CaseHasLoad(s, k))
            continue;
        for (int d = 0; d < 2; ++d)
            out << "    " << Pad(CaseName(s, k), 11) << Pad(dirName[d], 12) << Right(Fixed(s.Q[k][d], 2), 10)
                << Right(Fixed(s.Qa[k][d], 2), 10) << Right(Fixed(s.QRatio[k][d], 2), 9)
                << (s.QRatio[k][d] > 1 ? "  NG" : "") << "\n";
    }
    out << "  配筋\n";
    const TextGrid barTexts = BarTexts(s);
    for (int d = 0; d < 2; ++d)
        for (int p = 0; p < 2; ++p) {
            out << "    " << Pad(dirName[d], 7) << Pad(posName[p], 5);
            for (int layer = 0; layer < 2; ++layer)
                out << "  " << layerName[layer] << " " << Pad(barTexts[d][p][layer].empty() ? "-" : barTexts[d][p][layer], 20);
            out << "  at = " << Fixed(s.At[d][p], 2) << " cm²/m\n";
        }
    // The checks as the calculation sheets state them, and the verdict.
    const SlabVerdict v = JudgeSlab(s, status, data.settings, bars);
    if (StatesDeflection(s))
        out << "  たわみ    δ = " << Fixed(s.Delta, 2) << " mm   δ/Lx = 1/" << s.DeltaRatio << "   "
            << DeflectionText(s, v) << "\n";
    if (s.DeltCheck) {
        out << "  スラブ厚  t = " << Fixed(s.T, 1) << " cm";
        if (v.thickness.stated)
            out << (v.thickness.ok ? " ≧ " : " ＜ ") << "必要厚 " << Fixed(v.thickness.required, 1) << " cm";
        out << (v.thickness.ok ? "  OK" : "  NG") << "\n";
        if (s.Fv > 0)
            out << "  固有振動数 fv = " << Fixed(s.Fv, 1) << " Hz " << s.FvNote << "\n";
    }
    if (!s.Message.empty())
        out << "  Warning : 以下の箇所で、鉄筋全断面積が 0.2% を下廻っています。　" << s.Message << "\n";
    out << "  判定      " << JudgementWord(v);
    if (v.Ng())
        out << "  " << ReasonsText(s, v);
    out << "\n\n";
    return v.Ng();
}

void PrintSettings(const datafile::DataSet& data, std::ostream& out)
{
    const CommonSettings& c = data.settings;
    out << "荷重単位 " << LoadUnitText(c) << "   積雪 " << c.SnowDepth << " cm × " << c.SnowUnitWeight
        << " N/m²/cm (係数 " << Number(c.SnowCoef[0]) << ", " << Number(c.SnowCoef[1]) << ", " << Number(c.SnowCoef[2])
        << ")\n";
    out << "ピッチ   短辺 " << c.PitchMin[0] << "〜" << c.PitchMax[0] << " mm   長辺 " << c.PitchMin[1] << "〜"
        << c.PitchMax[1] << " mm   丸め " << c.PitchStep << " mm\n";
    out << "鉄筋材種";
    const char* sizes[8] = {"D10", "D13", "D16", "D19", "D22", "D25", "D29", "D32"};
    for (std::size_t i = 0; i < 8; ++i)
        out << " " << sizes[i] << ":" << data.grades[i];
    out << "\n\n";
}

}  // namespace

std::optional<datafile::DataFileContents> OpenChecked(const std::string& path, std::ostream& err)
{
    datafile::DataFileContents file = datafile::OpenDataFile(path);
    if (!file.ok()) {
        PrintFileError(err, file.error(), path);
        return std::nullopt;
    }
    PrintWarnings(err, file.warnings());
    return file;
}

void PrintFileError(std::ostream& err, const datafile::FileError& e, const std::string& path)
{
    err << "korvexa-cli: " << e.message << "\n" << path << "\n" << e.detail << "\n";
}

void PrintWarnings(std::ostream& err, const std::vector<std::string>& warnings)
{
    for (const std::string& w : warnings)
        err << "korvexa-cli: 警告: " << w << "\n";
}

void PrintDesignFailure(std::ostream& err, const SlabData& slab, int status, std::size_t index,
                        const CommonSettings& settings, const BarData& bars)
{
    if (status != DesignOk)
        err << "korvexa-cli: " << datafile::SlabPlace(index, slab.Name) << ": "
            << DescribeDesignFailure(slab, status, settings, bars).Text() << "\n";
}

int ShowCommand(const std::string& path, std::ostream& out, std::ostream& err)
{
    const std::optional<datafile::DataFileContents> file = OpenChecked(path, err);
    if (!file)
        return kExitError;
    const datafile::DataSet& data = file->header();
    BarData bars;
    bars.SetGrades(data.grades);
    out << "ファイル " << path << "（バージョン " << (file->versionText().empty() ? "なし" : file->versionText()) << "）\n";
    PrintSettings(data, out);
    std::size_t designed = 0, ng = 0;
    for (std::size_t i = 0; i < file->slabCount() && out; ++i) {
        SlabData s = file->Slab(i);
        const int status = datafile::DesignInDataSet(s, data.settings, bars);
        ng += PrintSlab(s, status, i, data, bars, out) ? 1 : 0;
        designed += s.Calculated ? 1 : 0;
    }
    out << "スラブ " << file->slabCount() << " 枚（計算済み " << designed << " 枚、NG " << ng << " 枚）\n";
    return 0;
}

int JsonCommand(const std::string& path, std::ostream& out, std::ostream& err, JsonStyle style)
{
    const std::optional<datafile::DataFileContents> file = OpenChecked(path, err);
    if (!file)
        return kExitError;
    const datafile::DataSet& header = file->header();
    BarData bars;
    bars.SetGrades(header.grades);
    JsonWriter w(out, style);
    BeginDataSet(w, header, &file->versionText(), true);
    for (std::size_t i = 0; i < file->slabCount() && out; ++i) {
        SlabData s = file->Slab(i);
        const int status = datafile::DesignInDataSet(s, header.settings, bars);
        PrintDesignFailure(err, s, status, i, header.settings, bars);
        WriteDesignedSlab(w, s, status, bars);
    }
    EndDataSet(w);
    return 0;
}

int SlabCommand(const std::string& input, const std::string& output, bool designedOnly, std::ostream& err)
{
    if (!CheckOutputIsNotInput(output, {input}, err))
        return kExitError;
    datafile::InputFile file(input, datafile::InputKind::RegularFileOrPipe);
    if (!file.ok()) {
        PrintFileError(err, {std::string(datafile::kCannotOpenMessage), file.error()}, input);
        return kExitError;
    }
    datafile::DataSet data;
    std::vector<SlabData> slabs;
    std::size_t undesignable = 0;
    try {
        data = ReadDataSetJson(
            FileSource(file), [&](const datafile::DataSet& header) { data.settings = header.settings; },
            [&](SlabData& s, int status, std::size_t index, const BarData& bars) {
                if (status != DesignOk) {
                    ++undesignable;
                    PrintDesignFailure(err, s, status, index, data.settings, bars);
                    if (designedOnly)
                        return;
                }
                slabs.push_back(std::move(s));
            });
        data.slabs = std::move(slabs);
    } catch (const JsonInputError& e) {
        err << "korvexa-cli: " << input << ": " << e.what() << "\n";
        return kExitError;
    }
    // A data file keeps every slab, as typed; only --designed-only leaves
    // out those that cannot be designed, and then a file of none is not made.
    if (designedOnly && data.slabs.empty()) {
        err << "korvexa-cli: 計算されたスラブがありません。" << output << " には書き込みません\n";
        return kExitError;
    }
    if (undesignable > 0)
        err << "korvexa-cli: 警告: 計算できないスラブ " << undesignable << " 枚を"
            << (designedOnly ? "除いて" : "そのまま") << "書き込みます\n";
    const datafile::WriteResult w = datafile::WriteDataFile(output, data);
    PrintWarnings(err, w.warnings);
    if (!w.ok) {
        PrintFileError(err, w.error, output);
        return kExitError;
    }
    return 0;
}

int LatexCommand(const std::string& path, const std::string& output, const std::string& header, std::ostream& err)
{
    if (!CheckOutputIsNotInput(output, {path, header}, err))
        return kExitError;
    std::vector<std::string> headerLines = latex::DefaultHeaderLines();
    if (!header.empty()) {
        auto read = latex::ReadHeaderFile(header);
        if (!read) {
            err << "korvexa-cli: ヘッダーファイルを読めません\n" << header << "\n";
            return kExitError;
        }
        headerLines = std::move(*read);
    }
    const datafile::ReadResult r = datafile::ReadDataFile(path);
    if (!r.ok()) {
        PrintFileError(err, r.error, path);
        return kExitError;
    }
    PrintWarnings(err, r.warnings);
    if (const std::string note = datafile::LeftOutNote(r.data->slabs); !note.empty())
        err << "korvexa-cli: " << note << "\n";
    const latex::LatexFileResult w = latex::WriteLatexFile(output, *r.data, headerLines);
    if (!w.ok) {
        err << "korvexa-cli: File Open Error: \n" << output << "\n" << w.error << "\n";
        return kExitError;
    }
    if (!w.replaced.empty()) {
        err << "korvexa-cli: 警告: TeX で使えない文字を置き換えました：";
        for (const std::string& c : w.replaced)
            err << c;
        err << "\n";
    }
    return 0;
}

}  // namespace korvexa::cli
