// An in-memory registry for tests: keys by path, names compared without regard to case and kept
// in their stored case, subkeys listed in the order of their lower-cased names (as Wine does).
// Opening a key and any write can be made to fail.
#pragma once

#include <climits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/registry.h"

namespace corvane {

class MemoryRegistry : public Registry {
  public:
    long openKey(KeyHandle parent, std::u16string_view path, std::uint32_t access,
                 KeyHandle& key) override;
    long createKey(KeyHandle parent, std::u16string_view path, KeyHandle& key,
                   bool* created) override;
    void closeKey(KeyHandle key) override { handles_.erase(key); }
    long queryValue(KeyHandle key, std::u16string_view name, std::uint32_t* type, void* data,
                    std::uint32_t* size) override;
    long setValue(KeyHandle key, std::u16string_view name, std::uint32_t type, const void* data,
                  std::uint32_t size) override;
    long deleteValue(KeyHandle key, std::u16string_view name) override;
    long enumKey(KeyHandle key, std::uint32_t index, char16_t* name,
                 std::uint32_t& nameChars) override;
    long enumValue(KeyHandle key, std::uint32_t index, char16_t* name, std::uint32_t& nameChars,
                   std::uint32_t& type, void* data, std::uint32_t& size) override;
    long deleteTree(KeyHandle parent, std::u16string_view path) override;

    // Opening the key at `path` fails with `status`; creating it does not.
    void failKey(KeyHandle root, std::u16string_view path, long status) {
        faults_.keys[resolve(root, path)] = status;
    }
    // Writing the value `name` fails with `status`, in any key.
    void failValue(std::u16string_view name, long status) { faults_.values[lower(name)] = status; }
    // Counting every call that writes (createKey making a key, setValue, deleteValue, deleteTree)
    // from 1 on: the `number`-th fails with 5, and with `andAfter` every one after it too.
    void failWrite(int number, bool andAfter = false) {
        faults_.firstWrite = number;
        faults_.lastWrite = andAfter ? INT_MAX : number;
    }
    // Listing the subkey at `index` of any key fails with `status`, as in a damaged key.
    void failSubkeyIndex(std::uint32_t index, long status) { faults_.index = {index, status}; }
    void clearFaults() { faults_ = {}; }

    // Keys opened or created and not yet closed (the two roots do not count).
    int openHandleCount() const { return static_cast<int>(handles_.size()); }
    // Calls of setValue, and calls that write, so far, failed ones included.
    int setValueCount() const { return setValueCalls_; }
    int writeCount() const { return writeCalls_; }
    // Every key as its lower-cased full path ("hkcu\software..."), in sorted order.
    std::vector<std::u16string> keyPaths() const {
        std::vector<std::u16string> paths;
        for (const auto& [path, key] : keys_) {
            paths.push_back(path);
        }
        return paths;
    }

  private:
    struct Value {
        std::u16string name;  // as first written
        std::uint32_t type = 0;
        std::vector<unsigned char> data;
    };
    struct Key {
        std::u16string name;                     // as first created
        std::map<std::u16string, Value> values;  // by lower-cased name
    };

    static std::u16string lower(std::u16string_view text);
    // The lower-cased full path of `path` below the root or open key `parent`, or empty.
    std::u16string resolve(KeyHandle parent, std::u16string_view path) const;
    // The values of the open key `key`, or null when it is not open or was deleted.
    std::map<std::u16string, Value>* valuesOf(KeyHandle key);
    // A new handle to the existing key `full`, `parent` itself for a root, 0 when it is missing.
    KeyHandle handleFor(KeyHandle parent, const std::u16string& full);
    // Counts a write (of the value `value`, when given): the status it fails with, or 0.
    long writeFault(std::optional<std::u16string_view> value = std::nullopt);

    std::map<std::u16string, Key> keys_;
    std::map<KeyHandle, std::u16string> handles_;
    struct {
        std::map<std::u16string, long> keys;    // by full path
        std::map<std::u16string, long> values;  // by lower-cased name
        int firstWrite = 0;
        int lastWrite = 0;
        std::pair<std::uint32_t, long> index;  // and the status it fails with
    } faults_;
    KeyHandle nextHandle_ = 0x1000;
    int setValueCalls_ = 0;
    int writeCalls_ = 0;
};

}  // namespace corvane
