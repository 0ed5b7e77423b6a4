// The settings file under faults: a write that fails or dies half way, files that are no
// regular file, damaged records, texts that cannot be carried, the window moved from outside
// and the folder the settings live in.
#include "clock_fixture.h"

namespace vestrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::kSettingsPath;
using Fault = headless::HeadlessHost::FileFault;
using Special = headless::HeadlessHost::Special;

const std::string kTemporaryPath = kSettingsPath + ".tmp";
const std::string kAccessError = "Run-time error '75':\n\nPath/File access error";
const std::string kSaved = "\"1\",\"1\",975,600,\"1\"\r\n";
const std::string kDefaults = "\"0\",\"\",0,0,\"\"\r\n";

class SettingsFile : public testing::ClockTest {
 protected:
  // Starts afresh with these files and exits from the menu.
  void RunOnce(const std::map<std::string, std::string>& files) {
    host = {};
    host.files = files;
    StartAt(10, 0, 0);
    ChooseMenu(testing::kExit);
  }
  // One line ended by CR LF, and the very same line once it has been read back and saved.
  void ExpectStableRecord(const std::string& context) {
    const std::string written = host.files[kSettingsPath];
    ASSERT_TRUE(written.ends_with("\r\n")) << context;
    EXPECT_EQ(written.find_first_of("\r\n"), written.size() - 2) << context;
    RunOnce({{kSettingsPath, written}});
    EXPECT_EQ(host.files[kSettingsPath], written) << context;
  }
};

struct FaultCase {
  const char* name;
  Fault fault;
};
const FaultCase kFaults[] = {
    {"create", {Fault::kCreate, 0, false}},     {"first byte", {Fault::kWrite, 0, false}},
    {"second byte", {Fault::kWrite, 1, false}}, {"mid record", {Fault::kWrite, 10, false}},
    {"late byte", {Fault::kWrite, 15, false}},  {"flush", {Fault::kFlush, 0, false}},
    {"close", {Fault::kClose, 0, false}},       {"rename", {Fault::kRename, 0, false}},
};

// A write that fails ends with the standard message; one that dies (the program crashes) is
// tidied up by the next run's exit. Either way the previous file stays whole meanwhile.
TEST_F(SettingsFile, AFailedOrInterruptedWriteLeavesThePreviousFileAndNoTemporaryFile) {
  for (const bool crash : {false, true}) {
    for (const bool had_file : {true, false}) {
      for (const FaultCase& c : kFaults) {
        const std::string name = std::string(c.name) + (crash ? ", crash" : "");
        host = {};
        if (had_file) host.files[kSettingsPath] = kSaved;
        StartAt(10, 0, 0);
        form().SetLeft(4500);  // this run's settings differ from the saved ones
        host.file_fault = c.fault;
        host.file_fault->crash = crash;
        if (crash) {
          EXPECT_THROW(ChooseMenu(testing::kExit), headless::HeadlessHost::Crash) << name;
        } else {
          ChooseMenu(testing::kExit);
          EXPECT_THAT(host.fatal_errors, ElementsAre(kAccessError)) << name;
          EXPECT_EQ(host.exit_code, 1) << name;
        }
        EXPECT_EQ(host.files.contains(kSettingsPath) ? host.files[kSettingsPath] : "none",
                  had_file ? kSaved : "none")
            << name;
        if (crash) {
          // The next run starts from the previous settings and leaves one good file.
          auto disk = host.files;
          RunOnce(disk);
          EXPECT_THAT(host.fatal_errors, IsEmpty()) << name;
          EXPECT_EQ(host.files[kSettingsPath], had_file ? kSaved : kDefaults) << name;
        }
        EXPECT_FALSE(host.files.contains(kTemporaryPath)) << name;
      }
    }
  }
}

