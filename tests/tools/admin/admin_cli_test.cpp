#include "admin_cli.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>

#include "admin_test_support.h"
#include "support/temp_folder.h"

namespace tavro::admin {
namespace {

bool contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

std::string settings_saving_to(const testing::TempFolder& folder) {
  const std::string save = folder.utf8();
  return "[Application]\n[Status]\nEnableI1=1\nItem1=Room\n[Save]\nSavePath=" + save +
         "\nPathString=" + std::to_string(save.size()) + "\n";
}

TEST(AdminCheck, ExitStatusIsTheReportsAndJsonGoesToStandardOutput) {
  testing::TempFolder folder;
  const std::string good = folder.utf8("good.ini");
  folder.write("good.ini", settings_saving_to(folder));
  const Outcome ok = run({"check", good});
  EXPECT_EQ(ok.status, 0) << ok.out;
  EXPECT_TRUE(contains(ok.out, "All well."));
  const nlohmann::json json = nlohmann::json::parse(run({"check", "--json", good}).out);
  EXPECT_EQ(json["exit_status"], 0);
  EXPECT_EQ(json["items"][0]["window"]["caption"], "Room");

  folder.write("warn.ini", settings_saving_to(folder) + "Extra=1\n");
  EXPECT_EQ(run({"check", folder.utf8("warn.ini")}).status, 1);

  const Outcome missing = run({"check", folder.utf8("none.ini")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(contains(missing.out, "does not exist"));
}

TEST(AdminCollect, WritesTheTableAndTheSummary) {
  testing::TempFolder folder;
  folder.write("records/pc1.txt", "pc1,10.0.0.1,1024,R1,,,,,Installed,,,,,,,,,\r\n");
  folder.write("records/bad.txt", "pc2\r\n");
  folder.write("Tavro.ini", "[Application]\nName1=Office\n[Status]\nItem1=Room\n");
  const std::string records = folder.utf8("records");

  const Outcome plain = run({"collect", records});
  EXPECT_EQ(plain.status, 1);  // a file was left out
  EXPECT_EQ(plain.out.substr(0, 27), "Hostname,IP Address,Memory,");
  EXPECT_TRUE(contains(plain.out, "\r\npc1,10.0.0.1,1024,R1,"));
  EXPECT_TRUE(contains(plain.err, "Left out bad.txt: the record has 1 field, not 18\n"));
  EXPECT_TRUE(contains(plain.err, "1 PC, 1 file left out."));
  // Quiet: what was left out is still said, the summary is not.
  const Outcome quiet = run({"collect", records, "-q"});
  EXPECT_EQ(quiet.out, plain.out);
  EXPECT_EQ(quiet.err, "Left out bad.txt: the record has 1 field, not 18\n");

  const std::string csv = folder.utf8("out/table.csv");
  const std::string html = folder.utf8("out/report.html");
  std::filesystem::create_directory(folder.path() / "out");
  const Outcome files =
      run({"collect", records, "-o", csv, "--ini", folder.utf8("Tavro.ini"), "--html", html});
  EXPECT_EQ(files.status, 1);
  EXPECT_TRUE(files.out.empty());
  EXPECT_EQ(folder.read("out/table.csv").substr(0, 35), "Hostname,IP Address,Memory,Room,Sta");
  EXPECT_TRUE(contains(folder.read("out/table.csv"), "Status 5,Office,Application 2"));
  EXPECT_TRUE(contains(folder.read("out/report.html"), "<td>pc1<td>"));
  EXPECT_TRUE(contains(files.err, "  Office          1\n"));
}

TEST(AdminCollect, StoresInADatabase) {
  testing::TempFolder folder;
  folder.write("pc1.txt", "pc1,10.0.0.1,1024,,,,,,,,,,,,,,,\r\n");
  const std::string db = folder.utf8("fleet.sqlite");
  EXPECT_TRUE(contains(run({"collect", folder.utf8(), "--db", db}).err,
                       "Database: 1 new survey(s) stored, 0 already there."));
  EXPECT_TRUE(contains(run({"collect", folder.utf8(), "--db", db}).err,
                       "Database: 0 new survey(s) stored, 1 already there."));
}

TEST(AdminCollect, ErrorsEndWithStatusTwo) {
  testing::TempFolder folder;
  const Outcome missing = run({"collect", folder.utf8("gone")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(contains(missing.err, "tavro-admin: Cannot read the folder"));
  EXPECT_TRUE(missing.out.empty());

  EXPECT_EQ(run({"collect", folder.utf8(), "--ini", folder.utf8("none.ini")}).status, 2);
  // A folder to write the table into does not exist: the message names the file.
  const Outcome no_folder = run({"collect", folder.utf8(), "-o", folder.utf8("no/t.csv")});
  EXPECT_EQ(no_folder.status, 2);
  EXPECT_TRUE(contains(no_folder.err, "Cannot write \"" + folder.utf8("no/t.csv") + "\": "));
  // Nor is a database made for a collect whose table was not written.
  run({"collect", folder.utf8(), "-o", folder.utf8("no/t.csv"), "--db", folder.utf8("f.db")});
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "f.db"));
  for (const char* delimiter : {"\"", ";;", ""})
    EXPECT_EQ(run({"collect", folder.utf8(), "--delimiter", delimiter}).status, 2) << delimiter;
  EXPECT_EQ(run({"collect", folder.utf8(), "--code-page", "7"}).status, 2);
}

// A stream that takes nothing, as a full disk does.
class FullDisk : public std::streambuf {
  int overflow(int /*c*/) override { return traits_type::eof(); }
};

TEST(AdminCollect, StandardOutputIsTheTableAndAFailedWriteIsAnError) {
  testing::TempFolder folder;
  folder.write("pc1.txt", "pc1,10.0.0.1,1024,,,,,,,,,,,,,,,\r\n");
  const Outcome dash = run({"collect", folder.utf8(), "-o", "-"});
  EXPECT_EQ(dash.status, 0);
  EXPECT_TRUE(contains(dash.out, "pc1,10.0.0.1,1024,"));
  EXPECT_EQ(folder.entries(), 1u);  // no file named "-"

  FullDisk full;
  std::ostream out(&full);
  std::ostringstream err;
  EXPECT_EQ(run_admin({"collect", folder.utf8()}, out, err), 2);
  EXPECT_TRUE(contains(err.str(), "tavro-admin: Cannot write the table to standard output: "));
  EXPECT_FALSE(contains(err.str(), "1 PC"));  // no summary of a table that was not written
}

TEST(AdminCommandLine, UsageErrorsAndHelp) {
  EXPECT_EQ(run({}).status, 2);
  EXPECT_EQ(run({"collect"}).status, 2);  // FOLDER is required
  const Outcome help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(contains(help.out, "check"));
  EXPECT_TRUE(contains(help.out, "collect"));
  const Outcome collect_help = run({"collect", "--help"});
  EXPECT_EQ(collect_help.status, 0);
  EXPECT_TRUE(contains(collect_help.out, "--html"));
  EXPECT_TRUE(contains(collect_help.out, "--db FILE"));
  EXPECT_FALSE(contains(collect_help.out, "FOLDER FOLDER"));
}

TEST(AdminCommandLine, SaysWhatItDidNotExpectInTheOrderTyped) {
  const struct {
    std::vector<std::string> arguments;
    const char* said;
  } cases[] = {
      {{"colect", "."},
       "tavro-admin: unexpected arguments: colect .\n"
       "\"colect\" is not a command; did you mean collect?\n"},
      {{"survey"}, "tavro-admin: \"survey\" is not a command: use check or collect.\n"},
      {{"collect", ".", "--foo", "one", "two"},
       "tavro-admin collect: unexpected arguments: --foo one two\n"},
      {{"collect", ".", "--hmtl=r.html"},
       "tavro-admin collect: \"--hmtl=r.html\" is not an option; did you mean --html?\n"},
      {{"check", "--jsno"},
       "tavro-admin check: \"--jsno\" is not an option; did you mean --json?\n"},
      {{"--json", "check"},
       "tavro-admin check: \"--json\" is an option of check: write it after check.\n"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = run(c.arguments);
    EXPECT_EQ(outcome.status, 2) << c.said;
    EXPECT_EQ(outcome.err, std::string(c.said) + "Run with --help for more information.\n");
  }
}

TEST(AdminCommandLine, Version) {
  const Outcome version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(contains(version.out, "tavro-admin " TAVRO_VERSION "\nRecord format 3"))
      << version.out;
}

}  // namespace
}  // namespace tavro::admin
