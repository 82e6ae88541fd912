// Values shared by the grid library's model, layout and painting: the cell
// alignment and wrapping of a column, its drawing options, the value record a
// cell hands to displays, and the cell kinds that pick a cell's class.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/DrawTypes.h"
#include "classlib/Set.h"

// Grid texts are UTF-16 everywhere; 8-bit text only at the file and window
// edges.
using WideString = std::u16string;

// The enumerations keep the library's own value names (they are also the
// names the forms and the saved layouts use), so they are plain enums.
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TWrapKind { wkNone, wkEllipsis, wkPathEllipsis, wkWordWrap };
enum TDrawingOptions { doNormal, doBackgroundOnly, doCustom, doCustomOnly };

// What a column's cells hold; the cell store makes each cell by it.
namespace DgCellKind {
constexpr uint8_t Increment = 0, Boolean = 1, DateTime = 3, Float = 4, Value = 5, Guid = 6,
                  Integer = 7, Text = 8, Virtual = 11;
}

// One cell's value as the grid hands it to a column's display-text
// operations and to its display: the field of the column's cell kind is set.
struct TDgCellValue {
  bool Boolean = false;
  double DateTime = 0;
  double Float = 0;
  int Integer = 0;
  WideString Text;
  uint32_t Value = 0;
};
