#include "platform/foreign/collection_readers.h"

namespace foreign {

tunelo::Status ReadTellico(const std::string& path, const Sink&, const Progress&) {
    return tunelo::Status::NotSupported(path, "Tellico files cannot be read yet");
}

}  // namespace foreign
