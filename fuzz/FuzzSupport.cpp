#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace korvexa::fuzz {

namespace {

// In memory where there is a tmpfs: each input is written to a file, and
// the writers flush to the disk.
std::string BaseFolder()
{
    if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp)
        return tmp;
    std::error_code ec;
    return std::filesystem::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
}

std::filesystem::path MakeFolder()
{
    std::string pattern = BaseFolder() + "/korvexa-fuzz-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        Broken("no folder for the files of the target");
    return pattern;
}

struct FolderHolder {
    std::filesystem::path path = MakeFolder();
    ~FolderHolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

}  // namespace

const std::filesystem::path& Folder()
{
    static const FolderHolder folder;
    return folder.path;
}

std::filesystem::path WriteFile(std::string_view name, std::string_view bytes)
{
    const std::filesystem::path path = Folder() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        Broken("the input could not be written to a file", path.string());
    return path;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Broken(std::string_view rule, std::string_view detail)
{
    std::fprintf(stderr, "broken rule: %.*s\n", static_cast<int>(rule.size()), rule.data());
    if (!detail.empty())
        std::fprintf(stderr, "  %.*s\n", static_cast<int>(detail.size()), detail.data());
    std::abort();
}

}  // namespace korvexa::fuzz
