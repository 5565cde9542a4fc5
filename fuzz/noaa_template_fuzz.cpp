// The reader of NOAA template files on arbitrary bytes, directly and through the
// loader's recognition of layouts.
#include "exchange_layout_fuzz.h"
#include "input/noaa_template.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veska::fuzz;
  const std::string_view bytes = bytesOf(data, size);
  checkLayoutRead(veska::input::readNoaaTemplate(linesOf(bytes)));
  loadThroughRecognition(bytes);
  return 0;
}
