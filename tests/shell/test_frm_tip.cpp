// The tip-of-the-day window, offscreen, through its controls' names.
#include "fakes.h"
#include "frm_tip.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class FrmTipTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakeSettingsStore settings_;
    std::unique_ptr<frmTip> tip_;
    const QString key_ = executableBaseName() + QStringLiteral("/Options/Show Tips at Startup");

    void show(const QByteArray& file) {
        QFile f(dir_.filePath(frmTip::tipsFileName()));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
        f.close();
        tip_->Show(false);
    }
    QLabel* label() const { return tip_->control<QLabel>(QStringLiteral("lblTipText")); }
    bool fits() const { return label()->heightForWidth(label()->width()) <= label()->height(); }
    QString next() {
        QTest::mouseClick(tip_->control<QPushButton>(QStringLiteral("cmdNextTip")), Qt::LeftButton);
        return label()->text();
    }

private slots:
    void init() {
        settings_ = FakeSettingsStore();
        QFile::remove(dir_.filePath(frmTip::tipsFileName()));
        tip_ = std::make_unique<frmTip>(settings_, AppPaths(dir_.path(), dir_.path(), dir_.path()));
    }
    void cleanup() {
        tip_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void tipsShownInTurn_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("shown"); // the first tip, then after each click
        const QString accents = QStringLiteral("Élève : « déjà » œuvre… 20 €");
        QTest::addRow("A, B, C cycle and wrap") << QByteArray("A\r\nB\r\nC") << "A|B|C|A|B";
        QTest::addRow("final CR LF adds no tip") << QByteArray("A\r\nB\r\n") << "A|B|A";
        QTest::addRow("empty line is an empty tip") << QByteArray("A\r\n\r\nC\r\n") << "A||C|A";
        QTest::addRow("CR or LF alone") << QByteArray("A\rB\nC\n") << "A|B|C|A";
        QTest::addRow("controls but tab dropped") << QByteArray("a\tb\x01\x7f\r\n") << "a\tb|a\tb";
        QTest::addRow("empty file: no tip, no message") << QByteArray() << "|";
        QTest::addRow("UTF-8") << accents.toUtf8() << accents + "|" + accents;
        QTest::addRow("Windows-1252")
            << QByteArray("\xC9l\xE8ve : \xAB d\xE9j\xE0 \xBB \x9Cuvre\x85 20 \x80\r\n")
            << accents + "|" + accents;
        QTest::addRow("UTF-16 with BOM") << QByteArray("\xFF\xFE\xC9\0\r\0\n\0B\0", 10) << "É|B";
    }
    void tipsShownInTurn() {
        QFETCH(QByteArray, file);
        QFETCH(QString, shown);
        show(file);
        QStringList seen{label()->text()};
        while (seen.size() <= shown.count('|'))
            seen << next();
        QCOMPARE(seen.join('|'), shown);
    }

    void reopeningShowsTheTipAfterTheLastOne_data() {
        QTest::addColumn<int>("how");
        QTest::addRow("OK") << 0;
        QTest::addRow("Escape") << 1;
        QTest::addRow("close box") << 2;
    }
    void reopeningShowsTheTipAfterTheLastOne() {
        QFETCH(int, how);
        show("A\r\nB\r\nC\r\n");
        QCOMPARE(next(), QStringLiteral("B"));
        if (how == 0)
            QTest::mouseClick(tip_->control<QPushButton>(QStringLiteral("cmdOK")), Qt::LeftButton);
        else if (how == 1)
            QTest::keyClick(tip_->widget(), Qt::Key_Escape);
        else
            tip_->widget()->close();
        QVERIFY(!tip_->isLoaded());
        tip_->Show(false);
        QCOMPARE(label()->text(), QStringLiteral("C"));
    }

    void missingFileShowsTheMessageAndStillWritesOne() {
        tip_->Show(false);
        QCOMPARE(label()->text(),
                 QStringLiteral("Le fichier TIPOFDAY1.TXT n'a pas été trouvé? \r\n\r\nCréez un "
                                "fichier texte nommé TIPOFDAY1.TXT en utilisant le Bloc-notes avec "
                                "une astuce par ligne. Puis placez le dans le même dossier que "
                                "l'application."));
        QVERIFY(fits());
        QCOMPARE(settings_.writes, QStringList{key_ + QStringLiteral("=1")});
        QCOMPARE(next(), frmTip::missingFileMessage());
    }

    void untickingWritesZero() {
        show("A\r\n");
        auto* check = tip_->control<QCheckBox>(QStringLiteral("chkLoadTipsAtStartup"));
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QCOMPARE(settings_.writes, (QStringList{key_ + "=1", key_ + "=0"}));
    }

    void shippedTipsFitAndALongerTipIsMadeSmaller() {
        QFile shipped(qEnvironmentVariable("VORELLE_TEST_DATA") + "/" + frmTip::tipsFileName());
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        show(shipped.readAll() + QByteArray("Une astuce bien longue. ").repeated(12) +
             "\r\nCourte.");
        const QFont normal = label()->font();
        const int count = tip_->Tips().size();
        for (int i = 1; i <= count; ++i, next()) {
            QCOMPARE(label()->font() == normal, i != count - 1);
            QVERIFY2(fits(), qPrintable(label()->text()));
        }
    }
};

QTEST_MAIN(FrmTipTest)
#include "test_frm_tip.moc"
