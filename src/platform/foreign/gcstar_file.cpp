#include "platform/foreign/collection_readers.h"

namespace foreign {

tunelo::Status ReadGcstar(const std::string& path, const Sink&, const Progress&) {
    return tunelo::Status::NotSupported(path, "GCstar files cannot be read yet");
}

}  // namespace foreign
