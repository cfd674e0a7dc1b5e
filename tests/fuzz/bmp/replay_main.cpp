// Runs the fuzz target without libFuzzer: every file of the given corpus folders as it is, cut
// at every length, and with seeded random byte changes, so a g++ build checks the same cases.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

constexpr int kMutantsPerSeed = 2000;
constexpr int kMaxChangesPerMutant = 4;
// Values that sit on the edges the reader checks: sizes, bit counts, escapes.
constexpr uint8_t kInteresting[] = {0, 1, 2, 3, 4, 8, 12, 16, 24, 32, 40, 0x7F, 0x80, 0xFE, 0xFF};

std::vector<uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void run(const std::vector<uint8_t>& bytes)
{
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

void mutate(std::vector<uint8_t>& bytes, std::mt19937& random)
{
    int changes = 1 + int(random() % kMaxChangesPerMutant);
    for (int c = 0; c < changes && !bytes.empty(); ++c) {
        uint8_t& b = bytes[random() % bytes.size()];
        b = random() % 2 ? uint8_t(random()) : kInteresting[random() % sizeof kInteresting];
    }
}

long replaySeed(const std::vector<uint8_t>& seed, std::mt19937& random)
{
    long runs = 0;
    for (size_t length = 0; length <= seed.size(); ++length, ++runs)
        run(std::vector<uint8_t>(seed.begin(), seed.begin() + long(length)));
    for (int i = 0; i < kMutantsPerSeed; ++i, ++runs) {
        std::vector<uint8_t> mutant = seed;
        mutate(mutant, random);
        run(mutant);
    }
    return runs;
}

}  // namespace

int main(int argc, char** argv)
{
    std::mt19937 random(20240601);
    long seeds = 0;
    long runs = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            if (!entry.is_regular_file()) continue;
            runs += replaySeed(readFile(entry.path()), random);
            ++seeds;
        }
    }
    std::printf("%ld seeds, %ld inputs\n", seeds, runs);
    return seeds > 0 ? 0 : 1;
}
