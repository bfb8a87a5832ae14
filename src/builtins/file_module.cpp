// The file module: an existence test, one file read line by line, one file written
// and one appended, each named again by its mode when it is closed.
#include <array>

#include "builtins/frame.h"
#include "builtins/modules.h"
#include "builtins/strings.h"
#include "builtins/text_file.h"
#include "frontend/report.h"
#include "loader/program.h"

namespace ml {

namespace {

inline constexpr MsgPair kMsgFileNotFound{"File not found: ", "檔案未找到: "};
inline constexpr MsgPair kMsgFileMode{"File mode error: ", "檔案模式錯誤: "};

// A read value is a string literal: marker and quote on both sides. Four bytes of a
// 255-byte value go to them.
inline constexpr std::size_t kMaxReadText = kMaxText - 4;

[[noreturn]] void fail(Interp& in, const MsgPair& message, const std::string& detail) {
    ErrBug(in, in.exec.ListBox_2, Say(in, message) + detail, in.program.text(in.exec.ListBox_2));
}

// The handle of a mode, compared exactly ("R" and "rb" are no modes); null for none.
FileHandle* handleOf(Interp& in, std::string_view mode) {
    FileState& F = in.modules.file;
    if (mode == "r") return &F.fp_r;
    if (mode == "w") return &F.fp_w;
    if (mode == "a") return &F.fp_a;
    return nullptr;
}

// Opened in binary mode so both builds read the same bytes; ReadPiece folds CR LF.
// Some systems open a directory for reading; reading it fails, and so does this.
FileHandle openForReading(const std::string& name) {
    FileHandle file(std::fopen(name.c_str(), "rb"));
    if (!file) return file;
    if (std::getc(file.get()) == EOF && std::ferror(file.get())) return nullptr;
    std::rewind(file.get());
    return file;
}

bool fileExists(std::string name) {
    std::erase(name, '"');
    return openForReading(name) != nullptr;
}

std::string exists(Interp& in) { return fileExists(Arg(in, 1)) ? "1" : "0"; }

// Nothing is left to give only when the read file ran into its end (or none is open).
std::string eof(Interp& in) {
    const FileState& F = in.modules.file;
    const bool atEnd = F.pending.empty() && (!F.fp_r || std::feof(F.fp_r.get()));
    return atEnd ? "1" : "0";
}

// A handle in use is closed before its mode opens again, so what was written to it
// reaches its file first.
std::string open(Interp& in) {
    const std::string& name = Arg(in, 1);
    const std::string& mode = Arg(in, 2);
    FileHandle* handle = handleOf(in, mode);
    if (!handle) fail(in, kMsgFileMode, mode);
    handle->reset();
    if (mode == "r") {
        in.modules.file.pending.clear();
        if (fileExists(name)) *handle = openForReading(name);
        if (!*handle) fail(in, kMsgFileNotFound, name);
    } else {
        handle->reset(std::fopen(name.c_str(), mode.c_str()));
    }
    return {};
}

// Bytes that the rest of the line's evaluation would read as syntax (quotes, markers,
// escapes, comparisons) travel as \xHH escapes, so the value is exactly the bytes read.
bool needsEscape(char c) {
    return c == kMarker || c == '"' || c == '\\' || c == '<' || c == '=' || c == '>';
}

constexpr char kHex[] = "0123456789abcdef";

std::string literal(std::string_view text) {
    std::string out = "\x07\"";
    for (char c : text) {
        if (!needsEscape(c)) {
            out += c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    }
    return out + "\x07\"";
}

// The next line, or the next piece of a line too long for one value: as many of its
// bytes as fit in a literal; the rest waits for the next read. Without an open read
// file, or past its end, the value is empty.
std::string read(Interp& in) {
    FileState& F = in.modules.file;
    std::string piece = std::move(F.pending);
    F.pending.clear();
    if (F.fp_r && (piece.empty() || piece.back() != '\n')) {
        std::string more;
        ReadPiece(F.fp_r.get(), more);
        piece += more;
    }
    const bool lineEnd = !piece.empty() && piece.back() == '\n';
    if (lineEnd) piece.pop_back();
    std::size_t taken = 0, size = 0;
    for (; taken < piece.size(); ++taken) {
        size += needsEscape(piece[taken]) ? 4 : 1;
        if (size > kMaxReadText) break;
    }
    if (taken < piece.size()) F.pending = piece.substr(taken) + (lineEnd ? "\n" : "");
    piece.resize(taken);
    return literal(piece);
}

std::string write(FileHandle& file, const std::string& text) {
    if (file) std::fwrite(text.data(), 1, text.size(), file.get());
    return {};
}

std::string writeW(Interp& in) { return write(in.modules.file.fp_w, Arg(in, 1)); }
std::string writeA(Interp& in) { return write(in.modules.file.fp_a, Arg(in, 1)); }

// Closing a handle that holds no open file does nothing.
std::string close(Interp& in) {
    const std::string& mode = Arg(in, 1);
    FileHandle* handle = handleOf(in, mode);
    if (!handle) fail(in, kMsgFileMode, mode);
    handle->reset();
    if (mode == "r") in.modules.file.pending.clear();
    return {};
}

constexpr std::array<Builtin, 7> kFile = {{
    {"file.exists", 1, true, exists},
    {"file.eof", 0, true, eof},
    {"file.open", 2, false, open},
    {"file.read", 0, true, read},
    {"file.write", 1, false, writeW},
    {"file.addwrite", 1, false, writeA},
    {"file.close", 1, false, close},
}};

}  // namespace

const ModuleDef& FileModule() {
    static constexpr ModuleDef module{"file.", Module::File, kFile};
    return module;
}

}  // namespace ml
