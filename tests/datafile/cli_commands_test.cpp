// korvexa-cli show, json, slab and latex.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <sstream>

#include "TestData.h"
#include "cli/CsvCommand.h"
#include "cli/DataFileCommands.h"
#include "cli/DesignCommand.h"
#include "datafile/TextCodec.h"
#include "engine/Reinforcement.h"
#include "engine/SheetTexts.h"

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
                 "IsTitlePrint": false, "IsSummaryPrint": true},
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
    EXPECT_TRUE(Field(layout, "IsSummaryPrint").toBool());
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
                             "16δ/Lx=1/625≦1/250 OK", "t/Lx=1/27≧1/30 OK", "固有振動数", "判定      OK",
                             "計算済み 15 枚、NG 0 枚"})
        EXPECT_NE(show.out.find(part), std::string::npos) << part;
}

// show judges as the sheets do: a cantilever thick enough by t/L ≥ 1/10 is
// OK whatever 16δ/L is; one too thin fails by 16δ/L, with its reason.
TEST(CliDataFile, ShowGivesTheVerdictOfTheSheets)
{
    TempFolder folder;
    datafile::test::WriteBytes(folder / "in.json", R"({"settings": {"LoadUnitFactor": 1000}, "slabs": [
        {"Name": "C1", "Bind": 14, "Lx": 1.5, "T": 15, "FL": 1.2, "LL": [1.8, 0, 1.8], "P": [3, 0, 3]},
        {"Name": "C2", "Bind": 14, "Lx": 1.5, "T": 12, "FL": 1.2, "LL": [1.8, 0, 1.8], "P": [3, 0, 3]}]})");
    ASSERT_EQ(Slab(folder / "in.json", folder / "c.slab").status, 0);
    const Outcome show = Show(folder / "c.slab");
    ASSERT_EQ(show.status, 0) << show.err;
    const std::size_t second = show.out.find("■ スラブ 2");
    ASSERT_NE(second, std::string::npos);
    const std::string first = show.out.substr(0, second);
    EXPECT_NE(first.find("t/L=1/10≧1/10 OK"), std::string::npos) << first;
    EXPECT_NE(first.find("判定      OK"), std::string::npos) << first;
    EXPECT_NE(show.out.find("＞1/250 NG", second), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("判定      NG  16δ/L=1/", second), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("NG 1 枚"), std::string::npos);
}

// The fields of one CSV row (RFC 4180: quoted fields, doubled quotes).
std::vector<std::string> CsvFields(std::string_view row)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const char c = row[i];
        if (quoted && c == '"' && i + 1 < row.size() && row[i + 1] == '"')
            fields.back() += row[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::vector<std::string> CsvRows(std::string text)
{
    std::vector<std::string> rows;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        rows.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 2;
    }
    return rows;
}

// Every slab of the example in a row, its values those the design gives,
// as many decimals as the sheet prints.
TEST(CliDataFile, CsvOfTheExample)
{
    std::ostringstream out, err;
    ASSERT_EQ(CsvCommand((kExamples / "sample.slab").string(), out, datafile::CsvEncoding::Utf8, err), 0) << err.str();
    std::string text = out.str();
    ASSERT_TRUE(text.starts_with("\xEF\xBB\xBF"));
    const std::vector<std::string> rows = CsvRows(text.substr(3));
    const datafile::ReadResult read = datafile::ReadDataFile(kExamples / "sample.slab");
    ASSERT_TRUE(read.ok());
    const std::vector<SlabData>& slabs = read.data->slabs;
    ASSERT_EQ(rows.size(), slabs.size() + 1);
    const std::vector<std::string> head = CsvFields(rows[0]);
    EXPECT_EQ(head, datafile::CsvColumnNames(1000));
    const auto column = [&](const char* name) {
        return static_cast<std::size_t>(std::find(head.begin(), head.end(), name) - head.begin());
    };
    for (std::size_t i = 0; i < slabs.size(); ++i) {
        const std::vector<std::string> f = CsvFields(rows[i + 1]);
        const SlabData& s = slabs[i];
        ASSERT_EQ(f.size(), head.size()) << rows[i + 1];
        EXPECT_EQ(f[column("名称")], s.Name);
        EXPECT_EQ(f[column("Lx (m)")], FixedNumber(s.Lx, 2));
        EXPECT_EQ(f[column("合計 (kN/m2)")], FixedNumber(s.TL[0], 2));
        EXPECT_EQ(f[column("M 短辺端部 (kN･m/m)")], FixedNumber(s.M[0][0][0], 2));
        EXPECT_EQ(f[column("Q/Qa 長辺")], FixedNumber(s.QRatio[0][1], 2));
        EXPECT_EQ(f[column("上端筋 長辺中央")], BarTexts(s)[1][1][0]);
        EXPECT_EQ(f[column("積雪時 M 短辺端部 (kN･m/m)")].empty(), s.LoadTime != LoadLongTermSnow) << s.Name;
        EXPECT_EQ(f[column("判定")], "OK");
    }
}

TEST(CliDataFile, CsvFileInEitherEncoding)
{
    TempFolder folder;
    datafile::test::WriteBytes(folder / "in.json", R"({"slabs": [
        {"Name": "A,\"1\"", "Bind": 1, "Lx": 4, "Ly": 5, "FL": 1000, "LL": [2900, 0, 1800]},
        {"Name": "未入力", "Bind": 1}]})");
    ASSERT_EQ(Slab(folder / "in.json", folder / "a.slab").status, 0);
    std::ostringstream err;
    ASSERT_EQ(CsvFileCommand((folder / "a.slab").string(), (folder / "a.csv").string(), datafile::CsvEncoding::Cp932, err), 0)
        << err.str();
    const std::string cp932 = datafile::test::ReadBytes(folder / "a.csv");
    EXPECT_FALSE(cp932.starts_with("\xEF\xBB\xBF"));
    const std::vector<std::string> rows = CsvRows(datafile::Cp932ToUtf8(cp932).text);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(CsvFields(rows[0]), datafile::CsvColumnNames(1));
    EXPECT_TRUE(rows[1].starts_with("1,\"A,\"\"1\"\"\",四辺固定(精算),等分布荷重,長期,4.00,5.00,1.25,15.0,")) << rows[1];
    EXPECT_NE(rows[1].find(",1000,2900,"), std::string::npos) << rows[1];  // N/m², whole numbers
    const std::vector<std::string> undesigned = CsvFields(rows[2]);
    EXPECT_EQ(undesigned[CsvFields(rows[0]).size() - 3], "未計算");
    EXPECT_NE(undesigned[CsvFields(rows[0]).size() - 2].find("Lx"), std::string::npos);
    EXPECT_EQ(undesigned[datafile::CsvColumnNames(1).size() - 1], "");

    EXPECT_EQ(CsvFileCommand((folder / "a.slab").string(), (folder / "a.slab").string(), datafile::CsvEncoding::Utf8, err), 2);
    EXPECT_EQ(CsvFileCommand((folder / "none.slab").string(), (folder / "b.csv").string(), datafile::CsvEncoding::Utf8, err), 2);
    EXPECT_FALSE(fs::exists(folder / "b.csv"));
    datafile::CsvEncoding encoding{};
    EXPECT_TRUE(ParseCsvEncoding("CP932", encoding) && encoding == datafile::CsvEncoding::Cp932);
    EXPECT_TRUE(ParseCsvEncoding("utf-8", encoding) && encoding == datafile::CsvEncoding::Utf8);
    EXPECT_FALSE(ParseCsvEncoding("latin1", encoding));
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
