#pragma once
// A CUPS server of a test's own, on a socket in a temporary folder, with one queue
// that throws its pages away. Printing to it leaves no trace on the shared server
// (no jobs in its history, no PDFs). It is stopped by the process it was started
// as, never by name. Needs root, as the shared server's tools do.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cups/cups.h>

class PrivateCupsServer {
  public:
    static inline const QString kQueue = QStringLiteral("ENSHU_PRIVATE");

    // `asDefault`: the queue is the server's default destination.
    explicit PrivateCupsServer(bool asDefault = true) {
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                               QFile::ExeOther);
        socket_ = dir_.filePath(QStringLiteral("cups.sock"));
        for (const char* sub : {"spool", "tmp", "cache", "state", "log"}) QDir(dir_.path()).mkdir(sub);
        write(QStringLiteral("cupsd.conf"),
              QStringLiteral("Listen %1\nBrowsing No\nWebInterface No\nLogLevel warn\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n")
                  .arg(socket_));
        write(QStringLiteral("cups-files.conf"),
              QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\n"
                             "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                             "PageLog %1/log/page_log\nFileDevice Yes\nSystemGroup root\n")
                  .arg(dir_.path()));
        if (!QFile::exists(kProgram)) return;
        server_.start(kProgram, {QStringLiteral("-f"), QStringLiteral("-c"),
                                 dir_.filePath(QStringLiteral("cupsd.conf")), QStringLiteral("-s"),
                                 dir_.filePath(QStringLiteral("cups-files.conf"))});
        if (!server_.waitForStarted(5000)) return;
        for (int i = 0; i < 100 && !running(); ++i) QThread::msleep(100);
        if (!running()) return;
        lpadmin({QStringLiteral("-p"), kQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                 QStringLiteral("file:///dev/null")});
        if (asDefault) lpadmin({QStringLiteral("-d"), kQueue});
    }
    ~PrivateCupsServer() {
        stop();
        if (active_) restoreEnvironment();
    }
    PrivateCupsServer(const PrivateCupsServer&) = delete;
    PrivateCupsServer& operator=(const PrivateCupsServer&) = delete;

    // Why the server cannot be used; empty when it can.
    QString unavailable() const {
        if (!QFile::exists(kProgram)) return QStringLiteral("no CUPS server program (cups)");
        if (!running()) return QStringLiteral("the test's own CUPS server did not start");
        if (!tool(QStringLiteral("lpstat"), {QStringLiteral("-p")}).contains(kQueue))
            return QStringLiteral("the test's own CUPS server has no queue");
        return QString();
    }
    // Makes this server the one libcups talks to in this process, until destruction.
    void use() {
        if (!active_) savedServer_ = qgetenv("CUPS_SERVER");
        active_ = true;
        qputenv("CUPS_SERVER", socket_.toUtf8());
        qunsetenv("LPDEST");
        qunsetenv("PRINTER");
        // libcups keeps the server it first used per thread; this thread's toolkit asks again.
        cupsSetServer(nullptr);
    }
    // Sets a printer option (lpadmin -o) of the queue, such as job-hold-until-default.
    void setQueueOption(const QString& option) {
        lpadmin({QStringLiteral("-p"), kQueue, QStringLiteral("-o"), option});
    }
    void stop() {
        if (server_.state() == QProcess::NotRunning) return;
        server_.terminate();
        if (!server_.waitForFinished(10000)) server_.kill();
        server_.waitForFinished(5000);
    }
    // The jobs the queue ever had.
    int jobCount() const {
        return int(tool(QStringLiteral("lpstat"),
                        {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")})
                       .count(kQueue));
    }

  private:
    static inline const QString kProgram = QStringLiteral("/usr/sbin/cupsd");

    bool running() const {
        return server_.state() == QProcess::Running &&
               tool(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QStringLiteral("is running"));
    }
    // Runs a CUPS command-line tool against this server; its output.
    QString tool(const QString& program, const QStringList& arguments) const {
        QProcess process;
        process.start(program, QStringList{QStringLiteral("-h"), socket_} + arguments);
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    void lpadmin(const QStringList& arguments) const { tool(QStringLiteral("lpadmin"), arguments); }
    void write(const QString& name, const QString& text) const {
        QFile file(dir_.filePath(name));
        if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
    }
    void restoreEnvironment() {
        if (savedServer_.isEmpty())
            qunsetenv("CUPS_SERVER");
        else
            qputenv("CUPS_SERVER", savedServer_);
    }

    QTemporaryDir dir_{QDir::tempPath() + QStringLiteral("/enshukaku-cupsd-XXXXXX")};
    QString socket_;
    QProcess server_;
    bool active_ = false;
    QByteArray savedServer_;
};
