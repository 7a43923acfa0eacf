#include "cli/SlabJson.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>

#include "datafile/DataFile.h"
#include "engine/InputCheck.h"
#include "engine/Reinforcement.h"

namespace korvexa::cli {

namespace {

constexpr std::string_view kResultFields[] = {
    "Status", "Dt",     "AddLoadE", "DeadLoad", "TReq",       "M",           "Q",       "Delta",     "Ma",
    "Qa",     "At",     "BarArea",  "Ft",       "MRatio",     "QRatio",      "CalcPitch", "Fv",      "FvNote",
    "DeltaRatio", "DeltaRatio16", "BarText", "GradeText", "Lambda", "LambdaMax", "SL",  "Calculated", "Message"};

// A field's name with the indices of an array element, made into text only
// for a message (a slab has a hundred numbers to read).
struct Field {
    Field(const char* n) : name(n) {}
    const char* name;
    std::array<int, 3> index{-1, -1, -1};
    Field operator[](int i) const
    {
        Field f = *this;
        for (int& at : f.index)
            if (at < 0) {
                at = i;
                break;
            }
        return f;
    }
    std::string Text() const
    {
        std::string text = name;
        for (int i : index)
            if (i >= 0)
                text += "[" + std::to_string(i) + "]";
        return text;
    }
};

[[noreturn]] void Fail(const std::string& where, const std::string& field, const std::string& what)
{
    throw JsonInputError(where + ": field \"" + field + "\": " + what);
}

double ReadDouble(const JsonValueText& v, const std::string& where, const Field& field)
{
    if (!v.IsNumber())
        Fail(where, field.Text(), "expected a number");
    const std::optional<double> d = v.Number();
    if (!d)
        Fail(where, field.Text(), "a number beyond the range of a double");
    return *d;
}

int ReadInt(const JsonValueText& v, const std::string& where, const Field& field)
{
    const double d = ReadDouble(v, where, field);
    if (d != std::floor(d) || std::fabs(d) > 2147483647.0)
        Fail(where, field.Text(), "expected a whole number");
    return static_cast<int>(d);
}

bool ReadBool(const JsonValueText& v, const std::string& where, const Field& field)
{
    if (!v.IsBool())
        Fail(where, field.Text(), "expected true or false");
    return v.Bool();
}

template <typename T, std::size_t N, typename ReadItem>
void ReadFixed(std::array<T, N>& out, const JsonValueText& v, const std::string& where, const Field& field,
               ReadItem readItem)
{
    const std::vector<JsonValueText> items = v.IsArray() ? v.Elements() : std::vector<JsonValueText>{};
    if (items.size() != N)
        Fail(where, field.Text(), "expected an array of " + std::to_string(N));
    for (std::size_t i = 0; i < N; ++i)
        readItem(out[i], items[i], field[static_cast<int>(i)]);
}

// Reads one field of a slab; result fields have none (they are skipped).
using FieldReader = std::function<void(SlabData&, const JsonValueText&, const std::string&)>;

template <typename Member>
FieldReader Number(Member member, const char* name)
{
    return [member, name](SlabData& s, const JsonValueText& v, const std::string& where) {
        s.*member = ReadDouble(v, where, name);
    };
}

template <typename Member>
FieldReader Integer(Member member, const char* name)
{
    return [member, name](SlabData& s, const JsonValueText& v, const std::string& where) {
        s.*member = ReadInt(v, where, name);
    };
}

template <typename Member>
FieldReader Flag(Member member, const char* name)
{
    return [member, name](SlabData& s, const JsonValueText& v, const std::string& where) {
        s.*member = ReadBool(v, where, name);
    };
}

FieldReader Loads(Case3 SlabInputData::*member, const char* name)
{
    return [member, name](SlabData& s, const JsonValueText& v, const std::string& where) {
        ReadFixed(s.*member, v, where, name, [&](double& out, const JsonValueText& item, const Field& f) {
            out = ReadDouble(item, where, f);
        });
    };
}

void ReadIntPair(std::array<int, 2>& out, const JsonValueText& v, const std::string& where, const Field& field)
{
    ReadFixed(out, v, where, field,
              [&](int& o, const JsonValueText& item, const Field& f) { o = ReadInt(item, where, f); });
}

const std::unordered_map<std::string_view, FieldReader>& SlabReaders()
{
    static const std::unordered_map<std::string_view, FieldReader> readers = [] {
        std::unordered_map<std::string_view, FieldReader> r = {
            {"Name",
             [](SlabData& s, const JsonValueText& v, const std::string& where) {
                 if (!v.IsString())
                     Fail(where, "Name", "expected a text");
                 s.Name = v.String();
             }},
            {"Bind", Integer(&SlabData::Bind, "Bind")},
            {"LoadShape", Integer(&SlabData::LoadShape, "LoadShape")},
            {"LoadTime", Integer(&SlabData::LoadTime, "LoadTime")},
            {"Fc", Number(&SlabData::Fc, "Fc")},
            {"T", Number(&SlabData::T, "T")},
            {"Lx", Number(&SlabData::Lx, "Lx")},
            {"Ly", Number(&SlabData::Ly, "Ly")},
            {"Cov", Number(&SlabData::Cov, "Cov")},
            {"Gamma", Number(&SlabData::Gamma, "Gamma")},
            {"Own", Number(&SlabData::Own, "Own")},
            {"FL", Number(&SlabData::FL, "FL")},
            {"LL", Loads(&SlabInputData::LL, "LL")},
            {"TL", Loads(&SlabInputData::TL, "TL")},
            {"P", Loads(&SlabInputData::P, "P")},
            {"IncreaseS", Number(&SlabData::IncreaseS, "IncreaseS")},
            {"IncreaseD", Number(&SlabData::IncreaseD, "IncreaseD")},
            {"TLDirect", Flag(&SlabData::TLDirect, "TLDirect")},
            {"DeltCheck", Flag(&SlabData::DeltCheck, "DeltCheck")},
            {"OwnDirect", Flag(&SlabData::OwnDirect, "OwnDirect")},
            {"FLAdd", Flag(&SlabData::FLAdd, "FLAdd")},
            {"Bar",
             [](SlabData& s, const JsonValueText& v, const std::string& where) {
                 ReadFixed(s.Bar, v, where, "Bar", [&](DirPos<int>& dir, const JsonValueText& d, const Field& f) {
                     ReadFixed(dir, d, where, f, [&](std::array<int, 2>& pos, const JsonValueText& p, const Field& g) {
                         ReadIntPair(pos, p, where, g);
                     });
                 });
             }},
            {"Pitch",
             [](SlabData& s, const JsonValueText& v, const std::string& where) {
                 ReadFixed(s.Pitch, v, where, "Pitch", [&](std::array<int, 2>& dir, const JsonValueText& d, const Field& f) {
                     ReadIntPair(dir, d, where, f);
                 });
             }},
            {"CompMode",
             [](SlabData& s, const JsonValueText& v, const std::string& where) { ReadIntPair(s.CompMode, v, where, "CompMode"); }},
            {"BarOutside", Integer(&SlabData::BarOutside, "BarOutside")},
            {"DeflectionOnly", Flag(&SlabData::DeflectionOnly, "DeflectionOnly")},
            {"LoadUnit", Number(&SlabData::LoadUnit, "LoadUnit")},
            {"Concrete", Integer(&SlabData::Concrete, "Concrete")},
        };
        // Result fields are accepted and skipped, so that output reads back.
        for (std::string_view result : kResultFields)
            r.emplace(result, FieldReader());
        return r;
    }();
    return readers;
}

// Enumerations out of range are refused here, where the field can be named.
void CheckEnumerations(const SlabData& s, const std::string& where)
{
    if (const std::optional<InputProblem> p = korvexa::CheckEnumerations(s))
        Fail(where, p->field, p->reason);
    if (s.LoadUnit != 1 && s.LoadUnit != 1000)
        Fail(where, "LoadUnit", "must be 1 (N/m²) or 1000 (kN/m²)");
}

}  // namespace

SlabData SlabFromJson(const JsonValueText& object, std::string where, bool* hasLoadUnit)
{
    if (!object.IsObject())
        throw JsonInputError(where + ": expected an object");
    const auto members = object.Members();
    for (const auto& [key, value] : members)
        if (key == "Name" && value.IsString())
            where += " (" + datafile::ShortName(value.String()) + ")";
    SlabData s;
    const auto& readers = SlabReaders();
    for (const auto& [key, value] : members) {
        const auto reader = readers.find(key);
        if (reader == readers.end())
            Fail(where, key, "unknown field");
        if (reader->second)
            reader->second(s, value, where);
    }
    CheckEnumerations(s, where);
    if (hasLoadUnit)
        *hasLoadUnit = std::any_of(members.begin(), members.end(), [](const auto& m) { return m.first == "LoadUnit"; });
    return s;
}

CommonSettings SettingsFromJson(const JsonValueText& object)
{
    const std::string where = "settings";
    if (!object.IsObject())
        throw JsonInputError("\"settings\" must be an object");
    CommonSettings c;
    for (const auto& [key, v] : object.Members()) {
        const Field field(key.c_str());
        if (key == "SnowDepth")
            c.SnowDepth = ReadInt(v, where, field);
        else if (key == "SnowUnitWeight")
            c.SnowUnitWeight = ReadInt(v, where, field);
        else if (key == "SnowCoef")
            ReadFixed(c.SnowCoef, v, where, field, [&](double& o, const JsonValueText& item, const Field& f) {
                o = ReadDouble(item, where, f);
            });
        else if (key == "PitchMax")
            ReadIntPair(c.PitchMax, v, where, field);
        else if (key == "PitchMin")
            ReadIntPair(c.PitchMin, v, where, field);
        else if (key == "PitchStep")
            c.PitchStep = ReadInt(v, where, field);
        else if (key == "LoadUnitFactor")
            c.LoadUnitFactor = ReadDouble(v, where, field);
        else
            Fail(where, key, "unknown field");
    }
    if (c.LoadUnitFactor != 1 && c.LoadUnitFactor != 1000)
        Fail(where, "LoadUnitFactor", "must be 1 (N/m²) or 1000 (kN/m²)");
    return c;
}

std::array<std::string, 8> GradesFromJson(const JsonValueText& array)
{
    const std::vector<JsonValueText> items = array.IsArray() ? array.Elements() : std::vector<JsonValueText>{};
    if (items.size() != 8)
        throw JsonInputError("\"grades\" must be an array of 8 texts (D10 to D32)");
    std::array<std::string, 8> grades;
    for (std::size_t i = 0; i < 8; ++i) {
        if (!items[i].IsString() || !IsKnownGrade(items[i].String()))
            throw JsonInputError("grades[" + std::to_string(i) + "]: expected a grade of the bar table: "
                                 "\"SD295\", \"SD345\" or \"SD390\"");
        grades[i] = items[i].String();
    }
    return grades;
}

void WriteSlab(JsonWriter& w, const SlabData& s, std::optional<int> status)
{
    w.BeginObject();
    WriteSlabInputs(w, s);
    if (status)
        w.Member("Status", *status);
    WriteSlabResults(w, s);
    w.EndObject();
}

void WriteSlabInputs(JsonWriter& w, const SlabData& s)
{
    w.Member("Name", s.Name);
    w.Member("Bind", s.Bind);
    w.Member("LoadShape", s.LoadShape);
    w.Member("LoadTime", s.LoadTime);
    w.Member("Fc", s.Fc);
    w.Member("T", s.T);
    w.Member("Lx", s.Lx);
    w.Member("Ly", s.Ly);
    w.Member("Cov", s.Cov);
    w.Member("Gamma", s.Gamma);
    w.Member("Own", s.Own);
    w.Member("FL", s.FL);
    w.Member("LL", s.LL);
    w.Member("TL", s.TL);
    w.Member("P", s.P);
    w.Member("IncreaseS", s.IncreaseS);
    w.Member("IncreaseD", s.IncreaseD);
    w.Member("TLDirect", s.TLDirect);
    w.Member("DeltCheck", s.DeltCheck);
    w.Member("OwnDirect", s.OwnDirect);
    w.Member("FLAdd", s.FLAdd);
    w.Member("Bar", s.Bar);
    w.Member("Pitch", s.Pitch);
    w.Member("CompMode", s.CompMode);
    w.Member("BarOutside", s.BarOutside);
    w.Member("DeflectionOnly", s.DeflectionOnly);
    w.Member("LoadUnit", s.LoadUnit);
    w.Member("Concrete", s.Concrete);
}

void WriteSlabResults(JsonWriter& w, const SlabData& s)
{
    w.Member("Dt", s.Dt);
    w.Member("AddLoadE", s.AddLoadE);
    w.Member("DeadLoad", s.DeadLoad);
    w.Member("TReq", s.TReq);
    w.Member("M", s.M);
    w.Member("Q", s.Q);
    w.Member("Delta", s.Delta);
    w.Member("Ma", s.Ma);
    w.Member("Qa", s.Qa);
    w.Member("At", s.At);
    w.Member("BarArea", s.BarArea);
    w.Member("Ft", s.Ft);
    w.Member("MRatio", s.MRatio);
    w.Member("QRatio", s.QRatio);
    w.Member("CalcPitch", s.CalcPitch);
    w.Member("Fv", s.Fv);
    w.Member("FvNote", s.FvNote);
    w.Member("DeltaRatio", s.DeltaRatio);
    w.Member("DeltaRatio16", s.DeltaRatio16);
    w.Member("BarText", BarTexts(s));
    w.Member("GradeText", s.GradeText);
    w.Member("Lambda", s.Lambda);
    w.Member("LambdaMax", s.LambdaMax);
    w.Member("SL", s.SL);
    w.Member("Calculated", s.Calculated);
    w.Member("Message", s.Message);
}

void WriteSettings(JsonWriter& w, const CommonSettings& c)
{
    w.BeginObject();
    w.Member("SnowDepth", c.SnowDepth);
    w.Member("SnowUnitWeight", c.SnowUnitWeight);
    w.Member("SnowCoef", c.SnowCoef);
    w.Member("PitchMax", c.PitchMax);
    w.Member("PitchMin", c.PitchMin);
    w.Member("PitchStep", c.PitchStep);
    w.Member("LoadUnitFactor", c.LoadUnitFactor);
    w.EndObject();
}

}  // namespace korvexa::cli
