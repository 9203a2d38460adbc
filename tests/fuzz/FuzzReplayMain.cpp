// Runs a fuzz target's entry point over every file of its seed corpus, and over every shorter
// prefix of each, so that the ordinary test run keeps what fuzzing once found. Each input sits in a
// heap block of exactly its size, so a read past its end shows under the address sanitizer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

// Prefixes of longer files add little but time.
constexpr std::size_t MaxPrefixedSize = 4096;

void Run(const std::vector<std::uint8_t>& bytes, std::size_t size) {
    std::vector<std::uint8_t> block(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    LLVMFuzzerTestOneInput(block.data(), block.size());
}

} // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    const std::filesystem::path corpus = argc > 1 ? argv[1] : TAVORO_FUZZ_CORPUS;

    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "no seed files in %s\n", corpus.c_str());
        return 1;
    }

    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const std::size_t shortest = bytes.size() <= MaxPrefixedSize ? 0 : bytes.size();
        for (std::size_t size = shortest; size <= bytes.size(); ++size)
            Run(bytes, size);
    }
    std::printf("replayed %zu seed files\n", files.size());
    return 0;
}
