#include "survey/save.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "platform/record_file.h"
#include "platform/system_error.h"
#include "support/platform_errors.h"
#include "support/temp_folder.h"

namespace tavro {
namespace {

std::wstring folder_from(std::wstring_view save_section) {
  return save_folder(Profile::parse(L"[Save]\n" + std::wstring(save_section)));
}

TEST(SaveFolder, SavePathCutToPathString) {
  EXPECT_EQ(folder_from(L"SavePath=/srv/inventory\nPathString=14\n"), L"/srv/inventory");
  EXPECT_EQ(folder_from(L"SavePath=/srv/inventory\nPathString=4\n"), L"/srv");
  EXPECT_EQ(folder_from(L"SavePath=/srv/inventory/\nPathString=15\n"), L"/srv/inventory/");
}

TEST(SaveFolder, MissingKeysGiveTheEmptyFolder) {
  EXPECT_EQ(folder_from(L""), L"");
  EXPECT_EQ(folder_from(L"SavePath=/srv/inventory\n"), L"");
}

TEST(SaveFolder, ALengthBeyondTheValueNeverAddsNuls) {
  EXPECT_EQ(folder_from(L"SavePath=/srv/inventory\nPathString=15\n"), L"/srv/inventory");
  EXPECT_EQ(folder_from(L"SavePath=/srv/inventory\nPathString=-1\n"), L"/srv/inventory");
  EXPECT_EQ(folder_from(L"PathString=200\n"), L"***");
}

TEST(SafeFileName, HostNamesCannotEscapeTheFolderOrNameADevice) {
  EXPECT_EQ(safe_file_name(L"PC-042"), L"PC-042");
  EXPECT_EQ(safe_file_name(L"../../etc/passwd"), L".._.._etc_passwd");
  EXPECT_EQ(safe_file_name(L"a\\b:c*d?e\"f<g>h|i"), L"a_b_c_d_e_f_g_h_i");
  EXPECT_EQ(safe_file_name(std::wstring(L"tab\there\x01", 9)), L"tab_here_");
  EXPECT_EQ(safe_file_name(L"name. ."), L"name___");
  EXPECT_EQ(safe_file_name(L".."), L"__");
  EXPECT_EQ(safe_file_name(L""), L"_");
  for (const wchar_t* device : {L"CON", L"con", L"Prn", L"AUX", L"nul.txt", L"COM1", L"lpt9"}) {
    EXPECT_EQ(safe_file_name(device), L"_" + std::wstring(device));
  }
  for (const wchar_t* ordinary : {L"CONSOLE", L"COM", L"COM0", L"LPT10", L"AUXILIARY"}) {
    EXPECT_EQ(safe_file_name(ordinary), ordinary);
  }
}

TEST(ReplaceFileAtomically, WritesReplacesAndLeavesNoTemporaryFile) {
  testing::TempFolder folder;
  replace_file_atomically(folder.wide("pc.txt"), "first\r\n");
  replace_file_atomically(folder.wide("pc.txt"), "second\r\n");
  EXPECT_EQ(folder.read("pc.txt"), "second\r\n");
  EXPECT_EQ(folder.entries(), 1u);
}

TEST(ReplaceFileAtomically, AMissingFolderFailsWithTheSystemsReason) {
  testing::TempFolder folder;
  try {
    replace_file_atomically(folder.wide("missing/pc.txt"), "x");
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.message(), system_error_text(testing::kNoSuchFolderError));
  }
}

TEST(ReplaceFileAtomically, AFailedRenameKeepsTheTargetAndCleansUp) {
  testing::TempFolder folder;
  std::filesystem::create_directory(folder.path() / "pc.txt");
  folder.write("pc.txt/keep", "old");
  EXPECT_THROW(replace_file_atomically(folder.wide("pc.txt"), "new\r\n"), Failure);
  EXPECT_EQ(folder.read("pc.txt/keep"), "old");
  EXPECT_EQ(folder.entries(), 1u);
}

}  // namespace
}  // namespace tavro
