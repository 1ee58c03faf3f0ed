#pragma once
// The vkr3x tool as its own process, in a working directory of its own, against a simulated
// regulator line served in this process on a pseudo-terminal.

#include "sim/simulator.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct Lauf {
    int exitCode;
    std::string aus;    // standard output
    std::string fehler; // standard error
};

class CliTest : public ::testing::Test {
  protected:
    // The regulators on the line; a version-b regulator at address 1 unless a test says otherwise.
    virtual void GeraeteAnschliessen() { sim.addDevice('1', vkr3xsim::DeviceKind::VersionB); }

    void SetUp() override {
        GeraeteAnschliessen();
        pfad = QString::fromStdString(sim.open());
        ASSERT_FALSE(pfad.isEmpty());
        sim.start();
        ASSERT_TRUE(verzeichnis.isValid());
    }
    void TearDown() override { sim.stop(); }

    // Runs vkr3x with args; with the line, the simulator's device and a short time-out are added.
    Lauf Starten(QStringList args, bool mitLeitung = true) {
        if (mitLeitung)
            args << "--device" << pfad << "--timeout"
                 << "0.1";
        QProcess p;
        p.setWorkingDirectory(verzeichnis.path());
        if (!ausgabe.isEmpty()) p.setStandardOutputFile(ausgabe);
        if (!umgebung.isEmpty()) p.setProcessEnvironment(umgebung);
        p.start(VKR3X_EXE, args);
        EXPECT_TRUE(p.waitForFinished(60000)) << args.join(' ').toStdString();
        return {p.exitCode(), p.readAllStandardOutput().toStdString(),
                p.readAllStandardError().toStdString()};
    }

    std::string Datei(const char* name) const { return verzeichnis.filePath(name).toStdString(); }

    vkr3xsim::Simulator sim;
    QString pfad;
    QString ausgabe;              // a file standard output goes to instead of the test
    QProcessEnvironment umgebung; // the environment of the runs when not empty
    QTemporaryDir verzeichnis;
};
