#include "fakes.h"
#include "frm_options.h"
#include "game_options.h"
#include "profile_file.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

const QByteArray kDefaults = "[Brikko32]\nStarting Level=0\nFill Lines=False\nPlay Sounds=False\n"
                             "Hide Splash=False\n";

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        file_ = std::make_unique<ProfileFile>(dir_->filePath(GameOptions::FileName));
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void noValueBeforeLoading();
    void loadsTheFirstCharacter_data();
    void loadsTheFirstCharacter();
    void missingFileOrKeysGiveDefaultsAndWriteNothing();
    void singleSpaceLevelResetsEverything();
    void resetWritesTheFreshFile();
    void saveWritesTheFourKeysInOrder();
    void decimalLevelIsWrittenAsTypedAndReadAsItsFirstDigit();
    void unwritableFileKeepsTheSettings();
    void typedLevels_data();
    void typedLevels();

    void windowLayout();
    void windowCentresOverTheGameWindow();
    void fillShowsTheSettings();
    void leavingTheBoxChecksTheLevel_data();
    void leavingTheBoxChecksTheLevel();
    void enterInTheBoxChecksTheLevelToo();
    void okTakesAndSavesTheValues();
    void cancelLeavesEverythingAsItWas();

private:
    QString iniPath() const { return file_->path(); }
    // Shows the window as the game window would, with the focus in the box.
    void showWithFocusInBox(frmOptions& form);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ProfileFile> file_;
};

void TestOptions::noValueBeforeLoading() {
    GameOptions options(*file_);
    QCOMPARE(options.StartingLevel, std::nullopt);
    QCOMPARE(options.startingLevel(), 0.0);
    QCOMPARE(options.startingLevelText(), QString());
    QVERIFY(!options.FillLines && !options.SoundOn && !options.HideSplash);
}

void TestOptions::loadsTheFirstCharacter_data() {
    QTest::addColumn<QByteArray>("level");
    QTest::addColumn<QByteArray>("flag");
    QTest::addColumn<double>("expectedLevel");
    QTest::addColumn<bool>("expectedFlag");
    QTest::addRow("7 and True") << QByteArray("7") << QByteArray("True") << 7.0 << true;
    QTest::addRow("12 gives 1") << QByteArray("12") << QByteArray("False") << 1.0 << false;
    QTest::addRow("x gives 0") << QByteArray("x") << QByteArray("T") << 0.0 << true;
    QTest::addRow("empty values") << QByteArray("") << QByteArray("") << 0.0 << false;
    QTest::addRow("lower-case true") << QByteArray("9") << QByteArray("true") << 9.0 << false;
    QTest::addRow("1 is not True") << QByteArray("0") << QByteArray("1") << 0.0 << false;
    QTest::addRow("blanks around") << QByteArray("  5  ") << QByteArray(" Trouble") << 5.0 << true;
    QTest::addRow("minus sign") << QByteArray("-3") << QByteArray("False") << 0.0 << false;
    QTest::addRow("other digits") << QByteArray("\xD9\xA3") << QByteArray("\xC5\xA2") << 0.0
                                  << false; // Arabic-Indic three, T with cedilla
}

void TestOptions::loadsTheFirstCharacter() {
    QFETCH(QByteArray, level);
    QFETCH(QByteArray, flag);
    QFETCH(double, expectedLevel);
    QFETCH(bool, expectedFlag);
    const QByteArray content = "[brikko32]\r\nStarting Level=" + level + "\r\nFill Lines=" + flag +
                               "\r\nPlay Sounds=" + flag + "\r\nHide Splash=" + flag + "\r\n";
    writeAll(iniPath(), content);
    GameOptions options(*file_);
    options.LoadOptions();
    QCOMPARE(options.StartingLevel, std::optional<double>(expectedLevel));
    QCOMPARE(options.FillLines, expectedFlag);
    QCOMPARE(options.SoundOn, expectedFlag);
    QCOMPARE(options.HideSplash, expectedFlag);
    QCOMPARE(readAll(iniPath()), content);
}

void TestOptions::missingFileOrKeysGiveDefaultsAndWriteNothing() {
    GameOptions options(*file_);
    options.SoundOn = true;
    options.LoadOptions();
    QCOMPARE(options.StartingLevel, std::optional<double>(0.0));
    QVERIFY(!options.SoundOn);
    QVERIFY(!QFile::exists(iniPath()));

    const QByteArray other = "[Other]\nStarting Level=7\nPlay Sounds=True\n";
    writeAll(iniPath(), other);
    options.LoadOptions();
    QCOMPARE(options.StartingLevel, std::optional<double>(0.0));
    QVERIFY(!options.SoundOn);
    QCOMPARE(readAll(iniPath()), other);
}

