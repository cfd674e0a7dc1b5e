#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

// Without libFuzzer: replays every file of the corpus folders given, each also cut at every
// length and with each byte set to the values that break lengths and counts most.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

constexpr uint8_t kByteMutations[] = {0x00, 0x01, 0x7F, 0xFF};

size_t replayWithMutations(std::vector<uint8_t> bytes)
{
    size_t runs = 0;
    for (size_t size = 0; size <= bytes.size(); ++size, ++runs)
        LLVMFuzzerTestOneInput(bytes.data(), size);
    for (size_t at = 0; at < bytes.size(); ++at) {
        const uint8_t original = bytes[at];
        for (uint8_t value : kByteMutations) {
            bytes[at] = value;
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++runs;
        }
        bytes[at] = original;
    }
    return runs;
}

}  // namespace

int main(int argc, char** argv)
{
    size_t files = 0, runs = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
            runs += replayWithMutations(bytes);
            ++files;
        }
    }
    std::printf("replayed %zu files in %zu runs\n", files, runs);
    return files > 0 ? 0 : 1;
}
