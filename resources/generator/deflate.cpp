#include "resources/generator/deflate.h"

#include <algorithm>
#include <array>

namespace artwork {
namespace {

constexpr std::size_t kWindow = 32768;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr int kMaxChain = 128;  // candidates tried per position: plenty for icons
constexpr std::size_t kHashSize = 1 << 15;

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                             15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                             67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Packs bits least significant first, as deflate stores everything but Huffman codes.
class BitWriter {
 public:
  void Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
  }
  // Huffman codes go most significant bit first.
  void Code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
  }
  std::vector<std::uint8_t> Finish() {
    if (filled_ > 0) bytes_.push_back(pending_);
    return std::move(bytes_);
  }

 private:
  void Bit(std::uint32_t bit) {
    pending_ = static_cast<std::uint8_t>(pending_ | bit << filled_);
    if (++filled_ == 8) {
      bytes_.push_back(pending_);
      pending_ = 0;
      filled_ = 0;
    }
  }

  std::vector<std::uint8_t> bytes_;
  std::uint8_t pending_ = 0;
  int filled_ = 0;
};

// The fixed literal/length code of a symbol from 0 to 287.
void WriteSymbol(BitWriter& out, int symbol) {
  if (symbol < 144) {
    out.Code(0x30 + symbol, 8);
  } else if (symbol < 256) {
    out.Code(0x190 + symbol - 144, 9);
  } else if (symbol < 280) {
    out.Code(symbol - 256, 7);
  } else {
    out.Code(0xC0 + symbol - 280, 8);
  }
}

void WriteMatch(BitWriter& out, int length, int distance) {
  int l = 0;
  while (l + 1 < static_cast<int>(kLengthBase.size()) && kLengthBase[l + 1] <= length) ++l;
  WriteSymbol(out, 257 + l);
  out.Bits(static_cast<std::uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
  int d = 0;
  while (d + 1 < static_cast<int>(kDistanceBase.size()) && kDistanceBase[d + 1] <= distance) ++d;
  out.Code(static_cast<std::uint32_t>(d), 5);
  out.Bits(static_cast<std::uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
}

std::size_t Hash(const std::vector<std::uint8_t>& raw, std::size_t at) {
  return (raw[at] * 506832829u ^ raw[at + 1] * 2654435761u ^ raw[at + 2] * 40503u) % kHashSize;
}

}  // namespace

std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& raw) {
  BitWriter out;
  out.Bits(1, 1);  // BFINAL
  out.Bits(1, 2);  // BTYPE 01: fixed Huffman codes

  // Hash chains: the latest position of each hash, and for every position the previous one
  // with the same hash (positions stored plus one, so 0 ends a chain).
  std::vector<std::size_t> head(kHashSize, 0);
  std::vector<std::size_t> previous(raw.size(), 0);
  const auto insert = [&](std::size_t at) {
    if (at + kMinMatch > raw.size()) return;
    const std::size_t h = Hash(raw, at);
    previous[at] = head[h];
    head[h] = at + 1;
  };

  std::size_t at = 0;
  while (at < raw.size()) {
    std::size_t best_length = 0;
    std::size_t best_distance = 0;
    if (at + kMinMatch <= raw.size()) {
      const std::size_t limit = std::min(kMaxMatch, raw.size() - at);
      std::size_t candidate = head[Hash(raw, at)];
      for (int chain = 0; candidate != 0 && chain < kMaxChain; ++chain) {
        const std::size_t from = candidate - 1;
        if (at - from > kWindow) break;
        std::size_t length = 0;
        while (length < limit && raw[from + length] == raw[at + length]) ++length;
        if (length > best_length) {
          best_length = length;
          best_distance = at - from;
          if (length == limit) break;
        }
        candidate = previous[from];
      }
    }
    if (best_length >= kMinMatch) {
      WriteMatch(out, static_cast<int>(best_length), static_cast<int>(best_distance));
      for (std::size_t i = 0; i < best_length; ++i) insert(at + i);
      at += best_length;
    } else {
      WriteSymbol(out, raw[at]);
      insert(at);
      ++at;
    }
  }
  WriteSymbol(out, 256);  // end of block
  return out.Finish();
}

}  // namespace artwork