void TestOptions::singleSpaceLevelResetsEverything() {
    writeAll(iniPath(), "[Brikko32]\r\nStarting Level=\" \"\r\nFill Lines=True\r\nPlay "
                        "Sounds=True\r\n; mine\r\n");
    GameOptions options(*file_);
    options.LoadOptions();
    QCOMPARE(options.StartingLevel, std::optional<double>(0.0));
    QVERIFY(!options.FillLines && !options.SoundOn && !options.HideSplash);
    QCOMPARE(readAll(iniPath()),
             QByteArray("[Brikko32]\r\nStarting Level=0\r\nFill Lines=False\r\nPlay "
                        "Sounds=False\r\n; mine\r\nHide Splash=False\r\n"));
}

void TestOptions::resetWritesTheFreshFile() {
    GameOptions options(*file_);
    options.StartingLevel = 4;
    options.HideSplash = true;
    options.ResetOptions();
    QCOMPARE(readAll(iniPath()), kDefaults);
    QCOMPARE(options.StartingLevel, std::optional<double>(0.0));
    QVERIFY(!options.HideSplash);
}

void TestOptions::saveWritesTheFourKeysInOrder() {
    GameOptions options(*file_);
    options.SaveOptions(); // no level yet: an empty value
    QCOMPARE(readAll(iniPath()), QByteArray("[Brikko32]\nStarting Level=\nFill Lines=False\nPlay "
                                            "Sounds=False\nHide Splash=False\n"));
    options.StartingLevel = 9;
    options.FillLines = true;
    options.HideSplash = true;
    options.SaveOptions();
    QCOMPARE(readAll(iniPath()), QByteArray("[Brikko32]\nStarting Level=9\nFill Lines=True\nPlay "
                                            "Sounds=False\nHide Splash=True\n"));
    GameOptions again(*file_);
    again.LoadOptions();
    QCOMPARE(again.StartingLevel, std::optional<double>(9.0));
    QVERIFY(again.FillLines && !again.SoundOn && again.HideSplash);
}

void TestOptions::decimalLevelIsWrittenAsTypedAndReadAsItsFirstDigit() {
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    GameOptions options(*file_);
    options.StartingLevel = 2.5;
    options.SaveOptions();
    QVERIFY(readAll(iniPath()).contains("Starting Level=2.5\n"));
    options.LoadOptions();
    QCOMPARE(options.StartingLevel, std::optional<double>(2.0));
}

void TestOptions::unwritableFileKeepsTheSettings() {
    writeAll(dir_->filePath("plain"), "x");
    ProfileFile nowhere(dir_->filePath("plain/Brikko32.ini"));
    GameOptions options(nowhere);
    options.StartingLevel = 6;
    options.SoundOn = true;
    options.SaveOptions();
    QCOMPARE(options.StartingLevel, std::optional<double>(6.0));
    QVERIFY(options.SoundOn);
    options.ResetOptions();
    QCOMPARE(options.StartingLevel, std::optional<double>(0.0));
}

void TestOptions::typedLevels_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("french");
    QTest::addColumn<std::optional<double>>("level");
    const std::optional<double> none;
    QTest::addRow("0") << "0" << false << std::optional<double>(0);
    QTest::addRow("9") << "9" << false << std::optional<double>(9);
    QTest::addRow("blanks") << " 7 " << false << std::optional<double>(7);
    QTest::addRow("whole with a point") << "7.0" << false << std::optional<double>(7);
    QTest::addRow("whole with a French comma") << "7,0" << true << std::optional<double>(7);
    QTest::addRow("minus zero") << "-0" << false << std::optional<double>(0);
    QTest::addRow("10") << "10" << false << none;
    QTest::addRow("negative") << "-1" << false << none;
    QTest::addRow("letters") << "abc" << false << none;
    QTest::addRow("empty") << "" << false << none;
    QTest::addRow("decimal") << "2.5" << false << none;
    QTest::addRow("French decimal") << "2,5" << true << none;
    QTest::addRow("just above 9") << "9.01" << false << none;
    QTest::addRow("not a number") << "nan" << false << none;
}

void TestOptions::typedLevels() {
    QFETCH(QString, text);
    QFETCH(bool, french);
    QFETCH(std::optional<double>, level);
    if (french)
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const std::optional<double> parsed = GameOptions::parseStartingLevel(text);
    QCOMPARE(parsed, level);
    if (parsed)
        QVERIFY(!std::signbit(*parsed));
}

