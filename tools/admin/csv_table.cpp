#include "collect_output.h"

namespace tavro::admin {

std::string csv_table(const ColumnNames& names, const Collection& collection) {
  std::string table = record_file_bytes(names);
  std::size_t size = table.size();
  for (const CollectedRecord& record : collection.records)
    size += record.bytes.size();
  table.reserve(size);
  for (const CollectedRecord& record : collection.records)
    table += record.bytes;
  return table;
}

}  // namespace tavro::admin
