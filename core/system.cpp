#include "core/system.h"

#include "core/text.h"

namespace corvane {
namespace {

// Characters an address carries as they are; every other byte of the UTF-8 text is escaped.
bool keptInUrl(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("-._~/:").find(c) != std::string_view::npos;
}

std::u16string escaped(std::u16string_view text) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::u16string out;
    for (const char c : toUtf8(text)) {
        if (keptInUrl(c)) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out += {u'%', static_cast<char16_t>(kHex[byte >> 4]),
                    static_cast<char16_t>(kHex[byte & 0x0F])};
        }
    }
    return out;
}

}  // namespace

std::u16string helpPageUrl(std::u16string_view folder, std::u16string_view topic) {
    const std::size_t hash = topic.find(u'#');
    std::u16string path(folder);
    if (!path.empty() && path.back() != u'\\') {
        path += u'\\';
    }
    path += topic.substr(0, hash);
    for (char16_t& c : path) {
        c = c == u'\\' ? u'/' : c;
    }
    // A share (\\server\share) names its host; a drive has none.
    std::u16string url = path.starts_with(u"//") ? u"file:" : u"file:///";
    url += escaped(path);
    if (hash != std::u16string_view::npos) {
        url += u"?#" + escaped(topic.substr(hash + 1));
    }
    return url;
}

}  // namespace corvane
