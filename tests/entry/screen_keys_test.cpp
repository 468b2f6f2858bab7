// Every screen of the program, walked control by control: no two controls of one screen share an
// access key, and every button has a name that a screen reader can say.
#include <QAbstractButton>
#include <QKeySequence>
#include <functional>
#include <map>

#include "cd/cd_speler.h"
#include "cd/install_cd_player.h"
#include "cd/play_intro_tijd_form.h"
#include "cd/show_cd_tr_form.h"
#include "entry/edit_aankoop.h"
#include "entry/geluid_kant.h"
#include "entry/geluids_invoer.h"
#include "entry/heropen.h"
#include "entry/inv_conf.h"
#include "entry/invoeg_track_form.h"
#include "entry/show_kalender.h"
#include "entry/tekstblad.h"
#include "entry/verander_combo_items.h"
#include "entry/verb_kwaliteit.h"
#include "entry/wijzig_artiest_gegevens.h"
#include "entry/wijzig_hoofdtitel_gegevens.h"
#include "entry_fixture.h"
#include "shell/about_box.h"
#include "shell/access_keys.h"
#include "shell/algemeen.h"
#include "shell/ask_paswoord.h"
#include "shell/backup_form.h"
#include "shell/conf_paswoord.h"
#include "shell/lokatie_backup_form.h"
#include "shell/main_form.h"

namespace {

using ScreenMaker = std::function<std::unique_ptr<QWidget>()>;

class ScreenKeysTest : public EntryTest {};

TEST_F(ScreenKeysTest, NoTwoControlsShareAnAccessKeyAndEveryButtonHasAName) {
    Catalogue& c = catalogue();
    IniWriteBool("Opstart", "ToonCdSpeler", true);  // the player's buttons on the toolbar
    AddMainTitle({{"DRAGER", "CD"}, {"CDNUMMER", "1"}});
    TCdSpeler speler(c, cdaudio::CreateSilentCdDevice());
    const std::vector<std::pair<const char*, ScreenMaker>> screens = {
        {"TMainForm",
         [&c] {
             auto form = std::make_unique<TMainForm>(&c);
             InstallCdPlayer(*form, c, cdaudio::CreateSilentCdDevice());
             return std::unique_ptr<QWidget>(std::move(form));
         }},
        {"TAboutBox", [] { return std::make_unique<TAboutBox>(); }},
        {"TAlgemeen", [] { return std::make_unique<TAlgemeen>(); }},
        {"TAskPaswoord", [] { return std::make_unique<TAskPaswoord>(); }},
        {"TBackupForm", [] { return std::make_unique<TBackupForm>(); }},
        {"TConfPaswoord", [] { return std::make_unique<TConfPaswoord>(); }},
        {"TLokatieBackupForm", [] { return std::make_unique<TLokatieBackupForm>(); }},
        {"TGeluidsInvoer", [&c] { return std::make_unique<TGeluidsInvoer>(c, nullptr); }},
        {"THeropen", [&c] { return std::make_unique<THeropen>(c, 1); }},
        {"TInvConf", [&c] { return std::make_unique<TInvConf>(c); }},
        {"TInvoegTrackForm", [&c] { return std::make_unique<TInvoegTrackForm>(c); }},
        {"TWijzigArtiestGegevens", [&c] { return std::make_unique<TWijzigArtiestGegevens>(c); }},
        {"TWijzigHoofdtitelGegevens",
         [&c] { return std::make_unique<TWijzigHoofdtitelGegevens>(c); }},
        {"TEditAankoop", [&c] { return std::make_unique<TEditAankoop>(c, 1); }},
        {"TTekstblad", [&c] { return std::make_unique<TTekstblad>(c, 1); }},
        {"TGeluidKant", [&c] { return std::make_unique<TGeluidKant>(c, "CD"); }},
        {"TVerbKwaliteit", [&c] { return std::make_unique<TVerbKwaliteit>(c, "AAD"); }},
        {"TVeranderComboItems", [&c] { return std::make_unique<TVeranderComboItems>(c, "", 'G'); }},
        {"TShowKalender", [] { return std::make_unique<TShowKalender>(); }},
        {"TShowCdTrForm", [&speler] { return std::make_unique<TShowCdTrForm>(speler); }},
        {"TPlayIntroTijdForm", [] { return std::make_unique<TPlayIntroTijdForm>(); }},
    };
    for (const auto& [name, make] : screens) {
        const std::unique_ptr<QWidget> screen = make();
        std::map<int, QWidget*> owner;
        for (const AccessKey& key : AccessKeysOf(screen.get())) {
            const auto [first, fresh] = owner.emplace(key.key, key.control);
            EXPECT_TRUE(fresh) << name << ": " << QKeySequence(key.key).toString().toStdString()
                               << " on " << first->second->objectName().toStdString() << " and "
                               << key.control->objectName().toStdString();
        }
        for (QAbstractButton* button : screen->findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(screen.get()) && !button->objectName().startsWith("qt_")) {
                EXPECT_FALSE(button->text().isEmpty() && button->accessibleName().isEmpty())
                    << name << ": " << button->objectName().toStdString();
            }
        }
    }
}

}  // namespace
