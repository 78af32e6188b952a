#include "html_report.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tavro::admin {
namespace {

std::size_t occurrences(const std::string& text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

std::string write_record(const testing::TempFolder& folder, std::string_view name,
                         std::wstring host, std::wstring answer, bool installed) {
  RecordFields fields;
  fields[0] = std::move(host);
  fields[1] = L"10.0.0.1";
  fields[2] = L"4294967296";
  fields[3] = std::move(answer);
  if (installed) fields[kFirstApplicationField + 2] = kInstalled;
  folder.write(name, record_file_bytes(fields));
  return std::string(name);
}

TEST(HtmlReport, HoldsTheTableAndOneBarPerApplication) {
  testing::TempFolder folder;
  write_record(folder, "a.txt", L"pc-a", L"Room 1", true);
  write_record(folder, "b.txt", L"pc-b", L"Room 2", false);
  folder.write("bad.txt", "");
  const Collection collection = collect_records(folder.wide());
  ColumnNames names = generic_column_names();
  names[kFirstApplicationField + 2] = L"Office";
  const std::string page = html_report(names, collection, L"/srv/inventory", 0);

  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_EQ(occurrences(page, "<div class=\"bar\""), kApplicationCount);
  EXPECT_NE(page.find("<div class=\"label\">Office</div><div class=\"track\"><div class=\"bar\" "
                      "style=\"width:50.0%\"></div></div><div class=\"count\">1 of 2</div>"),
            std::string::npos);
  EXPECT_EQ(occurrences(page, "<th scope=\"col\">"), kRecordFieldCount);
  EXPECT_EQ(occurrences(page, "<tr>"), 1 + collection.records.size());
  EXPECT_LT(page.find("<td>pc-a</td>"), page.find("<td>pc-b</td>"));
  EXPECT_NE(page.find("<td class=\"installed\">Installed</td>"), std::string::npos);
  EXPECT_NE(page.find("<li>bad.txt: the file is empty</li>"), std::string::npos);
  EXPECT_NE(page.find("collected 1970-01-01 00:00:00 UTC"), std::string::npos);
}

TEST(HtmlReport, NoPcsGiveEmptyBars) {
  const std::string page = html_report(generic_column_names(), {}, L"/srv/inventory", 0);
  EXPECT_EQ(occurrences(page, "style=\"width:0.0%\""), kApplicationCount);
  EXPECT_EQ(occurrences(page, "0 of 0"), kApplicationCount);
  EXPECT_NE(page.find("0 PCs from /srv/inventory"), std::string::npos);
}

TEST(HtmlReport, RecordTextIsShownNeverRun) {
  testing::TempFolder folder;
  write_record(folder, "x.txt", L"<script>alert(1)</script>", L"Tom & Jerry's \"room\"", true);
  const Collection collection = collect_records(folder.wide());
  ColumnNames names = generic_column_names();
  names[kFirstApplicationField] = L"<img src=x onerror=alert(2)>";
  const std::string page = html_report(names, collection, L"<b>folder</b>", 0);

  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_EQ(page.find("<img"), std::string::npos);
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_NE(page.find("<td>&lt;script&gt;alert(1)&lt;/script&gt;</td>"), std::string::npos);
  EXPECT_NE(page.find("<td>Tom &amp; Jerry&#39;s &quot;room&quot;</td>"), std::string::npos);
  EXPECT_NE(page.find("&lt;img src=x onerror=alert(2)&gt;"), std::string::npos);
  // Nothing is fetched from anywhere, and scripts are forbidden outright.
  EXPECT_EQ(page.find("href="), std::string::npos);
  EXPECT_EQ(page.find("://"), std::string::npos);
  EXPECT_NE(page.find("Content-Security-Policy\" content=\"default-src 'none'"), std::string::npos);
}

}  // namespace
}  // namespace tavro::admin
