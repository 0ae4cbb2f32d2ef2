// The professional game collection beside the repository, loaded into memory once.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace veld::bench {

struct LoadedFile {
    std::filesystem::path path;
    std::string bytes;
};

// pro-games-00.sgf .. pro-games-12.sgf (the whole collection, without the sample).
inline const std::vector<LoadedFile>& proGameFiles() {
    static const std::vector<LoadedFile> files = [] {
        std::vector<LoadedFile> out;
        const std::filesystem::path folder = std::filesystem::path(VELD_SHARED_DATA) / "pro-games";
        for (int i = 0; i <= 99; ++i) {
            const auto path = folder / ("pro-games-" + std::string(i < 10 ? "0" : "") +
                                        std::to_string(i) + ".sgf");
            std::ifstream in(path, std::ios::binary);
            if (!in) break;
            std::ostringstream content;
            content << in.rdbuf();
            out.push_back({path, std::move(content).str()});
        }
        return out;
    }();
    return files;
}

inline std::size_t totalBytes(const std::vector<LoadedFile>& files) {
    std::size_t n = 0;
    for (const auto& f : files) n += f.bytes.size();
    return n;
}

}  // namespace veld::bench