void TestOptions::showWithFocusInBox(frmOptions& form) {
    form.fillFromSettings();
    form.Show(false);
    QWidget* w = form.widget();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto* box = form.control<QLineEdit>("txtStartingLevel");
    box->setFocus(Qt::TabFocusReason);
    QVERIFY(box->hasFocus());
}

void TestOptions::windowLayout() {
    GameOptions options(*file_);
    FakeMessageBoxes boxes;
    frmOptions form(options, boxes);
    form.Load();
    QWidget* w = form.widget();
    QCOMPARE(w->objectName(), QStringLiteral("frmOptions"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Options Brikko32 "));
    QCOMPARE(w->size(), QSize(177, 172));
    QCOMPARE(w->minimumSize(), w->maximumSize());

    struct Expected {
        const char* name;
        QRect geometry;
        QString text;
    };
    const Expected controls[] = {
        {"Label1", {8, 10, 113, 17}, QStringLiteral("Niveau de départ(0 - 9):")},
        {"txtStartingLevel", {144, 8, 25, 19}, QStringLiteral("0")},
        {"chkFillLines", {8, 32, 155, 25}, QStringLiteral("Lignes remplies au départ")},
        {"chkPlaySounds", {8, 72, 123, 25}, QStringLiteral("Jouer la musique")},
        {"chkSkipIntro", {8, 112, 123, 25}, QStringLiteral("Passer l'intro")},
        {"cmdOk", {8, 144, 61, 20}, QStringLiteral("OK")},
        {"Command1", {84, 144, 61, 20}, QStringLiteral("&Annuler")},
    };
    QWidget* previous = nullptr;
    for (const Expected& e : controls) {
        QWidget* c = form.control<QWidget>(e.name);
        QVERIFY2(c, e.name);
        QCOMPARE(c->geometry(), e.geometry);
        QCOMPARE(c->property("text").toString(), e.text);
        // Tab order follows the table (the label takes no focus).
        if (previous && c->focusPolicy() != Qt::NoFocus)
            QCOMPARE(previous->nextInFocusChain(), c);
        if (c->focusPolicy() != Qt::NoFocus)
            previous = c;
    }
    QVERIFY(form.control<QPushButton>("cmdOk")->isDefault());
    QVERIFY(!form.control<QLineEdit>("txtStartingLevel")->accessibleName().isEmpty());
    QCOMPARE(form.control<QLabel>("Label1")->buddy(), form.control<QWidget>("txtStartingLevel"));
    for (const char* line : {"Line1", "Line2", "Line3", "Line4"})
        QVERIFY2(form.control<QFrame>(line), line);
}

void TestOptions::windowCentresOverTheGameWindow() {
    GameOptions options(*file_);
    FakeMessageBoxes boxes;
    QRect game(100, 80, 400, 300);
    frmOptions form(options, boxes, [&] { return game; });
    form.Load();
    QCOMPARE(form.widget()->pos(), QPoint(100 + (400 - 177) / 2, 80 + (300 - 172) / 2));
    // Placed when loaded only: hiding and showing again keeps the place.
    game.moveTo(300, 300);
    form.fillFromSettings();
    QCOMPARE(form.widget()->pos(), QPoint(211, 144));
    // A game window partly off the screen still leaves this one on it.
    form.Unload();
    game = QRect(-500, -400, 400, 300);
    form.Load();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(form.widget()->geometry()));
}

void TestOptions::fillShowsTheSettings() {
    GameOptions options(*file_);
    FakeMessageBoxes boxes;
    frmOptions form(options, boxes);
    form.fillFromSettings(); // no value yet: an empty box
    QCOMPARE(form.control<QLineEdit>("txtStartingLevel")->text(), QString());
    options.StartingLevel = 6;
    options.SoundOn = true;
    options.HideSplash = true;
    form.fillFromSettings();
    QCOMPARE(form.control<QLineEdit>("txtStartingLevel")->text(), QStringLiteral("6"));
    QVERIFY(!form.control<QCheckBox>("chkFillLines")->isChecked());
    QVERIFY(form.control<QCheckBox>("chkPlaySounds")->isChecked());
    QVERIFY(form.control<QCheckBox>("chkSkipIntro")->isChecked());
}

void TestOptions::leavingTheBoxChecksTheLevel_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::addRow("10") << "10" << true;
    QTest::addRow("abc") << "abc" << true;
    QTest::addRow("decimal") << "2.5" << true;
    QTest::addRow("empty") << "" << true;
    QTest::addRow("5") << "5" << false;
}

