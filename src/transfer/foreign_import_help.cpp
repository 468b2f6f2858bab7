#include "transfer/foreign_import_help.h"

#include <QDialog>
#include <QPushButton>
#include <QShortcut>

#include "base/ui.h"
#include "shell/dialog_parts.h"

void AddForeignImportHelp(QDialog* dialog, QDialogButtonBox* box) {
    QPushButton* help = AddDialogButton(box, "HelpBtn", "&Help", QDialogButtonBox::HelpRole);
    const auto show = [] { CurrentUi().ShowHelp(kForeignImportHelpContext); };
    QObject::connect(help, &QPushButton::clicked, dialog, show);
    QObject::connect(new QShortcut(QKeySequence::HelpContents, dialog), &QShortcut::activated,
                     dialog, show);
}
