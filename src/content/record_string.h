// The text field of a record in a global table (an entity's name, a sprite's animation).
//
// The record holds a number, not the text: every distinct text gets a number once, in a
// table that only grows, and 0 is the empty string. So a record stays a plain block of bytes
// that a world snapshot copies whole, the tables are constant-initialised to zero, and a
// record's page is touched only when the game writes to that record.
#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>

class RecordString {
 public:
  constexpr RecordString() noexcept = default;

  RecordString& operator=(const std::string& text);
  RecordString& operator=(const char* text) { return *this = std::string(text); }

  const std::string& str() const;
  operator const std::string&() const { return str(); }
  bool empty() const { return id_ == 0; }
  // Equal texts have equal numbers.
  int32_t id() const { return id_; }

 private:
  int32_t id_ = 0;  // 0: the empty string
};

inline bool operator==(const RecordString& a, const std::string& b) { return a.str() == b; }
inline bool operator==(const RecordString& a, const char* b) { return a.str() == b; }
inline bool operator==(const RecordString& a, const RecordString& b) { return a.id() == b.id(); }
inline bool operator==(const std::string& a, const RecordString& b) { return b == a; }
inline bool operator==(const char* a, const RecordString& b) { return b == a; }
template <typename T>
bool operator!=(const RecordString& a, const T& b) { return !(a == b); }
inline bool operator!=(const std::string& a, const RecordString& b) { return !(b == a); }
inline bool operator!=(const char* a, const RecordString& b) { return !(b == a); }
std::ostream& operator<<(std::ostream& out, const RecordString& s);
