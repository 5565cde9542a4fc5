// The TRiDaS reader on arbitrary bytes, taken as the XML text directly and
// through the loader's recognition of layouts.
#include "exchange_layout_fuzz.h"
#include "input/tridas_series.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veska::fuzz;
  const std::string_view bytes = bytesOf(data, size);
  checkLayoutRead(veska::input::readTridasText(bytes));
  loadThroughRecognition(bytes);
  return 0;
}
