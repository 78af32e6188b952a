#include "html_report.h"

#include <gtest/gtest.h>

#include <vector>

#include "admin_test_support.h"

namespace tavro::admin {
namespace {

std::size_t occurrences(const std::string& text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

std::string page_of(const std::vector<RecordFields>& pcs, const Captions& captions = {}) {
  return html_report(captions, collection_of(pcs), L"/srv/inventory", 0);
}

TEST(HtmlReport, HoldsTheTableAndOneBarPerApplicationInUse) {
  Captions captions;
  captions[kFirstApplicationField + 2] = L"Office";
  Collection collection =
      collection_of({survey_fields(L"pc-a", L"Room 1", 3), survey_fields(L"pc-b")});
  collection.skipped.push_back({L"bad.txt", L"the file is empty"});
  const std::string page = html_report(captions, collection, L"/srv/inventory", 0);

  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(page.find("<div class=\"label\">Office</div><div class=\"track\"><div class=\"bar\" "
                      "style=\"width:50.0%\"></div></div><div class=\"count\">1 of 2</div>"),
            std::string::npos);
  EXPECT_NE(page.find("<tr>\n<td>pc-a<td>10.0.0.1<td title=17179869184>16.0<td>Room 1<td>+<tr>"),
            std::string::npos);
  EXPECT_LT(page.find("<td>pc-a"), page.find("<td>pc-b"));
  EXPECT_NE(page.find("<summary>1 file left out: the file is empty (1).</summary>"),
            std::string::npos);
  EXPECT_LT(page.find("<li>bad.txt: the file is empty</li>"), page.find("<table>"));
  EXPECT_NE(page.find("collected 1970-01-01 00:00:00 UTC"), std::string::npos);
}

TEST(HtmlReport, LeavesOutColumnsNeitherNamedNorUsed) {
  Captions named;
  named[kFirstAnswerField + 1] = L"User";
  named[kFirstApplicationField + 4] = L"Git";
  const struct {
    const char* why;
    Captions captions;
    std::vector<RecordFields> pcs;
    std::vector<std::string> shown;  // besides Hostname, IP Address, Memory (GiB)
  } cases[] = {
      {"nothing named or used", {}, {survey_fields(L"a")}, {}},
      {"named, used by none", named, {survey_fields(L"a")}, {"User", "Git"}},
      {"used, named by none", {}, {survey_fields(L"a", L"Lab", 2)}, {"Status 1", "Application 2"}},
      {"used by the last PC only",
       {},
       {survey_fields(L"a"), survey_fields(L"b", L"Lab")},
       {"Status 1"}},
  };
  for (const auto& c : cases) {
    const std::string page = page_of(c.pcs, c.captions);
    const std::string header = page.substr(page.find("<thead>"));
    std::string expected = "<th>Hostname</th><th>IP Address</th><th>Memory (GiB)</th>";
    for (const std::string& name : c.shown) {
      const bool application = name.rfind("Application", 0) == 0 || name == "Git";
      expected += application ? "<th class=\"app\" title=\"" : "<th>";
      expected += name;
      expected += application ? "\"><div>" + name + "</div></th>" : "</th>";
    }
    EXPECT_EQ(header.substr(0, header.find("</tr>")), "<thead><tr>" + expected) << c.why;
    EXPECT_EQ(occurrences(page, "<div class=\"bar\""), occurrences(expected, "class=\"app\""))
        << c.why;
  }
  EXPECT_NE(page_of({survey_fields(L"a")}, named)
                .find("Not shown, as the settings do not name them and no PC has anything there: "
                      "Status 1, Status 3,"),
            std::string::npos);
}

TEST(HtmlReport, MemoryInGibWithTheExactBytesOnHover) {
  const struct {
    const wchar_t* memory;
    const char* cell;
  } cases[] = {
      {L"17179869184", "<td title=17179869184>16.0<"},
      {L"8535429120", "<td title=8535429120>7.9<"},
      {L"1073741823", "<td title=1073741823>1.0<"},  // rounds up to a whole GiB
      {L"1610612736", "<td title=1610612736>1.5<"},
      {L"0", "<td title=0>0.0<"},
      {L"18446744073709551615", "<td title=18446744073709551615>17179869184.0<"},
      // Older survey versions wrote figures that are no byte count.
      {L"-2147483648", "<td>-2147483648<"},
      {L"18446744073709551616", "<td>18446744073709551616<"},
      {L"16 GB", "<td>16 GB<"},
      {L"", "<td><"},
  };
  for (const auto& c : cases) {
    RecordFields fields = survey_fields(L"a");
    fields[2] = c.memory;
    const std::string page = page_of({fields});
    EXPECT_NE(page.find("<td>10.0.0.1" + std::string(c.cell)), std::string::npos) << c.cell;
  }
}

TEST(HtmlReport, NamesTheCommonestReasonsForFilesLeftOut) {
  Collection collection;
  for (const auto& [reason, count] : {std::pair{L"empty", 1},
                                      {L"too long", 3},
                                      {L"binary", 2},
                                      {L"several lines", 2},
                                      {L"unreadable", 1}}) {
    for (int i = 0; i < count; ++i)
      collection.skipped.push_back({L"f.txt", reason});
  }
  const std::string page = html_report({}, collection, L"/srv", 0);
  EXPECT_NE(page.find("<summary>9 files left out: too long (3); binary (2); several lines (2); "
                      "2 for other reasons.</summary>"),
            std::string::npos);
  EXPECT_EQ(occurrences(page, "<li>f.txt: "), 9u);
}

TEST(HtmlReport, EveryRowOnceAndInOrderAcrossTheBlocksOfRows) {
  // Enough rows for the page to be made in two halves, split between blocks.
  constexpr std::size_t kPcs = 4400;
  constexpr std::size_t kRowsPerBlock = 500;
  std::vector<RecordFields> pcs;
  pcs.reserve(kPcs);
  for (std::size_t i = 0; i < kPcs; ++i)
    pcs.push_back(survey_fields(L"pc-" + std::to_wstring(10000 + i)));
  const std::string page = page_of(pcs);
  EXPECT_EQ(occurrences(page, "<tr>\n<td>pc-"), kPcs);
  std::size_t at = 0;
  for (std::size_t i = 0; i < kPcs && at != std::string::npos; ++i)
    at = page.find("<td>pc-" + std::to_string(10000 + i) + "<", at);
  EXPECT_NE(at, std::string::npos) << "a row out of order";
  EXPECT_EQ(occurrences(page, "<div class=\"rows\">"), (kPcs + kRowsPerBlock - 1) / kRowsPerBlock);
  // Each block repeats the header's column widths, so their columns line up.
  EXPECT_EQ(occurrences(page, "<colgroup>"), occurrences(page, "<table>"));
  EXPECT_EQ(occurrences(page, "<table>"), 1 + occurrences(page, "<div class=\"rows\">"));
}

TEST(HtmlReport, RecordTextIsShownNeverRun) {
  Captions captions;
  captions[kFirstApplicationField] = L"<img src=x onerror=alert(2)> \"x\"";
  const std::string page = html_report(
      captions,
      collection_of({survey_fields(L"<script>alert(1)</script>", L"Tom & Jerry's \"room\"")}),
      L"<b>folder</b>", 0);

  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_EQ(page.find("<img"), std::string::npos);
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_NE(page.find("<td>&lt;script&gt;alert(1)&lt;/script&gt;<"), std::string::npos);
  EXPECT_NE(page.find("<td>Tom &amp; Jerry&#39;s &quot;room&quot;<"), std::string::npos);
  EXPECT_NE(page.find("title=\"&lt;img src=x onerror=alert(2)&gt; &quot;x&quot;\""),
            std::string::npos);
  // Nothing is fetched from anywhere, and scripts are forbidden outright.
  EXPECT_EQ(page.find("href="), std::string::npos);
  EXPECT_EQ(page.find("://"), std::string::npos);
  EXPECT_NE(page.find("Content-Security-Policy\" content=\"default-src 'none'"), std::string::npos);
}

}  // namespace
}  // namespace tavro::admin
