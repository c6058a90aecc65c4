#include "study/study_cases_file.h"

#include <fstream>
#include <iterator>

#include "study/study_error.h"

namespace fluxeta::study {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Splits CSV text into records of fields, one record at a time.
class CsvRecords {
 public:
  CsvRecords(std::string_view content, std::string_view fileName)
      : content_(content), fileName_(fileName) {
    if (content_.starts_with(kUtf8ByteOrderMark)) {
      content_.remove_prefix(kUtf8ByteOrderMark.size());
    }
  }

  // The next non-empty record into `fields`; false at the end of the text.
  bool Next(std::vector<std::string>& fields) {
    fields.clear();
    while (at_ < content_.size() && IsLineEnd(content_[at_])) {
      SkipLineEnd();
    }
    if (at_ >= content_.size()) {
      return false;
    }
    recordLine_ = line_;
    fields.emplace_back();
    while (at_ < content_.size() && !IsLineEnd(content_[at_])) {
      const char c = content_[at_++];
      if (c == ',') {
        fields.emplace_back();
      } else if (c == '"' && fields.back().empty()) {
        ReadQuoted(fields.back());
      } else {
        fields.back() += c;
      }
    }
    return true;
  }

  // The line on which the record last returned by Next starts.
  int RecordLine() const { return recordLine_; }

 private:
  static bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

  void SkipLineEnd() {
    if (content_[at_] == '\r' && at_ + 1 < content_.size() && content_[at_ + 1] == '\n') {
      ++at_;
    }
    ++at_;
    ++line_;
  }

  void ReadQuoted(std::string& field) {
    while (true) {
      if (at_ >= content_.size()) {
        throw StudyError("cases file '" + std::string(fileName_) + "', line " +
                         std::to_string(recordLine_) + ": a quoted field is not closed");
      }
      const char c = content_[at_++];
      if (c == '\n') {
        ++line_;
      }
      if (c != '"') {
        field += c;
      } else if (at_ < content_.size() && content_[at_] == '"') {
        field += '"';
        ++at_;
      } else {
        return;
      }
    }
  }

  std::string_view content_;
  std::string_view fileName_;
  std::size_t at_ = 0;
  int line_ = 1;
  int recordLine_ = 1;
};

std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

CasesTable ParseCasesTable(std::string_view content, std::string_view fileName, bool allInputs) {
  const std::string where = "cases file '" + std::string(fileName) + "'";
  CsvRecords records(content, fileName);
  std::vector<std::string> fields;
  if (!records.Next(fields)) {
    throw StudyError(where + " has no header line of input names");
  }

  CasesTable table;
  for (const std::string& field : fields) {
    const std::string name = TrimBlanks(field);
    try {
      const StudyInput& input = FindStudyInput(name, allInputs);
      for (const StudyInput* earlier : table.inputs) {
        if (earlier == &input) {
          throw StudyError("input '" + name + "' appears twice");
        }
      }
      table.inputs.push_back(&input);
    } catch (const StudyError& error) {
      throw StudyError(where + ", header: " + error.what());
    }
  }

  while (records.Next(fields)) {
    if (fields.size() != table.inputs.size()) {
      throw StudyError(where + ", line " + std::to_string(records.RecordLine()) + ": " +
                       std::to_string(fields.size()) + " fields where the header has " +
                       std::to_string(table.inputs.size()));
    }
    for (std::string& field : fields) {
      table.cells.push_back(std::move(field));
    }
  }
  return table;
}

CasesTable ReadCasesFile(const std::string& path, bool allInputs) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw StudyError("cannot read cases file '" + path + "'");
  }
  const std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) {
    throw StudyError("cannot read cases file '" + path + "'");
  }
  return ParseCasesTable(content, path, allInputs);
}

}  // namespace fluxeta::study
