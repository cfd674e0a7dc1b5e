#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string_view>
#include <vector>

// Without libFuzzer: replays every file of the seed folders given, cut at every length, with each
// byte set to the values that break sizes and counts most, and with seeded random changes; so a
// g++ build checks the same kind of cases on every test run. Folders after "--as-is" (the kept
// fuzzing corpus and its findings, too many files to vary) are replayed file by file unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

constexpr uint8_t kEdgeValues[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
constexpr uint8_t kInteresting[] = {0, 1, 2, 3, 4, 8, 12, 16, 24, 32, 40, 0x7F, 0x80, 0xFE, 0xFF};
constexpr int kMutantsPerSeed = 2000;
constexpr int kMaxChangesPerMutant = 4;

// A buffer of exactly the input's size, so the sanitizers see any read past its end.
void run(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> exact(data, data + size);
    LLVMFuzzerTestOneInput(exact.data(), exact.size());
}

void mutate(std::vector<uint8_t>& bytes, std::mt19937& random)
{
    int changes = 1 + int(random() % kMaxChangesPerMutant);
    for (int c = 0; c < changes && !bytes.empty(); ++c) {
        uint8_t& b = bytes[random() % bytes.size()];
        b = random() % 2 ? uint8_t(random()) : kInteresting[random() % sizeof kInteresting];
    }
}

long replaySeed(std::vector<uint8_t> bytes, std::mt19937& random)
{
    long runs = 0;
    for (size_t size = 0; size <= bytes.size(); ++size, ++runs) run(bytes.data(), size);
    for (size_t at = 0; at < bytes.size(); ++at) {
        const uint8_t original = bytes[at];
        for (uint8_t value : kEdgeValues) {
            bytes[at] = value;
            run(bytes.data(), bytes.size());
            ++runs;
        }
        bytes[at] = original;
    }
    for (int i = 0; i < kMutantsPerSeed; ++i, ++runs) {
        std::vector<uint8_t> mutant = bytes;
        mutate(mutant, random);
        run(mutant.data(), mutant.size());
    }
    return runs;
}

}  // namespace

int main(int argc, char** argv)
{
    std::mt19937 random(20240601);
    long seeds = 0, runs = 0;
    bool asIs = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--as-is") {
            asIs = true;
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
            if (asIs) {
                run(bytes.data(), bytes.size());
                ++runs;
            } else {
                runs += replaySeed(std::move(bytes), random);
            }
            ++seeds;
        }
    }
    std::printf("replayed %ld files in %ld runs\n", seeds, runs);
    return seeds > 0 ? 0 : 1;
}
