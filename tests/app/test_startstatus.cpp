// The real program started where no window system can be used: exit status 255 (-1) and one
// line on standard error that says why, never an abort.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Plattform {
    const char* qpa;      // QT_QPA_PLATFORM, nullptr: not set
    const char* display;  // DISPLAY, nullptr: not set
    const char* erwartet; // in the message
};

TEST(Startstatus, WithoutAUsablePlatformTheProgramEndsWith255AndOneLine) {
    const Plattform faelle[] = {
        {"xcb", nullptr, "DISPLAY"},                             // refused before Qt is asked
        {nullptr, nullptr, "no display"},                        // Qt's default platform, no display at all
        {"vkr-keine-plattform", nullptr, "vkr-keine-plattform"}, // Qt's own failure, caught
        {"xcb", ":97", ":97"},                                   // a display that does not answer
    };
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    for (const Plattform& f : faelle) {
        SCOPED_TRACE(f.erwartet);
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            umgebung.remove(name);
        umgebung.insert("XDG_RUNTIME_DIR", ordner.path()); // no Wayland socket there
        if (f.qpa) umgebung.insert("QT_QPA_PLATFORM", f.qpa);
        if (f.display) umgebung.insert("DISPLAY", f.display);
        QProcess programm;
        programm.setProcessEnvironment(umgebung);
        programm.setWorkingDirectory(ordner.path());
        programm.start(VKR_PROGRAMM, {});
        ASSERT_TRUE(programm.waitForFinished(20000));
        EXPECT_EQ(programm.exitStatus(), QProcess::NormalExit); // no abort, no core dump
        EXPECT_EQ(programm.exitCode(), 255);
        const QString fehler = QString::fromLocal8Bit(programm.readAllStandardError());
        EXPECT_EQ(fehler.count(QLatin1Char('\n')), 1) << fehler.toStdString();
        EXPECT_TRUE(fehler.contains(QLatin1String(f.erwartet))) << fehler.toStdString();
        EXPECT_TRUE(programm.readAllStandardOutput().isEmpty());
    }
}

} // namespace
