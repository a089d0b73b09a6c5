#pragma once

// Runs the linked tests inside a QApplication on the offscreen platform (so that they need no
// display), with the time zone and the date and number formats pinned.
int RunWidgetTests(int argc, char** argv);
