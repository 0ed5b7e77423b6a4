// The settings file: one record of five fields, read at start-up and written at every exit.
// It lives beside the program, or in the user's settings folder when the program's folder
// cannot take it (an installed copy).
#include <string_view>

#include "app/duzezezi.h"

namespace vestrel {

using namespace forms;

namespace {

constexpr std::string_view kSettingsName = "\\Vestrel.ini";
// Longer texts than this are not carried as they are: the record must stay far below what a
// read takes in (kFileReadLimit), or it would not read back whole.
constexpr std::size_t kLongestText = 1024;

// A quoted text reads back as written unless it holds a double quote (which would end it
// early) or a control character (a line break would split the one-line record).
bool ReadsBackAsWritten(std::string_view text) {
  if (text.size() > kLongestText) return false;
  for (const unsigned char c : text) {
    if (c == '"' || c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

// The text as the record carries it: as it is, or else as the number it stands for, which is
// all the program ever takes from it.
std::string RecordText(const std::string& text) {
  return ReadsBackAsWritten(text) ? text : Str(Val(text));
}

// Whether every field gives a number: Val overflows on a damaged value such as "1e999".
bool NumbersUsable(const std::array<std::string, 5>& fields) {
  for (const std::string& field : fields) {
    try {
      Val(field);
    } catch (const RuntimeError& error) {
      if (error.number() != ErrorNumber::kOverflow) throw;
      return false;
    }
  }
  return true;
}

}  // namespace

std::string duzezezi::SettingsHome() {
  // Beside the program when its folder takes new files (a portable copy), else the user's
  // settings folder (an installed copy). A file beside a folder that takes none could not be
  // replaced at the exit.
  const std::string beside = App.Path();
  return IsWritableFolder(beside) ? beside : UserSettingsFolder();
}

void duzezezi::ReadSettings() {
  // The home is decided once: the exit writes where the start looked first.
  SettingsFolder = SettingsHome();
  const Integer file = FreeFile();
  std::string path = SettingsFolder + std::string(kSettingsName);
  // Until the user has settings of their own, a file beside an installed copy (put there by
  // an administrator or a run with more rights) gives the start its settings.
  if (Dir(path).empty()) path = App.Path() + std::string(kSettingsName);
  if (Dir(path).empty()) return;
  Open(path, OpenMode::kInput, file);
  // A short record keeps the fields it has; the missing ones read as empty text, as if the
  // file held them empty.
  std::array<std::string, 5> fields;
  for (std::string& field : fields) {
    if (Eof(file)) break;
    field = Input(file);
  }
  Close(file);
  // A record whose numbers cannot be taken would stop every start: it is ignored like a
  // missing file, and the next exit writes a whole good one.
  if (!NumbersUsable(fields)) return;
  SizeSetting = fields[0];
  OpaqueSetting = fields[1];
  LeftSetting = fields[2];
  TopSetting = fields[3];
  TopMostOffSetting = fields[4];
}

void duzezezi::WriteSettings() {
  if (SettingsFolder.empty()) SettingsFolder = SettingsHome();
  // The user's settings folder is made when it is first written.
  if (SettingsFolder != App.Path()) CreateFolders(SettingsFolder);
  const Integer file = FreeFile();
  Open(SettingsFolder + std::string(kSettingsName), OpenMode::kOutput, file);
  Write(file, {RecordText(SizeSetting), RecordText(OpaqueSetting), Left(), Top(),
               RecordText(TopMostOffSetting)});
  Close(file);
}

}  // namespace vestrel
