#include "admin_cli.h"

#include <cerrno>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include <CLI/CLI.hpp>

#include "check.h"
#include "check_output.h"
#include "code_page.h"
#include "collect.h"
#include "collect_output.h"
#include "column_names.h"
#include "common/failure.h"
#include "common/unicode.h"
#include "html_report.h"
#include "message_text.h"
#include "platform/record_file.h"
#include "platform/system_error.h"
#include "platform/system_text.h"
#include "progress_line.h"
#include "record_db.h"
#include "time_text.h"
#include "usage_error.h"

namespace tavro::admin {
namespace {

constexpr int kExitWarnings = 1;
constexpr int kExitErrors = 2;
// 1: the plain fields of earlier surveys; 2: answers quoted when they must be;
// 3: also UTF-8 after a byte-order mark when the code page cannot hold the text.
constexpr int kRecordFormatVersion = 3;

// Messages go out in the system code page, as the records are written.
void print(std::ostream& stream, std::wstring_view text) {
  stream << encode_system_text(text);
}

struct CheckOptions {
  std::string settings_file = "Tavro.ini";
  bool json = false;
};

struct CollectCommand {
  std::string folder;
  std::string output;  // "" or "-" for standard output
  std::string ini;
  std::string html;
  std::string db;
  unsigned code_page = 0;  // 0: the default
  bool bom = false;
  std::string delimiter = ",";
  bool raw = false;
  bool quiet = false;  // no summary and no progress; what went wrong is still said
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

Captions captions_for(const CollectCommand& options) {
  if (options.ini.empty()) return {};
  const std::wstring path = utf8_to_wide(options.ini);
  std::error_code error;
  if (!std::filesystem::is_regular_file(to_native_path(path), error)) {
    throw Failure(L"The settings file " + in_quotes(path) + L" does not exist.");
  }
  return settings_captions(Profile::load(path));
}

bool is_standard_output(const std::string& output) {
  return output.empty() || output == "-";
}

// The whole table, or a failure that names standard output and the
// system's reason: a table cut short is never taken for a good one.
void write_standard_output(std::ostream& out, std::string_view text) {
  errno = 0;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  if (!out) {
    const int error = errno;
    throw Failure(L"Cannot write the table to standard output: " +
                  (error != 0 ? system_error_text(error) : std::wstring(L"the write failed")));
  }
}

// Every output file is replaced whole or not at all, as the survey saves records.
void write_file(const std::string& path, std::string_view bytes) {
  const std::wstring wide = utf8_to_wide(path);
  try {
    replace_file_atomically(wide, bytes);
  } catch (const Failure& failure) {
    throw Failure(L"Cannot write " + in_quotes(wide) + L": " + failure.message());
  }
}

CsvFormat csv_format(const CollectCommand& options) {
  if (options.delimiter.size() != 1 || !is_usable_delimiter(options.delimiter[0])) {
    throw Failure(L"The delimiter " + in_quotes(utf8_to_wide(options.delimiter)) +
                  L" cannot be used: it must be one character, and not a quote, CR or LF.");
  }
  return {options.delimiter[0], options.bom, !options.raw};
}

int run_collect(const CollectCommand& options, std::ostream& out, std::ostream& err,
                bool err_is_console) {
  const CsvFormat format = csv_format(options);
  const std::wstring folder = utf8_to_wide(options.folder);
  const Captions captions = captions_for(options);
  const ColumnNames names = column_names(captions);
  ProgressLine progress(err, !options.quiet && err_is_console);
  CollectOptions collect_options;
  collect_options.code_page = options.code_page;
  collect_options.modification_times = !options.db.empty();  // only the database keeps them
  collect_options.progress = [&progress](std::size_t done, std::size_t total) {
    progress.update(done, total);
  };
  const Collection collection = collect_records(folder, collect_options);
  progress.clear();
  for (const SkippedFile& file : collection.skipped) {
    print(err, L"Left out " + file.name + L": " + file.reason + L"\n");
  }

  const std::int64_t now = now_seconds();
  std::size_t guarded_cells = 0;
  const auto write_outputs = [&] {
    const CsvTable table = csv_table(names, collection, format);
    if (is_standard_output(options.output)) {
      write_standard_output(out, table.text);
    } else {
      write_file(options.output, table.text);
    }
    guarded_cells = table.guarded_cells;
    if (!options.html.empty())
      write_file(options.html, html_report(captions, collection, folder, now));
  };
  if (options.db.empty()) {
    write_outputs();
  } else {
    const StoreResult stored =
        store_records_alongside(utf8_to_wide(options.db), collection,
                                {folder, utf8_to_wide(options.ini), captions}, now, write_outputs);
    if (!options.quiet) {
      print(err, L"Database: " + std::to_wstring(stored.added) + L" new survey(s) stored, " +
                     std::to_wstring(stored.already) + L" already there.\n");
    }
  }
  if (!options.quiet) print(err, collect_summary(names, collection, guarded_cells));
  return collection.skipped.empty() ? 0 : kExitWarnings;
}

// Help that names an argument once: "FOLDER (required)", not CLI11's
// "FOLDER FOLDER REQUIRED" (its name, its type, then the label).
class HelpFormatter : public CLI::Formatter {
 public:
  std::string make_option_opts(const CLI::Option* option) const override {
    if (option->nonpositional()) return CLI::Formatter::make_option_opts(option);
    return option->get_required() ? " (required)" : "";
  }
};

// CLI11 takes the arguments last one first (it pops them off the back).
std::vector<std::string> command_line(const std::vector<std::string>& arguments) {
  return {arguments.rbegin(), arguments.rend()};
}

std::string version_text() {
  return "tavro-admin " TAVRO_VERSION "\nRecord format " + std::to_string(kRecordFormatVersion) +
         " (answers quoted as in RFC 4180 where needed, UTF-8 with a byte-order mark where the "
         "code page cannot hold them; formats 1 and 2 are read too)";
}

}  // namespace

int run_admin(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
              bool err_is_console) {
  CLI::App app(
      "Tavro admin tool: checks a Tavro.ini before the survey and collects the "
      "records after it.",
      "tavro-admin");
  app.allow_windows_style_options(false);  // "/srv/inventory" is a folder, not an option
  app.require_subcommand(1);
  app.set_version_flag("--version", version_text(),
                       "Show the program's and the record format's version");
  app.formatter(std::make_shared<HelpFormatter>());  // the subcommands take it on

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

  CollectCommand collect;
  CLI::App* collect_command = app.add_subcommand(
      "collect", "Collect a folder of <host>.txt records into one CSV table sorted by host name");
  collect_command->footer(
      "Files that are not records are named on standard error and left out; a summary follows "
      "there.\nExit status: 0 all read, 1 files left out, 2 errors.");
  collect_command->add_option("FOLDER", collect.folder, "The folder of record files")
      ->required()
      ->type_name("FOLDER");
  collect_command
      ->add_option("-o,--output", collect.output,
                   "Write the CSV table to this file instead of standard output (\"-\": "
                   "standard output)")
      ->type_name("FILE");
  collect_command
      ->add_option("--code-page", collect.code_page,
                   "The code page of records that are neither UTF-8 nor marked as such "
                   "(default: " +
                       std::to_string(default_code_page()) + ")")
      ->type_name("N")
      ->check(CLI::Range(1U, 65535U));
  collect_command->add_flag("--bom", collect.bom,
                            "Start the CSV table with a UTF-8 byte-order mark (for Excel)");
  collect_command
      ->add_option("--delimiter", collect.delimiter,
                   "Separate the CSV cells with this character instead of \",\" (\";\" for "
                   "locales whose decimal mark is a comma)")
      ->type_name("CHAR");
  collect_command->add_flag(
      "--raw", collect.raw,
      "Keep every CSV cell as it is, also one that starts with =, +, -, @, a tab or a CR (by "
      "default such a cell starts with ' so that no spreadsheet runs it as a formula)");
  collect_command
      ->add_option("--ini", collect.ini,
                   "Name the columns after this settings file's questions and "
                   "applications")
      ->type_name("FILE");
  collect_command
      ->add_option("--html", collect.html,
                   "Also write a self-contained HTML page with a chart and the table")
      ->type_name("FILE");
  collect_command
      ->add_option("--db", collect.db,
                   "Also store the records in this SQLite database (created when "
                   "missing): table surveys, view latest_surveys")
      ->type_name("FILE");

  collect_command->add_flag("-q,--quiet", collect.quiet,
                            "No summary and no progress line; what goes wrong is still said");

  try {
    app.parse(command_line(arguments));
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() != 0) {
      if (const std::optional<std::string> message = unexpected_arguments_message(app)) {
        err << *message << "Run with --help for more information.\n";
        return kExitErrors;
      }
    }
    const int status = app.exit(error, out, err);
    return status == 0 ? 0 : kExitErrors;
  }

  try {
    if (*check_command) return run_check(check, out);
    return run_collect(collect, out, err, err_is_console);
  } catch (const std::exception& error) {
    print(err, L"tavro-admin: " + message_of(error) + L"\n");
  }
  return kExitErrors;
}

}  // namespace tavro::admin
