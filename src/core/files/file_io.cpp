#include "files/file_io.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hw {

namespace {

// Closes a descriptor on every path out of a function.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    int Release() {
        const int f = fd;
        fd = -1;
        return f;
    }
};

bool WriteAll(int fd, const uint8_t* p, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= size_t(w);
    }
    return true;
}

// Where the data really goes: a link to a pattern is kept as a link.
std::string ResolveTarget(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string r(real);
            std::free(real);
            return r;
        }
    }
    return path;
}

std::string Folder(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

struct TempFile {
    std::string Path;
    std::string Target;
    bool Done = false;
    ~TempFile() {
        if (!Done && !Path.empty()) ::unlink(Path.c_str());
    }
};

// Makes the temporary file beside the target, with the permissions the
// target has (the usual ones for a new file).
bool MakeTemp(const std::string& target, TempFile& tmp, Fd& fd) {
    tmp.Target = ResolveTarget(target);
    const size_t slash = tmp.Target.find_last_of('/');
    const std::string name = slash == std::string::npos ? tmp.Target : tmp.Target.substr(slash + 1);
    std::string templ = Folder(tmp.Target) + "/." + name + ".XXXXXX";
    fd.fd = ::mkstemp(templ.data());
    if (fd.fd < 0) return false;
    tmp.Path = templ;
    struct stat st;
    mode_t mode;
    if (::stat(tmp.Target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    return ::fchmod(fd.fd, mode) == 0;
}

void SyncFolder(const std::string& target) {
    Fd dir;
    dir.fd = ::open(Folder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir.fd >= 0) ::fsync(dir.fd);
}

// Writes one complete temporary file next to the target.
bool WriteTemp(const std::string& target, const std::vector<uint8_t>& bytes, TempFile& tmp) {
    Fd fd;
    if (!MakeTemp(target, tmp, fd)) return false;
    if (!WriteAll(fd.fd, bytes.data(), bytes.size())) return false;
    if (::fsync(fd.fd) != 0) return false;
    return ::close(fd.Release()) == 0;
}

} // namespace

ReadStatus ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<uint8_t>& out) {
    out.clear();
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? ReadStatus::NotFound : ReadStatus::Failed;
    if (!S_ISREG(st.st_mode)) return ReadStatus::Failed;
    Fd fd;
    fd.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd.fd < 0) return errno == ENOENT ? ReadStatus::NotFound : ReadStatus::Failed;
    // The buffer follows the file's size (one byte more shows growth), not
    // the limit: a small file must not cost a buffer of the limit's size.
    out.resize(std::min(maxBytes, size_t(std::max<off_t>(st.st_size, 0)) + 1));
    size_t got = 0;
    while (got < maxBytes) {
        if (got == out.size()) out.resize(std::min(maxBytes, out.size() * 2));
        const ssize_t r = ::read(fd.fd, out.data() + got, out.size() - got);
        if (r < 0) {
            if (errno == EINTR) continue;
            out.clear();
            return ReadStatus::Failed;
        }
        if (r == 0) break;
        got += size_t(r);
    }
    out.resize(got);
    if (::close(fd.Release()) != 0) {
        out.clear();
        return ReadStatus::Failed;
    }
    return ReadStatus::Ok;
}

bool WriteFilesAtomically(const std::vector<std::string>& paths,
                          const std::vector<const std::vector<uint8_t>*>& contents) {
    if (paths.size() != contents.size()) return false;
    std::vector<TempFile> temps(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        if (!WriteTemp(paths[i], *contents[i], temps[i])) return false;
    for (TempFile& t : temps) {
        if (::rename(t.Path.c_str(), t.Target.c_str()) != 0) return false;
        t.Done = true;
    }
    // Make the renames themselves durable.
    SyncFolder(temps.empty() ? std::string(".") : temps[0].Target);
    return true;
}

AtomicFile::~AtomicFile() {
    if (file_) std::fclose(file_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
}

std::FILE* AtomicFile::Open(const std::string& path) {
    TempFile tmp;
    Fd fd;
    if (!MakeTemp(path, tmp, fd)) return nullptr;
    file_ = ::fdopen(fd.fd, "wb");
    if (!file_) return nullptr;
    fd.Release();
    temp_ = tmp.Path;
    target_ = tmp.Target;
    tmp.Done = true; // this object removes it from now on
    return file_;
}

bool AtomicFile::Commit() {
    if (!file_) return false;
    bool ok = std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (!ok || ::rename(temp_.c_str(), target_.c_str()) != 0) return false;
    temp_.clear();
    SyncFolder(target_);
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    return WriteFilesAtomically({path}, {&bytes});
}

static size_t ExtensionStart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path.size();
    return dot;
}

std::string ReplaceExtension(const std::string& path, const std::string& ext) {
    return path.substr(0, ExtensionStart(path)) + ext;
}

std::string UpperExtension(const std::string& path) {
    std::string ext = path.substr(ExtensionStart(path));
    for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

bool RegularFileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace hw
