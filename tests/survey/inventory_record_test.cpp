#include "survey/inventory_record.h"

#include <gtest/gtest.h>

#include <array>

#include "common/unicode.h"
#include "platform/system_text.h"

namespace tavro {
namespace {

RecordFields plain_record() {
  RecordFields fields;
  fields[0] = L"PC-042";
  fields[1] = L"10.0.0.42";
  fields[2] = L"17179869184";
  return fields;
}

TEST(RecordFormat, NothingTickedOrTypedIsTheFactsAnd15Commas) {
  EXPECT_EQ(format_record(plain_record()), L"PC-042,10.0.0.42,17179869184,,,,,,,,,,,,,,,");
  EXPECT_EQ(record_file_bytes(plain_record()), "PC-042,10.0.0.42,17179869184,,,,,,,,,,,,,,,\r\n");
}

TEST(RecordFormat, AllTickedEndsInTenInstalledFields) {
  RecordFields fields = plain_record();
  for (std::size_t i = kFirstApplicationField; i < kRecordFieldCount; ++i)
    fields[i] = kInstalled;
  std::wstring expected = L"PC-042,10.0.0.42,17179869184,,,,,,";
  for (int i = 0; i < 10; ++i)
    expected += i == 0 ? L"Installed" : L",Installed";
  EXPECT_EQ(format_record(fields), expected);
}

TEST(RecordFormat, CommasQuotesAndLineBreaksAreQuotedOthersStandAsTyped) {
  RecordFields fields = plain_record();
  fields[3] = L"Room 4, east";
  fields[4] = L"say \"hi\"";
  fields[5] = L"two\r\nlines";
  fields[6] = L" spaced ";
  fields[7] = L"caf\u00E9;x";
  EXPECT_EQ(format_record(fields),
            L"PC-042,10.0.0.42,17179869184,\"Room 4, east\",\"say \"\"hi\"\"\",\"two\r\nlines\","
            L" spaced ,caf\u00E9;x,,,,,,,,,,");
}

// The code page records are written in here: the test programs run under
// each of these (Linux: UTF-8; Windows: ANSI code page 1252 or 932).
enum CodePage { kUtf8, k1252, k932 };

CodePage system_code_page() {
  if (encode_system_text(L"\u00E9") == "\xC3\xA9") return kUtf8;
  return encode_system_text(L"\u65E5") == "\x93\xFA" ? k932 : k1252;
}

// An answer as code pages 1252 and 932 hold it, or nullptr where one lacks a
// character or would only best-fit it: then the whole record is UTF-8.
struct EncodingCase {
  const wchar_t* answer;
  const char* in_1252;
  const char* in_932;
};
constexpr EncodingCase kEncodingCases[] = {
    {L"Room 4", "Room 4", "Room 4"},
    {L"Zo\u00EB", "Zo\xEB", nullptr},                             // 932 best-fits e
    {L"\u0141ukasz \u017B\u00F3\u0142\u0107", nullptr, nullptr},  // 1252: Lukasz
    {L"\u65E5\u672C", nullptr, "\x93\xFA\x96\x7B"},
    {L"\uFF71", nullptr, "\xB1"},  // half-width katakana
    {L"\u20AC", "\x80", nullptr},
    {L"\u00A5", "\xA5", nullptr},  // 932 would write the yen sign as a backslash
    {L"\u041F\u0440\u0438", nullptr, "\x84\x50\x84\x82\x84\x79"},  // JIS has Cyrillic
    {L"\U0001F600", nullptr, nullptr},
    {L"\u00C3\u00BC", "\xC3\xBC", nullptr},  // the host's section sign: not UTF-8 as a whole
};

TEST(RecordBytes, InTheCodePageWhereItHoldsEveryCharacterElseWholeAsUtf8) {
  const CodePage code_page = system_code_page();
  // The host name's section sign is in all three code pages.
  constexpr std::array<const char*, 3> kHost = {"PC-\xC2\xA7", "PC-\xA7", "PC-\x81\x98"};
  const auto record = [](std::string line, std::string_view answer) {
    line.append(",10.0.0.42,17179869184,").append(answer).append(",,,,,,,,,,,,,,\r\n");
    return line;
  };
  for (const EncodingCase& test : kEncodingCases) {
    const std::string utf8 = wide_to_utf8(test.answer);
    RecordFields fields = plain_record();
    fields[0] = L"PC-\u00A7";
    fields[kFirstAnswerField] = test.answer;
    const char* fitted = code_page == kUtf8   ? utf8.c_str()
                         : code_page == k1252 ? test.in_1252
                                              : test.in_932;
    EXPECT_EQ(record_file_bytes(fields),
              fitted != nullptr ? record(kHost.at(code_page), fitted)
                                : record("\xEF\xBB\xBF" + std::string(kHost[kUtf8]), utf8))
        << utf8;
  }
}

// Code-page bytes that a reader would take for UTF-8, or for a byte-order
// mark, are written as UTF-8 after a mark, so they read back as typed.
TEST(RecordBytes, WhatWouldReadAsUtf8IsWrittenAsUtf8) {
  for (const auto& [host, answer] :
       {std::pair{L"PC-042", L"\u00C3\u00BC"},  // 1252: C3 BC, "\u00FC"
        std::pair{L"\uFEFFPC-042", L""}}) {
    RecordFields fields = plain_record();
    fields[0] = host;
    fields[kFirstAnswerField] = answer;
    const auto read = read_record_file(record_file_bytes(fields));
    ASSERT_TRUE(read) << read.failure().what();
    EXPECT_EQ(*read, fields) << wide_to_utf8(host) << " " << wide_to_utf8(answer);
  }
}

TEST(RecordRead, ReadsBackWhatWasWritten) {
  RecordFields fields = plain_record();
  fields[3] = L"a,b";
  fields[4] = L"\"";
  fields[5] = L"x\ny";
  fields[8] = kInstalled;
  const auto read = read_record_file(record_file_bytes(fields));
  ASSERT_TRUE(read) << read.failure().what();
  EXPECT_EQ(*read, fields);
}

TEST(RecordRead, RejectsWhatTheSurveyNeverWritesWithAReason) {
  const auto reason = [](std::string_view bytes) {
    const auto read = read_record_file(bytes);
    return read ? std::string("accepted") : std::string(read.failure().what());
  };
  const std::string good = "h,1.2.3.4,5,,,,,,,,,,,,,,,\r\n";
  EXPECT_EQ(reason(good), "accepted");
  EXPECT_EQ(reason(""), "the file is empty");
  EXPECT_EQ(reason("h,1.2.3.4,5,,,,,,,,,,,,,,,"),
            "the record does not end with a line end (CR LF)");
  EXPECT_EQ(reason(good + good), "the file holds several lines");
  EXPECT_EQ(reason("h,1.2.3.4,5,,,,,,,,,,,,,,\r\n"), "the record has 17 fields, not 18");
  EXPECT_EQ(reason("h,1.2.3.4,5,a,b,,,,,,,,,,,,,,\r\n"), "the record has 19 fields, not 18");
  EXPECT_EQ(reason("\"h,1.2.3.4,5,,,,,,,,,,,,,,,\r\n"), "a quoted field is not closed");
  EXPECT_EQ(reason("\"h\"x,1.2.3.4,5,,,,,,,,,,,,,,,\r\n"), "text follows a closing quote");
  EXPECT_EQ(reason("h\"x,1.2.3.4,5,,,,,,,,,,,,,,,\r\n"), "a quote stands inside an unquoted field");
  EXPECT_NE(reason("\"h\",1.2.3.4,5,,,,,,,,,,,,,,,\r\n"), "accepted");  // needless quotes
  if (decode_system_text("\xFF") == L"\uFFFD") {  // a byte that is no text in this code page
    EXPECT_NE(reason("h\xFF,1.2.3.4,5,,,,,,,,,,,,,,,\r\n"), "accepted");
  }
}

TEST(RecordRead, RecordsOfTheEarlierUnquotedFormStillRead) {
  const std::string earlier = "pc,10.0.0.1,1,27\" monitor,say \"hi\",,,,Installed,,,,,,,,,\r\n";
  ASSERT_FALSE(read_record_file(earlier));
  RecordText record;
  ASSERT_TRUE(read_unquoted_record_text(earlier, record));
  EXPECT_EQ(record.field(3), "27\" monitor");
  EXPECT_EQ(record.field(4), "say \"hi\"");
  EXPECT_EQ(record.field(8), "Installed");
  EXPECT_EQ(record.field(17), "");

  EXPECT_FALSE(read_unquoted_record_text("pc,10.0.0.1,1,,,,,,,,,,,,,,\r\n", record));  // 17 fields
  EXPECT_FALSE(read_unquoted_record_text("pc,10.0.0.1,1,a,b,,,,,,,,,,,,,,\r\n", record));
  EXPECT_FALSE(read_unquoted_record_text("pc,10.0.0.1,1,,,,,,,,,,,,,,,", record));  // no CR LF
  EXPECT_FALSE(read_unquoted_record_text("pc,10.0.0.1,1,\n,,,,,,,,,,,,,,\r\n", record));
  EXPECT_FALSE(read_unquoted_record_text("", record));
}

TEST(RecordEncoding, TheFirstByteThatIsNotUtf8) {
  constexpr std::size_t kValid = std::string_view::npos;
  const std::pair<std::string_view, std::size_t> cases[] = {
      {"", kValid},
      {"plain ASCII", kValid},
      {"B\xC3\xBCro \xE7\xB5\x8C \xF0\x9F\x91\x8B", kValid},  // 2, 3 and 4 bytes
      {"\x80", 0},                                            // a trail byte alone
      {"ab\xC3", 2},                                          // cut short at the end
      {"ab\xE2\x82x", 2},                                     // cut short inside
      {"\xC0\xAF", 0},                                        // overlong, 2 bytes
      {"\xE0\x9F\xBF", 0},                                    // overlong, 3 bytes
      {"\xF0\x8F\xBF\xBF", 0},                                // overlong, 4 bytes
      {"x\xED\xA0\x80", 1},                                   // a surrogate
      {"\xF4\x90\x80\x80", 0},                                // past U+10FFFF
      {"B\xFCro", 1},                                         // code page 1252
      // ASCII is checked eight bytes at a time: faults after and across words
      {"1234567\xC3\xBCxyz-xyz", kValid},
      {"123456789-x\xFCxyz-xyz", 11},
      {"12345678xyz-xyz\xC3", 15},
  };
  for (const auto& [bytes, offset] : cases)
    EXPECT_EQ(invalid_utf8_offset(bytes), offset) << bytes;
}

// A code page of one letter: 0xE9 is "é", any other byte past ASCII has none.
class OneLetterCodePage final : public LegacyDecoder {
 public:
  std::string name() const override { return "code page 1"; }
  std::optional<std::size_t> to_utf8(std::string_view bytes, std::string& utf8) override {
    utf8.clear();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\xE9') {
        utf8 += "\xC3\xA9";
      } else if ((bytes[i] & 0x80) != 0) {
        return i;
      } else {
        utf8 += bytes[i];
      }
    }
    return std::nullopt;
  }
};

TEST(RecordEncoding, AMarkMeansUtf8ValidUtf8IsUtf8AndTheRestIsInTheLegacyCodePage) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"\xEF\xBB\xBF"
       "caf\xC3\xA9",
       "caf\xC3\xA9"},  // the mark never reaches a field
      {"caf\xC3\xA9", "caf\xC3\xA9"},
      {"caf\xE9", "caf\xC3\xA9"},
      {"\xEF\xBB\xBF", ""},
      {"\xEF\xBB\xBF"
       "caf\xE9",
       "the file starts with a UTF-8 byte-order mark, but byte 0xE9 at offset 6 is not valid "
       "UTF-8"},
      {"caf\xE9\x81",
       "the record is neither UTF-8 (byte 0xE9 at offset 3 is not valid UTF-8) nor text in code "
       "page 1 (byte 0x81 at offset 4 has no character)"},
  };
  for (const auto& [bytes, expected] : cases) {
    OneLetterCodePage legacy;
    std::string converted;
    const auto text = record_file_utf8(bytes, legacy, converted);
    const std::string_view got = text ? *text : std::string_view(text.failure().what());
    EXPECT_EQ(got, expected) << bytes;
  }
}

}  // namespace
}  // namespace tavro
