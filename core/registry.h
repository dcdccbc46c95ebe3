// The registry operations the program uses, behind one seam: the Win32 registry in the real
// program, MemoryRegistry in tests. Status numbers are Win32's.
#pragma once

#include <cstdint>
#include <string_view>

namespace corvane {

using KeyHandle = std::uintptr_t;

// The two roots, with the values Win32 gives them so the Win32 backend passes them through.
inline constexpr KeyHandle kCurrentUser = 0x80000001u;
inline constexpr KeyHandle kLocalMachine = 0x80000002u;

namespace status {
inline constexpr long kSuccess = 0;
inline constexpr long kFileNotFound = 2;
inline constexpr long kAccessDenied = 5;
inline constexpr long kInvalidHandle = 6;
inline constexpr long kInvalidParameter = 87;
inline constexpr long kMoreData = 234;
inline constexpr long kNoMoreItems = 259;
}  // namespace status

namespace regtype {
inline constexpr std::uint32_t kString = 1;       // REG_SZ
inline constexpr std::uint32_t kBinary = 3;       // REG_BINARY
inline constexpr std::uint32_t kDword = 4;        // REG_DWORD
inline constexpr std::uint32_t kMultiString = 7;  // REG_MULTI_SZ
}  // namespace regtype

// Paths use backslashes and may start with one; key and value names compare without regard
// to case. Access 0 grants what the caller may have, as on the handheld. Name lengths are in
// characters (terminating zero included on input); data sizes are in bytes. Only what the
// program calls is here.
class Registry {
  public:
    virtual ~Registry() = default;

    virtual long openKey(KeyHandle parent, std::u16string_view path, std::uint32_t access,
                         KeyHandle& key) = 0;
    // Opens the key, creating it and every missing key on its path; `created`, when given, says
    // whether the key itself was made.
    virtual long createKey(KeyHandle parent, std::u16string_view path, KeyHandle& key,
                           bool* created) = 0;
    virtual void closeKey(KeyHandle key) = 0;

    // `data` may be null to learn the type and size. A too-small buffer fails with 234.
    virtual long queryValue(KeyHandle key, std::u16string_view name, std::uint32_t* type,
                            void* data, std::uint32_t* size) = 0;
    virtual long setValue(KeyHandle key, std::u16string_view name, std::uint32_t type,
                          const void* data, std::uint32_t size) = 0;
    // Removes one value of the key; 2 when it is not there.
    virtual long deleteValue(KeyHandle key, std::u16string_view name) = 0;

    // The index-th subkey name; 259 past the last one, 234 when `nameChars` is too small.
    virtual long enumKey(KeyHandle key, std::uint32_t index, char16_t* name,
                         std::uint32_t& nameChars) = 0;

    // The index-th value of the key: its name (`nameChars` characters with the zero), type and
    // data (`size` bytes); 259 past the last one, 234 when the name or the data does not fit.
    virtual long enumValue(KeyHandle key, std::uint32_t index, char16_t* name,
                           std::uint32_t& nameChars, std::uint32_t& type, void* data,
                           std::uint32_t& size) = 0;

    // Removes the key with everything below it; an empty path is refused (87), never the parent.
    virtual long deleteTree(KeyHandle parent, std::u16string_view path) = 0;
};

// Owns one open key and closes it when it goes, so no key outlives the operation that opened it.
class RegKey {
  public:
    RegKey() = default;
    RegKey(Registry& registry, KeyHandle key) : registry_(&registry), key_(key) {}
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept : registry_(other.registry_), key_(other.release()) {}
    RegKey& operator=(RegKey&& other) noexcept;
    ~RegKey() { close(); }

    KeyHandle handle() const { return key_; }
    bool isOpen() const { return key_ != 0; }
    void close();
    KeyHandle release();

  private:
    Registry* registry_ = nullptr;
    KeyHandle key_ = 0;
};

long openKey(Registry& registry, KeyHandle parent, std::u16string_view path, std::uint32_t access,
             RegKey& key);
long createKey(Registry& registry, KeyHandle parent, std::u16string_view path, RegKey& key,
               bool* created = nullptr);

}  // namespace corvane
