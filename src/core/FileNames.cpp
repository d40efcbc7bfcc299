#include "core/FileNames.h"

#include "core/AsciiCase.h"

namespace orvelt {

std::string_view NamePart(std::string_view path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string UpperExtension(std::string_view path) {
    std::string_view name = NamePart(path);
    std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return {};
    return UpperAscii(name.substr(dot));
}

std::string AddDefaultExtension(std::string_view name, std::string_view extension) {
    if (NamePart(name).find('.') != std::string_view::npos)
        return std::string(name);
    return std::string(name) + std::string(extension);
}

std::string StripExtension(std::string_view name) {
    std::string_view part = NamePart(name);
    std::size_t dot = part.find_last_of('.');
    if (dot == std::string_view::npos)
        return std::string(name);
    return std::string(name.substr(0, name.size() - part.size() + dot));
}

} // namespace orvelt
