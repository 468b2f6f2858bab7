// DiscLookupEntry: the entry screen's disc look-up over the program's DiscLookup. The program
// installs a maker of these with SetEntryDiscLookupMaker. Header-only, so that only the program
// links the CD look-up.
#pragma once

#include <utility>

#include "cd/disc_lookup.h"
#include "entry/entry_disc_lookup.h"

class DiscLookupEntry : public EntryDiscLookup {
public:
    explicit DiscLookupEntry(Catalogue& catalogue) : lookup_(catalogue) {
        // The connections go with lookup_, so no answer reaches a destroyed look-up.
        QObject::connect(&lookup_, &DiscLookup::OnlineFinished,
                         [this](const Candidates& found, const QString& error) {
                             OnlineDone done = std::exchange(done_, {});
                             if (done)
                                 done(found, error.toStdString());
                         });
        QObject::connect(&lookup_, &DiscLookup::Progress, [this](const QString& what) {
            if (progress_)
                progress_(what.toStdString());
        });
    }

    Candidates InCatalogue(const discinfo::DiscQuery& query) override {
        return lookup_.InCatalogue(query);
    }
    Candidates InDiscData(const discinfo::DiscQuery& query, std::string* error) override {
        return lookup_.InDiscData(query, error);
    }
    bool StartOnline(const discinfo::DiscQuery& query, OnlineDone done,
                     OnlineProgress progress) override {
        done_ = std::move(done);
        progress_ = std::move(progress);
        if (lookup_.StartOnline(query))
            return true;
        done_ = {};
        progress_ = {};
        return false;
    }
    void Cancel() override {
        done_ = {};
        progress_ = {};
        lookup_.Cancel();
    }

private:
    DiscLookup lookup_;
    OnlineDone done_;
    OnlineProgress progress_;
};
