// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// A print server a test starts for itself and stops again, so that it never depends on, nor
// changes, the machine's own print system, and the process helpers it is built on. Each
// child process is stopped by the kernel when the test process ends, however it ends.

namespace testsupport {

// Starts `program` in `process` so that it receives SIGTERM when the test process dies.
void startTiedToThisProcess(QProcess &process, const QString &program, const QStringList &args);

// Stops a process started by this test: SIGTERM, then SIGKILL after a few seconds.
void stopProcess(QProcess &process);

// Polls `ready` every 50 ms until it holds (true) or `timeoutMs` have passed (false).
bool waitFor(const std::function<bool()> &ready, int timeoutMs);

// `name` on PATH, or in /usr/sbin or /sbin (where the CUPS administration tools live and
// where a non-root PATH may not reach); "" when it is nowhere.
QString findTool(const QString &name);

// A CUPS scheduler of the test's own: configuration, spool, logs and its socket in a
// temporary folder, queues that write PDF files into that folder. Works as root and as an
// ordinary user; nothing of the machine's print system is read or changed.
class CupsServer
{
public:
    CupsServer() = default;
    CupsServer(const CupsServer &) = delete;
    CupsServer &operator=(const CupsServer &) = delete;
    ~CupsServer();

    // Starts cupsd and waits until it answers. False, with the reason in `error`, when the
    // scheduler is not installed or did not come up.
    bool start(QString *error);
    void stop();

    // The scheduler's socket: the value of CUPS_SERVER for programs that should use it.
    QString socketPath() const;

    // Points this process's own print system client at the server: sets CUPS_SERVER and
    // clears LPDEST and PRINTER, which would name another default. Call before the first
    // use of printing in the process.
    void useInThisProcess() const;

    // `base` with CUPS_SERVER set to this server (LPDEST and PRINTER cleared).
    QProcessEnvironment
    environment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const;

    // Adds an enabled queue `name` that accepts jobs and writes each one, as a PDF file, to
    // pdfPath(name) (each job replaces the last one's file). With `makeDefault` it becomes
    // this server's default destination.
    bool addPdfQueue(const QString &name, bool makeDefault, QString *error);
    QString pdfPath(const QString &queue) const;

    // Runs a CUPS administration tool (lpadmin, cupsreject, cupsdisable, lpstat…) against
    // this server. False, with the tool's output in `error`, when it failed.
    bool runTool(const QString &tool, const QStringList &args, QString *error = nullptr,
                 QByteArray *output = nullptr) const;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_process;
};

} // namespace testsupport
