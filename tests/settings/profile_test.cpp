// The settings reader against the rules of the native profile functions:
// each rule as rows of {file bytes, section, key, what the read gives, why}.
#include "settings/profile.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "common/unicode.h"
#include "platform/system_text.h"
#include "support/temp_folder.h"

namespace tavro {
namespace {

using namespace std::string_literals;

// A string read (expected text) or an integer read (expected number).
using Expected = std::variant<std::wstring, std::uint32_t>;

struct ProfileRead {
  std::string file;
  std::wstring section;
  std::wstring key;
  Expected expected;
  const char* why;
};

std::wstring read_string(const Profile& profile, std::wstring_view section, std::wstring_view key) {
  SettingField field;
  profile.read_string(section, key, field);
  return std::wstring(field.value());
}

void expect_reads(const std::vector<ProfileRead>& reads) {
  for (const ProfileRead& read : reads) {
    SCOPED_TRACE(::testing::Message() << read.why << " (key " << wide_to_utf8(read.key) << ")");
    const Profile profile = Profile::from_bytes(read.file);
    if (const auto* text = std::get_if<std::wstring>(&read.expected)) {
      EXPECT_EQ(read_string(profile, read.section, read.key), *text);
    } else {
      EXPECT_EQ(profile.read_int(read.section, read.key), std::get<std::uint32_t>(read.expected));
    }
  }
}

// A file whose only key is [A] k, with this value text.
std::string one_key(const std::string& value_text) {
  return "[A]\nk=" + value_text + "\n";
}

// Text as a UTF-16 file, after its byte-order mark.
std::string utf16_file(std::wstring_view text, bool little_endian) {
  std::string bytes(little_endian ? kUtf16LeByteOrderMark : kUtf16BeByteOrderMark);
  const auto append_unit = [&](std::uint32_t unit) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += little_endian ? low : high;
    bytes += little_endian ? high : low;
  };
  for (const wchar_t c : text) {
    const auto code = static_cast<std::uint32_t>(std::char_traits<wchar_t>::to_int_type(c));
    if (code > 0xFFFF) {
      append_unit(0xD800 + ((code - 0x10000) >> 10));
      append_unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      append_unit(code);
    }
  }
  return bytes;
}

TEST(ProfileLoad, AFileThatCannotBeReadGivesTheDefaults) {
  testing::TempFolder folder;
  folder.write("empty.ini", "");
  std::filesystem::create_directory(folder.path() / "folder.ini");
  const struct {
    const char* name;
    bool found;
  } files[] = {{"missing.ini", false}, {"empty.ini", true}, {"folder.ini", false}};
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const Profile profile = Profile::load(folder.wide(file.name));
    EXPECT_EQ(profile.file_found(), file.found);
    EXPECT_EQ(read_string(profile, L"Save", L"SavePath"), L"***");
    EXPECT_EQ(profile.read_int(L"Application", L"EnableA1"), 0u);
  }
}

TEST(ProfileReads, LinesBlanksAndHeaders) {
  const std::string line_ends = "[A]\r\nk1=crlf\nk2=lf\rk3=cr\r\n\r\n\n\nk4=last";
  const std::string long_line = "[A]\nk=" + std::string(70000, 'x') + "\nafter=yes\n";
  const std::string controls = "[A]\n\vk1\f=\f\vx\v\n\x01k2=\x01y\x1A\n";
  const std::string unclosed = "[Status]\nItem1=q\n[Application\nName1=x\n";
  expect_reads({
      {"[Status]\r\nItem1=a\r\n", L"Save", L"SavePath", L"***", "a missing section"},
      {"[Status]\r\nItem1=a\r\n", L"Status", L"Item2", L"***", "a missing key"},
      {"[Status]\r\nItem1=a\r\n", L"Status", L"EnableI1", 0u, "a missing key as an integer"},
      {line_ends, L"A", L"k1", L"crlf", "CR LF ends a line"},
      {line_ends, L"A", L"k2", L"lf", "LF ends a line"},
      {line_ends, L"A", L"k3", L"cr", "a lone CR ends a line"},
      {line_ends, L"A", L"k4", L"last", "the last line needs no line end"},
      {long_line, L"A", L"k", std::wstring(99, L'x'), "a very long line parses"},
      {long_line, L"A", L"after", L"yes", "and so does the line after it"},
      {" \t[ Save ] \t\n \tSavePath \t= \t C:\\Inv \t\n", L"Save", L"SavePath", L"C:\\Inv",
       "spaces and tabs around headers, keys and values are trimmed"},
      {controls, L"A", L"k1", L"x", "vertical tabs and form feeds are blanks too"},
      {controls, L"A", L"\x01k2", L"\x01y\x1A", "other control characters are not"},
      {"[Status]junk\nItem1=q\n", L"Status", L"Item1", L"q", "text after the header is ignored"},
      {"[a]b]\nk=v\n", L"a]b", L"k", L"v", "a header's name runs to the last bracket"},
      {unclosed, L"Application", L"Name1", L"***", "an unclosed header starts no section"},
      {unclosed, L"Status", L"Name1", L"x", "its keys stay in the section above"},
      {"[Status]\n[Application=v\n", L"Status", L"[Application", L"v",
       "an unclosed header is a key line"},
  });
}

