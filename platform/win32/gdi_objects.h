// Ownership of the GDI and USER objects the host creates, and a count of those it holds
// (created minus released). The count stays flat while the clock runs and is zero once the
// host is gone; a soak test reads it through HandlesHeld.
#pragma once

#include "platform/win32/windows_api.h"

#include <utility>

namespace win32 {

struct HeldHandles {
  long gdi = 0;   // bitmaps, fonts, regions, memory DCs
  long user = 0;  // menus
};

HeldHandles HandlesHeld();
void NoteGdiCreated(const void* handle);
void NoteGdiReleased();
void NoteUserCreated(const void* handle);
void NoteUserReleased();

// Owns one GDI object (bitmap, font or region) and deletes it exactly once. The object must
// not be selected into a DC when it goes.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) { NoteGdiCreated(handle); }
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset() {
    if (handle_ == nullptr) return;
    DeleteObject(handle_);
    NoteGdiReleased();
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

// A memory DC compatible with the screen, with the objects it was created with restored
// before it is deleted.
class MemoryDc {
 public:
  MemoryDc();
  ~MemoryDc();
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC get() const { return dc_; }
  // Selects `bitmap` (or the DC's own 1 x 1 bitmap for nullptr), so the previous one may go.
  void SelectBitmap(HBITMAP bitmap);

 private:
  HDC dc_ = nullptr;
  HGDIOBJ original_bitmap_ = nullptr;
};

}  // namespace win32
