// Saving never loses the file that was there.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "TestData.h"
#include "datafile/DataFile.h"
#include "datafile/SafeFile.h"

namespace korvexa::datafile {
namespace {

namespace fs = std::filesystem;

class SafeWrite : public testing::Test {
protected:
    test::TempFolder folder;
    DataSet data = test::RandomDataSet(5, 20);
    fs::path path = folder / "floor.slab";
};

TEST_F(SafeWrite, ReplacesTheOldFileAndLeavesNoTemporaryFile)
{
    test::WriteBytes(path, "old contents");
    ::chmod(path.c_str(), 0640);
    const WriteResult w = WriteDataFile(path, data);
    ASSERT_TRUE(w.ok) << w.error.detail;
    EXPECT_EQ(test::ReadBytes(path), EncodeDataFile(data));
    EXPECT_EQ(test::FolderEntries(folder.path()), std::vector<std::string>{"floor.slab"});
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(SafeWrite, FailedWriteKeepsTheOldFile)
{
    test::WriteBytes(path, "old contents");
    // Files may grow to 1000 bytes only: the data set does not fit.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const WriteResult w = WriteDataFile(path, data);
    ::setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(w.ok);
    EXPECT_EQ(w.error.message, kSaveFailedMessage);
    EXPECT_FALSE(w.error.detail.empty());
    EXPECT_EQ(test::ReadBytes(path), "old contents");
    EXPECT_EQ(test::FolderEntries(folder.path()), std::vector<std::string>{"floor.slab"});
}

TEST_F(SafeWrite, FailedReplaceRemovesTheTemporaryFile)
{
    fs::create_directory(path);  // a folder of that name cannot be replaced
    test::WriteBytes(path / "inside", "x");
    const WriteResult w = WriteDataFile(path, data);
    EXPECT_FALSE(w.ok);
    EXPECT_EQ(w.error.message, kSaveFailedMessage);
    EXPECT_EQ(test::FolderEntries(folder.path()), std::vector<std::string>{"floor.slab"});
    EXPECT_EQ(test::ReadBytes(path / "inside"), "x");

    const WriteResult missing = WriteDataFile(folder / "no-such-folder" / "a.slab", data);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error.message, kSaveFailedMessage);
}

TEST_F(SafeWrite, ValuesThatWouldNotReadBackAreRefused)
{
    test::WriteBytes(path, "old contents");
    SlabData& slab = data.slabs.front();
    ASSERT_TRUE(slab.Calculated);
    slab.Pitch[1][0] = 2147483647;  // far beyond any pitch box
    const WriteResult w = WriteDataFile(path, data);
    EXPECT_FALSE(w.ok);
    EXPECT_EQ(w.error.message, kSaveFailedMessage);
    EXPECT_NE(w.error.detail.find("Pitch[1][0]"), std::string::npos) << w.error.detail;
    EXPECT_EQ(test::ReadBytes(path), "old contents");
    EXPECT_EQ(test::FolderEntries(folder.path()), std::vector<std::string>{"floor.slab"});
}

TEST_F(SafeWrite, TemporaryFilesOfKilledSavesAreRemoved)
{
    // A process that has ended stands for a save that was killed.
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ASSERT_GT(gone, 0);
    ::waitpid(gone, nullptr, 0);
    const auto temporary = [](const char* target, pid_t pid) {
        return "." + std::string(target) + "." + std::to_string(pid) + ".0.tmp";
    };
    const std::vector<std::string> kept = {
        temporary("floor.slab", ::getppid()),  // its writer still runs
        temporary("other.slab", gone),         // another file's
        ".floor.slab.12x.0.tmp",               // not the pattern
    };
    for (const std::string& name : kept)
        test::WriteBytes(folder / name, "partial");
    test::WriteBytes(folder / temporary("floor.slab", gone), std::string(1 << 20, 'x'));

    ASSERT_TRUE(WriteDataFile(path, data).ok);
    std::vector<std::string> expected = kept;
    expected.push_back("floor.slab");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::FolderEntries(folder.path()), expected);
}

TEST_F(SafeWrite, ReadOnlyFileIsNotReplaced)
{
    test::WriteBytes(path, "old contents");
    ::chmod(path.c_str(), 0444);
    EXPECT_TRUE(IsReadOnlyFile(path));
    const WriteResult w = WriteDataFile(path, data);
    EXPECT_FALSE(w.ok);
    EXPECT_NE(w.error.detail.find("読み取り専用"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(path), "old contents");
    EXPECT_FALSE(IsReadOnlyFile(folder / "absent.slab"));
}

TEST_F(SafeWrite, WritesThroughALink)
{
    test::WriteBytes(path, "old contents");
    const fs::path link = folder / "link.slab";
    fs::create_symlink(path, link);
    ASSERT_TRUE(WriteDataFile(link, data).ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::ReadBytes(path), EncodeDataFile(data));
}

TEST_F(SafeWrite, ALinkThatNamesNothing)
{
    const fs::path link = folder / "link.slab";
    fs::create_symlink(folder / "gone.slab", link);

    // A data file is only saved into a file that is there.
    const WriteResult w = WriteDataFile(link, data);
    EXPECT_FALSE(w.ok);
    EXPECT_NE(w.error.detail.find("リンク先"), std::string::npos);
    EXPECT_EQ(test::FolderEntries(folder.path()), std::vector<std::string>{"link.slab"});

    // The plain replacement (settings, file history) puts a file in its place.
    std::string error;
    ASSERT_TRUE(ReplaceFileContents(link, "new", error)) << error;
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_EQ(test::ReadBytes(link), "new");
    EXPECT_EQ(test::FolderEntries(folder.path()), std::vector<std::string>{"link.slab"});
}

}  // namespace
}  // namespace korvexa::datafile
