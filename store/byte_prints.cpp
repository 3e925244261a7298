#include "store/byte_prints.h"

#include <algorithm>
#include <cstring>

namespace quopa {
namespace {

constexpr std::uint64_t kBasis = 14695981039346656037ull, kPrime = 1099511628211ull;
constexpr std::size_t kBlock = 64;

}  // namespace

// FNV-1a over 8 bytes at a time in four independent lanes: one lane waits on each multiply.
BytePrint PrintOf(std::string_view bytes) {
    std::uint64_t lane[4] = {kBasis, kBasis ^ 1, kBasis ^ 2, kBasis ^ 3};
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 32; p += 32, left -= 32) {
        for (int i = 0; i < 4; ++i) {
            std::uint64_t word;
            std::memcpy(&word, p + 8 * i, 8);
            lane[i] = (lane[i] ^ word) * kPrime;
        }
    }
    std::uint64_t hash = kBasis;
    for (std::uint64_t l : lane) hash = (hash ^ l) * kPrime;
    for (; left > 0; ++p, --left) hash = (hash ^ static_cast<unsigned char>(*p)) * kPrime;
    return {bytes.size(), hash};
}

SharedEnds SharedEndsOf(std::string_view a, std::string_view b) {
    const std::size_t shorter = std::min(a.size(), b.size());
    SharedEnds ends;
    std::size_t& head = ends.head;
    while (head + kBlock <= shorter && std::memcmp(a.data() + head, b.data() + head, kBlock) == 0)
        head += kBlock;
    while (head < shorter && a[head] == b[head]) ++head;
    const std::size_t room = shorter - head;
    const char* ea = a.data() + a.size();
    const char* eb = b.data() + b.size();
    std::size_t& tail = ends.tail;
    while (tail + kBlock <= room &&
           std::memcmp(ea - tail - kBlock, eb - tail - kBlock, kBlock) == 0)
        tail += kBlock;
    while (tail < room &&
           ea[-1 - static_cast<std::ptrdiff_t>(tail)] == eb[-1 - static_cast<std::ptrdiff_t>(tail)])
        ++tail;
    return ends;
}

}  // namespace quopa
