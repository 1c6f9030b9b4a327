// SPDX-License-Identifier: GPL-3.0-or-later
// The guide for parents and teachers: how it opens and closes, its page
// whole (links, parts, typography, the program's own words), read by a
// screen reader, its links readable on any palette.
#include "contrast.h"
#include "guide_window.h"
#include "number_spelling.h"
#include "startup.h"
#include "windows_on_fakes.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextTable>
#include <QTimer>
#include <QtTest>

namespace {

// The program's windows, the guide wired to the main window as at start-up.
struct Program : WindowsOnFakes {
    Program() {
        Startup::wireGuide(form1, guide);
        form1.show();
    }
    QTextBrowser* browser() const { return guide.control<QTextBrowser>("txtGuide"); }
    int scrolled() const { return browser()->verticalScrollBar()->value(); }
    QAction* menuItem() const { return form1.widget()->findChild<QAction*>("guide"); }
    // Opens the guide the way a pupil's parent would: the menu item or F1.
    void open(const QString& how) {
        if (how == "menu") {
            menuItem()->trigger();
            return;
        }
        QWidget* main = form1.widget();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::keyClick(main->focusWidget() ? main->focusWidget() : main, Qt::Key_F1);
    }
    void goTo(const QString& part) {
        QUrl url = GuideWindow::source();
        url.setFragment(part);
        browser()->setSource(url);
    }
};

// The guide's page as the window shows it: every link target, every anchor,
// the anchors of its parts (second-level headings), the colour of its links.
struct Page {
    QStringList links, anchors, parts;
    QColor linkColour;
    explicit Page(const QTextDocument* doc) {
        for (QTextBlock b = doc->begin(); b != doc->end(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (f.isAnchor() && !f.anchorHref().isEmpty())
                    links << f.anchorHref(), linkColour = f.foreground().color();
                anchors << f.anchorNames();
                if (b.blockFormat().headingLevel() == 2)
                    parts << f.anchorNames();
            }
    }
};

} // namespace

class TestGuideWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void menuAndF1OpenTheGuideBesideTheExercise_data() {
        QTest::addColumn<QString>("how");
        QTest::addRow("menu ? > Guide de Vorelle") << "menu";
        QTest::addRow("F1 in the main window") << "F1";
    }
    void menuAndF1OpenTheGuideBesideTheExercise() {
        QFETCH(QString, how);
        Program p;
        const QList<QAction*> help = p.form1.widget()->findChild<QMenu*>("quoi")->actions();
        QVERIFY2(help.size() >= 2 && help[0] == p.menuItem() && help[1]->objectName() == "apropos",
                 "the guide is not the first item of \"?\", above \"A propos\"");
        QCOMPARE(p.menuItem()->text(), "&Guide de Vorelle");
        p.open(how);
        QVERIFY2(p.guide.isVisible(), "the guide did not open");
        QWidget* window = p.guide.widget();
        QCOMPARE(window->windowTitle(), "Guide de Vorelle");
        QVERIFY2(!window->isModal() && !QApplication::activeModalWidget(),
                 "the guide blocks the exercise");
        QVERIFY(p.form1.isVisible());
        QCOMPARE(p.browser()->documentTitle(), "Guide de Vorelle");
        QCOMPARE(p.scrolled(), 0);
    }

