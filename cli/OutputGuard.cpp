#include "cli/OutputGuard.h"

#include <sys/stat.h>

#include <ostream>

namespace korvexa::cli {

bool IsOneOfTheInputs(const std::string& output, std::initializer_list<std::string> inputs)
{
    struct stat out {};
    if (::stat(output.c_str(), &out) != 0)
        return false;
    for (const std::string& input : inputs) {
        struct stat in {};
        if (!input.empty() && ::stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
            return true;
    }
    return false;
}

bool CheckOutputIsNotInput(const std::string& output, std::initializer_list<std::string> inputs, std::ostream& err)
{
    if (!IsOneOfTheInputs(output, inputs))
        return true;
    err << "korvexa-cli: 出力ファイルが入力ファイルと同じです。書き込みません\n" << output << "\n";
    return false;
}

}  // namespace korvexa::cli
