#pragma once

// Runs copies of the program, or of a helper that takes the single-instance
// lock as the program does, each with its own folders, and talks to them.

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>
#include <vector>

class ProcessFixture {
public:
    static constexpr int waitMs = 30000; // generous: sanitizer builds start slowly

    // A fresh folder with run/ (private), config/, config2/, data/ and home/.
    bool setUp() {
        tmp_ = std::make_unique<QTemporaryDir>();
        if (!tmp_->isValid())
            return false;
        for (const char* sub : {"run", "config", "config2", "data", "home"}) {
            if (!QDir(tmp_->path()).mkdir(QString::fromLatin1(sub)))
                return false;
        }
        return QFile::setPermissions(path(QStringLiteral("run")),
                                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Kills whatever still runs and removes the folder.
    void tearDown() {
        for (auto& p : processes_) {
            if (p->state() != QProcess::NotRunning) {
                ::kill(pid_t(p->processId()), SIGCONT);
                p->kill();
                p->waitForFinished(waitMs);
            }
        }
        processes_.clear();
        tmp_.reset();
    }

    QString path(const QString& name) const { return tmp_->filePath(name); }

    QProcessEnvironment environment(const QString& runtime, const QString& config) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
        env.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        return env;
    }

    QProcess* start(const QString& program, const QStringList& args,
                    const QProcessEnvironment& env) {
        processes_.push_back(std::make_unique<QProcess>());
        QProcess* p = processes_.back().get();
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::SeparateChannels);
        p->start(program, args);
        return p;
    }

    // The next word the process writes, or an empty text when it ends or
    // stays silent.
    static QString nextWord(QProcess* p) {
        while (!p->canReadLine()) {
            if (p->state() == QProcess::NotRunning && p->bytesAvailable() == 0)
                return {};
            if (!p->waitForReadyRead(waitMs) && !p->canReadLine())
                return {};
        }
        return QString::fromLocal8Bit(p->readLine()).trimmed();
    }

    static bool endsWithCodeZero(QProcess* p) {
        return p->waitForFinished(waitMs) && p->exitStatus() == QProcess::NormalExit &&
               p->exitCode() == 0;
    }

    // Speaks to a running copy as a later copy does; its answer.
    static QByteArray askToComeForward(const QString& socket) {
        QLocalSocket s;
        s.connectToServer(socket);
        if (!s.waitForConnected(waitMs))
            return {};
        s.write("activate\n");
        s.waitForBytesWritten(waitMs);
        QByteArray reply;
        while (!reply.contains('\n') && s.waitForReadyRead(waitMs))
            reply += s.readAll();
        return reply;
    }

private:
    std::unique_ptr<QTemporaryDir> tmp_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};
