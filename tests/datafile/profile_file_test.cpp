// The settings file: reading as the profile functions read, writing one
// value while keeping everything else, CP932 on disk, safe replacement.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "TestData.h"
#include "datafile/ProfileFile.h"

namespace korvexa::datafile {
namespace {

namespace fs = std::filesystem;

ino_t Inode(const fs::path& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_ino;
}

class Profile : public testing::Test {
protected:
    test::TempFolder folder;
    fs::path path = folder / "#Korvexa#.ini";
    ProfileFile ini{path};
};

// A file as a person or another program may have left it: comments, blank
// lines, blanks around names and values, LF and CRLF, quotes, duplicates.
constexpr std::string_view kHandWritten =
    "; defaults of the design settings\r\n"
    "\r\n"
    "  [ Bar Pitch ]  \r\n"
    "Min0=100\r\n"
    "  MAX0 =  200  \n"
    "; CalcUnit=99\r\n"
    "CalcUnit=25\r\n"
    "CalcUnit=50\r\n"
    "not an entry\r\n"
    "[Print Header]\r\n"
    "Title=\"  two blanks in front\"\r\n"
    "Quoted='x'\r\n"
    "Half=\"open\r\n"
    "Empty=\r\n"
    "[bar pitch]\r\n"
    "Step=7\r\n"
    "[Color]\r\n"
    "BackColor=12632256";  // no line end at the very end

TEST_F(Profile, ReadsAsTheProfileFunctionsRead)
{
    test::WriteBytes(path, kHandWritten);
    EXPECT_TRUE(ini.Exists());

    // Names without regard to case, blanks around names and values dropped.
    EXPECT_EQ(ini.ReadString("bar pitch", "min0", "-"), "100");
    EXPECT_EQ(ini.ReadString("Bar Pitch", "Max0", "-"), "200");
    // The first key and the first section of a name count; comments do not.
    EXPECT_EQ(ini.ReadInteger("Bar Pitch", "CalcUnit", 0), 25);
    EXPECT_EQ(ini.ReadString("Bar Pitch", "Step", "none"), "none");
    EXPECT_FALSE(ini.HasKey("Bar Pitch", "not an entry"));
    // Keys of one section are not seen in another.
    EXPECT_EQ(ini.ReadString("Color", "Min0", "none"), "none");
    // Quotes in pairs come off; a single quote stays.
    EXPECT_EQ(ini.ReadString("Print Header", "Title", ""), "  two blanks in front");
    EXPECT_EQ(ini.ReadString("Print Header", "Quoted", ""), "x");
    EXPECT_EQ(ini.ReadString("Print Header", "Half", ""), "\"open");
    // An empty value is a value; a missing key or section gives the default.
    EXPECT_TRUE(ini.HasKey("Print Header", "Empty"));
    EXPECT_EQ(ini.ReadString("Print Header", "Empty", "default"), "");
    EXPECT_EQ(ini.ReadString("Print Header", "Missing", "default"), "default");
    EXPECT_EQ(ini.ReadString("LaTeX2e", "Mode", "default"), "default");
    EXPECT_TRUE(ini.HasSection("COLOR"));
    EXPECT_FALSE(ini.HasSection("LaTeX2e"));
    EXPECT_EQ(ini.ReadInteger("Color", "BackColor", -1), 12632256);
}

TEST_F(Profile, MissingFileGivesDefaults)
{
    EXPECT_FALSE(ini.Exists());
    EXPECT_EQ(ini.ReadString("Color", "BackColor", "x"), "x");
    EXPECT_EQ(ini.ReadInteger("Color", "BackColor", 7), 7);
    EXPECT_FALSE(ini.HasSection("Color"));
}

TEST_F(Profile, NumbersAreWholeDecimalsOrTheDefault)
{
    test::WriteBytes(path,
                     "[N]\r\nneg=-5\r\nplus= +12 \r\nzero=0\r\ntail=12abc\r\nhex=0x10\r\nempty=\r\nhuge=99999999999\r\n"
                     "minus=-\r\nreal=0.35\r\nexp=1e-05\r\npoint=.5\r\ninf=inf\r\nnan=nan\r\ncomma=0,35\r\n"
                     "one=1\r\n");
    EXPECT_EQ(ini.ReadInteger("N", "neg", 1), -5);  // "keep only when 0 or more" needs the -5
    EXPECT_EQ(ini.ReadInteger("N", "plus", 1), 12);
    EXPECT_EQ(ini.ReadInteger("N", "zero", 1), 0);
    for (const char* bad : {"tail", "hex", "empty", "huge", "minus", "real", "missing"})
        EXPECT_EQ(ini.ReadInteger("N", bad, 77), 77) << bad;

    EXPECT_EQ(ini.ReadReal("N", "real", 1), 0.35);
    EXPECT_EQ(ini.ReadReal("N", "exp", 1), 1e-05);
    EXPECT_EQ(ini.ReadReal("N", "point", 1), 0.5);
    EXPECT_EQ(ini.ReadReal("N", "neg", 1), -5.0);
    for (const char* bad : {"inf", "nan", "comma", "tail", "empty", "minus"})
        EXPECT_EQ(ini.ReadReal("N", bad, 2.5), 2.5) << bad;

    EXPECT_TRUE(ini.ReadBool("N", "one", false));
    EXPECT_FALSE(ini.ReadBool("N", "zero", true));
    EXPECT_TRUE(ini.ReadBool("N", "missing", true));
}

TEST_F(Profile, WritingOneValueKeepsEverythingElse)
{
    test::WriteBytes(path, kHandWritten);
    ASSERT_TRUE(ini.WriteInteger("BAR PITCH", "max0", 300)) << ini.LastError();  // key spelling kept
    ASSERT_TRUE(ini.WriteString("Bar Pitch", "Max1", "250"));                     // after the last entry
    ASSERT_TRUE(ini.WriteString("Color", "BackColor", ""));
    ASSERT_TRUE(ini.WriteString("LaTeX2e", "Mode", "1"));  // new section at the end

    EXPECT_EQ(test::ReadBytes(path),
              "; defaults of the design settings\r\n"
              "\r\n"
              "  [ Bar Pitch ]  \r\n"
              "Min0=100\r\n"
              "MAX0=300\r\n"
              "; CalcUnit=99\r\n"
              "CalcUnit=25\r\n"
              "CalcUnit=50\r\n"
              "not an entry\r\n"
              "Max1=250\r\n"
              "[Print Header]\r\n"
              "Title=\"  two blanks in front\"\r\n"
              "Quoted='x'\r\n"
              "Half=\"open\r\n"
              "Empty=\r\n"
              "[bar pitch]\r\n"
              "Step=7\r\n"
              "[Color]\r\n"
              "BackColor=\r\n"
              "\r\n"
              "[LaTeX2e]\r\n"
              "Mode=1\r\n");
}

TEST_F(Profile, NewKeyGoesBeforeTheCommentsThatOpenTheNextSection)
{
    test::WriteBytes(path, "[A]\r\nx=1\r\n\r\n; the B settings\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(ini.WriteString("a", "z", "3"));
    EXPECT_EQ(test::ReadBytes(path), "[A]\r\nx=1\r\nz=3\r\n\r\n; the B settings\r\n[B]\r\ny=2\r\n");
}

TEST_F(Profile, CreatesTheFileOnFirstWrite)
{
    ASSERT_TRUE(ini.WriteString("Color", "BackColor", "12632256")) << ini.LastError();
    EXPECT_EQ(test::ReadBytes(path), "[Color]\r\nBackColor=12632256\r\n");
    EXPECT_EQ(test::FolderEntries(folder.path()), std::vector<std::string>{"#Korvexa#.ini"});
}

TEST_F(Profile, UnchangedValueLeavesTheFileAlone)
{
    test::WriteBytes(path, "[Bar Pitch]\r\nMin0 = 100 \n");
    const ino_t before = Inode(path);
    ASSERT_TRUE(ini.WriteInteger("bar pitch", "MIN0", 100));
    EXPECT_EQ(Inode(path), before);
    EXPECT_EQ(test::ReadBytes(path), "[Bar Pitch]\r\nMin0 = 100 \n");

    ASSERT_TRUE(ini.WriteInteger("Bar Pitch", "Min0", 125));
    EXPECT_NE(Inode(path), before);
    EXPECT_EQ(test::ReadBytes(path), "[Bar Pitch]\r\nMin0=125\r\n");
}

TEST_F(Profile, ValuesComeBackAsTheyWereWritten)
{
    const std::vector<std::string> values = {
        "  leading and trailing  ", "\"quoted\"", "'single'", "\"", "a=b;c", "", "§５　二次部材の設計\\n\\n５.１ スラブの設計",
    };
    for (std::size_t i = 0; i < values.size(); ++i)
        ASSERT_TRUE(ini.WriteString("Print Header", "V" + std::to_string(i), values[i])) << values[i];
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(ini.ReadString("print header", "v" + std::to_string(i), "?"), values[i]);

    ASSERT_TRUE(ini.WriteReal("Snow Load", "Coefficient0", 0.35));
    ASSERT_TRUE(ini.WriteReal("Snow Load", "Coefficient2", 1.0 / 3));
    ASSERT_TRUE(ini.WriteBool("Print Layout", "TitlePrint", true));
    EXPECT_EQ(ini.ReadString("Snow Load", "Coefficient0", ""), "0.35");
    EXPECT_EQ(ini.ReadReal("Snow Load", "Coefficient2", 0), 1.0 / 3);
    EXPECT_EQ(ini.ReadString("Print Layout", "TitlePrint", ""), "1");
}

TEST_F(Profile, TextsAreCp932OnDisk)
{
    ASSERT_TRUE(ini.WriteString("設計", "名前", "設計"));
    EXPECT_EQ(test::ReadBytes(path), "[\x90\xDD\x8C\x76]\r\n\x96\xBC\x91\x4F=\x90\xDD\x8C\x76\r\n");
    EXPECT_EQ(ini.ReadString("設計", "名前", ""), "設計");
}

TEST_F(Profile, CaseFoldingDoesNotJoinJapaneseNames)
{
    // "ア" is 83 41 and "ヂ" is 83 61 in CP932: their second bytes are "A"
    // and "a".
    test::WriteBytes(path, "[\x83\x41]\r\nk=1\r\n");
    EXPECT_TRUE(ini.HasSection("ア"));
    EXPECT_FALSE(ini.HasSection("ヂ"));
    ASSERT_TRUE(ini.WriteString("ヂ", "k", "2"));
    EXPECT_EQ(ini.ReadString("ア", "K", ""), "1");
    EXPECT_EQ(ini.ReadString("ヂ", "K", ""), "2");
}

TEST_F(Profile, WritesThatWouldDamageTheFileAreRefused)
{
    const std::string original = "[A]\r\nx=1\r\n";
    test::WriteBytes(path, original);
    EXPECT_FALSE(ini.WriteString("A", "x", "line\r\n[B]\r\ny=2"));
    EXPECT_FALSE(ini.WriteString("A", "x", std::string("zero\0byte", 9)));
    EXPECT_FALSE(ini.WriteString("A]", "x", "1"));
    EXPECT_FALSE(ini.WriteString("", "x", "1"));
    EXPECT_FALSE(ini.WriteString("A", "x=y", "1"));
    EXPECT_FALSE(ini.WriteString("A", ";x", "1"));
    EXPECT_FALSE(ini.WriteString("A", " x", "1"));
    EXPECT_FALSE(ini.WriteString("A", "", "1"));
    // Characters CP932 cannot hold would come back as "?".
    EXPECT_FALSE(ini.WriteString("A", "x", "한국"));
    EXPECT_FALSE(ini.LastError().empty());
    EXPECT_FALSE(ini.WriteReal("A", "x", std::numeric_limits<double>::infinity()));
    EXPECT_EQ(test::ReadBytes(path), original);
}

TEST_F(Profile, FailedWriteKeepsTheOldFile)
{
    std::string original = "[Print Header]\r\nTitle=old\r\n";
    test::WriteBytes(path, original);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = ini.WriteString("Print Header", "Title", std::string(500, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(written);
    EXPECT_FALSE(ini.LastError().empty());
    EXPECT_EQ(test::ReadBytes(path), original);
    EXPECT_EQ(test::FolderEntries(folder.path()), std::vector<std::string>{"#Korvexa#.ini"});
}

TEST_F(Profile, UnreadableFileIsNotReplaced)
{
    fs::create_directory(path);  // something that cannot be read as a file
    EXPECT_EQ(ini.ReadString("A", "x", "d"), "d");
    EXPECT_FALSE(ini.WriteString("A", "x", "1"));
    EXPECT_TRUE(fs::is_directory(path));

    ProfileFile nowhere(folder / "no such folder" / "#Korvexa#.ini");
    EXPECT_FALSE(nowhere.WriteString("A", "x", "1"));
    EXPECT_FALSE(nowhere.LastError().empty());
}

TEST_F(Profile, ReadOnlyFileIsNotReplaced)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    const std::string original = "[A]\r\nx=1\r\n";
    test::WriteBytes(path, original);
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(ini.WriteString("A", "x", "2"));
    EXPECT_NE(ini.LastError().find("書き込めません"), std::string::npos) << ini.LastError();
    EXPECT_EQ(test::ReadBytes(path), original);
    EXPECT_EQ(test::FolderEntries(folder.path()), std::vector<std::string>{"#Korvexa#.ini"});
}

TEST_F(Profile, WritingThroughALinkKeepsTheLink)
{
    const fs::path real = folder / "real.ini";
    test::WriteBytes(real, "[A]\r\nx=1\r\n");
    fs::create_symlink(real, path);
    ASSERT_TRUE(ini.WriteString("A", "x", "2")) << ini.LastError();
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(test::ReadBytes(real), "[A]\r\nx=2\r\n");
}

}  // namespace
}  // namespace korvexa::datafile
