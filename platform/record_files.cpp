#include "platform/record_files.h"

#include "platform/host.h"
#include "platform/numbers.h"
#include "platform/runtime_error.h"

namespace forms {
namespace {

constexpr Integer kMaxFileNumber = 511;

bool IsSpace(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Moves past one separator: a comma, or a line end (CR, LF or CR LF).
void SkipSeparator(std::string_view data, std::size_t& position) {
  while (position < data.size() && IsSpace(data[position])) ++position;
  if (position >= data.size()) return;
  if (data[position] == ',') {
    ++position;
  } else if (data[position] == '\r') {
    ++position;
    if (position < data.size() && data[position] == '\n') ++position;
  } else if (data[position] == '\n') {
    ++position;
  }
}

}  // namespace

bool ReadField(std::string_view data, std::size_t& position, std::string& field) {
  // Blanks and empty lines before a field are not part of it.
  while (position < data.size() && (IsSpace(data[position]) || IsLineEnd(data[position]))) {
    ++position;
  }
  if (position >= data.size()) return false;
  if (data[position] == '"') {
    const std::size_t close = data.find('"', position + 1);
    const std::size_t end = close == std::string_view::npos ? data.size() : close;
    field.assign(data.substr(position + 1, end - position - 1));
    position = close == std::string_view::npos ? data.size() : close + 1;
    // Anything between the closing quote and the separator is dropped.
    while (position < data.size() && data[position] != ',' && !IsLineEnd(data[position])) {
      ++position;
    }
  } else {
    std::size_t end = position;
    while (end < data.size() && data[end] != ',' && !IsLineEnd(data[end])) ++end;
    std::size_t last = end;
    while (last > position && IsSpace(data[last - 1])) --last;
    field.assign(data.substr(position, last - position));
    position = end;
  }
  SkipSeparator(data, position);
  return true;
}

std::string FormatRecord(const std::vector<WriteItem>& items) {
  std::string line;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) line += ',';
    if (const auto* text = std::get_if<std::string>(&items[i])) {
      line += '"';
      line += *text;
      line += '"';
    } else {
      line += StrSingle(std::get<Single>(items[i]));
    }
  }
  line += "\r\n";
  return line;
}

Integer RecordFiles::FreeFile() const {
  for (Integer n = 1; n <= kMaxFileNumber; ++n) {
    if (!open_.contains(n)) return n;
  }
  Raise(ErrorNumber::kTooManyFiles);
}

std::string RecordFiles::Dir(std::string_view path) {
  if (!host_.IsNormalFile(path)) return "";
  const std::size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

void RecordFiles::Open(std::string_view path, OpenMode mode, Integer number) {
  if (number < 1 || number > kMaxFileNumber) Raise(ErrorNumber::kBadFileNameOrNumber);
  if (open_.contains(number)) Raise(ErrorNumber::kFileAlreadyOpen);
  OpenFile file{std::string(path), mode, {}, 0};
  // Output is collected and replaces the file in one step at Close: until then the old file
  // stays as it was, so a failure or a crash on the way never leaves it empty or half written.
  if (mode == OpenMode::kInput) file.contents = host_.ReadFile(path);
  open_.emplace(number, std::move(file));
}

RecordFiles::OpenFile& RecordFiles::Get(Integer number, OpenMode mode) {
  const auto it = open_.find(number);
  if (it == open_.end()) Raise(ErrorNumber::kBadFileNameOrNumber);
  if (it->second.mode != mode) Raise(ErrorNumber::kBadFileMode);
  return it->second;
}

std::string RecordFiles::Input(Integer number) {
  OpenFile& file = Get(number, OpenMode::kInput);
  std::string field;
  if (!ReadField(file.contents, file.position, field)) Raise(ErrorNumber::kInputPastEndOfFile);
  return field;
}

bool RecordFiles::Eof(Integer number) {
  OpenFile& file = Get(number, OpenMode::kInput);
  std::size_t position = file.position;
  std::string field;
  return !ReadField(file.contents, position, field);
}

void RecordFiles::Write(Integer number, const std::vector<WriteItem>& items) {
  Get(number, OpenMode::kOutput).contents += FormatRecord(items);
}

void RecordFiles::Close(Integer number) {
  const auto it = open_.find(number);
  if (it == open_.end()) return;
  const OpenFile file = std::move(it->second);
  open_.erase(it);
  if (file.mode == OpenMode::kOutput) host_.WriteFile(file.path, file.contents);
}

}  // namespace forms
