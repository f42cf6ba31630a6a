#pragma once
// The cube file (".mf"): the solution record on its first line, then an HTML page that
// carries the same position and solution for other cube programs: a Cube Explorer move
// line, an ACUBE position line and the parameters of a cube applet. Chinese text is
// GBK, line ends are CR LF. The program itself reads back only the head of the file.
#include <cstddef>
#include <string>
#include <string_view>

#include "files/file_access.h"
#include "model/tarnex_source.h"

namespace velmora {

// Bytes read from the start of a file when it is opened.
inline constexpr std::size_t kCubeFileHeadBytes = 500;

inline constexpr std::string_view kSavedStatus = "文件保存完毕";
inline constexpr std::string_view kSaveFailedStatus = "文件保存失败";
inline constexpr std::string_view kOpenedStatus = "文件打开成功";
inline constexpr std::string_view kOpenFailedStatus = "文件打开失败";
inline constexpr std::string_view kNoDataMessage = "文件中没有数据";
inline constexpr std::string_view kPartsErrorMessage = "魔方零件错误，不能复原！";

// Name of the method in the file's own-format line, by methodUsed.
std::string_view CubeFileMethodName(int methodUsed);

// The whole cube file for the model as it stands (the record, the demonstration step
// reached and the live cube), in out. Changes nothing in the model. False when a text
// could not be converted to GBK; out is then incomplete and must not be written.
bool WriteCubeFileBytes(const CTarnexSource& m, std::string& out);

// The ACUBE position line (70 characters) of the live cube.
void WriteAcubeLine(const CTarnexSource& m, std::string& out);

}  // namespace velmora
