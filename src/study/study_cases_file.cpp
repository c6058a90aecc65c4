#include "fluxeta/study/study_cases_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fluxeta/base/quoted_text.h"
#include "fluxeta/study/study_error.h"

namespace fluxeta::study {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kReadChunkBytes = 64 * 1024;

std::string FileWhere(std::string_view fileName) {
  return "cases file '" + base::ShortQuote(fileName) + "'";
}

[[noreturn]] void FailToRead(std::string_view fileName, int errorNumber) {
  throw StudyError("cannot read " + FileWhere(fileName) + ": " + std::strerror(errorNumber));
}

// The bytes of a cases file, from memory or read from a descriptor a chunk at a time.
class CsvBytes {
 public:
  CsvBytes(std::string_view content, std::string_view fileName)
      : fileName_(fileName), chunk_(content) {
    SkipByteOrderMark();
  }
  CsvBytes(int descriptor, std::string_view fileName)
      : fileName_(fileName), descriptor_(descriptor), buffer_(kReadChunkBytes, '\0') {
    SkipByteOrderMark();
  }

  // The next byte without taking it; false at the end of the file.
  bool Peek(char& byte) {
    if (at_ == chunk_.size() && !Refill()) {
      return false;
    }
    byte = chunk_[at_];
    return true;
  }
  void Take() { ++at_; }

  // Starts again at the first byte; a file is read again from its start.
  void Rewind() {
    at_ = 0;
    if (descriptor_ >= 0) {
      if (::lseek(descriptor_, 0, SEEK_SET) < 0) {
        FailToRead(fileName_, errno);
      }
      chunk_ = {};
    }
    SkipByteOrderMark();
  }

 private:
  // Reads the next chunk of a file after the bytes not yet taken; false at its end.
  bool Refill() {
    if (descriptor_ < 0) {
      return false;
    }
    const std::size_t kept = chunk_.size() - at_;
    if (kept > 0) {  // an empty chunk may have no bytes to point at
      std::memmove(buffer_.data(), chunk_.data() + at_, kept);
    }
    while (true) {
      const ssize_t count = ::read(descriptor_, buffer_.data() + kept, buffer_.size() - kept);
      if (count < 0 && errno == EINTR) {
        continue;
      }
      if (count < 0) {
        FailToRead(fileName_, errno);
      }
      chunk_ = std::string_view(buffer_.data(), kept + static_cast<std::size_t>(count));
      at_ = 0;
      return count > 0;
    }
  }

  // A mark split over short reads (a pipe) is gathered first; a partial mark is no mark.
  void SkipByteOrderMark() {
    while (chunk_.size() - at_ < kUtf8ByteOrderMark.size() &&
           kUtf8ByteOrderMark.starts_with(chunk_.substr(at_)) && Refill()) {
    }
    if (chunk_.substr(at_).starts_with(kUtf8ByteOrderMark)) {
      at_ += kUtf8ByteOrderMark.size();
    }
  }

  std::string_view fileName_;
  int descriptor_ = -1;
  std::string buffer_;
  std::string_view chunk_;
  std::size_t at_ = 0;
};

std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Splits CSV text into records of fields, one record at a time.
class CsvRecords {
 public:
  template <typename Source>
  CsvRecords(Source source, std::string_view fileName)
      : fileName_(fileName), bytes_(source, fileName) {}

