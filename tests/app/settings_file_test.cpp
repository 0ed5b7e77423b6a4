// The settings file: what each content gives and saves back, a write that fails or dies half
// way and the folder the settings live in. (Files that are no regular file are refused by the
// hosts' own tests and end to end; a window manager's move is saved end to end.)
#include "clock_fixture.h"

namespace vestrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::kSettingsPath;
using Fault = headless::HeadlessHost::FileFault;

const std::string kTemporaryPath = kSettingsPath + ".tmp";
const std::string kAccessError = "Run-time error '75':\n\nPath/File access error";
const std::string kSaved = "\"1\",\"1\",975,600,\"1\"\r\n";
const std::string kDefaults = "\"0\",\"\",0,0,\"\"\r\n";

class SettingsFile : public testing::ClockTest {
 protected:
  // Starts afresh with these files.
  void StartWith(const std::map<std::string, std::string>& files) {
    host = {};
    host.files = files;
    StartAt(10, 0, 0);
  }
  // The window as a user sees it: "65,40 small opaque on top".
  std::string Shown() {
    const auto& w = host.window;
    return std::to_string(w.left) + "," + std::to_string(w.top) +
           (w.width == 108   ? " small"
            : w.width == 170 ? " large"
                             : " odd size") +
           (w.alpha == 255   ? " opaque"
            : w.alpha == 128 ? ""
                             : " odd alpha") +
           (w.topmost ? " on top" : "");
  }
};

// Each content read, shown and saved at exit without moving the window; what is saved is one
// line ended by CR LF that a second run reads and saves unchanged.
TEST_F(SettingsFile, EachContentGivesTheDocumentedWindowAndSavesAStableRecord) {
  const std::string kBlanks(70 * 1024, ' ');
  struct Case {
    std::string contents;
    std::string window;   // as Shown() describes it
    std::string written;  // the line saved, without its CR LF
  };
  const Case cases[] = {
      {kSaved, "65,40 small opaque", R"("1","1",975,600,"1")"},
      {"\"1\",\"0\",-120,300,\"1\"\r\n", "0,20 small", R"("1","0",0,300,"1")"},
      {"\"0\",\"5\",0,0,\"-1\"\r\n", "0,0 large opaque", R"("0","5",0,0,"-1")"},
      {"\"2\",\"-1\",15,-300,\"0\"\r\n", "1,0 small opaque on top", R"("1","-1",15,0,"0")"},
      {"\"x\",\"abc\",0,0,\"\"\r\n", "0,0 large on top", R"("0","abc",0,0,"")"},
      {"\"1\"\r\n\"1\"\r\n30\r\n45\r\n\"1\"\r\n", "2,3 small opaque", R"("1","1",30,45,"1")"},
      // A position at or beyond the screen keeps the window where it was created.
      {"\"0\",\"0\",28800,16200,\"0\"\r\n", "7,7 large on top", R"("0","0",105,105,"0")"},
      {"\"0\",\"0\",28785,16185,\"0\"\r\n", "1919,1079 large on top", R"("0","0",28785,16185,"0")"},
      // Damaged files: the defaults where a number overflows, else what can be read.
      {"", "0,0 large on top", R"("0","",0,0,"")"},
      {kSaved + "extra,fields\r\n", "65,40 small opaque", R"("1","1",975,600,"1")"},
      {kSaved + std::string(10 << 20, 'x'), "65,40 small opaque", R"("1","1",975,600,"1")"},
      {kBlanks + kSaved, "0,0 large on top", R"("0","",0,0,"")"},
      {std::string("\"1\",\"1\0x\",975,600,\"1\"", 21), "65,40 small opaque",
       R"("1","1",975,600,"1")"},
      {"\"1\",\"1\",975,600,\"1", "65,40 small opaque", R"("1","1",975,600,"1")"},
      {"\"1\",\"1,975,600,\"1\"\r\n", "0,0 small opaque on top", R"("1","1,975,600,",0,0,"")"},
      {"\"1\",\"1\",1e39,1e308,\"1\"\r\n", "7,7 small opaque", R"("1","1",105,105,"1")"},
      {"\"1\",\"1\",-1e308,600,\"1\"\r\n", "0,40 small opaque", R"("1","1",0,600,"1")"},
      {"\"1\",\"1\",1e999,600,\"1\"\r\n", "0,0 large on top", R"("0","",0,0,"")"},
      {"\"1e999\",\"1\",975,600,\"1\"\r\n", "0,0 large on top", R"("0","",0,0,"")"},
      {"\"1\",\"1\r\n2\",975,600,\"1\"\r\n", "65,40 small opaque", R"("1","12",975,600,"1")"},
      {"\"1\",1\"2,975,600,\"1\"\r\n", "65,40 small opaque", R"("1","1",975,600,"1")"},
      {"\"1\",\"\x1b[2J\",975,600,\"\t1\"\r\n", "65,40 small", R"("1","0",975,600,"1")"},
      {"\"1\",\"1\",300,150\r\n", "20,10 small opaque on top", R"("1","1",300,150,"")"},
      {"\"1\",\"1\"", "0,0 small opaque on top", R"("1","1",0,0,"")"},
      // So long a record would not read back whole: a long text is carried as its number.
      {"\"1\",\"" + std::string(5000, '0') + "1\",975,600,\"" + std::string(3000, 'a') + "\"\r\n",
       "65,40 small opaque on top", R"("1","1",975,600,"0")"},
  };
  for (const Case& c : cases) {
    const std::string name = c.contents.substr(0, 60);
    for (const bool again : {false, true}) {
      StartWith({{kSettingsPath, again ? c.written + "\r\n" : c.contents}});
      EXPECT_THAT(host.fatal_errors, IsEmpty()) << name;
      if (!again) {
        EXPECT_EQ(Shown(), c.window) << name;
      }
      ChooseMenu(testing::kExit);
      EXPECT_EQ(host.exit_code, 0) << name;
      EXPECT_EQ(host.files[kSettingsPath], c.written + "\r\n") << name;
    }
  }
}

