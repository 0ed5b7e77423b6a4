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
      {"\"0\",\"\",0,0,\"\"\r\n", V{"0", "", "0", "0", ""}},
      {"\"1\",\"1\",975,600,\"1\"\r\n", V{"1", "1", "975", "600", "1"}},
      {"\"1\"\r\n\"0\"\r\n-120\r\n300\r\n\"1\"\r\n", V{"1", "0", "-120", "300", "1"}},
      {"\"a,b\", 12 ,x y\n", V{"a,b", "12", "x y"}},
      {"1,2\r3\n4", V{"1", "2", "3", "4"}},
      {"", V{}},
      {"\"open", V{"open"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Fields(c.data), c.fields) << c.data;
}

TEST(RecordFiles, WritesOneLineWithQuotedTextAndBareNumbers) {
  EXPECT_EQ(
      FormatRecord({std::string("0"), std::string(""), Single{0}, Single{0}, std::string("")}),
      "\"0\",\"\",0,0,\"\"\r\n");
  EXPECT_EQ(FormatRecord(
                {std::string("1"), std::string("1"), Single{975}, Single{600}, std::string("1")}),
            "\"1\",\"1\",975,600,\"1\"\r\n");
  EXPECT_EQ(FormatRecord({Single{-120}, Single{757.5f}}), "-120,757.5\r\n");
}

TEST(RecordFiles, OpenInputWriteClose) {
  headless::HeadlessHost host;
  RecordFiles files(host);
  EXPECT_EQ(files.Dir("C:\\x\\a.ini"), "");
  const Integer n = files.FreeFile();
  EXPECT_EQ(n, 1);
  host.files["C:\\x\\a.ini"] = "old";
  files.Open("C:\\x\\a.ini", OpenMode::kOutput, n);
  EXPECT_EQ(host.files["C:\\x\\a.ini"], "old");  // replaced only when the record is whole
  EXPECT_EQ(files.FreeFile(), 2);
  files.Write(n, {std::string("q"), Single{1.5f}});
  files.Close(n);
  EXPECT_EQ(host.files["C:\\x\\a.ini"], "\"q\",1.5\r\n");
  EXPECT_EQ(files.Dir("C:\\x\\a.ini"), "a.ini");

  files.Open("C:\\x\\a.ini", OpenMode::kInput, n);
  EXPECT_FALSE(files.Eof(n));
  EXPECT_EQ(files.Input(n), "q");
  EXPECT_EQ(files.Input(n), "1.5");
  EXPECT_TRUE(files.Eof(n));
  EXPECT_THROW(files.Input(n), RuntimeError);
  EXPECT_THROW(files.Write(n, {}), RuntimeError);  // opened for input
  files.Close(n);
  EXPECT_THROW(files.Input(n), RuntimeError);  // closed

  host.unreadable.insert("C:\\x\\a.ini");
  EXPECT_THROW(files.Open("C:\\x\\a.ini", OpenMode::kInput, n), RuntimeError);
  host.unwritable.insert("C:\\x\\b.ini");
  files.Open("C:\\x\\b.ini", OpenMode::kOutput, n);
  files.Write(n, {std::string("q")});
  EXPECT_THROW(files.Close(n), RuntimeError);
  EXPECT_FALSE(host.files.contains("C:\\x\\b.ini"));
  EXPECT_EQ(files.FreeFile(), 1);  // a failed close still frees the number
}

}  // namespace
}  // namespace forms
