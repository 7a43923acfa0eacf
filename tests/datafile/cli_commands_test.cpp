// korvexa-cli show, json, slab and latex.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <sstream>

#include "TestData.h"
#include "cli/DataFileCommands.h"
#include "cli/DesignCommand.h"
#include "datafile/TextCodec.h"

namespace korvexa::cli {
namespace {

namespace fs = std::filesystem;
using datafile::test::TempFolder;

QJsonValue Field(const QJsonValue& v, const char* key) { return v.toObject().value(QString::fromUtf8(key)); }
std::string Text(const QJsonValue& v) { return v.toString().toStdString(); }

const fs::path kExamples = fs::path(KORVEXA_SOURCE_DIR) / "examples";

struct Outcome {
    int status;
    std::string out, err;
};

Outcome Slab(const fs::path& input, const fs::path& output, bool designedOnly = false)
{
    std::ostringstream err;
    const int status = SlabCommand(input.string(), output.string(), designedOnly, err);
    return {status, "", err.str()};
}

Outcome Json(const fs::path& file)
{
    std::ostringstream out, err;
    const int status = JsonCommand(file.string(), out, err);
    return {status, out.str(), err.str()};
}

Outcome Show(const fs::path& file)
{
    std::ostringstream out, err;
    const int status = ShowCommand(file.string(), out, err);
    return {status, out.str(), err.str()};
}

TEST(CliDataFile, JsonToFileAndBack)
{
    TempFolder folder;
    datafile::test::WriteBytes(folder / "in.json", R"({
      "settings": {"LoadUnitFactor": 1000},
      "grades": ["SD345", "SD345", "SD345", "SD345", "SD345", "SD345", "SD390", "SD390"],
      "layout": {"Title": "表題\r\n二行目\r\n", "FirstPageNo": 3, "BottomMargin": 8,
                 "TitleFont": {"Name": "ＭＳ ゴシック", "Size": 12, "Style": "Bold"},
                 "IsTitlePrint": false},
      "slabs": [{"Name": "S1 事務室", "Bind": 1, "Lx": 4.0, "Ly": 6.0, "FL": 1.2, "LL": [2.9, 0, 1.8]},
                {"Name": "未入力", "Bind": 1},
                {"Name": "S3 バルコニー", "Bind": 14, "Lx": 1.2, "FL": 0.8, "LL": [1.8, 0, 0.6]}]
    })");
    const Outcome made = Slab(folder / "in.json", folder / "out.slab", true);
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.err.find("未入力"), std::string::npos);  // not designed, so not written

    const Outcome json = Json(folder / "out.slab");
    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonValue root = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(Text(Field(root, "version")), datafile::ProgramVersionText());
    EXPECT_EQ(Field(Field(root, "settings"), "LoadUnitFactor").toDouble(), 1000);
    EXPECT_EQ(Text(Field(root, "grades").toArray().at(0)), "SD345");
    const QJsonValue layout = Field(root, "layout");
    EXPECT_EQ(Text(Field(layout, "Title")), "表題\r\n二行目\r\n");
    EXPECT_EQ(Field(layout, "FirstPageNo").toInt(), 3);
    EXPECT_EQ(Field(layout, "BottomMargin").toInt(), 8);
    EXPECT_FALSE(Field(layout, "IsTitlePrint").toBool());
    EXPECT_EQ(Text(Field(Field(layout, "TitleFont"), "Style")), "Bold");
    EXPECT_EQ(Text(Field(Field(layout, "BodyFont"), "Name")), "ＭＳ Ｐ明朝");
    const QJsonArray slabs = Field(root, "slabs").toArray();
    ASSERT_EQ(slabs.size(), 2);
    EXPECT_EQ(Text(Field(slabs[1], "Name")), "S3 バルコニー");
    EXPECT_EQ(Field(slabs[1], "Status").toInt(-1), 0);
    EXPECT_EQ(Field(slabs[0], "LL").toArray().at(0).toDouble(), 2.9);
    EXPECT_FALSE(Field(slabs[0], "BarText").toArray().isEmpty());

    // The output of `json` builds the same file again.
    datafile::test::WriteBytes(folder / "again.json", json.out);
    ASSERT_EQ(Slab(folder / "again.json", folder / "again.slab").status, 0);
    EXPECT_EQ(datafile::test::ReadBytes(folder / "again.slab"), datafile::test::ReadBytes(folder / "out.slab"));
}