void TestOptions::leavingTheBoxChecksTheLevel() {
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    GameOptions options(*file_);
    options.StartingLevel = 3;
    FakeMessageBoxes boxes;
    frmOptions form(options, boxes);
    showWithFocusInBox(form);
    auto* box = form.control<QLineEdit>("txtStartingLevel");
    box->clear();
    QTest::keyClicks(box, typed);
    QTest::keyClick(box, Qt::Key_Tab);
    QVERIFY(form.control<QCheckBox>("chkFillLines")->hasFocus());
    QCoreApplication::processEvents();
    if (refused) {
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].text, QStringLiteral("You must enter a number between 0 and 9"));
        QCOMPARE(boxes.shown[0].style, 0);
        QCOMPARE(boxes.shown[0].title, QStringLiteral("Brikko32"));
        QCOMPARE(box->text(), QStringLiteral("3"));
    } else {
        QVERIFY(boxes.shown.empty());
        QCOMPARE(box->text(), typed);
    }
    QCOMPARE(options.StartingLevel, std::optional<double>(3.0)); // taken by OK only
    QVERIFY(!QFile::exists(iniPath()));
    form.Hide();
}

void TestOptions::enterInTheBoxChecksTheLevelToo() {
    GameOptions options(*file_);
    options.StartingLevel = 3;
    FakeMessageBoxes boxes;
    frmOptions form(options, boxes);
    showWithFocusInBox(form);
    auto* box = form.control<QLineEdit>("txtStartingLevel");
    box->clear();
    QTest::keyClicks(box, "10");
    QTest::keyClick(box, Qt::Key_Return); // presses OK without leaving the box
    QCOMPARE(boxes.shown.size(), std::size_t(1));
    QCOMPARE(box->text(), QStringLiteral("3"));
    QVERIFY(form.isVisible());
    QVERIFY(!QFile::exists(iniPath()));

    QTest::keyClicks(box, "\b8");
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(!form.isVisible());
    QCOMPARE(options.StartingLevel, std::optional<double>(8.0));
    QVERIFY(readAll(iniPath()).contains("Starting Level=8\n"));
}

void TestOptions::okTakesAndSavesTheValues() {
    GameOptions options(*file_);
    options.LoadOptions();
    FakeMessageBoxes boxes;
    frmOptions form(options, boxes);
    form.fillFromSettings();
    form.control<QLineEdit>("txtStartingLevel")->setText("4");
    form.control<QCheckBox>("chkFillLines")->setChecked(true);
    form.control<QCheckBox>("chkSkipIntro")->setChecked(true);
    // A greyed box does not count as ticked.
    form.control<QCheckBox>("chkPlaySounds")->setTristate(true);
    form.control<QCheckBox>("chkPlaySounds")->setCheckState(Qt::PartiallyChecked);
    QTimer::singleShot(0, &form, [&] { form.control<QPushButton>("cmdOk")->click(); });
    form.Show(true); // returns once OK hides the window
    QVERIFY(!form.isVisible());
    QVERIFY(form.isLoaded());
    QCOMPARE(options.StartingLevel, std::optional<double>(4.0));
    QVERIFY(options.FillLines && !options.SoundOn && options.HideSplash);
    QCOMPARE(readAll(iniPath()), QByteArray("[Brikko32]\nStarting Level=4\nFill Lines=True\nPlay "
                                            "Sounds=False\nHide Splash=True\n"));
    QVERIFY(boxes.shown.empty());
}

void TestOptions::cancelLeavesEverythingAsItWas() {
    writeAll(iniPath(), "[Brikko32]\nStarting Level=2\nPlay Sounds=True\n");
    GameOptions options(*file_);
    options.LoadOptions();
    FakeMessageBoxes boxes;
    frmOptions form(options, boxes);
    showWithFocusInBox(form);
    auto* box = form.control<QLineEdit>("txtStartingLevel");
    box->clear();
    QTest::keyClicks(box, "12"); // not acceptable, and then cancelled
    form.control<QCheckBox>("chkFillLines")->setChecked(true);
    form.control<QCheckBox>("chkPlaySounds")->setChecked(false);
    QTest::mouseClick(form.control<QPushButton>("Command1"), Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!form.isVisible());
    QVERIFY(boxes.shown.empty()); // no word about a level that is thrown away
    QCOMPARE(options.StartingLevel, std::optional<double>(2.0));
    QVERIFY(!options.FillLines && options.SoundOn);
    QCOMPARE(readAll(iniPath()), QByteArray("[Brikko32]\nStarting Level=2\nPlay Sounds=True\n"));

    form.fillFromSettings(); // the next opening shows the stored values
    QCOMPARE(box->text(), QStringLiteral("2"));
    QVERIFY(!form.control<QCheckBox>("chkFillLines")->isChecked());
    QVERIFY(form.control<QCheckBox>("chkPlaySounds")->isChecked());
}

QTEST_MAIN(TestOptions)
#include "test_options.moc"
