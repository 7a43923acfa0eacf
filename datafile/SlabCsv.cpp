#include "datafile/SlabCsv.h"

#include <functional>
#include <ostream>

#include "datafile/TextCodec.h"
#include "engine/InputCheck.h"
#include "engine/Reinforcement.h"
#include "engine/SheetTexts.h"
#include "engine/Ukorvexa.h"

namespace korvexa::datafile {

namespace {

struct Row {
    std::size_t number;
    const SlabData& s;
    const SlabVerdict& v;
    double unit;  // LoadUnitFactor: the loads' unit
    const BarData& bars;
    TextGrid barTexts;
};

struct Column {
    std::string name;
    std::function<std::string(const Row&)> value;
};

// The four positions of the stress table: short side (main bars) end and
// centre, long side (distribution bars) end and centre.
constexpr const char* kPositions[2][2] = {{"短辺端部", "短辺中央"}, {"長辺端部", "長辺中央"}};
constexpr const char* kDirections[2] = {"短辺", "長辺"};

std::string Number(double v, int decimals) { return FixedNumber(v, decimals); }

// A result: empty for a slab that is not designed.
template <typename F>
std::function<std::string(const Row&)> Result(F f)
{
    return [f](const Row& r) { return r.v.Designed() ? f(r) : std::string(); };
}

// The loads of case k, as the sheet prints its load row: only a case with
// loads, the deflection case only with the deflection check on.
bool HasLoadRow(const SlabData& s, int k) { return CaseHasLoad(s, k) && (k < 2 || s.DeltCheck); }
// The stress rows of case k (the main and the snow case), for a designed slab.
bool HasStressRows(const Row& r, int k) { return r.v.Designed() && k < 2 && CaseHasLoad(r.s, k); }

std::string YesNo(bool on) { return on ? "あり" : "なし"; }

void AddInputs(std::vector<Column>& c)
{
    c.push_back({"No.", [](const Row& r) { return std::to_string(r.number); }});
    c.push_back({"名称", [](const Row& r) { return r.s.Name; }});
    c.push_back({"周辺拘束条件", [](const Row& r) { return std::string(BindTypeName(r.s.Bind)); }});
    c.push_back({"荷重分布", [](const Row& r) { return std::string(LoadShapeName(r.s.Bind, r.s.LoadShape)); }});
    c.push_back({"荷重ケース", [](const Row& r) { return std::string(LoadTimeName(r.s.LoadTime)); }});
    c.push_back({"Lx (m)", [](const Row& r) { return Number(r.s.Lx, 2); }});
    c.push_back({"Ly (m)", [](const Row& r) { return IsTwoWay(r.s.Bind) ? Number(r.s.Ly, 2) : std::string(); }});
    c.push_back({"λ", Result([](const Row& r) { return r.s.Lambda > 0 ? Number(r.s.Lambda, 2) : std::string(); })});
    c.push_back({"t (cm)", [](const Row& r) { return Number(r.s.T, 1); }});
    c.push_back({"かぶり厚 (cm)", [](const Row& r) { return Number(r.s.Cov, 1); }});
    c.push_back({"コンクリート", [](const Row& r) { return std::string(ConcreteKindName(r.s.Concrete)); }});
    c.push_back({"Fc (N/mm2)", [](const Row& r) { return ReadableNumber(r.s.Fc); }});
    c.push_back({"γ (kN/m3)", [](const Row& r) { return ReadableNumber(r.s.Gamma); }});
    c.push_back({"応力割増", [](const Row& r) { return Number(r.s.IncreaseS, 2); }});
    c.push_back({"たわみ割増", [](const Row& r) { return Number(r.s.IncreaseD, 2); }});
    c.push_back({"たわみの検討", [](const Row& r) { return YesNo(r.s.DeltCheck); }});
    c.push_back({"t/Lx による判定", [](const Row& r) { return YesNo(!r.s.DeflectionOnly); }});
    c.push_back({"固有振動数に仕上重量を考慮", [](const Row& r) { return YesNo(r.s.FLAdd); }});
    c.push_back({"長辺方向の鉄筋を外側に配筋", [](const Row& r) { return YesNo(r.s.BarOutside != 0); }});
}

void AddLoads(std::vector<Column>& c, double unitFactor)
{
    const std::string unit = unitFactor == 1 ? "N/m2" : "kN/m2";
    const std::string pUnit = unitFactor == 1 ? "N/m2・N/m" : "kN/m2・kN/m";
    // Loads in N/m² are whole numbers on the sheet, in kN/m² two decimals.
    const auto load = [](double v, const Row& r) { return Number(v, r.unit == 1 ? 0 : 2); };
    c.push_back({"自重 (" + unit + ")", [load](const Row& r) { return load(r.s.Own, r); }});
    c.push_back({"仕上重量 (" + unit + ")", [load](const Row& r) { return load(r.s.FL, r); }});
    const char* cases[3] = {"", "積雪時 ", "たわみ用 "};
    for (int k = 0; k < 3; ++k) {
        const auto inRow = [load, k](double v, const Row& r) { return HasLoadRow(r.s, k) ? load(v, r) : std::string(); };
        const std::string prefix = cases[k];
        c.push_back({prefix + "積載荷重 (" + unit + ")", [inRow, k](const Row& r) { return inRow(r.s.LL[k], r); }});
        c.push_back({prefix + "積雪荷重 (" + unit + ")", [inRow, k](const Row& r) { return inRow(r.s.SL[k], r); }});
        c.push_back({prefix + "合計 (" + unit + ")", [inRow, k](const Row& r) { return inRow(r.s.TL[k], r); }});
        c.push_back({prefix + "P 等変・集中荷重 (" + pUnit + ")", [inRow, k](const Row& r) { return inRow(r.s.P[k], r); }});
    }
    c.push_back({"Wp たわみ用付加荷重 (" + unit + ")", Result([load](const Row& r) {
                     return HasLoadRow(r.s, 2) ? load(r.s.AddLoadE, r) : std::string();
                 })});
}

void AddStresses(std::vector<Column>& c)
{
    for (int d = 0; d < 2; ++d)
        for (int p = 0; p < 2; ++p)
            c.push_back({std::string("at ") + kPositions[d][p] + " (cm2/m)",
                         Result([d, p](const Row& r) { return Number(r.s.At[d][p], 2); })});
    for (int d = 0; d < 2; ++d)
        for (int p = 0; p < 2; ++p)
            c.push_back({std::string("dt ") + kPositions[d][p] + " (cm)",
                         Result([d, p](const Row& r) { return Number(r.s.Dt[d][p], 2); })});
    const char* cases[2] = {"", "積雪時 "};
    for (int k = 0; k < 2; ++k) {
        const std::string prefix = cases[k];
        const auto stated = [k](double v, const Row& r) { return HasStressRows(r, k) ? Number(v, 2) : std::string(); };
        for (int d = 0; d < 2; ++d)
            for (int p = 0; p < 2; ++p) {
                c.push_back({prefix + "M " + kPositions[d][p] + " (kN･m/m)",
                             [stated, k, d, p](const Row& r) { return stated(r.s.M[k][d][p], r); }});
                c.push_back({prefix + "M/Ma " + kPositions[d][p],
                             [stated, k, d, p](const Row& r) { return stated(r.s.MRatio[k][d][p], r); }});
            }
        for (int d = 0; d < 2; ++d) {
            c.push_back({prefix + "Q " + kDirections[d] + " (kN/m)",
                         [stated, k, d](const Row& r) { return stated(r.s.Q[k][d], r); }});
            c.push_back({prefix + "Q/Qa " + kDirections[d], [stated, k, d](const Row& r) { return stated(r.s.QRatio[k][d], r); }});
        }
    }
    const char* layers[2] = {"上端筋 ", "下端筋 "};
    for (int layer = 0; layer < 2; ++layer)
        for (int d = 0; d < 2; ++d)
            for (int p = 0; p < 2; ++p)
                c.push_back({layers[layer] + std::string(kPositions[d][p]),
                             Result([d, p, layer](const Row& r) { return r.barTexts[d][p][layer]; })});
    c.push_back({"鉄筋材種", Result([](const Row& r) { return MakeGradeText(r.s, r.bars, false); })});
}

void AddChecks(std::vector<Column>& c)
{
    const auto deflection = [](auto f) {
        return Result([f](const Row& r) { return StatesDeflection(r.s) ? f(r.s) : std::string(); });
    };
    c.push_back({"δ (mm)", deflection([](const SlabData& s) { return Number(s.Delta, 2); })});
    c.push_back({"Lx/δ", deflection([](const SlabData& s) { return std::to_string(s.DeltaRatio); })});
    c.push_back({"Lx/16δ", deflection([](const SlabData& s) { return std::to_string(s.DeltaRatio16); })});
    c.push_back({"たわみ判定", Result([](const Row& r) { return DeflectionText(r.s, r.v); })});
    c.push_back({"必要スラブ厚 (cm)", Result([](const Row& r) {
                     return r.v.thickness.stated ? Number(r.v.thickness.required, 1) : std::string();
                 })});
    c.push_back({"fv (Hz)", Result([](const Row& r) { return r.s.Fv > 0 ? Number(r.s.Fv, 1) : std::string(); })});
    c.push_back({"fv 注記", Result([](const Row& r) { return r.s.Fv > 0 ? r.s.FvNote : std::string(); })});
    c.push_back({"最大M検定比", Result([](const Row& r) {
                     return r.v.moment.present ? Number(r.v.moment.ratio, 2) : std::string();
                 })});
    c.push_back({"最大M検定比の位置", Result([](const Row& r) {
                     return r.v.moment.present ? PlaceText(r.s, r.v.moment.place) : std::string();
                 })});
    c.push_back({"最大Q検定比", Result([](const Row& r) {
                     return r.v.shear.present ? Number(r.v.shear.ratio, 2) : std::string();
                 })});
    c.push_back({"最大Q検定比の位置", Result([](const Row& r) {
                     return r.v.shear.present ? PlaceText(r.s, r.v.shear.place) : std::string();
                 })});
    c.push_back({"判定", [](const Row& r) { return JudgementWord(r.v); }});
    c.push_back({"理由", [](const Row& r) {
                     return r.v.Designed() ? ReasonsText(r.s, r.v) : r.v.failure.Text();
                 }});
    c.push_back({"鉄筋全断面積 0.2% 未満の箇所", Result([](const Row& r) { return r.s.Message; })});
}

std::vector<Column> Columns(double loadUnitFactor)
{
    std::vector<Column> c;
    AddInputs(c);
    AddLoads(c, loadUnitFactor);
    AddStresses(c);
    AddChecks(c);
    return c;
}

// RFC 4180: a field with a comma, a quote or a line break is quoted, its
// quotes doubled.
void AppendField(std::string& row, const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        row += field;
        return;
    }
    row += '"';
    for (char c : field) {
        if (c == '"')
            row += '"';
        row += c;
    }
    row += '"';
}

const std::vector<Column>& ColumnsFor(double loadUnitFactor)
{
    static const std::vector<Column> perSquareMetre = Columns(1);
    static const std::vector<Column> kiloPerSquareMetre = Columns(1000);
    return loadUnitFactor == 1 ? perSquareMetre : kiloPerSquareMetre;
}

}  // namespace

