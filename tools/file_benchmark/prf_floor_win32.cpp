// The yardstick of the file benchmark: a profile file written and read the shortest way.
//   prf-floor export FILE   the stored profiles into FILE, the same bytes as Corvane's export:
//                           each profile key and each value enumerated once into one buffer,
//                           then the file created and written with one WriteFile
//   prf-floor import FILE   FILE read with one ReadFile, then the store made to hold exactly its
//                           profiles: the Profiles key deleted with its tree and created again,
//                           each profile's key created and each value set, nothing read back
//   prf-floor replace FILE  the same store the least way that can put back what it replaces: a
//                           profile key the store holds has its values listed once (name and
//                           data, kept) before the file's are set and the others removed; then
//                           the profiles the file does not hold are removed
// It checks only what keeps it inside its buffers: a measure, not an import.
// Exit code 0 done, 1 failed (why, on standard error), 2 usage.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/owned_handle_win32.h"
#include "profiles/profile_file.h"
#include "profiles/profile_store.h"

namespace {

using corvane::kMaxDataBytes;
using corvane::kProfileFileHeaderSize;
using corvane::kProfileRecord;
using corvane::kValueRecord;
using corvane::OwnedKernelHandle;
using OwnedKey = corvane::OwnedHandle<HKEY, RegCloseKey>;

const wchar_t* const kProfilesPath = reinterpret_cast<const wchar_t*>(
    corvane::kProfilesKeyPath.data());  // a literal: it ends in its zero

// A key name or a value name, with room for the longest the registry holds.
constexpr DWORD kNameChars = 16384;

bool fail(const char* what, long status) {
    std::fprintf(stderr, "prf-floor: %s failed (%ld)\n", what, status);
    return false;
}

void putNumber(std::vector<unsigned char>& out, std::uint32_t number) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<unsigned char>(number >> shift));
    }
}

void putName(std::vector<unsigned char>& out, std::wstring_view name) {
    putNumber(out, static_cast<std::uint32_t>((name.size() + 1) * 2));
    for (const wchar_t c : name) {
        out.push_back(static_cast<unsigned char>(c));
        out.push_back(static_cast<unsigned char>(c >> 8));
    }
    out.insert(out.end(), 2, 0);
}

bool exportProfiles(const wchar_t* path) {
    std::vector<unsigned char> out(kProfileFileHeaderSize, 0);
    std::uint32_t count = 0;
    HKEY opened = nullptr;
    const LONG openedStatus = RegOpenKeyExW(HKEY_CURRENT_USER, kProfilesPath, 0, KEY_READ, &opened);
    const OwnedKey profiles(openedStatus == ERROR_SUCCESS ? opened : nullptr);
    if (openedStatus != ERROR_SUCCESS && openedStatus != ERROR_FILE_NOT_FOUND) {
        return fail("opening the Profiles key", openedStatus);
    }
    std::vector<wchar_t> name(kNameChars);
    std::vector<wchar_t> valueName(kNameChars);
    unsigned char data[kMaxDataBytes];
    for (DWORD index = 0; profiles.get() != nullptr; ++index, ++count) {
        DWORD nameChars = kNameChars;
        const LONG listed = RegEnumKeyExW(profiles.get(), index, name.data(), &nameChars, nullptr,
                                          nullptr, nullptr, nullptr);
        if (listed == ERROR_NO_MORE_ITEMS) {
            break;
        }
        HKEY profileKey = nullptr;
        if (listed != ERROR_SUCCESS) {
            return fail("listing the profiles", listed);
        }
        const LONG open = RegOpenKeyExW(profiles.get(), name.data(), 0, KEY_READ, &profileKey);
        if (open != ERROR_SUCCESS) {
            return fail("opening a profile", open);
        }
        const OwnedKey profile(profileKey);
        putNumber(out, kProfileRecord);
        putName(out, std::wstring_view(name.data(), nameChars));
        for (DWORD value = 0;; ++value) {
            DWORD valueChars = kNameChars;
            DWORD type = 0;
            DWORD size = sizeof data;
            const LONG read = RegEnumValueW(profile.get(), value, valueName.data(), &valueChars,
                                            nullptr, &type, data, &size);
            if (read == ERROR_NO_MORE_ITEMS) {
                break;
            }
            if (read != ERROR_SUCCESS) {
                return fail("reading a value", read);
            }
            putNumber(out, kValueRecord);
            putName(out, std::wstring_view(valueName.data(), valueChars));
            putNumber(out, size);
            out.insert(out.end(), data, data + size);
            putNumber(out, type);
        }
    }
    std::vector<unsigned char> header;
    putNumber(header, corvane::kProfileFileMagic);
    putNumber(header, kProfileFileHeaderSize);
    putNumber(header, count);
    std::copy(header.begin(), header.end(), out.begin());

    const HANDLE created =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        return fail("creating the file", static_cast<long>(GetLastError()));
    }
    const OwnedKernelHandle file(created);
    DWORD written = 0;
    if (!WriteFile(file.get(), out.data(), static_cast<DWORD>(out.size()), &written, nullptr) ||
        written != out.size()) {
        return fail("writing the file", static_cast<long>(GetLastError()));
    }
    return true;
}

