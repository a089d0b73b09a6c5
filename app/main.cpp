#include "BWClientProgram.h"

int main(int argc, char** argv)
{
    return RunBWClient(argc, argv);
}
