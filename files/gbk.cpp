#include "files/gbk.h"

#include <iconv.h>

#include <cerrno>

namespace velmora {
namespace {

bool Convert(const char* to, const char* from, std::string& out, std::string_view in) {
    bool ascii = true;
    for (char c : in) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {  // both encodings agree on ASCII
        out.append(in);
        return true;
    }
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    const std::size_t start = out.size();
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char chunk[256];
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = chunk;
        std::size_t dstLeft = sizeof chunk;
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(chunk, static_cast<std::size_t>(dst - chunk));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = false;  // EILSEQ or EINVAL: a character without a mapping, or cut short
            break;
        }
    }
    iconv_close(cd);
    if (!ok) out.resize(start);
    return ok;
}

}  // namespace

bool AppendGbk(std::string& out, std::string_view utf8) {
    return Convert("GBK", "UTF-8", out, utf8);
}

bool AppendUtf8FromGbk(std::string& out, std::string_view gbk) {
    return Convert("UTF-8", "GBK", out, gbk);
}

}  // namespace velmora
