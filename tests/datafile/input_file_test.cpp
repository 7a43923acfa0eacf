// Reading with a size limit: an endless source stops there.
#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <thread>

#include "TestData.h"
#include "datafile/FileReading.h"

namespace korvexa::datafile {
namespace {

TEST(InputFile, InputBeyondTheLimitIsRefused)
{
    test::TempFolder folder;
    test::WriteBytes(folder / "exact", std::string(1000, 'x'));
    test::WriteBytes(folder / "large", std::string(1001, 'x'));
    std::string bytes;
    InputFile exact(folder / "exact", InputKind::RegularFile, 1000);
    EXPECT_TRUE(exact.ReadAll(bytes));
    EXPECT_EQ(bytes.size(), 1000u);
    const InputFile large(folder / "large", InputKind::RegularFile, 1000);
    EXPECT_EQ(large.error(), "大きすぎます（1000 バイト まで）");  // refused before reading

    // A pipe tells its size only by running over.
    std::signal(SIGPIPE, SIG_IGN);  // the writer ends on the broken pipe
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::thread writer([&] {
        const std::string chunk(4096, 'y');
        while (::write(fds[1], chunk.data(), chunk.size()) > 0) {
        }
    });
    InputFile pipe("/proc/self/fd/" + std::to_string(fds[0]), InputKind::RegularFileOrPipe, 1 << 20);
    EXPECT_FALSE(pipe.ReadAll(bytes));
    EXPECT_EQ(pipe.error(), "大きすぎます（1 MiB まで）");
    ::close(fds[0]);
    writer.join();
    ::close(fds[1]);
}

}  // namespace
}  // namespace korvexa::datafile
