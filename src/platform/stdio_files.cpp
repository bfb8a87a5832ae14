#include "platform/stdio_files.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace ml {

namespace {

// Neither a zero nor a line feed, so fgets's own zero is the last zero in the buffer.
constexpr char kFill = '\x01';

// Where fgets put its zero: the first zero, unless the text read holds zeros of its
// own; then the last one, as every place after fgets's zero still holds the fill.
std::size_t ReadLength(const char* buffer, std::size_t limit) {
    const auto* first = static_cast<const char*>(std::memchr(buffer, '\0', limit + 1));
    const auto at = static_cast<std::size_t>(first - buffer);
    if (at == limit || (at > 0 && buffer[at - 1] == '\n')) return at;
    std::size_t last = limit;
    while (buffer[last] != '\0') --last;
    return last;
}

const char* ModeText(FileMode mode) {
    switch (mode) {
    case FileMode::ReadBinary: return "rb";
    case FileMode::ReadText: return "r";
    case FileMode::WriteBinary: return "wb";
    case FileMode::WriteText: return "w";
    case FileMode::AppendText: return "a";
    }
    return "rb";
}

class StdioFile final : public File {
public:
    explicit StdioFile(std::FILE* file) : file_(file) {}
    ~StdioFile() override {
        if (file_ != nullptr) std::fclose(file_);
    }
    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;

    bool readLine(std::string& bytes, std::size_t limit) override {
        char buffer[kLongestRead + 1];
        limit = limit < 1 ? 1 : limit > kLongestRead ? kLongestRead : limit;
        std::memset(buffer, kFill, limit + 1);
        if (std::fgets(buffer, static_cast<int>(limit + 1), file_) == nullptr) return false;
        bytes.assign(buffer, ReadLength(buffer, limit));
        return true;
    }
    bool takeLineFeed() override {
        const int next = std::getc(file_);
        if (next == '\n') return true;
        if (next != EOF) std::ungetc(next, file_);
        return false;
    }
    bool atEnd() override { return std::feof(file_) != 0; }
    bool readable() override {
        if (std::getc(file_) == EOF && std::ferror(file_)) return false;
        std::rewind(file_);
        return true;
    }
    bool write(std::string_view bytes) override {
        return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    }
    bool close() override {
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        return closed;
    }

private:
    std::FILE* file_;
};

}  // namespace

std::unique_ptr<File> StdioFiles::open(const std::string& name, FileMode mode) {
    std::FILE* file = std::fopen(name.c_str(), ModeText(mode));
    if (file == nullptr) return nullptr;
    return std::make_unique<StdioFile>(file);
}

bool StdioFiles::isPlainFile(const std::string& name) {
    std::error_code error;
    return std::filesystem::is_regular_file(name, error);
}

bool StdioFiles::isPipe(const std::string& name) {
    std::error_code error;
    return std::filesystem::is_fifo(name, error);
}

bool StdioFiles::sameFile(const std::string& one, const std::string& other) {
    std::error_code error;
    return std::filesystem::equivalent(one, other, error);
}

}  // namespace ml
