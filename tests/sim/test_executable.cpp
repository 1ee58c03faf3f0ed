// The stand-alone server: prints its line first, serves the devices named on the command
// line with stdin closed, and ends cleanly on SIGTERM.

#include "tests/sim/pty_line.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Server {
    pid_t pid = -1;
    std::FILE* out = nullptr;
};

// Starts vkr3x-sim with the given arguments, stdin closed and stdout on a pipe.
Server launch(std::vector<std::string> args) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        ::close(STDIN_FILENO);
        const int devNull = ::open("/dev/null", O_WRONLY); // usage texts of the refusal cases
        if (devNull >= 0) ::dup2(devNull, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(VKR3X_SIM_EXE)};
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(VKR3X_SIM_EXE, argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    return {pid, ::fdopen(pipeFds[0], "r")};
}

std::string firstLine(std::FILE* out) {
    char buffer[256] = {};
    if (!out || !std::fgets(buffer, sizeof buffer, out)) return {};
    std::string text = buffer;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

int exitStatus(Server& server) {
    int status = 0;
    ::waitpid(server.pid, &status, 0);
    if (server.out) std::fclose(server.out);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(SimExecutable, servesTheDevicesOfItsCommandLineUntilTerminated) {
    Server server = launch({"--device", "2:a", "--device=4:foreign"});
    ASSERT_GT(server.pid, 0);
    const std::string path = firstLine(server.out);
    ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;

    simtest::PtyLine line(path);
    ASSERT_TRUE(line.isOpen());
    EXPECT_EQ(line.query("#2IDR"), "\x06#2ZEM-VKR3AX2a V1.07\r");
    EXPECT_EQ(line.query("#4IDR"), "\x06#4ACME-PSU12 V3\r");
    line.send("#1IDR\r");
    EXPECT_TRUE(line.quietFor(100)) << "no default device when devices are named";

    ::kill(server.pid, SIGTERM);
    EXPECT_EQ(exitStatus(server), 0);
}

TEST(SimExecutable, defaultsToOneVersionBRegulatorAtAddressOne) {
    Server server = launch({});
    ASSERT_GT(server.pid, 0);
    simtest::PtyLine line(firstLine(server.out));
    ASSERT_TRUE(line.isOpen());
    EXPECT_EQ(line.query("#1IDR"), "\x06#1ZEM-VKR3AX2b V2.01\r");
    ::kill(server.pid, SIGINT);
    EXPECT_EQ(exitStatus(server), 0);
}

TEST(SimExecutable, pacesItsAnswersToTheBaudRateAndCountsTheLine) {
    Server server = launch({"--baud", "1200", "--stats"});
    ASSERT_GT(server.pid, 0);
    simtest::PtyLine line(firstLine(server.out));
    ASSERT_TRUE(line.isOpen());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(line.query("#1C1R"), "\x06#1C1R1.000\r");
    // 6 bytes in and 12 out at 8.33 ms a character
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(149));
    ::kill(server.pid, SIGTERM);
    EXPECT_EQ(firstLine(server.out).rfind("frames 1 received 6 sent 12 answers 1 late ", 0), 0u);
    EXPECT_EQ(exitStatus(server), 0);
}

TEST(SimExecutable, explainsItsOptionsAndRejectsUnknownOnes) {
    Server help = launch({"--help"});
    EXPECT_EQ(firstLine(help.out).rfind("Usage: vkr3x-sim", 0), 0u);
    EXPECT_EQ(exitStatus(help), 0);

    for (const char* bad : {"--device=9:b", "--device=1:c", "--verbose", "--baud", "--adapter-latency"}) {
        Server server = launch({bad});
        EXPECT_EQ(firstLine(server.out), "") << bad;
        EXPECT_EQ(exitStatus(server), 2) << bad;
    }
}
