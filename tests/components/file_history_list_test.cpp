// The recent-file list: order, limits, the history file and its failures.
#include "components/FileHistoryList.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using korvexa::FileHistoryList;
using Names = std::vector<std::string>;

namespace {

class FileHistoryListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("korvexa_history_" + std::to_string(::getpid()) + "_" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        history_ = (dir_ / "Korvexa~DataFile.history").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Creates a data file and returns its full path.
    std::string Data(const std::string& name)
    {
        const fs::path path = dir_ / name;
        std::ofstream(path) << "slab";
        return path.string();
    }

    static void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static std::string Lines(const Names& names)
    {
        std::string text;
        for (const auto& name : names)
            text += name + '\n';
        return text;
    }

    fs::path dir_;
    std::string history_;
};

TEST_F(FileHistoryListTest, OpeningThreeFilesListsThePreviousOnesMostRecentFirst)
{
    const std::string f1 = Data("F1.slab"), f2 = Data("F2.slab"), f3 = Data("F3.slab");
    FileHistoryList list;
    list.Load(history_);
    EXPECT_TRUE(list.Entries().empty());
    EXPECT_FALSE(list.Remake(f1));  // nothing was open before
    EXPECT_TRUE(list.Remake(f2));
    EXPECT_TRUE(list.Remake(f3));
    EXPECT_EQ(list.Entries(), (Names{f2, f1}));
    EXPECT_EQ(list.Current(), f3);

    std::string error;
    ASSERT_TRUE(list.Save(history_, error)) << error;
    EXPECT_EQ(Read(history_), Lines({f3, f2, f1}));

    // The next run shows them all; none is current yet.
    FileHistoryList next;
    next.Load(history_);
    EXPECT_EQ(next.Entries(), (Names{f3, f2, f1}));
    EXPECT_EQ(next.Current(), "");
}

TEST_F(FileHistoryListTest, CurrentFileMovesBetweenListAndCurrent)
{
    const std::string a = Data("A.slab"), b = Data("B.slab"), c = Data("C.slab"), x = Data("X.slab");
    Write(history_, Lines({a, b, c}));
    FileHistoryList list;
    list.Load(history_);
    list.Remake(x);

    // Opening entry 2 takes it off the list; the file open before becomes entry 1.
    EXPECT_TRUE(list.Remake(b));
    EXPECT_EQ(list.Entries(), (Names{x, a, c}));

    // Opening the current file again changes nothing.
    EXPECT_FALSE(list.Remake(b));
    EXPECT_EQ(list.Entries(), (Names{x, a, c}));

    // New data: no current file; B is written once.
    EXPECT_TRUE(list.Remake(""));
    EXPECT_EQ(list.Current(), "");
    EXPECT_EQ(list.Entries(), (Names{b, x, a, c}));
    EXPECT_EQ(list.NamesToSave(), (Names{b, x, a, c}));
    EXPECT_FALSE(list.Remake(""));

    // Saving twice writes the same thing: Save leaves the list alone.
    list.Remake(c);
    std::string error;
    ASSERT_TRUE(list.Save(history_, error));
    ASSERT_TRUE(list.Save(history_, error));
    EXPECT_EQ(Read(history_), Lines({c, b, x, a}));
}

TEST_F(FileHistoryListTest, CurrentFileDeletedMeanwhileIsNotListed)
{
    const std::string a = Data("A.slab"), b = Data("B.slab");
    FileHistoryList list;
    list.Remake(a);
    fs::remove(a);
    list.Remake(b);
    EXPECT_TRUE(list.Entries().empty());
    fs::remove(b);
    EXPECT_TRUE(list.NamesToSave().empty());
}

TEST_F(FileHistoryListTest, ListIsCutToItemsMax)
{
    Names names;
    for (int i = 1; i <= 11; ++i)
        names.push_back(Data("S" + std::to_string(i) + ".slab"));
    Write(history_, Lines(names));

    FileHistoryList list;
    list.Load(history_);
    EXPECT_EQ(list.Entries(), Names(names.begin(), names.begin() + 10));

    // Opening the eleventh pushes the tenth off; the file holds it and ten more.
    list.Remake(names[10]);
    const std::string other = Data("other.slab");
    list.Remake(other);
    EXPECT_EQ(list.Entries().size(), 10u);
    EXPECT_EQ(list.Entries().front(), names[10]);
    EXPECT_EQ(list.Entries().back(), names[8]);
    EXPECT_EQ(list.NamesToSave().size(), 11u);
    EXPECT_EQ(list.NamesToSave().front(), other);

    list.SetItemsMax(3);
    EXPECT_EQ(list.Entries(), (Names{names[10], names[0], names[1]}));
}

TEST_F(FileHistoryListTest, LoadDropsMissingBlankRepeatedAndZeroHoldingNames)
{
    const std::string a = Data("A.slab"), b = Data("B.slab");
    const std::string gone = (dir_ / "gone.slab").string();
    const std::string folder = (dir_ / "folder").string();
    fs::create_directory(folder);
    // A zero byte ends a name for the file system: "A.slab\0x" is no name of A.slab.
    Write(history_, gone + "\r\n" + a + "\r\n\r\n" + folder + "\n" + a + std::string("\0x\n", 3) + a + "\n" + b);

    FileHistoryList list(2);
    list.Load(history_);
    EXPECT_EQ(list.Entries(), (Names{a, b}));

    std::string error;
    ASSERT_TRUE(list.Save(history_, error));
    EXPECT_EQ(Read(history_), Lines({a, b}));
}

TEST_F(FileHistoryListTest, NamesDifferingInCaseAreTwoFiles)
{
    const std::string upper = Data("Plan.slab"), lower = Data("plan.slab");
    FileHistoryList list;
    list.Remake(upper);
    list.Remake(lower);
    EXPECT_EQ(list.Entries(), (Names{upper}));
}

TEST_F(FileHistoryListTest, NonAsciiNamesRoundTripAndNamesWithLineBreaksAreNotWritten)
{
    const std::string japanese = Data("床版 計算.slab");
    const std::string broken = Data("two\nlines.slab");
    FileHistoryList list;
    list.Remake(broken);
    list.Remake(japanese);
    std::string error;
    ASSERT_TRUE(list.Save(history_, error));
    EXPECT_EQ(Read(history_), Lines({japanese}));
    list.Load(history_);
    EXPECT_EQ(list.Entries(), (Names{japanese}));
}

TEST_F(FileHistoryListTest, NothingToWriteLeavesTheFileAlone)
{
    FileHistoryList list;
    std::string error;
    EXPECT_TRUE(list.Save(history_, error));
    EXPECT_FALSE(fs::exists(history_));

    Write(history_, "kept\n");
    EXPECT_TRUE(list.Save(history_, error));
    EXPECT_EQ(Read(history_), "kept\n");
}

TEST_F(FileHistoryListTest, UnusableHistoryPathsFailWithoutBlocking)
{
    const std::string a = Data("A.slab");
    FileHistoryList list;
    list.Remake(a);
    std::string error;

    // A folder where the file should be, and a path under a plain file.
    fs::create_directory(history_);
    EXPECT_FALSE(list.Save(history_, error));
    EXPECT_FALSE(error.empty());
    fs::remove(history_);
    EXPECT_FALSE(list.Save(a + "/Korvexa~DataFile.history", error));
    EXPECT_FALSE(error.empty());

    // A FIFO is neither read (that would wait for a writer) nor written.
    ASSERT_EQ(::mkfifo(history_.c_str(), 0600), 0);
    list.Load(history_);
    EXPECT_TRUE(list.Entries().empty());
    list.Remake(a);
    EXPECT_FALSE(list.Save(history_, error));
    EXPECT_TRUE(fs::is_fifo(history_));

    // No temporary files are left behind.
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(dir_))
        left.push_back(entry.path());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<fs::path>{a, history_}));
}

TEST_F(FileHistoryListTest, SaveThroughALinkReplacesWhatItNames)
{
    const std::string a = Data("A.slab");
    const std::string real = (dir_ / "real.history").string();
    Write(real, "");
    fs::create_symlink(real, history_);
    FileHistoryList list;
    list.Remake(a);
    std::string error;
    ASSERT_TRUE(list.Save(history_, error)) << error;
    EXPECT_TRUE(fs::is_symlink(history_));
    EXPECT_EQ(Read(real), Lines({a}));
}

}  // namespace
