// Recording stand-ins for the host's console and code pages, so that a test can
// feed input and then assert the exact bytes and calls that reached the platform.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "fake_desktop.h"
#include "fake_files.h"
#include "fake_interop.h"
#include "fake_processes.h"
#include "platform/platform.h"

namespace ml {

class FakeConsole final : public Console {
public:
    // Every byte written, as the program wrote it.
    std::string out;
    // Every call other than write, in order: "clear", "cursor 3,4", "attr 30",
    // "run <command>", "pause".
    std::vector<std::string> log;
    // Writes and calls together, each call in braces where it happened, so a test
    // can see which text got which colour: "{attr 12}M{attr 4}orrow".
    std::string transcript;

    // Input waiting to be read; empty queues mean standard input has ended.
    std::deque<std::string> lines;
    std::deque<int> keys;
    // What runCommand reports.
    int commandStatus = 0;
    int flushes = 0;
    // Every byte written to standard error.
    std::string errors;
    // Standard output refuses every write from now on.
    bool outputBroken = false;

    void write(std::string_view bytes) override {
        if (outputBroken) return;
        out.append(bytes);
        transcript.append(bytes);
    }
    void clearScreen() override { record("clear"); }
    void moveCursor(int column, int row) override {
        record("cursor " + std::to_string(column) + "," + std::to_string(row));
    }
    void setAttribute(std::uint16_t attribute) override { record("attr " + std::to_string(attribute)); }
    bool readLine(std::string& line) override {
        line.clear();
        if (lines.empty()) return false;
        line = lines.front();
        lines.pop_front();
        return true;
    }
    int readKey() override {
        if (keys.empty()) return -1;
        const int key = keys.front();
        keys.pop_front();
        return key;
    }
    int runCommand(const std::string& command) override {
        record("run " + command);
        return commandStatus;
    }
    void pause() override { record("pause"); }
    void flush() override { ++flushes; }
    void writeError(std::string_view bytes) override { errors.append(bytes); }
    bool outputFailed() override { return outputBroken; }

private:
    void record(std::string call) {
        transcript += "{" + call + "}";
        log.push_back(std::move(call));
    }
};

class FakeCodePage final : public CodePage {
public:
    unsigned codePage = 1252;
    // Every text handed to toSimplified, in order.
    std::vector<std::string> simplified;

    unsigned ansiCodePage() override { return codePage; }
    std::string fromUtf8(std::string_view utf8) override { return std::string(utf8); }
    // Marks the text instead of converting it, so a test sees that (and where) the
    // conversion was applied.
    std::string toSimplified(std::string_view traditional) override {
        simplified.emplace_back(traditional);
        return "[simplified]" + std::string(traditional);
    }
};

// Owns the fakes; platform refers to them, so the object stays where it is made.
struct FakePlatform {
    FakeConsole console;
    FakeCodePage codePage;
    FakeDesktop desktop;
    FakeNativeLibraries native;
    FakeCom com;
    FakeFiles files;
    FakeClock clock;
    FakeProcesses processes;
    Platform platform{console, codePage, desktop, native, com, files, clock, processes};

    FakePlatform() = default;
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;
};

}  // namespace ml
