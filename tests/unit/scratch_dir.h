// A fresh directory for files a test writes or needs on disk, removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace ml {

struct ScratchDir {
    std::filesystem::path path;

    ScratchDir() {
        static int count = 0;
        path = std::filesystem::temp_directory_path() /
               ("ml_unit_" + std::to_string(::getpid()) + "_" + std::to_string(++count));
        std::filesystem::create_directories(path);
    }
    ~ScratchDir() { std::filesystem::remove_all(path); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const std::string& name) const { return (path / name).string(); }
    std::string touch(const std::string& name) const {
        std::ofstream(file(name)) << "x";
        return file(name);
    }
    std::vector<unsigned char> read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

}  // namespace ml
