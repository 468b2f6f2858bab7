// libFuzzer target for the compound index reader and writer: the input is a .cdx file. Every
// tag is walked both ways, sought and verified, then changed by a few inserts and removes, so
// that hostile node contents reach the split and free-list paths too.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/xbase/cdx_file.h"

namespace {

std::string ScratchPath() {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/fuzz_cdx_" + std::to_string(getpid()) + ".cdx";
}

void Exercise(xbase::CdxTag* tag) {
    auto it = tag->NewIterator();
    int budget = 200000;
    if (it->SeekFirst().ok()) {
        while (it->Valid() && budget-- > 0 && it->Next().ok()) {
        }
    }
    if (it->SeekLast().ok()) {
        while (it->Valid() && budget-- > 0 && it->Prev().ok()) {
        }
    }
    (void)tag->Verify();
    uint8_t key[240];
    for (auto& b : key)
        b = 'M';
    const size_t len = tag->info().keyLength;
    (void)it->Seek(key, 1);
    (void)it->SeekEntry(key, 7);
    for (uint32_t i = 0; i < 40; ++i) {
        key[len - 1] = uint8_t('A' + i % 26);
        if (!tag->Insert(key, 1000 + i).ok())
            break;
    }
    for (uint32_t i = 0; i < 40; i += 3) {
        key[len - 1] = uint8_t('A' + i % 26);
        (void)tag->Remove(key, 1000 + i);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20))
        return 0;
    static const std::string path = ScratchPath();
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    std::unique_ptr<xbase::CdxFile> file;
    if (xbase::CdxFile::Open(path, true, &file).ok()) {
        for (xbase::CdxTag* tag : file->tags())
            Exercise(tag);
        (void)file->SetDirty(false);
        (void)file->Refresh();
    }
    file.reset();
    unlink(path.c_str());
    return 0;
}
