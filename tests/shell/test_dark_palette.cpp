// Every window stays readable on a dark desktop palette: the text of its
// controls, rendered offscreen, against the background it is drawn on.
#include "answer_box.h"
#include "contrast.h"
#include "fake_instance_guard.h"
#include "fakes.h"
#include "form1.h"
#include "frm_high_score.h"
#include "frm_options.h"
#include "frm_tip.h"
#include "game_options.h"
#include "high_scores.h"
#include "profile_file.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QPalette darkPalette() {
    const QColor window(0x2b, 0x2b, 0x2b), light(0xee, 0xee, 0xee);
    QPalette p(light, window, QColor(0x55, 0x55, 0x55), QColor(0x11, 0x11, 0x11),
               QColor(0x3c, 0x3c, 0x3c), light, light, QColor(0x1e, 0x1e, 0x1e), window);
    p.setColor(QPalette::ButtonText, light);
    p.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    return p;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

// The windows, on fake services, each opened in a state that shows text in
// the controls measured.
struct Windows {
    QTemporaryDir dir;
    FakeClock clock;
    FakeRandom random;
    FakeSoundPlayer sounds;
    FakeMessageBoxes boxes;
    FakeInstanceGuard instance;
    FakeSettingsStore settings;
    AppPaths paths{dir.path(), dir.path(), dir.path()};
    Form1 form1{ExerciseServices{clock, random, sounds, boxes, instance, paths}};
    frmTip tip{settings, paths};
    HighScoreTable scores{dir.filePath(HighScoreFile::FileName)};
    frmHighScore highScore;
    ProfileFile file{dir.filePath(GameOptions::FileName)};
    GameOptions options{file};
    frmOptions optionsWindow{options, boxes};

    // One right answer, one wrong one, and words typed for the next number.
    QWidget* exercise() {
        form1.Show();
        random.fallback = 0.5;
        auto* answer = form1.control<AnswerBox>(QStringLiteral("Text1"));
        for (const QString& typed : {form1.control<QLabel>("Label2")->text(), QString("faux")}) {
            form1.CmdGenerer_Click();
            answer->setText(typed.isEmpty() ? form1.control<QLabel>("Label2")->text() : typed);
            form1.Cmdverif_Click();
        }
        answer->setText(QStringLiteral("cinquante"));
        return form1.widget();
    }
    QWidget* tips() {
        writeFile(paths.dataFile(frmTip::tipsFileName()),
                  QStringLiteral("Lis le nombre à voix haute avant de l'écrire.").toUtf8());
        tip.Show(false);
        return tip.widget();
    }
    QWidget* highScores() {
        writeFile(scores.filePath(), "Élise:12000\r\nNone:0\r\n");
        scores.LoadHighScores();
        highScore.fill(scores);
        highScore.Show(false);
        return highScore.widget();
    }
    QWidget* gameOptions() {
        optionsWindow.fillFromSettings();
        optionsWindow.Show(false);
        return optionsWindow.widget();
    }
};

// A window, how to open it, and the controls whose text is measured.
struct WindowRow {
    const char* window;
    QWidget* (Windows::*open)();
    QStringList controls;
};

const std::vector<WindowRow>& windowTable() {
    static const std::vector<WindowRow> table{
        {"Form1",
         &Windows::exercise,
         {"Label1", "Text1", "Label4(0)", "Label3", "Label4(1)", "Label5", "Label6"}},
        {"frmTip", &Windows::tips, {"Label1", "lblTipText"}},
        {"frmHighScore", &Windows::highScores, {"Label1(0)", "lblName(1)", "lblScore(1)"}},
        {"frmOptions", &Windows::gameOptions, {"Label1"}},
    };
    return table;
}

} // namespace

class DarkPaletteTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        QApplication::setPalette(darkPalette());
    }

    void textIsReadable_data() {
        QTest::addColumn<int>("window"); // row of the window table
        QTest::addColumn<QString>("control");
        for (std::size_t i = 0; i < windowTable().size(); ++i)
            for (const QString& control : windowTable()[i].controls)
                QTest::addRow("%s %s", windowTable()[i].window, qPrintable(control))
                    << int(i) << control;
    }
    // WCAG level AA for normal text: at least 4.5:1.
    void textIsReadable() {
        QFETCH(int, window);
        QFETCH(QString, control);
        Windows windows;
        QWidget* top = (windows.*windowTable()[std::size_t(window)].open)();
        QVERIFY(QTest::qWaitForWindowExposed(top));
        auto* widget = top->findChild<QWidget*>(control);
        QVERIFY(widget);
        const TextContrast measured = measureTextContrast(widget);
        QVERIFY2(measured.textPixels >= 10, qPrintable(measured.describe()));
        QVERIFY2(measured.ratio >= 4.5, qPrintable(measured.describe()));
    }
};

QTEST_MAIN(DarkPaletteTest)
#include "test_dark_palette.moc"
