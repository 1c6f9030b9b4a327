// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessible_labels.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QTextDocument>

namespace {

class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(QLabel* label)
        : QAccessibleWidget(label, label->pixmap().isNull() ? QAccessible::StaticText
                                                            : QAccessible::Graphic) {}

    QString text(QAccessible::Text t) const override {
        const auto* label = static_cast<const QLabel*>(widget());
        switch (t) {
        case QAccessible::Name:
            if (!label->accessibleName().isEmpty())
                return label->accessibleName();
            return plainText(label);
        case QAccessible::Value:
            return QString();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

private:
    // The text as shown: rich text as plain text; a label with a buddy shows
    // its mnemonic mark as an underline, not as a character.
    static QString plainText(const QLabel* label) {
        QString text = label->text();
        if (label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
            QTextDocument doc;
            doc.setHtml(text);
            text = doc.toPlainText();
        }
        if (!label->buddy())
            return text;
        QString shown;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
                ++i;
            shown += text.at(i);
        }
        return shown;
    }
};

QAccessibleInterface* labelFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QLabel"))
        return nullptr;
    if (auto* label = qobject_cast<QLabel*>(object))
        return new LabelAccessible(label);
    return nullptr;
}

} // namespace

void installAccessibleLabels() {
    static const bool installed = [] {
        QAccessible::installFactory(labelFactory);
        return true;
    }();
    (void)installed;
}