TEST(ProfileReads, KeysAndMatching) {
  const std::string no_equals = "[A]\nName1\nEnableA1\n";
  const std::string literal = "[A]\n;Name1=commented\nString1=5 ; five\nPath1=C:\\x\\%TEMP%\\n\n";
  const std::string with_nul("[A]\nk=ab\0cd\nnext=1\n", 19);
  const std::string cases = "[aPPlication]\nNAME1=x\nName 2=y\n";
  const std::string two_sections = "[Application]\nName1=a\n[Status]\n[application]\nName2=b\n";
  expect_reads({
      {"[A]\nk = a=b = c\n", L"A", L"k", L"a=b = c", "the value runs from the first ="},
      {no_equals, L"A", L"Name1", L"***", "a line without = is a key with no value"},
      {no_equals, L"A", L"EnableA1", 0u, "a key with no value as an integer"},
      {"[A]\nName1\nName1=x\n", L"A", L"Name1", L"***", "a key with no value hides a later one"},
      {literal, L"A", L"Name1", L"***", "no comments: ;Name1 is another key"},
      {literal, L"A", L";Name1", L"commented", "no comments: the ; is part of the key"},
      {literal, L"A", L"String1", L"5 ; five", "no comments after a value"},
      {literal, L"A", L"String1", 5u, "an integer stops at the blank"},
      {literal, L"A", L"Path1", L"C:\\x\\%TEMP%\\n", "no escapes and no variables"},
      {with_nul, L"A", L"k", L"ab", "a NUL ends the value"},
      {with_nul, L"A", L"next", L"1", "and the line goes on to its end"},
      {cases, L"Application", L"name1", L"x", "names match without regard to case"},
      {cases, L"Application", L"Name", L"***", "keys match whole, not by prefix"},
      {cases, L"Application", L"Name2", L"***", "blanks inside a key count"},
      {cases, L"Application", L"Name 2", L"y", "a key with a blank inside"},
      {cases, L"App", L"Name1", L"***", "sections match whole, not by prefix"},
      {"[A]\nk=\nk=second\n", L"A", L"k", L"", "the first key wins even when empty"},
      {"[A]\nk=\nk=7\n", L"A", L"k", 0u, "the first key wins as an integer too"},
      {"[A]\nk=first\nK=second\n", L"A", L"k", L"first", "the first key wins in any case"},
      {two_sections, L"Application", L"Name1", L"a", "the first section of a name"},
      {two_sections, L"Application", L"Name2", L"***", "a later one of that name is not searched"},
      {"Name1=x\n[Application]\n", L"Application", L"Name1", L"***",
       "keys above the first header belong to no section"},
      {"Name1=x\n[Application]\n", L"", L"Name1", L"***", "not even to the unnamed one"},
  });
}

TEST(ProfileReads, QuotesAndThe99UnitCut) {
  const std::string quotes =
      "[A]\n"
      "dq=\"C:\\Program Files\"\n"
      "sq='x y'\n"
      "mixed=\"x'\n"
      "inner=a\"b\"c\n"
      "one=\"\n"
      "empty=\"\"\n"
      "twice=\"\"x\"\"\n"
      "spaced=\" padded \"\n";
  const std::string q99(99, 'q');
  // é is one byte in a Western code page, two in UTF-8: there it does not fit.
  const std::string e_acute = encode_system_text(L"\u00E9");
  std::vector<ProfileRead> reads = {
      {quotes, L"A", L"dq", L"C:\\Program Files", "double quotes at both ends go"},
      {quotes, L"A", L"sq", L"x y", "single quotes at both ends go"},
      {quotes, L"A", L"mixed", L"\"x'", "two different quotes stay"},
      {quotes, L"A", L"inner", L"a\"b\"c", "quotes inside stay"},
      {quotes, L"A", L"one", L"\"", "a lone quote stays"},
      {quotes, L"A", L"empty", L"", "two quotes are the empty value"},
      {quotes, L"A", L"twice", L"\"x\"", "quotes go once only"},
      {quotes, L"A", L"spaced", L" padded ", "blanks inside quotes stay"},
      {one_key('"' + q99 + '"'), L"A", L"k", std::wstring(99, L'q'),
       "99 characters inside quotes are all kept"},
      {one_key('"' + q99 + "xy\""), L"A", L"k", std::wstring(99, L'q'),
       "the cut counts from inside the quotes"},
      {one_key(std::string(120, 'n')), L"A", L"k", std::wstring(99, L'n'),
       "a value keeps 99 bytes"},
      {one_key(std::string(99, 'n')), L"A", L"k", std::wstring(99, L'n'), "99 bytes fit"},
      {"[A]\nk=" + std::string(98, 'n') + e_acute, L"A", L"k",
       std::wstring(98, L'n') + (e_acute.size() == 1 ? L"\u00E9" : L""),
       "without a byte-order mark the cut counts bytes of the system code page"},
  };
  // With a byte-order mark the cut counts UTF-16 units and keeps characters whole.
  const std::wstring n98(98, L'n');
  const std::wstring grinning = utf8_to_wide("\xF0\x9F\x98\x80");  // two UTF-16 units
  const std::pair<std::wstring, std::wstring> unicode_cuts[] = {
      // the value, what is kept
      {n98 + L"\u00E9", n98 + L"\u00E9"},  // two bytes in UTF-8, one unit
      {n98 + L"\u4E2D", n98 + L"\u4E2D"},  // three bytes in UTF-8, one unit
      {n98 + grinning, n98},               // a pair that does not fit stays whole: out
      {n98.substr(1) + grinning, n98.substr(1) + grinning},
      {std::wstring(120, L'\u65E5'), std::wstring(99, L'\u65E5')},
      // No character becomes "?" or any other wildcard, whatever the code page.
      {L"\u65E5\u672C Zo\u00EB", L"\u65E5\u672C Zo\u00EB"},
  };
  for (const auto& [value, kept] : unicode_cuts) {
    reads.push_back({"\xEF\xBB\xBF[A]\r\nk=" + wide_to_utf8(value) + "\r\n", L"A", L"k", kept,
                     "a UTF-8 file cuts at 99 UTF-16 units"});
    reads.push_back(
        {utf16_file(L"[A]\nk=" + value, true), L"A", L"k", kept, "a UTF-16 file cuts at 99 units"});
  }
  expect_reads(reads);
}