TEST_F(SettingsFile, BadFilesNeverStopTheStartAndAreRefusedAtExit) {
  for (const Special special :
       {Special::kFifo, Special::kFolder, Special::kLinkLoop, Special::kDevice}) {
    const int name = static_cast<int>(special);
    host = {};
    host.special_files[kSettingsPath] = special;
    StartAt(10, 0, 0);
    // Counted as absent: the defaults apply.
    EXPECT_THAT(host.fatal_errors, IsEmpty()) << name;
    EXPECT_TRUE(host.window.visible) << name;
    EXPECT_EQ(host.window.width, 170) << name;
    EXPECT_EQ(host.window.alpha, 128) << name;
    ChooseMenu(testing::kExit);
    EXPECT_THAT(host.fatal_errors, ElementsAre(kAccessError)) << name;
    EXPECT_EQ(host.exit_code, 1) << name;
    EXPECT_TRUE(host.special_files.contains(kSettingsPath)) << name;
    EXPECT_FALSE(host.files.contains(kTemporaryPath)) << name;
  }
}

TEST_F(SettingsFile, DamagedContentsGiveTheDocumentedOutcome) {
  const std::string kBlanks(70 * 1024, ' ');
  struct Case {
    const char* name;
    std::string contents;
    int left, top, width, alpha;
    std::string written;  // at exit, without moving the window
  };
  const Case cases[] = {
      {"empty", "", 0, 0, 170, 128, kDefaults},
      {"an empty line", "\r\n", 0, 0, 170, 128, kDefaults},
      {"blanks and empty lines", " \t\r\n\r\n", 0, 0, 170, 128, kDefaults},
      {"extra lines", kSaved + "extra,fields\r\n", 65, 40, 108, 255, kSaved},
      {"huge file, record first", kSaved + std::string(10 << 20, 'x'), 65, 40, 108, 255, kSaved},
      {"record beyond what is read", kBlanks + kSaved, 0, 0, 170, 128, kDefaults},
      {"NUL in a text", std::string("\"1\",\"1\0x\",975,600,\"1\"", 21), 65, 40, 108, 255, kSaved},
      {"unterminated last quote", "\"1\",\"1\",975,600,\"1", 65, 40, 108, 255, kSaved},
      {"unterminated early quote", "\"1\",\"1,975,600,\"1\"\r\n", 0, 0, 108, 255,
       "\"1\",\"1,975,600,\",0,0,\"\"\r\n"},
      {"position 1e39", "\"1\",\"1\",1e39,1e308,\"1\"\r\n", 7, 7, 108, 255,
       "\"1\",\"1\",105,105,\"1\"\r\n"},
      {"position -1e308", "\"1\",\"1\",-1e308,600,\"1\"\r\n", 0, 40, 108, 255,
       "\"1\",\"1\",0,600,\"1\"\r\n"},
      {"position 1e999", "\"1\",\"1\",1e999,600,\"1\"\r\n", 0, 0, 170, 128, kDefaults},
      {"size 1e999", "\"1e999\",\"1\",975,600,\"1\"\r\n", 0, 0, 170, 128, kDefaults},
      {"opacity -1e400", "\"1\",\"-1e400\",975,600,\"1\"\r\n", 0, 0, 170, 128, kDefaults},
      {"line break in a text", "\"1\",\"1\r\n2\",975,600,\"1\"\r\n", 65, 40, 108, 255,
       "\"1\",\"12\",975,600,\"1\"\r\n"},
      {"quote in a text", "\"1\",1\"2,975,600,\"1\"\r\n", 65, 40, 108, 255, kSaved},
      {"control character", "\"1\",\"\x1b[2J\",975,600,\"\t1\"\r\n", 65, 40, 108, 128,
       "\"1\",\"0\",975,600,\"1\"\r\n"},
      {"four fields", "\"1\",\"1\",300,150\r\n", 20, 10, 108, 255, "\"1\",\"1\",300,150,\"\"\r\n"},
      {"two fields", "\"1\",\"1\"", 0, 0, 108, 255, "\"1\",\"1\",0,0,\"\"\r\n"},
      // So long a record would not read back whole: a long text is carried as its number.
      {"long texts",
       "\"1\",\"" + std::string(5000, '0') + "1\",975,600,\"" + std::string(3000, 'a') + "\"\r\n",
       65, 40, 108, 255, "\"1\",\"1\",975,600,\"0\"\r\n"},
  };
  for (const Case& c : cases) {
    host = {};
    host.files[kSettingsPath] = c.contents;
    StartAt(10, 0, 0);
    EXPECT_THAT(host.fatal_errors, IsEmpty()) << c.name;
    EXPECT_EQ(host.window.left, c.left) << c.name;
    EXPECT_EQ(host.window.top, c.top) << c.name;
    EXPECT_EQ(host.window.width, c.width) << c.name;
    EXPECT_EQ(host.window.alpha, c.alpha) << c.name;
    ChooseMenu(testing::kExit);
    EXPECT_EQ(host.exit_code, 0) << c.name;
    EXPECT_EQ(host.files[kSettingsPath], c.written) << c.name;
    ExpectStableRecord(c.name);
  }
}

