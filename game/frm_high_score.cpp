#include "frm_high_score.h"

#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <functional>

namespace {

// Enter presses OK; Escape does what OK does.
class HighScoreDialog : public QDialog {
public:
    std::function<void()> onCancel;
    void reject() override {
        if (onCancel)
            onCancel();
    }
};

constexpr int kTops[HighScoreTable::Slots] = {8, 32, 56, 80, 104};

QPixmap trophy(qreal devicePixelRatio) {
    QSvgRenderer renderer(QStringLiteral(":/vorelle/trophy.svg"));
    if (!renderer.isValid())
        return QPixmap();
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(QSize(32, 32) * dpr);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& r) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(r);
    l->setTextFormat(Qt::PlainText); // names are shown as typed
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QString indexed(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

// The classic dialog font, through its metric stand-in, so that the captions
// fit the window's pixel layout.
QFont dialogFont() {
    return QFont(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                             QStringLiteral("Arial")},
                 8);
}

} // namespace

frmHighScore::frmHighScore(QObject* parent) : Form(QStringLiteral("frmHighScore"), parent) {}

QWidget* frmHighScore::createWidget() {
    auto* w = new HighScoreDialog;
    w->onCancel = [this] { cmdOk_Click(); };
    w->setWindowTitle(QStringLiteral("Meilleurs Scores"));
    w->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                      Qt::WindowCloseButtonHint);
    w->setFixedSize(313, 156);
    w->setFont(dialogFont());

    auto* image = new QLabel(w);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(16, 45, 32, 32);
    image->setPixmap(trophy(w->devicePixelRatioF()));
    image->setAccessibleName(QStringLiteral("Trophée"));

    for (int i = 0; i < HighScoreTable::Slots; ++i) {
        const int top = kTops[i];
        label(w, indexed("Label1", i), QStringLiteral("%1.").arg(i + 1), QRect(64, top, 20, 17));
        label(w, indexed("lblName", i + 1), QString(), QRect(88, top, 137, 17));
        QLabel* score = label(w, indexed("lblScore", i + 1), QString(), QRect(232, top, 65, 17));
        score->setAlignment(Qt::AlignRight | Qt::AlignTop);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), w);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setGeometry(0, 128, 73, 20);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    ok->setFocus();
    return w;
}

void frmHighScore::Form_Load() {
    if (auto* ok = control<QPushButton>(QStringLiteral("cmdOk")))
        ok->move((widget()->width() - ok->width()) / 2, ok->y());
}

void frmHighScore::fill(const HighScoreTable& table) {
    Load();
    for (int i = 1; i <= HighScoreTable::Slots; ++i) {
        if (auto* name = control<QLabel>(indexed("lblName", i)))
            name->setText(table.HighNames(i));
        if (auto* score = control<QLabel>(indexed("lblScore", i)))
            score->setText(table.scoreText(i));
    }
}

void frmHighScore::showHighScores(const HighScoreTable& table) {
    fill(table);
    Show(true);
}

void frmHighScore::cmdOk_Click() {
    Hide();
}
