// A termination signal becomes an ordinary Qt signal on the main thread.
#include "TerminationWatcher.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

TEST(TerminationWatcher, TurnsSigtermSighupAndSigintIntoARequestToEnd)
{
    TerminationWatcher watcher;
    QSignalSpy requests(&watcher, &TerminationWatcher::TerminationRequested);
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
        std::raise(signalNumber);
    }
    QTRY_COMPARE_WITH_TIMEOUT(requests.count(), 3, 5000);
}
