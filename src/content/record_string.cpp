#include "content/record_string.h"

#include <deque>
#include <ostream>
#include <unordered_map>

namespace {

// Texts by number and numbers by text. A deque keeps every text where it was put, so the
// references str() hands out stay good while the table grows.
struct TextTable {
  std::deque<std::string> texts{std::string()};
  std::unordered_map<std::string, int32_t> numbers{{std::string(), 0}};
};

TextTable& table() {
  static TextTable t;
  return t;
}

}  // namespace

RecordString& RecordString::operator=(const std::string& text) {
  TextTable& t = table();
  const auto found = t.numbers.find(text);
  if (found != t.numbers.end()) {
    id_ = found->second;
    return *this;
  }
  id_ = static_cast<int32_t>(t.texts.size());
  t.texts.push_back(text);
  t.numbers.emplace(text, id_);
  return *this;
}

const std::string& RecordString::str() const { return table().texts[static_cast<size_t>(id_)]; }

std::ostream& operator<<(std::ostream& out, const RecordString& s) { return out << s.str(); }
