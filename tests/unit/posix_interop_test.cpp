#include <gtest/gtest.h>

#include "platform/posix/posix_interop.h"

namespace ml {

namespace {

using Positions = NativeArguments;

// The C library, loaded for one test and released after it.
struct CLibrary : ::testing::Test {
    PosixNativeLibraries native;
    void* library = native.load("libc.so.6");
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

TEST(PosixNativeLibraries, MissingOrEmptyLibraryNameLoadsNothing) {
    PosixNativeLibraries native;
    EXPECT_EQ(native.load("no_such_library.so"), nullptr);
    EXPECT_EQ(native.load(""), nullptr);
}

TEST(PosixCom, EveryObjectIsOneThatCannotBeCreated) {
    PosixCom com;
    EXPECT_EQ(com.call("Scripting.FileSystemObject", "GetBaseName", {}).status, ComResult::Status::CannotCreate);
}

}  // namespace ml
