#pragma once
// The fact store: every piece of state that outlives one operation. Each
// record kind is one member whose type carries its multiplicity:
//   Many<T>        any number, in stored order (front insertion allowed);
//   AtMostOne<T>   zero or one; a second insertion raises 1041;
//   ExactlyOne<T>  always one; insertion replaces the value.

#include <functional>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foundation/records.h"

namespace qs {

/// Many records in stored order. Erasing through an iterator while scanning
/// is allowed and the scan continues with the following record.
template <class T>
class Many {
 public:
  using iterator = typename std::list<T>::iterator;
  using const_iterator = typename std::list<T>::const_iterator;

  void append(T r) { items_.push_back(std::move(r)); }
  void pushfront(T r) { items_.push_front(std::move(r)); }
  bool exists() const { return !items_.empty(); }
  bool empty() const { return items_.empty(); }
  size_t size() const { return items_.size(); }
  /// The front record, or nullptr when there is none.
  const T* first() const { return items_.empty() ? nullptr : &items_.front(); }
  T* first() { return items_.empty() ? nullptr : &items_.front(); }
  /// The first record satisfying pred, or nullptr.
  template <class Pred>
  const T* find(Pred pred) const {
    for (const T& r : items_)
      if (pred(r)) return &r;
    return nullptr;
  }
  /// Removes the front record; false when there is none.
  bool removefirst() {
    if (items_.empty()) return false;
    items_.pop_front();
    return true;
  }
  /// Removes the first record satisfying pred; false when there is none.
  template <class Pred>
  bool removefirst(Pred pred) {
    for (auto it = items_.begin(); it != items_.end(); ++it)
      if (pred(*it)) {
        items_.erase(it);
        return true;
      }
    return false;
  }
  void clear() { items_.clear(); }
  iterator erase(iterator it) { return items_.erase(it); }
  iterator begin() { return items_.begin(); }
  iterator end() { return items_.end(); }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }

 private:
  std::list<T> items_;
};

/// Many texts with a constant-time membership test, for the per-page records
/// that are tested at every inclusion.
class IndexedTexts {
 public:
  void append(const std::string& s);
  void pushfront(const std::string& s);
  bool contains(std::string_view s) const;
  void clear();
  bool empty() const { return items_.empty(); }
  size_t size() const { return items_.size(); }
  const std::string* first() const { return items_.empty() ? nullptr : &items_.front(); }
  std::list<std::string>::const_iterator begin() const { return items_.begin(); }
  std::list<std::string>::const_iterator end() const { return items_.end(); }

 private:
  // Transparent hashing lets contains() look a string_view up without
  // building a string.
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::list<std::string> items_;
  std::unordered_map<std::string, int, Hash, std::equal_to<>> counts_;
};

/// At most one record; a second insertion raises 1041 and changes nothing.
template <class T>
class AtMostOne {
 public:
  void append(T r);
  void pushfront(T r) { append(std::move(r)); }
  bool exists() const { return value_.has_value(); }
  const T* first() const { return value_ ? &*value_ : nullptr; }
  bool removefirst() {
    bool had = value_.has_value();
    value_.reset();
    return had;
  }
  void clear() { value_.reset(); }

 private:
  std::optional<T> value_;
};

[[noreturn]] void raisesecondrecord();

template <class T>
void AtMostOne<T>::append(T r) {
  if (value_) raisesecondrecord();
  value_ = std::move(r);
}

/// Exactly one record, always present; insertion replaces its value.
template <class T>
class ExactlyOne {
 public:
  explicit ExactlyOne(T initial = T()) : value_(std::move(initial)) {}
  void set(T v) { value_ = std::move(v); }
  const T& get() const { return value_; }
  T& get() { return value_; }

 private:
  T value_;
};

/// The whole store of one run.
struct FactStore {
  // group settingsfacts
  AtMostOne<Quiet> quiet;
  AtMostOne<Create> create;
  AtMostOne<FragmentFolder> fragmentfolder;
  AtMostOne<BuildFolder> buildfolder;
  AtMostOne<Delimiters> delimiters;
  AtMostOne<Mark> mark;
  Many<GHandler> ghandler;
  AtMostOne<Output> output;

  // group projectfacts
  AtMostOne<Root> root;
  Many<Global> g;
  AtMostOne<DirectFiles> directfiles;
  Many<File> file;
  Many<Clone> clone;
  Many<Tags> tags;
  Many<Handler> handler;
  AtMostOne<Notes> notes;

  // engine bookkeeping, one group per kind (ct and ctag form one group)
  Many<std::string> tomake;
  ExactlyOne<std::string> currproj;
  ExactlyOne<ClonedFrom> isclonedfrom;
  /// Position found by the last searchstringfailer (1-based), -1 when absent.
  ExactlyOne<int64_t> foundpos{-1};
  IndexedTexts noinsertionshere;
  /// One flag per inclusion in progress, innermost last.
  std::vector<bool> hasnoinsertions;
  /// The stream stack, top (innermost source) first.
  Many<Frame> currstreamfile;
  ExactlyOne<std::string> accumulator;
  /// Per direct-file extension: the accumulator offset before which no
  /// "!" + extension + "!" placeholder begins (reset with the accumulator).
  std::unordered_map<std::string, size_t> placeholderscan;
  /// Sources used for the current page, newest first.
  IndexedTexts seenfile;
  ExactlyOne<std::string> ct;
  ExactlyOne<int32_t> ctag{0};
  Many<std::string> placeholderfile;
  Many<Global> tmpg;
  Many<std::string> un;
  ExactlyOne<int32_t> hlp{0};

  /// Removes every record of the group settingsfacts.
  void clearsettings();
  /// Appends one record of a group, by its kind (1041 rules apply).
  void append(const SettingsRecord& r);
  void append(const ProjectRecord& r);
};

/// The store of this run.
FactStore& facts();
/// Replaces the store with a fresh one (tests and the start of a run).
void resetfacts();

}  // namespace qs
