// The slab data file (".slab"): a flat little-endian binary file holding the
// design-wide settings, the bar grades, the slabs and the print layout.  Files written by every earlier version of the program are read;
// fields that an older version did not write keep their defaults.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/DataSet.h"
#include "engine/BarData.h"

namespace korvexa::datafile {

inline constexpr std::string_view kFileMagic = "#Korvexa#";
inline constexpr std::string_view kFileExtension = ".slab";

// Messages for the user; the detail of a FileError says what exactly was wrong.
inline constexpr std::string_view kCannotOpenMessage = "ファイルを開くことが出来ませんでした。";
inline constexpr std::string_view kWrongFormatMessage = "ファイル形式が違います。";
inline constexpr std::string_view kSaveFailedMessage = "データの保存に失敗しました。";

// The versions from which the fields of newer files are present.
inline constexpr int kVersionLayoutFields = 902;  // fonts, margins, even-page flags
inline constexpr int kVersionLoadUnit = 1000;     // LoadUnitFactor and LoadUnit
inline constexpr int kVersionFontStyles = 1020;
inline constexpr int kVersionOldBindLast = 1020;  // older edge-condition numbering up to here
inline constexpr int kVersionConcrete = 1030;
inline constexpr int kVersionTenFlags = 1031;     // FLAdd and the first bar in the flag bytes
inline constexpr int kVersionTitleSwitch = 1033;
inline constexpr int kVersionBottomMargin = 1102;

// The version text this program writes, and its number.
std::string_view ProgramVersionText();
int ProgramVersion();

// The version by which the fields of a file with this version text are
// read.  An empty text (written by a program without a version resource,
// which still wrote every field) means the current layout; a text that is
// not dotted numbers gives -1.
int FileVersion(std::string_view versionText);

// Shown as the message, a line break, the file name and the detail.
struct FileError {
    std::string message;  // one of the three messages above
    std::string detail;   // the place (slab, field, byte offset) and what is wrong
};

// Where the slab records lie in a file's bytes (all of one size).
struct FileParts {
    int version = 0;
    std::size_t firstSlab = 0;
    std::size_t slabSize = 0;
    std::size_t slabCount = 0;
};

struct ReadResult {
    std::optional<DataSet> data;  // present only when the file was read
    FileError error;              // when it was not
    std::vector<std::string> warnings;
    std::string versionText;      // of the program that wrote the file
    std::vector<int> designStatus;  // DesignSlab's code for each slab (after ReadDataFile)
    bool ok() const { return data.has_value(); }
};

struct WriteResult {
    bool ok = false;
    FileError error;
    std::vector<std::string> warnings;  // texts that had to be cut or changed
    int slabsWritten = 0;
};

// A name as messages show it: whole up to the 50 bytes a file holds, else
// cut there with "…" (a name of a megabyte is not echoed whole).
std::string ShortName(std::string_view name);
// "スラブ 3「S3 事務室」": a slab in messages.
std::string SlabPlace(std::size_t index, std::string_view name);

// The bytes of a data file: every slab, designed or not, in list order.
// Names longer than 50 bytes are cut at a character boundary, characters
// CP932 lacks become "?"; each such change adds a warning.
std::string EncodeDataFile(const DataSet& data, std::vector<std::string>* warnings = nullptr,
                           int* slabsWritten = nullptr);

// Reads the bytes of a data file without designing.  A field that an older
// file lacks takes its default, for the print layout the value in
// `currentLayout`.  A file without slabs gives one fresh slab "S1".
ReadResult DecodeDataFile(std::string_view bytes, const PrintLayout& currentLayout = PrintLayout{});

// A data file's bytes, checked whole when they are read, whose slabs are
// then decoded one at a time: a large file is shown or converted without
// holding every record.
class DataFileContents {
public:
    explicit DataFileContents(std::string bytes, const PrintLayout& currentLayout = PrintLayout{});
    explicit DataFileContents(FileError error);  // a file that could not be read

    bool ok() const { return error_.message.empty(); }
    const FileError& error() const { return error_; }
    const std::vector<std::string>& warnings() const { return warnings_; }
    const std::string& versionText() const { return versionText_; }
    // The settings, grades and print layout of the file; no slabs.
    const DataSet& header() const { return header_; }
    // The slabs: those of the file, or one fresh slab "S1" when it has none.
    std::size_t slabCount() const;
    SlabData Slab(std::size_t index) const;  // as stored, not designed

private:
    std::string bytes_;
    FileParts parts_;
    DataSet header_;
    FileError error_;
    std::vector<std::string> warnings_;
    std::string versionText_;
};

// Reads a data file for DataFileContents; one that cannot be read gives the
// error of ReadDataFile.
DataFileContents OpenDataFile(const std::filesystem::path& path, const PrintLayout& currentLayout = PrintLayout{});

// Designs a slab of a data set with the set's settings and bar table, first
// bringing a record held in another load unit into the set's unit.  Returns
// DesignSlab's code.
int DesignInDataSet(SlabData& slab, const CommonSettings& settings, const BarData& bars);
// The same for every slab of the set, with its own grades.
std::vector<int> DesignDataSet(DataSet& data);

// Reads and designs a data file.  On failure nothing is returned but the error.
ReadResult ReadDataFile(const std::filesystem::path& path, const PrintLayout& currentLayout = PrintLayout{});

// Writes a data file safely: into a temporary file beside it, flushed to the
// disk, then renamed over the old file.  On failure the old file is as it was
// and the temporary file is gone.  A read-only file is not replaced, nor is
// any file when the bytes would not read back (a value out of range).
WriteResult WriteDataFile(const std::filesystem::path& path, const DataSet& data);

// Whether the file exists and may not be written (it is opened as a view).
bool IsReadOnlyFile(const std::filesystem::path& path);

}  // namespace korvexa::datafile
