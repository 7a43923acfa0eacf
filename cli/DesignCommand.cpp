#include "cli/DesignCommand.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include "cli/SlabJson.h"
#include "engine/Ukorvexa.h"

namespace korvexa::cli {

namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

std::string SlabPlace(qsizetype index, const QJsonValue& value)
{
    std::string where = "slab " + std::to_string(index + 1);
    const QJsonValue name = value.toObject().value(Q("Name"));
    if (name.isString())
        where += " (" + name.toString().toStdString() + ")";
    return where;
}

}  // namespace

QByteArray DesignJson(const QByteArray& input)
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
        if (it.key() != Q("settings") && it.key() != Q("grades") && it.key() != Q("slabs"))
            throw JsonInputError("unknown top-level field \"" + it.key().toStdString() + "\"");

    CommonSettings settings;
    if (root.contains(Q("settings"))) {
        if (!root.value(Q("settings")).isObject())
            throw JsonInputError("\"settings\" must be an object");
        settings = SettingsFromJson(root.value(Q("settings")).toObject());
    }
    BarData bars;
    if (root.contains(Q("grades"))) {
        if (!root.value(Q("grades")).isArray())
            throw JsonInputError("\"grades\" must be an array of 8 texts");
        bars.SetGrades(GradesFromJson(root.value(Q("grades")).toArray()));
    }
    if (!root.value(Q("slabs")).isArray())
        throw JsonInputError("\"slabs\" must be an array of slab objects");

    QJsonArray slabsOut;
    const QJsonArray slabsIn = root.value(Q("slabs")).toArray();
    for (qsizetype i = 0; i < slabsIn.size(); ++i) {
        const std::string where = SlabPlace(i, slabsIn[i]);
        if (!slabsIn[i].isObject())
            throw JsonInputError(where + ": expected an object");
        const QJsonObject in = slabsIn[i].toObject();
        SlabData slab = SlabFromJson(in, where);
        // Loads are in the slab's own unit when it names one, else in the current unit.
        if (in.contains(Q("LoadUnit")))
            ConvertLoadUnit(slab, settings, bars);
        else
            slab.LoadUnit = settings.LoadUnitFactor;
        const int status = DesignSlab(slab, settings, bars);
        slab.GradeText = MakeGradeText(slab, bars, false);
        QJsonObject out = SlabToJson(slab);
        out.insert(Q("Status"), status);
        slabsOut.append(out);
    }

    const QJsonObject result{
        {Q("settings"), SettingsToJson(settings)},
        {Q("grades"), GradesToJson(bars)},
        {Q("slabs"), slabsOut},
    };
    return QJsonDocument(result).toJson(QJsonDocument::Indented);
}

}  // namespace korvexa::cli
