#include "shell/key_names.h"

namespace {

constexpr int kFirstKey = 1;
constexpr int kLastKey = 322;  // the platform's key symbols end here
constexpr int kFirstPrintable = 33, kLastPrintable = 126;
constexpr int kKeypadFirst = 256, kKeypadDigits = 10;
constexpr int kFunctionFirst = 282, kFunctionKeys = 15;

struct KeyWord {
  int key;
  const char* name;
};
// The keys that have no character of their own.
constexpr KeyWord kKeyWords[] = {
    {8, "backspace"},   {9, "tab"},          {12, "clear"},       {13, "return"},     {19, "pause"},
    {27, "escape"},     {32, "space"},       {127, "delete"},     {266, "kp."},       {267, "kp/"},
    {268, "kp*"},       {269, "kp-"},        {270, "kp+"},        {271, "kpenter"},   {272, "kp="},
    {273, "up"},        {274, "down"},       {275, "right"},      {276, "left"},      {277, "insert"},
    {278, "home"},      {279, "end"},        {280, "pageup"},     {281, "pagedown"},  {300, "numlock"},
    {301, "capslock"},  {302, "scrolllock"}, {303, "rshift"},     {304, "lshift"},    {305, "rctrl"},
    {306, "lctrl"},     {307, "ralt"},       {308, "lalt"},       {309, "rmeta"},     {310, "lmeta"},
    {311, "lsuper"},    {312, "rsuper"},     {313, "mode"},       {315, "help"},      {316, "print"},
    {317, "sysreq"},    {318, "break"},      {319, "menu"},
};

}  // namespace

std::string keyName(int key) {
  if (key < kFirstKey || key > kLastKey) return "";
  if (key >= kFirstPrintable && key <= kLastPrintable) return std::string(1, static_cast<char>(key));
  if (key >= kKeypadFirst && key < kKeypadFirst + kKeypadDigits) return "kp" + std::to_string(key - kKeypadFirst);
  if (key >= kFunctionFirst && key < kFunctionFirst + kFunctionKeys) return "f" + std::to_string(key - kFunctionFirst + 1);
  for (const KeyWord& w : kKeyWords)
    if (w.key == key) return w.name;
  return "#" + std::to_string(key);  // never a digit key's name
}

int keyNamed(const std::string& name) {
  for (int key = kFirstKey; key <= kLastKey; ++key)
    if (keyName(key) == name) return key;
  return 0;
}
