// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: the system-information program, where it is looked for,
// the links and the window, offscreen through its controls' names.
#include "about_box.h"
#include "about_commands.h"
#include "about_pictures.h"
#include "app_info.h"
#include "brikko_icon.h"
#include "desktop_system_information.h"
#include "fake_desktop_shell.h"
#include "fakes.h"
#include "instructions_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(AboutLinks)

class TestAboutBox : public QObject {
    Q_OBJECT

    FakeSystemInformation info_;
    FakeDesktopShell shell_;
    FakeMessageBoxes boxes_;
    std::unique_ptr<AboutBox> about_;
    const AboutLinks links_{"p@v.test", "www.v.test"};

    QLabel* label(const char* name) const { return about_->control<QLabel>(name); }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2)); }

private slots:
    void init() {
        info_ = FakeSystemInformation();
        shell_ = FakeDesktopShell();
        boxes_ = FakeMessageBoxes();
        about_ = std::make_unique<AboutBox>(info_, shell_, boxes_, links_);
        about_->show(false);
    }
    void cleanup() {
        about_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void startSysInfo_data() {
        QTest::addColumn<QString>("program"); // empty: none on this system
        QTest::addColumn<bool>("startWorks");
        QTest::addColumn<bool>("message");
        QTest::addRow("none") << "" << true << true;
        QTest::addRow("started as it is") << "/usr/bin/info tool" << true << false;
        QTest::addRow("fails to start") << "/usr/bin/info tool" << false << true;
    }
    void startSysInfo() {
        QFETCH(QString, program);
        QFETCH(bool, startWorks);
        QFETCH(bool, message);
        info_.program = program;
        shell_.startWorks = startWorks;
        click(about_->control<QPushButton>("cmdSysInfo"));
        QCOMPARE(shell_.started, program.isEmpty() ? QStringList() : QStringList{program});
        QCOMPARE(boxes_.shown.size(), size_t(message ? 1 : 0));
        if (message)
            QCOMPARE(boxes_.shown[0].text + boxes_.shown[0].title + kindName(boxes_.shown[0].kind),
                     "Les informations système ne sont pas disponibles actuellementplain");
        QVERIFY(about_->isVisible()); // the box stays open
    }

    // The system-information program is the first of the known names found
    // in the absolute folders of the PATH: one in the current folder is never
    // taken.
    void sysInfoNeverFromTheCurrentFolder_data() {
        QTest::addColumn<QString>(
            "path"); // "@", "%": absolute folders holding the second, first name
        QTest::addColumn<QString>("found"); // in the temporary folder; empty: none
        QTest::addRow("dot") << "/nowhere:."
                             << "";
        QTest::addRow("empty entry") << ":/nowhere"
                                     << "";
        QTest::addRow("relative") << "bin"
                                  << "";
        QTest::addRow("absolute, after a dot") << ".:@"
                                               << "abs/vorelle-info-tool";
        QTest::addRow("first name, later folder") << "@:%"
                                                  << "late/vorelle-first-tool";
    }
    void sysInfoNeverFromTheCurrentFolder() {
        QFETCH(QString, path);
        QFETCH(QString, found);
        QTemporaryDir here;
        const QString first = "vorelle-first-tool", second = "vorelle-info-tool";
        for (const QString& file : {second, "bin/" + second, "abs/" + second, "late/" + first}) {
            QVERIFY(QDir(here.path()).mkpath(QFileInfo(file).path()));
            QFile tool(here.filePath(file));
            QVERIFY(tool.open(QIODevice::WriteOnly) && tool.write("#!/bin/sh\n") > 0);
            tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        const DesktopSystemInformation info(
            {first, second},
            path.replace('@', here.filePath("abs")).replace('%', here.filePath("late")));
        const QString before = QDir::currentPath();
        QDir::setCurrent(here.path());
        const QString program = info.programPath();
        QDir::setCurrent(before);
        QVERIFY2(!found.isEmpty() || program.isEmpty(),
                 qPrintable("a program in the current folder would be run: " + program));
        QCOMPARE(program, found.isEmpty() ? QString() : here.filePath(found));
    }

    void links_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("opened"); // empty: nothing
        const auto row = [](const char* name, const char* link, const char* caption,
                            const char* opened) {
            QTest::addRow("%s", name) << QString(link) << QString(caption) << QString(opened);
        };
        row("web, no prefix", "lblUrl", "www.v.test", "http://www.v.test");
        row("web, prefix", "lblUrl", "http://v.test/", "http://v.test/");
        row("web, prefix in capitals", "lblUrl", "HTTP://v", "http://HTTP://v");
        row("web, secure prefix", "lblUrl", "https://v.test/a", "https://v.test/a");
        row("web, secure prefix in capitals", "lblUrl", "HTTPS://v", "http://HTTPS://v");
        row("web, starts with http, no prefix", "lblUrl", "httpd.v.test", "http://httpd.v.test");
        row("web, empty", "lblUrl", "", "");
        row("mail", "lblMail", "p@v.test", "MailTo:p@v.test");
        row("mail, empty", "lblMail", "", "");
    }
    void links() {
        QFETCH(QString, caption);
        QFETCH(QString, opened);
        QFETCH(QString, link);
        QLabel* label = about_->control<QLabel>(link);
        label->setText(caption);
        click(label);
        label->setFocus(); // the keyboard opens it too
        QTest::keyClick(label, Qt::Key_Return);
        QCOMPARE(shell_.links, opened.isEmpty() ? QStringList() : QStringList(2, opened));
    }

    // Captions, and every opening loads the window again however it closed.
    void everyOpeningLoadsAgain_data() {
        QTest::addColumn<int>("how");
        QTest::addRow("OK") << 0;
        QTest::addRow("Escape") << 1;
        QTest::addRow("close box") << 2;
    }
    void everyOpeningLoadsAgain() {
        QFETCH(int, how);
        QStringList captions{about_->widget()->windowTitle(), label("lblMail")->toolTip(),
                             about_->control<QPushButton>("cmdSysInfo")->text()};
        for (const char* name : {"lblTitle", "lblVersion", "Label1", "Label3", "lblMail", "lblUrl"})
            captions << label(name)->text();
        QCOMPARE(captions, (QStringList{"À propos de " + AppInfo::title(), "Contactez moi !",
                                        "&Infos système...", AppInfo::title(), "Version 5.0.0",
                                        "Brikko32", "Version 1.00", links_.mail, links_.web}));
        label("lblVersion")->setText("changed");
        if (how == 0)
            click(about_->control<QPushButton>("cmdOK"));
        else if (how == 1)
            QTest::keyClick(about_->widget(), Qt::Key_Escape);
        else
            about_ = std::make_unique<AboutBox>(info_, shell_, boxes_, links_); // not yet shown
        about_->show(false);
        QCOMPARE(label("lblVersion")->text(), "Version 5.0.0");
    }

    // An address the program has none of shows no link; every other control
    // keeps its place. By default, the addresses the program was built with.
    void missingAddressShowsNoLink_data() {
        QTest::addColumn<bool>("built"); // made with the build's own addresses
        QTest::addColumn<AboutLinks>("links");
        QTest::addColumn<bool>("mailShown");
        QTest::addColumn<bool>("webShown");
        const AboutLinks built = AboutLinks::built();
        QTest::addRow("both") << false << links_ << true << true;
        QTest::addRow("no mail") << false << AboutLinks{"", links_.web} << false << true;
        QTest::addRow("no web page") << false << AboutLinks{links_.mail, ""} << true << false;
        QTest::addRow("as built") << true << built << !built.mail.isEmpty() << !built.web.isEmpty();
    }
    void missingAddressShowsNoLink() {
        QFETCH(bool, built);
        QFETCH(AboutLinks, links);
        const auto places = [](AboutBox& about) {
            QStringList list;
            for (const QWidget* w : about.widget()->findChildren<QWidget*>())
                list << w->objectName() + QString(" %1,%2 %3x%4")
                                              .arg(w->x())
                                              .arg(w->y())
                                              .arg(w->width())
                                              .arg(w->height());
            return list;
        };
        std::optional<AboutBox> about;
        if (built)
            about.emplace(info_, shell_, boxes_);
        else
            about.emplace(info_, shell_, boxes_, links);
        about->show(false);
        QTEST(about->control<QLabel>("lblMail")->isVisible(), "mailShown");
        QTEST(about->control<QLabel>("lblUrl")->isVisible(), "webShown");
        QCOMPARE(about->control<QLabel>("lblMail")->text() + ' ' +
                     about->control<QLabel>("lblUrl")->text(),
                 links.mail + ' ' + links.web);
        QCOMPARE(places(*about), places(*about_));
    }

    void modalShowReturnsWhenClosed() {
        about_ = std::make_unique<AboutBox>(info_, shell_, boxes_); // not yet shown
        QTimer::singleShot(0, this, [this] { click(about_->control<QPushButton>("cmdOK")); });
        about_->show(true);
        QVERIFY(!about_->isVisible());
    }

    // The pictures are drawn for the screen; the game's icon is the very
    // picture the game's own windows show.
    void picturesForTheScreen() {
        const QPixmap logo = AboutPictures::logo(2.0), icon = brikkoIcon(2.0);
        QCOMPARE(logo.size(), QSize(84, 226));
        QCOMPARE(logo.deviceIndependentSize(), QSizeF(42, 113));
        QCOMPARE(icon.size(), QSize(64, 64));
        InstructionsWindow instructions;
        instructions.load();
        QVERIFY2(label("Image1")->pixmap().toImage() ==
                     instructions.control<QLabel>("Image1")->pixmap().toImage(),
                 "the about box draws the game's icon otherwise than the game's windows");
    }
};

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
