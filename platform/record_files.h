// Numbered files holding comma-separated records: FreeFile, Dir, Open, Input #, Write #,
// Close. Reading takes the file (up to kFileReadLimit bytes) at Open; writing replaces it
// in one step at Close.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/types.h"

namespace forms {

class Host;

enum class OpenMode { kInput, kOutput };

// One item of a Write # record: text is written in double quotes, numbers bare.
using WriteItem = std::variant<std::string, Single>;

class RecordFiles {
 public:
  explicit RecordFiles(Host& host) : host_(host) {}

  Integer FreeFile() const;
  // The file's name when `path` names a normal file, else "".
  std::string Dir(std::string_view path);
  void Open(std::string_view path, OpenMode mode, Integer number);
  // Reads the next field as text.
  std::string Input(Integer number);
  // True when the file opened for input holds no further field.
  bool Eof(Integer number);
  void Write(Integer number, const std::vector<WriteItem>& items);
  void Close(Integer number);

 private:
  struct OpenFile {
    std::string path;
    OpenMode mode;
    std::string contents;
    std::size_t position = 0;
  };
  OpenFile& Get(Integer number, OpenMode mode);

  Host& host_;
  std::map<Integer, OpenFile> open_;
};

// Parses the next field at `position` and moves past its separator; false at end of data.
bool ReadField(std::string_view data, std::size_t& position, std::string& field);
// One record as Write # puts it: fields separated by commas, ended by CR LF.
std::string FormatRecord(const std::vector<WriteItem>& items);

}  // namespace forms
