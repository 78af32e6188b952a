#include <string>

#include "check_output.h"
#include "message_text.h"

namespace tavro::admin {
namespace {

constexpr std::wstring_view kIndent = L"          ";

// Name1="Bash", String1=4, String1=4 (written "4 ; four"), Name3 missing (reads "***").
std::wstring key_text(const KeyReading& key) {
  const bool number = key.type == KeyType::kNumber;
  const std::wstring value = number ? key.shown() : in_quotes(key.shown());
  if (key.line == 0) return key.key + L" missing (reads " + value + L")";
  if (!key.written) return key.key + L" without \"=\" (reads " + value + L")";
  if (number && *key.written != key.shown()) {
    return key.key + L"=" + value + L" (written " + in_quotes(*key.written) + L")";
  }
  return key.key + L"=" + value;
}

template <std::size_t N>
std::wstring keys_line(const std::array<KeyReading, N>& keys) {
  std::wstring line;
  for (const KeyReading& key : keys) {
    if (!line.empty()) line += L"  ";
    line += key_text(key);
  }
  return line;
}

class TextReport {
 public:
  explicit TextReport(const CheckReport& report) : report_(report) {}

  std::wstring print() {
    out_ += L"Settings file: " + report_.settings_file + L"\n";
    if (report_.file_read) {
      print_slots();
      print_items();
      print_save();
    }
    print_findings(Scope::kFile, 0, L"\nThe file\n", L"  ");
    print_result();
    return std::move(out_);
  }

 private:
  // Appends the parts one after the other, without temporary strings.
  template <typename... Parts>
  void add(const Parts&... parts) {
    (out_.append(parts), ...);
  }

  // The findings of one scope, under a heading printed only when there are any.
  void print_findings(Scope scope, int number, std::wstring_view heading,
                      std::wstring_view indent) {
    bool first = true;
    for (const Finding& finding : report_.findings) {
      if (finding.scope != scope || finding.number != number) continue;
      if (first) out_ += heading;
      first = false;
      const std::string_view severity = severity_name(finding.severity);
      add(indent, std::wstring(severity.begin(), severity.end()));
      if (finding.line != 0) out_ += L" (line " + std::to_wstring(finding.line) + L")";
      out_ += L": " + finding.message + L"\n";
    }
  }

  // The first line of a slot or item: its caption and state, or that the
  // file leaves it out. True when the file has it and its details follow.
  bool print_head(std::wstring_view kind, int number, bool configured, const std::wstring& caption,
                  std::wstring_view state) {
    std::wstring head = L"  " + std::wstring(kind) + L" " + std::to_wstring(number);
    head.resize(kIndent.size(), L' ');
    if (configured) {
      add(head, in_quotes(caption), L"  ", state, L"\n");
    } else {
      add(head, L"not in the file: ", state, L", ", in_quotes(caption), L"\n");
    }
    return configured;
  }

  void print_slots() {
    out_ += L"\nApplication slots\n";
    for (const SlotReport& slot : report_.slots) {
      const std::wstring state = std::wstring(slot.enabled ? L"enabled" : L"disabled") +
                                 (slot.ticked ? L", ticked" : L", not ticked");
      if (!print_head(L"Slot", slot.slot, slot.configured, slot.caption, state)) continue;
      out_ += std::wstring(kIndent) + keys_line(slot.keys) + L"\n";
      out_ += std::wstring(kIndent) + L"expected " + in_quotes(slot.expected) + L", found " +
              (slot.search_rejected    ? std::wstring(L"nothing (search rejected)")
               : slot.match_count == 0 ? std::wstring(L"nothing")
                                       : in_quotes(slot.found)) +
              L"\n";
      print_findings(Scope::kSlot, slot.slot, {}, kIndent);
    }
  }

  void print_items() {
    out_ += L"\nStatus items\n";
    for (const ItemReport& item : report_.items) {
      const std::wstring_view state = item.enabled ? L"enabled" : L"disabled, greyed";
      if (!print_head(L"Item", item.item, item.configured, item.caption, state)) continue;
      out_ += std::wstring(kIndent) + keys_line(item.keys) + L"\n";
      print_findings(Scope::kItem, item.item, {}, kIndent);
    }
  }

  void print_save() {
    if (!report_.save) return;
    const SaveReport& save = *report_.save;
    out_ += L"\nSave\n";
    out_ += L"  " + keys_line(save.keys) + L"\n";
    out_ += L"  folder " + in_quotes(save.folder);
    if (!save.record_file.empty()) out_ += L", this PC's record: " + in_quotes(save.record_file);
    out_ += save.usable ? L" (writable)\n" : L"\n";
    print_findings(Scope::kSave, 0, {}, L"  ");
  }

  void print_result() {
    const std::size_t errors = report_.count(Severity::kError);
    const std::size_t warnings = report_.count(Severity::kWarning);
    out_ += L"\n";
    if (errors == 0 && warnings == 0) {
      out_ += L"All well.\n";
      return;
    }
    out_ += std::to_wstring(errors) + (errors == 1 ? L" error, " : L" errors, ") +
            std::to_wstring(warnings) + (warnings == 1 ? L" warning.\n" : L" warnings.\n");
  }

  const CheckReport& report_;
  std::wstring out_;
};

}  // namespace

std::wstring check_report_text(const CheckReport& report) {
  return TextReport(report).print();
}

}  // namespace tavro::admin
