// The about box: the registry value rules, the system-information lookups,
// the links and the window, offscreen through its controls' names.
#include "about_commands.h"
#include "about_pictures.h"
#include "app_info.h"
#include "fake_desktop_shell.h"
#include "fakes.h"
#include "frm_about.h"
#include "key_value.h"
#include "registry.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}
} // namespace

class FrmAboutTest : public QObject {
    Q_OBJECT

    FixedRegistry registry_;
    FakeDesktopShell shell_;
    FakeMessageBoxes boxes_;
    std::unique_ptr<frmAbout> about_;

    template <typename T> T* control(const char* name) const {
        return about_->control<T>(QString::fromLatin1(name));
    }
    void click(const char* name) {
        QWidget* w = control<QWidget>(name);
        QVERIFY(w);
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    }

private slots:
    void init() {
        registry_ = FixedRegistry();
        shell_ = FakeDesktopShell();
        boxes_ = FakeMessageBoxes();
        about_ = std::make_unique<frmAbout>(registry_, shell_, boxes_);
    }
    void cleanup() {
        about_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void keyValueFromData_data() {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("before"); // KeyVal on entry
        QTest::addColumn<QString>("after");
        QTest::addRow("text with final NUL loses it") << 1u << QByteArray("/usr/bin\0", 9) << "x"
                                                      << "/usr/bin";
        QTest::addRow("text without final NUL keeps all") << 1u << QByteArray("/usr/bin") << ""
                                                          << "/usr/bin";
        QTest::addRow("text: only the last NUL goes")
            << 1u << QByteArray("ab\0\0", 4) << "" << QString::fromLatin1("ab\0", 3);
        QTest::addRow("text, empty") << 1u << QByteArray() << "x"
                                     << "";
        QTest::addRow("text in UTF-8") << 1u << QString("/opt/système").toUtf8() << ""
                                       << "/opt/système";
        QTest::addRow("32-bit, every byte") << 4u << bytes({0x78, 0x56, 0x34, 0x12}) << ""
                                            << "&h12345678";
        QTest::addRow("32-bit, top byte zero is trimmed")
            << 4u << bytes({0x56, 0x34, 0x12, 0x00}) << ""
            << "&h123456";
        QTest::addRow("32-bit, bytes below 16 give one digit")
            << 4u << bytes({0x0f, 0x0a, 0x05, 0x01}) << ""
            << "&h15AF";
        QTest::addRow("32-bit, inner zero byte gives 0")
            << 4u << bytes({0x02, 0x01, 0x00, 0x00}) << ""
            << "&h012";
        QTest::addRow("32-bit, appended to what KeyVal held")
            << 4u << bytes({0xab, 0x01, 0x00, 0x10}) << "old"
            << "&hold1001AB";
        QTest::addRow("other type leaves KeyVal") << 3u << QByteArray("data") << "kept"
                                                  << "kept";
    }
    void keyValueFromData() {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QString keyVal = before;
        QVERIFY(::keyValueFromData(type, data, keyVal));
        QCOMPARE(keyVal, after);
    }

    void getKeyValue_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("keyVal");
        QTest::addRow("found, names in another case") << "software\\TEST"
                                                      << "path" << 4 << true << "aaaa";
        QTest::addRow("longest value read") << "SOFTWARE\\Test"
                                            << "Path" << 1024 << true << QString(1024, 'a');
        QTest::addRow("longer than the buffer") << "SOFTWARE\\Test"
                                                << "Path" << 1025 << false << "";
        QTest::addRow("value missing") << "SOFTWARE\\Test"
                                       << "Other" << 4 << false << "";
        QTest::addRow("key missing") << "SOFTWARE\\Else"
                                     << "Path" << 4 << false << "";
    }
    void getKeyValue() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, size);
        QFETCH(bool, read);
        QFETCH(QString, keyVal);
        registry_.set(MachineRoot, "SOFTWARE\\Test", "Path", {1, QByteArray(size, 'a')});
        QString got = "before";
        QCOMPARE(GetKeyValue(registry_, MachineRoot, key, value, got), read);
        QCOMPARE(got, keyVal);
        QVERIFY(!GetKeyValue(registry_, MachineRoot + 1, "SOFTWARE\\Test", "Path", got));
    }

    void startSysInfo_data() {
        QTest::addColumn<QString>("program");  // the PATH value; null: none
        QTest::addColumn<QString>("location"); // the MSINFO value; null: none
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<bool>("startWorks");
        QTest::addColumn<QStringList>("fileTests");
        QTest::addColumn<QString>("started"); // empty: nothing
        QTest::addColumn<bool>("message");
        const QString file = "/opt/info/MSINFO32.EXE";
        QTest::addRow("neither value: the message")
            << QString() << QString() << true << true << QStringList() << "" << true;
        QTest::addRow("program value: started without a file test")
            << "/usr/bin/info tool"
            << "/opt/info" << false << true << QStringList() << "/usr/bin/info tool" << false;
        QTest::addRow("location value with the file: started")
            << QString() << "/opt/info" << true << true << QStringList{file} << file << false;
        QTest::addRow("location value without the file: the message")
            << QString() << "/opt/info" << false << true << QStringList{file} << "" << true;
        QTest::addRow("program that fails to start: the message")
            << "/usr/bin/gone" << QString() << false << false << QStringList() << "/usr/bin/gone"
            << true;
    }
    void startSysInfo() {
        QFETCH(QString, program);
        QFETCH(QString, location);
        QFETCH(bool, fileThere);
        QFETCH(bool, startWorks);
        QFETCH(QStringList, fileTests);
        QFETCH(QString, started);
        QFETCH(bool, message);
        if (!program.isNull())
            registry_.setText(MachineRoot, SysInfoKeys::programKey(), "PATH", program);
        if (!location.isNull())
            registry_.setText(MachineRoot, SysInfoKeys::locationKey(), "MSINFO", location);
        if (fileThere)
            shell_.files << "/opt/info/MSINFO32.EXE";
        shell_.startWorks = startWorks;
        about_->Show(false);
        click("cmdSysInfo");
        QCOMPARE(shell_.fileTests, fileTests);
        QCOMPARE(shell_.started.join('|'), started);
        QCOMPARE(boxes_.shown.size(), size_t(message ? 1 : 0));
        if (message) {
            QCOMPARE(boxes_.shown[0].text,
                     "Les informations système ne sont pas disponibles actuellement");
            QCOMPARE(boxes_.shown[0].style, 0);
            QCOMPARE(boxes_.shown[0].title, QString()); // the application title
        }
        QVERIFY(about_->isVisible()); // the box stays open
    }

    void links_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("opened"); // empty: nothing
        QTest::addRow("web page without the prefix") << "lblUrl"
                                                     << "www.vorelle.example"
                                                     << "http://www.vorelle.example";
        QTest::addRow("web page with the prefix") << "lblUrl"
                                                  << "http://www.vorelle.example/"
                                                  << "http://www.vorelle.example/";
        QTest::addRow("prefix in capitals gets the prefix") << "lblUrl"
                                                            << "HTTP://www.vorelle.example"
                                                            << "http://HTTP://www.vorelle.example";
        QTest::addRow("empty web caption") << "lblUrl"
                                           << ""
                                           << "";
        QTest::addRow("mail address") << "lblMail"
                                      << "prof@vorelle.example"
                                      << "MailTo:prof@vorelle.example";
        QTest::addRow("empty mail caption") << "lblMail"
                                            << ""
                                            << "";
    }
    void links() {
        QFETCH(QString, link);
        QFETCH(QString, caption);
        QFETCH(QString, opened);
        about_->Show(false);
        auto* label = about_->control<QLabel>(link);
        QVERIFY(label);
        label->setText(caption);
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(2, 2));
        // The keyboard opens it too.
        label->setFocus();
        QTest::keyClick(label, Qt::Key_Return);
        const QStringList expected = opened.isEmpty() ? QStringList() : QStringList{opened, opened};
        QCOMPARE(shell_.links, expected);
        QVERIFY(about_->isVisible());
    }

    void linksArePressedThroughTheAccessibilityBus_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("opened");
        QTest::addRow("mail") << "lblMail"
                              << "MailTo:" + AppInfo::mailAddress();
        QTest::addRow("web page") << "lblUrl"
                                  << "http://" + AppInfo::webAddress();
    }
    void linksArePressedThroughTheAccessibilityBus() {
        QFETCH(QString, link);
        QFETCH(QString, opened);
        about_->Show(false);
        QAccessibleInterface* a =
            QAccessible::queryAccessibleInterface(about_->control<QLabel>(link));
        QVERIFY(a && a->actionInterface());
        QCOMPARE(a->role(), QAccessible::Link);
        QCOMPARE(a->text(QAccessible::Name), about_->control<QLabel>(link)->text());
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(shell_.links, QStringList{opened});
    }

    void linksShowTheContactAddresses() {
        about_->Show(false);
        QCOMPARE(control<QLabel>("lblMail")->text(), AppInfo::mailAddress());
        QCOMPARE(control<QLabel>("lblUrl")->text(), AppInfo::webAddress());
        QCOMPARE(control<QLabel>("lblMail")->toolTip(), "Contactez moi !");
        click("lblUrl");
        QCOMPARE(shell_.links, QStringList{"http://" + AppInfo::webAddress()});
    }

    void everyOpeningLoadsAgain_data() {
        QTest::addColumn<int>("how");
        QTest::addRow("OK") << 0;
        QTest::addRow("Escape") << 1;
        QTest::addRow("close box") << 2;
    }
    void everyOpeningLoadsAgain() {
        QFETCH(int, how);
        about_->Show(false);
        QCOMPARE(about_->widget()->windowTitle(), "À propos de " + AppInfo::title());
        QCOMPARE(control<QLabel>("lblTitle")->text(), AppInfo::title());
        QCOMPARE(control<QLabel>("lblVersion")->text(), "Version 5.0.0");
        control<QLabel>("lblVersion")->setText("changed");
        if (how == 0)
            click("cmdOK");
        else if (how == 1)
            QTest::keyClick(about_->widget(), Qt::Key_Escape);
        else
            about_->widget()->close();
        QTRY_VERIFY(!about_->isLoaded());
        about_->Show(false);
        QCOMPARE(control<QLabel>("lblVersion")->text(), "Version 5.0.0");
    }

    void gameLines() {
        about_->Show(false);
        QCOMPARE(control<QLabel>("Label1")->text(), "Brikko32");
        QCOMPARE(control<QLabel>("Label3")->text(), "Version 1.00");
        QCOMPARE(control<QPushButton>("cmdSysInfo")->text(), "&Infos système...");
        // Every caption fits its control in the toolkit's font.
        for (auto* label : about_->widget()->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                QVERIFY2(label->sizeHint().width() <= label->width() + 2,
                         qPrintable(label->objectName()));
    }

    void modalShowReturnsWhenClosed() {
        QTimer::singleShot(0, this, [this] { click("cmdOK"); });
        about_->Show(true);
        QVERIFY(!about_->isVisible());
    }

    void picturesForTheScreen_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addRow("1") << 1.0;
        QTest::addRow("2") << 2.0;
    }
    void picturesForTheScreen() {
        QFETCH(qreal, ratio);
        const QPixmap logo = AboutPictures::logo(ratio);
        QCOMPARE(logo.size(), QSize(42, 113) * ratio);
        QCOMPARE(logo.deviceIndependentSize(), QSizeF(42, 113));
        const QPixmap icon = AboutPictures::gameIcon(ratio);
        QCOMPARE(icon.size(), QSize(32, 32) * ratio);
        QCOMPARE(icon.toImage().pixelColor(icon.width() / 2, icon.height() - 2).alpha(), 255);
    }

    void systemRegistryFindsTheFirstProgramInstalled_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("found"); // empty: none
        QTest::addRow("none") << QStringList() << "";
        QTest::addRow("one") << QStringList{"second"} << "second";
        QTest::addRow("the first in order wins") << QStringList{"second", "first"} << "first";
        QTest::addRow("not executable") << QStringList{"plain"} << "";
    }
    void systemRegistryFindsTheFirstProgramInstalled() {
        QFETCH(QStringList, installed);
        QFETCH(QString, found);
        QTemporaryDir dir;
        for (const QString& name : installed) {
            QFile f(dir.filePath(name == "plain" ? "first" : name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\n");
            f.close();
            if (name != "plain")
                f.setPermissions(f.permissions() | QFile::ExeOwner);
        }
        const FixedRegistry reg = systemRegistry({"first", "second"}, "/nonexistent:" + dir.path());
        QString path, location;
        QCOMPARE(GetKeyValue(reg, MachineRoot, SysInfoKeys::programKey(), "PATH", path),
                 !found.isEmpty());
        QCOMPARE(GetKeyValue(reg, MachineRoot, SysInfoKeys::locationKey(), "MSINFO", location),
                 !found.isEmpty());
        if (!found.isEmpty()) {
            QCOMPARE(path, dir.filePath(found));
            QCOMPARE(location, dir.path());
        }
    }
};

QTEST_MAIN(FrmAboutTest)
#include "test_frm_about.moc"
