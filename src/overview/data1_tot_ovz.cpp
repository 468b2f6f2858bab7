#include "overview/data1_tot_ovz.h"

#include "base/protection.h"
#include "cd/cd_speler.h"
#include "cd/install_cd_player.h"
#include "entry/edit_aankoop.h"
#include "entry/tekstblad.h"
#include "entry/wijzig_artiest_gegevens.h"
#include "overview/artiest_info_form.h"
#include "overview/show_source.h"
#include "overview/sort_form_data.h"
#include "store/catalogue.h"
#include "store/title_of_track.h"

namespace {

constexpr int kData1Screen = 2;

const std::vector<TableOverview::GridColumn>& Data1Columns() {
    static const std::vector<TableOverview::GridColumn> columns = {
        {"TITLE", "TITEL", 28, false},
        {"ARTIST", "ARTIEST", 22, false},
        {"KEYWORD", "TREF", 12, false},
        {"TRACK", "TRACK", 6, true},
        {"COMPOSER", "COMPONIST", 16, false},
        {"MINUTES", "MINUTEN", 8, true},
        {"SECONDS", "SECONDEN", 8, true},
        {"NUMBER", "CDNUMMER", 9, true},
        {"STYLE", "SOORT", 12, false},
        {"SOURCE", "DRAGER", 10, false},
        {"PERFORMANCE", "UITVOER", 14, false},
        {"SIDE", "AKANT", 5, false},
        {"YEAR", "JAAR", 6, true}};
    return columns;
}

}  // namespace

TData1TotOvz::TData1TotOvz(Catalogue& catalogue, QWidget* parent)
    : TableOverview(catalogue, catalogue.dm1.ArtAccess, ArtistSortChoices(), kData1Screen,
                    Data1Columns(), parent) {
    setObjectName("Data1TotOvz");
    setWindowTitle("Summary artist");

    AddButton("EditButton", "&Edit", [this] { EditClick(); });
    AddButton("DeleteButton", "&Delete", [this] { DeleteClick(); });
    AddButton("CloseButton", "&Close", [this] { CloseWindow(); });

    AddItem("Contents1", "&Contents", [this] { ContentsClick(); });
    AddItem("Information1", "In&formation", [this] { InformationClick(); });
    AddItem("Edit1", "&Edit", [this] { EditClick(); });
    AddItem("Purchase1", "&Purchase", [this] { PurchaseClick(); });
    AddItem("Memo1", "&Memo", [this] { MemoClick(); });
    AddSeparator();
    AddItem("Addtoplaylist1", "&Add to playlist", [this] { AddToPlaylistClick(); });
    AddSeparator();
    AddItem("Playtrack1", "Pla&y track", [this] { PlayTrackClick(); });
    AddItem("Stoptrack1", "Stop &track", [this] { StopTrackClick(); });
    AddItem("Eject1", "E&ject", [this] { EjectClick(); });
    AddSeparator();
    AddItem("Sort1", "&Sort", [this] { SortClick(); });
    AddItem("Delete1", "&Delete", [this] { DeleteClick(); });
}

void TData1TotOvz::GridDoubleClick(int /*column*/) {
    EditClick();
}

void TData1TotOvz::ContentsClick() {
    WithSelected([this] {
        TTableAccess& art = catalogue_.dm1.ArtAccess;
        ShowSource(catalogue_, art.GetString("DRAGER").bytes(), art.GetString("CDNUMMER").bytes(),
                   art.RecNo(), this);
    });
}

void TData1TotOvz::InformationClick() {
    WithSelected([this] {
        TArtiestInfoForm info(catalogue_, this);
        info.exec();
    });
}

void TData1TotOvz::EditClick() {
    WithSelected([this] {
        TWijzigArtiestGegevens screen(catalogue_, this);
        screen.exec();
    });
}

bool TData1TotOvz::SeekMainTitle() {
    return GoToSelected() && SeekTitleOfTrack(catalogue_);
}

void TData1TotOvz::PurchaseClick() {
    Guarded([this] {
        if (SeekMainTitle()) {
            TEditAankoop::Show(catalogue_, catalogue_.dm2.HfAccess.RecNo(), this);
        }
    });
}

void TData1TotOvz::MemoClick() {
    Guarded([this] {
        if (SeekMainTitle()) {
            TTekstblad::Show(catalogue_, catalogue_.dm2.HfAccess.RecNo(), this);
        }
    });
}

void TData1TotOvz::AddToPlaylistClick() {
    WithSelected([this] {
        catalogue_.dm3.AddToPlayList(catalogue_.dm1,
                                     std::to_string(catalogue_.dm1.ArtAccess.RecNo()));
    });
}

void TData1TotOvz::PlayTrackClick() {
    Guarded([this] {
        if (GoToSelected() && HasCdPlayer()) {
            CdPlayer().PlayTrack(std::to_string(catalogue_.dm1.ArtAccess.RecNo()));
        }
    });
}

void TData1TotOvz::StopTrackClick() {
    Guarded([] {
        if (HasCdPlayer()) {
            CdPlayer().StopTrack();
        }
    });
}

void TData1TotOvz::EjectClick() {
    Guarded([] {
        if (HasCdPlayer()) {
            CdPlayer().EjectCD();
        }
    });
}

void TData1TotOvz::DeleteClick() {
    Guarded([this] {
        if (ChkBeveiliging() || !GoToSelected() || !catalogue_.dm1.DeleteOneTrack()) {
            return;
        }
        catalogue_.dm1.ArtTable.Sync();
        RemoveSelectedRow();
    });
}
