// Entry point of test programs that need a QApplication: widgets, timers, serial ports.
// Without a display the offscreen platform is used, so the tests run headless in CI.
#include <QApplication>
#include <gtest/gtest.h>

namespace {

// The offscreen platform reports every window feature it lacks; that says nothing about the
// program and would bury real warnings.
void Nachrichtenfilter(QtMsgType typ, const QMessageLogContext& kontext, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    qt_message_output(typ, kontext, text);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(Nachrichtenfilter);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