  // The next non-empty record into `fields`; false at the end of the text.
  bool Next(std::vector<std::string>& fields) {
    fields.clear();
    char c = 0;
    while (bytes_.Peek(c) && IsLineEnd(c)) {
      SkipLineEnd(c);
    }
    if (!bytes_.Peek(c)) {
      return false;
    }
    recordLine_ = line_;
    recordBytes_ = 0;
    fields.emplace_back();
    while (bytes_.Peek(c) && !IsLineEnd(c)) {
      TakeCounted();
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
  std::uint64_t RecordLine() const { return recordLine_; }

  void Rewind() {
    bytes_.Rewind();
    line_ = 1;
  }

 private:
  static bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

  void SkipLineEnd(char c) {
    bytes_.Take();
    char next = 0;
    if (c == '\r' && bytes_.Peek(next) && next == '\n') {
      bytes_.Take();
    }
    ++line_;
  }

  // Takes the byte just peeked as part of the record, within the record's bound.
  void TakeCounted() {
    bytes_.Take();
    if (++recordBytes_ > kMostCasesRecordBytes) {
      throw StudyError(FileWhere(fileName_) + ", line " + std::to_string(recordLine_) +
                       ": a record longer than " + std::to_string(kMostCasesRecordBytes) +
                       " bytes");
    }
  }

  void ReadQuoted(std::string& field) {
    char c = 0;
    while (true) {
      if (!bytes_.Peek(c)) {
        throw StudyError(FileWhere(fileName_) + ", line " + std::to_string(recordLine_) +
                         ": a quoted field is not closed");
      }
      TakeCounted();
      if (c == '\n') {
        ++line_;
      }
      char next = 0;
      if (c != '"') {
        field += c;
      } else if (bytes_.Peek(next) && next == '"') {
        field += '"';
        TakeCounted();
      } else {
        return;
      }
    }
  }

  std::string_view fileName_;
  CsvBytes bytes_;
  std::uint64_t line_ = 1;
  std::uint64_t recordLine_ = 1;
  std::size_t recordBytes_ = 0;
};

// The header's inputs, each known and named once.
std::vector<const StudyVariable*> ReadHeader(CsvRecords& records, std::string_view fileName,
                                             StudyVariables& variables) {
  std::vector<std::string> fields;
  if (!records.Next(fields)) {
    throw StudyError(FileWhere(fileName) + " has no header line of input names");
  }
  std::vector<const StudyVariable*> inputs;
  for (const std::string& field : fields) {
    const std::string name = TrimBlanks(field);
    try {
      const StudyVariable& input = variables.Find(name);
      for (const StudyVariable* earlier : inputs) {
        if (earlier == &input) {
          throw StudyError("input '" + base::ShortQuote(name) + "' appears twice");
        }
      }
      inputs.push_back(&input);
    } catch (const StudyError& error) {
      throw StudyError(FileWhere(fileName) + ", header: " + error.message());
    }
  }
  return inputs;
}

// The next row into `fields`, checked against the header's width; false at the end.
bool ReadRow(CsvRecords& records, std::string_view fileName, std::size_t width,
             std::vector<std::string>& fields) {
  if (!records.Next(fields)) {
    return false;
  }
  if (fields.size() != width) {
    throw StudyError(FileWhere(fileName) + ", line " + std::to_string(records.RecordLine()) + ": " +
                     std::to_string(fields.size()) + " fields where the header has " +
                     std::to_string(width));
  }
  return true;
}

}  // namespace

CasesTable ParseCasesTable(std::string_view content, std::string_view fileName, bool allInputs) {
  CaseInputVariables inputs(allInputs);
  return ParseCasesTable(content, fileName, inputs);
}

CasesTable ParseCasesTable(std::string_view content, std::string_view fileName,
                           StudyVariables& variables) {
  CsvRecords records(content, fileName);
  CasesTable table;
  table.inputs = ReadHeader(records, fileName, variables);
  std::vector<std::string> fields;
  while (ReadRow(records, fileName, table.inputs.size(), fields)) {
    for (std::string& field : fields) {
      table.cells.push_back(std::move(field));
    }
  }
  return table;
}

struct CasesFile::Reader {
  Reader(int descriptor, std::string_view fileName)
      : descriptor(descriptor), records(descriptor, fileName) {}
  ~Reader() { ::close(descriptor); }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  int descriptor;
  CsvRecords records;
};

CasesFile::CasesFile(const std::string& path, bool allInputs) : path_(path) {
  CaseInputVariables inputs(allInputs);
  Open(inputs);
}

CasesFile::CasesFile(const std::string& path, StudyVariables& variables) : path_(path) {
  Open(variables);
}

void CasesFile::Open(StudyVariables& variables) {
  const std::string& path = path_;
  if (path.find('\0') != std::string::npos) {
    FailToRead(path_, ENOENT);
  }
  int descriptor;
  do {
    descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    FailToRead(path_, errno);
  }
  try {
    reader_ = std::make_unique<Reader>(descriptor, path_);
  } catch (...) {
    ::close(descriptor);
    throw;
  }
  inputs_ = ReadHeader(reader_->records, path_, variables);
  std::vector<std::string> fields;
  while (ReadRow(reader_->records, path_, inputs_.size(), fields)) {
    ++rowCount_;
  }
  Rewind();
}

CasesFile::~CasesFile() = default;

bool CasesFile::NextRow(std::vector<std::string>& cells) {
  const bool read = ReadRow(reader_->records, path_, inputs_.size(), cells);
  if (read != (rowsRead_ < rowCount_)) {
    throw StudyError(FileWhere(path_) + " changed while the study ran");
  }
  rowsRead_ += read ? 1 : 0;
  return read;
}

void CasesFile::Rewind() {
  reader_->records.Rewind();
  std::vector<std::string> header;
  reader_->records.Next(header);
  rowsRead_ = 0;
}

}  // namespace fluxeta::study
