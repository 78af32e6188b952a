#include "usage_error.h"

#include <CLI/CLI.hpp>

#include "nearest_name.h"

namespace tavro::admin {
namespace {

std::vector<std::string> option_names(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::Option* option : app.get_options()) {
    for (const std::string& name : option->get_lnames())
      names.push_back("--" + name);
    for (const std::string& name : option->get_snames())
      names.push_back("-" + name);
  }
  return names;
}

std::vector<std::string> subcommand_names(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    names.push_back(command->get_name());
  }
  return names;
}

// The subcommand the command line chose, or app itself.
const CLI::App& chosen(const CLI::App& app) {
  const std::vector<CLI::App*>& parsed = app.get_subcommands();
  return parsed.empty() ? app : *parsed.front();
}

std::string either(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
  }
  return text;
}

std::string quoted(const std::string& word) {
  return "\"" + word + "\"";
}

}  // namespace

std::optional<std::string> unexpected_arguments_message(const CLI::App& app) {
  const std::vector<std::string> left = app.remaining(true);  // in the order typed
  if (left.empty()) return std::nullopt;

  const CLI::App& command = chosen(app);
  std::string message;
  std::string words;
  bool judged_command = false;
  for (const std::string& word : left) {
    words += (words.empty() ? "" : " ") + word;
    std::optional<std::string> meant;
    if (word.starts_with('-')) {
      const std::string name = word.substr(0, word.find('='));
      meant = nearest_name(name, option_names(command));
      if (!meant && &command != &app) meant = nearest_name(name, option_names(app));
      if (meant && *meant == name) {  // the command's own option, typed before the command
        message += quoted(word) + " is an option of " + command.get_name() + ": write it after " +
                   command.get_name() + ".\n";
      } else if (meant) {
        message += quoted(word) + " is not an option; did you mean " + *meant + "?\n";
      }
    } else if (&command == &app && !judged_command) {
      judged_command = true;  // the words after the first are its arguments
      meant = nearest_name(word, subcommand_names(app));
      message += quoted(word) + " is not a command" +
                 (meant ? "; did you mean " + *meant + "?\n"
                        : ": use " + either(subcommand_names(app)) + ".\n");
    }
  }
  const std::string lead =
      &command == &app ? app.get_name() : app.get_name() + " " + command.get_name();
  // One word the message already names needs no list of one before it.
  if (left.size() == 1 && !message.empty()) return lead + ": " + message;
  return lead + ": " + (left.size() > 1 ? "unexpected arguments: " : "unexpected argument: ") +
         words + "\n" + message;
}

}  // namespace tavro::admin
