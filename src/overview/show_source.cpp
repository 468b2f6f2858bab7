#include "overview/show_source.h"

#include "overview/artiest_info_form.h"
#include "overview/hoofdtitel_info_form.h"
#include "overview/show_art_hf_form.h"

bool ShowSource(Catalogue& catalogue, std::string_view carrier, std::string_view number,
                uint32_t trackRecNo, QWidget* parent) {
    TShowArtHfForm screen(catalogue, parent);
    return screen.ShowSource(carrier, number, trackRecNo, true);
}

bool ShowSourceByKey(Catalogue& catalogue, const std::string& sourceSeekKey, QWidget* parent) {
    const std::string_view key = sourceSeekKey;
    return ShowSource(catalogue, key.substr(0, 10), key.size() > 10 ? key.substr(10) : "", 0,
                      parent);
}

void ShowTrackInfo(Catalogue& catalogue, QWidget* parent) {
    TArtiestInfoForm info(catalogue, parent);
    info.exec();
}

void ShowMainTitleInfo(Catalogue& catalogue, QWidget* parent) {
    THoofdtitelInfoForm info(catalogue, parent);
    info.exec();
}
