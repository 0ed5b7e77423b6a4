// A small, deterministic deflate compressor (RFC 1951) for the PNG icons: greedy LZ77 matches
// over a 32 KiB window, coded with the fixed Huffman codes. The output depends on nothing but
// the input, so the committed files come out the same from every build.
#pragma once

#include <cstdint>
#include <vector>

namespace artwork {

// One final deflate block holding `raw`.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& raw);

}  // namespace artwork
