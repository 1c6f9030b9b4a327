// What the pupil sees: the window grabbed to pixels at start, after a draw,
// after a wrong answer and with the solution. Captions must fit their
// controls and the colours must show. With VORELLE_GRAB_DIR set, the grabs
// are also saved there as PNG files to look at.

#include "form1_fixture.h"
#include "program_end.h"

#include <QDir>
#include <QImage>
#include <QStyle>
#include <QStyleOptionButton>

namespace {
QImage grabOf(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void save(const QImage& image, const QString& name) {
    const QString dir = qEnvironmentVariable("VORELLE_GRAB_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        image.save(dir + "/" + name + ".png");
    }
}

// How many pixels of the image have this colour (give or take `tolerance`).
int countColour(const QImage& image, QColor colour, int tolerance = 24) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (std::abs(qRed(line[x]) - colour.red()) <= tolerance &&
                std::abs(qGreen(line[x]) - colour.green()) <= tolerance &&
                std::abs(qBlue(line[x]) - colour.blue()) <= tolerance)
                ++n;
        }
    }
    return n;
}

// The columns of the widget where something differs from its background,
// as [first, last]; used to see whether painted text reaches an edge.
QPair<int, int> inkColumns(const QImage& image, QRgb background) {
    int first = image.width(), last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}
} // namespace

class TestForm1Look : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1Fixture> f;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        ProgramEnd::setExitHandler([] {});
    }
    void init() {
        f = std::make_unique<Form1Fixture>();
        f->show();
    }
    void cleanup() { f.reset(); }

    void captionsFit_data();
    void captionsFit();
    void labelsKeepTheirTextInside();
    void backgroundsShow();
    void solutionShowsRed();
    void facesAreDrawn();
    void maximisedStaysInside();
};

void TestForm1Look::captionsFit_data() {
    QTest::addColumn<QString>("name");
    for (const char* n : {"CmdGenerer", "Cmdverif", "CmdAide", "CmdIndice", "Option1(0)",
                          "Option1(1)", "Option1(2)", "Option1(3)", "Option1(4)", "Option1(5)"})
        QTest::newRow(n) << QString(n);
}

void TestForm1Look::captionsFit() {
    QFETCH(QString, name);
    auto* b = f->get<QAbstractButton>(name);
    const QString text = QString(b->text()).remove('&');
    const int textWidth = b->fontMetrics().horizontalAdvance(text);
    if (auto* push = qobject_cast<QPushButton*>(b)) {
        QStyleOptionButton opt;
        opt.initFrom(push);
        opt.features = QStyleOptionButton::AutoDefaultButton;
        const QRect contents =
            push->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, push);
        QVERIFY2(textWidth <= contents.width(),
                 qPrintable(QString("%1 > %2").arg(textWidth).arg(contents.width())));
    } else {
        // A radio button's text follows its indicator.
        QVERIFY2(b->sizeHint().width() <= b->width(),
                 qPrintable(QString("%1 > %2").arg(b->sizeHint().width()).arg(b->width())));
    }
}

void TestForm1Look::labelsKeepTheirTextInside() {
    // The widest texts each label shows.
    f->draw(5, 100899994046.0);
    QLabel* l1 = f->label("Label1");
    QVERIFY(l1->fontMetrics().horizontalAdvance(l1->text()) <= l1->contentsRect().width());
    QLabel* l5 = f->label("Label5");
    QVERIFY(l5->heightForWidth(l5->width()) <= l5->height() ||
            l5->fontMetrics().horizontalAdvance(l5->text()) <= l5->width());
    QLabel* l3 = f->label("Label3");
    QVERIFY(l3->fontMetrics().horizontalAdvance("10,0/10") <= l3->width());
    QLabel* l4 = f->label("Label4(0)");
    QVERIFY(l4->fontMetrics().horizontalAdvance("10") <= l4->width());
}

void TestForm1Look::backgroundsShow() {
    const QImage start = grabOf(f->form->widget());
    save(start, "form1-start");
    QLabel* l1 = f->label("Label1");
    const QImage label1 = grabOf(l1);
    QVERIFY(countColour(label1, QColor(255, 255, 192), 0) > label1.width() * label1.height() / 2);
    const QImage answer = grabOf(f->text1()->viewport());
    QVERIFY(countColour(answer, QColor(192, 255, 192), 0) > answer.width() * answer.height() / 2);

    f->draw(5, 12345678901.0);
    save(grabOf(f->form->widget()), "form1-drawn");
    // The number is right-aligned: little room on its right, more on its left.
    const QImage drawn = grabOf(l1);
    const auto ink =
        inkColumns(drawn.copy(l1->contentsRect().adjusted(1, 1, -1, -1)), qRgb(255, 255, 192));
    const int rightGap = l1->contentsRect().width() - 3 - ink.second;
    QVERIFY2(rightGap < 16 && rightGap < ink.first / 2,
             qPrintable(QString("ink %1..%2").arg(ink.first).arg(ink.second)));
}

void TestForm1Look::solutionShowsRed() {
    f->draw(0, 77);
    f->answer("soixante dix-sept");
    f->check();
    save(grabOf(f->form->widget()), "form1-wrong");
    QCOMPARE(countColour(grabOf(f->text1()->viewport()), QColor(255, 0, 0), 60), 0);
    f->press("CmdAide");
    save(grabOf(f->form->widget()), "form1-solution");
    QVERIFY(countColour(grabOf(f->text1()->viewport()), QColor(255, 0, 0), 60) > 50);
}

void TestForm1Look::facesAreDrawn() {
    for (const char* name : {"Image1", "Image2"}) {
        const QImage face = grabOf(f->label(name));
        // Mostly yellow, with dark eyes and mouth.
        QVERIFY2(countColour(face, QColor(250, 215, 40), 50) > 300, name);
        QVERIFY2(countColour(face, QColor(59, 42, 0), 40) > 15, name);
    }
    QVERIFY(grabOf(f->label("Image1")) != grabOf(f->label("Image2")));
    const QImage icon = f->form->widget()->windowIcon().pixmap(64, 64).toImage();
    save(icon, "vorelle-icon");
    save(grabOf(f->label("Image1")).scaled(128, 128), "face-smile");
    save(grabOf(f->label("Image2")).scaled(128, 128), "face-sad");
    QCOMPARE(icon.size(), QSize(64, 64));
}

void TestForm1Look::maximisedStaysInside() {
    f->draw(4, 99999995.0);
    QWidget* window = f->form->widget();
    const QSize before = window->size();
    window->showMaximized();
    QTRY_VERIFY(window->size() != before);
    save(grabOf(window), "form1-maximised");
    QWidget* client = f->text1()->parentWidget();
    for (QWidget* w : client->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w->isVisible())
            QVERIFY2(client->rect().contains(w->geometry()), qPrintable(w->objectName()));
    }
    QCOMPARE(f->caption("Label1"), QString("99 999 995"));
}

QTEST_MAIN(TestForm1Look)
#include "test_form1_look.moc"
