#include "platform/win32/win32_read_file.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/win32_text.h"

namespace ml {

namespace {

// ReadFile counts in 32 bits; the size only guides the allocation.
bool ReadUpTo(HANDLE file, std::size_t limit, std::uint64_t size, std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t kPart = std::size_t{1} << 30;
    bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(limit, size)));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD part = static_cast<DWORD>(std::min(bytes.size() - done, kPart));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, part, &got, nullptr)) return false;
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

}  // namespace

bool ReadFileStart(const std::string& file, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    const std::wstring name = ToWide(CP_ACP, file);
    if (name.empty()) return false;
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return false;
    }
    HANDLE opened = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    // Device names such as NUL or CON open like files, and are no files on a disk.
    LARGE_INTEGER size{};
    const bool read = GetFileType(opened) == FILE_TYPE_DISK && GetFileSizeEx(opened, &size) &&
                      ReadUpTo(opened, limit, static_cast<std::uint64_t>(size.QuadPart), bytes);
    CloseHandle(opened);
    if (!read) bytes.clear();
    return read;
}

}  // namespace ml
