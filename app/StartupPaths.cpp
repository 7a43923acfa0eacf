#include "app/StartupPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace korvexa::app {

namespace {

constexpr const char* kCompiler = "platex";

std::string WithSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

bool IsProgram(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string TexFileNameFor(const char* tmp, const char* temp, const char* tmpdir)
{
    for (const char* folder : {tmp, temp, tmpdir})
        if (folder && *folder)
            return WithSeparator(folder) + "Korvexa.tex";
    return "/tmp/Korvexa.tex";
}

LatexTools FindLatexTools(std::string_view pathVariable)
{
    LatexTools tools;
    while (!pathVariable.empty() && tools.compiler.empty()) {
        const auto colon = pathVariable.find(':');
        const std::string folder(pathVariable.substr(0, colon));
        pathVariable = colon == std::string_view::npos ? std::string_view{} : pathVariable.substr(colon + 1);
        if (folder.empty())
            continue;
        const std::string dir = WithSeparator(folder);
        if (IsProgram(dir + kCompiler))
            tools.compiler = dir + kCompiler;
    }
    return tools;
}

std::string DefaultTexFileName()
{
    return TexFileNameFor(std::getenv("TMP"), std::getenv("TEMP"), std::getenv("TMPDIR"));
}

LatexTools FindLatexToolsOnPath()
{
    const char* path = std::getenv("PATH");
    return path ? FindLatexTools(path) : LatexTools{};
}

}  // namespace korvexa::app
