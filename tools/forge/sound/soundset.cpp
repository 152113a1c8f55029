#include "soundset.h"

#include "effects.h"
#include "encode.h"
#include "music.h"

#include <atomic>
#include <fstream>
#include <mutex>
#include <thread>

namespace forge::sound {

namespace {

std::filesystem::path NativePath(const std::filesystem::path& folder, std::string name) {
    for (char& c : name)
        if (c == '\\') c = '/';
    return folder / name;
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    const std::filesystem::path temp = path.string() + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            error = "cannot write " + temp.string();
            return false;
        }
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        error = "cannot rename " + temp.string() + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace

bool WriteSoundSet(const std::filesystem::path& folder, int threads,
                   std::vector<WrittenFile>& written, std::string& error) {
    for (const EffectRecipe& recipe : Effects()) {
        const Mono samples = RenderEffect(recipe);
        if (!WriteFile(NativePath(folder, recipe.file), EncodeWav(samples), error)) return false;
        written.push_back({recipe.file, double(samples.size()) / SampleRate, Peak(samples)});
    }

    // The pieces are independent, so they share the cores; each lands in its own slot, and
    // the report keeps the table's order whatever finishes first.
    const auto pieces = Pieces();
    std::vector<WrittenFile> music(pieces.size());
    std::vector<std::string> failures(pieces.size());
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t k = next++; k < pieces.size(); k = next++) {
            const Stereo samples = RenderSong(Compose(pieces[k]));
            const std::string bytes = EncodeOgg(samples, MusicQuality);
            if (bytes.empty())
                failures[k] = std::string("cannot encode ") + pieces[k].file;
            else
                WriteFile(NativePath(folder, pieces[k].file), bytes, failures[k]);
            music[k] = {pieces[k].file, double(samples.size()) / SampleRate, Peak(samples)};
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (std::thread& t : pool) t.join();
    for (const std::string& failure : failures)
        if (!failure.empty()) {
            error = failure;
            return false;
        }
    written.insert(written.end(), music.begin(), music.end());
    return true;
}

} // namespace forge::sound