// Every slab is written as given, designable or not, each that is not
// named with its reason; a value no data file holds leaves the target as it
// was.  --designed-only leaves out the undesignable ones.
TEST(CliDataFile, SlabWritesEverySlabAsGiven)
{
    TempFolder folder;
    const fs::path target = folder / "floor.slab";
    fs::copy_file(kExamples / "sample.slab", target);
    const std::string before = datafile::test::ReadBytes(target);
    const auto slabFrom = [&](std::string_view slabs, bool designedOnly = false) {
        datafile::test::WriteBytes(folder / "in.json", "{\"slabs\": [{\"Name\": \"S1\", \"Lx\": 3, \"Ly\": 4}" +
                                                          std::string(slabs) + "]}");
        return Slab(folder / "in.json", target, designedOnly);
    };
    struct Case {
        const char* slab;    // a second slab, after one that designs
        const char* reason;  // the field named for it
        int status;
    };
    for (const Case& c : {Case{R"({"Name": "零", "Lx": 0})", "スラブ 2「零」: Lx:", 0},
                          Case{R"({"Name": "薄", "Lx": 3, "Ly": 4, "T": -15})", "スラブ 2「薄」: T:", 0},
                          Case{R"({"Name": "逆", "Lx": 5, "Ly": 4})", "スラブ 2「逆」: Lx:", 0},
                          Case{R"({"Name": "強", "Lx": 3, "Ly": 4, "Fc": 1e308})", "Fc: 1e+308 は大きすぎます", 2},
                          Case{R"({"Name": "間", "Lx": 3, "Ly": 4, "Pitch": [[1000000000, 0], [0, 0]]})", "Pitch[0][0]:", 2}}) {
        fs::copy_file(kExamples / "sample.slab", target, fs::copy_options::overwrite_existing);
        const Outcome r = slabFrom(std::string(", ") + c.slab);
        EXPECT_EQ(r.status, c.status) << c.slab << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        const datafile::ReadResult written = datafile::ReadDataFile(target);
        ASSERT_TRUE(written.ok());
        if (c.status == 0) {
            ASSERT_EQ(written.data->slabs.size(), 2u) << c.slab;
            EXPECT_FALSE(written.data->slabs[1].Calculated);
        } else {
            EXPECT_EQ(datafile::test::ReadBytes(target), before) << c.slab;
        }
    }

    // With --designed-only, a data set without designed slabs never empties a file.
    fs::copy_file(kExamples / "sample.slab", target, fs::copy_options::overwrite_existing);
    datafile::test::WriteBytes(folder / "empty.json", R"({"slabs": []})");
    EXPECT_EQ(Slab(folder / "empty.json", target, true).status, 2);
    EXPECT_EQ(datafile::test::ReadBytes(target), before);

    const Outcome some = slabFrom(R"(, {"Name": "零", "Lx": 0}, {"Name": "S3", "Lx": 2, "Ly": 2})", true);
    ASSERT_EQ(some.status, 0) << some.err;
    const datafile::ReadResult written = datafile::ReadDataFile(target);
    ASSERT_TRUE(written.ok());
    ASSERT_EQ(written.data->slabs.size(), 2u);
    EXPECT_EQ(written.data->slabs[1].Name, "S3");
}

// An output that is the input, by its name or through a link, is refused
// and the input stays as it was.
TEST(CliDataFile, OutputNeverOverwritesTheInput)
{
    TempFolder folder;
    const fs::path input = folder / "floor.slab";
    fs::copy_file(kExamples / "sample.slab", input);
    fs::create_symlink(input, folder / "link.tex");
    fs::create_hard_link(input, folder / "hard.tex");
    datafile::test::WriteBytes(folder / "h.txt", "\\documentclass{jsarticle}\r\n");
    const std::string before = datafile::test::ReadBytes(input);
    for (const fs::path& output : {input, folder / "link.tex", folder / "hard.tex"}) {
        std::ostringstream err;
        EXPECT_EQ(LatexCommand(input.string(), output.string(), "", err), 2) << output;
        EXPECT_NE(err.str().find("入力ファイルと同じ"), std::string::npos) << err.str();
    }
    std::ostringstream err;
    EXPECT_EQ(LatexCommand(input.string(), (folder / "h.txt").string(), (folder / "h.txt").string(), err), 2);
    EXPECT_EQ(datafile::test::ReadBytes(input), before);

    const fs::path json = folder / "in.json";
    datafile::test::WriteBytes(json, R"({"slabs": [{"Name": "S1", "Lx": 3, "Ly": 4}]})");
    EXPECT_EQ(Slab(json, json).status, 2);
    EXPECT_EQ(datafile::test::ReadBytes(json), R"({"slabs": [{"Name": "S1", "Lx": 3, "Ly": 4}]})");
}

TEST(CliDataFile, DesignStreamsAndGivesEachReason)
{
    // Settings after the slabs still apply to them; the reasons go to the
    // error stream, the status to the output.
    const std::string input = R"({"slabs": [{"Name": "A", "Bind": 1, "Lx": 4, "Ly": 5, "FL": 1.2},
                                            {"Name": "B", "Lx": 4, "Ly": 5, "Gamma": 0.5}],
                                  "settings": {"LoadUnitFactor": 1000}})";
    for (const JsonStyle style : {JsonStyle::Indented, JsonStyle::Compact}) {
        std::ostringstream out, err;
        DesignJson(MemorySource(input.data(), input.size()), out, err, style);
        const QJsonArray slabs = Field(QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object(), "slabs")
                                     .toArray();
        ASSERT_EQ(slabs.size(), 2) << out.str();
        EXPECT_EQ(Field(slabs[0], "LoadUnit").toDouble(), 1000);
        EXPECT_EQ(Field(slabs[0], "Own").toDouble(), 3.6);  // kN/m²
        EXPECT_EQ(Field(slabs[1], "Status").toInt(), 1);
        EXPECT_EQ(err.str(), "korvexa-cli: スラブ 2「B」: Gamma: 単位体積重量が 1 以下です（0.5）\n");
        const std::string text = out.str();
        if (style == JsonStyle::Compact) {  // one slab per line
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << text;
        }
    }
}

