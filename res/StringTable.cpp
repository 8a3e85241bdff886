#include "res/StringTable.h"

#include <algorithm>
#include <vector>

#include "res/StringEntry.h"

namespace res {
namespace {

// The blocks merged and sorted once; lookups are a binary search. A duplicate
// id keeps its first row (the tests refuse duplicates anyway).
const std::vector<StringEntry>& Table() {
  static const std::vector<StringEntry> table = [] {
    std::vector<StringEntry> all;
    for (const StringBlock& block : {FrameStrings(), MessageStrings()}) {
      all.insert(all.end(), block.entries, block.entries + block.count);
    }
    std::stable_sort(all.begin(), all.end(), [](const StringEntry& a, const StringEntry& b) { return a.id < b.id; });
    return all;
  }();
  return table;
}

}  // namespace

const char* FindString(unsigned id) {
  const auto& table = Table();
  auto it = std::lower_bound(table.begin(), table.end(), id,
                             [](const StringEntry& e, unsigned value) { return e.id < value; });
  return it != table.end() && it->id == id ? it->text : nullptr;
}

std::string LoadString(unsigned id) {
  const char* text = FindString(id);
  return text ? std::string(text) : std::string();
}

std::vector<unsigned> AllStringIds() {
  std::vector<unsigned> ids;
  ids.reserve(Table().size());
  for (const StringEntry& e : Table()) {
    if (ids.empty() || ids.back() != e.id) ids.push_back(e.id);
  }
  return ids;
}

}  // namespace res
