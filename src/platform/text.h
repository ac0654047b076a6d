// Text helpers: UTF-8, splitting and number parsing.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

std::vector<uint32_t> utf8Decode(const std::string& s);
std::string utf8Encode(const std::vector<uint32_t>& cps);
void utf8Append(std::string& s, uint32_t cp);
size_t utf8Length(const std::string& s);

// Splits at every occurrence of sep, keeping empty fields ("a//b" -> "a", "", "b").
std::vector<std::string> split(const std::string& s, const std::string& sep);
// Leading blanks, optional sign, decimal digits to the first non-digit; 0 when none;
// saturates instead of overflowing.
int toInt(const std::string& s);
double toFloat(const std::string& s);
std::string replaceAll(std::string s, const std::string& from, const std::string& to);
std::string trim(const std::string& s);

}  // namespace plat
