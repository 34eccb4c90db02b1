// Writing a generated file whole or not at all, for the artwork generators.
// Runs on the build machine only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace artwork {

// Writes `bytes` under a temporary name and renames it to `path` when
// complete, so that a failed run never leaves a truncated file that the
// build would take as up to date. False, with no file at `path` changed and
// the temporary one removed, when it cannot be written.
inline bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temporary = path + ".part";
    FILE* f = std::fopen(temporary.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    if (ok && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

}  // namespace artwork
