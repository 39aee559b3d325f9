#include "installed/DocPrereqUpdate.h"

#include <sys/stat.h>

#include <new>
#include <string>
#include <string_view>

#include "ZOLINSMediaToc.h"
#include "ZOLUnicodeString.h"
#include "base/FileWriter.h"
#include "base/Files.h"
#include "base/LineReader.h"
#include "toc/RecordLine.h"

namespace zol {
namespace {

// The first line of PRESENT holding ":PDO:" followed by `name` (found as text, wherever it stands
// in the line). Returns 0, -100 when PRESENT cannot be opened, -101 when no line holds it.
int FindProductLine(const char* presentPath, const char* name, std::string& line) {
  if (!presentPath) return -100;
  LineReader reader(presentPath);
  if (!reader.IsOpen()) return -100;
  const std::string wanted = std::string(":PDO:") + name;
  std::string_view text;
  bool hadNewline = false;
  while (reader.Next(text, hadNewline)) {
    if (text.find(wanted) != std::string_view::npos) {
      line.assign(text);
      return 0;
    }
  }
  return -101;
}

// The media prerequisites of `name` whose text the prereq field does not contain anywhere (a
// longer name holding it counts), each followed by a blank.
std::string MissingPrerequisites(char* name, std::string_view prereqField, ZOLINSMediaToc& media) {
  std::string missing;
  const int count = media.GetNbPrereqOf(name);
  for (int i = 0; i < count; ++i) {
    char prereq[ZOLINS_NAME_SIZE] = {};
    media.GetIiemePrereqOf(name, i, prereq);
    if (prereqField.find(prereq) == std::string_view::npos) missing.append(prereq).append(1, ' ');
  }
  return missing;
}

// Reads PRESENT whole. Returns 0, or -105 to -108.
int ReadPresent(const char* presentPath, std::string& content) {
  struct stat info;
  if (::stat(presentPath, &info) != 0) return -105;
  std::size_t capacity = 0;
  const UniqueFd fd = OpenForReading(presentPath, capacity);
  if (!fd.valid()) return -107;
  try {
    if (!ReadAll(fd, capacity, content) || (content.empty() && info.st_size > 0)) return -108;
  } catch (const std::bad_alloc&) {
    return -106;
  }
  return 0;
}

// Writes `content` as PRESENT under the file writer's rule.
int WritePresent(const char* presentPath, const std::string& content) {
  const WriteResult written = WriteWholeFile(presentPath, content);
  switch (written.failed) {
    case WriteStep::None:
      return 0;
    case WriteStep::Examine:
      return -105;
    case WriteStep::Open:
      return -111;
    default:
      return -112;
  }
}

}  // namespace

int CompleteDocPrerequisites(const char* name, const char* presentPath, ZOLINSMediaToc* media) {
  std::string line;
  const int found = FindProductLine(presentPath, name, line);
  if (found != 0) return found;
  const std::size_t prereqStart = NthSeparator(line, 4);
  const std::size_t prereqEnd = NthSeparator(line, 5);
  if (prereqEnd == std::string::npos) return -104;
  if (!media) return -102;

  std::string mediaName(name);  // the media queries take a modifiable name
  const std::string missing = MissingPrerequisites(
      &mediaName[0], std::string_view(line).substr(prereqStart + 1, prereqEnd - prereqStart - 1),
      *media);
  if (missing.empty()) return 0;

  std::string content;
  const int read = ReadPresent(presentPath, content);
  if (read != 0) return read;
  // The missing names end the prereq field, each with its blank. A field copied raw from a medium
  // may lack the blank after its last name; one goes in first so that no two names run together.
  const bool needsBlank = prereqEnd > prereqStart + 1 && line[prereqEnd - 1] != ' ';
  ZOLUnicodeString newContent;
  try {
    std::string newLine(line);
    newLine.insert(prereqEnd, needsBlank ? " " + missing : missing);
    newContent = ZOLUnicodeString(std::move(content));
    if (newContent.ReplaceSubString(ZOLUnicodeString(std::move(line)),
                                    ZOLUnicodeString(std::move(newLine))) == 0)
      return -109;
  } catch (const std::bad_alloc&) {
    return -110;
  }
  return WritePresent(presentPath, newContent.str());
}

}  // namespace zol
