// An output named on the command line must never be one of the command's
// inputs: writing it would destroy what is being read.
#pragma once

#include <initializer_list>
#include <iosfwd>
#include <string>

namespace korvexa::cli {

// Whether `output` is the same file as one of `inputs` (the same device and
// inode, so also through a symbolic or hard link).  An output that does not
// exist yet is no input.
bool IsOneOfTheInputs(const std::string& output, std::initializer_list<std::string> inputs);

// Says so on `err` when it is; true when the output may be written.
bool CheckOutputIsNotInput(const std::string& output, std::initializer_list<std::string> inputs, std::ostream& err);

}  // namespace korvexa::cli
