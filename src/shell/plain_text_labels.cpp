#include "shell/plain_text_labels.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTextDocument>

PlainTextLabels::PlainTextLabels(QApplication& app) {
    app.installEventFilter(this);
}

bool PlainTextLabels::eventFilter(QObject* watched, QEvent* event) {
    // Polish comes before a widget's first layout, which is where a rich text would load what
    // it names; a label whose text changes later keeps the format.
    if (event->type() == QEvent::Polish) {
        // Qt's tool tip is a label too; it gets rich text on purpose (see PlainToolTip).
        if (auto* label = qobject_cast<QLabel*>(watched);
            label != nullptr && label->textFormat() != Qt::PlainText &&
            label->objectName() != QLatin1String("qtooltip_label"))
            label->setTextFormat(Qt::PlainText);
    }
    return QObject::eventFilter(watched, event);
}

QString PlainToolTip(const QString& text) {
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}
