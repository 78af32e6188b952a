// The settings reader against the rules of the native profile functions.
#include "settings/profile.h"

#include <gtest/gtest.h>

#include <string>

#include "common/unicode.h"
#include "platform/system_text.h"
#include "support/temp_folder.h"

namespace tavro {
namespace {

std::wstring read_string(const Profile& profile, std::wstring_view section, std::wstring_view key) {
  SettingField field;
  profile.read_string(section, key, field);
  return std::wstring(field.value());
}

std::wstring read(std::string_view file_bytes, std::wstring_view section, std::wstring_view key) {
  return read_string(Profile::from_bytes(file_bytes), section, key);
}

std::uint32_t read_int(std::string_view file_bytes, std::wstring_view section,
                       std::wstring_view key) {
  return Profile::from_bytes(file_bytes).read_int(section, key);
}

// Reads of the one key in "[A]\nk=<value text>\n".
std::wstring string_value(const std::string& value_text) {
  return read("[A]\nk=" + value_text + "\n", L"A", L"k");
}
std::uint32_t int_value(const std::string& value_text) {
  return read_int("[A]\nk=" + value_text + "\n", L"A", L"k");
}

TEST(ProfileDefaults, MissingFileSectionOrKeyGiveDefaultsNeverErrors) {
  testing::TempFolder folder;
  const Profile missing = Profile::load(folder.wide("no-such.ini"));
  EXPECT_FALSE(missing.file_found());
  EXPECT_EQ(read_string(missing, L"Application", L"Name1"), L"***");
  EXPECT_EQ(missing.read_int(L"Application", L"EnableA1"), 0u);

  folder.write("empty.ini", "");
  const Profile empty = Profile::load(folder.wide("empty.ini"));
  EXPECT_TRUE(empty.file_found());
  EXPECT_EQ(read_string(empty, L"Save", L"SavePath"), L"***");

  EXPECT_EQ(read("[Status]\r\nItem1=a\r\n", L"Save", L"SavePath"), L"***");
  EXPECT_EQ(read("[Status]\r\nItem1=a\r\n", L"Status", L"Item2"), L"***");
  EXPECT_EQ(read_int("[Status]\r\nItem1=a\r\n", L"Status", L"EnableI1"), 0u);
}

TEST(ProfileDefaults, AFolderInPlaceOfTheFileReadsAsMissing) {
  testing::TempFolder folder;
  std::filesystem::create_directory(folder.path() / "Tavro.ini");
  EXPECT_EQ(read_string(Profile::load(folder.wide("Tavro.ini")), L"Save", L"SavePath"), L"***");
}

TEST(ProfileLines, EveryLineEndAndALastLineWithoutOne) {
  const std::string file = "[A]\r\nk1=crlf\nk2=lf\rk3=cr\r\n\r\n\n\nk4=last";
  EXPECT_EQ(read(file, L"A", L"k1"), L"crlf");
  EXPECT_EQ(read(file, L"A", L"k2"), L"lf");
  EXPECT_EQ(read(file, L"A", L"k3"), L"cr");
  EXPECT_EQ(read(file, L"A", L"k4"), L"last");
}

TEST(ProfileLines, VeryLongLinesParse) {
  const std::string long_value(70000, 'x');
  const std::string file = "[A]\nk=" + long_value + "\nafter=yes\n";
  EXPECT_EQ(read(file, L"A", L"k"), std::wstring(99, L'x'));
  EXPECT_EQ(read(file, L"A", L"after"), L"yes");
}

TEST(ProfileLines, BlanksAroundHeadersKeysAndValuesAreTrimmed) {
  const std::string file = " \t[ Save ] \t\n \tSavePath \t= \t C:\\Inv \t\n";
  EXPECT_EQ(read(file, L"Save", L"SavePath"), L"C:\\Inv");
  // Vertical tabs and form feeds count as blanks too; other control characters do not.
  const std::string controls = "[A]\n\vk1\f=\f\vx\v\n\x01k2=\x01y\x1A\n";
  EXPECT_EQ(read(controls, L"A", L"k1"), L"x");
  EXPECT_EQ(read(controls, L"A", L"\x01k2"), L"\x01y\x1A");
}

TEST(ProfileHeaders, NameRunsToTheLastBracketAndTextAfterItIsIgnored) {
  EXPECT_EQ(read("[Status]junk\nItem1=q\n", L"Status", L"Item1"), L"q");
  EXPECT_EQ(read("[a]b]\nk=v\n", L"a]b", L"k"), L"v");
}

TEST(ProfileHeaders, AnUnclosedHeaderIsAKeyOfTheSectionAbove) {
  const std::string file = "[Status]\nItem1=q\n[Application\nName1=x\n";
  const Profile profile = Profile::from_bytes(file);
  EXPECT_EQ(read_string(profile, L"Application", L"Name1"), L"***");
  EXPECT_EQ(read_string(profile, L"Status", L"Name1"), L"x");
  EXPECT_NE(profile.find(L"Status", L"[Application"), nullptr);
}

TEST(ProfileKeys, ValueRunsFromTheFirstEqualsSign) {
  EXPECT_EQ(read("[A]\nk = a=b = c\n", L"A", L"k"), L"a=b = c");
}

TEST(ProfileKeys, ALineWithoutEqualsIsAKeyWithNoValue) {
  const std::string file = "[A]\nName1\nEnableA1\n";
  EXPECT_EQ(read(file, L"A", L"Name1"), L"***");
  EXPECT_EQ(read_int(file, L"A", L"EnableA1"), 0u);
  // ... and as the first occurrence it hides a later one with a value.
  EXPECT_EQ(read("[A]\nName1\nName1=x\n", L"A", L"Name1"), L"***");
}

TEST(ProfileKeys, NoCommentsAndNoEscapes) {
  const std::string file = "[A]\n;Name1=commented\nString1=5 ; five\nPath1=C:\\x\\%TEMP%\\n\n";
  EXPECT_EQ(read(file, L"A", L"Name1"), L"***");
  EXPECT_EQ(read(file, L"A", L";Name1"), L"commented");
  EXPECT_EQ(read(file, L"A", L"String1"), L"5 ; five");
  EXPECT_EQ(read_int(file, L"A", L"String1"), 5u);
  EXPECT_EQ(read(file, L"A", L"Path1"), L"C:\\x\\%TEMP%\\n");
}

TEST(ProfileKeys, ANulByteEndsTheValueWhereItStands) {
  const std::string file("[A]\nk=ab\0cd\nnext=1\n", 19);
  EXPECT_EQ(read(file, L"A", L"k"), L"ab");
  EXPECT_EQ(read(file, L"A", L"next"), L"1");
}

TEST(ProfileMatching, NamesMatchWholeWithoutRegardToCase) {
  const std::string file = "[aPPlication]\nNAME1=x\nName 2=y\n";
  EXPECT_EQ(read(file, L"Application", L"name1"), L"x");
  EXPECT_EQ(read(file, L"Application", L"Name"), L"***");   // no prefix match
  EXPECT_EQ(read(file, L"Application", L"Name2"), L"***");  // inner blanks count
  EXPECT_EQ(read(file, L"Application", L"Name 2"), L"y");
  EXPECT_EQ(read(file, L"App", L"Name1"), L"***");
}

TEST(ProfileMatching, FirstKeyWinsEvenWhenEmpty) {
  EXPECT_EQ(read("[A]\nk=\nk=second\n", L"A", L"k"), L"");
  EXPECT_EQ(read_int("[A]\nk=\nk=7\n", L"A", L"k"), 0u);
  EXPECT_EQ(read("[A]\nk=first\nK=second\n", L"A", L"k"), L"first");
}

TEST(ProfileMatching, OnlyTheFirstSectionOfANameIsSearched) {
  const std::string file = "[Application]\nName1=a\n[Status]\n[application]\nName2=b\n";
  EXPECT_EQ(read(file, L"Application", L"Name1"), L"a");
  EXPECT_EQ(read(file, L"Application", L"Name2"), L"***");
}

TEST(ProfileMatching, KeysBeforeAnyHeaderBelongToNoSection) {
  EXPECT_EQ(read("Name1=x\n[Application]\n", L"Application", L"Name1"), L"***");
  EXPECT_EQ(read("Name1=x\n[Application]\n", L"", L"Name1"), L"***");
}

TEST(ProfileQuotes, MatchingQuotesAtBothEndsAreRemovedOnce) {
  const std::string file =
      "[A]\n"
      "dq=\"C:\\Program Files\"\n"
      "sq='x y'\n"
      "mixed=\"x'\n"
      "inner=a\"b\"c\n"
      "one=\"\n"
      "empty=\"\"\n"
      "twice=\"\"x\"\"\n"
      "spaced=\" padded \"\n";
  EXPECT_EQ(read(file, L"A", L"dq"), L"C:\\Program Files");
  EXPECT_EQ(read(file, L"A", L"sq"), L"x y");
  EXPECT_EQ(read(file, L"A", L"mixed"), L"\"x'");
  EXPECT_EQ(read(file, L"A", L"inner"), L"a\"b\"c");
  EXPECT_EQ(read(file, L"A", L"one"), L"\"");
  EXPECT_EQ(read(file, L"A", L"empty"), L"");
  EXPECT_EQ(read(file, L"A", L"twice"), L"\"x\"");
  EXPECT_EQ(read(file, L"A", L"spaced"), L" padded ");
}

TEST(ProfileQuotes, AQuotedValueOf99CharactersKeepsAll99) {
  const std::string inner(99, 'q');
  EXPECT_EQ(string_value('"' + inner + '"'), std::wstring(99, L'q'));
  EXPECT_EQ(string_value('"' + inner + "xy\""), std::wstring(99, L'q'));
}

TEST(ProfileLength, ValuesKeepAtMost99Bytes) {
  EXPECT_EQ(string_value(std::string(120, 'n')), std::wstring(99, L'n'));
  EXPECT_EQ(string_value(std::string(99, 'n')), std::wstring(99, L'n'));
}

TEST(ProfileLength, AUnicodeFileCutsAt99Utf16UnitsKeepingEveryCharacter) {
  const std::wstring n98(98, L'n');
  const std::wstring grinning = utf8_to_wide("\xF0\x9F\x98\x80");  // two UTF-16 units
  const std::pair<std::wstring, std::wstring> cases[] = {
      // the value, what is kept
      {n98 + L"\u00E9", n98 + L"\u00E9"},  // two bytes in UTF-8, one unit
      {n98 + L"\u4E2D", n98 + L"\u4E2D"},  // three bytes in UTF-8, one unit
      {n98 + grinning, n98},               // a pair that does not fit stays whole: out
      {n98.substr(1) + grinning, n98.substr(1) + grinning},
      {std::wstring(120, L'\u65E5'), std::wstring(99, L'\u65E5')},
      // No character becomes "?" or any other wildcard, whatever the code page.
      {L"\u65E5\u672C Zo\u00EB", L"\u65E5\u672C Zo\u00EB"},
  };
  for (const auto& [value, kept] : cases) {
    const std::string utf8 = "\xEF\xBB\xBF[A]\r\nk=" + wide_to_utf8(value) + "\r\n";
    EXPECT_EQ(read(utf8, L"A", L"k"), kept) << "UTF-8: " << wide_to_utf8(value);
    EXPECT_EQ(read_string(Profile::parse(L"[A]\nk=" + value, FileEncoding::kUtf16), L"A", L"k"),
              kept)
        << "UTF-16: " << wide_to_utf8(value);
  }
}

TEST(ProfileLength, AFileWithoutBomCutsAt99BytesOfTheSystemCodePage) {
  // é is one byte in a Western code page, two in UTF-8: there it does not fit.
  const bool one_byte = encode_system_text(L"\u00E9").size() == 1;
  EXPECT_EQ(read(std::string("[A]\nk=") + std::string(98, 'n') + encode_system_text(L"\u00E9"),
                 L"A", L"k"),
            std::wstring(98, L'n') + (one_byte ? L"\u00E9" : L""));
}

TEST(ProfileIntegers, BasesSignsAndJunk) {
  EXPECT_EQ(int_value("12"), 12u);
  EXPECT_EQ(int_value("12abc"), 12u);
  EXPECT_EQ(int_value("010"), 10u);
  EXPECT_EQ(int_value("abc"), 0u);
  EXPECT_EQ(int_value("+7"), 7u);
  EXPECT_EQ(int_value("0x1F"), 31u);
  EXPECT_EQ(int_value("0x"), 0u);
  EXPECT_EQ(int_value("0X1F"), 0u);  // the base prefixes are lower case only
  EXPECT_EQ(int_value("0o17"), 15u);
  EXPECT_EQ(int_value("0o9"), 0u);
  EXPECT_EQ(int_value("0b101"), 5u);
  EXPECT_EQ(int_value("0b2"), 0u);
  EXPECT_EQ(int_value("\" 42\""), 42u);  // blanks inside quotes are skipped
  EXPECT_EQ(int_value("\"\""), 0u);
  EXPECT_EQ(int_value(""), 0u);
  EXPECT_EQ(int_value("- 5"), 0u);
  EXPECT_EQ(int_value("1 2"), 1u);
}

TEST(ProfileIntegers, KeptModulo2To32NeverNegativeNeverClamped) {
  EXPECT_EQ(int_value("-1"), 4294967295u);
  EXPECT_EQ(int_value("-3"), 4294967293u);
  EXPECT_EQ(int_value("4294967297"), 1u);
  EXPECT_EQ(int_value("99999999999"), 1215752191u);
  // Every digit counts, however long the text.
  EXPECT_EQ(int_value(std::string(40, '0') + "25"), 25u);
}

TEST(ProfileEncoding, ByteOrderMarksPickTheEncoding) {
  const std::string utf8 = "\xEF\xBB\xBF[Application]\r\nName1=Caf\xC3\xA9\r\n";
  EXPECT_EQ(read(utf8, L"Application", L"Name1"), L"Caf\u00E9");

  const auto utf16 = [](std::u16string_view text, bool little_endian) {
    std::string bytes = little_endian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t unit : text) {
      const char low = static_cast<char>(unit & 0xFF);
      const char high = static_cast<char>(unit >> 8);
      bytes += little_endian ? low : high;
      bytes += little_endian ? high : low;
    }
    return bytes;
  };
  const std::u16string text = u"[Application]\r\nName1=Gr\u00FC\u00DFe\r\nEnableA1=1\r\n";
  for (const bool little_endian : {true, false}) {
    const std::string bytes = utf16(text, little_endian);
    EXPECT_EQ(read(bytes, L"Application", L"Name1"), L"Gr\u00FC\u00DFe");
    EXPECT_EQ(read_int(bytes, L"Application", L"EnableA1"), 1u);
    EXPECT_EQ(Profile::from_bytes(bytes).encoding(), FileEncoding::kUtf16);
  }
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
  using namespace std::string_view_literals;
  for (const std::string_view file :
       {"[A]\nk=v\n\0"sv, "[A]\nk=v\n\0\0 \0\r\n"sv, "[A]\n\0\nk=v"sv}) {
    const Profile profile = Profile::from_bytes(file);
    ASSERT_EQ(profile.sections().size(), 2u);
    EXPECT_EQ(profile.sections()[1].entries.size(), 1u) << ::testing::PrintToString(file);
  }
}

}  // namespace
}  // namespace tavro