// A write that fails ends with the standard message; one that dies (the program crashes) is
// tidied up by the next run's exit. Either way the previous file stays whole meanwhile.
TEST_F(SettingsFile, AFailedOrInterruptedWriteLeavesThePreviousFileAndNoTemporaryFile) {
  const std::pair<const char*, Fault> faults[] = {
      {"create", {Fault::kCreate, 0, false}},     {"first byte", {Fault::kWrite, 0, false}},
      {"second byte", {Fault::kWrite, 1, false}}, {"mid record", {Fault::kWrite, 10, false}},
      {"late byte", {Fault::kWrite, 15, false}},  {"flush", {Fault::kFlush, 0, false}},
      {"close", {Fault::kClose, 0, false}},       {"rename", {Fault::kRename, 0, false}},
  };
  for (const bool crash : {false, true}) {
    for (const bool had_file : {true, false}) {
      for (const auto& [fault_name, fault] : faults) {
        const std::string name = std::string(fault_name) + (crash ? ", crash" : "");
        StartWith(had_file ? std::map<std::string, std::string>{{kSettingsPath, kSaved}}
                           : std::map<std::string, std::string>{});
        form().SetLeft(4500);  // this run's settings differ from the saved ones
        host.file_fault = fault;
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
          StartWith(std::map(host.files));
          ChooseMenu(testing::kExit);
          EXPECT_THAT(host.fatal_errors, IsEmpty()) << name;
          EXPECT_EQ(host.files[kSettingsPath], had_file ? kSaved : kDefaults) << name;
        }
        EXPECT_FALSE(host.files.contains(kTemporaryPath)) << name;
      }
    }
  }
}

// An installed copy (a read-only program folder) keeps its settings in the user's folder,
// starting from a file beside it until it has its own; where to is decided once, at the start.
TEST_F(SettingsFile, TheProgramsFolderComesFirstThenTheUsersFolder) {
  const struct {
    const char* name;
    bool read_only, file_beside, user_file;
    bool beside;  // where the settings are written
  } cases[] = {
      {"writable folder", false, false, false, true},
      {"writable folder with a file", false, true, false, true},
      {"read-only folder with a file", true, true, false, false},
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
    // The other place is left as it was.
    EXPECT_EQ(host.files.contains(c.beside ? user_file : kSettingsPath), !c.beside && c.file_beside)
        << c.name;
    EXPECT_EQ(host.created_folders,
              c.beside ? std::set<std::string>{} : std::set{host.user_settings_folder})
        << c.name;
  }
  // Neither folder writable: the exit ends with the standard message.
  host = {};
  host.read_only_folders = {host.app_path, host.user_settings_folder};
  StartAt(10, 0, 0);
  ChooseMenu(testing::kExit);
  EXPECT_THAT(host.fatal_errors, ElementsAre(kAccessError));
  EXPECT_EQ(host.exit_code, 1);
}

}  // namespace
}  // namespace vestrel
