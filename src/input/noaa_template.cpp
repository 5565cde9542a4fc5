#include "input/noaa_template.h"

#include <cmath>
#include <map>
#include <variant>
#include <optional>
#include <string>

#include "input/file_layout.h"
#include "input/plain_numbers.h"
#include "records/record.h"

namespace veska::input {
namespace {

// Header lines looked past for the table; a template's header has about a
// hundred, one per variable among them.
constexpr std::size_t kMaxHeaderLines = 20000;

std::vector<std::u32string_view> cellsOf(std::u32string_view line) {
  std::vector<std::u32string_view> cells;
  for (;;) {
    const std::size_t tab = line.find(U'\t');
    cells.push_back(trimmed(line.substr(0, tab)));
    if (tab == std::u32string_view::npos) return cells;
    line.remove_prefix(tab + 1);
  }
}

// The comma-separated components of a "##" line after its name.
struct Variable {
  std::u32string what, units;
};

struct Header {
  std::map<std::u32string, Variable> variables;
  SeriesKeys keys;
  std::size_t tableLine = 0;  // index of the table's header line
};

std::u32string_view valueAfter(std::u32string_view line, std::u32string_view key) {
  const std::u32string_view rest = trimmed(line.substr(1));
  if (!lowered(rest).starts_with(lowered(key))) return {};
  return trimmed(rest.substr(key.size()));
}

void readVariable(std::u32string_view line, Header& header) {
  std::u32string_view rest = trimmed(line.substr(2));
  std::size_t split = rest.find(U'\t');
  if (split == std::u32string_view::npos) split = rest.find(U' ');
  if (split == std::u32string_view::npos) return;
  const std::u32string name(trimmed(rest.substr(0, split)));
  std::vector<std::u32string> parts(1);
  for (char32_t c : rest.substr(split + 1)) {
    if (c == U',') parts.emplace_back();
    else parts.back() += c;
  }
  parts.resize(std::max<std::size_t>(parts.size(), 4));
  header.variables[name] = {lowered(trimmed(parts[0])), lowered(trimmed(parts[3]))};
}

Header readHeader(const std::vector<records::Text>& lines) {
  Header header;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const std::u32string_view content = trimmed(lines[k]);
    if (content.empty()) continue;
    if (content[0] != U'#') {
      header.tableLine = k;
      return header;
    }
    if (content.starts_with(U"##")) {
      readVariable(content, header);
      continue;
    }
    if (auto v = valueAfter(content, U"Species_Name:"); !v.empty()) header.keys.species = records::toUtf8(v);
    if (auto v = valueAfter(content, U"Northernmost_Latitude:"); !v.empty()) header.keys.latitude = records::toUtf8(v);
    if (auto v = valueAfter(content, U"Easternmost_Longitude:"); !v.empty()) header.keys.longitude = records::toUtf8(v);
  }
  header.tableLine = lines.size();
  return header;
}

// The unit of a column's values, or the reason it is refused.
std::variant<float, std::string> scaleOf(const Variable& variable) {
  const std::u32string& what = variable.what;
  const bool width = what.find(U"ring width") != std::u32string::npos && what.find(U"earlywood") == std::u32string::npos &&
                     what.find(U"latewood") == std::u32string::npos;
  if (!width) return "is " + records::toUtf8(what.empty() ? U"a variable not named" : what) + ", not ring widths or indices";
  if (what.find(U"index") != std::u32string::npos || what.find(U"standardi") != std::u32string::npos) return 1.0f;
  const std::u32string& units = variable.units;
  if (units == U"millimeter" || units == U"millimeters" || units == U"millimetre" || units == U"millimetres" || units == U"mm")
    return 1.0f;
  if (units == U"micrometer" || units == U"micrometers" || units == U"micrometre" || units == U"micrometres")
    return 0.001f;
  return "has units veska does not know (" + records::toUtf8(units) + ")";
}

void readColumn(LayoutRead& out, const std::vector<std::vector<std::u32string_view>>& rows,
                const std::vector<std::int32_t>& years, std::size_t column, std::u32string_view name,
                const Header& header) {
  const auto refuse = [&](const std::string& reason) { out.items.emplace_back(seriesNotLoaded(name, reason)); };
  const auto found = header.variables.find(std::u32string(name));
  if (found == header.variables.end()) return refuse("has no variable line (##)");
  std::map<std::int32_t, float> byYear;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::u32string_view cell = column < rows[r].size() ? rows[r][column] : std::u32string_view();
    if (isMissingCell(cell)) continue;
    const auto value = readDecimalNumber(cell, false);
    if (!value || !std::isfinite(*value)) return refuse("has a value that is no number (" + records::toUtf8(cell) + ")");
    if (*value >= 0) byYear[years[r]] = *value;
  }
  // A column of missing values says nothing of its variable: it is a series
  // of no rings, told as such by the loader.
  if (byYear.empty()) {
    SeriesRead empty = seriesFrom(name, 1, {}, ValueUnit::Decimal);
    out.items.emplace_back(std::move(empty));
    return;
  }
  const auto scale = scaleOf(found->second);
  if (const auto* reason = std::get_if<std::string>(&scale)) return refuse(*reason);
  const std::int64_t first = byYear.begin()->first;
  const std::int64_t span = std::int64_t{byYear.rbegin()->first} - first + 1;
  std::vector<float> values(static_cast<std::size_t>(std::min<std::int64_t>(span, kMaxLength + 1)), kMissingValue);
  for (const auto& [year, value] : byYear)
    if (year - first < static_cast<std::int64_t>(values.size()))
      values[static_cast<std::size_t>(year - first)] = value * std::get<float>(scale);
  SeriesRead read = seriesFrom(name, first, values, ValueUnit::Decimal);
  read.length = static_cast<std::int32_t>(span);
  read.series.keys = header.keys;
  read.series.keys.mean = found->second.what.find(U"index") != std::u32string::npos;
  out.items.emplace_back(std::move(read));
}

}  // namespace

