#include "cli/SlabJson.h"

#include <QRegularExpression>
#include <cmath>
#include <functional>
#include <map>

namespace korvexa::cli {

namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

[[noreturn]] void Fail(const std::string& where, const QString& field, const std::string& what)
{
    throw JsonInputError(where + ": field \"" + field.toStdString() + "\": " + what);
}

double ReadDouble(const QJsonValue& v, const std::string& where, const QString& field)
{
    if (!v.isDouble())
        Fail(where, field, "expected a number");
    return v.toDouble();
}

int ReadInt(const QJsonValue& v, const std::string& where, const QString& field)
{
    const double d = ReadDouble(v, where, field);
    if (d != std::floor(d) || std::fabs(d) > 2147483647.0)
        Fail(where, field, "expected a whole number");
    return static_cast<int>(d);
}

bool ReadBool(const QJsonValue& v, const std::string& where, const QString& field)
{
    if (!v.isBool())
        Fail(where, field, "expected true or false");
    return v.toBool();
}

QJsonArray ReadArray(const QJsonValue& v, qsizetype size, const std::string& where, const QString& field)
{
    if (!v.isArray() || v.toArray().size() != size)
        Fail(where, field, "expected an array of " + std::to_string(size));
    return v.toArray();
}

template <typename T, std::size_t N, typename ReadItem>
void ReadFixed(std::array<T, N>& out, const QJsonValue& v, const std::string& where, const QString& field,
               ReadItem readItem)
{
    const QJsonArray a = ReadArray(v, static_cast<qsizetype>(N), where, field);
    for (std::size_t i = 0; i < N; ++i)
        readItem(out[i], a[static_cast<qsizetype>(i)], field + QStringLiteral("[%1]").arg(i));
}

// Readers for numbers, 2- and 3-dimensional grids, keyed by field.
using FieldReader = std::function<void(SlabData&, const QJsonValue&, const std::string&)>;

template <typename Member>
FieldReader Number(Member member, const char* name)
{
    return [member, name](SlabData& s, const QJsonValue& v, const std::string& where) {
        s.*member = ReadDouble(v, where, Q(name));
    };
}

template <typename Member>
FieldReader Integer(Member member, const char* name)
{
    return [member, name](SlabData& s, const QJsonValue& v, const std::string& where) {
        s.*member = ReadInt(v, where, Q(name));
    };
}

template <typename Member>
FieldReader Flag(Member member, const char* name)
{
    return [member, name](SlabData& s, const QJsonValue& v, const std::string& where) {
        s.*member = ReadBool(v, where, Q(name));
    };
}

FieldReader Loads(Case3 SlabInputData::*member, const char* name)
{
    return [member, name](SlabData& s, const QJsonValue& v, const std::string& where) {
        ReadFixed(s.*member, v, where, Q(name), [&](double& out, const QJsonValue& item, const QString& f) {
            out = ReadDouble(item, where, f);
        });
    };
}

void ReadIntPair(std::array<int, 2>& out, const QJsonValue& v, const std::string& where, const QString& field)
{
    ReadFixed(out, v, where, field,
              [&](int& o, const QJsonValue& item, const QString& f) { o = ReadInt(item, where, f); });
}

const std::map<QString, FieldReader>& InputReaders()
{
    static const std::map<QString, FieldReader> readers = {
        {Q("Name"),
         [](SlabData& s, const QJsonValue& v, const std::string& where) {
             if (!v.isString())
                 Fail(where, Q("Name"), "expected a text");
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
             ReadFixed(s.Bar, v, where, Q("Bar"), [&](DirPos<int>& dir, const QJsonValue& d, const QString& f) {
                 ReadFixed(dir, d, where, f, [&](std::array<int, 2>& pos, const QJsonValue& p, const QString& g) {
                     ReadIntPair(pos, p, where, g);
                 });
             });
         }},
        {Q("Pitch"),
         [](SlabData& s, const QJsonValue& v, const std::string& where) {
             ReadFixed(s.Pitch, v, where, Q("Pitch"), [&](std::array<int, 2>& dir, const QJsonValue& d, const QString& f) {
                 ReadIntPair(dir, d, where, f);
             });
         }},
        {Q("CompMode"),
         [](SlabData& s, const QJsonValue& v, const std::string& where) { ReadIntPair(s.CompMode, v, where, Q("CompMode")); }},
        {Q("BarOutside"), Integer(&SlabData::BarOutside, "BarOutside")},
        {Q("DeflectionOnly"), Flag(&SlabData::DeflectionOnly, "DeflectionOnly")},
        {Q("LoadUnit"), Number(&SlabData::LoadUnit, "LoadUnit")},
        {Q("Concrete"), Integer(&SlabData::Concrete, "Concrete")},
    };
    return readers;
}

bool IsResultKey(const QString& key)
{
    static const QStringList results = {
        Q("Status"), Q("Dt"), Q("AddLoadE"), Q("DeadLoad"), Q("TReq"), Q("M"), Q("Q"), Q("Delta"),
        Q("Ma"), Q("Qa"), Q("At"), Q("BarArea"), Q("Ft"), Q("MRatio"), Q("QRatio"), Q("CalcPitch"),
        Q("Fv"), Q("FvNote"), Q("DeltaRatio"), Q("DeltaRatio16"), Q("BarText"), Q("GradeText"),
        Q("Lambda"), Q("LambdaMax"), Q("SL"), Q("Calculated"), Q("Message")};
    return results.contains(key);
}

void CheckRange(int value, int count, const std::string& where, const char* field)
{
    if (value < 0 || value >= count)
        Fail(where, Q(field), "must be 0 to " + std::to_string(count - 1) + ", not " + std::to_string(value));
}

// Enumerations out of range are refused here, where the field can be named.
void CheckEnumerations(const SlabData& s, const std::string& where)
{
    CheckRange(s.Bind, BindTypeCount, where, "Bind");
    CheckRange(s.LoadShape, LoadShapeCount(s.Bind), where, "LoadShape");
    CheckRange(s.LoadTime, LoadTimeCount, where, "LoadTime");
    CheckRange(s.Concrete, ConcreteKindCount, where, "Concrete");
    CheckRange(s.BarOutside, 2, where, "BarOutside");
    for (int mode : s.CompMode)
        CheckRange(mode, CompModeCount, where, "CompMode");
    for (const auto& dir : s.Bar)
        for (const auto& pos : dir)
            for (int size : pos)
                CheckRange(size, BarSizeCount, where, "Bar");
    if (s.LoadUnit != 1 && s.LoadUnit != 1000)
        Fail(where, Q("LoadUnit"), "must be 1 (N/m²) or 1000 (kN/m²)");
}

template <typename Grid>
QJsonValue ToJson(const Grid& grid)
{
    if constexpr (std::is_same_v<Grid, std::string>)
        return Q(grid);
    else if constexpr (std::is_arithmetic_v<Grid>)
        return QJsonValue(static_cast<double>(grid));
    else {
        QJsonArray a;
        for (const auto& item : grid)
            a.append(ToJson(item));
        return a;
    }
}

}  // namespace

