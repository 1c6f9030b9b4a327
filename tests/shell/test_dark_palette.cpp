// SPDX-License-Identifier: GPL-3.0-or-later
// Every window stays readable on a dark desktop palette: the text of its
// controls, rendered offscreen, against the background it is drawn on.
#include "contrast.h"
#include "strange_files.h"
#include "windows_on_fakes.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

namespace {
// The windows on fake services, each opened in a state that shows text in the
// controls measured.
struct Windows : WindowsOnFakes {
    QWidget* open(const QString& window) {
        if (window == "frmBrikko" || window == "frmInstruct" || window == "frmAbout" ||
            window == "frmGuide" || window == "frmSpelling")
            return form(window).show(false), form(window).widget();
        if (window == "frmSplash")
            return splash.open(), splash.widget();
        if (window == "Form1") { // one right answer, one wrong, words typed for the next
            form1.show();
            form1.onGenerateClicked();
            auto* answer = form1.control<AnswerBox>("Text1");
            answer->setText(form1.state().referenceWords());
            form1.onCheckClicked();
            answer->setText("faux");
            form1.onCheckClicked();
            answer->setText("cinquante");
            return form1.widget();
        }
        if (window == "frmTip") {
            writeBytes(paths.dataFile(TipWindow::tipsFileName()), "Lis le nombre à voix haute.");
            return tip.show(false), tip.widget();
        }
        if (window == "frmHighScore") {
            writeBytes(scores.filePath(), "Élise:12000\r\nNone:0\r\n");
            scores.loadHighScores();
            highScore.fill(scores);
            return highScore.show(false), highScore.widget();
        }
        optionsWindow.fillFromSettings();
        return optionsWindow.show(false), optionsWindow.widget();
    }
};
} // namespace

class TestDarkPalette : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QApplication::setPalette(QPalette(QColor(0x3c, 0x3c, 0x3c), QColor(0x2b, 0x2b, 0x2b)));
    }

    void textIsReadable_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        const std::pair<const char*, QStringList> windows[] = {
            {"Form1", {"Label1", "Text1", "Label4(0)", "Label3", "Label4(1)", "Label5", "Label6"}},
            {"frmTip", {"Label1", "lblTipText"}},
            {"frmHighScore", {"Label1(0)", "lblName(1)", "lblScore(1)"}},
            {"frmOptions", {"Label1"}},
            {"frmBrikko",
             {"Label1", "Label2", "lblScore", "Label5", "lblLines", "Label3", "lblLevel"}},
            {"frmSplash", {"Label5", "Label3", "Label4", "Label2"}},
            {"frmInstruct", {"Label1", "Label5"}},
            {"frmAbout",
             {"lblTitle", "lblVersion", "Label1", "Label2", "Label3", "Label4", "lblMail"}},
            {"frmGuide", {"txtGuide"}},
            {"frmSpelling", {"lblSpellingExample(0)", "lblRegionExample(2)"}}};
        for (const auto& [window, controls] : windows)
            for (const QString& control : controls)
                QTest::addRow("%s %s", window, qPrintable(control)) << QString(window) << control;
    }
    // WCAG level AA for normal text: at least 4.5:1.
    void textIsReadable() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        Windows windows;
        QWidget* top = windows.open(window);
        QVERIFY(QTest::qWaitForWindowExposed(top));
        const TextContrast measured = measureTextContrast(top->findChild<QWidget*>(control));
        QVERIFY2(
            measured.textPixels >= 10 && measured.ratio >= 4.5,
            qPrintable(
                QStringLiteral("%1 pixels: %2:1").arg(measured.textPixels).arg(measured.ratio)));
    }
};

QTEST_MAIN(TestDarkPalette)
#include "test_dark_palette.moc"
