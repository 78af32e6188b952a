#include "survey/save.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/failure.h"
#include "common/unicode.h"
#include "platform/record_file.h"
#include "platform/system_error.h"
#include "support/platform_errors.h"
#include "support/record_folder.h"

namespace tavro {
namespace {

TEST(SaveFolder, SavePathCutToPathStringNeverPastTheValue) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"SavePath=/srv/inventory\nPathString=14\n", L"/srv/inventory"},
      {L"SavePath=/srv/inventory\nPathString=4\n", L"/srv"},
      {L"SavePath=/srv/inventory/\nPathString=15\n", L"/srv/inventory/"},
      {L"", L""},                           // no keys: a length of 0
      {L"SavePath=/srv/inventory\n", L""},  // no PathString: a length of 0
      {L"SavePath=/srv/inventory\nPathString=15\n", L"/srv/inventory"},  // no NUL added
      {L"SavePath=/srv/inventory\nPathString=-1\n", L"/srv/inventory"},
      {L"PathString=200\n", L"***"},  // the default of a missing SavePath
  };
  for (const auto& [save_section, folder] : cases) {
    EXPECT_EQ(save_folder(Profile::parse(L"[Save]\n" + std::wstring(save_section))), folder)
        << wide_to_utf8(save_section);
  }
}

TEST(SafeFileName, HostNamesCannotEscapeTheFolderOrNameADevice) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"PC-042", L"PC-042"},
      {L"../../etc/passwd", L".._.._etc_passwd"},
      {L"a\\b:c*d?e\"f<g>h|i", L"a_b_c_d_e_f_g_h_i"},
      {std::wstring(L"tab\there\x01", 9), L"tab_here_"},
      {L"name. .", L"name___"},  // trailing dots and spaces
      {L"..", L"__"},
      {L"", L"_"},
  };
  for (const auto& [host, safe] : cases)
    EXPECT_EQ(safe_file_name(host), safe) << wide_to_utf8(host);
  // Device names, in any case and with any extension, get a leading "_"; names
  // that only start like one do not.
  for (const std::wstring device : {L"CON", L"con", L"Prn", L"AUX", L"nul.txt", L"COM1", L"lpt9"})
    EXPECT_EQ(safe_file_name(device), L"_" + device);
  for (const wchar_t* ordinary : {L"CONSOLE", L"COM", L"COM0", L"LPT10", L"AUXILIARY"})
    EXPECT_EQ(safe_file_name(ordinary), ordinary);
}

TEST(RecordFilePath, SeparatorAddedOnlyWhenMissingThenTheSafeName) {
  const std::wstring sep(1, std::filesystem::path::preferred_separator);
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"", sep + L"pc1.txt"},  // the root (on Windows, of the current drive)
      {L"inv", L"inv" + sep + L"pc1.txt"},
      {sep + L"inv", sep + L"inv" + sep + L"pc1.txt"},
      {sep + L"inv" + sep, sep + L"inv" + sep + L"pc1.txt"},
  };
  for (const auto& [folder, path] : cases)
    EXPECT_EQ(record_file_path(folder, L"pc1"), path) << wide_to_utf8(folder);
  EXPECT_EQ(record_file_path(L"inv", L"CON"), L"inv" + sep + L"_CON.txt");
}

using ReplaceFileAtomically = testing::RecordFolder;

TEST_F(ReplaceFileAtomically, WritesReplacesAndLeavesNoTemporaryFile) {
  replace_file_atomically(record_, "first\r\n");
  replace_file_atomically(record_, "second\r\n");
  EXPECT_EQ(folder_.read("pc.txt"), "second\r\n");
  EXPECT_EQ(folder_.entries(), 1u);
}

TEST_F(ReplaceFileAtomically, AMissingFolderFailsWithTheSystemsReason) {
  try {
    replace_file_atomically(folder_.wide("missing/pc.txt"), "x");
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.message(), system_error_text(testing::kNoSuchFolderError));
  }
}

TEST_F(ReplaceFileAtomically, AFailedRenameKeepsTheTargetAndCleansUp) {
  std::filesystem::create_directory(folder_.path() / "pc.txt");
  folder_.write("pc.txt/keep", "old");
  EXPECT_THROW(replace_file_atomically(record_, "new\r\n"), Failure);
  EXPECT_EQ(folder_.read("pc.txt/keep"), "old");
  EXPECT_EQ(folder_.entries(), 1u);
}

}  // namespace
}  // namespace tavro
