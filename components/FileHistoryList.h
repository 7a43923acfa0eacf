// The recent-file list without any user interface: which data files stand
// on it, in which order, and how it is kept in the history file between
// runs.  TFileHistory (FileHistory.h) shows it in the File menu.
//
// The list holds the files used before the one that is open now, most
// recent first.  The open file itself (Current()) never stands on the list:
// when another file becomes current, the previous one moves to the head of
// the list and the new one leaves it.  The list holds at most ItemsMax()
// entries; the history file holds the current file followed by the list,
// so at most ItemsMax() + 1 names.
//
// History file: UTF-8 text (the bytes of the file names as the file system
// gives them, which is UTF-8 on Linux), one full path per line, each line
// ended by LF, most recent first, no header.  A CR before the LF is
// accepted when reading.  Names are compared exactly: Linux file names are
// case sensitive, so "Plan.slab" and "plan.slab" are two files.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace korvexa {

class FileHistoryList {
public:
    static constexpr std::size_t kDefaultItemsMax = 10;

    explicit FileHistoryList(std::size_t itemsMax = kDefaultItemsMax);

    std::size_t ItemsMax() const { return itemsMax_; }
    // Changes the limit; a list longer than the new limit is cut at its end.
    void SetItemsMax(std::size_t itemsMax);

    // Replaces the list by the names in `historyFile` and empties the current
    // file.  Lines naming files that no longer exist (or that are not plain
    // files), lines holding a zero byte, blank lines and repeated names are
    // dropped; of the rest the
    // first ItemsMax() are kept.  A history file that is missing, unreadable
    // or not a plain file gives an empty list and is not reported: the
    // history is a convenience, not data.
    void Load(const std::filesystem::path& historyFile);

    // The current file changes to `name` (empty: no file, an untitled data
    // set).  The previous current file, if it still exists, goes to the head
    // of the list; `name` leaves the list.  Returns true when Entries()
    // changed.
    bool Remake(const std::string& name);

    const std::string& Current() const { return current_; }
    const std::vector<std::string>& Entries() const { return entries_; }

    // The names the history file receives: the current file when it exists,
    // then the entries.  Names that cannot be stored on one line are left
    // out.
    std::vector<std::string> NamesToSave() const;

    // Writes NamesToSave() to `historyFile`, replacing it as a whole through
    // a temporary file beside it, so a failed write leaves the old file
    // intact.  With nothing to write the file is neither created nor
    // touched.  Returns false with a reason in `error` when writing failed.
    // The list itself is not changed, so Save may be called any number of
    // times.
    bool Save(const std::filesystem::path& historyFile, std::string& error) const;

    // Whether `name` is an existing plain file (links followed).
    static bool FileExists(const std::string& name);

private:
    void Cut();

    std::size_t itemsMax_;
    std::vector<std::string> entries_;
    std::string current_;
};

}  // namespace korvexa
