// A mixed fleet's records, written as each PC's survey writes them (its
// legacy code page when the text fits, else UTF-8 with a byte-order mark;
// UTF-8 on Linux PCs), collected into every output and checked field by
// field against what was typed. The same program runs on both builds.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "admin_test_support.h"
#include "common/unicode.h"
#include "support/temp_folder.h"

namespace tavro::admin {
namespace {

using Row = std::vector<std::string>;

struct FleetPc {
  unsigned code_page;  // 0: a Linux PC, which writes UTF-8
  const char* host;
  const char* memory;
  const char* special;  // answer 1
  const char* typed;    // answer 2, as UTF-8
  const char* legacy;   // answer 2 in the PC's code page, or nullptr when it does not fit
};

constexpr std::array<FleetPc, 10> kFleet{{
    {1252, "pc-1252-fits", "8589934592", "Room 2, east", "B\u00FCro 3", "B\xFCro 3"},
    {1252, "pc-1252-wide", "8589934592", "=HYPERLINK(\"http://x\",\"y\")",
     "\u0141ukasz \u017B\u00F3\u0142\u0107", nullptr},
    {1250, "pc-1250-fits", "4294967296", "+cmd", "\u0141ukasz \u017B\u00F3\u0142\u0107",
     "\xA3ukasz \xAF\xF3\xB3\xE6"},
    {1251, "pc-1251-fits", "4294967296", "two\r\nlines",
     "\u0411\u0443\u0445\u0433\u0430\u043B\u0442\u0435\u0440\u0438\u044F",
     "\xC1\xF3\xF5\xE3\xE0\xEB\xF2\xE5\xF0\xE8\xFF"},
    {1251, "pc-1251-wide", "4294967296", "@SUM(A1:A2)",
     "\u041F\u0440\u0438\u0432\u0435\u0442 \U0001F44B", nullptr},
    // The second byte of 表 is 0x5C, a backslash on its own.
    {932, "pc-932-fits", "-1", "\ttab", "\u7D4C\u7406\u90E8 \u8868\u8A08\u7B97",
     "\x8Co\x97\x9D\x95\x94 \x95\x5C\x8Cv\x8EZ"},
    {932, "pc-932-wide", "17179869184", "say \"hi\"", "Caf\u00E9 \u2615", nullptr},
    {0, "pc-linux-1", "17179869184", "=1+1", "Ger\u00E4t \U0001F5A5\uFE0F \u0141\u00F3d\u017A",
     nullptr},
    {0, "pc-linux-2", "-1", "-2+3", "\rstarts with CR", nullptr},
    {0, "PC-LINUX-3", "17179869184", "", "plain", nullptr},
}};

RecordFields typed_fields(const FleetPc& pc) {
  RecordFields fields = survey_fields(utf8_to_wide(pc.host), utf8_to_wide(pc.special), 3);
  fields[2] = utf8_to_wide(pc.memory);
  fields[kFirstAnswerField + 1] = utf8_to_wide(pc.typed);
  return fields;
}

std::string file_bytes(const FleetPc& pc) {
  std::string line = wide_to_utf8(format_record(typed_fields(pc))) + "\r\n";
  if (pc.legacy != nullptr)
    return line.replace(line.find(pc.typed), std::strlen(pc.typed), pc.legacy);
  return pc.code_page != 0 ? std::string(kUtf8ByteOrderMark) + line : line;
}

Row expected_row(const FleetPc& pc, bool guarded) {
  Row row;
  const RecordFields fields = typed_fields(pc);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::string text = wide_to_utf8(fields[i]);
    const bool formula =
        !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
    const bool number = i == 2 && text.find_first_not_of("-0123456789") == std::string::npos;
    row.push_back(guarded && formula && !number ? "'" + text : text);
  }
  return row;
}

// RFC 4180, as a spreadsheet reads the table.
std::vector<Row> csv_rows(std::string_view text) {
  std::vector<Row> rows(1, Row(1));
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string& cell = rows.back().back();
    if (text[i] == '"') {
      for (++i; i < text.size() && !(text[i] == '"' && text.substr(i, 2) != "\"\""); ++i) {
        cell += text[i];
        if (text[i] == '"') ++i;
      }
    } else if (text[i] == ',') {
      rows.back().emplace_back();
    } else if (text.substr(i, 2) == "\r\n") {
      rows.emplace_back(1);
      ++i;
    } else {
      cell += text[i];
    }
  }
  rows.pop_back();  // after the last line end
  return rows;
}

// The fields the page shows for this fleet: no PC answers questions 3 to 5
// or has an application but the third, and the page leaves out such columns.
constexpr std::array<std::size_t, 6> kShownFields = {0, 1, 2, 3, 4, kFirstApplicationField + 2};

