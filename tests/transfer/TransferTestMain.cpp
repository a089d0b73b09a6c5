// Entry point of the transfer tests: libcurl set up before any thread, and a QCoreApplication so
// that notices can be posted and waits can process events.
#include "CurlGlobal.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const CurlGlobal curl;
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
