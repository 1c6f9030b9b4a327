// The tip-of-the-day window, offscreen, through its controls' names.
#include "app_paths.h"
#include "bulb_picture.h"
#include "fakes.h"
#include "frm_tip.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class FrmTipTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakeSettingsStore> settings_;
    std::unique_ptr<frmTip> tip_;

    static QString settingKey() {
        return executableBaseName() + QStringLiteral("/Options/Show Tips at Startup");
    }
    void writeTips(const QByteArray& bytes) {
        QFile f(dir_->filePath(frmTip::tipsFileName()));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QLabel* tipLabel() const { return tip_->control<QLabel>(QStringLiteral("lblTipText")); }
    QString shownTip() const { return tipLabel() ? tipLabel()->text() : QStringLiteral("<none>"); }
    void clickNext() {
        auto* next = tip_->control<QPushButton>(QStringLiteral("cmdNextTip"));
        QVERIFY(next);
        QTest::mouseClick(next, Qt::LeftButton);
    }
    void clickOK() {
        auto* ok = tip_->control<QPushButton>(QStringLiteral("cmdOK"));
        QVERIFY(ok);
        QTest::mouseClick(ok, Qt::LeftButton);
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        settings_ = std::make_unique<FakeSettingsStore>();
        tip_ = std::make_unique<frmTip>(*settings_,
                                        AppPaths(dir_->path(), dir_->path(), dir_->path()));
    }

    void cleanup() {
        tip_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void controlsOfTheDesign_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("pixels");
        QTest::addRow("cmdOK") << "cmdOK"
                               << "OK" << QRect(272, 8, 89, 25);
        QTest::addRow("cmdNextTip") << "cmdNextTip"
                                    << "Astuce &suivante" << QRect(272, 40, 89, 25);
        QTest::addRow("chkLoadTipsAtStartup")
            << "chkLoadTipsAtStartup"
            << "&Afficher les astuces au démarrage" << QRect(8, 196, 193, 21);
        QTest::addRow("Picture1") << "Picture1" << QString() << QRect(8, 8, 249, 181);
        // Inside the picture box, from inside its 2-pixel border.
        QTest::addRow("Label1") << "Label1"
                                << "Savez-vous..." << QRect(38, 14, 177, 17);
        QTest::addRow("lblTipText") << "lblTipText" << QString() << QRect(14, 58, 217, 109);
    }

    void controlsOfTheDesign() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, pixels);
        tip_->Load();
        QWidget* w = tip_->control<QWidget>(name);
        QVERIFY(w);
        QCOMPARE(w->pos(), pixels.topLeft());
        QCOMPARE(w->height(), pixels.height());
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!button) {
            QCOMPARE(w->width(), pixels.width());
            if (auto* label = qobject_cast<QLabel*>(w); label && !text.isEmpty())
                QCOMPARE(label->text(), text);
            return;
        }
        QCOMPARE(button->text(), text);
        // A caption wider than the design widens its control, never past
        // the window's right margin.
        QVERIFY(w->width() >= pixels.width());
        QVERIFY(w->width() >= std::min(w->sizeHint().width(), 393 - 8 - w->x()));
        QVERIFY(w->geometry().right() < 393 - 8);
    }

    void windowOfTheDesign() {
        tip_->Load();
        QWidget* w = tip_->widget();
        QCOMPARE(w->objectName(), QStringLiteral("frmTip"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Astuce du jour"));
        QCOMPARE(w->size(), QSize(393, 219)); // 5895 × 3285 twips
        QVERIFY(tip_->control<QPushButton>(QStringLiteral("cmdOK"))->isDefault());
        QCOMPARE(tipLabel()->textFormat(), Qt::PlainText);
        QVERIFY(tipLabel()->wordWrap());
        QVERIFY(!tip_->control<QWidget>(QStringLiteral("Picture1"))->accessibleName().isEmpty());
    }

    void bulbIsDrawnAtTheTopLeft() {
        tip_->Show(false);
        auto* picture = tip_->control<BulbPicture>(QStringLiteral("Picture1"));
        QVERIFY(picture);
        QCOMPARE(picture->bulb().size(), QSize(32, 32));
        const QImage shot = picture->grab().toImage();
        const QPoint glass = picture->contentsRect().topLeft() + QPoint(16, 13);
        const QColor c = shot.pixelColor(glass);
        // Yellow glass on the white box.
        QVERIFY2(c.red() > 200 && c.green() > 180 && c.blue() < 150, qPrintable(c.name()));
    }

    void tipsCycleAndWrap() {
        writeTips("A\r\nB\r\nC\r\n");
        tip_->Show(false);
        QStringList shown{shownTip()};
        for (int i = 0; i < 4; ++i) {
            clickNext();
            shown << shownTip();
        }
        QCOMPARE(shown, (QStringList{"A", "B", "C", "A", "B"}));
    }

    void reopeningGoesOnAfterTheLastTipShown() {
        writeTips("A\r\nB\r\nC\r\n");
        tip_->Show(false);
        clickNext();
        QCOMPARE(shownTip(), QStringLiteral("B"));
        clickOK();
        QVERIFY(!tip_->isLoaded());
        QCOMPARE(tip_->CurrentTip(), 2);
        tip_->Show(false);
        QCOMPARE(shownTip(), QStringLiteral("C"));
        // The file was read again and appended.
        QCOMPARE(tip_->Tips(), (QStringList{"A", "B", "C", "A", "B", "C"}));
    }

    void missingFileShowsTheMessageAndStillTicksTheBox() {
        tip_->Show(false);
        QCOMPARE(shownTip(),
                 QStringLiteral("Le fichier TIPOFDAY1.TXT n'a pas été trouvé? \r\n\r\nCréez un "
                                "fichier texte nommé TIPOFDAY1.TXT en utilisant le Bloc-notes avec "
                                "une astuce par ligne. Puis placez le dans le même dossier que "
                                "l'application."));
        QCOMPARE(settings_->writes, QStringList{settingKey() + QStringLiteral("=1")});
        QVERIFY(tip_->control<QCheckBox>(QStringLiteral("chkLoadTipsAtStartup"))->isChecked());
        // Nothing to step to: the message stays.
        clickNext();
        QCOMPARE(shownTip(), frmTip::missingFileMessage());
        QVERIFY(tip_->Tips().isEmpty());
    }

    void fileThatCannotBeReadShowsTheMessage_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("linkTo");
        QTest::addRow("binary") << QByteArray("\x7F"
                                              "ELF\x02\x01\x01\0\0\0",
                                              10)
                                << QString();
        QTest::addRow("read fails") << QByteArray() << QStringLiteral("/proc/self/mem");
        QTest::addRow("a folder") << QByteArray() << QStringLiteral("/");
    }

    void fileThatCannotBeReadShowsTheMessage() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, linkTo);
        if (linkTo.isEmpty())
            writeTips(bytes);
        else
            QVERIFY(QFile::link(linkTo, dir_->filePath(frmTip::tipsFileName())));
        tip_->Show(false);
        QCOMPARE(shownTip(), frmTip::missingFileMessage());
        QCOMPARE(tip_->CurrentTip(), 0);
    }

    void emptyFileShowsNothing() {
        writeTips("");
        tip_->Show(false);
        QCOMPARE(shownTip(), QString());
        QVERIFY(tip_->LoadTips(dir_->filePath(frmTip::tipsFileName())));
        QVERIFY(!tip_->LoadTips(QString()));
    }

    void emptyLineIsShownAsAnEmptyTip() {
        writeTips("A\r\n\r\nC\r\n");
        tip_->Show(false);
        clickNext();
        QCOMPARE(shownTip(), QString());
        clickNext();
        QCOMPARE(shownTip(), QStringLiteral("C"));
    }

    void windows1252FileShowsItsAccents() {
        writeTips("Le z\xE9ro s'\xE9\x63rit \xAB z\xE9ro \xBB, d\xE9j\xE0 vu\x85\r\n");
        tip_->Show(false);
        QCOMPARE(shownTip(), QStringLiteral("Le zéro s'écrit « zéro », déjà vu…"));
    }

    void tipIsShownAsWritten() {
        writeTips("<b>gras</b> &amp; 1 < 2\r\n");
        tip_->Show(false);
        QCOMPARE(shownTip(), QStringLiteral("<b>gras</b> &amp; 1 < 2"));
    }

    void untickingWritesZeroAtOnce() {
        writeTips("A\r\n");
        tip_->Show(false);
        auto* check = tip_->control<QCheckBox>(QStringLiteral("chkLoadTipsAtStartup"));
        QVERIFY(check);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QVERIFY(!check->isChecked());
        QCOMPARE(settings_->writes.last(), settingKey() + QStringLiteral("=0"));
        check->click();
        QCOMPARE(settings_->writes.last(), settingKey() + QStringLiteral("=1"));
        QCOMPARE(settings_->writes.size(), 3);
    }

    void keysAndCloseBoxCloseTheWindow_data() {
        QTest::addColumn<int>("how");
        QTest::addRow("Escape") << 0;
        QTest::addRow("Enter") << 1;
        QTest::addRow("close box") << 2;
    }

    void keysAndCloseBoxCloseTheWindow() {
        QFETCH(int, how);
        writeTips("A\r\nB\r\n");
        tip_->Show(false);
        clickNext();
        QWidget* w = tip_->widget();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        if (how == 0)
            QTest::keyClick(w, Qt::Key_Escape);
        else if (how == 1)
            QTest::keyClick(tip_->control<QPushButton>(QStringLiteral("cmdOK")), Qt::Key_Return);
        else
            w->close();
        QTRY_VERIFY(!tip_->isLoaded());
        QCOMPARE(tip_->CurrentTip(), 2);
    }

    void shippedTipsFitTheLabel() {
        const QString shipped = qEnvironmentVariable("VORELLE_TEST_DATA") + QStringLiteral("/") +
                                frmTip::tipsFileName();
        QVERIFY(QFile::copy(shipped, dir_->filePath(frmTip::tipsFileName())));
        tip_->Show(false);
        QLabel* label = tipLabel();
        QVERIFY(label);
        QVERIFY(tip_->Tips().size() >= 20);
        // Every tip fits at the window's own font, without being made smaller.
        for (int i = 0; i < tip_->Tips().size(); ++i) {
            QCOMPARE(label->font(), tip_->widget()->font());
            const int needed = label->heightForWidth(label->width());
            QVERIFY2(needed <= label->height(),
                     qPrintable(QStringLiteral("%1 px: %2").arg(needed).arg(label->text())));
            clickNext();
        }
    }

    void longTextIsMadeSmallerToFit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        QTest::addRow("a long tip")
            << QStringLiteral("Une astuce bien longue. ").repeated(12) << true;
        QTest::addRow("far too long: cut at the smallest size")
            << QStringLiteral("Beaucoup trop long. ").repeated(24) << false;
    }

    void longTextIsMadeSmallerToFit() {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        writeTips("Courte.\r\n" + text.toUtf8() + "\r\nCourte.\r\n");
        tip_->Show(false);
        QLabel* label = tipLabel();
        const QFont normal = label->font();
        clickNext();
        QCOMPARE(label->text(), text);
        QVERIFY(label->font().pointSizeF() < normal.pointSizeF());
        QVERIFY(label->font().pointSizeF() >= 7.0);
        QCOMPARE(label->heightForWidth(label->width()) <= label->height(), fits);
        // The next, short tip is back at the normal size.
        clickNext();
        QCOMPARE(label->font(), normal);
    }

    void missingFileMessageFitsTheLabel() {
        tip_->Show(false);
        QLabel* label = tipLabel();
        QCOMPARE(label->text(), frmTip::missingFileMessage());
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
    }
};

QTEST_MAIN(FrmTipTest)
#include "test_frm_tip.moc"
