// korvexa-cli design: JSON in, designed records out, bad input refused.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>

#include "cli/DesignCommand.h"
#include "cli/SlabJson.h"
#include "engine/Reinforcement.h"
#include "engine/Ukorvexa.h"

using namespace korvexa;

namespace {

QJsonObject Designed(const char* json)
{
    return QJsonDocument::fromJson(cli::DesignJson(QByteArray(json))).object();
}

QJsonObject FirstSlab(const char* json)
{
    return Designed(json).value(QStringLiteral("slabs")).toArray().at(0).toObject();
}

std::string ErrorOf(const char* json)
{
    try {
        cli::DesignJson(QByteArray(json));
    } catch (const cli::JsonInputError& e) {
        return e.what();
    }
    return "(no error)";
}

struct CliRun {
    int status;
    std::string out;
};

CliRun RunCli(const std::string& args)
{
    CliRun run{-1, {}};
    FILE* pipe = popen((std::string(KORVEXA_CLI_PATH) + " " + args + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

}  // namespace

TEST(DesignCommand, DesignsWithRecordDefaultsAndFullPrecision)
{
    const QJsonObject slab = FirstSlab(R"({"slabs": [{"Name": "S1", "Bind": 1, "Lx": 2.8, "Ly": 4.2, "LL": [1800, 0, 600]}]})");
    EXPECT_EQ(slab.value(QStringLiteral("Status")).toInt(), 0);
    EXPECT_TRUE(slab.value(QStringLiteral("Calculated")).toBool());
    EXPECT_EQ(slab.value(QStringLiteral("T")).toDouble(), 15);  // default
    EXPECT_EQ(slab.value(QStringLiteral("Lx")).toDouble(), 2.8);

    // The numbers are those of the engine to the last bit.
    SlabData s;
    s.Bind = 1;
    s.Lx = 2.8;
    s.Ly = 4.2;
    s.LL = {1800, 0, 600};
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    const QJsonArray m = slab.value(QStringLiteral("M")).toArray();
    EXPECT_EQ(m[0].toArray()[0].toArray()[0].toDouble(), s.M[0][0][0]);
    EXPECT_EQ(slab.value(QStringLiteral("Delta")).toDouble(), s.Delta);
    EXPECT_EQ(slab.value(QStringLiteral("BarText")).toArray()[0].toArray()[0].toArray()[0].toString().toStdString(),
              BarTexts(s)[0][0][0]);
    EXPECT_EQ(slab.value(QStringLiteral("GradeText")).toString(), QStringLiteral("SD295"));
}

TEST(DesignCommand, SettingsGradesAndStatusCodes)
{
    const QJsonObject out = Designed(R"({
        "settings": {"LoadUnitFactor": 1000, "PitchMax": [250, 300]},
        "grades": ["SD345", "SD345", "SD345", "SD345", "SD345", "SD345", "SD390", "SD390"],
        "slabs": [{"Bind": 1, "Lx": 4, "Ly": 4, "LL": [1.8, 0, 0.6]},
                  {"Bind": 1, "Lx": 5, "Ly": 4},
                  {"Bind": 14}]})");
    EXPECT_EQ(out.value(QStringLiteral("settings")).toObject().value(QStringLiteral("LoadUnitFactor")).toDouble(), 1000);
    EXPECT_EQ(out.value(QStringLiteral("grades")).toArray()[0].toString(), QStringLiteral("SD345"));
    const QJsonArray slabs = out.value(QStringLiteral("slabs")).toArray();
    const QJsonObject first = slabs[0].toObject();
    EXPECT_EQ(first.value(QStringLiteral("Own")).toDouble(), 3.6);  // kN/m²
    EXPECT_EQ(first.value(QStringLiteral("LoadUnit")).toDouble(), 1000);
    EXPECT_EQ(first.value(QStringLiteral("Ft")).toArray()[0].toArray()[0].toDouble(), 215);  // SD345
    EXPECT_EQ(slabs[1].toObject().value(QStringLiteral("Status")).toInt(), 2);
    EXPECT_EQ(slabs[2].toObject().value(QStringLiteral("Status")).toInt(), 1);
}

TEST(DesignCommand, SlabInAnotherUnitIsConverted)
{
    const QJsonObject kn = FirstSlab(R"({"settings": {"LoadUnitFactor": 1000},
        "slabs": [{"Bind": 1, "Lx": 4, "Ly": 5, "FL": 600, "LL": [1800, 0, 600], "LoadUnit": 1}]})");
    EXPECT_EQ(kn.value(QStringLiteral("FL")).toDouble(), 0.6);
    EXPECT_EQ(kn.value(QStringLiteral("LoadUnit")).toDouble(), 1000);
}

TEST(DesignCommand, OutputCanBeReadBack)
{
    const QByteArray once = cli::DesignJson(QByteArray(R"({"slabs": [{"Bind": 7, "Lx": 3, "Ly": 4, "FL": 500}]})"));
    EXPECT_EQ(cli::DesignJson(once), once);
}

TEST(DesignCommand, BadInputNamesTheSlabAndField)
{
    // Also in the result fields, which are skipped unparsed.
    for (const char* broken : {"{not json", R"({"slabs": [{"Lx": 3, "M": [1, x]}]})", R"({"slabs": [{"Lx": 3, "M": 1,}]})",
                               R"({"slabs": [{"Lx": 3, "FvNote": "\q"}]})", R"({"slabs": [{"Lx": 3, "Fv": 01}]})",
                               R"({"slabs": [{"Lx": 3 "Fv": 1}]})", R"({"slabs": [{"Lx": 3}] "x")"})
        EXPECT_NE(ErrorOf(broken).find("not valid JSON"), std::string::npos) << broken << ": " << ErrorOf(broken);
    EXPECT_NE(ErrorOf("[1, 2]").find("object"), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"slabs": 3})").find("slabs"), std::string::npos);

