#include "library/measured_variable.h"

#include <array>
#include <utility>

#include "library/header_lines.h"

namespace veska::library {
namespace {

struct Named {
  MeasuredVariable variable;
  std::string_view keyword;
  std::string_view name;
};

constexpr std::array<Named, 9> kNames = {{
    {MeasuredVariable::RingWidth, "WIDTH_RING", "ring width"},
    {MeasuredVariable::EarlywoodWidth, "WIDTH_EARLY", "earlywood width"},
    {MeasuredVariable::LatewoodWidth, "WIDTH_LATE", "latewood width"},
    {MeasuredVariable::MaximumDensity, "DENSITY_MAXIMUM", "maximum density"},
    {MeasuredVariable::MinimumDensity, "DENSITY_MINIMUM", "minimum density"},
    {MeasuredVariable::EarlywoodDensity, "DENSITY_EARLY", "earlywood density"},
    {MeasuredVariable::LatewoodDensity, "DENSITY_LATE", "latewood density"},
    {MeasuredVariable::LatewoodPercent, "LATEWOOD_PERCENT", "latewood percent"},
    {MeasuredVariable::Other, "OTHER", "other variable"},
}};

const Named& named(MeasuredVariable variable) {
  for (const Named& n : kNames)
    if (n.variable == variable) return n;
  return kNames.back();
}

// Lower case, without blanks, underscores and hyphens: "Max. density" and
// "maxdensity" alike.
std::string packed(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == ' ' || c == '_' || c == '-' || c == '.' || c == '\t') continue;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

// The ITRDB's code letters for the variable of a file.
std::optional<MeasuredVariable> codeLetter(char c) {
  switch (c) {
    case 'E': return MeasuredVariable::EarlywoodWidth;
    case 'L': return MeasuredVariable::LatewoodWidth;
    case 'X': return MeasuredVariable::MaximumDensity;
    case 'N': return MeasuredVariable::MinimumDensity;
    default: return std::nullopt;
  }
}

std::optional<MeasuredVariable> keywordIn(const std::string& line) {
  for (const std::string& word : wordsOf(line, 9))
    for (const Named& n : kNames)
      if (n.variable != MeasuredVariable::Other && word == n.keyword) return n.variable;
  return std::nullopt;
}

}  // namespace

std::string_view variableName(MeasuredVariable variable) { return named(variable).name; }

std::string_view variableKeyword(MeasuredVariable variable) { return named(variable).keyword; }

std::optional<MeasuredVariable> parseVariable(std::string_view text) {
  const std::string wanted = packed(text);
  for (const MeasuredVariable v : kChoosableVariables)
    if (wanted == packed(variableKeyword(v)) || wanted == packed(variableName(v))) return v;
  return std::nullopt;
}

std::optional<MeasuredVariable> decadalVariable(const std::vector<std::u32string>& titleLines) {
  const std::vector<std::string> lines = asciiLines(titleLines);
  for (const std::string& line : lines)
    if (headerLineNumber(line) == 1)
      if (const auto v = keywordIn(line)) return v;
  for (const std::string& line : lines) {
    if (headerLineNumber(line) != 2 || line.size() < 63 || line[62] != '_' || line[60] != ' ') continue;
    if (line[61] == '_') return MeasuredVariable::RingWidth;
    if (const auto v = codeLetter(line[61])) return v;
  }
  for (const std::string& line : lines) {
    if (headerLineNumber(line) != 3 || line.size() < 62 || line[60] != ' ') continue;
    if (line.size() > 62 && line[62] != ' ') continue;
    if (const auto v = codeLetter(line[61])) return v;
  }
  return std::nullopt;
}

std::optional<MeasuredVariable> heidelbergVariable(std::string_view dataType) {
  const std::string type = packed(dataType);
  if (type.empty()) return std::nullopt;
  static const std::pair<std::string_view, MeasuredVariable> kTypes[] = {
      {"ringwidth", MeasuredVariable::RingWidth},
      {"totalringwidth", MeasuredVariable::RingWidth},
      {"earlywood", MeasuredVariable::EarlywoodWidth},
      {"earlywoodwidth", MeasuredVariable::EarlywoodWidth},
      {"latewood", MeasuredVariable::LatewoodWidth},
      {"latewoodwidth", MeasuredVariable::LatewoodWidth},
      {"maxdensity", MeasuredVariable::MaximumDensity},
      {"maximumdensity", MeasuredVariable::MaximumDensity},
      {"mindensity", MeasuredVariable::MinimumDensity},
      {"minimumdensity", MeasuredVariable::MinimumDensity},
      {"earlywooddensity", MeasuredVariable::EarlywoodDensity},
      {"latewooddensity", MeasuredVariable::LatewoodDensity},
      {"latewoodpercent", MeasuredVariable::LatewoodPercent},
  };
  for (const auto& [text, variable] : kTypes)
    if (type == text) return variable;
  if (const auto v = parseVariable(dataType)) return v;
  return MeasuredVariable::Other;
}

}  // namespace veska::library
