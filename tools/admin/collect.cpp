#include "collect.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

#include "code_page.h"
#include "common/failure.h"
#include "common/result.h"
#include "common/unicode.h"
#include "message_text.h"
#include "platform/system_text.h"
#include "record_folder.h"

namespace tavro::admin {
namespace {

// The survey writes "Installed" or nothing for an application; other text
// there means the file is not an inventory record.
Result<void> check_application_fields(const RecordText& record) {
  constexpr std::string_view kInstalledUtf8 = "Installed";
  for (std::size_t i = kFirstApplicationField; i < kRecordFieldCount; ++i) {
    const std::string_view field = record.field(i);
    if (!field.empty() && field != kInstalledUtf8) {
      return Failure(L"field " + std::to_wstring(i + 1) + L" is " + in_quotes(utf8_to_wide(field)) +
                     L", neither \"Installed\" nor empty");
    }
  }
  return Done{};
}

// Host names sort without regard to letter case; most are ASCII, which is
// upper-cased here without a round trip through wide text.
std::string sort_key(std::string_view host) {
  if (std::all_of(host.begin(), host.end(), [](char c) { return (c & 0x80) == 0; })) {
    std::string key(host);
    for (char& c : key) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
  }
  return wide_to_utf8(to_upper_invariant(utf8_to_wide(host)));
}

class Collector {
 public:
  Collector(unsigned code_page, bool modification_times)
      : decoder_(code_page), modification_times_(modification_times) {}

  void add(const RecordFolder& folder, const RecordFolder::Entry& entry) {
    if (const auto read = folder.read(entry, file_, kLargestRecordFile, modification_times_);
        !read) {
      skip(entry, read.failure().message());
      return;
    }
    const auto text = record_file_utf8(file_.bytes(), decoder_, converted_);
    if (!text) {
      skip(entry, text.failure().message());
      return;
    }
    const std::string_view utf8 = *text;
    if (const auto read = read_record_text(utf8, record_); !read) {
      // Records saved before answers were quoted hold quotes as plain text.
      if (!read_unquoted_record_text(utf8, record_)) {
        skip(entry, read.failure().message());
        return;
      }
    }
    if (const auto fields = check_application_fields(record_); !fields) {
      skip(entry, fields.failure().message());
      return;
    }
    for (std::size_t i = 0; i < kApplicationCount; ++i) {
      if (!record_.field(kFirstApplicationField + i).empty()) ++collection_.installed[i];
    }
    CollectedRecord& kept = collection_.records.emplace_back();
    kept.record.text = collection_.texts.keep(record_.text);
    kept.record.ends = record_.ends;
    kept.sort_key = sort_key(record_.field(0));
    kept.modified = file_.modified;
  }

  // Room for this many records, so that adding them never moves the others.
  void reserve(std::size_t records) { collection_.records.reserve(records); }

  // Sorts what this collector found; done by each reading thread for its
  // own share, so that only a merge is left for one thread.
  void sort() {
    std::sort(collection_.records.begin(), collection_.records.end(), in_table_order);
    std::sort(collection_.skipped.begin(), collection_.skipped.end(), by_name);
  }

  // Merges what another, sorted collector found into this sorted one.
  void take(Collector& other) {
    collection_.texts.take(other.collection_.texts);
    merge_into(collection_.records, other.collection_.records, in_table_order);
    merge_into(collection_.skipped, other.collection_.skipped, by_name);
    for (std::size_t i = 0; i < kApplicationCount; ++i)
      collection_.installed[i] += other.collection_.installed[i];
    other.collection_ = {};
  }

  Collection finish() { return std::move(collection_); }

 private:
  static bool in_table_order(const CollectedRecord& a, const CollectedRecord& b) {
    const int order = a.sort_key.compare(b.sort_key);
    return order != 0 ? order < 0 : a.record.text < b.record.text;
  }
  static bool by_name(const SkippedFile& a, const SkippedFile& b) { return a.name < b.name; }

  template <typename Item, typename Order>
  static void merge_into(std::vector<Item>& sorted, std::vector<Item>& more, Order order) {
    const auto middle = static_cast<std::ptrdiff_t>(sorted.size());
    sorted.insert(sorted.end(), std::make_move_iterator(more.begin()),
                  std::make_move_iterator(more.end()));
    std::inplace_merge(sorted.begin(), sorted.begin() + middle, sorted.end(), order);
  }

  void skip(const RecordFolder::Entry& entry, std::wstring reason) {
    collection_.skipped.push_back({path_text(entry.name), std::move(reason)});
  }

  CodePageDecoder decoder_;
  bool modification_times_;
  FileBuffer file_;
  RecordText record_;      // reused from file to file
  std::string converted_;  // reused likewise
  Collection collection_;
};

// Reading a file costs a few system calls and little else, so a second
// thread shortens a large collect; small folders are not worth one, and
// more threads gain nothing against the folder's locks.
std::size_t worker_count(std::size_t files) {
  constexpr std::size_t kFilesPerWorker = 500;
  constexpr std::size_t kMostWorkers = 2;
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  return std::clamp<std::size_t>(files / kFilesPerWorker, 1, std::min(cores, kMostWorkers));
}

}  // namespace

std::string_view TextStore::keep(std::string_view text) {
  // Some 8,000 records a block; a larger text takes one of its own.
  constexpr std::size_t kBlockSize = std::size_t{1024} * 1024;
  // No blocks also once this store is moved or taken from: free_ may then
  // lie in a block another store holds.
  if (blocks_.empty() || text.size() > room_) {
    room_ = std::max(kBlockSize, text.size());
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(room_));
    free_ = blocks_.back().get();
  }
  const std::string_view kept(free_, text.size());
  std::copy(text.begin(), text.end(), free_);
  free_ += text.size();
  room_ -= text.size();
  return kept;
}

void TextStore::take(TextStore& other) {
  blocks_.insert(blocks_.end(), std::make_move_iterator(other.blocks_.begin()),
                 std::make_move_iterator(other.blocks_.end()));
  other.blocks_.clear();
}

Collection collect_records(std::wstring_view folder_path, const CollectOptions& options) {
  const unsigned code_page = options.code_page != 0 ? options.code_page : default_code_page();
  const RecordFolder folder(folder_path);
  const std::vector<RecordFolder::Entry> files = folder.list_record_files();
  const std::size_t workers = worker_count(files.size());
  std::vector<Collector> collectors;
  collectors.reserve(workers);
  for (std::size_t worker = 0; worker < workers; ++worker)
    collectors.emplace_back(code_page, options.modification_times);
  std::vector<std::exception_ptr> failures(workers);
  std::atomic<std::size_t> done{0};
  const auto work = [&](std::size_t worker) {
    constexpr std::size_t kFilesPerReport = 256;
    try {
      const std::size_t begin = files.size() * worker / workers;
      const std::size_t end = files.size() * (worker + 1) / workers;
      // The first collector takes in the others' records at the end.
      collectors[worker].reserve(worker == 0 ? files.size() : end - begin);
      for (std::size_t i = begin; i < end; ++i) {
        collectors[worker].add(folder, files[i]);
        if ((i - begin + 1) % kFilesPerReport == 0) {
          const std::size_t so_far = done.fetch_add(kFilesPerReport) + kFilesPerReport;
          if (worker == 0 && options.progress) options.progress(so_far, files.size());
        }
      }
      collectors[worker].sort();
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
  if (options.progress) options.progress(files.size(), files.size());
  for (std::size_t worker = 1; worker < workers; ++worker)
    collectors[0].take(collectors[worker]);
  return collectors[0].finish();
}

}  // namespace tavro::admin