TEST(CliDataFile, ShowPrintsEverySlabOfTheExample)
{
    const Outcome show = Show(kExamples / "sample.slab");
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_EQ(show.err, "");
    for (const char* part : {"S1 事務室", "S15 バルコニー", "四辺固定(精算)", "片持ち", "短期(積雪)", "D10･D13 @",
                             "16δ/Lx = 1/625  ≦ 1/250 OK", "t/Lx = 1/27  ≧ 1/30 OK", "固有振動数", "計算済み 15 枚"})
        EXPECT_NE(show.out.find(part), std::string::npos) << part;
}

TEST(CliDataFile, LatexReportWithTheDefaultOrAGivenHeader)
{
    TempFolder folder;
    std::ostringstream err;
    ASSERT_EQ(LatexCommand((kExamples / "sample.slab").string(), (folder / "a.tex").string(), "", err), 0) << err.str();
    const std::string report = datafile::test::ReadBytes(folder / "a.tex");
    EXPECT_TRUE(report.starts_with("\\documentclass[a4j]{jarticle}\n"));
    EXPECT_NE(report.find(datafile::Utf8ToCp932("S15 バルコニー\\hfill 片持ちスラブ").text), std::string::npos);

    datafile::test::WriteBytes(folder / "h.txt", "\\documentclass{jsarticle}\r\n");
    ASSERT_EQ(LatexCommand((kExamples / "sample.slab").string(), (folder / "b.tex").string(),
                           (folder / "h.txt").string(), err), 0);
    EXPECT_TRUE(datafile::test::ReadBytes(folder / "b.tex").starts_with("\\documentclass{jsarticle}\n\n% "));

    EXPECT_EQ(LatexCommand((kExamples / "sample.slab").string(), (folder / "c.tex").string(),
                           (folder / "none.txt").string(), err), 2);
    EXPECT_FALSE(fs::exists(folder / "c.tex"));
}

TEST(CliDataFile, ExampleFileIsBuiltFromItsJson)
{
    TempFolder folder;
    ASSERT_EQ(Slab(kExamples / "sample.json", folder / "sample.slab").status, 0);
    std::string built = datafile::test::ReadBytes(folder / "sample.slab");
    std::string bundled = datafile::test::ReadBytes(kExamples / "sample.slab");
    ASSERT_GT(bundled.size(), 20u);
    built.replace(10, 10, std::string(10, '\0'));  // the version that wrote it
    bundled.replace(10, 10, std::string(10, '\0'));
    EXPECT_EQ(built, bundled) << "regenerate: korvexa-cli slab examples/sample.json -o examples/sample.slab";
}

TEST(CliDataFile, ErrorsExitWithStatusTwo)
{
    TempFolder folder;
    const auto slabFrom = [&](std::string_view json) {
        datafile::test::WriteBytes(folder / "in.json", json);
        return Slab(folder / "in.json", folder / "out.slab");
    };
    for (std::string_view bad : {R"({"slabs": [)", R"({"slabs": [], "layout": {"Margin": 3}})",
                                 R"({"slabs": [], "layout": {"BodyFont": {"Style": "Underline"}}})",
                                 R"({"slabs": [], "layout": {"Indent": -1}})",
                                 R"({"slabs": [], "layout": {"TitleFont": {"Size": 20000}}})",  // beyond a data file
                                 R"({"slabs": [{"Name": "S1", "Bind": 15}]})", R"({"slab": []})",
                                 // designs, but no data file holds a pitch of 20 km
                                 R"({"slabs": [{"Name": "S1", "Lx": 4, "Ly": 6, "Pitch": [[20000000, 0], [0, 0]]}]})"}) {
        const Outcome r = slabFrom(bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_FALSE(r.err.empty()) << bad;
        EXPECT_FALSE(fs::exists(folder / "out.slab")) << bad;
    }

    const Outcome missing = Show(folder / "missing.slab");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("ファイルを開くことが出来ませんでした。"), std::string::npos);
    EXPECT_EQ(missing.out, "");

    const Outcome foreign = Json(kExamples / "sample.json");
    EXPECT_EQ(foreign.status, 2);
    EXPECT_NE(foreign.err.find("ファイル形式が違います。"), std::string::npos);
    EXPECT_NE(foreign.err.find("sample.json"), std::string::npos);
    EXPECT_EQ(foreign.out, "");

    datafile::test::WriteBytes(folder / "ok.json", R"({"slabs": [{"Lx": 3, "Ly": 4}]})");
    const Outcome unwritable = Slab(folder / "ok.json", folder / "no-folder" / "x.slab");
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_NE(unwritable.err.find("データの保存に失敗しました。"), std::string::npos);
}

}  // namespace
}  // namespace korvexa::cli
