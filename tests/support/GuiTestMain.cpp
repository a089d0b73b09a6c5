// The entry point of every widget test.
#include "WidgetTests.h"

int main(int argc, char** argv)
{
    return RunWidgetTests(argc, argv);
}
