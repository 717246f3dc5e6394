#include "flib/io/IniLineEditor.h"

#include <cstdio>

#include "flib/io/CFileStdW.h"

namespace Flib { namespace IO { namespace File {

namespace {

// The CRT modes that read and rewrite a file in the encoding it already has.
struct Encoding {
    const wchar_t* read;
    const wchar_t* write;
};

Encoding EncodingOf(const std::wstring& path)
{
    CFileStdW file;
    unsigned char head[3] = {};
    std::size_t count = 0;
    if (file.Open(path.c_str(), L"rb")) {
        count = file.Read(head, 1, sizeof head);
        file.Close();
    }
    if (count >= 2 && head[0] == 0xFF && head[1] == 0xFE) {
        return {L"r, ccs=UNICODE", L"w, ccs=UTF-16LE"};
    }
    if (count == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
        return {L"r, ccs=UNICODE", L"w, ccs=UTF-8"};
    }
    return {L"r", L"w"};
}

bool BeginsWith(const std::wstring& line, const std::wstring& prefix) { return line.compare(0, prefix.size(), prefix) == 0; }

// One whole line, however long: fgetws hands a long line over in pieces.
bool ReadLine(CFileStdW& file, std::wstring& line)
{
    line.clear();
    wchar_t piece[2048];
    while (file.GetLine(piece, 2048)) {
        line += piece;
        if (!line.empty() && line.back() == L'\n') {
            break;
        }
    }
    return !line.empty();
}

} // namespace

int RemoveIniLines(const std::wstring& path, const std::wstring& header, const std::wstring& keyPrefix)
{
    const Encoding encoding = EncodingOf(path);
    CFileStdW file;
    if (!file.Open(path.c_str(), encoding.read)) {
        return 0;
    }
    std::wstring kept;
    kept.reserve(65536);
    bool inside = false;
    bool found = false;
    std::wstring line;
    while (ReadLine(file, line)) {
        if (BeginsWith(line, L"[")) {
            // A repeated header of the same section counts as that section again.
            inside = BeginsWith(line, header);
            if (inside && keyPrefix.empty()) {
                found = true;
                continue;
            }
        } else if (inside && (keyPrefix.empty() || BeginsWith(line, keyPrefix))) {
            found = true;
            continue;
        }
        kept += line;
    }
    file.Close();

    if (!file.Open(path.c_str(), encoding.write)) {
        return 0;
    }
    file.PutString(kept.c_str());
    file.Close();
    return found ? 1 : 0;
}

}}} // namespace Flib::IO::File
