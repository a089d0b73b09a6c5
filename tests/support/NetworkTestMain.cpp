// Entry point of the widget tests that talk to the loopback servers: libcurl is set up before any
// thread starts.
#include "CurlGlobal.h"
#include "WidgetTests.h"

int main(int argc, char** argv)
{
    const CurlGlobal curl;
    return RunWidgetTests(argc, argv);
}
