#include "collect.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <thread>
#include <variant>

#include "common/failure.h"
#include "common/whole_file.h"
#include "message_text.h"
#include "settings/system_text.h"
#include "settings/unicode.h"

namespace tavro::admin {
namespace {

bool is_record_file_name(const std::wstring& name) {
  constexpr std::wstring_view kExtension = L".TXT";
  return name.size() > kExtension.size() && name.front() != L'.' &&
         to_upper_invariant(std::wstring_view(name).substr(name.size() - kExtension.size())) ==
             kExtension;
}

// The survey writes "Installed" or nothing for an application; other text
// there means the file is not an inventory record.
std::optional<std::wstring> application_field_problem(const RecordFields& fields) {
  for (std::size_t i = kFirstApplicationField; i < kRecordFieldCount; ++i) {
    if (!fields[i].empty() && fields[i] != kInstalled) {
      return L"field " + std::to_wstring(i + 1) + L" is " + in_quotes(fields[i]) +
             L", neither \"Installed\" nor empty";
    }
  }
  return std::nullopt;
}

class Collector {
 public:
  void add(const std::filesystem::path& path) {
    const std::wstring name = path_text(path.filename());
    if (const auto problem = read_whole_file(path.native(), file_, kLargestRecordFile)) {
      skip(name, *problem);
      return;
    }
    auto read = read_record_file(file_.bytes);
    if (const auto* error = std::get_if<RecordError>(&read)) {
      // Records saved before answers were quoted hold quotes as plain text;
      // they are kept in the form the survey writes now.
      const auto earlier = read_unquoted_record(file_.bytes);
      if (!earlier) {
        skip(name, utf8_to_wide(error->reason));
        return;
      }
      read = *earlier;
      file_.bytes = record_file_bytes(*earlier);
    }
    const RecordFields& fields = std::get<RecordFields>(read);
    if (const auto problem = application_field_problem(fields)) {
      skip(name, *problem);
      return;
    }
    for (std::size_t i = 0; i < kApplicationCount; ++i) {
      if (!fields[kFirstApplicationField + i].empty()) ++collection_.installed[i];
    }
    collection_.records.push_back({file_.bytes, to_upper_invariant(fields[0]), file_.modified});
  }

  // Moves what another collector found into this one.
  void take(Collector& other) {
    auto& records = other.collection_.records;
    collection_.records.insert(collection_.records.end(), std::make_move_iterator(records.begin()),
                               std::make_move_iterator(records.end()));
    auto& skipped = other.collection_.skipped;
    collection_.skipped.insert(collection_.skipped.end(), std::make_move_iterator(skipped.begin()),
                               std::make_move_iterator(skipped.end()));
    for (std::size_t i = 0; i < kApplicationCount; ++i)
      collection_.installed[i] += other.collection_.installed[i];
    other.collection_ = {};
  }

  Collection finish() {
    std::sort(collection_.records.begin(), collection_.records.end(),
              [](const CollectedRecord& a, const CollectedRecord& b) {
                const int order = a.sort_key.compare(b.sort_key);
                return order != 0 ? order < 0 : a.bytes < b.bytes;
              });
    std::sort(collection_.skipped.begin(), collection_.skipped.end(),
              [](const SkippedFile& a, const SkippedFile& b) { return a.name < b.name; });
    return std::move(collection_);
  }

 private:
  void skip(const std::wstring& name, std::wstring reason) {
    collection_.skipped.push_back({name, std::move(reason)});
  }

  WholeFile file_;
  Collection collection_;
};

std::vector<std::filesystem::path> list_record_files(std::wstring_view folder) {
  const auto fail = [&](const std::error_code& error) {
    throw Failure(L"Cannot read the folder " + in_quotes(folder) + L": " +
                  decode_system_text(error.message()));
  };
  std::error_code error;
  std::filesystem::directory_iterator entries(to_native_path(folder), error);
  if (error) fail(error);
  std::vector<std::filesystem::path> files;
  for (; entries != std::filesystem::directory_iterator(); entries.increment(error)) {
    const std::filesystem::directory_entry& entry = *entries;
    if (!is_record_file_name(path_text(entry.path().filename()))) continue;
    std::error_code ignored;
    if (entry.is_regular_file(ignored)) files.push_back(entry.path());
  }
  if (error) fail(error);
  return files;
}

// Reading a file costs a few system calls and little else, so a thread per
// core shortens a large collect; small folders are not worth a thread.
std::size_t worker_count(std::size_t files) {
  constexpr std::size_t kFilesPerWorker = 500;
  constexpr std::size_t kMostWorkers = 4;
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  return std::clamp<std::size_t>(files / kFilesPerWorker, 1, std::min(cores, kMostWorkers));
}

}  // namespace

RecordFields CollectedRecord::fields() const {
  return std::get<RecordFields>(read_record_file(bytes));
}

Collection collect_records(std::wstring_view folder) {
  const std::vector<std::filesystem::path> files = list_record_files(folder);
  const std::size_t workers = worker_count(files.size());
  std::vector<Collector> collectors(workers);
  std::vector<std::exception_ptr> failures(workers);
  const auto work = [&](std::size_t worker) {
    try {
      const std::size_t begin = files.size() * worker / workers;
      const std::size_t end = files.size() * (worker + 1) / workers;
      for (std::size_t i = begin; i < end; ++i)
        collectors[worker].add(files[i]);
    } catch (...) {
      failures[worker] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> threads;
    for (std::size_t worker = 1; worker < workers; ++worker)
      threads.emplace_back(work, worker);
    work(0);
  }
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  for (std::size_t worker = 1; worker < workers; ++worker)
    collectors[0].take(collectors[worker]);
  return collectors[0].finish();
}

}  // namespace tavro::admin
