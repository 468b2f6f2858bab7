// Whole-file helpers for the settings-file tests: the tests compare files byte for byte.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace profiletest {

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace profiletest
