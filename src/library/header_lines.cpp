#include "library/header_lines.h"

namespace veska::library {

std::string asciiLine(const std::u32string& line) {
  std::string out;
  for (const char32_t c : line) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::vector<std::string> asciiLines(const std::vector<std::u32string>& lines) {
  std::vector<std::string> out;
  for (const std::u32string& line : lines) out.push_back(asciiLine(line));
  return out;
}

int headerLineNumber(const std::string& line) {
  if (line.size() < 9) return 0;
  const std::string field = line.substr(6, 3);
  const std::size_t at = field.find_first_not_of(' ');
  if (at == std::string::npos || field.find_last_not_of(' ') != at || field[at] < '0' || field[at] > '9') return 0;
  return field[at] - '0';
}

std::vector<std::string> wordsOf(const std::string& line, std::size_t from) {
  std::vector<std::string> words;
  std::size_t at = from;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    std::size_t end = at;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    if (end > at) words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

}  // namespace veska::library
