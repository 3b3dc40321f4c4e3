#include "chart/filled_table.h"

namespace quorvane::chart {

CharTable MakeFilledTable(const CodePage& page) {
  const BinaryTable binary = MakeBinaryTable();
  CharTable rows;
  for (int code = 0; code < kCodeCount; ++code) {
    const auto index = static_cast<std::size_t>(code);
    ChartRow& row = rows[index];
    row.Dec = DecText(code);
    row.Hex = HexText(code);
    row.Binary = binary[index];
    row.Sym = SymText(code, page);
  }
  return rows;
}

}  // namespace quorvane::chart
