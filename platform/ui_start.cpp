// Start of the user-interface run-time. Qt ends the process (abort, core dump) when no window
// system platform can be initialised; the program instead reports one line on standard error
// and ends with -1 (status 255):
//   - before creating the application, a platform that plainly cannot work (xcb without
//     DISPLAY, no display at all) is refused, and InitUserInterface returns its failure;
//   - any other platform failure Qt raises while the application is created (a plugin that
//     cannot be loaded or connected) is turned into the same one line and exit status.
#include "platform/ui.h"
#include "platform/ui_runtime.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace vkrui {
namespace {

QString gProgram = QStringLiteral("vkr3xsteuerung");

void ReportFailure(const QString& why) {
    std::fprintf(stderr, "%s: cannot start the user interface: %s\n", qPrintable(gProgram), qPrintable(why));
    std::fflush(stderr);
}

bool Set(const char* variable) {
    return !qEnvironmentVariableIsEmpty(variable);
}

// The platform Qt will try: "-platform name" on the command line, else QT_QPA_PLATFORM (a list
// separated by ';', each maybe with ":options"); empty when Qt picks its default.
QStringList RequestedPlatforms(int argc, char* argv[]) {
    QString wanted = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (argv[i] && argv[i + 1] && qstrcmp(argv[i], "-platform") == 0)
            wanted = QString::fromLocal8Bit(argv[i + 1]);
    QStringList names;
    for (const QString& entry : wanted.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        names << entry.section(QLatin1Char(':'), 0, 0).trimmed();
    return names;
}

bool WaylandReachable() {
    if (Set("WAYLAND_DISPLAY")) return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("wayland-0")));
}

// Empty when the platform may work; otherwise why it cannot.
QString WhyPlatformCannotStart(int argc, char* argv[]) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QStringList platforms = RequestedPlatforms(argc, argv);
    if (platforms.isEmpty()) {
        if (Set("DISPLAY") || WaylandReachable()) return {};
        return QStringLiteral("no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    }
    for (const QString& name : platforms) {
        if (name == QLatin1String("xcb") && !Set("DISPLAY")) continue;
        if (name.startsWith(QLatin1String("wayland")) && !WaylandReachable()) continue;
        return {}; // this one may work; Qt reports it if it does not
    }
    return QStringLiteral("no display for the Qt platform \"%1\" (%2 is not set)")
        .arg(platforms.join(QLatin1Char(';')), platforms.front() == QLatin1String("xcb")
                                                   ? QStringLiteral("DISPLAY")
                                                   : QStringLiteral("WAYLAND_DISPLAY"));
#else
    (void)argc;
    (void)argv;
    return {};
#endif
}

// While the application is created: Qt's platform warnings are kept back, and its fatal
// platform error becomes one line and exit status 255 instead of an abort.
QtMessageHandler gPrevious = nullptr;
QStringList gPlatformNotes;

void StartGuard(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool platform = (context.category && qstrncmp(context.category, "qt.qpa", 6) == 0) ||
                          message.contains(QLatin1String("platform plugin"));
    if (type == QtFatalMsg) {
        static const QRegularExpression plugin(QStringLiteral("platform plugin \"([^\"]*)\""));
        QString named;
        QStringList details;
        for (const QString& note : gPlatformNotes) {
            const auto match = plugin.match(note);
            if (match.hasMatch() && named.isEmpty()) named = match.captured(1);
            if (!match.hasMatch()) details << note.trimmed();
        }
        QString why = named.isEmpty()
                          ? message.section(QLatin1Char('\n'), 0, 0).trimmed()
                          : QStringLiteral("the Qt platform \"%1\" could not be initialised").arg(named);
        if (!details.isEmpty()) why += QStringLiteral(" (%1)").arg(details.join(QStringLiteral("; ")));
        ReportFailure(why);
        std::_Exit(255);
    }
    if (platform) {
        gPlatformNotes << message;
        return;
    }
    gPrevious ? gPrevious(type, context, message) : qt_message_output(type, context, message);
}

} // namespace
} // namespace vkrui

using namespace vkrui;

int InitUserInterface(int argc, char* argv[]) {
    if (!QCoreApplication::instance()) {
        if (argc > 0 && argv && argv[0]) gProgram = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
        const QString why = WhyPlatformCannotStart(argc, argv);
        if (!why.isEmpty()) {
            ReportFailure(why);
            return UIE_NOT_INITIALIZED;
        }
        static int keptArgc = 0;
        keptArgc = argc;
        gPrevious = qInstallMessageHandler(StartGuard);
        new QApplication(keptArgc, argv);
        qInstallMessageHandler(gPrevious);
        for (const QString& note : std::exchange(gPlatformNotes, {})) // the platform came up after all
            qWarning("%s", qPrintable(note));
    }
    if (!HaveApplication()) return UIE_NOT_INITIALIZED;
    // Windows come and go as panels; only QuitUserInterface ends the loop.
    QApplication::setQuitOnLastWindowClosed(false);
    return UIE_OK;
}