    const std::string type = ErrorOf(R"({"slabs": [{"Lx": 3}, {"Name": "S2", "Lx": "3.0"}]})");
    EXPECT_NE(type.find("slab 2 (S2)"), std::string::npos) << type;
    EXPECT_NE(type.find("\"Lx\""), std::string::npos) << type;

    const std::string bind = ErrorOf(R"({"slabs": [{"Bind": 15, "Lx": 3}]})");
    EXPECT_NE(bind.find("\"Bind\""), std::string::npos) << bind;
    EXPECT_NE(ErrorOf(R"({"slabs": [{"Bind": 7, "LoadShape": 1}]})").find("LoadShape"), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"slabs": [{"Bind": 1.5}]})").find("whole number"), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"slabs": [{"LL": [1, 2]}]})").find("\"LL\""), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"slabs": [{"Bar": [[[1, 2], [1, 0]], [[1, 2], [1, 9]]]}]})").find("Bar"), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"slabs": [{"TLDirect": 1}]})").find("true or false"), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"slabs": [{"Lz": 1}]})").find("unknown field"), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"settings": {"LoadUnitFactor": 10}, "slabs": []})").find("LoadUnitFactor"), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"grades": ["SD295"], "slabs": []})").find("grades"), std::string::npos);
}

TEST(DesignCommand, ProgramExitsWithStatusTwoAndNoOutputOnBadInput)
{
    QTemporaryDir dir;
    const std::string bad = dir.filePath(QStringLiteral("bad.json")).toStdString();
    std::ofstream(bad) << R"({"slabs": [{"Lx": 4, "Bind": "1"}]})";
    const CliRun refused = RunCli("design " + bad);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(RunCli("design /nonexistent.json").status, 2);
    EXPECT_EQ(RunCli("frobnicate").status, 2);

    const CliRun example = RunCli("design " KORVEXA_SOURCE_DIR "/examples/design.json");
    ASSERT_EQ(example.status, 0);
    const QJsonArray slabs = QJsonDocument::fromJson(QByteArray::fromStdString(example.out))
                                 .object().value(QStringLiteral("slabs")).toArray();
    ASSERT_GE(slabs.size(), 5);
    for (const QJsonValue& slab : slabs)
        EXPECT_EQ(slab.toObject().value(QStringLiteral("Status")).toInt(), 0)
            << slab.toObject().value(QStringLiteral("Name")).toString().toStdString();
}
