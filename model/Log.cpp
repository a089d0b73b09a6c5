#include "Log.h"

#include "FileIO.h"

void WriteLog(const std::filesystem::path& dataFolder, const std::string& line, const std::string& logName)
{
    AppendToFile(dataFolder / "Logs" / (logName + ".log"), line + "\r\n");
}
