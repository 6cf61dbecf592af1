// SPDX-License-Identifier: GPL-3.0-or-later
#include "private_servers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <functional>
#include <sys/prctl.h>

using namespace Qt::StringLiterals;

namespace testsupport {
namespace {

// A printer description for a queue whose "printer" is a PDF file: A4, and one filter that
// makes the job a clean PDF (CUPS's pdftopdf), as a real PDF printer's queue does.
constexpr char kPdfPrinterPpd[] = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PDFFILE.PPD"
*Manufacturer: "Local"
*Product: "(PDF file)"
*ModelName: "PDF file"
*ShortNickName: "PDF file"
*NickName: "PDF file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/vnd.cups-pdf 0 -"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Page Region: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 36 577 806"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
)ppd";

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(content) == content.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace

void startTiedToThisProcess(QProcess &process, const QString &program, const QStringList &args)
{
    // Runs in the child between fork and exec: only async-signal-safe calls.
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process.start(program, args);
}

void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

QString findTool(const QString &name)
{
    QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(name, {u"/usr/sbin"_s, u"/sbin"_s});
    return found;
}

// --- CupsServer ------------------------------------------------------------------------

CupsServer::~CupsServer()
{
    stop();
}

QString CupsServer::socketPath() const
{
    return m_dir ? m_dir->filePath(u"cups.sock"_s) : QString();
}

QString CupsServer::pdfPath(const QString &queue) const
{
    return m_dir ? m_dir->filePath(u"out/"_s + queue + u".pdf"_s) : QString();
}

bool CupsServer::start(QString *error)
{
    stop();
    const QString cupsd = findTool(u"cupsd"_s);
    if (cupsd.isEmpty()) {
        *error = u"cupsd is not installed (scripts/install-deps.sh installs it)"_s;
        return false;
    }
    // A short path: the socket's name must fit a Unix socket address (108 bytes).
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/mengjian-cups-XXXXXX"_s);
    if (!m_dir->isValid()) {
        *error = u"no temporary folder: "_s + m_dir->errorString();
        return false;
    }
    const QString root = m_dir->path();
    // Run as root, the scheduler runs its filters as the unprivileged print user, who must
    // reach the printer descriptions and spool files under this folder.
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                    | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                    | QFileDevice::ExeOther);
    for (const QString &sub : {u"spool/tmp"_s, u"cache"_s, u"state"_s, u"log"_s, u"out"_s}) {
        if (!QDir(root).mkpath(sub)) {
            *error = u"cannot make "_s + root + u'/' + sub;
            return false;
        }
    }
    const QByteArray r = QFile::encodeName(root);
    // Only the local socket, no sharing, no web pages, and nobody asked for a password:
    // the socket lives in a folder of the test's own.
    const QByteArray cupsdConf = "Listen " + r
                                 + "/cups.sock\n"
                                   "LogLevel warn\n"
                                   "Browsing No\n"
                                   "WebInterface No\n"
                                   "DefaultAuthType None\n"
                                   "<Policy default>\n"
                                   "  JobPrivateAccess all\n"
                                   "  JobPrivateValues none\n"
                                   "  SubscriptionPrivateAccess all\n"
                                   "  SubscriptionPrivateValues none\n"
                                   "  <Limit All>\n"
                                   "    Order deny,allow\n"
                                   "  </Limit>\n"
                                   "</Policy>\n";
    // FileDevice lets a queue print into a file: the PDF files the tests read.
    const QByteArray filesConf = "ServerRoot " + r
                                 + "\n"
                                   "RequestRoot "
                                 + r
                                 + "/spool\n"
                                   "TempDir "
                                 + r
                                 + "/spool/tmp\n"
                                   "CacheDir "
                                 + r
                                 + "/cache\n"
                                   "StateDir "
                                 + r
                                 + "/state\n"
                                   "AccessLog "
                                 + r
                                 + "/log/access_log\n"
                                   "ErrorLog "
                                 + r
                                 + "/log/error_log\n"
                                   "PageLog "
                                 + r
                                 + "/log/page_log\n"
                                   "FileDevice Yes\n";
    if (!writeFile(root + u"/cupsd.conf"_s, cupsdConf) || !writeFile(root + u"/cups-files.conf"_s, filesConf)
        || !writeFile(root + u"/pdf-file.ppd"_s, QByteArray(kPdfPrinterPpd))) {
        *error = u"cannot write the scheduler's configuration under "_s + root;
        return false;
    }

    m_process.setProcessChannelMode(QProcess::MergedChannels);
    startTiedToThisProcess(
        m_process, cupsd, {u"-f"_s, u"-c"_s, root + u"/cupsd.conf"_s, u"-s"_s, root + u"/cups-files.conf"_s});
    if (!m_process.waitForStarted(5000)) {
        *error = u"cupsd did not start: "_s + m_process.errorString();
        return false;
    }
    QByteArray answer;
    const bool running = waitFor(
        [&] {
            if (m_process.state() != QProcess::Running)
                return true;
            answer.clear();
            return QFile::exists(socketPath()) && runTool(u"lpstat"_s, {u"-r"_s}, nullptr, &answer)
                   && answer.contains("is running");
        },
        20000);
    if (!running || m_process.state() != QProcess::Running) {
        QFile log(root + u"/log/error_log"_s);
        const QByteArray logText = log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
        *error = u"cupsd did not come up:\n"_s
                 + QString::fromLocal8Bit(m_process.readAllStandardOutput() + logText);
        stopProcess(m_process);
        return false;
    }
    return true;
}

void CupsServer::stop()
{
    stopProcess(m_process);
    m_dir.reset();
}

void CupsServer::useInThisProcess() const
{
    qputenv("CUPS_SERVER", QFile::encodeName(socketPath()));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
}

QProcessEnvironment CupsServer::environment(QProcessEnvironment base) const
{
    base.insert(u"CUPS_SERVER"_s, socketPath());
    base.remove(u"LPDEST"_s);
    base.remove(u"PRINTER"_s);
    return base;
}

bool CupsServer::addPdfQueue(const QString &name, bool makeDefault, QString *error)
{
    if (!runTool(u"lpadmin"_s,
                 {u"-p"_s, name, u"-E"_s, u"-v"_s, u"file://"_s + pdfPath(name), u"-P"_s,
                  m_dir->filePath(u"pdf-file.ppd"_s)},
                 error))
        return false;
    return !makeDefault || runTool(u"lpadmin"_s, {u"-d"_s, name}, error);
}

bool CupsServer::runTool(const QString &tool, const QStringList &args, QString *error,
                         QByteArray *output) const
{
    const QString path = findTool(tool);
    if (path.isEmpty()) {
        if (error)
            *error = tool + u" is not installed"_s;
        return false;
    }
    QProcess p;
    p.setProcessEnvironment(environment());
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(path, args);
    const bool finished = p.waitForStarted(5000) && p.waitForFinished(20000);
    if (!finished)
        stopProcess(p);
    const QByteArray out = p.readAll();
    if (output)
        *output = out;
    const bool ok = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ok && error)
        *error = u"%1 %2 failed: %3"_s.arg(tool, args.join(u' '), QString::fromLocal8Bit(out));
    return ok;
}

bool waitFor(const std::function<bool()> &ready, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!ready()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QThread::msleep(50);
    }
    return true;
}

} // namespace testsupport
