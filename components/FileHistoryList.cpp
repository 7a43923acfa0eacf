#include "components/FileHistoryList.h"

#include "datafile/SafeFile.h"

#include <algorithm>
#include <fstream>

namespace korvexa {

namespace {

// A name on a line of its own that the file system takes whole: a zero
// byte would end it early, so that "a.slab\0x" would stand for "a.slab".
bool StorableName(const std::string& name)
{
    return !name.empty() && name.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
}

}  // namespace

FileHistoryList::FileHistoryList(std::size_t itemsMax) : itemsMax_(itemsMax) {}

void FileHistoryList::SetItemsMax(std::size_t itemsMax)
{
    itemsMax_ = itemsMax;
    Cut();
}

void FileHistoryList::Cut()
{
    if (entries_.size() > itemsMax_)
        entries_.resize(itemsMax_);
}

bool FileHistoryList::FileExists(const std::string& name)
{
    if (name.empty())
        return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(name, ec);
}

void FileHistoryList::Load(const std::filesystem::path& historyFile)
{
    entries_.clear();
    current_.clear();
    // Only a plain file is opened: reading a FIFO named here would block.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(historyFile, ec))
        return;
    std::ifstream in(historyFile, std::ios::binary);
    std::string line;
    while (entries_.size() < itemsMax_ && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!StorableName(line) || !FileExists(line) ||
            std::find(entries_.begin(), entries_.end(), line) != entries_.end())
            continue;
        entries_.push_back(line);
    }
}

bool FileHistoryList::Remake(const std::string& name)
{
    const std::vector<std::string> before = entries_;
    if (FileExists(current_)) {
        // The current file never stands on the list, but a name can come back
        // after it was dropped as missing; keep one copy at the head.
        std::erase(entries_, current_);
        entries_.insert(entries_.begin(), current_);
    }
    if (!name.empty())
        std::erase(entries_, name);
    current_ = name;
    Cut();
    return entries_ != before;
}

std::vector<std::string> FileHistoryList::NamesToSave() const
{
    std::vector<std::string> names;
    if (FileExists(current_) && StorableName(current_))
        names.push_back(current_);
    for (const std::string& entry : entries_)
        if (StorableName(entry) && entry != current_)
            names.push_back(entry);
    return names;
}

bool FileHistoryList::Save(const std::filesystem::path& historyFile, std::string& error) const
{
    error.clear();
    const std::vector<std::string> names = NamesToSave();
    if (names.empty())
        return true;
    std::string bytes;
    for (const std::string& name : names)
        bytes += name + '\n';
    return datafile::ReplaceFileContents(historyFile, bytes, error);
}

}  // namespace korvexa