bool looksLikeNoaaTemplate(const std::vector<records::Text>& lines) {
  std::size_t k = 0;
  while (k < lines.size() && trimmed(lines[k]).empty()) ++k;
  if (k == lines.size() || trimmed(lines[k])[0] != U'#') return false;
  for (; k < lines.size() && k < kMaxHeaderLines; ++k) {
    const std::u32string_view content = trimmed(lines[k]);
    if (content.empty() || content[0] == U'#') continue;
    return lowered(cellsOf(lines[k])[0]).starts_with(U"age_") && lines[k].find(U'\t') != records::Text::npos;
  }
  return false;
}

LayoutRead readNoaaTemplate(const std::vector<records::Text>& lines) {
  LayoutRead out;
  const Header header = readHeader(lines);
  if (header.tableLine >= lines.size()) return out;
  const auto names = cellsOf(lines[header.tableLine]);
  const std::u32string yearColumn = lowered(names[0]);
  const auto tableRefused = [&](const std::string& reason) {
    out.items.push_back(Notice{Notice::Kind::Warning, records::Record().column(5).text("*** ").text(reason).text(" ***").str()});
    return out;
  };
  if (yearColumn != U"age_ce" && yearColumn != U"age_ad")
    return tableRefused("The table's years are " + records::toUtf8(names[0]) + ", not age_CE: no series read");
  std::vector<std::vector<std::u32string_view>> rows;
  std::vector<std::int32_t> years;
  for (std::size_t k = header.tableLine + 1; k < lines.size(); ++k) {
    if (trimmed(lines[k]).empty() || trimmed(lines[k])[0] == U'#') continue;
    rows.push_back(cellsOf(lines[k]));
    const auto year = readWholeNumber(rows.back()[0]);
    if (!year || !isShownYear(*year))
      return tableRefused("The table has a year that does not read (" + records::toUtf8(rows.back()[0]) + "): no series read");
    years.push_back(*year);
  }
  // A table of -999 and NaN alone is a conversion gone wrong, not a file of
  // series each of no rings: said once.
  bool anyValue = false;
  for (const auto& row : rows)
    for (std::size_t column = 1; column < row.size() && !anyValue; ++column) {
      const auto value = readDecimalNumber(row[column], false);
      anyValue = !isMissingCell(row[column]) && (!value || *value >= 0);
    }
  if (!anyValue && names.size() > 1)
    return tableRefused("Every value of the table is missing (NaN, or -999 and other values below 0): no series read");
  for (std::size_t column = 1; column < names.size(); ++column)
    if (!names[column].empty()) readColumn(out, rows, years, column, names[column], header);
  return out;
}

}  // namespace veska::input
