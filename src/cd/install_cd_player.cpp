#include "cd/install_cd_player.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QToolBar>
#include <cassert>

#include "cd/cd_player_bar.h"
#include "cd/media_player.h"
#include "platform/cdaudio/cd_device.h"
#include "shell/main_form.h"

namespace {

TCdSpeler* installed = nullptr;

}  // namespace

TCdSpeler& InstallCdPlayer(TMainForm& form, Catalogue& catalogue,
                           std::unique_ptr<cdaudio::CdDevice> device) {
    if (!device) {
        device = cdaudio::CreateCdDevice();
    }
    auto* bar = new TCdPlayerBar(&form, catalogue, std::move(device), form.speedPanel());
    form.addPlayerWidget(bar);
    installed = &bar->speler();
    QObject::connect(bar, &QObject::destroyed, [speler = installed] {
        if (installed == speler) {
            installed = nullptr;
        }
    });

    form.setTickHandler([bar] { return bar->Timer1Timer(); });
    form.registerCommand("Tracksentijden1", [bar] { bar->Tracksentijden1Click(); });
    form.registerCommand("DirectnaarCD1", [bar] { bar->DirectnaarCD1Click(); });
    form.adoptCommand(bar->mediaPlayer()->popup()->findChild<QAction*>("CDspelerverbergen1"));
    // "Show player" in the General settings shows or hides the player at once.
    form.setGeneralChanged([bar] { bar->speler().OpenCDPlayer(); });
    bar->speler().OpenCDPlayer();
    return bar->speler();
}

TCdSpeler& CdPlayer() {
    assert(installed != nullptr);
    return *installed;
}

bool HasCdPlayer() {
    return installed != nullptr;
}
