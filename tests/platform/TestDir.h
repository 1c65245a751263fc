// A scratch directory per test, removed afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

struct TestDir {
    TestDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "zvplat-XXXXXX").string();
        path = mkdtemp(tmpl.data());
    }
    ~TestDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

// Sets an environment variable for one scope and puts the old value back.
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            had_ = true;
            old_ = old;
        }
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        if (had_) setenv(name_.c_str(), old_.c_str(), 1);
        else unsetenv(name_.c_str());
    }
    std::string name_, old_;
    bool had_ = false;
};
