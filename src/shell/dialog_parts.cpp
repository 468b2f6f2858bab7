#include "shell/dialog_parts.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QAction* NamedMenuItem(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

QPushButton* AddDialogButton(QDialogButtonBox* box, const char* name, const QString& text,
                             QDialogButtonBox::ButtonRole role) {
    QPushButton* button = box->addButton(text, role);
    button->setObjectName(name);
    return button;
}

OkCancelRow AddOkCancel(QDialog* dialog, const char* okName, const char* cancelName,
                        const QString& cancelText) {
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* ok = AddDialogButton(box, okName, "OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QPushButton* cancel =
        AddDialogButton(box, cancelName, cancelText, QDialogButtonBox::RejectRole);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return {box, ok, cancel};
}

QVBoxLayout* LayOutDialog(QDialog* dialog, QLayout* content, QWidget* buttons, int margin,
                          int spacing) {
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(margin, margin, margin, 12);
    layout->setSpacing(spacing);
    layout->addLayout(content);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return layout;
}
