#include "check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "common/unicode.h"
#include "path_kind.h"
#include "platform/system_text.h"
#include "settings/settings_path.h"
#include "settings_encoding_check.h"
#include "support/temp_folder.h"

namespace tavro::admin {
namespace {

// A name inside a folder, with the platform's separator.
std::wstring inside(std::wstring_view folder, std::wstring_view name) {
  return with_trailing_separator(folder) + std::wstring(name);
}

// A correct settings file whose slot 1 finds a file in a temporary folder
// and whose records go to another one; each test breaks one thing in it.
class CheckTest : public ::testing::Test {
 protected:
  CheckTest() {
    folder_.write("bin/tool.exe", "x");
    folder_.write("bin/other.exe", "x");
    std::filesystem::create_directory(folder_.path() / "records");
  }

  std::wstring bin() const { return folder_.wide("bin"); }
  std::wstring records() const { return folder_.wide("records"); }
  std::wstring path_line() const { return L"Path1=" + inside(bin(), L"tool.exe"); }

  std::wstring good_settings() const {
    return L"[Application]\nEnableA1=1\nName1=Tool\nPath1=" + inside(bin(), L"tool.exe") +
           L"\nFile1=tool.exe\nString1=8\n"
           L"[Status]\nEnableI1=1\nItem1=Room\n"
           L"[Save]\n" +
           save_lines(records()) + L"\n";
  }

  static std::wstring save_lines(std::wstring_view folder) {
    return L"SavePath=" + std::wstring(folder) + L"\nPathString=" + std::to_wstring(folder.size());
  }

  // The good settings with one piece of text replaced.
  std::wstring good_with(std::wstring_view from, std::wstring_view to) const {
    std::wstring text = good_settings();
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::wstring::npos) << "no " << wide_to_utf8(from);
    if (at != std::wstring::npos) text.replace(at, from.size(), to);
    return text;
  }

  static CheckReport check(std::wstring_view settings) {
    return check_settings(Profile::parse(settings), L"Tavro.ini", L"pc1");
  }

  // The good settings, saving to folder.
  CheckReport saving_to(std::wstring_view folder) const {
    return check(good_with(save_lines(records()), save_lines(folder)));
  }

