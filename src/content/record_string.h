// The text field of a record in a global table (an entity's name, a sprite's animation).
//
// A std::string member gives every record of a table a constructor that writes to it at start-
// up, so a 1,001-entry table is paged in whole before any stage uses a slot of it. Here the
// empty string is a null pointer: the tables are constant-initialised to zero, and a record's
// page is touched only when the game writes to that record.
#pragma once
#include <iosfwd>
#include <string>

class RecordString {
 public:
  constexpr RecordString() noexcept = default;
  RecordString(const RecordString& other) { *this = other; }
  RecordString(RecordString&& other) noexcept : text_(other.text_) { other.text_ = nullptr; }
  ~RecordString() { delete text_; }

  RecordString& operator=(const RecordString& other) { return *this = other.str(); }
  RecordString& operator=(RecordString&& other) noexcept;
  RecordString& operator=(const std::string& text);
  RecordString& operator=(const char* text) { return *this = std::string(text); }

  const std::string& str() const;
  operator const std::string&() const { return str(); }
  bool empty() const { return text_ == nullptr || text_->empty(); }

 private:
  std::string* text_ = nullptr;  // null: the empty string
};

inline bool operator==(const RecordString& a, const std::string& b) { return a.str() == b; }
inline bool operator==(const RecordString& a, const char* b) { return a.str() == b; }
inline bool operator==(const RecordString& a, const RecordString& b) { return a.str() == b.str(); }
inline bool operator==(const std::string& a, const RecordString& b) { return b == a; }
inline bool operator==(const char* a, const RecordString& b) { return b == a; }
template <typename T>
bool operator!=(const RecordString& a, const T& b) { return !(a == b); }
inline bool operator!=(const std::string& a, const RecordString& b) { return !(b == a); }
inline bool operator!=(const char* a, const RecordString& b) { return !(b == a); }
std::ostream& operator<<(std::ostream& out, const RecordString& s);