Row shown_fields(const Row& row) {
  Row shown;
  for (const std::size_t i : kShownFields)
    shown.push_back(row[i]);
  return shown;
}

// The table's body rows (end tags left out, as the page writes them), their
// references resolved: memory as the exact bytes of its title, a tick as
// "Installed".
std::vector<Row> html_rows(std::string_view page) {
  std::vector<Row> rows;
  const std::size_t body = page.find("</thead>");
  for (std::size_t at = page.find("<tr>\n", body); at != std::string_view::npos;) {
    const std::size_t next = page.find("<tr>\n", at + 1);
    const std::string_view row =
        page.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at);
    Row& cells = rows.emplace_back();
    for (std::size_t td = row.find("<td"); td != std::string_view::npos;) {
      const std::size_t start = row.find('>', td) + 1;
      const std::size_t stop = row.find('<', start);
      const std::string_view tag = row.substr(td, start - td);
      std::string cell(row.substr(start, stop - start));
      if (tag.starts_with("<td title=")) cell = std::string(tag.substr(10, tag.size() - 11));
      for (const auto& [reference, c] : {std::pair{"&lt;", "<"},
                                         {"&gt;", ">"},
                                         {"&quot;", "\""},
                                         {"&#39;", "'"},
                                         {"&amp;", "&"}}) {
        for (std::size_t p = 0; (p = cell.find(reference, p)) != std::string::npos; p += 1)
          cell.replace(p, std::strlen(reference), c);
      }
      if (cells.size() == kShownFields.size() - 1 && cell == "+") cell = "Installed";
      cells.push_back(cell);
      td = row.find("<td", stop);
    }
    at = next;
  }
  return rows;
}

// The surveys table, an application's 1 read as "Installed".
std::vector<Row> db_rows(const std::string& path) {
  std::vector<Row> rows = Query(path).rows(
      "SELECT host, address, memory_bytes, answer1, answer2, answer3, answer4, answer5, "
      "application1, application2, application3, application4, application5, application6, "
      "application7, application8, application9, application10 FROM surveys");
  for (Row& row : rows) {
    for (std::size_t i = kFirstApplicationField; i < row.size(); ++i)
      row[i] = row[i] == "1" ? "Installed" : "";
  }
  return rows;
}

// The rows of one output by host name, to compare without regard to order.
std::map<std::string, Row> by_host(const std::vector<Row>& rows) {
  std::map<std::string, Row> hosts;
  for (const Row& row : rows)
    hosts[row.empty() ? "" : row[0]] = row;
  return hosts;
}

TEST(Fleet, EveryFieldReachesEveryOutputAsTyped) {
  // A legacy record does not name its code page: each code page's PCs save
  // into a folder of their own, beside the Linux PCs' UTF-8 records.
  for (const unsigned code_page : {1252U, 1250U, 1251U, 932U}) {
    SCOPED_TRACE("code page " + std::to_string(code_page));
    const testing::TempFolder folder;
    std::map<std::string, Row> csv_expected;
    std::map<std::string, Row> exact;
    for (const FleetPc& pc : kFleet) {
      if (pc.code_page != code_page && pc.code_page != 0) continue;
      folder.write(std::string("records/") + pc.host + ".txt", file_bytes(pc));
      csv_expected[pc.host] = expected_row(pc, true);
      exact[pc.host] = expected_row(pc, false);
    }
    std::vector<std::string> arguments = {"collect",
                                          folder.utf8("records"),
                                          "--code-page",
                                          std::to_string(code_page),
                                          "--bom",
                                          "-o",
                                          folder.utf8("t.csv"),
                                          "--db",
                                          folder.utf8("t.db"),
                                          "--html",
                                          folder.utf8("t.html")};
    const Outcome outcome = run(arguments);
    ASSERT_EQ(outcome.status, 0) << outcome.err;

    const std::string csv = folder.read("t.csv");
    ASSERT_TRUE(csv.starts_with(kUtf8ByteOrderMark));
    std::vector<Row> table = csv_rows(std::string_view(csv).substr(kUtf8ByteOrderMark.size()));
    table.erase(table.begin());  // the header
    EXPECT_EQ(by_host(table), csv_expected);
    std::map<std::string, Row> shown;
    for (const auto& [host, row] : exact)
      shown[host] = shown_fields(row);
    EXPECT_EQ(by_host(html_rows(folder.read("t.html"))), shown);
    EXPECT_EQ(by_host(db_rows(folder.utf8("t.db"))), exact);
  }
}

}  // namespace
}  // namespace tavro::admin
