#include "platform/forms.h"

#include "platform/runtime.h"

namespace forms {
namespace {
Host& CurrentHost() {
  return Runtime::Current().host();
}
}  // namespace

Date Time() {
  return TimeValue(CurrentHost().SecondsSinceMidnight());
}

void DoEvents() {
  Runtime::Current().DoEvents();
}

Integer MsgBox(std::string_view prompt, Integer buttons, std::string_view title) {
  return CurrentHost().MessageBox(prompt, buttons, title);
}

void Unload(Form& form) {
  Runtime::Current().Unload(form);
}

Single ScreenObject::Width() const {
  const ScreenMetrics& s = Runtime::Current().screen();
  return s.width_px * s.twips_per_pixel_x;
}
Single ScreenObject::Height() const {
  const ScreenMetrics& s = Runtime::Current().screen();
  return s.height_px * s.twips_per_pixel_y;
}
Single ScreenObject::TwipsPerPixelX() const {
  return Runtime::Current().screen().twips_per_pixel_x;
}
Single ScreenObject::TwipsPerPixelY() const {
  return Runtime::Current().screen().twips_per_pixel_y;
}

std::string AppObject::Path() const {
  return CurrentHost().AppPath();
}

Integer FreeFile() {
  return Runtime::Current().files().FreeFile();
}
std::string Dir(std::string_view path) {
  return Runtime::Current().files().Dir(path);
}
void Open(std::string_view path, OpenMode mode, Integer number) {
  Runtime::Current().files().Open(path, mode, number);
}
std::string Input(Integer number) {
  return Runtime::Current().files().Input(number);
}
bool Eof(Integer number) {
  return Runtime::Current().files().Eof(number);
}
void Write(Integer number, const std::vector<WriteItem>& items) {
  Runtime::Current().files().Write(number, items);
}
void Close(Integer number) {
  Runtime::Current().files().Close(number);
}

bool IsWritableFolder(std::string_view folder) {
  return CurrentHost().IsWritableFolder(folder);
}
std::string UserSettingsFolder() {
  return CurrentHost().UserSettingsFolder();
}
void CreateFolders(std::string_view folder) {
  CurrentHost().CreateFolders(folder);
}

Long SetWindowPos(Long hwnd, Long insert_after, Long x, Long y, Long cx, Long cy, Long flags) {
  return CurrentHost().SetWindowPos(hwnd, insert_after, x, y, cx, cy, flags);
}
Long GetWindowLongA(Long hwnd, Long index) {
  return CurrentHost().GetWindowLongA(hwnd, index);
}
Long SetWindowLongA(Long hwnd, Long index, Long value) {
  return CurrentHost().SetWindowLongA(hwnd, index, value);
}
Long SetLayeredWindowAttributes(Long hwnd, Long colour_key, Byte alpha, Long flags) {
  return CurrentHost().SetLayeredWindowAttributes(hwnd, colour_key, alpha, flags);
}
Long CreateRoundRectRgn(Long x1, Long y1, Long x2, Long y2, Long width, Long height) {
  return CurrentHost().CreateRoundRectRgn(x1, y1, x2, y2, width, height);
}
Long SetWindowRgn(Long hwnd, Long region, Boolean redraw) {
  return CurrentHost().SetWindowRgn(hwnd, region, redraw);
}
void Sleep(Long milliseconds) {
  CurrentHost().Sleep(milliseconds);
}

}  // namespace forms
