// The temporary LaTeX file and the search for the LaTeX tools.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app/StartupPaths.h"

using namespace korvexa::app;
namespace fs = std::filesystem;

TEST(StartupPaths, TexFileInTheFirstTemporaryFolderSet)
{
    EXPECT_EQ(TexFileNameFor("/var/tmp", "/other", nullptr), "/var/tmp/Korvexa.tex");
    EXPECT_EQ(TexFileNameFor("/var/tmp/", nullptr, nullptr), "/var/tmp/Korvexa.tex");
    EXPECT_EQ(TexFileNameFor(nullptr, "/temp", "/x"), "/temp/Korvexa.tex");
    EXPECT_EQ(TexFileNameFor(nullptr, nullptr, "/run/user/1000"), "/run/user/1000/Korvexa.tex");
    EXPECT_EQ(TexFileNameFor(nullptr, "", nullptr), "/tmp/Korvexa.tex");
}

class LatexToolSearch : public testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("korvexa-path-" + std::to_string(::getpid()));
        fs::create_directories(root / "a");
        fs::create_directories(root / "b");
    }
    void TearDown() override { fs::remove_all(root); }
    void Touch(const fs::path& p) { std::ofstream(p) << "#!/bin/sh\n"; }
    std::string Dir(const char* name) { return (root / name).string(); }

    fs::path root;
};

TEST_F(LatexToolSearch, FirstFolderWithTheCompilerWinsAndEmptyEntriesAreSkipped)
{
    Touch(root / "b" / "platex");
    Touch(root / "a" / "xdvi");
    EXPECT_EQ(FindLatexTools("::" + Dir("a") + "/:" + Dir("b")).compiler, Dir("b") + "/platex");
    Touch(root / "a" / "platex");
    EXPECT_EQ(FindLatexTools(Dir("a") + ":" + Dir("b")).compiler, Dir("a") + "/platex");
    EXPECT_EQ(FindLatexTools("").compiler, "");
}
