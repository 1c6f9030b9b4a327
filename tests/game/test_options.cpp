// The game's options: their file, and the options window.

#include "frm_options.h"
#include "test_game_loop_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestOptions : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ProfileFile> file;
    std::unique_ptr<GameOptions> options;
    enum Action { Tab, Enter, Ok, Annuler };
    static QByteArray ini(const QByteArray& level, const QByteArray& flag) {
        return "[brikko32]\r\nStarting Level=" + level + "\r\nFill Lines=" + flag +
               "\r\nPlay Sounds=" + flag + "\r\nHide Splash=" + flag + "\r\n";
    }
    // The options window as the game window shows it, the focus in the box.
    QLineEdit* show(frmOptions& form) {
        form.fillFromSettings();
        form.Show(false);
        QApplication::setActiveWindow(form.widget());
        auto* box = form.control<QLineEdit>("txtStartingLevel");
        box->setFocus(Qt::TabFocusReason);
        box->clear();
        return QTest::qWaitForWindowActive(form.widget()) && box->hasFocus() ? box : nullptr;
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        file = std::make_unique<ProfileFile>(dir->filePath(GameOptions::FileName));
        options = std::make_unique<GameOptions>(*file);
    }
    // Only a value's first character counts; a level of one space resets and
    // writes every setting; a missing file gives the defaults, writes nothing.
    void loadOptions_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<double>("level");
        QTest::addColumn<bool>("flags");
        QTest::addColumn<QByteArray>("after"); // null: as before
        QTest::addRow("7, True") << ini("7", "True") << 7.0 << true << QByteArray();
        QTest::addRow("12 gives 1") << ini("12", "T") << 1.0 << true << QByteArray();
        QTest::addRow("x gives 0") << ini("x", "False") << 0.0 << false << QByteArray();
        QTest::addRow("lower-case true") << ini("9", "true") << 9.0 << false << QByteArray();
        QTest::addRow("1 is not True") << ini("0", "1") << 0.0 << false << QByteArray();
        QTest::addRow("no file") << QByteArray() << 0.0 << false << QByteArray();
        QTest::addRow("single space resets")
            << QByteArray("[Brikko32]\r\nStarting Level=\" \"\r\nFill Lines=True\r\n; mine\r\n")
            << 0.0 << false
            << QByteArray("[Brikko32]\r\nStarting Level=0\r\nFill Lines=False\r\n; mine\r\n"
                          "Play Sounds=False\r\nHide Splash=False\r\n");
    }
    void loadOptions() {
        QFETCH(QByteArray, before);
        QFETCH(double, level);
        QFETCH(bool, flags);
        QFETCH(QByteArray, after);
        options->SoundOn = true;
        QVERIFY(before.isNull() || writeFile(file->path(), before));
        options->LoadOptions();
        QCOMPARE(options->StartingLevel, std::optional<double>(level));
        QCOMPARE(QList<bool>({options->FillLines, options->SoundOn, options->HideSplash}),
                 QList<bool>(3, flags));
        QCOMPARE(QFile::exists(file->path()), !before.isNull());
        QCOMPARE(readFile(file->path()), after.isNull() ? before : after);
    }
    void resetWritesTheFreshFile() {
        options->StartingLevel = 4;
        options->ResetOptions();
        QCOMPARE(readFile(file->path()), "[Brikko32]\nStarting Level=0\nFill Lines=False\n"
                                         "Play Sounds=False\nHide Splash=False\n");
    }
    // A level that is not a whole number from 0 to 9 is refused (the message,
    // the old text back) when the focus leaves the box, and when Enter reaches
    // OK from it. OK takes and saves the four values; Annuler changes nothing
    // and says nothing of a level it throws away.
    void window_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("saved");
        QTest::addRow("10, Tab") << "10" << int(Tab) << true << false;
        QTest::addRow("abc, Tab") << "abc" << int(Tab) << true << false;
        QTest::addRow("7, Tab") << "7" << int(Tab) << false << false;
        QTest::addRow("10, Enter") << "10" << int(Enter) << true << false;
        QTest::addRow("8, Enter") << "8" << int(Enter) << false << true;
        QTest::addRow("4, OK") << "4" << int(Ok) << false << true;
        QTest::addRow("12, Annuler") << "12" << int(Annuler) << false << false;
    }
    void window() {
        QFETCH(QString, typed);
        QFETCH(int, action);
        QFETCH(bool, refused);
        QFETCH(bool, saved);
        const QByteArray before = "[Brikko32]\nStarting Level=2\nPlay Sounds=True\n";
        QVERIFY(writeFile(file->path(), before));
        options->LoadOptions();
        FakeMessageBoxes boxes;
        frmOptions form(*options, boxes);
        QLineEdit* box = show(form);
        QVERIFY(box);
        QTest::keyClicks(box, typed);
        for (const char* name : {"chkFillLines", "chkPlaySounds", "chkSkipIntro"})
            form.control<QCheckBox>(name)->toggle();
        if (action == Tab || action == Enter)
            QTest::keyClick(box, action == Tab ? Qt::Key_Tab : Qt::Key_Return);
        else
            QTest::mouseClick(form.control<QPushButton>(action == Ok ? "cmdOk" : "Command1"),
                              Qt::LeftButton);
        QCoreApplication::processEvents();

        QStringList shown;
        for (const auto& m : boxes.shown)
            shown << QStringLiteral("%1 (%2, %3)").arg(m.text).arg(m.style).arg(m.title);
        QCOMPARE(shown, refused
                            ? QStringList{"You must enter a number between 0 and 9 (0, Brikko32)"}
                            : QStringList());
        QCOMPARE(box->text(), refused ? "2" : typed);
        QCOMPARE(form.isVisible(), !saved && action != Annuler);
        QCOMPARE(readFile(file->path()),
                 saved ? "[Brikko32]\nStarting Level=" + typed.toLatin1() +
                             "\nPlay Sounds=False\nFill Lines=True\nHide Splash=True\n"
                       : before);
        QCOMPARE(options->StartingLevel, std::optional<double>(saved ? typed.toDouble() : 2.0));
        QCOMPARE(QList<bool>({options->FillLines, options->SoundOn, options->HideSplash}),
                 QList<bool>({saved, !saved, saved}));
        form.Hide();
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"
