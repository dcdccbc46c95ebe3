// An in-memory registry for tests: hierarchical keys, names compared without regard to case,
// subkeys enumerated in sorted order, values in the order they were first written. Faults can
// be injected per key path, per value name and on the Nth write.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/registry.h"

namespace corvane {

class MemoryRegistry : public Registry {
  public:
    MemoryRegistry();
    ~MemoryRegistry() override;

    long openKey(KeyHandle parent, std::u16string_view path, std::uint32_t access,
                 KeyHandle& key) override;
    long createKey(KeyHandle parent, std::u16string_view path, KeyHandle& key) override;
    void closeKey(KeyHandle key) override;
    long queryValue(KeyHandle key, std::u16string_view name, std::uint32_t* type, void* data,
                    std::uint32_t* size) override;
    long setValue(KeyHandle key, std::u16string_view name, std::uint32_t type, const void* data,
                  std::uint32_t size) override;
    long enumKey(KeyHandle key, std::uint32_t index, char16_t* name,
                 std::uint32_t& nameChars) override;
    long enumValue(KeyHandle key, std::uint32_t index, char16_t* name, std::uint32_t& nameChars,
                   std::uint32_t* type, void* data, std::uint32_t* size) override;
    long deleteTree(KeyHandle parent, std::u16string_view path) override;
    long deleteValue(KeyHandle key, std::u16string_view name) override;

    // Opening (and/or creating) the key at `path` under `root` fails with `status`.
    void failKey(KeyHandle root, std::u16string_view path, long status, bool onOpen = true,
                 bool onCreate = true);
    // Writing the value `name` fails with `status`; with a root, only in the key at `keyPath`.
    void failValue(std::u16string_view name, long status, KeyHandle root = 0,
                   std::u16string_view keyPath = {});
    // The nth setValue from now on (1 = the next one) fails with `status`, once.
    void failNthSetValue(int n, long status);
    void clearFaults();

    // Keys opened or created and not yet closed (the two roots do not count).
    int openHandleCount() const { return static_cast<int>(handles_.size()); }
    // setValue calls so far, failed ones included.
    int setValueCount() const { return setValueCalls_; }

  private:
    struct LessNoCase {
        using is_transparent = void;
        bool operator()(std::u16string_view a, std::u16string_view b) const;
    };
    struct Value {
        std::u16string name;
        std::uint32_t type = 0;
        std::vector<unsigned char> data;
    };
    struct Node {
        KeyHandle root = 0;
        std::u16string path;  // from the root, stored case, no leading backslash
        bool deleted = false;
        std::map<std::u16string, std::shared_ptr<Node>, LessNoCase> children;
        std::vector<Value> values;
    };
    struct KeyFault {
        KeyHandle root;
        std::u16string path;
        long status;
        bool onOpen;
        bool onCreate;
    };
    struct ValueFault {
        std::u16string name;
        long status;
        KeyHandle root;
        std::u16string keyPath;
    };

    // The node a handle names, or null with `result` set to why not.
    std::shared_ptr<Node> find(KeyHandle key, long& result) const;
    long keyFault(const Node& parent, std::u16string_view path, bool create) const;
    KeyHandle addHandle(const std::shared_ptr<Node>& node);
    Value* findValue(Node& node, std::u16string_view name);

    std::shared_ptr<Node> currentUser_;
    std::shared_ptr<Node> localMachine_;
    std::map<KeyHandle, std::shared_ptr<Node>> handles_;
    KeyHandle nextHandle_ = 0x1000;
    std::vector<KeyFault> keyFaults_;
    std::vector<ValueFault> valueFaults_;
    int setValueCalls_ = 0;
    int failingSetValue_ = 0;  // the setValueCalls_ number that fails, 0 for none
    long failingSetStatus_ = 0;
};

}  // namespace corvane
