#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "platform/posix/posix_interop.h"

namespace ml {

namespace {

using Positions = NativeArguments;

// The C library, loaded for one test and released after it.
struct CLibrary : ::testing::Test {
    PosixNativeLibraries native;
    std::string whyNot;
    void* library = native.load("libc.so.6", whyNot);
    ~CLibrary() override {
        if (library) native.release(library);
    }
    std::intptr_t call(const std::string& function, const Positions& positions) {
        void* entry = native.find(library, function);
        EXPECT_NE(entry, nullptr) << function;
        return entry ? native.call(entry, positions) : 0;
    }
};

}  // namespace

TEST_F(CLibrary, IntegerAndPointerArgumentsReachTheFunction) {
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(static_cast<std::int32_t>(call("abs", {-7})), 7);
    const char text[] = "a/b/c.txt";
    const std::intptr_t found = call("strrchr", {reinterpret_cast<std::intptr_t>(text), '/'});
    EXPECT_EQ(reinterpret_cast<const char*>(found), text + 3);
}

TEST_F(CLibrary, AllTenPositionsArePassedInOrder) {
    ASSERT_NE(library, nullptr);
    char buffer[64] = {};
    const char format[] = "%d.%d.%d.%d.%d.%d.%d.%d";
    const std::intptr_t n = call("sprintf", {reinterpret_cast<std::intptr_t>(buffer),
                                             reinterpret_cast<std::intptr_t>(format), 1, 2, 3, 4, 5, 6, 7, -8});
    EXPECT_EQ(static_cast<std::int32_t>(n), 16);
    EXPECT_STREQ(buffer, "1.2.3.4.5.6.7.-8");
}

TEST_F(CLibrary, NamesAreMatchedExactly) {
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(native.find(library, "STRLEN"), nullptr);
    EXPECT_EQ(native.find(library, "no_such_function"), nullptr);
}

// Each refusal says why; a pipe is refused without being opened, which would wait for
// a writer that never comes.
TEST(PosixNativeLibraries, LibrariesThatCannotBeLoadedSayWhy) {
    PosixNativeLibraries native;
    std::string whyNot;
    EXPECT_EQ(native.load("no_such_library.so", whyNot), nullptr);
    EXPECT_NE(whyNot.find("no_such_library.so: cannot open shared object file"), std::string::npos) << whyNot;
    whyNot.clear();
    EXPECT_EQ(native.load("", whyNot), nullptr);
    EXPECT_FALSE(whyNot.empty());
    const std::string pipe = ::testing::TempDir() + "library_pipe";
    std::remove(pipe.c_str());
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(native.load(pipe, whyNot), nullptr);
    EXPECT_EQ(whyNot, pipe + ": not a regular file");
    std::remove(pipe.c_str());
}

TEST(PosixCom, EveryObjectIsOneThatCannotBeCreated) {
    PosixCom com;
    EXPECT_EQ(com.call("Scripting.FileSystemObject", "GetBaseName", {}).status, ComResult::Status::CannotCreate);
}

}  // namespace ml
