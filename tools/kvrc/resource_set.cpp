#include "resource_set.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "icon_file.h"

namespace kvrc {
namespace {

// A bitmap resource is the file without its BITMAPFILEHEADER.
constexpr uint32_t kBitmapFileHeaderSize = 14;
constexpr uint32_t kMinInfoHeaderSize = 12;

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool FileSize(const std::string& path, uint32_t& size) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    uintmax_t bytes = std::filesystem::file_size(path, ec);
    if (ec || bytes > 0xFFFFFFFFu) return false;
    size = static_cast<uint32_t>(bytes);
    return true;
}

uint32_t Dword(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

}  // namespace

bool BuildResources(const std::vector<Statement>& statements, const std::filesystem::path& baseDir,
                    std::vector<Resource>& resources, std::vector<std::string>& inputs, std::string& error) {
    resources.clear();
    uint16_t nextIconId = 1;
    for (const Statement& statement : statements) {
        auto fail = [&](const std::string& what) {
            error = "line " + std::to_string(statement.line) + ": " + what;
            return false;
        };
        Resource resource{statement.type, statement.name, statement.language, {}, 0, 0, {}};
        if (statement.kind == StatementKind::Inline) {
            resource.bytes = statement.bytes;
            resource.size = static_cast<uint32_t>(statement.bytes.size());
            resources.push_back(std::move(resource));
            continue;
        }
        std::error_code ec;
        std::filesystem::path path = std::filesystem::absolute(baseDir / statement.file, ec).lexically_normal();
        if (ec) return fail("cannot resolve " + statement.file);
        resource.path = path.string();
        inputs.push_back(resource.path);
        if (statement.kind == StatementKind::File) {
            if (!FileSize(resource.path, resource.size)) return fail("cannot read " + resource.path);
            resources.push_back(std::move(resource));
            continue;
        }
        std::vector<uint8_t> file;
        if (!ReadFile(resource.path, file)) return fail("cannot read " + resource.path);
        if (file.size() > 0xFFFFFFFFu) return fail(resource.path + " is too large");
        if (statement.kind == StatementKind::Bitmap) {
            if (file.size() < kBitmapFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M' ||
                Dword(file, kBitmapFileHeaderSize) < kMinInfoHeaderSize ||
                Dword(file, kBitmapFileHeaderSize) > file.size() - kBitmapFileHeaderSize)
                return fail(resource.path + " is not a bitmap file");
            resource.offset = kBitmapFileHeaderSize;
            resource.size = static_cast<uint32_t>(file.size()) - kBitmapFileHeaderSize;
            resources.push_back(std::move(resource));
            continue;
        }
        std::vector<IconImage> images;
        std::vector<uint8_t> group;
        std::string why;
        if (!SplitIcon(file, nextIconId, images, group, why)) return fail(resource.path + ": " + why);
        for (const IconImage& image : images) {
            Resource part{ResName{kTypeIcon, {}}, ResName{nextIconId++, {}}, statement.language,
                          resource.path, image.offset, image.size, {}};
            resources.push_back(std::move(part));
        }
        resource.path.clear();
        resource.bytes = std::move(group);
        resource.size = static_cast<uint32_t>(resource.bytes.size());
        resources.push_back(std::move(resource));
    }
    return true;
}

}  // namespace kvrc
