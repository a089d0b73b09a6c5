#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What a finished run of a command-line tool left behind.
struct TToolRun
{
    int ExitCode = -1; // -1 when the process did not exit normally
    std::string Out;
    std::string Err;
};

// Runs the program in folder with the arguments, feeding input to its standard input, and waits
// for it. Output is collected through files in folder, so a chatty tool cannot block on a full pipe.
TToolRun RunTool(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::string& input, const std::filesystem::path& folder);

// A fresh folder under the system's temporary folder, removed with its contents at the end.
class TScratchFolder
{
public:
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return m_path; }
    [[nodiscard]] std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

[[nodiscard]] std::string ReadFileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes);