std::vector<std::string> CsvColumnNames(double loadUnitFactor)
{
    std::vector<std::string> names;
    for (const Column& column : ColumnsFor(loadUnitFactor))
        names.push_back(column.name);
    return names;
}

SlabCsvWriter::SlabCsvWriter(std::ostream& out, CsvEncoding encoding, const CommonSettings& settings,
                             const BarData& bars)
    : out_(out), encoding_(encoding), settings_(settings), bars_(bars)
{
}

void SlabCsvWriter::WriteHeader()
{
    if (encoding_ == CsvEncoding::Utf8)
        out_ << "\xEF\xBB\xBF";
    std::string row;
    for (const std::string& name : CsvColumnNames(settings_.LoadUnitFactor)) {
        if (!row.empty())
            row += ',';
        AppendField(row, name);
    }
    Finish(row);
}

void SlabCsvWriter::WriteSlab(std::size_t number, const SlabData& slab, const SlabVerdict& verdict)
{
    const Row r{number, slab, verdict, settings_.LoadUnitFactor, bars_, BarTexts(slab)};
    std::string row;
    row.reserve(1024);
    bool first = true;
    for (const Column& column : ColumnsFor(settings_.LoadUnitFactor)) {
        if (!first)
            row += ',';
        first = false;
        AppendField(row, column.value(r));
    }
    Finish(row);
}

void SlabCsvWriter::Finish(std::string& row)
{
    row += "\r\n";
    if (encoding_ == CsvEncoding::Cp932) {
        ConvertedText converted = Utf8ToCp932(row);
        replacedRows_ += converted.replaced ? 1 : 0;
        row = std::move(converted.text);
    }
    out_.write(row.data(), static_cast<std::streamsize>(row.size()));
}

}  // namespace korvexa::datafile
