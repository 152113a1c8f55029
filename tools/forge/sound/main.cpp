// forge-sound: writes every sound effect and piece of music into a game folder.
//   forge-sound GAMEDIR [--threads N] [--stamp FILE]
// Prints one line per file with its length and peak level, and the time taken.
#include "soundset.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    std::string folder, stamp;
    int threads = 2;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--threads" && i + 1 < argc)
            threads = std::atoi(argv[++i]);
        else if (arg == "--stamp" && i + 1 < argc)
            stamp = argv[++i];
        else if (folder.empty() && !arg.starts_with("--"))
            folder = arg;
        else {
            std::fprintf(stderr, "usage: forge-sound GAMEDIR [--threads N] [--stamp FILE]\n");
            return 2;
        }
    }
    if (folder.empty() || threads < 1) {
        std::fprintf(stderr, "usage: forge-sound GAMEDIR [--threads N] [--stamp FILE]\n");
        return 2;
    }

    const auto started = std::chrono::steady_clock::now();
    std::vector<forge::sound::WrittenFile> written;
    std::string error;
    if (!forge::sound::WriteSoundSet(folder, threads, written, error)) {
        std::fprintf(stderr, "forge-sound: %s\n", error.c_str());
        return 1;
    }
    for (const auto& f : written)
        std::printf("%-18s %7.3f s  peak %6.2f dBFS\n", f.file.c_str(), f.seconds,
                    20 * std::log10(std::max(f.peak, 1e-9f)));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("forge-sound: %zu files in %.2f s\n", written.size(), seconds);

    if (!stamp.empty()) std::ofstream(stamp) << written.size() << " files\n";
    return 0;
}
