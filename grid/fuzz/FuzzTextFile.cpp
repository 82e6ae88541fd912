// libFuzzer target: the grid's text-file reader. The first byte picks the
// separator, the delimiter and the number of columns; the rest is the file.
// Whatever the bytes, the reader stays inside them, every record has a
// field, and the rows it stores save and read back to the same cells.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "grid/DgTextFile.h"
#include "grid/tests/fake_text_grid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const char16_t kSeparators[] = {u',', u';', u'\t', u'|', u'a', u'\x0430', u' ', u'\0'};
  char16_t separator = kSeparators[data[0] & 7];
  char16_t delimiter = (data[0] & 8) ? u'|' : u'#';
  if (delimiter == separator) delimiter = u'~';
  int columns = 1 + (data[0] >> 4) % 8;
  std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  TDgTextRecords parsed = ParseGridText(bytes, separator, delimiter);
  size_t units = 0;
  for (const auto& record : parsed.Records) {
    if (record.empty()) std::abort();
    for (const auto& field : record) units += field.size();
  }
  // A delimiter becomes two units; nothing else grows.
  if (units > 2 * bytes.size()) std::abort();

  FakeGrid grid(columns);
  try {
    StoreGridRecords(grid, parsed);
  } catch (const Exception&) {
    // a record with more fields than columns: the rows before it stay
  }
  if (grid.lock != 0) std::abort();

  FakeGrid back(columns);
  for (uint8_t encoding = 1; encoding <= 2; ++encoding) {
    std::string saved = GridTextBytes(grid, separator, delimiter, encoding);
    StoreGridRecords(back, ParseGridText(saved, separator, delimiter));
    if (back.rows != grid.rows) std::abort();
  }
  return 0;
}
