// A fresh interpreter on fake platforms: load script text as the program loads a file, run it, and
// read what reached the console.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "engine/executor.h"
#include "engine/modules.h"
#include "core/errors.h"
#include "core/interp.h"
#include "fake_platform.h"
#include "frontend/report.h"
#include "loader/loader.h"

namespace ml {

struct TestRun {
    FakePlatform fake;
    std::unique_ptr<Interp> in = std::make_unique<Interp>(fake.platform, Modules());
    bool ended = false;   // a fatal report (or Exit) ended the run
    int exitStatus = 0;   // the status an Exit ended the run with

    // Loads the text as the program loads a script file.
    TestRun& load(std::string_view script) {
        std::string bytes(script);
        FakeFile file(bytes);
        guard([&] { LoadScript(*in, file); });
        return *this;
    }

    // Loads, matches blocks and runs.
    TestRun& run(std::string_view script) {
        load(script);
        if (!ended) guard([&] {
            FinishLoading(*in);
            Script(*in);
        });
        return *this;
    }

    const std::string& out() const { return fake.console.out; }
    const std::string& entry(int k) const { return in->program.texts[static_cast<std::size_t>(k)]; }

    template <class F>
    void guard(F body) {
        try {
            body();
        } catch (const FatalError& error) {
            ShowReport(*in, error);
            ended = true;
        } catch (const ProgramEnd& end) {
            ended = true;
            exitStatus = end.status;
        }
    }
};

// Runs a script that must end normally and gives what it printed.
inline std::string Printed(std::string_view script) {
    TestRun t;
    t.run(script);
    EXPECT_FALSE(t.ended) << t.out();
    return t.out();
}

// The fatal report as the console receives it (colours are not in the bytes).
inline std::string Report(int line, std::string_view message, std::string_view error) {
    return "\nRanks  : " + std::to_string(line) + "\nMessage: " + std::string(message) + "\nError  : " +
           std::string(error) + "\n";
}

}  // namespace ml
