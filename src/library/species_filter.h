// Which references a search takes, by species: codes of four letters
// (`QUSP`), or genera by the two letters their codes begin with (`QU` for
// every oak, `PI` for every pine), the convention of the tree-ring archives'
// species codes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veska::library {

class SpeciesFilter {
 public:
  // Every reference, whatever its species.
  SpeciesFilter() = default;
  // A list of codes and genera separated by commas or blanks, in any case;
  // nothing when an item is neither 2 nor 4 letters. An empty list takes
  // every reference.
  static std::optional<SpeciesFilter> parse(const std::string& text);

  bool takesAll() const { return codes_.empty() && genera_.empty(); }
  // A reference of unknown species is taken only by a filter that takes all.
  bool takes(const std::string& speciesCode) const;
  // The filter as the user would write it, upper case, comma-separated.
  std::string text() const;

 private:
  std::vector<std::string> codes_;
  std::vector<std::string> genera_;
};

// The four-letter code of a species as a file's header writes it: a code
// as it stands (`qusp` is QUSP), a Latin name by the first two letters of
// its genus and of its epithet (`Quercus robur` is QURO, `Pinus sylvestris
// L.` PISY), a genus alone or with "sp." by its first two letters and SP
// (`QUERCUS`, `Quercus sp.` are QUSP); empty for an empty text.
std::string speciesCode(const std::string& written);

}  // namespace veska::library
