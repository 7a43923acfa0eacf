#include "cli/DataSetJson.h"

#include <cmath>
#include <set>

#include "cli/JsonStream.h"
#include "cli/SlabJson.h"
#include "datafile/DataFile.h"
#include "engine/Ukorvexa.h"

namespace korvexa::cli {

namespace {

using datafile::FontSetting;
using datafile::PrintLayout;

[[noreturn]] void Fail(const std::string& field, const std::string& what)
{
    throw JsonInputError("layout: field \"" + field + "\": " + what);
}

int ReadCount(const JsonValueText& v, const std::string& field, int lo, int hi = 100000)
{
    const double d = v.IsNumber() ? v.Number().value_or(-1) : -1;
    if (d != std::floor(d) || d < lo || d > hi)
        Fail(field, "expected a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
    return static_cast<int>(d);
}

bool ReadFlag(const JsonValueText& v, const std::string& field)
{
    if (!v.IsBool())
        Fail(field, "expected true or false");
    return v.Bool();
}

std::string ReadText(const JsonValueText& v, const std::string& field)
{
    if (!v.IsString())
        Fail(field, "expected a text");
    return v.String();
}

void ReadFont(FontSetting& font, const JsonValueText& v, const std::string& field)
{
    if (!v.IsObject())
        Fail(field, "expected {\"Name\", \"Size\", \"Style\"}");
    for (const auto& [key, value] : v.Members()) {
        const std::string name = field + "." + key;
        if (key == "Name")
            font.Name = ReadText(value, name);
        else if (key == "Size")
            font.Size = ReadCount(value, name, 1, datafile::kLargestFontSize);
        else if (key == "Style") {
            font.Style = ReadText(value, name);
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
    w.Member("IsSummaryPrint", l.IsSummaryPrint);
    w.EndObject();
}

}  // namespace

PrintLayout LayoutFromJson(const JsonValueText& object)
{
    if (!object.IsObject())
        throw JsonInputError("\"layout\" must be an object");
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
        {"IsSummaryPrint", &PrintLayout::IsSummaryPrint},
    };
    const std::pair<const char*, FontSetting PrintLayout::*> fonts[] = {
        {"TitleFont", &PrintLayout::TitleFont},
        {"BodyFont", &PrintLayout::BodyFont},
        {"HeaderFont", &PrintLayout::HeaderFont},
    };
    for (const auto& [key, value] : object.Members()) {
        bool known = false;
        for (const auto& [name, member] : numbers)
            if (key == name) {
                l.*member = ReadCount(value, key, 0);
                known = true;
            }
        for (const auto& [name, member] : flags)
            if (key == name) {
                l.*member = ReadFlag(value, key);
                known = true;
            }
        for (const auto& [name, member] : fonts)
            if (key == name) {
                ReadFont(l.*member, value, key);
                known = true;
            }
        if (key == "Title") {
            l.Title = ReadText(value, key);
            known = true;
        }
        if (!known)
            Fail(key, "unknown field");
    }
    return l;
}

datafile::DataSet ReadDataSetJson(const JsonSource& source, const HeaderReady& header, const SlabDesigned& slab)
{
    JsonObjectStream stream(source, "slabs");
    datafile::DataSet data;
    BarData bars;
    std::set<std::string> seen;
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
        const JsonObjectStream::Item item = stream.Next();
        if (item.kind == JsonObjectStream::Item::End)
            break;
        if (item.kind == JsonObjectStream::Item::Element) {
            bool hasLoadUnit = false;
            SlabData s = SlabFromJson(*item.value, "slab " + std::to_string(item.index + 1), &hasLoadUnit);
            if (streaming)
                design(s, hasLoadUnit, item.index);
            else
                pending.push_back({std::move(s), hasLoadUnit});
            continue;
        }
        if (!seen.insert(item.key).second)
            throw JsonInputError("top-level field \"" + item.key + "\" appears twice");
        if (item.kind == JsonObjectStream::Item::ArrayBegin) {
            // Designed as they come when nothing that follows can change
            // their design.
            streaming = seen.contains("settings") && seen.contains("grades");
            if (streaming)
                headerDone();
            continue;
        }
        const std::string& key = item.key;
        if (key == "settings")
            data.settings = SettingsFromJson(*item.value);
        else if (key == "grades")
            data.grades = GradesFromJson(*item.value);
        else if (key == "layout")
            data.layout = LayoutFromJson(*item.value);
        else if (key == "slabs")
            throw JsonInputError("\"slabs\" must be an array of slab objects");
        else if (key != "version")
            throw JsonInputError("unknown top-level field \"" + key + "\"");
    }
    if (!seen.contains("slabs"))
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
