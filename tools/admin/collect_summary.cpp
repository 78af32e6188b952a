#include <algorithm>

#include "collect_output.h"

namespace tavro::admin {

std::wstring collect_summary(const ColumnNames& names, const Collection& collection) {
  const std::size_t pcs = collection.records.size();
  std::wstring summary = std::to_wstring(pcs) + (pcs == 1 ? L" PC" : L" PCs");
  if (!collection.skipped.empty()) {
    const std::size_t skipped = collection.skipped.size();
    summary +=
        L", " + std::to_wstring(skipped) + (skipped == 1 ? L" file" : L" files") + L" left out";
  }
  summary += L".\nInstalled:\n";
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
