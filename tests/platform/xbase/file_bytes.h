// Whole files as bytes, and table headers built byte by byte as other tools write them, for the
// tests that build or damage files.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace xbasetest {

template <typename Bytes = std::vector<uint8_t>>
Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

template <typename Bytes>
void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

struct Desc {
    std::string name;
    char type;
    uint8_t length;
    uint8_t decimals = 0;
    uint32_t displacement = 0;  // deliberately wrong unless set: readers must not trust it
};

inline void StoreCount(std::vector<uint8_t>& h, uint32_t count) {
    for (int i = 0; i < 4; ++i)
        h[4 + i] = uint8_t(count >> (8 * i));
}

// A header as a foreign tool would write it; `backlink` adds the Visual FoxPro area.
inline std::vector<uint8_t> MakeHeader(uint8_t version, const std::vector<Desc>& fields,
                                       uint32_t count, bool backlink = false) {
    std::vector<uint8_t> h(32, 0);
    h[0] = version;
    h[1] = 124;  // 2024
    h[2] = 3;
    h[3] = 15;
    StoreCount(h, count);
    uint16_t recLen = 1;
    for (const Desc& d : fields) {
        uint8_t f[32] = {};
        std::memcpy(f, d.name.data(), d.name.size());
        f[11] = uint8_t(d.type);
        f[12] = uint8_t(d.displacement);
        f[16] = d.length;
        f[17] = d.decimals;
        h.insert(h.end(), f, f + 32);
        recLen = uint16_t(recLen + d.length);
    }
    h.push_back(0x0D);
    if (backlink)
        h.resize(h.size() + 263, 0);
    h[8] = uint8_t(h.size());
    h[9] = uint8_t(h.size() >> 8);
    h[10] = uint8_t(recLen);
    h[11] = uint8_t(recLen >> 8);
    h[29] = 0x03;
    return h;
}

}  // namespace xbasetest