  testing::TempFolder folder_;
};

std::vector<std::string> codes(const CheckReport& report) {
  std::vector<std::string> found;
  for (const Finding& finding : report.findings) {
    if (finding.severity != Severity::kNote) found.push_back(finding.code);
  }
  return found;
}

const Finding& only_finding(const CheckReport& report) {
  static const Finding none{Severity::kNote, "none", L"", 0, Scope::kFile, 0};
  EXPECT_EQ(codes(report).size(), 1u) << ::testing::PrintToString(codes(report));
  for (const Finding& finding : report.findings) {
    if (finding.severity != Severity::kNote) return finding;
  }
  return none;
}

bool mentions(const Finding& finding, std::wstring_view text) {
  return finding.message.find(text) != std::wstring::npos;
}

// What the window shows and where the record goes are checked field by field
// in report_output_test; here, what differs when nothing is wrong.
TEST_F(CheckTest, ACorrectFileHasNoFindingsAndShowsTheWindow) {
  const CheckReport report = check(good_settings());
  EXPECT_TRUE(codes(report).empty()) << ::testing::PrintToString(codes(report));
  EXPECT_EQ(report.exit_status(), 0);
  EXPECT_TRUE(report.slots.at(0).ticked);
  EXPECT_EQ(report.slots.at(0).expected, L"TOOL.EXE");
  EXPECT_TRUE(report.items.at(0).enabled);
}

// Each row breaks the good settings in one way; exactly one finding follows.
TEST_F(CheckTest, EachFaultGivesItsOneFinding) {
  const std::wstring path = path_line();
  const struct {
    std::wstring text;
    std::string code;
    std::wstring says;  // part of the message
    std::size_t line;   // 0: not checked
  } cases[] = {
      {good_with(L"String1=8", L"String1=9"), "length-mismatch", L"Set String1=8", 6},
      {good_with(L"String1=8", L"String1=7"), "length-mismatch", L"Set String1=8", 6},
      {good_with(L"EnableA1=1", L"EnableA1=2"), "enable-value", L"", 2},
      {good_with(L"EnableA1=1", L"EnableA1=yes"), "enable-value", L"reads 0", 2},
      {good_with(L"EnableI1=1", L"EnableI1=5"), "enable-value", L"", 0},
      {good_with(path, L"Path1=" + bin()), "path-folder", inside(bin(), L"tool.exe"), 0},
      {good_with(path, L"Path1=" + inside(bin(), L"gone.exe")), "path-no-match", L"", 0},
      {good_with(path, L"Path1=" + inside(bin(), L"other.exe")), "file-mismatch", L"", 0},
      {good_with(L"EnableA1=1", L"EnableA1=1\nEnable1=1"), "unknown-key", L"did you mean EnableA1?",
       3},
      {good_with(L"EnableA1=1", L"EnableA1=1\nPathString=3"), "unknown-key", L"belongs in [Save]",
       3},
      {good_with(L"[Status]", L"[Status]\n[Save"), "unknown-key", L"closing", 0},
      {L"Name1=x\n" + good_settings(), "outside-section", L"", 1},
      {good_settings() + L"[Extra]\nKey=1\n", "unknown-section", L"", 0},
      {good_with(L"Name1=Tool", L"Name1=Tool\nNAME1=Other"), "duplicate-key", L"line 3", 4},
      {good_settings() + L"[Save]\nSavePath=/x\n", "duplicate-section", L"", 0},
      {good_with(L"Name1=Tool\n", L""), "missing-key", L"", 0},
      {good_with(L"Name1=Tool", L"Name1"), "no-value", L"", 3},
      {good_with(L"String1=8", L"String1=8 chars"), "not-a-number", L"", 6},
      {good_with(L"Name1=Tool", L"Name1=Tool ; the tool"), "inline-comment", L"", 3},
  };
  for (const auto& c : cases) {
    const CheckReport report = check(c.text);
    const Finding& finding = only_finding(report);
    EXPECT_EQ(finding.code, c.code) << c.code;
    EXPECT_TRUE(mentions(finding, c.says)) << wide_to_utf8(finding.message);
    if (c.line != 0) {
      EXPECT_EQ(finding.line, c.line) << c.code;
    }
  }
  // What the window shows of a few of them.
  EXPECT_EQ(check(good_with(L"EnableI1=1", L"EnableI1=5")).findings.at(0).scope, Scope::kItem);
  EXPECT_TRUE(check(good_with(L"EnableA1=1", L"EnableA1=2")).slots[0].enabled);
  EXPECT_FALSE(check(good_with(L"EnableA1=1", L"EnableA1=yes")).slots[0].enabled);
  EXPECT_FALSE(check(good_with(path, L"Path1=" + inside(bin(), L"gone.exe"))).slots[0].ticked);
  EXPECT_EQ(check(good_with(L"Name1=Tool", L"Name1=Tool ; the x")).slots[0].caption,
            L"Tool ; the x");
}

// Faults that bring more than one finding, and values that bring none.
TEST_F(CheckTest, RenamedSectionsAndHarmlessValues) {
  const CheckReport section = check(good_with(L"[Application]", L"[Applications]"));
  EXPECT_EQ(codes(section), (std::vector<std::string>{"unknown-section", "missing-section"}));
  EXPECT_EQ(section.findings.at(0).line, 1u);
  EXPECT_TRUE(mentions(section.findings.at(0), L"did you mean [Application]?"));
  for (const std::wstring_view harmless : {L"EnableA1=0", L"EnableA1=\"1\""})
    EXPECT_TRUE(codes(check(good_with(L"EnableA1=1", harmless))).empty()) << wide_to_utf8(harmless);
  const CheckReport wildcard = check(good_with(path_line(), L"Path1=" + inside(bin(), L"*.exe")));
  EXPECT_TRUE(codes(wildcard).empty()) << ::testing::PrintToString(codes(wildcard));
  EXPECT_EQ(wildcard.slots[0].match_count, 2u);
  EXPECT_TRUE(wildcard.slots[0].ticked);
}

TEST_F(CheckTest, PathStringNotTheLengthOfSavePath) {
  const std::wstring right = L"PathString=" + std::to_wstring(records().size());
  // Cut to the temporary folder that holds the records folder.
  const std::wstring parent = folder_.wide();
  const CheckReport shorter =
      check(good_with(right, L"PathString=" + std::to_wstring(parent.size())));
  const Finding& cut = only_finding(shorter);
  EXPECT_EQ(cut.code, "length-mismatch");
  EXPECT_EQ(cut.scope, Scope::kSave);
  EXPECT_EQ(shorter.save->folder, parent);

  const CheckReport longer = check(good_with(right, L"PathString=200"));
  EXPECT_EQ(only_finding(longer).code, "length-mismatch");
  EXPECT_TRUE(longer.save->usable);  // the survey uses the whole value
}

TEST_F(CheckTest, AValueIsCutAt99UnitsOfTheFilesEncodingAndSaysHowLongItIs) {
  std::wstring japanese(100, L'日');
  for (int i = 0; i < 10; ++i)
    japanese += L"😀";  // two UTF-16 units each
  // With a UTF-8 byte-order mark or not, Name1, and what check says (nullptr: no cut).
  const std::tuple<bool, std::wstring, const wchar_t*> cases[] = {
      {false, std::wstring(120, L'n'), L"Name1 is 120 bytes in the system code page"},
      {true, japanese, L"Name1 is 120 UTF-16 code units"},
      {true, japanese.substr(0, 99), nullptr},
      {true, L"日本 Zoë", nullptr}};
  for (const auto& [bom, name, says] : cases) {
    const std::wstring text = good_with(L"Name1=Tool", L"Name1=" + name);
    const CheckReport report = check_settings(
        Profile::from_bytes(bom ? "\xEF\xBB\xBF" + wide_to_utf8(text) : encode_system_text(text)),
        L"Tavro.ini", L"pc1");
    if (says == nullptr) {
      EXPECT_TRUE(codes(report).empty()) << ::testing::PrintToString(codes(report));
      continue;
    }
    EXPECT_EQ(only_finding(report).code, "value-cut");
    EXPECT_TRUE(mentions(only_finding(report), says)) << wide_to_utf8(only_finding(report).message);
  }
}

TEST_F(CheckTest, ASearchTheFileSystemRejects) {
  std::error_code error;
  std::filesystem::create_directory_symlink("loop", folder_.path() / "loop", error);
  if (error) GTEST_SKIP() << "no symbolic links here";
  const CheckReport report =
      check(good_with(inside(bin(), L"tool.exe"), inside(folder_.wide("loop"), L"tool.exe")));
  EXPECT_EQ(only_finding(report).code, "path-rejected");
  EXPECT_TRUE(report.slots[0].search_rejected);
}

TEST_F(CheckTest, UnusableSaveFoldersAreErrors) {
  const CheckReport missing = saving_to(folder_.wide("gone"));
  EXPECT_EQ(only_finding(missing).code, "save-folder-missing");
  EXPECT_EQ(only_finding(missing).severity, Severity::kError);
  EXPECT_EQ(missing.exit_status(), 2);
  EXPECT_FALSE(missing.save->usable);

  EXPECT_EQ(only_finding(saving_to(folder_.wide("bin/tool.exe"))).code, "save-folder-not-a-folder");

  // Even root cannot make files in /sys.
  if (path_separator() == L'/' && std::filesystem::is_directory("/sys")) {
    const CheckReport unwritable = saving_to(L"/sys");
    EXPECT_EQ(only_finding(unwritable).code, "save-folder-unwritable");
    EXPECT_EQ(unwritable.exit_status(), 2);
  }

  // The probe leaves nothing behind in a writable folder.
  EXPECT_TRUE(saving_to(records()).save->usable);
  EXPECT_TRUE(std::filesystem::is_empty(folder_.path() / "records"));
}

TEST_F(CheckTest, SaveFoldersThatDependOnHowTheSurveyIsStarted) {
  // Only Windows has drive-relative and rooted paths; elsewhere all three are relative.
  const bool windows = path_separator() == L'\\';
  const struct {
    std::wstring_view folder;
    std::string code;
    int exit_status;  // the test's current folder is writable; the others do not exist
  } cases[] = {
      {L".", "relative-save-folder", 1},
      {L"C:x", windows ? "drive-relative-save-folder" : "relative-save-folder", 2},
      {L"\\x", windows ? "rooted-save-folder" : "relative-save-folder", 2},
  };
  for (const auto& c : cases) {
    const CheckReport report = saving_to(c.folder);
    const std::vector<std::string> found = codes(report);
    EXPECT_NE(std::find(found.begin(), found.end(), c.code), found.end()) << wide_to_utf8(c.folder);
    EXPECT_EQ(report.exit_status(), c.exit_status) << wide_to_utf8(c.folder);
  }
  // A verbatim path to the real folder is as good as any.
  if (windows) {
    EXPECT_TRUE(codes(saving_to(L"\\\\?\\" + records())).empty());
  }
}

TEST(PathKinds, EveryFormOfWindowsPath) {
  const std::pair<PathKind, std::vector<std::wstring_view>> cases[] = {
      {PathKind::kAbsolute,
       {L"C:\\x", L"c:/x", L"\\\\server\\share\\x", L"//server/share", L"\\\\?\\C:\\x",
        L"\\\\?\\UNC\\server\\share", L"\\\\.\\pipe\\x"}},
      {PathKind::kDriveRelative, {L"C:x", L"C:"}},
      {PathKind::kRooted, {L"\\x", L"/x"}},
      {PathKind::kRelative, {L"x\\y", L"", L"1:\\x"}}};
  for (const auto& [kind, paths] : cases) {
    for (const std::wstring_view path : paths)
      EXPECT_EQ(windows_path_kind(path), kind) << wide_to_utf8(path);
  }
}

TEST(SettingsEncoding, Utf8WithoutBomOnACodePageThatIsNot) {
  const std::string utf8 = "[Status]\r\nItem1=Ger\xC3\xA4t\r\n";
  // The file's bytes, whether the code page is UTF-8, and the line warned about (0: none).
  const std::tuple<std::string, bool, std::size_t> cases[] = {
      {utf8, false, 2},
      {"[A]\rx=1\r\n\ny=\xE6\x97\xA5", false, 4},
      {utf8, true, 0},
      {"\xEF\xBB\xBF" + utf8, false, 0},
      {"[Status]\r\nItem1=Ger\xE4t\r\n", false, 0},  // ANSI: not valid UTF-8
      {"[Status]\r\nItem1=Room\r\n", false, 0},
  };
  for (const auto& [bytes, code_page_is_utf8, warned_line] : cases) {
    const std::optional<Finding> finding = check_settings_encoding(bytes, code_page_is_utf8);
    EXPECT_EQ(finding ? finding->line : 0, warned_line) << ::testing::PrintToString(bytes);
  }
}

TEST_F(CheckTest, SemicolonLinesAreANoteOnly) {
  const CheckReport report =
      check(L"; prepared by the admin\n" + good_with(L"EnableA1=1", L"EnableA1=1\n;Name1=Old"));
  EXPECT_TRUE(codes(report).empty());
  EXPECT_EQ(report.exit_status(), 0);
  ASSERT_EQ(report.findings.size(), 1u);
  EXPECT_EQ(report.findings[0].code, "comment-lines");
  EXPECT_TRUE(mentions(report.findings[0], L"(1, 4)"));
}

TEST(CheckFile, AMissingOrUnreadableFileIsAnError) {
  testing::TempFolder folder;
  const CheckReport missing = check_settings_file(folder.wide("Tavro.ini"));
  EXPECT_FALSE(missing.file_read);
  ASSERT_EQ(missing.findings.size(), 1u);
  EXPECT_EQ(missing.findings[0].code, "missing-file");
  EXPECT_EQ(missing.exit_status(), 2);

  EXPECT_EQ(check_settings_file(folder.wide()).findings.at(0).code, "unreadable-file");
}

TEST(CheckFile, ReadsTheFileAsTheSurveyDoes) {
  testing::TempFolder folder;
  // A byte-order mark and CR LF line ends, as Windows editors save.
  folder.write("Tavro.ini", "\xEF\xBB\xBF[Status]\r\nEnableI1=1\r\nItem1=Caf\xC3\xA9\r\n");
  const CheckReport report = check_settings_file(folder.wide("Tavro.ini"));
  EXPECT_TRUE(report.file_read);
  EXPECT_EQ(report.items.at(0).caption, L"Caf\u00E9");
  EXPECT_TRUE(report.items.at(0).enabled);

  // Without the mark, it is read in the system code page: warned where that is not UTF-8.
  folder.write("Tavro.ini", "[Status]\r\nEnableI1=1\r\nItem1=Caf\xC3\xA9\r\n");
  const std::vector<std::string> found = codes(check_settings_file(folder.wide("Tavro.ini")));
  EXPECT_EQ(std::find(found.begin(), found.end(), "utf8-without-bom") != found.end(),
            !system_code_page_is_utf8());
}

}  // namespace
}  // namespace tavro::admin
