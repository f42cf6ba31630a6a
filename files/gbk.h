#pragma once
// Conversion of the program's texts (held as UTF-8) to and from GBK, the encoding of
// the Chinese text in cube files.
#include <string>
#include <string_view>

namespace velmora {

// Appends text, converted from UTF-8 to GBK, to out. Returns false (out unchanged)
// when the text cannot be converted or no converter is available.
bool AppendGbk(std::string& out, std::string_view utf8);

// Appends GBK bytes converted to UTF-8 to out; false (out unchanged) on bad bytes.
bool AppendUtf8FromGbk(std::string& out, std::string_view gbk);

}  // namespace velmora
