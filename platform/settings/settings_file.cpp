#include "platform/settings/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/faults.h"
#include "platform/settings/active.h"
#include "platform/settings/settings_text.h"

namespace platform::settings {

namespace {

constexpr const char kFolder[] = "/kalvenor";
constexpr const char kFileName[] = "/settings.ini";
constexpr mode_t kFolderMode = 0755;
constexpr mode_t kFileMode = 0644;
// A settings file is a few hundred bytes; anything past this is not one.
constexpr long kLargestFile = 1 << 20;

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// mkdir -p, for the folders that lead to the file.
bool MakeFolders(const std::string& folder) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/') continue;
        std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), kFolderMode) != 0 && errno != EEXIST) return false;
    }
    return true;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        ssize_t wrote = write(fd, text.data(), text.size());
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        text.remove_prefix(static_cast<size_t>(wrote));
    }
    return true;
}

void SayNotKept(SettingsFile* file, const std::string& why) {
    if (!file->keep) return;
    file->keep = false;
    std::fprintf(stderr, "kalvenor: %s; settings will not be kept\n", why.c_str());
}

}  // namespace

std::string DefaultPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::string(config) + kFolder + kFileName;
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') return {};
    return std::string(home) + "/.config" + kFolder + kFileName;
}

bool SaveAtomically(const std::string& path, std::string_view text, std::string* error) {
    std::string folder = FolderOf(path);
    if (!MakeFolders(folder)) {
        *error = "cannot make " + folder + ": " + std::strerror(errno);
        return false;
    }
    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) {
        *error = "cannot write in " + folder + ": " + std::strerror(errno);
        return false;
    }
    bool written = fchmod(fd, kFileMode) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
    int savedErrno = errno;
    written = close(fd) == 0 && written;
    // A rename refused here is the moment a crash would leave the old file.
    if (!written || faults::Take("rename") || rename(name.data(), path.c_str()) != 0) {
        if (written) savedErrno = errno != 0 ? errno : EIO;
        unlink(name.data());
        *error = "cannot save " + path + ": " + std::strerror(savedErrno);
        return false;
    }
    // The rename itself reaches the disk with its folder.
    int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

void LoadFile(SettingsFile* file, const std::string& path) {
    file->path = path;
    file->text.clear();
    file->keep = !path.empty();
    file->settings = Settings{};
    if (path.empty()) {
        SayNotKept(file, "no home folder");
    } else if (FILE* in = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0 && file->text.size() < kLargestFile)
            file->text.append(chunk, got);
        bool failed = std::ferror(in) != 0;
        std::fclose(in);
        if (failed || file->text.size() >= kLargestFile) {
            file->text.clear();
            SayNotKept(file, "cannot read " + path + (failed ? ": read error" : ": too large for a settings file"));
        }
    } else if (errno != ENOENT) {
        SayNotKept(file, "cannot read " + path + ": " + std::strerror(errno));
    }
    Parsed parsed = ParseSettings(file->text);
    for (const Problem& p : parsed.problems) {
        if (p.line > 0) std::fprintf(stderr, "kalvenor: %s:%d: %s\n", path.c_str(), p.line, p.what.c_str());
        else std::fprintf(stderr, "kalvenor: %s: %s\n", path.c_str(), p.what.c_str());
    }
    file->settings = parsed.settings;
    Apply(file->settings);
}

void ChangeFile(SettingsFile* file, const Settings& settings) {
    Apply(settings);
    if (settings == file->settings) return;
    file->settings = settings;
    if (!file->keep) return;
    std::string text = WriteSettings(file->text, settings);
    std::string error;
    if (!SaveAtomically(file->path, text, &error)) {
        SayNotKept(file, error);
        return;
    }
    file->text = std::move(text);
}

}  // namespace platform::settings
