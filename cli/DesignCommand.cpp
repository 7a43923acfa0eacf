#include "cli/DesignCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/DataSetJson.h"
#include "cli/SlabJson.h"
#include "engine/Ukorvexa.h"

namespace korvexa::cli {

QByteArray DesignJson(const QByteArray& input)
{
    std::vector<int> status;
    const datafile::DataSet data = DataSetFromJson(input, &status);
    BarData bars;
    bars.SetGrades(data.grades);

    QJsonArray slabs;
    for (std::size_t i = 0; i < data.slabs.size(); ++i) {
        SlabData slab = data.slabs[i];
        slab.GradeText = MakeGradeText(slab, bars, false);  // as the printed sheet shows it
        QJsonObject out = SlabToJson(slab);
        out.insert(QStringLiteral("Status"), status[i]);
        slabs.append(out);
    }
    const QJsonObject result{
        {QStringLiteral("settings"), SettingsToJson(data.settings)},
        {QStringLiteral("grades"), GradesToJson(bars)},
        {QStringLiteral("slabs"), slabs},
    };
    return QJsonDocument(result).toJson(QJsonDocument::Indented);
}

}  // namespace korvexa::cli
