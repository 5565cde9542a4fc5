// A file written whole in one go, for the tables veska writes beside its
// report: what matters is whether every byte reached the file, and if not,
// the system's reason.
#pragma once

#include <string>
#include <string_view>

namespace veska::runtime {

// Creates or empties `path` and writes `text` to it; the system's reason when
// that fails (a full disk shows only when the buffer goes out, so the flush
// and the close count too), empty when every byte was written.
std::string writeWholeFile(const std::string& path, std::string_view text);

}  // namespace veska::runtime