SlabData SlabFromJson(const QJsonObject& object, const std::string& where)
{
    SlabData s;
    const auto& readers = InputReaders();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const auto reader = readers.find(it.key());
        if (reader != readers.end())
            reader->second(s, it.value(), where);
        else if (!IsResultKey(it.key()))
            Fail(where, it.key(), "unknown field");
    }
    CheckEnumerations(s, where);
    return s;
}

CommonSettings SettingsFromJson(const QJsonObject& object)
{
    CommonSettings c;
    const std::string where = "settings";
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString& key = it.key();
        const QJsonValue& v = it.value();
        if (key == Q("SnowDepth"))
            c.SnowDepth = ReadInt(v, where, key);
        else if (key == Q("SnowUnitWeight"))
            c.SnowUnitWeight = ReadInt(v, where, key);
        else if (key == Q("SnowCoef"))
            ReadFixed(c.SnowCoef, v, where, key, [&](double& o, const QJsonValue& item, const QString& f) {
                o = ReadDouble(item, where, f);
            });
        else if (key == Q("PitchMax"))
            ReadIntPair(c.PitchMax, v, where, key);
        else if (key == Q("PitchMin"))
            ReadIntPair(c.PitchMin, v, where, key);
        else if (key == Q("PitchStep"))
            c.PitchStep = ReadInt(v, where, key);
        else if (key == Q("LoadUnitFactor"))
            c.LoadUnitFactor = ReadDouble(v, where, key);
        else
            Fail(where, key, "unknown field");
    }
    if (c.LoadUnitFactor != 1 && c.LoadUnitFactor != 1000)
        Fail(where, Q("LoadUnitFactor"), "must be 1 (N/m²) or 1000 (kN/m²)");
    return c;
}

