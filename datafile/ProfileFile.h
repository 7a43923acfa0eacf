// The settings file: a Windows profile ("INI") file.
//
//   ; comment
//   [Section]
//   Key=Value
//
// Section and key names are compared without regard to the case of ASCII
// letters; blanks around names and values are ignored; a value enclosed in a
// pair of double or single quotes is read without them.  The first section
// of a name and the first key of a name in it count.
//
// Every call works on the file itself, as the profile functions of the
// other platform do: a read opens and parses the file, a write reads it,
// changes the one line and writes it back.  Writing keeps every other line,
// comment, blank line and the order as they were; a new key goes after the
// last entry of its section, a new section at the end of the file.  The file
// is written only when the value changes, with CRLF line ends, and safely:
// into a temporary file beside it that then replaces it, so that a failed
// write leaves the old file as it was.
//
// Texts are UTF-8 in memory and CP932 in the file.  A write whose section,
// key or value CP932 cannot hold, or that would break the line structure
// (a line break in a value, "]" in a section name, "=" in a key), is
// refused rather than written damaged.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvexa::datafile {

class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& Path() const { return path_; }
    bool Exists() const;

    // The value of `key` in `section`, or the default when the file, the
    // section or the key is missing or the file cannot be read.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // The value read as a whole decimal integer ("-5", "+12"; blanks around
    // it allowed); the default when it is missing, empty, not such an
    // integer or out of range.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // The value read as a whole decimal real ("0.35", "1e-05"); the default
    // otherwise.
    double ReadReal(std::string_view section, std::string_view key, double defaultValue) const;
    // ReadInteger(..., default ? 1 : 0) != 0.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    // Sets one value, creating the file, the section or the key when
    // missing.  True when the file holds the value afterwards; false, with
    // LastError(), when it could not be written (the file is then as it
    // was).
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, long long value);
    // The shortest text that reads back as the same double.
    bool WriteReal(std::string_view section, std::string_view key, double value);
    // "1" or "0".
    bool WriteBool(std::string_view section, std::string_view key, bool value);

    // Why the last write failed (Japanese, for a message box).
    const std::string& LastError() const { return lastError_; }

private:
    std::filesystem::path path_;
    std::string lastError_;
};

}  // namespace korvexa::datafile
