// The file module: an existence test, one file read line by line, one file written
// and one appended, each named again by its mode when it is closed.
#include <algorithm>
#include <array>

#include "core/builtin.h"
#include "builtins/builtin_modules.h"
#include "builtins/file_state.h"
#include "core/strings.h"
#include "core/text_file.h"
#include "core/errors.h"
#include "core/program.h"

namespace ml {

namespace {

inline constexpr MsgPair kMsgFileNotFound{"File not found: ", "檔案未找到: "};
inline constexpr MsgPair kMsgFileMode{"File mode error: ", "檔案模式錯誤: "};
inline constexpr MsgPair kMsgFileNotOpened{"Can not open file for writing: ", "無法開啟檔案以寫入: "};
inline constexpr MsgPair kMsgFileNotWritten{"Can not write file: ", "無法寫入檔案: "};
inline constexpr MsgPair kMsgFileOpenTwice{"File is already open for writing: ", "檔案已開啟寫入: "};

[[noreturn]] void FailNaming(Interp& in, const MsgPair& message, const std::string& detail) {
    Fail(in, Say(in, message) + detail);
}

// Closing a file that holds no open file does nothing; data that did not reach the
// file is a fatal error, as a failed write is.
void CloseWriting(Interp& in, WrittenFile& written) {
    if (!written.file) return;
    const bool closed = written.file->close();
    written.file.reset();
    if (!closed) FailNaming(in, kMsgFileNotWritten, written.name);
}

bool FileExists(Files& files, std::string name) {
    std::erase(name, '"');
    return files.isPlainFile(name) && OpenForReading(files, name) != nullptr;
}

std::string FileExists(Interp& in) { return FileExists(in.platform.files, Arg(in, 1)) ? "1" : "0"; }

// Nothing is left to give only when the read file ran into its end (or none is FileOpen).
std::string FileEof(Interp& in) {
    const FileState& F = FileStateOf(in);
    const bool atEnd = F.pending.empty() && (!F.reading || F.reading->atEnd());
    return atEnd ? "1" : "0";
}

// The modes are compared exactly ("R" and "rb" are no modes).
bool IsMode(std::string_view mode) { return mode == "r" || mode == "w" || mode == "a"; }

void OpenReadFile(Interp& in, const std::string& name) {
    FileState& F = FileStateOf(in);
    F.reading.reset();
    F.pending.clear();
    if (FileExists(in.platform.files, name)) F.reading = OpenForReading(in.platform.files, name);
    if (!F.reading) FailNaming(in, kMsgFileNotFound, name);
}

// One file may not be open for writing and for appending at once: two streams over
// it would each keep their own place in it, and the bytes of one would be lost under
// the other's. Its two names may differ ("two.txt", "./two.txt"). A pipe is refused:
// opening it waits for a reader that may never come. A device takes what is written.
void OpenForWriting(Interp& in, const std::string& name, const std::string& mode) {
    FileState& F = FileStateOf(in);
    WrittenFile& written = mode == "w" ? F.writing : F.appending;
    const WrittenFile& other = mode == "w" ? F.appending : F.writing;
    CloseWriting(in, written);
    Files& files = in.platform.files;
    if (other.file && files.sameFile(other.name, name)) FailNaming(in, kMsgFileOpenTwice, name);
    if (files.isPipe(name)) FailNaming(in, kMsgFileNotOpened, name);
    written.file = files.open(name, mode == "w" ? FileMode::WriteText : FileMode::AppendText);
    if (!written.file) FailNaming(in, kMsgFileNotOpened, name);
    written.name = name;
}

// A file in use is closed before its mode opens again, so what was written to it
// reaches its file first.
std::string FileOpen(Interp& in) {
    const std::string& name = Arg(in, 1);
    const std::string& mode = Arg(in, 2);
    if (!IsMode(mode)) FailNaming(in, kMsgFileMode, mode);
    if (mode == "r") OpenReadFile(in, name);
    else OpenForWriting(in, name, mode);
    return {};
}

// The next line, or the next piece of a line too long for one value: as many of its
// bytes as its literal carries, short of a character the cut would split; the rest
// waits for the next read. Without an open file, or past its end, the value is empty.
std::string FileRead(Interp& in) {
    FileState& F = FileStateOf(in);
    std::string piece = std::move(F.pending);
    F.pending.clear();
    if (F.reading && piece.empty()) {
        ReadPiece(*F.reading, piece);
    } else if (F.reading && piece.back() != '\n') {
        std::string more;
        ReadPiece(*F.reading, more);
        piece += more;
    }
    const bool lineEnd = !piece.empty() && piece.back() == '\n';
    if (lineEnd) piece.pop_back();
    const std::size_t taken = PieceEnd(piece, DataThatFits(piece, ResultReading::AsText));
    if (taken < piece.size()) F.pending = piece.substr(taken) + (lineEnd ? "\n" : "");
    piece.resize(taken);
    return piece;
}

// Whether the last read ended its line (at a line end or at the end of the file):
// a read that stopped inside a line left the rest of it waiting.
std::string FileLineEnd(Interp& in) { return FileStateOf(in).pending.empty() ? "1" : "0"; }

std::string Write(Interp& in, WrittenFile& written, const std::string& text) {
    if (!written.file) return {};
    if (!written.file->write(text)) FailNaming(in, kMsgFileNotWritten, written.name);
    return {};
}

std::string FileWriteW(Interp& in) { return Write(in, FileStateOf(in).writing, Arg(in, 1)); }
std::string FileWriteA(Interp& in) { return Write(in, FileStateOf(in).appending, Arg(in, 1)); }

std::string FileClose(Interp& in) {
    const std::string& mode = Arg(in, 1);
    FileState& F = FileStateOf(in);
    if (!IsMode(mode)) FailNaming(in, kMsgFileMode, mode);
    if (mode == "r") {
        F.reading.reset();
        F.pending.clear();
    } else {
        CloseWriting(in, mode == "w" ? F.writing : F.appending);
    }
    return {};
}

constexpr std::array<Builtin, 8> kFile = {{
    {"file.exists", 1, Use::Value, FileExists},
    {"file.eof", 0, Use::Value, FileEof},
    {"file.open", 2, Use::Statement, FileOpen},
    {"file.read", 0, Use::Value, FileRead, nullptr, {}, ResultReading::AsText},
    {"file.lineend", 0, Use::Value, FileLineEnd},
    {"file.write", 1, Use::Statement, FileWriteW},
    {"file.addwrite", 1, Use::Statement, FileWriteA},
    {"file.close", 1, Use::Statement, FileClose},
}};

}  // namespace

void CloseFiles(Interp& in) {
    CloseWriting(in, FileStateOf(in).writing);
    CloseWriting(in, FileStateOf(in).appending);
}

const ModuleDef& FileModule() {
    static constexpr ModuleDef module{"file.", Module::File, kFile, nullptr, MakeModuleState<FileState>};
    return module;
}

}  // namespace ml