// Reads the file's records in turn; every read stays inside the buffer.
class RecordReader {
  public:
    explicit RecordReader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}

    bool number(std::uint32_t& value) {
        if (bytes_.size() - at_ < 4) {
            return false;
        }
        value = bytes_[at_] | (bytes_[at_ + 1] << 8) | (bytes_[at_ + 2] << 16) |
                (static_cast<std::uint32_t>(bytes_[at_ + 3]) << 24);
        at_ += 4;
        return true;
    }
    // `size` bytes in place; false when the file is shorter.
    const unsigned char* take(std::uint32_t size) {
        if (bytes_.size() - at_ < size) {
            return nullptr;
        }
        at_ += size;
        return bytes_.data() + at_ - size;
    }
    // A name of `size` bytes with its zero, as the registry takes it.
    bool name(std::wstring& text) {
        std::uint32_t size = 0;
        const unsigned char* bytes = nullptr;
        if (!number(size) || size < 2 || size % 2 != 0 || (bytes = take(size)) == nullptr) {
            return false;
        }
        text.assign(size / 2 - 1, L'\0');
        for (std::uint32_t i = 0; i + 2 < size; i += 2) {
            text[i / 2] = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        }
        return true;
    }
    bool atEnd() const { return at_ == bytes_.size(); }

  private:
    const std::vector<unsigned char>& bytes_;
    std::size_t at_ = 0;
};

bool importProfiles(const wchar_t* path, bool inPlace) {
    const HANDLE opened = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return fail("opening the file", static_cast<long>(GetLastError()));
    }
    const OwnedKernelHandle file(opened);
    LARGE_INTEGER fileSize{};
    if (!GetFileSizeEx(file.get(), &fileSize) || fileSize.QuadPart > 64 * 1024 * 1024) {
        return fail("sizing the file", static_cast<long>(GetLastError()));
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(fileSize.QuadPart));
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
        got != bytes.size()) {
        return fail("reading the file", static_cast<long>(GetLastError()));
    }

    RecordReader reader(bytes);
    if (reader.take(kProfileFileHeaderSize) == nullptr) {
        return fail("reading the header", 0);
    }
    const LONG deleted = inPlace ? ERROR_SUCCESS : RegDeleteTreeW(HKEY_CURRENT_USER, kProfilesPath);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) {
        return fail("deleting the Profiles key", deleted);
    }
    HKEY created = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, kProfilesPath, 0, nullptr, 0, KEY_WRITE,
                                  nullptr, &created, nullptr);
    if (status != ERROR_SUCCESS) {
        return fail("creating the Profiles key", status);
    }
    const OwnedKey profiles(created);
    OwnedKey profile;
    std::wstring name;
    // In place: what each profile key held, and the names the file holds.
    std::vector<std::pair<std::wstring, std::vector<unsigned char>>> held;
    std::vector<std::wstring> named;
    const auto removeUnset = [&] {
        for (const auto& value : held) {
            RegDeleteValueW(profile.get(), value.first.c_str());
        }
        held.clear();
    };
    while (!reader.atEnd()) {
        std::uint32_t type = 0;
        if (!reader.number(type) || !reader.name(name)) {
            return fail("reading a record", 0);
        }
        if (type == kProfileRecord) {
            removeUnset();
            HKEY key = nullptr;
            DWORD disposition = 0;
            status = RegCreateKeyExW(profiles.get(), name.c_str(), 0, nullptr, 0,
                                     KEY_READ | KEY_WRITE, nullptr, &key, &disposition);
            if (status != ERROR_SUCCESS) {
                return fail("creating a profile", status);
            }
            profile.reset(key);
            if (inPlace) {
                named.push_back(name);
                for (DWORD index = 0; disposition == REG_OPENED_EXISTING_KEY; ++index) {
                    wchar_t valueName[260];
                    DWORD nameChars = 260;
                    std::vector<unsigned char> data(kMaxDataBytes);
                    DWORD size = kMaxDataBytes;
                    DWORD valueType = 0;
                    if (RegEnumValueW(profile.get(), index, valueName, &nameChars, nullptr,
                                      &valueType, data.data(), &size) != ERROR_SUCCESS) {
                        break;
                    }
                    data.resize(size);
                    held.emplace_back(std::wstring(valueName, nameChars), std::move(data));
                }
            }
            continue;
        }
        std::erase_if(held, [&](const auto& value) {
            return CompareStringOrdinal(value.first.c_str(), -1, name.c_str(), -1, TRUE) ==
                   CSTR_EQUAL;
        });
        std::uint32_t size = 0;
        std::uint32_t valueType = 0;
        const unsigned char* data = nullptr;
        if (type != kValueRecord || profile.get() == nullptr || !reader.number(size) ||
            (data = reader.take(size)) == nullptr || !reader.number(valueType)) {
            return fail("reading a value record", 0);
        }
        status = RegSetValueExW(profile.get(), name.c_str(), 0, valueType, data, size);
        if (status != ERROR_SUCCESS) {
            return fail("setting a value", status);
        }
    }
    removeUnset();
    for (DWORD index = 0; inPlace;) {
        wchar_t stored[260];
        DWORD chars = 260;
        if (RegEnumKeyExW(profiles.get(), index, stored, &chars, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            break;
        }
        const bool kept = std::any_of(named.begin(), named.end(), [&](const std::wstring& file) {
            return CompareStringOrdinal(file.c_str(), -1, stored, -1, TRUE) == CSTR_EQUAL;
        });
        index += kept ? 1 : 0;
        if (!kept && RegDeleteTreeW(profiles.get(), stored) != ERROR_SUCCESS) {
            return fail("removing a profile", 0);
        }
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view command = argc == 3 ? argv[1] : L"";
    if (command != L"export" && command != L"import" && command != L"replace") {
        std::fprintf(stderr, "usage: prf-floor export|import|replace FILE\n");
        return 2;
    }
    return (command == L"export" ? exportProfiles(argv[2])
                                 : importProfiles(argv[2], command == L"replace"))
               ? 0
               : 1;
}
