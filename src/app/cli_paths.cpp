// The files one command of the tool reads and writes, and the escaping of the rows it prints.
#include "cli_paths.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace tavro {
namespace {

bool isCharacterDevice(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

std::string resolved(const std::string& path) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    if (ec) return path;
    const auto canonical = std::filesystem::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal().string() : canonical.string();
}

bool sameFile(const std::string& a, const std::string& b) {
    if (isCharacterDevice(a) || isCharacterDevice(b)) return false;
    if (a == b) return true;
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return resolved(a) == resolved(b);
}

}  // namespace

std::string samePathProblem(const std::vector<NamedPath>& paths) {
    for (size_t i = 0; i < paths.size(); ++i) {
        if (paths[i].path.empty()) continue;
        for (size_t j = i + 1; j < paths.size(); ++j) {
            if (paths[j].path.empty() || !sameFile(paths[i].path, paths[j].path)) continue;
            return paths[i].option + " " + paths[i].path + " and " + paths[j].option + " " +
                   paths[j].path + " name the same file";
        }
    }
    return "";
}

std::string escapedRowText(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    out += "\\x";
                    out += hex[u >> 4];
                    out += hex[u & 15];
                } else {
                    out += c;
                }
        }
    }
    return out;
}

}  // namespace tavro
