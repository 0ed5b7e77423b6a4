#include "platform/record_files.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_host.h"
#include "platform/runtime_error.h"

namespace forms {
namespace {

std::vector<std::string> Fields(std::string_view data) {
  std::vector<std::string> fields;
  std::size_t position = 0;
  std::string field;
  while (ReadField(data, position, field)) fields.push_back(field);
  return fields;
}

TEST(RecordFiles, ReadsFieldsAsWritten) {
  using V = std::vector<std::string>;
  const struct {
    const char* data;
    V fields;
  } cases[] = {
      {"\"0\",\"\",-120,300,\"1\"\r\n", V{"0", "", "-120", "300", "1"}},
      {"\"a,b\", 12 ,x y\n", V{"a,b", "12", "x y"}},
      {"1,2\r3\n4", V{"1", "2", "3", "4"}},
      {"", V{}},
      {"\"open", V{"open"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Fields(c.data), c.fields) << c.data;
}

TEST(RecordFiles, WritesOneLineWithQuotedTextAndBareNumbers) {
  EXPECT_EQ(FormatRecord({std::string("1"), std::string(""), Single{975}, Single{-120}}),
            "\"1\",\"\",975,-120\r\n");
  EXPECT_EQ(FormatRecord({Single{757.5f}}), "757.5\r\n");
}

// Writing replaces the file only when the record is whole; misuse of a number is an error.
TEST(RecordFiles, OpenWriteInputClose) {
  headless::HeadlessHost host;
  RecordFiles files(host);
  const std::string path = "C:\\x\\a.ini";
  EXPECT_EQ(files.Dir(path), "");
  const Integer n = files.FreeFile();
  host.files[path] = "old";
  files.Open(path, OpenMode::kOutput, n);
  EXPECT_EQ(host.files[path], "old");
  EXPECT_NE(files.FreeFile(), n);
  files.Write(n, {std::string("q"), Single{1.5f}});
  files.Close(n);
  EXPECT_EQ(host.files[path], "\"q\",1.5\r\n");
  EXPECT_EQ(files.Dir(path), "a.ini");

  files.Open(path, OpenMode::kInput, n);
  EXPECT_EQ(files.Input(n), "q");
  EXPECT_EQ(files.Input(n), "1.5");
  EXPECT_TRUE(files.Eof(n));
  EXPECT_THROW(files.Input(n), RuntimeError);
  EXPECT_THROW(files.Write(n, {}), RuntimeError);  // opened for input
  files.Close(n);
  EXPECT_THROW(files.Input(n), RuntimeError);  // closed

  host.unwritable.insert("C:\\x\\b.ini");
  files.Open("C:\\x\\b.ini", OpenMode::kOutput, n);
  files.Write(n, {std::string("q")});
  EXPECT_THROW(files.Close(n), RuntimeError);
  EXPECT_FALSE(host.files.contains("C:\\x\\b.ini"));
  EXPECT_EQ(files.FreeFile(), n);  // a failed close still frees the number
}

}  // namespace
}  // namespace forms
