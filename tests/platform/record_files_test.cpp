// Reading a record's fields. Writing, replacing and reading the settings file through these
// functions is checked by the program's own tests (tests/app/settings_file_test.cpp).
#include "platform/record_files.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace forms
