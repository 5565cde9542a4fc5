#include "input/notices.h"

namespace veska::input {

std::vector<std::string> consoleLines(const Notice& notice) {
  switch (notice.kind) {
    case Notice::Kind::Title:
      return {"", " Title of data:", notice.text};
    case Notice::Kind::Warning:
      return {"", notice.text};
    case Notice::Kind::Line:
      break;
  }
  return {notice.text};
}

}  // namespace veska::input
