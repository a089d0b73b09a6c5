#include "BwList.h"
#include "CurlGlobal.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    // Before any thread: send and remove reach FTP and web servers.
    const CurlGlobal curl;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return RunBwList(arguments, std::cin, std::cout, std::cerr);
}
