#pragma once

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/mount.h>

namespace orvelt::testing {

// A small file system of its own on a folder, for a full disk or a read-only one; unmounted
// when it goes. Mounting needs root.
class Tmpfs {
public:
    explicit Tmpfs(std::string dir) : dir_(std::move(dir)) {
        std::filesystem::create_directories(dir_);
        mounted_ = ::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0;
        error_ = mounted_ ? 0 : errno;
    }
    ~Tmpfs() {
        if (mounted_)
            ::umount2(dir_.c_str(), MNT_DETACH);
    }
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;
    [[nodiscard]] bool Mounted() const { return mounted_; }
    [[nodiscard]] const char* Error() const { return std::strerror(error_); }
    bool MakeReadOnly() {
        return ::mount("tmpfs", dir_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string dir_;
    bool mounted_ = false;
    int error_ = 0;
};

} // namespace orvelt::testing
