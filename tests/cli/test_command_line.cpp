// SPDX-License-Identifier: GPL-3.0-or-later
// The command line without a process: which arguments open the window and
// which ask for words, help or the version; what a number typed in digits
// may look like; the help; the requests carried out, with the French
// messages of bad lines and of a refused output.

#include "command_line.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using CommandLine::Action;
using NumberInput::Fault;

Q_DECLARE_METATYPE(CommandLine::Action)
Q_DECLARE_METATYPE(NumberInput::Fault)

namespace {

// A stream that collects what is written.
struct MemoryOutput {
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* file = open_memstream(&data, &size);
    ~MemoryOutput() {
        if (file)
            std::fclose(file);
        std::free(data);
    }
    QByteArray bytes() {
        std::fflush(file);
        return QByteArray(data, qsizetype(size));
    }
};

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void readsANumberTypedInDigits_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<Fault>("fault");
        const auto good = [](const char* name, const char* text, qint64 value) {
            QTest::addRow("%s", name) << QByteArray(text) << value << Fault::None;
        };
        const auto bad = [](const char* name, QByteArray text, Fault fault) {
            QTest::addRow("%s", name) << text << qint64(0) << fault;
        };
        // clang-format off
        good("zero", "0", 0);
        good("first group of one to three digits", "12 345", 12'345);
        good("largest, grouped", "999 999 999 999", 999'999'999'999);
        good("largest, one block", "999999999999", 999'999'999'999);
        good("leading zero groups", "000 000 000 000 042", 42);
        bad("empty", "", Fault::Empty);
        bad("plus sign", "+5", Fault::NotDigits);
        bad("decimal comma", "12,5", Fault::NotDigits);
        bad("non-breaking space between groups", "1\xC2\xA0" "000", Fault::NotDigits);
        bad("NUL byte", QByteArray("2\0" "1", 3), Fault::NotDigits);
        bad("space before", " 21", Fault::Grouping);
        bad("space after", "21 ", Fault::Grouping);
        bad("short group", "1 00", Fault::Grouping);
        bad("long group", "1 0000", Fault::Grouping);
        bad("first group of four", "1000 000", Fault::Grouping);
        bad("one more than the largest", "1 000 000 000 000", Fault::TooLarge);
        bad("forty digits, no overflow", QByteArray(40, '9'), Fault::TooLarge);
        // clang-format on
    }
    void readsANumberTypedInDigits() {
        QFETCH(QByteArray, text);
        QFETCH(qint64, value);
        QFETCH(Fault, fault);
        const NumberInput::Reading reading = NumberInput::read(text);
        QCOMPARE(reading.fault, fault);
        QCOMPARE(reading.value, value);
    }

    // Only the program's own long options leave the window closed; the rest
    // goes to Qt as before.
    void decidesFromTheArguments_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("style"); // spelling/region
        QTest::addColumn<QByteArrayList>("numbers");
        QTest::addColumn<QString>("refusal");
        using L = QByteArrayList;
        const auto row = [](const char* name, L arguments, Action action, const char* style = "",
                            L numbers = {}, const QString& refusal = {}) {
            QTest::addRow("%s", name)
                << arguments << action << QString::fromUtf8(style) << numbers << refusal;
        };
        const auto refused = [&row](const char* name, L arguments, const char* refusal) {
            row(name, arguments, Action::Refuse, "", {}, QString::fromUtf8(refusal));
        };
        // clang-format off
        row("a number alone: the window, as before", {"12"}, Action::OpenWindow);
        row("Qt's options with two dashes", {"--platform", "offscreen", "--style=fusion", "--reverse", "--qmljsdebugger=port:1"}, Action::OpenWindow);
        row("our option as the value of Qt's", {"-qwindowtitle", "--help", "--stylesheet", "--words"}, Action::OpenWindow);
        row("an unknown short option goes to Qt", {"-xyz"}, Action::OpenWindow);
        row("a bare double dash goes to Qt", {"--"}, Action::OpenWindow);
        row("--words: classic, France", {"--words", "21", "1 080"}, Action::Words, "classic/fr", {"21", "1 080"});
        row("spelling and region before and after", {"--region=be", "--words", "71", "--spelling", "1990"}, Action::Words, "1990/be", {"71"});
        row("the last spelling counts", {"--words", "--spelling", "1990", "--spelling=traditional", "--region", "ch"}, Action::Words, "traditional/ch");
        row("signed numbers are numbers, bad ones", {"--words", "-5", "- 5", "-"}, Action::Words, "classic/fr", {"-5", "- 5", "-"});
        row("--help after a refused option", {"--bogus", "--region=xx", "--help"}, Action::Help);
        row("--version", {"-platform", "offscreen", "--version"}, Action::Version);
        refused("abbreviation", {"--vers"}, "option inconnue « --vers ».");
        refused("short option with --words", {"--words", "-x"}, "option inconnue « -x ».");
        refused("Qt's option with --words", {"--words", "--platform", "offscreen"}, "option inconnue « --platform ».");
        refused("double dash with --words", {"--words", "--", "21"}, "option inconnue « -- ».");
        refused("the window's either is no spelling here", {"--words", "--spelling", "either"}, "orthographe inconnue « either » ; les choix sont classic, traditional ou 1990.");
        row("names read as vorelle.ini reads them", {"--words", "--region", "BE", "--spelling= Traditional"}, Action::Words, "traditional/be");
        refused("empty value", {"--words", "--region="}, "pays inconnu « » ; les choix sont fr, be ou ch.");
        refused("missing value", {"--words", "--spelling"}, "l'option « --spelling » attend une valeur : classic, traditional ou 1990.");
        refused("--region without --words", {"--region", "be", "71"}, "l'option « --region » ne s'emploie qu'avec --words.");
        refused("--words takes no value", {"--words=21"}, "l'option « --words » ne prend pas de valeur.");
        // clang-format on
    }
    void decidesFromTheArguments() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, style);
        QFETCH(QByteArrayList, numbers);
        QFETCH(QString, refusal);
        const CommandLine::Request request = CommandLine::parse(arguments);
        QCOMPARE(request.action, action);
        QCOMPARE(request.refusal, refusal);
        if (action == Action::Words) {
            QCOMPARE(NumberSpelling::key(request.style.spelling).toString() + u'/' +
                         NumberSpelling::key(request.style.region).toString(),
                     style);
            QCOMPARE(request.numbers, numbers);
        }
    }

    // The help starts with the usage line and lists every option and choice.
    void helpListsEveryOption() {
        const QString help = CommandLine::helpText();
        QVERIFY(help.startsWith(CommandLine::usageLine() + u'\n'));
        for (const char* option : {"--words", "--spelling", "--region", "--help", "--version",
                                   "classic", "traditional", "1990", "fr", "be", "ch"})
            QVERIFY2(help.contains(QRegularExpression(QStringLiteral("^  +%1 ").arg(option),
                                                      QRegularExpression::MultilineOption)),
                     option);
    }

    // A request carried out: the arguments answered like lines, with no line
    // number; the lines one by one, bad ones named on the error stream. An
    // output that refuses what is written, or an input that cannot be read,
    // ends the command with status 1 and says so: never 0.
    void runsTheRequest_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("input"); // null: a folder, which cannot be read
        QTest::addColumn<bool>("fullDisk");    // the output refuses what is written
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<int>("status");
        const auto lines = [](const char* name, const QByteArray& input, const QByteArray& out,
                              const QByteArray& err, int status) {
            QTest::addRow("%s", name)
                << QByteArrayList{"--words"} << input << false << out << err << status;
        };
        const QByteArray refused = "vorelle : la sortie standard refuse l'écriture.\n";
        // clang-format off
        lines("no line", "", "", "", 0);
        lines("CR LF; the last line without LF", "21\r\n80", "vingt et un\nquatre vingts\n", "", 0);
        lines("bad lines named, the good ones answered in order",
              "17\n\n+5\n1 000\n12,5\n 21\n1 0000\n1000000000000\n80\n",
              "dix sept\nmille\nquatre vingts\n",
              "vorelle : ligne 2 : « » est vide ; un nombre est attendu.\n"
              "vorelle : ligne 3 : « +5 » n'est pas un nombre entier écrit en chiffres.\n"
              "vorelle : ligne 5 : « 12,5 » n'est pas un nombre entier écrit en chiffres.\n"
              "vorelle : ligne 6 : «  21 » : les chiffres se groupent par trois, séparés par un seul espace.\n"
              "vorelle : ligne 7 : « 1 0000 » : les chiffres se groupent par trois, séparés par un seul espace.\n"
              "vorelle : ligne 8 : « 1000000000000 » dépasse 999 999 999 999.\n", 2);
        lines("one CR ignored, not two", "\r\n21\r\r\n", "",
              "vorelle : ligne 1 : « » est vide ; un nombre est attendu.\n"
              "vorelle : ligne 2 : « 21\\r » n'est pas un nombre entier écrit en chiffres.\n", 2);
        lines("controls, direction marks and bad UTF-8 shown as escapes",
              "1\t000\n\x1B[2J\n\xE2\x80\xAE" "12\n\xFF\n", "",
              "vorelle : ligne 1 : « 1\\t000 » n'est pas un nombre entier écrit en chiffres.\n"
              "vorelle : ligne 2 : « \\x1b[2J » n'est pas un nombre entier écrit en chiffres.\n"
              "vorelle : ligne 3 : « \\u202e12 » n'est pas un nombre entier écrit en chiffres.\n"
              "vorelle : ligne 4 : « \xEF\xBF\xBD » n'est pas un nombre entier écrit en chiffres.\n", 2);
        lines("a long bad line shown cut", "quatre vingt dix sept mille neuf cent quatre vingt dix neuf\n", "",
              "vorelle : ligne 1 : « quatre vingt dix sept mille neuf cent qu… » n'est pas un nombre entier écrit en chiffres.\n", 2);
        lines("a megabyte line read through, then the next line", QByteArray(1 << 20, '7') + "\n21", "vingt et un\n",
              "vorelle : ligne 1 : « " + QByteArray(40, '7') + "… » est trop long pour un nombre.\n", 2);
        QTest::addRow("arguments") << QByteArrayList{"--words", "--spelling", "1990", "--region", "be", "71", "-71", "80 000 000"}
            << QByteArray("") << false << QByteArray("septante-et-un\nquatre-vingts millions\n")
            << QByteArray("vorelle : « -71 » n'est pas un nombre entier écrit en chiffres.\n") << 2;
        QTest::addRow("numbers to a full disk") << QByteArrayList{"--words", "21"} << QByteArray("") << true << QByteArray() << refused << 1;
        QTest::addRow("lines to a full disk") << QByteArrayList{"--words"} << QByteArray("21\n") << true << QByteArray() << refused << 1;
        QTest::addRow("help to a full disk") << QByteArrayList{"--help"} << QByteArray("") << true << QByteArray() << refused << 1;
        QTest::addRow("lines from a folder") << QByteArrayList{"--words"} << QByteArray() << false << QByteArray()
            << QByteArray("vorelle : ligne 1 : l'entrée standard ne peut pas être lue.\n") << 1;
        // clang-format on
    }
    void runsTheRequest() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(bool, fullDisk);
        const QString path = dir_.filePath(QTest::currentDataTag());
        QFile file(path);
        QVERIFY(input.isNull()
                    ? QDir().mkdir(path)
                    : file.open(QIODevice::WriteOnly) && file.write(input) == input.size());
        file.close();
        std::FILE* in = std::fopen(path.toLocal8Bit().constData(), "r");
        std::FILE* full = std::fopen("/dev/full", "w");
        QVERIFY(in && full);
        MemoryOutput out, err;
        const int status = CommandLine::run(CommandLine::parse(arguments), in,
                                            fullDisk ? full : out.file, err.file);
        std::fclose(in);
        std::fclose(full);
        QTEST(out.bytes(), "out");
        QTEST(err.bytes(), "err");
        QTEST(status, "status");
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
