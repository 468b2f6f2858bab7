#include "cd/disc_lookup.h"

#include "platform/discinfo/disc_data_folder.h"
#include "platform/discinfo_online/online_lookup.h"
#include "store/disc_match.h"

DiscLookup::DiscLookup(Catalogue& catalogue, QObject* parent)
    : QObject(parent), catalogue_(catalogue) {}

DiscLookup::~DiscLookup() = default;

std::vector<discinfo::DiscCandidate> DiscLookup::InCatalogue(const discinfo::DiscQuery& query) {
    return FindDiscInCatalogue(catalogue_, query);
}

std::vector<discinfo::DiscCandidate> DiscLookup::InDiscData(const discinfo::DiscQuery& query,
                                                            std::string* error) {
    const std::string folder = ReadCdInfoSettings().discData;
    if (folder.empty())
        return {};
    return discinfo::LookUpDiscData(folder, query, error);
}

bool DiscLookup::StartOnline(const discinfo::DiscQuery& query) {
    const CdInfoSettings settings = ReadCdInfoSettings();
    if (settings.online != CdInfoSettings::Online::Yes)
        return false;
    discinfo::OnlineServices services;
    if (!settings.musicBrainz.empty())
        services.musicBrainz = QUrl(QString::fromStdString(settings.musicBrainz));
    if (!settings.gnudb.empty())
        services.gnudb = QUrl(QString::fromStdString(settings.gnudb));
    if (online_ != nullptr) {
        online_->Cancel();
        online_->deleteLater();
    }
    online_ = new discinfo::OnlineLookup(services, this);
    connect(online_, &discinfo::OnlineLookup::Finished, this, &DiscLookup::OnlineFinished);
    connect(online_, &discinfo::OnlineLookup::Progress, this, &DiscLookup::Progress);
    online_->Start(query);
    return true;
}

void DiscLookup::Cancel() {
    if (online_ != nullptr)
        online_->Cancel();
}

bool DiscLookup::busy() const {
    return online_ != nullptr && online_->busy();
}
