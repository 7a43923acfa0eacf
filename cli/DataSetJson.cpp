#include "cli/DataSetJson.h"

#include <QJsonArray>
#include <cmath>

#include "cli/JsonStream.h"
#include "cli/SlabJson.h"
#include "datafile/DataFile.h"
#include "engine/Ukorvexa.h"

namespace korvexa::cli {

namespace {

using datafile::FontSetting;
using datafile::PrintLayout;

QString Q(const char* text) { return QString::fromUtf8(text); }

[[noreturn]] void Fail(const QString& field, const std::string& what)
{
    throw JsonInputError("layout: field \"" + field.toStdString() + "\": " + what);
}

int ReadCount(const QJsonValue& v, const QString& field, int lo)
{
    const double d = v.toDouble(-1);
    if (!v.isDouble() || d != std::floor(d) || d < lo || d > 100000)
        Fail(field, "expected a whole number of at least " + std::to_string(lo));
    return static_cast<int>(d);
}

bool ReadFlag(const QJsonValue& v, const QString& field)
{
    if (!v.isBool())
        Fail(field, "expected true or false");
    return v.toBool();
}

std::string ReadText(const QJsonValue& v, const QString& field)
{
    if (!v.isString())
        Fail(field, "expected a text");
    return v.toString().toStdString();
}

void ReadFont(FontSetting& font, const QJsonValue& v, const QString& field)
{
    if (!v.isObject())
        Fail(field, "expected {\"Name\", \"Size\", \"Style\"}");
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QString name = field + Q(".") + it.key();
        if (it.key() == Q("Name"))
            font.Name = ReadText(it.value(), name);
        else if (it.key() == Q("Size"))
            font.Size = ReadCount(it.value(), name, 1);
        else if (it.key() == Q("Style")) {
            font.Style = ReadText(it.value(), name);
            if (!datafile::IsStyleText(font.Style))
                Fail(name, "expected \"\", \"Bold\", \"Italic\" or \"Bold & Italic\"");
        } else
            Fail(name, "unknown field");
    }
}

void WriteFont(JsonWriter& w, const char* key, const FontSetting& f)
{
    w.Key(key);
    w.BeginObject();
    w.Member("Name", f.Name);
    w.Member("Size", f.Size);
    w.Member("Style", f.Style);
    w.EndObject();
}

// A slab that waits for the settings and grades that follow it.
struct PendingSlab {
    SlabInputData inputs;
    bool hasLoadUnit;
};

}  // namespace

void WriteLayout(JsonWriter& w, const PrintLayout& l)
{
    w.BeginObject();
    w.Member("FirstPageNo", l.FirstPageNo);
    w.Member("Title", l.Title);
    WriteFont(w, "TitleFont", l.TitleFont);
    WriteFont(w, "BodyFont", l.BodyFont);
    WriteFont(w, "HeaderFont", l.HeaderFont);
    w.Member("LeftMargin", l.LeftMargin);
    w.Member("TopMargin", l.TopMargin);
    w.Member("BottomMargin", l.BottomMargin);
    w.Member("HeaderSideMargin", l.HeaderSideMargin);
    w.Member("HeaderTopMargin", l.HeaderTopMargin);
    w.Member("ParagraphSpace", l.ParagraphSpace);
    w.Member("Indent", l.Indent);
    w.Member("ChangeEvenSideMargin", l.ChangeEvenSideMargin);
    w.Member("ChangeEvenHeaderPos", l.ChangeEvenHeaderPos);
    w.Member("IsTitlePrint", l.IsTitlePrint);
    w.EndObject();
}

PrintLayout LayoutFromJson(const QJsonObject& object)
{
    PrintLayout l;
    const std::pair<const char*, int PrintLayout::*> numbers[] = {
        {"FirstPageNo", &PrintLayout::FirstPageNo},       {"LeftMargin", &PrintLayout::LeftMargin},
        {"TopMargin", &PrintLayout::TopMargin},           {"BottomMargin", &PrintLayout::BottomMargin},
        {"HeaderSideMargin", &PrintLayout::HeaderSideMargin}, {"HeaderTopMargin", &PrintLayout::HeaderTopMargin},
        {"ParagraphSpace", &PrintLayout::ParagraphSpace}, {"Indent", &PrintLayout::Indent},
    };
    const std::pair<const char*, bool PrintLayout::*> flags[] = {
        {"ChangeEvenSideMargin", &PrintLayout::ChangeEvenSideMargin},
        {"ChangeEvenHeaderPos", &PrintLayout::ChangeEvenHeaderPos},
        {"IsTitlePrint", &PrintLayout::IsTitlePrint},
    };
    const std::pair<const char*, FontSetting PrintLayout::*> fonts[] = {
        {"TitleFont", &PrintLayout::TitleFont},
        {"BodyFont", &PrintLayout::BodyFont},
        {"HeaderFont", &PrintLayout::HeaderFont},
    };
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString& key = it.key();
        bool known = false;
        for (const auto& [name, member] : numbers)
            if (key == Q(name)) {
                l.*member = ReadCount(it.value(), key, 0);
                known = true;
            }
        for (const auto& [name, member] : flags)
            if (key == Q(name)) {
                l.*member = ReadFlag(it.value(), key);
                known = true;
            }
        for (const auto& [name, member] : fonts)
            if (key == Q(name)) {
                ReadFont(l.*member, it.value(), key);
                known = true;
            }
        if (key == Q("Title")) {
            l.Title = ReadText(it.value(), key);
            known = true;
        }
        if (!known)
            Fail(key, "unknown field");
    }
    return l;
}

