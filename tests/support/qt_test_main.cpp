// The GUI tests need a QApplication for their whole run, on Qt's offscreen
// platform unless told otherwise; this main replaces GoogleTest's own. While a
// test waits for something, the event loop turns.
#include "support/wait_for.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    murmex::test::SetWaitIdleStep(
        [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
