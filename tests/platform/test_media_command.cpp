#include "media_command.h"

#include <QTest>

using Verb = MediaCommand::Verb;
Q_DECLARE_METATYPE(MediaCommand::Verb)

class TestMediaCommand : public QObject {
    Q_OBJECT

private slots:
    void parsesCommands_data();
    void parsesCommands();
    void rejectsMalformedCommands_data();
    void rejectsMalformedCommands();
};

void TestMediaCommand::parsesCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<Verb>("verb");
    QTest::addColumn<QString>("path");

    // The three commands the game sends, bare and quoted.
    QTest::addRow("open bare") << "open /opt/vorelle/Brikko32.mid" << Verb::Open
                               << "/opt/vorelle/Brikko32.mid";
    QTest::addRow("play bare") << "play /opt/vorelle/Brikko32.mid" << Verb::Play
                               << "/opt/vorelle/Brikko32.mid";
    QTest::addRow("close bare") << "close /opt/vorelle/Brikko32.mid" << Verb::Close
                                << "/opt/vorelle/Brikko32.mid";
    QTest::addRow("quoted path with spaces") << "play \"/home/élève/Mes jeux/Brikko32.mid\""
                                             << Verb::Play << "/home/élève/Mes jeux/Brikko32.mid";
    QTest::addRow("quoted path without spaces") << "open \"/a/b.mid\"" << Verb::Open << "/a/b.mid";
    QTest::addRow("backslash path kept as written")
        << "play C:\\Jeux\\Brikko32.mid" << Verb::Play << "C:\\Jeux\\Brikko32.mid";

    // The verb in any case.
    QTest::addRow("upper-case verb") << "PLAY /a.mid" << Verb::Play << "/a.mid";
    QTest::addRow("mixed-case verb") << "Close /a.mid" << Verb::Close << "/a.mid";

    // Odd spacing around and between the parts.
    QTest::addRow("several spaces") << "play    /a.mid" << Verb::Play << "/a.mid";
    QTest::addRow("tab separator") << "open\t/a.mid" << Verb::Open << "/a.mid";
    QTest::addRow("surrounding spaces") << "  close /a.mid \r\n" << Verb::Close << "/a.mid";
    QTest::addRow("spaces inside quotes kept")
        << "play \" /a b.mid \"" << Verb::Play << " /a b.mid ";
}

void TestMediaCommand::parsesCommands() {
    QFETCH(QString, command);
    QFETCH(Verb, verb);
    QFETCH(QString, path);

    const MediaCommand parsed = parseMediaCommand(command);
    QCOMPARE(parsed.verb, verb);
    QCOMPARE(parsed.path, path);
}

void TestMediaCommand::rejectsMalformedCommands_data() {
    QTest::addColumn<QString>("command");

    QTest::addRow("empty") << "";
    QTest::addRow("spaces only") << "   ";
    QTest::addRow("unknown verb") << "stop /a.mid";
    QTest::addRow("verb run into path") << "play/a.mid";
    QTest::addRow("verb with a prefix") << "replay /a.mid";
    QTest::addRow("verb alone") << "play";
    QTest::addRow("verb and spaces") << "play   ";
    QTest::addRow("empty quotes") << "play \"\"";
    QTest::addRow("unclosed quote") << "play \"/a b.mid";
    QTest::addRow("unquoted path with a space") << "play /Mes jeux/Brikko32.mid";
    QTest::addRow("text after quoted path") << "play \"/a.mid\" from 0";
    QTest::addRow("text glued to quoted path") << "play \"/a.mid\"x";
    QTest::addRow("NUL in path") << QStringLiteral("play /a.mid") + QChar(0) + QStringLiteral("x");
}

void TestMediaCommand::rejectsMalformedCommands() {
    QFETCH(QString, command);

    const MediaCommand parsed = parseMediaCommand(command);
    QCOMPARE(parsed.verb, Verb::None);
}

QTEST_APPLESS_MAIN(TestMediaCommand)
#include "test_media_command.moc"
