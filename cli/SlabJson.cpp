#include "cli/SlabJson.h"

#include <QHash>
#include <unordered_set>
#include <cmath>
#include <functional>

#include "engine/InputCheck.h"

namespace korvexa::cli {

namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

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

double ReadDouble(const QJsonValue& v, const std::string& where, const Field& field)
{
    if (!v.isDouble())
        Fail(where, field.Text(), "expected a number");
    return v.toDouble();
}

int ReadInt(const QJsonValue& v, const std::string& where, const Field& field)
{
    const double d = ReadDouble(v, where, field);
    if (d != std::floor(d) || std::fabs(d) > 2147483647.0)
        Fail(where, field.Text(), "expected a whole number");
    return static_cast<int>(d);
}

bool ReadBool(const QJsonValue& v, const std::string& where, const Field& field)
{
    if (!v.isBool())
        Fail(where, field.Text(), "expected true or false");
    return v.toBool();
}

template <typename T, std::size_t N, typename ReadItem>
void ReadFixed(std::array<T, N>& out, const QJsonValue& v, const std::string& where, const Field& field,
               ReadItem readItem)
{
    if (!v.isArray() || v.toArray().size() != static_cast<qsizetype>(N))
        Fail(where, field.Text(), "expected an array of " + std::to_string(N));
    const QJsonArray a = v.toArray();
    for (std::size_t i = 0; i < N; ++i)
        readItem(out[i], a[static_cast<qsizetype>(i)], field[static_cast<int>(i)]);
}

// Reads one field of a slab; result fields have none (they are skipped).
using FieldReader = std::function<void(SlabData&, const QJsonValue&, const std::string&)>;

template <typename Member>
FieldReader Number(Member member, const char* name)
{
    return [member, name](SlabData& s, const QJsonValue& v, const std::string& where) {
        s.*member = ReadDouble(v, where, name);
    };
}

template <typename Member>
FieldReader Integer(Member member, const char* name)
{
    return [member, name](SlabData& s, const QJsonValue& v, const std::string& where) {
        s.*member = ReadInt(v, where, name);
    };
}

template <typename Member>
FieldReader Flag(Member member, const char* name)
{
    return [member, name](SlabData& s, const QJsonValue& v, const std::string& where) {
        s.*member = ReadBool(v, where, name);
    };
}

FieldReader Loads(Case3 SlabInputData::*member, const char* name)
{
    return [member, name](SlabData& s, const QJsonValue& v, const std::string& where) {
        ReadFixed(s.*member, v, where, name, [&](double& out, const QJsonValue& item, const Field& f) {
            out = ReadDouble(item, where, f);
        });
    };
}

void ReadIntPair(std::array<int, 2>& out, const QJsonValue& v, const std::string& where, const Field& field)
{
    ReadFixed(out, v, where, field,
              [&](int& o, const QJsonValue& item, const Field& f) { o = ReadInt(item, where, f); });
}

const QHash<QString, FieldReader>& SlabReaders()
{
    static const QHash<QString, FieldReader> readers = [] {
        QHash<QString, FieldReader> r = {
            {Q("Name"),
             [](SlabData& s, const QJsonValue& v, const std::string& where) {
                 if (!v.isString())
                     Fail(where, "Name", "expected a text");
                 s.Name = v.toString().toStdString();
             }},
            {Q("Bind"), Integer(&SlabData::Bind, "Bind")},
            {Q("LoadShape"), Integer(&SlabData::LoadShape, "LoadShape")},
            {Q("LoadTime"), Integer(&SlabData::LoadTime, "LoadTime")},
            {Q("Fc"), Number(&SlabData::Fc, "Fc")},
            {Q("T"), Number(&SlabData::T, "T")},
            {Q("Lx"), Number(&SlabData::Lx, "Lx")},
            {Q("Ly"), Number(&SlabData::Ly, "Ly")},
            {Q("Cov"), Number(&SlabData::Cov, "Cov")},
            {Q("Gamma"), Number(&SlabData::Gamma, "Gamma")},
            {Q("Own"), Number(&SlabData::Own, "Own")},
            {Q("FL"), Number(&SlabData::FL, "FL")},
            {Q("LL"), Loads(&SlabInputData::LL, "LL")},
            {Q("TL"), Loads(&SlabInputData::TL, "TL")},
            {Q("P"), Loads(&SlabInputData::P, "P")},
            {Q("IncreaseS"), Number(&SlabData::IncreaseS, "IncreaseS")},
            {Q("IncreaseD"), Number(&SlabData::IncreaseD, "IncreaseD")},
            {Q("TLDirect"), Flag(&SlabData::TLDirect, "TLDirect")},
            {Q("DeltCheck"), Flag(&SlabData::DeltCheck, "DeltCheck")},
            {Q("OwnDirect"), Flag(&SlabData::OwnDirect, "OwnDirect")},
            {Q("FLAdd"), Flag(&SlabData::FLAdd, "FLAdd")},
            {Q("Bar"),
             [](SlabData& s, const QJsonValue& v, const std::string& where) {
                 ReadFixed(s.Bar, v, where, "Bar", [&](DirPos<int>& dir, const QJsonValue& d, const Field& f) {
                     ReadFixed(dir, d, where, f, [&](std::array<int, 2>& pos, const QJsonValue& p, const Field& g) {
                         ReadIntPair(pos, p, where, g);
                     });
                 });
             }},
            {Q("Pitch"),
             [](SlabData& s, const QJsonValue& v, const std::string& where) {
                 ReadFixed(s.Pitch, v, where, "Pitch", [&](std::array<int, 2>& dir, const QJsonValue& d, const Field& f) {
                     ReadIntPair(dir, d, where, f);
                 });
             }},
            {Q("CompMode"),
             [](SlabData& s, const QJsonValue& v, const std::string& where) { ReadIntPair(s.CompMode, v, where, "CompMode"); }},
            {Q("BarOutside"), Integer(&SlabData::BarOutside, "BarOutside")},
            {Q("DeflectionOnly"), Flag(&SlabData::DeflectionOnly, "DeflectionOnly")},
            {Q("LoadUnit"), Number(&SlabData::LoadUnit, "LoadUnit")},
            {Q("Concrete"), Integer(&SlabData::Concrete, "Concrete")},
        };
        // Result fields are accepted and skipped, so that output reads back.
        for (std::string_view result : kResultFields)
            r.insert(QString::fromUtf8(result.data(), static_cast<qsizetype>(result.size())), FieldReader());
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

bool IsResultField(std::string_view key)
{
    static const std::unordered_set<std::string_view> fields(std::begin(kResultFields), std::end(kResultFields));
    return fields.contains(key);
}

SlabData SlabFromJson(const QJsonObject& object, const std::string& where)
{
    SlabData s;
    const auto& readers = SlabReaders();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const auto reader = readers.constFind(it.key());
        if (reader == readers.cend())
            Fail(where, it.key().toStdString(), "unknown field");
        if (*reader)
            (*reader)(s, it.value(), where);
    }
    CheckEnumerations(s, where);
    return s;
}

CommonSettings SettingsFromJson(const QJsonObject& object)
{
    CommonSettings c;
    const std::string where = "settings";
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::string key = it.key().toStdString();
        const QJsonValue& v = it.value();
        const Field field(key.c_str());
        if (key == "SnowDepth")
            c.SnowDepth = ReadInt(v, where, field);
        else if (key == "SnowUnitWeight")
            c.SnowUnitWeight = ReadInt(v, where, field);
        else if (key == "SnowCoef")
            ReadFixed(c.SnowCoef, v, where, field, [&](double& o, const QJsonValue& item, const Field& f) {
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

std::array<std::string, 8> GradesFromJson(const QJsonArray& array)
{
    if (array.size() != 8)
        throw JsonInputError("grades: expected 8 texts (D10 to D32)");
    std::array<std::string, 8> grades;
    for (int i = 0; i < 8; ++i) {
        const QJsonValue& v = array[i];
        if (!v.isString() || !IsKnownGrade(v.toString().toStdString()))
            throw JsonInputError("grades[" + std::to_string(i) + "]: expected a grade of the bar table: "
                                 "\"SD295\", \"SD345\" or \"SD390\"");
        grades[static_cast<std::size_t>(i)] = v.toString().toStdString();
    }
    return grades;
}

void WriteSlab(JsonWriter& w, const SlabData& s, std::optional<int> status)
{
    w.BeginObject();
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
    if (status)
        w.Member("Status", *status);
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
    w.Member("BarText", s.BarText);
    w.Member("GradeText", s.GradeText);
    w.Member("Lambda", s.Lambda);
    w.Member("LambdaMax", s.LambdaMax);
    w.Member("SL", s.SL);
    w.Member("Calculated", s.Calculated);
    w.Member("Message", s.Message);
    w.EndObject();
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
