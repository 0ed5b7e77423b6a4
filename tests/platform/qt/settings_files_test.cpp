// The Linux host's settings files on a real file system (the program's "\" paths name "/"
// paths): what lies in the file's place (FIFOs, devices, links, huge files), a temporary file
// left by a crash, the permissions and the user's settings folder. (A write that fails half
// way, the termination signals and $XDG_CONFIG_HOME are checked end to end.)
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <functional>
#include <optional>

#include "platform/file_replace.h"
#include "platform/qt/native_files.h"
#include "platform/runtime_error.h"

namespace qt_host {
namespace {

using forms::ErrorNumber;

std::optional<ErrorNumber> ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const forms::RuntimeError& error) {
    return error.number();
  }
  return std::nullopt;
}

class SettingsFiles : public ::testing::Test {
 protected:
  std::string Native(const char* name) const { return dir_.path().toStdString() + "/" + name; }
  std::string Program(const char* name) const { return dir_.path().toStdString() + "\\" + name; }
  bool Exists(const char* name) const { return ::access(Native(name).c_str(), F_OK) == 0; }
  QTemporaryDir dir_;
};

const std::string kOld = "\"1\",\"1\",975,600,\"1\"\r\n";
const std::string kNew = "\"0\",\"\",6000,4500,\"\"\r\n";

TEST_F(SettingsFiles, NothingButARegularFileIsReadOrWritten) {
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
  };
  const Case cases[] = {
      {"fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
      {"folder", [](const std::string& p) { ASSERT_EQ(::mkdir(p.c_str(), 0755), 0); }},
      {"link to a device",
       [](const std::string& p) { ASSERT_EQ(::symlink("/dev/zero", p.c_str()), 0); }},
      {"link loop", [](const std::string& p) { ASSERT_EQ(::symlink(p.c_str(), p.c_str()), 0); }},
      {"dangling link",
       [](const std::string& p) { ASSERT_EQ(::symlink((p + ".gone").c_str(), p.c_str()), 0); }},
  };
  for (const Case& c : cases) {
    const std::string native = Native(c.name), program = Program(c.name);
    c.make(native);
    // A FIFO or device that blocked an open would hang here.
    EXPECT_FALSE(IsNormalFile(program)) << c.name;
    EXPECT_TRUE(ErrorOf([&] { ReadWholeFile(program); }).has_value()) << c.name;
    EXPECT_EQ(ErrorOf([&] { WriteWholeFile(program, kNew); }), ErrorNumber::kPathFileAccessError)
        << c.name;
    struct stat info {};
    EXPECT_EQ(::lstat(native.c_str(), &info), 0) << c.name << " was removed";
    EXPECT_FALSE(Exists((std::string(c.name) + ".tmp").c_str())) << c.name;
  }
}

TEST_F(SettingsFiles, AHugeFileIsReadOnlyAsFarAsARecordCanNeed) {
  WriteWholeFile(Program("Vestrel.ini"), kOld);
  ASSERT_EQ(::truncate(Native("Vestrel.ini").c_str(), 3LL << 30), 0);  // 3 GiB, sparse
  const std::string read = ReadWholeFile(Program("Vestrel.ini"));
  EXPECT_EQ(read.size(), forms::kFileReadLimit);
  EXPECT_TRUE(read.starts_with(kOld));
}

TEST_F(SettingsFiles, ATemporaryFileLeftByACrashIsReplaced) {
  WriteWholeFile(Program("Vestrel.ini.tmp"), "\"1\",\"1\",97");
  WriteWholeFile(Program("Vestrel.ini"), kNew);
  EXPECT_EQ(ReadWholeFile(Program("Vestrel.ini")), kNew);
  EXPECT_FALSE(Exists("Vestrel.ini.tmp"));
  // A FIFO in the temporary file's place is refused without blocking and left alone.
  ASSERT_EQ(::mkfifo(Native("Vestrel.ini.tmp").c_str(), 0644), 0);
  EXPECT_EQ(ErrorOf([&] { WriteWholeFile(Program("Vestrel.ini"), kOld); }),
            ErrorNumber::kPathFileAccessError);
  EXPECT_EQ(ReadWholeFile(Program("Vestrel.ini")), kNew);
  EXPECT_TRUE(Exists("Vestrel.ini.tmp"));
}

TEST_F(SettingsFiles, ALinkToARegularFileStaysALinkAndPermissionsStay) {
  const std::string real = Native("kept.ini");
  WriteWholeFile(Program("kept.ini"), kOld);
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  ASSERT_EQ(::symlink("kept.ini", Native("Vestrel.ini").c_str()), 0);
  WriteWholeFile(Program("Vestrel.ini"), kNew);
  struct stat link {};
  ASSERT_EQ(::lstat(Native("Vestrel.ini").c_str(), &link), 0);
  EXPECT_TRUE(S_ISLNK(link.st_mode));
  EXPECT_EQ(ReadWholeFile(Program("kept.ini")), kNew);
  struct stat info {};
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(SettingsFiles, TheUsersSettingsFolderIsMadeForTheUserAlone) {
  const std::string folder = dir_.path().toStdString() + "\\a\\b\\vestrel";
  EXPECT_FALSE(IsWritableFolder(folder));
  CreateFolders(folder);
  CreateFolders(folder);  // already there: nothing happens
  EXPECT_TRUE(IsWritableFolder(folder));
  struct stat info {};
  ASSERT_EQ(::stat(Native("a/b/vestrel").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  // A file where a folder should be.
  WriteWholeFile(Program("plain"), "x");
  EXPECT_FALSE(IsWritableFolder(Program("plain")));
  EXPECT_EQ(ErrorOf([&] { CreateFolders(Program("plain") + "\\sub"); }),
            ErrorNumber::kPathFileAccessError);
}

}  // namespace
}  // namespace qt_host
