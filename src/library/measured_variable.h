// What a reference file measures: total ring width, the widths of earlywood
// and latewood, wood densities. Sites often come as families of files, one
// per variable, of the same trees; a reference of another variable than the
// undated series' dates them no better than chance, or worse.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veska::library {

enum class MeasuredVariable {
  RingWidth,
  EarlywoodWidth,
  LatewoodWidth,
  MaximumDensity,
  MinimumDensity,
  EarlywoodDensity,
  LatewoodDensity,
  LatewoodPercent,
  Other,  // a variable a header names that veska does not know
};

// Every variable that can be chosen, in the order they are listed.
inline constexpr MeasuredVariable kChoosableVariables[] = {
    MeasuredVariable::RingWidth,        MeasuredVariable::EarlywoodWidth,   MeasuredVariable::LatewoodWidth,
    MeasuredVariable::MaximumDensity,   MeasuredVariable::MinimumDensity,   MeasuredVariable::EarlywoodDensity,
    MeasuredVariable::LatewoodDensity,  MeasuredVariable::LatewoodPercent,
};

// In words, as a summary names it: "minimum density".
std::string_view variableName(MeasuredVariable variable);
// The word the tree-ring archive's headers use, and the one --variable
// takes: "DENSITY_MINIMUM". "OTHER" for Other.
std::string_view variableKeyword(MeasuredVariable variable);

// The keyword or the name, in any letter case, blanks and underscores alike
// ("density_minimum", "minimum density"); nothing for any other text.
std::optional<MeasuredVariable> parseVariable(std::string_view text);

// What a decadal file's title lines say it measures, nothing when they do
// not say. Three conventions, the first found wins:
// - a keyword among the words of the header line numbered 1
//   (`215    1 Grindelwald BE DENSITY_MINIMUM PCAB -`);
// - on the line numbered 2, a code letter and "_" in columns 62-63
//   (`E_` earlywood width, `L_` latewood width, `X_` maximum density,
//   `N_` minimum density; `__` is total ring width);
// - on the line numbered 3, such a letter alone in column 62.
std::optional<MeasuredVariable> decadalVariable(const std::vector<std::u32string>& titleLines);

// What a Heidelberg block's DataType key says (`Ringwidth`, `Earlywood`,
// `MaxDensity`...); nothing when it is empty, Other when it is not known.
std::optional<MeasuredVariable> heidelbergVariable(std::string_view dataType);

}  // namespace veska::library
