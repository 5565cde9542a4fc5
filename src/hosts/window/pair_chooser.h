// View > Pair...: the run's pairs as their report lines, the best t first;
// the user picks one.
#pragma once

#include <cstddef>
#include <optional>

class QWidget;

namespace veska::match {
struct RunRecord;
}  // namespace veska::match

namespace veska::window {

// The chosen pair (an index into run.pairs), or nullopt on Cancel.
std::optional<std::size_t> choosePair(QWidget* owner, const match::RunRecord& run);

}  // namespace veska::window
