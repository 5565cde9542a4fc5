// The CATRAS reader on arbitrary bytes, directly and through the loader's
// recognition of layouts.
#include "exchange_layout_fuzz.h"
#include "input/catras_series.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veska::fuzz;
  const std::string_view bytes = bytesOf(data, size);
  if (veska::input::looksLikeCatras(bytes)) checkLayoutRead(veska::input::readCatrasBytes(bytes));
  loadThroughRecognition(bytes);
  return 0;
}