std::array<std::string, 8> GradesFromJson(const QJsonArray& array)
{
    if (array.size() != 8)
        throw JsonInputError("grades: expected 8 texts (D10 to D32)");
    static const QRegularExpression grade(Q("^SD[0-9]{3}$"));
    std::array<std::string, 8> grades;
    for (int i = 0; i < 8; ++i) {
        const QJsonValue& v = array[i];
        if (!v.isString() || !grade.match(v.toString()).hasMatch())
            throw JsonInputError("grades[" + std::to_string(i) + "]: expected a grade such as \"SD345\"");
        grades[static_cast<std::size_t>(i)] = v.toString().toStdString();
    }
    return grades;
}

QJsonObject SlabToJson(const SlabData& s)
{
    return QJsonObject{
        {Q("Name"), Q(s.Name)},
        {Q("Bind"), s.Bind},
        {Q("LoadShape"), s.LoadShape},
        {Q("LoadTime"), s.LoadTime},
        {Q("Fc"), s.Fc},
        {Q("T"), s.T},
        {Q("Lx"), s.Lx},
        {Q("Ly"), s.Ly},
        {Q("Cov"), s.Cov},
        {Q("Gamma"), s.Gamma},
        {Q("Own"), s.Own},
        {Q("FL"), s.FL},
        {Q("LL"), ToJson(s.LL)},
        {Q("TL"), ToJson(s.TL)},
        {Q("P"), ToJson(s.P)},
        {Q("IncreaseS"), s.IncreaseS},
        {Q("IncreaseD"), s.IncreaseD},
        {Q("TLDirect"), s.TLDirect},
        {Q("DeltCheck"), s.DeltCheck},
        {Q("OwnDirect"), s.OwnDirect},
        {Q("FLAdd"), s.FLAdd},
        {Q("Bar"), ToJson(s.Bar)},
        {Q("Pitch"), ToJson(s.Pitch)},
        {Q("CompMode"), ToJson(s.CompMode)},
        {Q("BarOutside"), s.BarOutside},
        {Q("DeflectionOnly"), s.DeflectionOnly},
        {Q("LoadUnit"), s.LoadUnit},
        {Q("Concrete"), s.Concrete},
        {Q("Dt"), ToJson(s.Dt)},
        {Q("AddLoadE"), s.AddLoadE},
        {Q("DeadLoad"), s.DeadLoad},
        {Q("TReq"), s.TReq},
        {Q("M"), ToJson(s.M)},
        {Q("Q"), ToJson(s.Q)},
        {Q("Delta"), s.Delta},
        {Q("Ma"), ToJson(s.Ma)},
        {Q("Qa"), ToJson(s.Qa)},
        {Q("At"), ToJson(s.At)},
        {Q("BarArea"), ToJson(s.BarArea)},
        {Q("Ft"), ToJson(s.Ft)},
        {Q("MRatio"), ToJson(s.MRatio)},
        {Q("QRatio"), ToJson(s.QRatio)},
        {Q("CalcPitch"), ToJson(s.CalcPitch)},
        {Q("Fv"), s.Fv},
        {Q("FvNote"), Q(s.FvNote)},
        {Q("DeltaRatio"), s.DeltaRatio},
        {Q("DeltaRatio16"), s.DeltaRatio16},
        {Q("BarText"), ToJson(s.BarText)},
        {Q("GradeText"), Q(s.GradeText)},
        {Q("Lambda"), s.Lambda},
        {Q("LambdaMax"), s.LambdaMax},
        {Q("SL"), ToJson(s.SL)},
        {Q("Calculated"), s.Calculated},
        {Q("Message"), Q(s.Message)},
    };
}

QJsonObject SettingsToJson(const CommonSettings& c)
{
    return QJsonObject{
        {Q("SnowDepth"), c.SnowDepth},
        {Q("SnowUnitWeight"), c.SnowUnitWeight},
        {Q("SnowCoef"), ToJson(c.SnowCoef)},
        {Q("PitchMax"), ToJson(c.PitchMax)},
        {Q("PitchMin"), ToJson(c.PitchMin)},
        {Q("PitchStep"), c.PitchStep},
        {Q("LoadUnitFactor"), c.LoadUnitFactor},
    };
}

QJsonArray GradesToJson(const BarData& bars)
{
    QJsonArray a;
    for (const std::string& grade : bars.Grades())
        a.append(Q(grade));
    return a;
}

}  // namespace korvexa::cli
