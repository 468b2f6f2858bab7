// DiscLookup: one look-up of a disc, offline first and never switched off by one service: the
// catalogue (CD ID, then track times), the disc data folder, then, only when the user allowed it,
// the online databases. Its settings live in cd.ini, section CdInfo.
#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "base/cd_info_settings.h"
#include "platform/discinfo/disc_candidate.h"

class Catalogue;
namespace discinfo {
class OnlineLookup;
}

class DiscLookup : public QObject {
    Q_OBJECT
public:
    explicit DiscLookup(Catalogue& catalogue, QObject* parent = nullptr);
    ~DiscLookup() override;

    // The catalogue's answer, at once (FindDiscInCatalogue).
    std::vector<discinfo::DiscCandidate> InCatalogue(const discinfo::DiscQuery& query);
    // The disc data folder's answer, at once; `error` says why the folder could not be read.
    std::vector<discinfo::DiscCandidate> InDiscData(const discinfo::DiscQuery& query,
                                                    std::string* error);
    // Starts the online look-up when the settings allow it (Online=1); false when they do not.
    // The answer comes through OnlineFinished.
    bool StartOnline(const discinfo::DiscQuery& query);
    void Cancel();
    bool busy() const;

signals:
    void OnlineFinished(const std::vector<discinfo::DiscCandidate>& found, const QString& error);
    void Progress(const QString& what);

private:
    Catalogue& catalogue_;
    discinfo::OnlineLookup* online_ = nullptr;
};
