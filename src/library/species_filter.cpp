#include "library/species_filter.h"

#include <algorithm>
#include <cctype>

namespace veska::library {
namespace {

std::string upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

bool letters(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

}  // namespace

std::optional<SpeciesFilter> SpeciesFilter::parse(const std::string& text) {
  SpeciesFilter filter;
  std::string item;
  const auto take = [&]() {
    if (item.empty()) return true;
    const std::string code = upper(item);
    item.clear();
    if (!letters(code)) return false;
    if (code.size() == 4) filter.codes_.push_back(code);
    else if (code.size() == 2) filter.genera_.push_back(code);
    else return false;
    return true;
  };
  for (const char c : text) {
    if (c == ',' || c == ' ' || c == '\t') {
      if (!take()) return std::nullopt;
    } else {
      item += c;
    }
  }
  if (!take()) return std::nullopt;
  return filter;
}

bool SpeciesFilter::takes(const std::string& speciesCode) const {
  if (takesAll()) return true;
  const std::string code = upper(speciesCode);
  if (std::find(codes_.begin(), codes_.end(), code) != codes_.end()) return true;
  return code.size() == 4 && std::find(genera_.begin(), genera_.end(), code.substr(0, 2)) != genera_.end();
}

std::string SpeciesFilter::text() const {
  std::string out;
  for (const auto* list : {&codes_, &genera_})
    for (const std::string& item : *list) out += (out.empty() ? "" : ",") + item;
  return out;
}

std::string speciesCode(const std::string& written) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : written + " ") {
    if (c == ' ' || c == '\t') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  const auto upper = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  };
  const auto letters = [](const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
  };
  if (words.empty()) return {};
  if (words.size() == 1 && words[0].size() == 4 && letters(words[0])) return upper(words[0]);
  if (words[0].size() < 2 || !letters(words[0])) return written;
  const std::string genus = upper(words[0].substr(0, 2));
  if (words.size() == 1) return genus + "SP";
  const std::string epithet = upper(words[1]);
  if (epithet == "SP" || epithet == "SP." || epithet == "SPP" || epithet == "SPP.") return genus + "SP";
  if (epithet.size() < 2 || !letters(epithet.substr(0, 2))) return written;
  return genus + epithet.substr(0, 2);
}

}  // namespace veska::library
