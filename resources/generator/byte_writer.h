// Appends little-endian fields to a byte vector, as the Windows file headers store them.
#pragma once

#include <cstdint>
#include <vector>

namespace artwork {

class ByteWriter {
 public:
  void U8(std::uint32_t v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(std::uint32_t v) {
    U8(v & 0xFF);
    U8((v >> 8) & 0xFF);
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  // Zero bytes up to the next multiple of four from `row_start`.
  void PadRow(std::size_t row_start) {
    while ((bytes_.size() - row_start) % 4 != 0) U8(0);
  }

  std::size_t size() const { return bytes_.size(); }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace artwork
