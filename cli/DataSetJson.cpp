#include "cli/DataSetJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <cmath>

#include "cli/SlabJson.h"
#include "datafile/DataFile.h"
#include "engine/Ukorvexa.h"

namespace korvexa::cli {

namespace {

using datafile::FontSetting;
using datafile::PrintLayout;

QString Q(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

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

QJsonObject FontToJson(const FontSetting& f)
{
    return {{Q("Name"), Q(f.Name)}, {Q("Size"), f.Size}, {Q("Style"), Q(f.Style)}};
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

std::string SlabPlace(qsizetype index, const QJsonValue& value)
{
    std::string where = "slab " + std::to_string(index + 1);
    const QJsonValue name = value.toObject().value(Q("Name"));
    if (name.isString())
        where += " (" + name.toString().toStdString() + ")";
    return where;
}

}  // namespace

QJsonObject LayoutToJson(const PrintLayout& l)
{
    return {
        {Q("FirstPageNo"), l.FirstPageNo},
        {Q("Title"), Q(l.Title)},
        {Q("TitleFont"), FontToJson(l.TitleFont)},
        {Q("BodyFont"), FontToJson(l.BodyFont)},
        {Q("HeaderFont"), FontToJson(l.HeaderFont)},
        {Q("LeftMargin"), l.LeftMargin},
        {Q("TopMargin"), l.TopMargin},
        {Q("BottomMargin"), l.BottomMargin},
        {Q("HeaderSideMargin"), l.HeaderSideMargin},
        {Q("HeaderTopMargin"), l.HeaderTopMargin},
        {Q("ParagraphSpace"), l.ParagraphSpace},
        {Q("Indent"), l.Indent},
        {Q("ChangeEvenSideMargin"), l.ChangeEvenSideMargin},
        {Q("ChangeEvenHeaderPos"), l.ChangeEvenHeaderPos},
        {Q("IsTitlePrint"), l.IsTitlePrint},
    };
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

QByteArray DataSetToJson(const datafile::DataSet& data, const std::string& version, const std::vector<int>& status)
{
    BarData bars;
    bars.SetGrades(data.grades);
    QJsonArray slabs;
    for (std::size_t i = 0; i < data.slabs.size(); ++i) {
        SlabData slab = data.slabs[i];
        slab.GradeText = MakeGradeText(slab, bars, false);
        QJsonObject out = SlabToJson(slab);
        if (i < status.size())
            out.insert(Q("Status"), status[i]);
        slabs.append(out);
    }
    const QJsonObject root{
        {Q("version"), Q(version)},
        {Q("settings"), SettingsToJson(data.settings)},
        {Q("grades"), GradesToJson(bars)},
        {Q("layout"), LayoutToJson(data.layout)},
        {Q("slabs"), slabs},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

datafile::DataSet DataSetFromJson(const QByteArray& input, std::vector<int>* status)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(input, &error);
    if (error.error != QJsonParseError::NoError)
        throw JsonInputError("not valid JSON at offset " + std::to_string(error.offset) + ": " +
                             error.errorString().toStdString());
    if (!document.isObject())
        throw JsonInputError("the input must be a JSON object with a \"slabs\" array");
    const QJsonObject root = document.object();
    for (auto it = root.begin(); it != root.end(); ++it)
        if (!QStringList{Q("version"), Q("settings"), Q("grades"), Q("layout"), Q("slabs")}.contains(it.key()))
            throw JsonInputError("unknown top-level field \"" + it.key().toStdString() + "\"");

    datafile::DataSet data;
    if (root.contains(Q("settings"))) {
        if (!root.value(Q("settings")).isObject())
            throw JsonInputError("\"settings\" must be an object");
        data.settings = SettingsFromJson(root.value(Q("settings")).toObject());
    }
    if (root.contains(Q("grades"))) {
        if (!root.value(Q("grades")).isArray())
            throw JsonInputError("\"grades\" must be an array of 8 texts");
        data.grades = GradesFromJson(root.value(Q("grades")).toArray());
    }
    if (root.contains(Q("layout"))) {
        if (!root.value(Q("layout")).isObject())
            throw JsonInputError("\"layout\" must be an object");
        data.layout = LayoutFromJson(root.value(Q("layout")).toObject());
    }
    if (!root.value(Q("slabs")).isArray())
        throw JsonInputError("\"slabs\" must be an array of slab objects");

    const QJsonArray slabs = root.value(Q("slabs")).toArray();
    for (qsizetype i = 0; i < slabs.size(); ++i) {
        const std::string where = SlabPlace(i, slabs[i]);
        if (!slabs[i].isObject())
            throw JsonInputError(where + ": expected an object");
        SlabData slab = SlabFromJson(slabs[i].toObject(), where);
        if (!slabs[i].toObject().contains(Q("LoadUnit")))
            slab.LoadUnit = data.settings.LoadUnitFactor;
        data.slabs.push_back(std::move(slab));
    }
    std::vector<int> codes = datafile::DesignDataSet(data);
    if (status)
        *status = std::move(codes);
    return data;
}

}  // namespace korvexa::cli
