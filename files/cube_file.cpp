// Writing the cube file and opening its head again.
#include "files/cube_file.h"

#include <cstdio>
#include <cstring>
#include <istream>
#include <ostream>

#include "files/gbk.h"
#include "model/export_maps.h"
#include "model/move_text_scan.h"
#include "model/shown_text.h"

namespace velmora {
namespace {

// The colour a net facelet (FaceletTable record 0-53) shows on the live cube.
int FaceletColour(const CTarnexSource& m, int facelet) {
    const FaceletRecord& r = m.FaceletTable[facelet];
    return m.StickerColour(r.row, r.col, r.col == 0 ? 0 : r.sticker);
}

// The Cube Explorer line: the record's moves read from the last token back to the
// first, each inverted, so that it turns the solved cube into the start position. The
// scan looks at every third character from the end; the count characters close it.
void WriteExplorerLine(std::string_view record, std::string& out) {
    const int n = static_cast<int>(record.size());
    for (int i = n - 1; i > kRecordMovesStart; i -= 3) {
        if (record[i] != ';') continue;
        std::size_t face = kProgramFaceLetters.find(record[i - 2]);
        if (face != std::string_view::npos) out += kExplorerFaceLetters[face];
        switch (record[i - 1]) {
            case '*': out += '2'; break;
            case '+': out += '\''; break;
            case '-': out += ' '; break;
            default: break;
        }
    }
    out += "    (";
    // A record made before the first solve holds no count characters.
    if (n > 73) out += record[73];
    if (n > 74) out += record[74];
    out += ')';
}

// The applet's move value: the tokens still to be demonstrated, from `from` on, as
// the standard letter of the face whose centre has the colour of the face number
// (letters) and the clockwise quarter turns (1, 2, 3).
void WriteAppletMoves(std::string_view record, int from, const char letters[8], std::string& out) {
    const int n = static_cast<int>(record.size());
    for (int i = from < 0 ? 0 : from; i < n; i += 3) {
        if (i + 2 >= n || record[i + 2] != ';') continue;
        std::size_t face = kProgramFaceLetters.find(record[i]);
        if (face != std::string_view::npos && letters[face + 1] != '\0') out += letters[face + 1];
        switch (record[i + 1]) {
            case '+': out += '1'; break;
            case '*': out += '2'; break;
            case '-': out += '3'; break;
            default: break;
        }
    }
}

// Reports a failed save and leaves its status.
int SaveFailed(CTarnexSource& m, const char* path) {
    FixedText<1200> text;
    if (path)
        text.Format("不能保存文件“%s”！", path);
    else
        text.Assign("不能保存文件！");
    m.user->Message(text, Buttons::Ok, Icon::Stop);
    m.statusText.Assign(kSaveFailedStatus);
    return -1;
}

int OpenFailed(CTarnexSource& m, const char* path) {
    FixedText<1200> text;
    if (path)
        text.Format("不能打开文件“%s”！", path);
    else
        text.Assign("不能读取文件！");
    m.user->Message(text, Buttons::Ok, Icon::Stop);
    m.statusText.Assign(kOpenFailedStatus);
    return -1;
}

// Loads the position named by the first bytes of a file. head holds count bytes and
// room for one more; a count past kCubeFileHeadBytes says that the file goes on. A
// head that looks like a position code (LooksLikeCode) must be a sound one: a
// malformed code fails the open like an unreadable file, and a code naming impossible
// pieces is a parts error; a move text with a control byte is refused naming it;
// either way the model is left as it was. A move text that goes on past the head
// runs up to its last whole token, and the user is told of the cut.
int LoadHead(CTarnexSource& m, char* head, std::size_t count, const char* path) {
    m.loadCodeVerdict = CodeVerdict::Sound;
    m.loadControlByte = 0;
    const bool more = count > kCubeFileHeadBytes;
    if (more) count = kCubeFileHeadBytes;
    if (count < 2) {
        m.user->Message(kNoDataMessage, Buttons::Ok, Icon::Stop);
        m.statusText.Assign(kOpenFailedStatus);
        return -1;
    }
    const char next = more ? head[count] : '\0';
    head[count] = '\0';
    std::string_view text(head, count);
    bool cut = false;
    if (LooksLikeCode(text)) {
        m.loadCodeVerdict = m.CheckPositionCode(text);
        if (m.loadCodeVerdict == CodeVerdict::Malformed) return OpenFailed(m, path);
        if (m.loadCodeVerdict == CodeVerdict::Impossible) {
            m.user->Message(kPartsErrorMessage, Buttons::Ok, Icon::None);
            m.statusText.Assign(kOpenFailedStatus);
            return -1;
        }
    } else {
        // A move text holds no control byte (a NUL included): such a file is refused,
        // never run in part.
        if (const std::size_t at = FindForbiddenControl(text); at != std::string_view::npos) {
            FixedText<255> said;
            said.Format("文件中的转动数据有控制字符“%s”（第%d个字节），文件没有打开！",
                        ShownText(text.substr(at, 1)).c_str(), static_cast<int>(at) + 1);
            m.user->Message(said, Buttons::Ok, Icon::Stop);
            m.statusText.Assign(kOpenFailedStatus);
            m.loadControlByte = static_cast<int>(at) + 1;
            return -1;
        }
        if (more) {
            std::size_t n = count;
            if (!IsSeparatorChar(next))
                while (n > 0 && !IsSeparatorChar(text[n - 1])) --n;
            text = text.substr(0, n);
            cut = true;
        }
    }
    if (cut) {
        FixedText<255> said;
        said.Format("文件超过%d字节，只执行了前%d个字符中的转动！", static_cast<int>(kCubeFileHeadBytes),
                    static_cast<int>(text.size()));
        m.user->Message(said, Buttons::Ok, Icon::Information);
    }
    m.LoadPositionText(text);
    m.loadTextCut = cut;
    m.statusText.Assign(kOpenedStatus);
    return 1;
}

}  // namespace

std::string_view CubeFileMethodName(int methodUsed) {
    switch (methodUsed) {
        case 2: return "八角法";
        case 3: return "最少步法";
        case 4: return "只处理中心小块的色向";
        case 5: return "最少步数法";
        case 1: return "分组法";
        default: return "其它法";
    }
}

void WriteAcubeLine(const CTarnexSource& m, std::string& out) {
    // Face position of each colour: the face whose centre has that colour.
    int position[8] = {};
    for (int k = 1; k <= 6; ++k) {
        int colour = m.cube.centres[k];
        if (colour >= 0 && colour < 8) position[colour] = k;
    }
    for (int facelet : kAcubeFaceletOrder) {
        int colour = facelet < 0 ? 0 : FaceletColour(m, facelet);
        int k = colour >= 0 && colour < 8 ? position[colour] : 0;
        out += kExportLetters[static_cast<std::size_t>(k)];
    }
}

bool WriteCubeFileBytes(const CTarnexSource& m, std::string& out) {
    out.clear();
    out.reserve(1200 + 2 * m.SolutionRecord.size());
    bool ok = true;
    auto text = [&](std::string_view utf8) { ok = AppendGbk(out, utf8) && ok; };
    const std::string_view record = m.SolutionRecord.view();

    // The record is ASCII unless a typed move string brought other text into it; such
    // text is kept in GBK like the rest of the file, or as it is if GBK cannot hold it.
    if (!AppendGbk(out, record)) out.append(record);
    text("\r\n<HTML><HEAD>\r\n");
    text("<META http-equiv=Content-Type content=\"text/html; charset=gb2312\">\r\n");
    text("<TITLE>魔方(Vorel's Cube)文件 Velmora</TITLE>\r\n");
    text("<!--魔方(Vorel's Cube)文件。本文中包含我的(Velmora)格式和三种其它格式：Cube Explorer格式，"
         "ACUBE格式，JAVA格式。\r\n如果同一目录下有CubeMove.class；lvorel.class；PlayThread.class这3个"
         "文件，可以把本文的后缀改为.htm利用支持JAVA的浏览器观看。//-->\r\n");
    text("<br>\r\n");
    text("Velmora格式，含位置描述和解法（");
    text(CubeFileMethodName(m.methodUsed));
    text("）。\r\n");
    text("<br><br>Cube Explorer存盘文件(*.txt)，含从已复原的魔方转成存盘图案的方法：<br>\r\n");
    WriteExplorerLine(record, out);

    char done[128];
    std::snprintf(done, sizeof done, "\r\n<br><br>已经完成了%d转，以下为当前状态：<br>\r\n",
                  m.turnCounter);
    text(done);
    text("ACUBE格式，一种位置描述。<br>\r\n");
    out.append(kAcubeHeader);
    text(" //魔方位置<br>\r\n");
    WriteAcubeLine(m, out);
    text("\r\n<br><br><br><br>\r\n");
    text("</HEAD>\r\n");
    text("<CENTER>\r\n");
    text("<applet code=\"lvorel.class\" width=\"125\" height=\"145\">\r\n");
    text("  <param name=\"pos\" value=\"");

    // Standard letter of the face whose centre shows each colour, met on the way.
    char letters[8] = {};
    for (int facelet : kAppletFaceletOrder) {
        int colour = FaceletColour(m, facelet);
        if (colour < 0 || colour >= 8) colour = 0;
        out += kAppletColourLetters[static_cast<std::size_t>(colour)];
        if (facelet % 9 == 4) letters[colour] = kExportLetters[static_cast<std::size_t>(facelet / 9 + 1)];
    }

    text("\">\r\n");
    text("  <param name=\"move\" value=\"");
    std::string moves;
    WriteAppletMoves(record, m.demoPos, letters, moves);
    out.append(moves);
    text("\">\r\n</applet></CENTER>\r\n<br>\r\n");
    out.append(moves);
    text("\r\n<br></HTML>\r\n");
    return ok;
}

int CTarnexSource::SaveCubeFile(std::ostream& out) {
    std::string bytes;
    if (!WriteCubeFileBytes(*this, bytes)) return SaveFailed(*this, nullptr);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) return SaveFailed(*this, nullptr);
    statusText.Assign(kSavedStatus);
    return 1;
}

int CTarnexSource::SaveCubeFile(const char* path) {
    std::string bytes;
    if (!WriteCubeFileBytes(*this, bytes) || !WriteFileReplacing(path, bytes))
        return SaveFailed(*this, path ? path : "");
    statusText.Assign(kSavedStatus);
    return 1;
}

int CTarnexSource::LoadCubeFile(std::istream& in) {
    // One byte past the head tells whether the file goes on.
    char head[kCubeFileHeadBytes + 2];
    in.read(head, kCubeFileHeadBytes + 1);
    std::size_t count = static_cast<std::size_t>(in.gcount());
    if (in.bad()) return OpenFailed(*this, nullptr);
    return LoadHead(*this, head, count, nullptr);
}

int CTarnexSource::LoadCubeFile(const char* path) {
    // Anything but a regular file (a pipe, a device, a folder) is refused without
    // waiting for it.
    char head[kCubeFileHeadBytes + 2];
    long count = ReadRegularFileHead(path, head, kCubeFileHeadBytes + 1);
    if (count < 0) return OpenFailed(*this, path ? path : "");
    return LoadHead(*this, head, static_cast<std::size_t>(count), path ? path : "");
}

}  // namespace velmora
