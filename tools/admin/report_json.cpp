#include <nlohmann/json.hpp>

#include "check_output.h"
#include "common/unicode.h"

namespace tavro::admin {
namespace {

using Json = nlohmann::ordered_json;

Json line_or_null(std::size_t line) {
  return line == 0 ? Json(nullptr) : Json(line);
}

const char* scope_name(Scope scope) {
  switch (scope) {
    case Scope::kFile:
      return "file";
    case Scope::kSlot:
      return "slot";
    case Scope::kItem:
      return "item";
    case Scope::kSave:
      return "save";
  }
  return "";
}

template <std::size_t N>
Json keys_json(const std::array<KeyReading, N>& keys) {
  Json list = Json::array();
  for (const KeyReading& key : keys) {
    list.push_back({{"key", wide_to_utf8(key.key)},
                    {"line", line_or_null(key.line)},
                    {"written", key.written ? Json(wide_to_utf8(*key.written)) : Json(nullptr)},
                    {"read", wide_to_utf8(key.shown())}});
  }
  return list;
}

Json slot_json(const SlotReport& slot) {
  return {{"slot", slot.slot},
          {"configured", slot.configured},
          {"keys", keys_json(slot.keys)},
          {"window",
           {{"enabled", slot.enabled},
            {"caption", wide_to_utf8(slot.caption)},
            {"ticked", slot.ticked}}},
          {"detection",
           {{"expected", wide_to_utf8(slot.expected)},
            {"found", wide_to_utf8(slot.found)},
            {"matches", slot.match_count},
            {"search_rejected", slot.search_rejected}}}};
}

Json item_json(const ItemReport& item) {
  return {{"item", item.item},
          {"configured", item.configured},
          {"keys", keys_json(item.keys)},
          {"window",
           {{"enabled", item.enabled},
            {"greyed", !item.enabled},
            {"caption", wide_to_utf8(item.caption)}}}};
}

Json save_json(const SaveReport& save) {
  return {{"keys", keys_json(save.keys)},
          {"folder", wide_to_utf8(save.folder)},
          {"host_name", wide_to_utf8(save.host_name)},
          {"record_file", wide_to_utf8(save.record_file)},
          {"usable", save.usable}};
}

Json finding_json(const Finding& finding) {
  Json json = {{"severity", severity_name(finding.severity)},
               {"code", finding.code},
               {"scope", scope_name(finding.scope)}};
  json["number"] = finding.scope == Scope::kSlot || finding.scope == Scope::kItem
                       ? Json(finding.number)
                       : Json(nullptr);
  json["line"] = line_or_null(finding.line);
  json["message"] = wide_to_utf8(finding.message);
  return json;
}

}  // namespace

std::string check_report_json(const CheckReport& report) {
  Json json;
  json["settings_file"] = wide_to_utf8(report.settings_file);
  json["file_read"] = report.file_read;
  json["exit_status"] = report.exit_status();
  json["counts"] = {{"errors", report.count(Severity::kError)},
                    {"warnings", report.count(Severity::kWarning)},
                    {"notes", report.count(Severity::kNote)}};
  json["slots"] = Json::array();
  for (const SlotReport& slot : report.slots)
    json["slots"].push_back(slot_json(slot));
  json["items"] = Json::array();
  for (const ItemReport& item : report.items)
    json["items"].push_back(item_json(item));
  json["save"] = report.save ? save_json(*report.save) : Json(nullptr);
  json["findings"] = Json::array();
  for (const Finding& finding : report.findings)
    json["findings"].push_back(finding_json(finding));
  // Text that is not valid UTF-8 cannot occur (it comes from wide text), but
  // a replacement character is better than an exception if it ever does.
  return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace tavro::admin
