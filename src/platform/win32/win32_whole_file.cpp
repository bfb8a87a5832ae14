#include "platform/win32/win32_whole_file.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace ml {

namespace {

enum class Existing { None, PlainFile, Other, Unknown };

// Moving a file over a link would put the file in the link's place, so a link counts
// as no plain file; other reparse points (files kept in the cloud) are files.
bool IsLink(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return found.dwReserved0 == IO_REPARSE_TAG_SYMLINK || found.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT;
}

// Names with wildcards are no file names and fail here, before FindFirstFileW could
// read them as a pattern.
Existing KindOf(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Existing::None : Existing::Unknown;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Existing::Other;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && IsLink(path)) return Existing::Other;
    return Existing::PlainFile;
}

// The folder part of a path with its last separator; "." for a bare name.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t end = path.find_last_of(L"\\/:");
    return end == std::wstring::npos ? std::wstring(L".") : path.substr(0, end + 1);
}

bool WriteAll(HANDLE file, FilePieces pieces) {
    // WriteFile counts in 32 bits; a piece goes in parts of at most a gigabyte.
    constexpr std::size_t kPart = std::size_t{1} << 30;
    for (const std::span<const std::uint8_t> piece : pieces) {
        for (std::size_t done = 0; done < piece.size();) {
            const DWORD part = static_cast<DWORD>(piece.size() - done < kPart ? piece.size() - done : kPart);
            DWORD written = 0;
            if (!WriteFile(file, piece.data() + done, part, &written, nullptr) || written == 0) return false;
            done += written;
        }
    }
    return true;
}

// The data reaches the disk before the new file takes the name.
bool WriteDurably(const wchar_t* name, FilePieces pieces) {
    HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = WriteAll(file, pieces) && FlushFileBuffers(file);
    return CloseHandle(file) && written;
}

}  // namespace

FileWrite ReplaceWholeFile(const std::string& file, FilePieces pieces) {
    const std::wstring target = ToWide(CP_ACP, file);
    if (target.empty()) return FileWrite::Failed;
    const Existing existing = KindOf(target);
    if (existing == Existing::Other) return FileWrite::NotPlainFile;
    wchar_t temporary[MAX_PATH];
    if (existing == Existing::Unknown || GetTempFileNameW(FolderOf(target).c_str(), L"mlk", 0, temporary) == 0) {
        return FileWrite::Failed;
    }
    if (WriteDurably(temporary, pieces) &&
        MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return FileWrite::Written;
    }
    DeleteFileW(temporary);
    return FileWrite::Failed;
}

}  // namespace ml
