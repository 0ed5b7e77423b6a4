// The settings file beside the executable: one record of five fields, read at start-up and
// written at every exit.
#include "app/duzezezi.h"

namespace vestrel {

using namespace forms;

namespace {
std::string SettingsPath() {
  return App.Path() + "\\Vestrel.ini";
}
}  // namespace

void duzezezi::ReadSettings() {
  const Integer file = FreeFile();
  const std::string path = SettingsPath();
  if (Dir(path).empty()) return;
  Open(path, OpenMode::kInput, file);
  // A damaged record (fewer than five fields) is ignored rather than stopping the clock
  // from starting; the next exit writes a whole one.
  std::array<std::string, 5> fields;
  bool complete = true;
  for (std::string& field : fields) {
    if (Eof(file)) {
      complete = false;
      break;
    }
    field = Input(file);
  }
  Close(file);
  if (!complete) return;
  SizeSetting = fields[0];
  OpaqueSetting = fields[1];
  LeftSetting = fields[2];
  TopSetting = fields[3];
  TopMostOffSetting = fields[4];
}

void duzezezi::WriteSettings() {
  const Integer file = FreeFile();
  Open(SettingsPath(), OpenMode::kOutput, file);
  Write(file, {SizeSetting, OpaqueSetting, Left(), Top(), TopMostOffSetting});
  Close(file);
}

}  // namespace vestrel
