// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: the registry value rules, the system-information lookups,
// the links and the window, offscreen through its controls' names.
#include "about_commands.h"
#include "about_pictures.h"
#include "app_info.h"
#include "fake_desktop_shell.h"
#include "fakes.h"
#include "frm_about.h"
#include "key_value.h"
#include "system_registry.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(AboutLinks)

class TestFrmAbout : public QObject {
    Q_OBJECT

    FixedRegistry registry_;
    FakeDesktopShell shell_;
    FakeMessageBoxes boxes_;
    std::unique_ptr<frmAbout> about_;
    const AboutLinks links_{"p@v.test", "www.v.test"};

    QLabel* label(const char* name) const { return about_->control<QLabel>(name); }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2)); }

private slots:
    void init() {
        registry_ = FixedRegistry();
        shell_ = FakeDesktopShell();
        boxes_ = FakeMessageBoxes();
        about_ = std::make_unique<frmAbout>(registry_, shell_, boxes_, links_);
        about_->Show(false);
    }
    void cleanup() {
        about_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void getKeyValue_data() {
        QTest::addColumn<quint32>("type"); // 0: no such value
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("before"); // KeyVal on entry
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("after");
        const auto b = [](const char* hex) { return QByteArray::fromHex(hex); };
        QTest::addRow("text, final NUL") << 1u << QByteArray("/usr\0", 5) << "x" << true << "/usr";
        QTest::addRow("text, no final NUL") << 1u << QByteArray("/usr") << "" << true << "/usr";
        QTest::addRow("32-bit, top byte zero") << 4u << b("56341200") << "" << true << "&h123456";
        QTest::addRow("32-bit, bytes below 16") << 4u << b("0f0a0501") << "" << true << "&h15AF";
        QTest::addRow("32-bit, appended") << 4u << b("ab010010") << "old" << true << "&hold1001AB";
        QTest::addRow("other type") << 3u << QByteArray("d") << "kept" << true << "kept";
        QTest::addRow("longer than the buffer")
            << 1u << QByteArray(1025, 'a') << "x" << false << "";
        QTest::addRow("missing") << 0u << QByteArray() << "x" << false << "";
    }
    void getKeyValue() {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(QString, before);
        if (type)
            registry_.set(MachineRoot, "SOFTWARE\\Test", "Path", {type, data});
        QString keyVal = before;
        QTEST(GetKeyValue(registry_, MachineRoot, "software\\TEST", "path", keyVal), "read");
        QTEST(keyVal, "after");
    }

    void startSysInfo_data() {
        QTest::addColumn<QString>("program");  // the PATH value; null: none
        QTest::addColumn<QString>("location"); // the MSINFO value; null: none
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<bool>("startWorks");
        QTest::addColumn<QString>("fileTested"); // empty: none
        QTest::addColumn<QString>("started");    // empty: nothing
        QTest::addColumn<bool>("message");
        const QString f = "/opt/info/MSINFO32.EXE", p = "/usr/bin/info tool", none,
                      at = "/opt/info";
        QTest::addRow("neither value") << none << none << true << true << none << none << true;
        QTest::addRow("program value: no file test")
            << p << at << false << true << none << p << false;
        QTest::addRow("location value with the file")
            << none << at << true << true << f << f << false;
        QTest::addRow("location value, no file")
            << none << at << false << true << f << none << true;
        QTest::addRow("program fails to start") << p << none << false << false << none << p << true;
    }
    void startSysInfo() {
        QFETCH(QString, program);
        QFETCH(QString, location);
        QFETCH(bool, fileThere);
        QFETCH(bool, startWorks);
        QFETCH(bool, message);
        if (!program.isNull())
            registry_.setText(MachineRoot, SysInfoKeys::programKey(), "PATH", program);
        if (!location.isNull())
            registry_.setText(MachineRoot, SysInfoKeys::locationKey(), "MSINFO", location);
        if (fileThere)
            shell_.files << "/opt/info/MSINFO32.EXE";
        shell_.startWorks = startWorks;
        click(about_->control<QPushButton>("cmdSysInfo"));
        QTEST(shell_.fileTests.join('|'), "fileTested");
        QTEST(shell_.started.join('|'), "started");
        QCOMPARE(boxes_.shown.size(), size_t(message ? 1 : 0));
        if (message)
            QCOMPARE(boxes_.shown[0].text + boxes_.shown[0].title +
                         QString::number(boxes_.shown[0].style),
                     "Les informations système ne sont pas disponibles actuellement0");
        QVERIFY(about_->isVisible()); // the box stays open
    }

    // The system-information program is looked up only in the absolute
    // folders of the PATH: one in the current folder is never taken.
    void sysInfoNeverFromTheCurrentFolder_data() {
        QTest::addColumn<QString>("path"); // "@": an absolute folder holding it
        QTest::addColumn<bool>("found");
        QTest::addRow("dot") << "/nowhere:." << false;
        QTest::addRow("empty entry") << ":/nowhere" << false;
        QTest::addRow("relative") << "bin" << false;
        QTest::addRow("absolute, after a dot") << ".:@" << true;
    }
    void sysInfoNeverFromTheCurrentFolder() {
        QFETCH(QString, path);
        QFETCH(bool, found);
        QTemporaryDir here;
        const QString name = "vorelle-info-tool";
        for (const QString& folder : {here.path(), here.filePath("bin"), here.filePath("abs")}) {
            QVERIFY(QDir().mkpath(folder));
            QFile tool(folder + '/' + name);
            QVERIFY(tool.open(QIODevice::WriteOnly) && tool.write("#!/bin/sh\n") > 0);
            tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        const QString before = QDir::currentPath();
        QDir::setCurrent(here.path());
        const FixedRegistry registry =
            systemRegistry({name}, path.replace('@', here.filePath("abs")));
        QDir::setCurrent(before);
        QString program;
        GetKeyValue(registry, MachineRoot, SysInfoKeys::programKey(), SysInfoKeys::programValue(),
                    program);
        QVERIFY2(found || program.isEmpty(),
                 qPrintable("a program in the current folder would be run: " + program));
        QCOMPARE(program, found ? here.filePath("abs/" + name) : QString());
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
            about_ = std::make_unique<frmAbout>(registry_, shell_, boxes_, links_); // not yet shown
        about_->Show(false);
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
        const auto places = [](frmAbout& about) {
            QStringList list;
            for (const QWidget* w : about.widget()->findChildren<QWidget*>())
                list << w->objectName() + QString(" %1,%2 %3x%4")
                                              .arg(w->x())
                                              .arg(w->y())
                                              .arg(w->width())
                                              .arg(w->height());
            return list;
        };
        std::optional<frmAbout> about;
        if (built)
            about.emplace(registry_, shell_, boxes_);
        else
            about.emplace(registry_, shell_, boxes_, links);
        about->Show(false);
        QTEST(about->control<QLabel>("lblMail")->isVisible(), "mailShown");
        QTEST(about->control<QLabel>("lblUrl")->isVisible(), "webShown");
        QCOMPARE(about->control<QLabel>("lblMail")->text() + ' ' +
                     about->control<QLabel>("lblUrl")->text(),
                 links.mail + ' ' + links.web);
        QCOMPARE(places(*about), places(*about_));
    }

    void modalShowReturnsWhenClosed() {
        about_ = std::make_unique<frmAbout>(registry_, shell_, boxes_); // not yet shown
        QTimer::singleShot(0, this, [this] { click(about_->control<QPushButton>("cmdOK")); });
        about_->Show(true);
        QVERIFY(!about_->isVisible());
    }

    void picturesForTheScreen() {
        const QPixmap logo = AboutPictures::logo(2.0), icon = AboutPictures::gameIcon(2.0);
        QCOMPARE(logo.size(), QSize(84, 226));
        QCOMPARE(logo.deviceIndependentSize(), QSizeF(42, 113));
        QCOMPARE(icon.size(), QSize(64, 64));
    }
};

QTEST_MAIN(TestFrmAbout)
#include "test_frm_about.moc"
