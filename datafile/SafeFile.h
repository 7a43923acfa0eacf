// Replacing a file's contents so that a failure never loses the old file.
// Plain C++ on POSIX calls; no Qt.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace korvexa::datafile {

// Writes `bytes` into a new, uniquely named file beside `path`, gives it the
// permission bits of the file it replaces, flushes it to the disk and renames
// it over `path`; the folder is flushed too, so that the rename lasts.
//
// A symbolic link is kept and what it names is replaced; a link that names
// nothing is itself replaced by the new file.  A target that exists but is not a regular file (a
// folder, a FIFO, a device) is refused without being opened, so it can never
// block the caller.  Nothing is opened at the target itself.
//
// After a save, temporary files of the same pattern for the same target
// whose writing process no longer runs (a save that was killed) are removed.
//
// On failure the old file is as it was, no temporary file is left behind,
// and `error` holds a short Japanese text of what went wrong (with the
// system's reason); the caller may put its own words in front of it.
bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes, std::string& error);

// The same with the contents written by `write` into a stream of the new
// file, piece by piece, so that a large output is never held whole.  False
// from `write` abandons the file (the old one stays), as a failed write does.
bool ReplaceFileContents(const std::filesystem::path& path, const std::function<bool(std::ostream&)>& write,
                         std::string& error);

}  // namespace korvexa::datafile
