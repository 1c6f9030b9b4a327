// SPDX-License-Identifier: GPL-3.0-or-later
// The game's key codes from the toolkit's keys, and the fractions of the
// pseudo-random generator.
#include "key_codes.h"
#include "xoshiro_random.h"

#include <QTest>
#include <cmath>

class TestKeysAndRandom : public QObject {
    Q_OBJECT

private slots:
    void keyCodes_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("code");
        QTest::addRow("Clear, also keypad 5 without Num Lock") << int(Qt::Key_Clear) << 12;
        QTest::addRow("Left") << int(Qt::Key_Left) << 37;
        QTest::addRow("Up") << int(Qt::Key_Up) << 38;
        QTest::addRow("Right") << int(Qt::Key_Right) << 39;
        QTest::addRow("Down") << int(Qt::Key_Down) << 40;
        QTest::addRow("P, either case") << int(Qt::Key_P) << 80;
        QTest::addRow("keypad 5 with Num Lock") << int(Qt::Key_5) << 0;
    }
    void keyCodes() {
        QFETCH(int, qtKey);
        QFETCH(int, code);
        QCOMPARE(designKeyCode(qtKey), code);
    }

    // Fractions lie in [0, 1) in steps of 2^-24, the largest included: a
    // generator that reaches 1.0, or that is finer or coarser, fails.
    void fractions_data() {
        QTest::addColumn<quint64>("seed");
        QTest::addColumn<double>("first");
        QTest::addRow("gives the largest first") << quint64(6238365) << 1.0 - std::ldexp(1.0, -24);
        QTest::addRow("gives 0 first") << quint64(7138482) << 0.0;
    }
    void fractions() {
        QFETCH(quint64, seed);
        QFETCH(double, first);
        XoshiroRandom random(seed);
        QCOMPARE(random.next(), first);
        for (int i = 0; i < 100'000; ++i) {
            if (i % 1000 == 0)
                random.reseed(i / 2000.0);
            const double v = random.next() * 16'777'216.0;
            QVERIFY2(v >= 0 && v < 16'777'216.0 && v == std::floor(v),
                     qPrintable(QString::number(v)));
        }
    }
};

QTEST_APPLESS_MAIN(TestKeysAndRandom)
#include "test_keys_and_random.moc"
