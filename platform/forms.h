// Everything the program's logic is written against: controls, the form, number and time
// services, files, the screen, the application object and the window functions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/numbers.h"
#include "platform/record_files.h"
#include "platform/runtime_error.h"
#include "platform/time_of_day.h"
#include "platform/types.h"

namespace forms {

// --- Program flow
void DoEvents();
// Modal message box; returns the button pressed.
Integer MsgBox(std::string_view prompt, Integer buttons, std::string_view title);
// Closes the form: its unload event runs first; the program ends with its only form.
void Unload(Form& form);

// --- The display and the running program
struct ScreenObject {
  Single Width() const;   // twips
  Single Height() const;  // twips
  Single TwipsPerPixelX() const;
  Single TwipsPerPixelY() const;
};
inline constexpr ScreenObject Screen{};

struct AppObject {
  std::string Path() const;  // the executable's folder, no trailing separator
};
inline constexpr AppObject App{};

// --- Files (see record_files.h)
Integer FreeFile();
std::string Dir(std::string_view path);
void Open(std::string_view path, OpenMode mode, Integer number);
std::string Input(Integer number);
bool Eof(Integer number);
void Write(Integer number, const std::vector<WriteItem>& items);
void Close(Integer number);
// Whether new files can be created in the folder.
bool IsWritableFolder(std::string_view folder);
// The user's own folder for this program's settings; it may not exist yet.
std::string UserSettingsFolder();
// Creates the folder and the missing folders above it.
void CreateFolders(std::string_view folder);

// --- Window functions
Long SetWindowPos(Long hwnd, Long insert_after, Long x, Long y, Long cx, Long cy, Long flags);
Long GetWindowLongA(Long hwnd, Long index);
Long SetWindowLongA(Long hwnd, Long index, Long value);
Long SetLayeredWindowAttributes(Long hwnd, Long colour_key, Byte alpha, Long flags);
Long CreateRoundRectRgn(Long x1, Long y1, Long x2, Long y2, Long width, Long height);
Long SetWindowRgn(Long hwnd, Long region, Boolean redraw);
void Sleep(Long milliseconds);

}  // namespace forms
