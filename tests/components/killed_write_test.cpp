// A settings or recent-file list write killed at any moment leaves the old
// file or the new one, never a part of either.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "components/FileHistoryList.h"
#include "datafile/ProfileFile.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A writer of one file: `write(round)` replaces it with one of two
// contents, `whole(bytes)` tells a whole file of either from anything else.
struct Writer {
    const char* what;
    fs::path file;
    std::function<void(int round)> write;
    std::function<bool(const std::string& bytes)> whole;
};

bool TemporaryLeft(const fs::path& file)
{
    for (const auto& entry : fs::directory_iterator(file.parent_path()))
        if (entry.path().filename().string().starts_with("." + file.filename().string() + "."))
            return true;
    return false;
}

// Kills a child that writes over and over, at moments picked at random,
// until five kills have landed within a write (a temporary file was left)
// or 400 were tried; after each kill the file must be whole.
void KillWhileWriting(const Writer& w)
{
    // The kills fall within the first few writes of the child, as long as
    // this machine takes for them: a sanitizer build or a busy machine
    // writes many times slower.
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < 3; ++round)
        w.write(round);
    const long long roundMicros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count() / 3;
    std::mt19937 random(20261209);
    std::uniform_int_distribution<long long> delay(0, std::max(1000LL, 4 * roundMicros));  // µs
    int withinWrite = 0;
    for (int attempt = 0; attempt < 400 && withinWrite < 5; ++attempt) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int round = 1;; ++round)
                w.write(round);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ASSERT_TRUE(w.whole(Read(w.file))) << w.what << ": a part of a file after kill " << attempt;
        withinWrite += TemporaryLeft(w.file) ? 1 : 0;
    }
    EXPECT_GT(withinWrite, 0) << w.what << ": no kill landed within a write";
    // The next change of the file removes what the killed writes left
    // (a write of the value already there changes nothing).
    w.write(1);
    w.write(2);
    EXPECT_FALSE(TemporaryLeft(w.file)) << w.what;
}

class KilledWrite : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("korvexa_killed_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(KilledWrite, SettingsFileIsOldOrNew)
{
    // 64 KB per value: the write and its flush take most of each round.
    const std::string values[2] = {std::string(1 << 16, 'a'), std::string(1 << 16, 'b')};
    const fs::path ini = folder_ / "#Korvexa#.ini";
    {
        std::ofstream(ini, std::ios::binary) << "[Big]\r\nValue=\r\n[End]\r\nMark=1\r\n";
    }
    KillWhileWriting({"settings", ini,
                      [&](int round) {
                          korvexa::datafile::ProfileFile file(ini);
                          file.WriteString("Big", "Value", values[round % 2]);
                      },
                      [&](const std::string&) {
                          const korvexa::datafile::ProfileFile file(ini);
                          const std::string value = file.ReadString("Big", "Value", "");
                          return (value == values[0] || value == values[1]) && file.ReadString("End", "Mark", "") == "1";
                      }});
}

TEST_F(KilledWrite, HistoryFileIsOldOrNew)
{
    // Three hundred existing files of long names, the first two taking
    // turns as the open one.
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back((folder_ / (std::to_string(i) + std::string(200, 'x') + ".slab")).string());
        std::ofstream(names.back()) << "slab";
    }
    korvexa::FileHistoryList lists[2] = {korvexa::FileHistoryList(names.size()), korvexa::FileHistoryList(names.size())};
    std::string contents[2];
    for (int turn = 0; turn < 2; ++turn) {
        for (auto it = names.rbegin(); it != names.rend(); ++it)
            lists[turn].Remake(*it);
        lists[turn].Remake(names[turn]);
        for (const std::string& name : lists[turn].NamesToSave())
            contents[turn] += name + '\n';
    }
    ASSERT_NE(contents[0], contents[1]);
    const fs::path history = folder_ / "Korvexa~DataFile.history";
    KillWhileWriting({"history", history,
                      [&](int round) {
                          std::string error;
                          lists[round % 2].Save(history, error);
                      },
                      [&](const std::string& bytes) { return bytes == contents[0] || bytes == contents[1]; }});
}

}  // namespace
