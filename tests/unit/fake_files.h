// Files a test serves from memory and a clock that stands still, so that a test can
// give a script known bytes and a known date, then check what it made of them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/stdio_files.h"

namespace ml {

// Reads and writes one string as the C runtime reads and writes a binary file: a read
// that stops at the end, not at a line feed or its limit, marks the end.
class FakeFile final : public File {
public:
    explicit FakeFile(std::string& bytes) : bytes_(bytes) {}

    bool readLine(std::string& line, std::size_t limit) override {
        if (at_ >= bytes_.size()) {
            atEnd_ = true;
            return false;
        }
        const std::size_t feed = bytes_.find('\n', at_);
        const std::size_t lineEnd = feed == std::string::npos ? bytes_.size() : feed + 1;
        const std::size_t end = std::min(lineEnd, at_ + limit);
        atEnd_ = end == bytes_.size() && end - at_ < limit && feed == std::string::npos;
        line.assign(bytes_, at_, end - at_);
        at_ = end;
        return true;
    }
    bool takeLineFeed() override {
        if (at_ >= bytes_.size()) {
            atEnd_ = true;
            return false;
        }
        if (bytes_[at_] != '\n') return false;
        ++at_;
        return true;
    }
    bool atEnd() override { return atEnd_; }
    bool readable() override { return true; }
    bool write(std::string_view bytes) override {
        bytes_.append(bytes);
        return true;
    }
    bool close() override { return true; }

private:
    std::string& bytes_;
    std::size_t at_ = 0;
    bool atEnd_ = false;
};

// Serves the files a test puts in `served`; what a script writes to one of them lands
// there. Every other name reaches the disk as the program would reach it, so tests of
// devices, pipes and folders see the real ones.
class FakeFiles final : public Files {
public:
    std::map<std::string, std::string> served;

    std::unique_ptr<File> open(const std::string& name, FileMode mode) override {
        const auto found = served.find(name);
        if (found == served.end()) return disk_.open(name, mode);
        if (mode == FileMode::WriteBinary || mode == FileMode::WriteText) found->second.clear();
        return std::make_unique<FakeFile>(found->second);
    }
    bool isPlainFile(const std::string& name) override { return served.contains(name) || disk_.isPlainFile(name); }
    bool isPipe(const std::string& name) override { return !served.contains(name) && disk_.isPipe(name); }
    bool sameFile(const std::string& one, const std::string& other) override {
        if (served.contains(one) || served.contains(other)) return one == other;
        return disk_.sameFile(one, other);
    }

private:
    StdioFiles disk_;
};

// Stands at Thursday 2024-02-29 13:45:30 (1709214330 seconds) unless a test moves it;
// the steady clock moves only when a test sets it.
class FakeClock final : public Clock {
public:
    std::int64_t seconds = 1709214330;
    LocalTime local{2024, 2, 29, 4, 13, 45, 30};
    std::int64_t steady = 0;

    std::int64_t secondsSinceEpoch() override { return seconds; }
    bool localTime(std::int64_t, LocalTime& out) override {
        out = local;
        return true;
    }
    std::int64_t steadyNanoseconds() override { return steady; }
};

}  // namespace ml
