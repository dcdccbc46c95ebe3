#include "profiles/profile_file.h"

#include <algorithm>
#include <array>
#include <set>

#include "core/apply.h"
#include "core/net_settings.h"
#include "core/registry_values.h"
#include "core/text.h"
#include "profiles/last_switch.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"

namespace corvane {
namespace {

std::array<unsigned char, 4> littleEndian(std::uint32_t number) {
    return {static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
            static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24)};
}

std::uint32_t fromLittleEndian(const unsigned char* bytes) {
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void appendNumber(std::vector<unsigned char>& file, std::uint32_t number) {
    const auto bytes = littleEndian(number);
    file.insert(file.end(), bytes.begin(), bytes.end());
}

}  // namespace

void writeHeader(std::vector<unsigned char>& file, std::int32_t count) {
    if (file.size() < kProfileFileHeaderSize) {
        file.resize(kProfileFileHeaderSize);
    }
    std::fill_n(file.begin(), kProfileFileHeaderSize, 0);
    const auto put = [&](std::size_t at, std::uint32_t number) {
        const auto bytes = littleEndian(number);
        std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
    };
    put(0, kProfileFileMagic);
    put(4, kProfileFileHeaderSize);
    put(8, static_cast<std::uint32_t>(count));
}

void writeRecord(std::vector<unsigned char>& file, std::uint32_t type, std::u16string_view name,
                 std::span<const unsigned char> data, std::uint32_t valueType) {
    appendNumber(file, type);
    appendNumber(file, static_cast<std::uint32_t>((name.size() + 1) * 2));
    for (const char16_t c : name) {
        file.push_back(static_cast<unsigned char>(c));
        file.push_back(static_cast<unsigned char>(c >> 8));
    }
    file.insert(file.end(), 2, 0);
    if (type != kValueRecord) {
        return;
    }
    appendNumber(file, static_cast<std::uint32_t>(data.size()));
    file.insert(file.end(), data.begin(), data.end());
    appendNumber(file, valueType);
}

const unsigned char* ProfileFile::take(std::size_t size) {
    if (bytes_.size() - position_ < size) {
        position_ = bytes_.size();
        return nullptr;
    }
    position_ += size;
    return bytes_.data() + position_ - size;
}

bool ProfileFile::takeNumber(std::uint32_t& number) {
    const unsigned char* bytes = take(4);
    number = bytes != nullptr ? fromLittleEndian(bytes) : 0;
    return bytes != nullptr;
}

bool ProfileFile::readHeader(ProfileFileHeader& header) {
    // Bytes the file does not hold read as zero.
    std::array<unsigned char, kProfileFileHeaderSize> bytes{};
    const std::size_t held = std::min<std::size_t>(bytes_.size(), kProfileFileHeaderSize);
    std::copy_n(bytes_.begin(), held, bytes.begin());
    position_ = held;
    header.magic = fromLittleEndian(&bytes[0]);
    header.size = fromLittleEndian(&bytes[4]);
    header.count = static_cast<std::int32_t>(fromLittleEndian(&bytes[8]));
    return held == kProfileFileHeaderSize;
}

RecordRead ProfileFile::readRecord(ProfileRecord& record) {
    record = ProfileRecord{};
    fault_ = FileFault::None;
    if (position_ == bytes_.size()) {
        return RecordRead::End;
    }
    std::uint32_t nameSize = 0;
    if (!takeNumber(record.type)) {
        return broken(FileFault::CutOff);
    }
    if (record.type != kProfileRecord && record.type != kValueRecord) {
        return broken(FileFault::UnknownType);
    }
    if (!takeNumber(nameSize)) {
        return broken(FileFault::CutOff);
    }
    // A name of whole characters that ends in its zero and fits the reader's buffer.
    if (nameSize < 2 || nameSize > kMaxNameBytes || nameSize % 2 != 0) {
        return broken(FileFault::NameSize);
    }
    const unsigned char* name = take(nameSize);
    if (name == nullptr) {
        return broken(FileFault::CutOff);
    }
    if (name[nameSize - 2] != 0 || name[nameSize - 1] != 0) {
        return broken(FileFault::NameEnd);
    }
    record.name.resize(nameSize / 2 - 1);
    for (std::uint32_t i = 0; i + 2 < nameSize; i += 2) {
        record.name[i / 2] = static_cast<char16_t>(name[i] | (name[i + 1] << 8));
    }
    // A zero inside the name would end it early for the registry: another key or value.
    if (record.name.find(u'\0') != std::u16string::npos) {
        return broken(FileFault::ZeroInName);
    }
    if (record.type == kProfileRecord) {
        return RecordRead::Read;
    }
    std::uint32_t dataSize = 0;
    if (!takeNumber(dataSize)) {
        return broken(FileFault::CutOff);
    }
    if (dataSize > kMaxDataBytes) {
        return broken(FileFault::DataSize);
    }
    const unsigned char* data = take(dataSize);
    if (data == nullptr || !takeNumber(record.valueType)) {
        return broken(FileFault::CutOff);
    }
    record.data.assign(data, data + dataSize);
    return RecordRead::Read;
}

ExportFile exportFile(Registry& registry) {
    ExportFile file;
    std::vector<StoredProfile> profiles;
    RegKey store;
    if (openKey(registry, kCurrentUser, kProfilesKeyPath, 0, store) == status::kSuccess) {
        bool whole = false;
        const std::vector<std::u16string> names =
            subkeyNames(registry, store.handle(), kMaxNameBytes / 2, 0, &whole);
        if (!whole) {
            return file;
        }
        for (const std::u16string& name : names) {
            RegKey key;
            std::vector<RegValue> values;
            if (openKey(registry, store.handle(), name, 0, key) != status::kSuccess ||
                !readValues(registry, key.handle(), values)) {
                return file;
            }
            StoredProfile& profile = profiles.emplace_back();
            profile.name = name;
            for (RegValue& value : values) {
                if (value.name.size() >= kMaxNameBytes / 2 || value.data.size() > kMaxDataBytes) {
                    // Too long for the file: left out and told, and the values after it go on.
                    if (file.shortened.empty() || file.shortened.back() != name) {
                        file.shortened.push_back(name);
                    }
                    continue;
                }
                profile.values.push_back(
                    {kValueRecord, std::move(value.name), std::move(value.data), value.type});
            }
        }
    }
    file.bytes = writeProfileFile(profiles);
    file.count = static_cast<std::int32_t>(profiles.size());
    return file;
}

std::vector<unsigned char> writeProfileFile(const std::vector<StoredProfile>& profiles) {
    std::vector<unsigned char> file;
    writeHeader(file, static_cast<std::int32_t>(profiles.size()));
    for (const StoredProfile& profile : profiles) {
        writeRecord(file, kProfileRecord, profile.name);
        for (const ProfileRecord& value : profile.values) {
            writeRecord(file, kValueRecord, value.name, value.data, value.valueType);
        }
    }
    return file;
}

Messages exportMessages(const ExportFile& file, bool written) {
    if (!written) {
        return {failure(IDS_EXPORT_FAILED)};
    }
    Messages messages;
    for (const std::u16string& name : file.shortened) {
        messages.push_back(failure(IDS_EXPORT_SHORTENED, name));
    }
    messages.push_back(notice(IDS_EXPORTED, decimal(file.count)));
    return messages;
}

FileCheck checkProfileFile(std::span<const unsigned char> bytes) {
    FileCheck check;
    ProfileFile file(bytes);
    const auto refuse = [&](FileFault fault) {
        check.fault = fault;
        return check;
    };
    if (!file.readHeader(check.header) || check.header.magic != kProfileFileMagic ||
        check.header.size != kProfileFileHeaderSize) {
        return refuse(FileFault::NotProfileFile);
    }
    check.offset = 8;  // the count's place in the header
    if (check.header.count < 1) {
        return refuse(FileFault::NoProfile);
    }
    // Refused before a record is read: a count no file of this size can hold would otherwise
    // have the whole file read and kept first.
    if (static_cast<std::uint64_t>(check.header.count) >
        (bytes.size() - kProfileFileHeaderSize) / kMinRecordBytes) {
        return refuse(FileFault::CountTooLarge);
    }
    ProfileRecord record;
    const auto next = [&] {
        ++check.record;
        check.offset = file.bytesRead();
        return file.readRecord(record);
    };
    RecordRead read = next();
    if (read == RecordRead::Read && record.type != kProfileRecord) {
        return refuse(FileFault::ValueFirst);
    }
    while (true) {
        if (read == RecordRead::Broken) {
            return refuse(file.fault());
        }
        if (read == RecordRead::End) {
            return refuse(FileFault::FewerProfiles);
        }
        // A name that is no key of its own would write outside its profile: the file is refused.
        if (!isProfileKeyName(record.name)) {
            return refuse(FileFault::NotKeyName);
        }
        StoredProfile& profile = check.profiles.emplace_back();
        profile.name = std::move(record.name);
        while ((read = next()) == RecordRead::Read && record.type == kValueRecord) {
            profile.values.push_back(std::move(record));
        }
        if (read != RecordRead::Broken &&
            static_cast<std::int32_t>(check.profiles.size()) == check.header.count) {
            return check;  // the records after the last counted profile are not read
        }
    }
}

std::optional<std::vector<StoredProfile>> readProfileFile(std::span<const unsigned char> bytes) {
    FileCheck check = checkProfileFile(bytes);
    if (check.fault != FileFault::None) {
        return std::nullopt;
    }
    return std::move(check.profiles);
}

ImportWrite writeImportedProfiles(Registry& registry, std::vector<StoredProfile> profiles,
                                  bool replace, Messages& messages) {
    ImportWrite result;
    if (profiles.empty()) {
        return result;  // a file read whole holds at least one profile
    }
    RegKey store;
    if (createKey(registry, kCurrentUser, kProfilesKeyPath, store) != status::kSuccess) {
        messages.push_back(failure(IDS_CREATE_FAILED, profiles.front().name));
        return result;
    }
    // Keys compare without regard to case: a name met again writes into the same profile.
    std::set<std::u16string> written;
    for (StoredProfile& profile : profiles) {
        KeyChange change{store.handle(), profile.name, {}, false};
        change.set.reserve(profile.values.size());
        for (ProfileRecord& value : profile.values) {
            change.set.push_back({std::move(value.name), value.valueType, std::move(value.data)});
        }
        // Replacing, a profile holds the file's values only; a later record of the same name adds
        // to it, as it always did.
        change.removeOthers = replace && written.insert(caseFolded(profile.name)).second;
        const Written done = writeWhole(registry, std::span(&change, 1));
        if (done != Written::Whole) {
            tellUnsaved(done, IDS_CREATE_FAILED, profile.name, messages);
            result.changed = result.changed || done == Written::Partly;
            return result;
        }
        result.changed = true;
    }
    result.written = true;
    // The profiles the file does not hold go only now that every one it holds is written.
    for (const std::u16string& name :
         replace ? listProfileNames(registry) : std::vector<std::u16string>{}) {
        if (written.contains(caseFolded(name))) {
            continue;
        }
        if (registry.deleteTree(store.handle(), name) == status::kSuccess) {
            continue;
        }
        messages.push_back(failure(IDS_OLD_PROFILE_NOT_REMOVED, name));
        result.oldProfilesLeft = true;
    }
    messages.push_back(notice(IDS_IMPORTED, decimal(static_cast<std::int64_t>(profiles.size()))));
    return result;
}

bool reapplyDefaultProfiles(Session& session, Messages& messages) {
    const std::vector<AdapterInfo*> adapters = session.adapters.all();
    const std::vector<std::optional<AdapterState>> before =
        adapterStates(session.registry, adapters);
    std::vector<AdapterApply> applies;
    for (std::size_t index = 0; index < adapters.size(); ++index) {
        AdapterInfo& adapter = *adapters[index];
        std::u16string name;
        NetSettings record;
        if (!loadDefaultProfileName(session.registry, adapter, name) ||
            !loadProfile(session.registry, name, record)) {
            continue;
        }
        const std::optional<ApplyOutcome> applied = applyKeepingLastSwitch(
            session.registry, session.system, adapter, record, before[index], messages);
        if (!applied) {
            return false;  // told; the adapters after it are left alone
        }
        const ApplyOutcome outcome = *applied;
        applies.push_back({std::u16string(textOf(adapter.displayName)), outcome});
        if (isFailure(outcome)) {
            // The adapters after it are left alone, and nothing is told as done.
            const Messages told = applyMessages(applies, false, false);
            messages.insert(messages.end(), told.begin(), told.end());
            return false;
        }
    }
    const Messages told = applyMessages(applies, false);
    messages.insert(messages.end(), told.begin(), told.end());
    return true;
}

}  // namespace corvane
