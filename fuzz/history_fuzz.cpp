// libFuzzer target: any bytes as the recent-file list
// "Korvexa~DataFile.history".  The list read names each existing data
// file once, on a line of its own, at most ItemsMax() of them; written
// out and read again it is the same list.
//
// The target has a folder of its own holding a few files; a line of the
// input that does not begin with "/" is taken within that folder, so that
// the names of the dictionary name existing files.
#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "components/FileHistoryList.h"

using namespace korvexa;
using korvexa::fuzz::Broken;

namespace {

void MakeFiles()
{
    std::filesystem::create_directories(fuzz::Folder() / "sub");
    for (const char* name : {"a.slab", "b.slab", "c.slab", "日本語.slab", "sub/d.slab", "A.slab"})
        fuzz::WriteFile(name, "x");
}

// The input with each line not beginning with "/" put in the folder.
std::string WithinFolder(std::string_view input)
{
    const std::string folder = fuzz::Folder().string() + "/";
    std::string out;
    bool lineStart = true;
    for (char c : input) {
        if (lineStart && c != '/' && c != '\n')
            out += folder;
        out += c;
        lineStart = c == '\n';
    }
    return out;
}

void CheckEntries(const FileHistoryList& list)
{
    const auto& entries = list.Entries();
    if (entries.size() > list.ItemsMax())
        Broken("more entries than ItemsMax()");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& name = entries[i];
        if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            Broken("an entry holds a line break or a zero byte", name);
        if (!FileHistoryList::FileExists(name))
            Broken("an entry names no existing file", name);
        if (std::find(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(i), name) !=
            entries.begin() + static_cast<std::ptrdiff_t>(i))
            Broken("an entry stands twice", name);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool made = (MakeFiles(), true);
    (void)made;
    FileHistoryList list(4);
    list.Load(fuzz::WriteFile("Korvexa~DataFile.history", WithinFolder({reinterpret_cast<const char*>(data), size})));
    CheckEntries(list);

    std::string error;
    const std::filesystem::path saved = fuzz::Folder() / "saved.history";
    std::filesystem::remove(saved);
    if (!list.Save(saved, error))
        Broken("the list could not be written", error);
    FileHistoryList again(4);
    again.Load(saved);
    if (again.Entries() != list.Entries())
        Broken("the list written reads back as another list");
    return 0;
}
