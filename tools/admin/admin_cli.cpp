#include "admin_cli.h"

#include <filesystem>

#include <CLI/CLI.hpp>

#include "check.h"
#include "check_output.h"
#include "collect.h"
#include "collect_output.h"
#include "column_names.h"
#include "common/failure.h"
#include "html_report.h"
#include "message_text.h"
#include "record_db.h"
#include "settings/system_text.h"
#include "settings/unicode.h"
#include "survey/record_file.h"
#include "time_text.h"

namespace tavro::admin {
namespace {

constexpr int kExitWarnings = 1;
constexpr int kExitErrors = 2;

// Messages go out in the system code page, as the records are written.
void print(std::ostream& stream, std::wstring_view text) {
  stream << encode_system_text(text);
}

struct CheckOptions {
  std::string settings_file = "Tavro.ini";
  bool json = false;
};

struct CollectOptions {
  std::string folder;
  std::string output;
  std::string ini;
  std::string html;
  std::string db;
};

int run_check(const CheckOptions& options, std::ostream& out) {
  const CheckReport report = check_settings_file(utf8_to_wide(options.settings_file));
  if (options.json) {
    out << check_report_json(report);
  } else {
    print(out, check_report_text(report));
  }
  return report.exit_status();
}

Captions captions_for(const CollectOptions& options) {
  if (options.ini.empty()) return {};
  const std::wstring path = utf8_to_wide(options.ini);
  std::error_code error;
  if (!std::filesystem::is_regular_file(to_native_path(path), error)) {
    throw Failure(L"The settings file " + in_quotes(path) + L" does not exist.");
  }
  return settings_captions(Profile::load(path));
}

int run_collect(const CollectOptions& options, std::ostream& out, std::ostream& err) {
  const std::wstring folder = utf8_to_wide(options.folder);
  const Captions captions = captions_for(options);
  const ColumnNames names = column_names(captions);
  const Collection collection = collect_records(folder);
  for (const SkippedFile& file : collection.skipped) {
    print(err, L"Left out " + file.name + L": " + file.reason + L"\n");
  }

  // Every output is replaced whole or not at all, as the survey saves records.
  const std::string table = csv_table(names, collection);
  if (options.output.empty()) {
    out << table << std::flush;
  } else {
    replace_file_atomically(utf8_to_wide(options.output), table);
  }
  const std::int64_t now = now_seconds();
  if (!options.html.empty()) {
    replace_file_atomically(utf8_to_wide(options.html),
                            html_report(captions, collection, folder, now));
  }
  if (!options.db.empty()) {
    const StoreResult stored = store_records(utf8_to_wide(options.db), collection,
                                             {folder, utf8_to_wide(options.ini), captions}, now);
    print(err, L"Database: " + std::to_wstring(stored.added) + L" new survey(s) stored, " +
                   std::to_wstring(stored.already) + L" already there.\n");
  }
  print(err, collect_summary(names, collection));
  return collection.skipped.empty() ? 0 : kExitWarnings;
}

}  // namespace

int run_admin(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  CLI::App app(
      "Tavro admin tool: checks a Tavro.ini before the survey and collects the "
      "records after it.",
      "tavro-admin");
  app.allow_windows_style_options(false);  // "/srv/inventory" is a folder, not an option
  app.require_subcommand(1);

  CheckOptions check;
  CLI::App* check_command = app.add_subcommand(
      "check",
      "Check a settings file before the survey: what this PC's survey window would "
      "show, and every likely mistake");
  check_command->footer("Exit status: 0 all well, 1 warnings, 2 errors.");
  check_command
      ->add_option("SETTINGS_FILE", check.settings_file,
                   "The settings file (default: Tavro.ini in the current folder)")
      ->type_name("FILE");
  check_command->add_flag("--json", check.json, "Print the report as JSON");

  CollectOptions collect;
  CLI::App* collect_command = app.add_subcommand(
      "collect", "Collect a folder of <host>.txt records into one CSV table sorted by host name");
  collect_command->footer(
      std::string("Files that are not records are named on standard error and left out; a "
                  "summary follows there.\nExit status: 0 all read, 1 files left out, 2 errors.") +
      (record_db_available() ? "" : "\nThis build has no SQLite: --db is not available."));
  collect_command->add_option("FOLDER", collect.folder, "The folder of record files")
      ->required()
      ->type_name("FOLDER");
  collect_command
      ->add_option("-o,--output", collect.output,
                   "Write the CSV table to this file instead of standard output")
      ->type_name("FILE");
  collect_command
      ->add_option("--ini", collect.ini,
                   "Name the columns after this settings file's questions and "
                   "applications")
      ->type_name("FILE");
  collect_command
      ->add_option("--html", collect.html,
                   "Also write a self-contained HTML page with a chart and the table")
      ->type_name("FILE");
  if (record_db_available()) {
    collect_command
        ->add_option("--db", collect.db,
                     "Also store the records in this SQLite database (created when "
                     "missing): table surveys, view latest_surveys")
        ->type_name("FILE");
  }

  try {
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    app.parse(reversed);  // CLI11 takes the arguments last one first
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error, out, err);
    return status == 0 ? 0 : kExitErrors;
  }

  try {
    if (*check_command) return run_check(check, out);
    return run_collect(collect, out, err);
  } catch (const Failure& failure) {
    print(err, L"tavro-admin: " + failure.message() + L"\n");
  } catch (const std::exception& error) {
    err << "tavro-admin: " << error.what() << "\n";
  }
  return kExitErrors;
}

}  // namespace tavro::admin
