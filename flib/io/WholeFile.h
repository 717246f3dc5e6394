#pragma once
// A file read or written as a whole, in the face of other programs that hold it
// open for a moment (sync clients, backup tools, editors).
#include <windows.h>

#include <functional>
#include <string>

namespace Flib { namespace IO { namespace File {

// Runs `attempt` until it succeeds or `patienceMs` has passed; true when it succeeded.
bool RetryFor(DWORD patienceMs, const std::function<bool()>& attempt);

enum WholeFileRead : int {
    WFR_READ = 0,
    WFR_MISSING = 1, // no file at the path (or a directory)
    WFR_FAILED = 2,  // still locked or refused when the patience ran out
};

// Reads every byte, sharing the file with readers, writers and deleters.
WholeFileRead ReadWholeFile(const std::wstring& path, std::string& bytes, DWORD patienceMs);

// Writes the bytes into the existing or new file at `path`, replacing its content.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

}}} // namespace Flib::IO::File