datafile::DataSet ReadDataSetJson(const JsonSource& source, const HeaderReady& header, const SlabDesigned& slab)
{
    JsonObjectStream stream(source, Q("slabs"), IsResultField);
    datafile::DataSet data;
    BarData bars;
    QStringList seen;
    bool streaming = false;
    std::vector<PendingSlab> pending;
    const auto design = [&](SlabData& s, bool hasLoadUnit, std::size_t index) {
        if (!hasLoadUnit)
            s.LoadUnit = data.settings.LoadUnitFactor;
        const int status = datafile::DesignInDataSet(s, data.settings, bars);
        slab(s, status, index, bars);
    };
    const auto headerDone = [&] {
        bars.SetGrades(data.grades);
        header(data);
    };
    for (;;) {
        JsonObjectStream::Item item = stream.Next();
        if (item.kind == JsonObjectStream::Item::End)
            break;
        if (item.kind == JsonObjectStream::Item::Element) {
            const std::string where = "slab " + std::to_string(item.index + 1);
            if (!item.value.isObject())
                throw JsonInputError(where + ": expected an object");
            const QJsonObject object = item.value.toObject();
            const QJsonValue name = object.value(QLatin1StringView("Name"));
            SlabData s = SlabFromJson(
                object, name.isString() ? where + " (" + datafile::ShortName(name.toString().toStdString()) + ")" : where);
            const bool hasLoadUnit = object.contains(QLatin1StringView("LoadUnit"));
            if (streaming)
                design(s, hasLoadUnit, item.index);
            else
                pending.push_back({std::move(s), hasLoadUnit});
            continue;
        }
        if (seen.contains(item.key))
            throw JsonInputError("top-level field \"" + item.key.toStdString() + "\" appears twice");
        seen.append(item.key);
        if (item.kind == JsonObjectStream::Item::ArrayBegin) {
            // Designed as they come when nothing that follows can change
            // their design.
            streaming = seen.contains(Q("settings")) && seen.contains(Q("grades"));
            if (streaming)
                headerDone();
            continue;
        }
        const QString& key = item.key;
        const QJsonValue& value = item.value;
        if (key == Q("settings")) {
            if (!value.isObject())
                throw JsonInputError("\"settings\" must be an object");
            data.settings = SettingsFromJson(value.toObject());
        } else if (key == Q("grades")) {
            if (!value.isArray())
                throw JsonInputError("\"grades\" must be an array of 8 texts");
            data.grades = GradesFromJson(value.toArray());
        } else if (key == Q("layout")) {
            if (!value.isObject())
                throw JsonInputError("\"layout\" must be an object");
            data.layout = LayoutFromJson(value.toObject());
        } else if (key == Q("slabs")) {
            throw JsonInputError("\"slabs\" must be an array of slab objects");
        } else if (key != Q("version")) {
            throw JsonInputError("unknown top-level field \"" + key.toStdString() + "\"");
        }
    }
    if (!seen.contains(Q("slabs")))
        throw JsonInputError("\"slabs\" must be an array of slab objects");
    if (!streaming) {
        headerDone();
        for (std::size_t i = 0; i < pending.size(); ++i) {
            SlabData s;
            static_cast<SlabInputData&>(s) = std::move(pending[i].inputs);
            design(s, pending[i].hasLoadUnit, i);
        }
    }
    return data;
}

datafile::DataSet DataSetFromJson(const QByteArray& input, std::vector<int>* status)
{
    datafile::DataSet result;
    std::vector<int> codes;
    const datafile::DataSet header = ReadDataSetJson(
        MemorySource(input.constData(), static_cast<std::size_t>(input.size())), [](const datafile::DataSet&) {},
        [&](SlabData& s, int code, std::size_t, const BarData&) {
            result.slabs.push_back(std::move(s));
            codes.push_back(code);
        });
    result.settings = header.settings;
    result.grades = header.grades;
    result.layout = header.layout;
    if (status)
        *status = std::move(codes);
    return result;
}

void BeginDataSet(JsonWriter& w, const datafile::DataSet& header, const std::string* version, bool withLayout)
{
    w.BeginObject();
    if (version)
        w.Member("version", *version);
    w.Key("settings");
    WriteSettings(w, header.settings);
    w.Member("grades", header.grades);
    if (withLayout) {
        w.Key("layout");
        WriteLayout(w, header.layout);
    }
    w.Key("slabs");
    w.BeginArray(true);
}

void WriteDesignedSlab(JsonWriter& w, SlabData& slab, int status, const BarData& bars)
{
    slab.GradeText = MakeGradeText(slab, bars, false);  // as the printed sheet shows it
    WriteSlab(w, slab, status);
}

void EndDataSet(JsonWriter& w)
{
    w.EndArray();
    w.EndObject();
    w.Flush();
}

}  // namespace korvexa::cli
