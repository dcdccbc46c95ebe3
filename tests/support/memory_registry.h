// An in-memory registry for tests: keys by path, names compared without regard to case and kept
// in their stored case, subkeys listed in the order of their lower-cased names (as Wine does).
// Opening a key and any write can be made to fail.
#pragma once

#include <map>
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
        faults_[resolve(root, path)] = status;
    }
    // Writing the value `name` fails with `status`, in any key.
    void failValue(std::u16string_view name, long status) { faults_[lower(name)] = status; }
    // Counting every call that writes (createKey making a key, setValue, deleteValue, deleteTree)
    // from 1 on:
    // the `number`-th fails with 5, and with `andAfter` every one after it too.
    void failWrite(int number, bool andAfter = false) {
        failingWrite_ = number;
        failingAfter_ = andAfter;
    }
    // Listing the subkey at `index` of any key fails with `status`, as in a damaged key.
    void failSubkeyIndex(std::uint32_t index, long status) {
        failingIndex_ = index;
        indexStatus_ = status;
    }
    void clearFaults() {
        faults_.clear();
        failingWrite_ = 0;
        indexStatus_ = 0;
    }

    // Keys opened or created and not yet closed (the two roots do not count).
    int openHandleCount() const { return static_cast<int>(handles_.size()); }
    // setValue calls so far, failed ones included.
    int setValueCount() const { return setValueCalls_; }
    // Calls that write so far, failed ones included.
    int writeCount() const { return writeCalls_; }
    // Every key as its lower-cased full path ("hkcu\software..."), in sorted order.
    std::vector<std::u16string> keyPaths() const {
        std::vector<std::u16string> paths;
        for (const auto& entry : keys_) {
            paths.push_back(entry.first);
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
    // The lower-cased full path of `path` below the root or open key `parent`; empty when
    // `parent` is neither.
    std::u16string resolve(KeyHandle parent, std::u16string_view path) const;
    // The values of the open key `key`, or null when it is not open or was deleted.
    std::map<std::u16string, Value>* valuesOf(KeyHandle key);
    // A new handle to the existing key `full`, `parent` itself for a root, 0 when it is missing.
    KeyHandle handleFor(KeyHandle parent, const std::u16string& full);
    // Counts a write; true when it is to fail.
    bool writeFails();
    // Counts a write of the value `name`: the status it fails with, or 0.
    long valueWriteFault(std::u16string_view name);

    std::map<std::u16string, Key> keys_;
    std::map<KeyHandle, std::u16string> handles_;
    // The status of opening a key by its full path, or of writing a value by its lower-cased name.
    std::map<std::u16string, long> faults_;
    KeyHandle nextHandle_ = 0x1000;
    int setValueCalls_ = 0;
    int writeCalls_ = 0;
    int failingWrite_ = 0;
    bool failingAfter_ = false;
    std::uint32_t failingIndex_ = 0;
    long indexStatus_ = 0;
};

}  // namespace corvane
