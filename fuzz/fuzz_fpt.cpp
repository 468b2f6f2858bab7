// Feeds arbitrary bytes to the memo reader as an FPT file (or, when the first byte is odd, as a
// dBase .dbt file): reads at the blocks the bytes suggest, then rewrites and appends memos. Lengths
// and pointers are hostile, so every read must stay within the file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/xbase/bytes.h"
#include "platform/xbase/memo_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool dbt = size > 0 && (data[size - 1] & 1);
    const std::string path = "/tmp/fuzz_fpt." + std::to_string(getpid()) + (dbt ? ".dbt" : ".fpt");
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    std::unique_ptr<xbase::MemoFile> memo;
    if (!xbase::MemoFile::Open(path, true, &memo).ok())
        return 0;

    // Blocks to try: the first few, and 32-bit numbers taken from the input past the header.
    std::string text;
    for (uint32_t b = 0; b < 24; ++b)
        (void)memo->Read(b, &text);
    for (size_t at = 512; at + 4 <= size && at < 512 + 64; at += 4) {
        (void)memo->Read(xbase::LoadBE32(data + at) % 4096, &text);
        (void)memo->Read(xbase::LoadBE32(data + at), &text);
    }
    uint32_t block = 0;
    (void)memo->Write(memo->nextFreeBlock() - 1, "short", &block);
    (void)memo->Write(8, std::string(300, 'x'), &block);
    if (memo->Write(0, "appended", &block).ok()) {
        if (!memo->Read(block, &text).ok() || text != "appended")
            __builtin_trap();
    }
    (void)memo->RefreshHeader();
    return 0;
}
