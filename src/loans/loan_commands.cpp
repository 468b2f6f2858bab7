#include "loans/loan_commands.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <memory>

#include "base/ui.h"
#include "entry/editor_parts.h"
#include "loans/dragers_terug_form.h"
#include "loans/edit_uitleen.h"
#include "loans/uit_leen_drg.h"
#include "loans/uitleen_form.h"
#include "shell/main_form.h"
#include "store/catalogue.h"

namespace {

// A loan changed outside the loan list: an open list reads its rows again.
void RefreshLoanLists() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (TUitLeenDrg* list : window->findChildren<TUitLeenDrg*>())
            list->FormActivate();
    }
}

}  // namespace

bool ShowLoanForSource(Catalogue& catalogue, QWidget* parent) {
    return ShowGuarded(false, [&] {
        TTableAccess& titles = catalogue.dm2.HfAccess;
        if (titles.Eof() || titles.RecNo() == 0) {
            CurrentUi().Beep();
            return false;
        }
        TUitleenForm dialog(catalogue, titles.RecNo(), parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        RefreshLoanLists();
        return true;
    });
}

bool CheckDueLoans(Catalogue& catalogue, QWidget* parent, bool showNone) {
    TDragersTerugForm list(catalogue, parent);
    if (!list.Controle(showNone))
        return false;
    RefreshLoanLists();  // loans may have been changed or deleted there
    return true;
}

void OpenLoanList(TMainForm& form, Catalogue& catalogue) {
    for (QMdiSubWindow* window : form.mdiArea()->subWindowList()) {
        if (qobject_cast<TUitLeenDrg*>(window->widget()) != nullptr) {
            form.mdiArea()->setActiveSubWindow(window);
            return;
        }
    }
    auto* screen = new TUitLeenDrg(catalogue);
    QMdiSubWindow* window = form.mdiArea()->addSubWindow(screen);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Other screens move the shared loan table and change loans; coming back to the list takes
    // its order back and reads it again.
    auto away = std::make_shared<bool>(false);
    QObject::connect(form.mdiArea(), &QMdiArea::subWindowActivated, screen,
                     [screen, window, away](QMdiSubWindow* active) {
                         if (active != window) {
                             *away = true;
                         } else if (*away) {
                             *away = false;
                             screen->FormActivate();
                         }
                     });
    window->show();
}

void InstallLoanCommands(TMainForm& form, Catalogue& catalogue) {
    form.registerCommand("Loanout1", [&form, &catalogue] {
        TEditUitleen dialog(catalogue, &form);
        if (dialog.NewLoan())
            RefreshLoanLists();
    });
    const auto list = [&form, &catalogue] { OpenLoanList(form, catalogue); };
    form.registerCommand("Loancollection1", list);
    form.registerCommand("LoanButton", list);
    form.registerCommand("Check1", [&form, &catalogue] { CheckDueLoans(catalogue, &form, true); });
    form.setLoanCheck([&form, &catalogue] { CheckDueLoans(catalogue, &form, false); });
}
