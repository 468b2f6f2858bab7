#include "cd/install_cd_player.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QToolBar>
#include <cassert>

#include "cd/cd_player_bar.h"
#include "cd/media_player.h"
#include "platform/cdaudio/background_cd_device.h"
#include "platform/cdaudio/cd_device.h"
#include "shell/main_form.h"

namespace {

TCdSpeler* installed = nullptr;

}  // namespace

TCdSpeler& InstallCdPlayer(TMainForm& form, Catalogue& catalogue,
                           std::unique_ptr<cdaudio::CdDevice> device) {
    if (!device) {
        // A drive spinning up must not hold the window: the disc is read on a worker thread.
        device = std::make_unique<cdaudio::BackgroundCdDevice>(cdaudio::CreateCdDevice());
    }
    auto* background = dynamic_cast<cdaudio::BackgroundCdDevice*>(device.get());
    auto* bar = new TCdPlayerBar(&form, catalogue, std::move(device), form.speedPanel());
    if (background != nullptr) {
        background->setListener([bar](bool reading, const tunelo::Status& result) {
            bar->DiscReading(reading, result);
        });
    }
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
