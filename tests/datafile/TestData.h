// Data sets and hand-built files for the data file tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/DataSet.h"

namespace korvexa::datafile::test {

// A two-way slab that designs (Bind 1, 3.6 m × 5.4 m).
SlabData DesignableSlab(std::string name);

// A data set of `count` designed slabs drawn at random from every edge
// condition, load case and option, with random settings and layout.
DataSet RandomDataSet(unsigned seed, int count);

// Builds file bytes field by field, the way a program of any version did.
class FileBuilder {
public:
    FileBuilder& Int(std::int32_t v);
    FileBuilder& Real(double v);
    FileBuilder& Bytes(std::initializer_list<std::uint8_t> bytes);
    FileBuilder& Fixed(std::string_view text, std::size_t size);  // text already in CP932
    FileBuilder& Counted(std::string_view text);                  // L = size + 1
    const std::string& bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

// A whole file as a program of version `v` wrote it (the fields that
// version had, texts in CP932, `Bind` written as stored).
std::string LegacyFile(std::string_view versionText, int v, const CommonSettings& settings,
                       const std::vector<SlabData>& slabs, const PrintLayout& layout);

// Reads the little-endian numbers of a file at a byte offset.
std::int32_t IntAt(std::string_view bytes, std::size_t offset);
double RealAt(std::string_view bytes, std::size_t offset);

// A fresh folder under the test temporary folder, removed on destruction.
// The names in a folder, sorted (to see that no temporary file is left).
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace korvexa::datafile::test
