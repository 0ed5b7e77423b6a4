#include "platform/win32/gdi_objects.h"

namespace win32 {
namespace {
HeldHandles g_held;
}  // namespace

HeldHandles HandlesHeld() {
  return g_held;
}

void NoteGdiCreated(const void* handle) {
  if (handle != nullptr) ++g_held.gdi;
}
void NoteGdiReleased() {
  --g_held.gdi;
}
void NoteUserCreated(const void* handle) {
  if (handle != nullptr) ++g_held.user;
}
void NoteUserReleased() {
  --g_held.user;
}

MemoryDc::MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {
  NoteGdiCreated(dc_);
  if (dc_ != nullptr) original_bitmap_ = GetCurrentObject(dc_, OBJ_BITMAP);
}

MemoryDc::~MemoryDc() {
  if (dc_ == nullptr) return;
  SelectObject(dc_, original_bitmap_);
  DeleteDC(dc_);
  NoteGdiReleased();
}

void MemoryDc::SelectBitmap(HBITMAP bitmap) {
  SelectObject(dc_, bitmap != nullptr ? static_cast<HGDIOBJ>(bitmap) : original_bitmap_);
}

}  // namespace win32
