#include <algorithm>

#include "collect_output.h"

namespace tavro::admin {

std::wstring collect_summary(const ColumnNames& names, const Collection& collection,
                             std::size_t guarded_cells) {
  const std::size_t pcs = collection.records.size();
  std::wstring summary = std::to_wstring(pcs) + (pcs == 1 ? L" PC" : L" PCs");
  if (!collection.skipped.empty()) {
    const std::size_t skipped = collection.skipped.size();
    summary +=
        L", " + std::to_wstring(skipped) + (skipped == 1 ? L" file" : L" files") + L" left out";
  }
  summary += L".\n";
  if (guarded_cells != 0) {
    summary += std::to_wstring(guarded_cells) +
               (guarded_cells == 1 ? L" cell starts" : L" cells start") +
               L" with ' in the CSV so that no spreadsheet takes it for a formula (--raw keeps "
               L"the text as it is).\n";
  }
  summary += L"Installed:\n";
  std::size_t width = 0;
  for (std::size_t i = 0; i < kApplicationCount; ++i)
    width = std::max(width, names[kFirstApplicationField + i].size());
  for (std::size_t i = 0; i < kApplicationCount; ++i) {
    std::wstring name = names[kFirstApplicationField + i];
    name.resize(width, L' ');
    summary += L"  " + name + L"  " + std::to_wstring(collection.installed[i]) + L"\n";
  }
  return summary;
}

}  // namespace tavro::admin
