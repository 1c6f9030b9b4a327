// SPDX-License-Identifier: GPL-3.0-or-later
// The music's command strings.

#include "media_command.h"

#include <QTest>

using Verb = MediaCommand::Verb;
Q_DECLARE_METATYPE(MediaCommand::Verb)

class TestAudioFiles : public QObject {
    Q_OBJECT

private slots:
    void commands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<Verb>("verb");
        QTest::addColumn<QString>("path");
        const auto row = [](const char* name, const QString& command, Verb verb, const char* path) {
            QTest::addRow("%s", name) << command << verb << QString::fromUtf8(path);
        };
        row("bare path", "open /opt/vorelle/Brikko32.mid", Verb::Open, "/opt/vorelle/Brikko32.mid");
        row("quoted path with spaces", "play \"/home/élève/Mes jeux/B.mid\"", Verb::Play,
            "/home/élève/Mes jeux/B.mid");
        row("odd spacing", "  play \t  /a.mid \r\n", Verb::Play, "/a.mid");
        row("unclosed quote", "play \"/a b.mid", Verb::None, "");
        row("unquoted path with a space", "play /Mes jeux/b.mid", Verb::None, "");
        row("text after the quoted path", "play \"/a.mid\" from 0", Verb::None, "");
    }
    void commands() {
        QFETCH(QString, command);
        QFETCH(Verb, verb);
        QFETCH(QString, path);
        const MediaCommand parsed = parseMediaCommand(command);
        QCOMPARE(parsed.verb, verb);
        QCOMPARE(parsed.path, path);
    }

    // Whatever white space a folder name holds, the path built into a command
    // is the path the command names; bare when it holds none.
    void pathsSurviveTheCommand_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("quoted");
        QTest::addRow("plain") << "/opt/vorelle/Brikko32.mid" << false;
        QTest::addRow("ASCII space") << "/home/élève/Mes jeux/Brikko32.mid" << true;
        QTest::addRow("no-break space") << "/opt/Mes\u00a0jeux/Brikko32.mid" << true;
    }
    void pathsSurviveTheCommand() {
        QFETCH(QString, path);
        QFETCH(bool, quoted);
        const QString inCommand = mediaCommandPath(path);
        QCOMPARE(inCommand.startsWith(u'"'), quoted);
        const MediaCommand parsed = parseMediaCommand(QStringLiteral("play ") + inCommand);
        QCOMPARE(parsed.verb, Verb::Play);
        QCOMPARE(parsed.path, path);
    }
};

QTEST_APPLESS_MAIN(TestAudioFiles)
#include "test_audio_files.moc"
