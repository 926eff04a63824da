#include "content/record_string.h"

#include <ostream>

namespace {
const std::string kEmpty;
}

RecordString& RecordString::operator=(RecordString&& other) noexcept {
  if (this != &other) {
    delete text_;
    text_ = other.text_;
    other.text_ = nullptr;
  }
  return *this;
}

RecordString& RecordString::operator=(const std::string& text) {
  if (text_ != nullptr)
    *text_ = text;  // reuses what the record already holds
  else if (!text.empty())
    text_ = new std::string(text);
  return *this;
}

const std::string& RecordString::str() const { return text_ != nullptr ? *text_ : kEmpty; }

std::ostream& operator<<(std::ostream& out, const RecordString& s) { return out << s.str(); }
