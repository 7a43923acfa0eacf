// What the fuzz targets share: a folder of their own for the files their
// readers open, and the report of a broken rule.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvexa::fuzz {

// A folder made on first use under $TMPDIR (else /dev/shm, else /tmp) and
// removed when the process ends.
const std::filesystem::path& Folder();

// Replaces the file `name` in Folder() with `bytes`; returns its path.
std::filesystem::path WriteFile(std::string_view name, std::string_view bytes);

// The bytes of a file (empty when it cannot be read).
std::string ReadFile(const std::filesystem::path& path);

// Names the rule the input broke and stops; libFuzzer keeps the input.
[[noreturn]] void Broken(std::string_view rule, std::string_view detail = {});

}  // namespace korvexa::fuzz