TEST_F(SettingsFile, TheLivePositionIsSaved) {
  host.files[kSettingsPath] = "\"0\",\"\",3000,1500,\"\"\r\n";
  StartAt(10, 0, 0);
  EXPECT_EQ(form().Left(), 3000);
  host.MoveWindowFromOutside(400, 300);  // the window manager moved it
  EXPECT_EQ(form().Left(), 6000);
  EXPECT_EQ(form().Top(), 4500);
  ChooseMenu(testing::kExit);
  EXPECT_EQ(host.files[kSettingsPath], "\"0\",\"\",6000,4500,\"\"\r\n");
}

TEST_F(SettingsFile, ChangingOneCoordinateKeepsAMoveFromOutside) {
  StartAt(10, 0, 0);
  host.MoveWindowFromOutside(400, 300);
  form().SetLeft(1500);
  EXPECT_EQ(host.window.left, 100);
  EXPECT_EQ(host.window.top, 300);  // not back to where the program last put it
  // A drag starts from where the window really is.
  host.PostMouseDown(forms::kLeftButton, 40, 130);
  host.PostMouseMove(forms::kLeftButton, 50, 135);
  host.PostMouseUp(forms::kLeftButton, 50, 135);
  host.RunPending();
  EXPECT_EQ(host.window.left, 110);
  EXPECT_EQ(host.window.top, 305);
}

// An installed copy (a read-only program folder with no settings) keeps its settings in the
// user's folder; where to is decided once, at the start.
TEST_F(SettingsFile, TheProgramsFolderComesFirstThenTheUsersFolder) {
  const struct {
    const char* name;
    bool read_only, file_beside, user_file;
    bool beside;  // where the settings are read and written
  } cases[] = {
      {"writable folder", false, false, false, true},
      {"writable folder with a file", false, true, false, true},
      {"read-only folder with a file", true, true, false, true},
      {"read-only folder", true, false, false, false},
      {"read-only folder, a user's file", true, false, true, false},
  };
  for (const auto& c : cases) {
    host = {};
    const std::string user_file = host.user_settings_folder + "\\Vestrel.ini";
    if (c.read_only) host.read_only_folders.insert(host.app_path);
    if (c.file_beside) host.files[kSettingsPath] = kSaved;
    if (c.user_file) host.files[user_file] = kSaved;
    StartAt(10, 0, 0);
    EXPECT_EQ(host.window.width, c.file_beside || c.user_file ? 108 : 170) << c.name;
    host.read_only_folders.clear();  // the home stays the same for the whole run
    ChooseMenu(testing::kExit);
    EXPECT_THAT(host.fatal_errors, IsEmpty()) << c.name;
    const std::string& written = c.beside ? kSettingsPath : user_file;
    EXPECT_EQ(host.files[written], c.file_beside || c.user_file ? kSaved : kDefaults) << c.name;
    EXPECT_FALSE(host.files.contains(c.beside ? user_file : kSettingsPath)) << c.name;
    EXPECT_EQ(host.created_folders,
              c.beside ? std::set<std::string>{} : std::set{host.user_settings_folder})
        << c.name;
  }
}

TEST_F(SettingsFile, AUserFolderThatCannotBeMadeEndsWithTheStandardMessage) {
  host.read_only_folders = {host.app_path, host.user_settings_folder};
  StartAt(10, 0, 0);
  ChooseMenu(testing::kExit);
  EXPECT_THAT(host.fatal_errors, ElementsAre(kAccessError));
  EXPECT_EQ(host.exit_code, 1);
}

}  // namespace
}  // namespace vestrel
