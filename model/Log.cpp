#include "Log.h"

#include "DataFolderLayout.h"
#include "FileIO.h"
#include "TextUtil.h"

void WriteLog(const std::filesystem::path& dataFolder, const std::string& line, const std::string& logName)
{
    AppendToFile(DataFolderLayout(dataFolder).Logs() / (logName + ".log"), line + "\r\n");
}

std::string LogField(std::string_view text)
{
    std::string field = CutText(text, LogFieldLength);
    for (char& c : field) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return field;
}
