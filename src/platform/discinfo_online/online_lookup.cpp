#include "platform/discinfo_online/online_lookup.h"

#include <QNetworkAccessManager>
#include <QTimer>

namespace discinfo {

struct OnlineLookup::Run {};

OnlineLookup::OnlineLookup(OnlineServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)), network_(new QNetworkAccessManager(this)) {}

OnlineLookup::~OnlineLookup() = default;

// Not built yet: answers that nothing could be asked.
void OnlineLookup::Start(const DiscQuery&) {
    QTimer::singleShot(0, this, [this] { emit Finished({}, "not built yet"); });
}

void OnlineLookup::Cancel() {
    run_.reset();
}

bool OnlineLookup::busy() const {
    return run_ != nullptr;
}

QByteArray OnlineLookup::UserAgent() {
    return "Tunelo/0.1";
}

}  // namespace discinfo