    // F1 in the game window stays the game's instructions, also while the
    // exercise window is shown beside it.
    void f1InTheGameStaysItsInstructions() {
        Program w;
        w.gameWindow.show();
        QWidget* game = w.gameWindow.widget();
        game->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(game));
        bool instructions = false; // seen from inside their modal display
        QTimer::singleShot(0, [&] { instructions = w.instruct.isVisible(), w.instruct.hide(); });
        QTest::keyClick(game, Qt::Key_F1);
        QCoreApplication::processEvents();
        QVERIFY2(instructions, "F1 in the game did not show its instructions");
        QVERIFY2(!w.guide.isVisible(), "F1 in the game opened the guide");
    }

    // Every link leads to a part of the guide, and every part can be reached
    // from another.
    void everyLinkLeadsToAPartOfTheGuide() {
        Program p;
        p.guide.show();
        const Page page(p.browser()->document());
        QVERIFY2(page.parts.size() >= 7, qPrintable(page.parts.join(' ')));
        QStringList found;
        for (const QString& link : page.links) {
            if (!link.startsWith('#'))
                found << link + ": leads outside the guide";
            else if (!page.anchors.contains(link.mid(1)))
                found << link + ": no part of the guide has this name";
        }
        for (const QString& part : page.parts)
            if (!page.links.contains('#' + part))
                found << part + ": no link leads to this part";
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
    }

    // A no-break space before ; : ! ? and inside « », no straight quotes.
    void frenchTypography() {
        Program p;
        p.guide.show();
        const QString text = p.browser()->document()->toRawText(); // with its no-break spaces
        const auto context = [&](qsizetype i) { return '"' + text.mid(i - 20, 40) + '"'; };
        const auto noBreak = [](QChar c) { return c == QChar(0xa0) || c == QChar(0x202f); };
        QStringList found;
        for (qsizetype i = 1; i < text.size(); ++i) {
            const QChar c = text[i];
            if (QStringView(u";:!?").contains(c) && !QStringView(u";:!?").contains(text[i - 1]) &&
                !noBreak(text[i - 1]))
                found << context(i) + ": no no-break space before " + c;
            if (c == QChar(0xab) && (i + 1 == text.size() || text[i + 1] != QChar(0xa0)))
                found << context(i) + ": no no-break space after the opening quote";
            if (c == QChar(0xbb) && text[i - 1] != QChar(0xa0))
                found << context(i) + ": no no-break space before the closing quote";
            if (c == '"')
                found << context(i) + ": straight quotes";
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
    }

    // The examples of every spelling and country are the words the program
    // expects.
    void spellingExamplesAreTheProgramsWords() {
        using NumberSpelling::Region;
        using NumberSpelling::Spelling;
        const QMap<QString, std::pair<Spelling, Region>> columns{
            {"Simplifiée (Vorelle)", {Spelling::Classic, Region::France}},
            {"Traditionnelle", {Spelling::Traditional, Region::France}},
            {"Rectifiée (1990)", {Spelling::Rectified1990, Region::France}},
            {"France", {Spelling::Traditional, Region::France}},
            {"Belgique", {Spelling::Traditional, Region::Belgium}},
            {"Suisse", {Spelling::Traditional, Region::Switzerland}}};
        Program p;
        p.guide.show();
        int cells = 0;
        for (QTextFrame* frame : p.browser()->document()->rootFrame()->childFrames()) {
            auto* table = qobject_cast<QTextTable*>(frame);
            const auto cell = [&](int r, int c) {
                QTextCursor from = table->cellAt(r, c).firstCursorPosition();
                from.setPosition(table->cellAt(r, c).lastPosition(), QTextCursor::KeepAnchor);
                return from.selectedText();
            };
            if (!table || cell(0, 0) != "Nombre")
                continue;
            for (int c = 1; c < table->columns(); ++c) {
                const auto column = columns.find(cell(0, c));
                QVERIFY2(column != columns.end(), qPrintable("column " + cell(0, c)));
                for (int r = 1; r < table->rows(); ++r, ++cells) {
                    const qint64 number = QString(cell(r, 0)).remove(' ').toLongLong();
                    QCOMPARE(cell(r, c),
                             NumberSpelling::words(number, column->first, column->second));
                }
            }
        }
        QVERIFY2(cells >= 40, "no tables of the spellings and countries");
    }

    void textIsReadThroughTheAccessibilityInterface() {
        Program p;
        p.guide.show();
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(p.guide.widget());
        QAccessibleInterface* page = nullptr;
        for (int i = 0; window && i < window->childCount(); ++i)
            if (window->child(i)->object() == p.browser())
                page = window->child(i);
        QVERIFY2(page, "the page is not in the window's accessibility tree");
        QCOMPARE(page->text(QAccessible::Name), "Guide de Vorelle");
        QAccessibleTextInterface* text = page->textInterface();
        QVERIFY2(text, "the page has no text interface");
        const QString read = text->text(0, text->characterCount());
        for (const char* heading :
             {"Une séance pas à pas", "Les niveaux de difficulté", "Les touches du jeu",
              "Les orthographes et les pays", "Les fichiers et les dossiers", "/etc/xdg/vorelle/",
              "La ligne de commande"})
            QVERIFY2(read.contains(QString::fromUtf8(heading)),
                     qPrintable(QStringLiteral("a reader does not get \"%1\"").arg(heading)));
    }

    void closedItOpensAgainAtTheTop_data() {
        QTest::addColumn<QString>("how");
        QTest::addRow("Escape") << "Escape";
        QTest::addRow("Fermer") << "Fermer";
        QTest::addRow("close box") << "close box";
    }
    void closedItOpensAgainAtTheTop() {
        QFETCH(QString, how);
        Program p;
        p.open("menu");
        QVERIFY(QTest::qWaitForWindowExposed(p.guide.widget()));
        p.goTo("commande");
        QVERIFY2(p.scrolled() > 0, "the link to the last part did not scroll");
        if (how == "Escape")
            QTest::keyClick(p.browser(), Qt::Key_Escape);
        else if (how == "Fermer")
            p.guide.control<QPushButton>("cmdClose")->click();
        else
            p.guide.widget()->close();
        QCoreApplication::processEvents();
        QVERIFY2(!p.guide.isVisible(), "the guide stays open");
        p.open("menu");
        QVERIFY(p.guide.isVisible());
        QCOMPARE(p.scrolled(), 0);
        QVERIFY2(!p.browser()->isBackwardAvailable() &&
                     !p.guide.control<QPushButton>("cmdBack")->isEnabled(),
                 "the guide remembers where it was read");
    }

    // "&Sommaire", then back: by the button and by Alt+Left, as the guide says.
    void contentsThenBack() {
        Program p;
        p.open("menu");
        p.goTo("commande");
        const int last = p.scrolled();
        p.guide.onContentsClicked();
        QVERIFY(p.scrolled() < last);
        auto* back = p.guide.control<QPushButton>("cmdBack");
        QVERIFY(back->isEnabled());
        back->click();
        QCOMPARE(p.scrolled(), last);
        p.guide.onContentsClicked();
        QTest::keyClick(p.browser(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(p.scrolled(), last);
    }

    void linksReadOnThePalette_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("paletteLink"); // the palette's own link colour is kept
        QTest::addRow("light") << QPalette(QColor(0xef, 0xef, 0xef), QColor(0xf5, 0xf5, 0xf5))
                               << true;
        QTest::addRow("dark, default blue links")
            << QPalette(QColor(0x3c, 0x3c, 0x3c), QColor(0x2b, 0x2b, 0x2b)) << false;
    }
    void linksReadOnThePalette() {
        QFETCH(QPalette, palette);
        QFETCH(bool, paletteLink);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        Program p;
        p.guide.show();
        const QColor link = Page(p.browser()->document()).linkColour;
        const QColor page = p.browser()->palette().color(QPalette::Base);
        QApplication::setPalette(before);
        QVERIFY2(contrastRatio(link, page) >= 4.5, qPrintable(QStringLiteral("links %1 on %2: %3:1")
                                                                  .arg(link.name(), page.name())
                                                                  .arg(contrastRatio(link, page))));
        QCOMPARE(link == palette.color(QPalette::Link), paletteLink);
    }
};

QTEST_MAIN(TestGuideWindow)
#include "test_guide_window.moc"
