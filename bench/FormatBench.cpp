// Format selection's throughput on real code: every Free Pascal source file (Debian's
// fpc-source, about 9,000 files and 200 MB) read into memory, then each formatted in turn, as
// the command formats one selection. Reports the best of a few rounds in processor time (the
// machine is shared, so wall time says more about the neighbours), and the slowest large file.
//
//   tavrill_format_bench [root, default /usr/share/fpcsrc] [rounds, default 3]

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "format/Format.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path root = argc > 1 ? argv[1] : "/usr/share/fpcsrc";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    if (!fs::exists(root)) {
        std::fprintf(stderr, "no sources at %s\n", root.c_str());
        return 77;
    }
    std::vector<std::pair<std::string, std::string>> files;
    std::size_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".pas" && ext != ".pp" && ext != ".inc" && ext != ".lpr"))
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        bytes += text.str().size();
        files.emplace_back(entry.path().string(), text.str());
    }
    const auto cpu = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    double best = 1e9, slowestRate = 1e9;
    std::string slowestFile;
    std::size_t outBytes = 0;
    for (int r = 0; r < rounds; ++r) {
        const double start = cpu();
        for (const auto& [name, text] : files) {
            const double t0 = cpu();
            outBytes += tavrill::FormatPascal(text, {}).size();
            const double rate = static_cast<double>(text.size()) / (cpu() - t0);
            if (text.size() > 100'000 && rate < slowestRate) {
                slowestRate = rate;
                slowestFile = name;
            }
        }
        best = std::min(best, cpu() - start);
    }
    const double mb = static_cast<double>(bytes) / 1e6;
    std::printf("%zu files, %.1f MB: best of %d rounds %.3f s, %.0f MB/s\n", files.size(), mb, rounds, best,
                mb / best);
    std::printf("slowest file over 100 KB: %s at %.0f MB/s (output %zu bytes in all)\n", slowestFile.c_str(),
                slowestRate / 1e6, outBytes);
    return 0;
}