TEST(ProfileReads, ByteOrderMarksPickTheEncoding) {
  const std::wstring text = L"[Application]\r\nName1=Gr\u00FC\u00DFe\r\nEnableA1=1\r\n";
  std::vector<ProfileRead> reads = {
      {"\xEF\xBB\xBF[Application]\r\nName1=Caf\xC3\xA9\r\n", L"Application", L"Name1", L"Caf\u00E9",
       "UTF-8"},
  };
  for (const bool little_endian : {true, false}) {
    const char* why = little_endian ? "UTF-16 LE" : "UTF-16 BE";
    reads.push_back(
        {utf16_file(text, little_endian), L"Application", L"Name1", L"Gr\u00FC\u00DFe", why});
    reads.push_back({utf16_file(text, little_endian), L"Application", L"EnableA1", 1u, why});
  }
  expect_reads(reads);
}

TEST(ProfileReads, Integers) {
  const std::pair<std::string, std::uint32_t> integers[] = {
      {"12", 12u},
      {"12abc", 12u},  // digits up to the first non-digit
      {"010", 10u},    // a leading zero is no octal prefix
      {"abc", 0u},
      {"+7", 7u},
      {"0x1F", 31u},
      {"0x", 0u},
      {"0X1F", 0u},  // the base prefixes are lower case only
      {"0o17", 15u},
      {"0o9", 0u},
      {"0b101", 5u},
      {"0b2", 0u},
      {"\" 42\"", 42u},  // blanks inside quotes are skipped
      {"\"\"", 0u},
      {"", 0u},
      {"- 5", 0u},
      {"1 2", 1u},
      // Kept modulo 2^32, never negative and never clamped.
      {"-1", 4294967295u},
      {"-3", 4294967293u},
      {"4294967297", 1u},
      {"99999999999", 1215752191u},
      {std::string(40, '0') + "25", 25u},  // every digit counts, however long the text
  };
  std::vector<ProfileRead> reads;
  for (const auto& [text, value] : integers)
    reads.push_back({one_key(text), L"A", L"k", value, text.c_str()});
  expect_reads(reads);
}

TEST(ProfileStructure, SectionsAndEntriesKeepTheirLinesForTheAdminTool) {
  const Profile profile = Profile::from_bytes("top=1\n[A]\nk=v\nbare\n\n[B]\n");
  ASSERT_EQ(profile.sections().size(), 3u);
  EXPECT_EQ(profile.sections()[0].line, 0u);
  EXPECT_EQ(profile.sections()[1].name, L"A");
  EXPECT_EQ(profile.sections()[1].line, 2u);
  ASSERT_EQ(profile.sections()[1].entries.size(), 2u);
  EXPECT_EQ(profile.sections()[1].entries[1].key, L"bare");
  EXPECT_FALSE(profile.sections()[1].entries[1].value.has_value());
  EXPECT_EQ(profile.sections()[2].line, 6u);
}

TEST(ProfileStructure, LinesOfOnlyNulsAreNoLines) {
  for (const std::string& file : {"[A]\nk=v\n\0"s, "[A]\nk=v\n\0\0 \0\r\n"s, "[A]\n\0\nk=v"s}) {
    SCOPED_TRACE(::testing::PrintToString(file));
    const Profile profile = Profile::from_bytes(file);
    ASSERT_EQ(profile.sections().size(), 2u);
    EXPECT_EQ(profile.sections()[1].entries.size(), 1u);
  }
}

}  // namespace
}  // namespace tavro
