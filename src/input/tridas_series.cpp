#include "input/tridas_series.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <variant>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "input/file_layout.h"
#include "input/plain_numbers.h"
#include "input/tridas_units.h"
#include "records/record.h"

namespace veska::input {
namespace {

// Lines looked at for the tridas element.
constexpr std::size_t kSniffLines = 100;

bool named(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

const xmlNode* child(const xmlNode* node, const char* name) {
  if (!node) return nullptr;
  for (const xmlNode* c = node->children; c; c = c->next)
    if (named(c, name)) return c;
  return nullptr;
}

std::string textOf(const xmlNode* node) {
  if (!node) return {};
  xmlChar* content = xmlNodeGetContent(node);
  std::string text = content ? reinterpret_cast<const char*>(content) : "";
  xmlFree(content);
  const std::size_t begin = text.find_first_not_of(" \t\r\n");
  const std::size_t end = text.find_last_not_of(" \t\r\n");
  return begin == std::string::npos ? std::string() : text.substr(begin, end - begin + 1);
}

std::string attribute(const xmlNode* node, const char* name) {
  if (!node) return {};
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  std::string text = value ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return text;
}

// What the series of an element (or object) inherit from it.
struct Context {
  std::string taxon;
  std::string latitude, longitude;
};

// A location's point in WGS 84 (latitude first, as EPSG:4326 orders it);
// a point in any other reference system is left out.
void readLocation(const xmlNode* owner, Context& context) {
  const xmlNode* geometry = child(child(owner, "location"), "locationGeometry");
  if (!geometry) return;
  const xmlNode* point = child(geometry, "Point");
  const std::string srs = attribute(point, "srsName");
  if (!point || (!srs.empty() && srs != "EPSG:4326" && srs != "urn:ogc:def:crs:EPSG::4326" &&
                 srs != "http://www.opengis.net/gml/srs/epsg.xml#4326"))
    return;
  const std::u32string position = records::fromUtf8(textOf(child(point, "pos")));
  const auto words = wordsOf(position);
  if (words.size() != 2) return;
  const auto latitude = readDecimalNumber(words[0], false);
  const auto longitude = readDecimalNumber(words[1], false);
  if (!latitude || !longitude || !(std::fabs(*latitude) <= 90) || !(std::fabs(*longitude) <= 180)) return;
  context.latitude = records::toUtf8(words[0]);
  context.longitude = records::toUtf8(words[1]);
}

// The first year in veska's years, or the reason there is none.
std::variant<std::int64_t, std::string> firstYearOf(const xmlNode* series) {
  const xmlNode* first = child(child(series, "interpretation"), "firstYear");
  if (!first) return std::string("is undated and gives no first year");
  const auto year = readWholeNumber(records::fromUtf8(textOf(first)));
  if (!year) return std::string("has a first year that does not read");
  const std::string suffix = attribute(first, "suffix");
  if (suffix == "AD" || suffix == "RY" || suffix.empty()) return std::int64_t{*year};
  if (suffix == "BC") return 1 - std::int64_t{*year};
  if (suffix == "BP") return 1950 - std::int64_t{*year};
  return "has a first year in " + suffix + ", which veska does not know";
}

std::string variableOf(const xmlNode* values) {
  const xmlNode* variable = child(values, "variable");
  const std::string normal = attribute(variable, "normalTridas");
  return normal.empty() ? textOf(variable) : normal;
}

bool isRingWidth(std::string variable) {
  for (char& c : variable) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return variable.find("ring width") != std::string::npos && variable.find("earlywood") == std::string::npos &&
         variable.find("latewood") == std::string::npos;
}

std::optional<TridasUnit> unitOfGroup(const xmlNode* group) {
  if (child(group, "unitless")) return tridasUnitNamed("unitless");
  const xmlNode* unit = child(group, "unit");
  const std::string normal = attribute(unit, "normalTridas");
  return tridasUnitNamed(normal.empty() ? textOf(unit) : normal);
}

class Reader {
 public:
  LayoutRead out;

  // The series in and under `node`; an element's taxon and an object's or
  // element's place hold for what lies under it.
  void visit(const xmlNode* node, const Context& context) {
    if (node->type != XML_ELEMENT_NODE) return;
    if (named(node, "measurementSeries") || named(node, "derivedSeries")) return readSeries(node, context);
    Context inner = context;
    if (named(node, "object") || named(node, "element")) readLocation(node, inner);
    if (named(node, "element") && child(node, "taxon")) inner.taxon = textOf(child(node, "taxon"));
    for (const xmlNode* c = node->children; c; c = c->next) visit(c, inner);
  }

 private:
  void readSeries(const xmlNode* series, const Context& context) {
    ++seriesMet_;
    std::string name = textOf(child(series, "title"));
    if (name.empty()) name = textOf(child(series, "identifier"));
    if (name.empty()) name = "number " + std::to_string(seriesMet_);
    const std::u32string id = records::fromUtf8(name);
    const auto refuse = [&](const std::string& reason) { out.items.emplace_back(seriesNotLoaded(id, reason)); };

    const xmlNode* group = nullptr;
    std::string variables;
    for (const xmlNode* c = series->children; c; c = c->next) {
      if (!named(c, "values")) continue;
      if (isRingWidth(variableOf(c))) {
        group = c;
        break;
      }
      variables += (variables.empty() ? "" : ", ") + variableOf(c);
    }
    if (!group) return refuse("holds " + (variables.empty() ? std::string("no values") : variables) + ", not ring widths");
    const auto first = firstYearOf(series);
    if (const auto* reason = std::get_if<std::string>(&first)) return refuse(*reason);
    const std::optional<TridasUnit> unit = unitOfGroup(group);
    if (!unit) return refuse("has units veska does not know (" + textOf(child(group, "unit")) + ")");

    std::vector<float> values;
    for (const xmlNode* c = group->children; c; c = c->next) {
      if (!named(c, "value")) continue;
      const std::string text = attribute(c, "value");
      const auto value = tridasValue(records::fromUtf8(text), *unit);
      if (!value) return refuse("has a value that is no number (" + text + ")");
      values.push_back(*value);
    }
    const std::int64_t last = std::get<std::int64_t>(first) + static_cast<std::int64_t>(values.size()) - 1;
    if (!isShownYear(std::get<std::int64_t>(first)) || !isShownYear(last)) return refuse("has a year outside -9999 to 99999");
    SeriesRead read = seriesFrom(id, std::get<std::int64_t>(first), values, unit->unit);
    read.series.keys.mean = named(series, "derivedSeries") || unit->index;
    read.series.keys.species = context.taxon;
    read.series.keys.latitude = context.latitude;
    read.series.keys.longitude = context.longitude;
    out.items.emplace_back(std::move(read));
  }

  int seriesMet_ = 0;
};

struct DocumentFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

}  // namespace

bool looksLikeTridas(const std::vector<records::Text>& lines) {
  std::size_t k = 0;
  while (k < lines.size() && trimmed(lines[k]).empty()) ++k;
  if (k == lines.size() || trimmed(lines[k])[0] != U'<') return false;
  for (; k < lines.size() && k < kSniffLines; ++k)
    if (lowered(lines[k]).find(U"tridas") != std::u32string::npos) return true;
  return false;
}

LayoutRead readTridasText(std::string_view xml) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { xmlInitParser(); });
  Reader reader;
  const auto tableRefused = [&](const std::string& reason) {
    reader.out.items.push_back(
        Notice{Notice::Kind::Warning, records::Record().column(5).text("*** ").text(reason).text(" ***").str()});
    return reader.out;
  };
  if (xml.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    return tableRefused("The TRiDaS file is too large to read");
  // No network, no external entities or DTDs: a data file reads the same
  // anywhere, and cannot make veska fetch or open anything else. The text is
  // UTF-8 whatever the declaration says, since the lines were decoded already.
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;
  xmlParserCtxtPtr parser = xmlNewParserCtxt();
  if (!parser) return tableRefused("The TRiDaS file could not be read: out of memory");
  std::unique_ptr<xmlDoc, DocumentFree> doc(
      xmlCtxtReadMemory(parser, xml.data(), static_cast<int>(xml.size()), "tridas.xml", "UTF-8", options));
  if (!doc) {
    const xmlError* error = xmlCtxtGetLastError(parser);
    std::string where = error ? "line " + std::to_string(error->line) : std::string("somewhere");
    xmlFreeParserCtxt(parser);
    return tableRefused("The TRiDaS file is not well-formed XML (" + where + "): no series read");
  }
  xmlFreeParserCtxt(parser);
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  // The standard's root is <tridas>; some writers leave it out and begin
  // with a <project>. Either is in the TRiDaS namespace.
  if (!root || !root->ns || !root->ns->href ||
      !std::string_view(reinterpret_cast<const char*>(root->ns->href)).starts_with("http://www.tridas.org/"))
    return tableRefused("The file's XML is not in the TRiDaS namespace: no series read");
  reader.visit(root, Context{});
  return std::move(reader.out);
}

}  // namespace veska::input
