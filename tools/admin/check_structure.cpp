#include "check_structure.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "message_text.h"
#include "platform/system_text.h"
#include "survey/settings_keys.h"

namespace tavro::admin {
namespace {

struct KnownName {
  std::wstring name;    // as the documentation writes it
  std::wstring folded;  // for matching, which ignores letter case
};

KnownName known(std::wstring name) {
  std::wstring folded = to_upper_invariant(name);
  return {std::move(name), std::move(folded)};
}

struct KnownSection {
  KnownName name;
  std::vector<KnownName> keys;
};

// Every section and key the survey reads.
const std::vector<KnownSection>& known_sections() {
  static const std::vector<KnownSection> sections = [] {
    std::vector<KnownSection> known_sections;
    for_each_survey_key([&](std::wstring_view section, std::wstring key) {
      if (known_sections.empty() || known_sections.back().name.name != section) {
        known_sections.push_back({known(std::wstring(section)), {}});
      }
      known_sections.back().keys.push_back(known(std::move(key)));
    });
    return known_sections;
  }();
  return sections;
}

const KnownName* find_name(const std::vector<KnownName>& names, const std::wstring& folded) {
  const auto it = std::find_if(names.begin(), names.end(),
                               [&](const KnownName& name) { return name.folded == folded; });
  return it == names.end() ? nullptr : &*it;
}

const KnownSection* find_section(const std::wstring& folded) {
  for (const KnownSection& section : known_sections()) {
    if (section.name.folded == folded) return &section;
  }
  return nullptr;
}

std::size_t edit_distance(std::wstring_view a, std::wstring_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j)
    row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The known name closest to a misspelt one, if any is close enough to be
// what was meant: at most two edits, and fewer than half its length.
const KnownName* closest(const std::vector<KnownName>& names, const std::wstring& folded) {
  const KnownName* best = nullptr;
  std::size_t best_distance = 3;
  for (const KnownName& name : names) {
    const std::size_t distance = edit_distance(folded, name.folded);
    if (distance < best_distance && distance * 2 < name.folded.size()) {
      best = &name;
      best_distance = distance;
    }
  }
  return best;
}

// Admins write ";" (and sometimes "#") lines as comments; to the survey they
// are keys it never reads, which does no harm.
bool looks_like_comment(const ProfileEntry& entry) {
  return !entry.key.empty() && (entry.key.front() == L';' || entry.key.front() == L'#');
}

// How a line that is not a key the survey reads is shown in a message.
std::wstring entry_text(const ProfileEntry& entry) {
  return entry.value ? in_quotes(entry.key) : L"The line " + in_quotes(entry.key);
}

class StructureCheck {
 public:
  std::vector<Finding> run(const Profile& settings) {
    for (const ProfileSection& section : settings.sections()) {
      if (section.line == 0) {
        check_outside_sections(section);
      } else {
        check_section(section);
      }
    }
    if (!comment_lines_.empty()) note_comment_lines();
    return std::move(findings_);
  }

 private:
  void warn(std::string code, std::size_t line, std::wstring message) {
    findings_.push_back(
        {Severity::kWarning, std::move(code), std::move(message), line, Scope::kFile, 0});
  }

  // Sets comment-like lines aside; true when the entry was one.
  bool set_aside_comment(const ProfileEntry& entry) {
    if (!looks_like_comment(entry)) return false;
    comment_lines_.push_back(entry.line);
    return true;
  }

  void check_outside_sections(const ProfileSection& section) {
    for (const ProfileEntry& entry : section.entries) {
      if (set_aside_comment(entry)) continue;
      warn("outside-section", entry.line,
           entry_text(entry) + L" stands before any [section]: the survey never reads it.");
    }
  }

  void check_section(const ProfileSection& section) {
    std::size_t keys = 0;
    for (const ProfileEntry& entry : section.entries) {
      if (!set_aside_comment(entry)) ++keys;
    }
    const std::wstring header = L"[" + section.name + L"]";
    const KnownSection* known = find_section(section.folded_name);
    if (known == nullptr) {
      std::wstring message = header + L" is a section the survey never reads";
      std::vector<KnownName> names;
      for (const KnownSection& candidate : known_sections())
        names.push_back(candidate.name);
      if (const KnownName* meant = closest(names, section.folded_name)) {
        message += L"; did you mean [" + meant->name + L"]?";
      } else {
        message += L".";
      }
      warn("unknown-section", section.line,
           message + L" Its " + std::to_wstring(keys) + L" key(s) are ignored.");
      return;
    }
    const auto [first, inserted] = first_section_line_.emplace(known->name.folded, section.line);
    if (!inserted) {
      warn("duplicate-section", section.line,
           header + L" is given again: the survey reads only the first one (line " +
               std::to_wstring(first->second) + L"), so the " + std::to_wstring(keys) +
               L" key(s) here are never read.");
      return;
    }
    std::map<std::wstring, const ProfileEntry*> first_entry;
    for (const ProfileEntry& entry : section.entries) {
      if (looks_like_comment(entry)) continue;
      const KnownName* key = find_name(known->keys, entry.folded_key);
      if (key == nullptr) {
        warn_unknown_key(*known, header, entry);
        continue;
      }
      const auto [earlier, first_time] = first_entry.emplace(entry.folded_key, &entry);
      if (!first_time) {
        const ProfileEntry& read = *earlier->second;
        warn("duplicate-key", entry.line,
             key->name + L" is given again: the survey reads only the first, at line " +
                 std::to_wstring(read.line) +
                 (read.value ? L" (" + in_quotes(*read.value) + L")" : std::wstring()) + L".");
      }
    }
  }

  void warn_unknown_key(const KnownSection& section, const std::wstring& header,
                        const ProfileEntry& entry) {
    std::wstring message = entry_text(entry) + L" is a key the survey never reads in " + header;
    if (entry.key.front() == L'[') {
      warn("unknown-key", entry.line, message + L": a section header needs a closing \"]\".");
      return;
    }
    const KnownSection* home = nullptr;
    for (const KnownSection& other : known_sections()) {
      if (&other != &section && find_name(other.keys, entry.folded_key) != nullptr) home = &other;
    }
    if (home != nullptr) {
      message += L": it belongs in [" + home->name.name + L"].";
    } else if (const KnownName* meant = closest(section.keys, entry.folded_key)) {
      message += L"; did you mean " + meant->name + L"?";
    } else {
      message += L".";
    }
    warn("unknown-key", entry.line, std::move(message));
  }

  void note_comment_lines() {
    std::wstring lines;
    for (const std::size_t line : comment_lines_) {
      if (!lines.empty()) lines += L", ";
      lines += std::to_wstring(line);
    }
    findings_.push_back({Severity::kNote, "comment-lines",
                         L"Lines starting with \";\" or \"#\" (" + lines +
                             L") are not comments to the survey but keys it never reads; they do "
                             L"no harm.",
                         comment_lines_.front(), Scope::kFile, 0});
  }

  std::vector<Finding> findings_;
  std::vector<std::size_t> comment_lines_;
  std::map<std::wstring, std::size_t> first_section_line_;
};

}  // namespace

std::vector<Finding> check_structure(const Profile& settings) {
  return StructureCheck().run(settings);
}

}  // namespace tavro::admin
