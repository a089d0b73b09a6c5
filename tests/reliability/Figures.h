#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

// The suite's figures go to one file that the test command prints at the end of the run.
inline void RecordFigure(const std::string& line)
{
    const char* file = std::getenv("BW_RELIABILITY_FIGURES");
    if (file != nullptr && *file != '\0') {
        std::ofstream(file, std::ios::app) << line << '\n';
    }
}
