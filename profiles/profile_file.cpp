#include "profiles/profile_file.h"

#include <array>
#include <set>

#include "core/apply.h"
#include "core/net_settings.h"
#include "core/text.h"
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

std::u16string decimal(std::int64_t number) {
    char16_t text[24] = {};
    formatNumbers(u"%d", std::span(&number, 1), text);
    return std::u16string(textOf(text));
}

}  // namespace

bool ProfileFile::writeNumber(std::uint32_t number) {
    const auto bytes = littleEndian(number);
    return stream_.write(bytes.data(), 4);
}

bool ProfileFile::readExactly(void* data, std::uint32_t size, std::uint32_t& got) {
    got = 0;
    const bool read = stream_.read(data, size, got);
    bytesRead_ += got;
    return read && got == size;
}

bool ProfileFile::writeHeader(std::int32_t count) {
    std::array<unsigned char, kProfileFileHeaderSize> header{};
    const auto put = [&](std::size_t at, std::uint32_t number) {
        const auto bytes = littleEndian(number);
        std::copy(bytes.begin(), bytes.end(), header.begin() + static_cast<std::ptrdiff_t>(at));
    };
    put(0, kProfileFileMagic);
    put(4, kProfileFileHeaderSize);
    put(8, static_cast<std::uint32_t>(count));
    return stream_.seekToStart() && stream_.write(header.data(), kProfileFileHeaderSize);
}

bool ProfileFile::writeRecord(std::uint32_t type, std::u16string_view name,
                              std::span<const unsigned char> data, std::uint32_t valueType) {
    std::vector<unsigned char> text;
    for (const char16_t c : name) {
        text.push_back(static_cast<unsigned char>(c));
        text.push_back(static_cast<unsigned char>(c >> 8));
    }
    text.insert(text.end(), 2, 0);
    const auto nameSize = static_cast<std::uint32_t>(text.size());
    if (!writeNumber(type) || !writeNumber(nameSize) || !stream_.write(text.data(), nameSize)) {
        return false;
    }
    if (type != kValueRecord) {
        return true;
    }
    const auto dataSize = static_cast<std::uint32_t>(data.size());
    return writeNumber(dataSize) && (dataSize == 0 || stream_.write(data.data(), dataSize)) &&
           writeNumber(valueType);
}

bool ProfileFile::readHeader(ProfileFileHeader& header) {
    std::array<unsigned char, kProfileFileHeaderSize> bytes{};
    std::uint32_t got = 0;
    const bool read = readExactly(bytes.data(), kProfileFileHeaderSize, got);
    header.magic = fromLittleEndian(&bytes[0]);
    header.size = fromLittleEndian(&bytes[4]);
    header.count = static_cast<std::int32_t>(fromLittleEndian(&bytes[8]));
    return read;
}

RecordRead ProfileFile::readRecord(ProfileRecord& record) {
    record = ProfileRecord{};
    fault_ = FileFault::None;
    unsigned char number[4] = {};
    std::uint32_t got = 0;
    if (!readExactly(number, 4, got)) {
        return got == 0 ? RecordRead::End : broken(FileFault::CutOff);
    }
    record.type = fromLittleEndian(number);
    if (record.type != kProfileRecord && record.type != kValueRecord) {
        return broken(FileFault::UnknownType);
    }
    if (!readExactly(number, 4, got)) {
        return broken(FileFault::CutOff);
    }
    // A name of whole characters that ends in its zero and fits the reader's buffer.
    const std::uint32_t nameSize = fromLittleEndian(number);
    std::array<unsigned char, kMaxNameBytes> name{};
    if (nameSize < 2 || nameSize > kMaxNameBytes || nameSize % 2 != 0) {
        return broken(FileFault::NameSize);
    }
    if (!readExactly(name.data(), nameSize, got)) {
        return broken(FileFault::CutOff);
    }
    if (name[nameSize - 2] != 0 || name[nameSize - 1] != 0) {
        return broken(FileFault::NameEnd);
    }
    for (std::uint32_t i = 0; i + 2 < nameSize; i += 2) {
        record.name.push_back(static_cast<char16_t>(name[i] | (name[i + 1] << 8)));
    }
    // A zero inside the name would end it early for the registry: another key or value.
    if (record.name.find(u'\0') != std::u16string::npos) {
        return broken(FileFault::ZeroInName);
    }
    if (record.type == kProfileRecord) {
        return RecordRead::Read;
    }
    if (!readExactly(number, 4, got)) {
        return broken(FileFault::CutOff);
    }
    const std::uint32_t dataSize = fromLittleEndian(number);
    if (dataSize > kMaxDataBytes) {
        return broken(FileFault::DataSize);
    }
    record.data.resize(dataSize);
    if ((dataSize > 0 && !readExactly(record.data.data(), dataSize, got)) ||
        !readExactly(number, 4, got)) {
        return broken(FileFault::CutOff);
    }
    record.valueType = fromLittleEndian(number);
    return RecordRead::Read;
}

ExportOutcome exportProfiles(Registry& registry, ByteStream& stream) {
    ExportOutcome outcome;
    ProfileFile file(stream);
    if (!file.writeHeader(0)) {
        return outcome;
    }
    RegKey profiles;
    if (openKey(registry, kCurrentUser, kProfilesKeyPath, 0, profiles) == status::kSuccess) {
        for (std::uint32_t index = 0;; ++index) {
            char16_t name[kMaxNameBytes / 2] = {};
            std::uint32_t nameChars = kMaxNameBytes / 2;
            const long listed = registry.enumKey(profiles.handle(), index, name, nameChars);
            if (listed == status::kNoMoreItems) {
                break;
            }
            RegKey profile;
            if (listed != status::kSuccess ||
                openKey(registry, profiles.handle(), textOf(name), 0, profile) !=
                    status::kSuccess ||
                !file.writeRecord(kProfileRecord, textOf(name))) {
                return outcome;
            }
            for (std::uint32_t value = 0;; ++value) {
                char16_t valueName[kMaxNameBytes / 2] = {};
                std::uint32_t valueChars = kMaxNameBytes / 2;
                unsigned char data[kMaxDataBytes];
                std::uint32_t type = 0;
                std::uint32_t size = kMaxDataBytes;
                const long result = registry.enumValue(profile.handle(), value, valueName,
                                                       valueChars, type, data, size);
                if (result == status::kNoMoreItems) {
                    break;
                }
                if (result == status::kMoreData) {
                    // Too long for the file: left out and told, and the values after it go on.
                    if (outcome.shortened.empty() || outcome.shortened.back() != textOf(name)) {
                        outcome.shortened.emplace_back(textOf(name));
                    }
                    continue;
                }
                if (result != status::kSuccess ||
                    !file.writeRecord(kValueRecord, std::u16string_view(valueName, valueChars),
                                      std::span(data, size), type)) {
                    return outcome;
                }
            }
            ++outcome.count;
        }
    }
    outcome.written = file.writeHeader(outcome.count);
    return outcome;
}

bool writeProfileFile(ByteStream& stream, const std::vector<StoredProfile>& profiles) {
    ProfileFile file(stream);
    bool written = file.writeHeader(0);
    for (const StoredProfile& profile : profiles) {
        written = written && file.writeRecord(kProfileRecord, profile.name);
        for (const ProfileRecord& value : profile.values) {
            written =
                written && file.writeRecord(kValueRecord, value.name, value.data, value.valueType);
        }
    }
    return written && file.writeHeader(static_cast<std::int32_t>(profiles.size()));
}

Messages exportMessages(const ExportOutcome& outcome) {
    if (!outcome.written) {
        return {failure(IDS_EXPORT_FAILED)};
    }
    Messages messages;
    for (const std::u16string& name : outcome.shortened) {
        messages.push_back(failure(IDS_EXPORT_SHORTENED, name));
    }
    messages.push_back(notice(IDS_EXPORTED, decimal(outcome.count)));
    return messages;
}

FileCheck checkProfileFile(ByteStream& stream) {
    FileCheck check;
    ProfileFile file(stream);
    const auto refuse = [&](FileFault fault) {
        check.fault = fault;
        return check;
    };
    if (!file.readHeader(check.header) || check.header.magic != kProfileFileMagic ||
        check.header.size != kProfileFileHeaderSize) {
        return refuse(FileFault::NotProfileFile);
    }
    if (check.header.count < 1) {
        check.offset = 8;  // the count's place in the header
        return refuse(FileFault::NoProfile);
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

std::optional<std::vector<StoredProfile>> readProfileFile(ByteStream& stream) {
    FileCheck check = checkProfileFile(stream);
    if (check.fault != FileFault::None) {
        return std::nullopt;
    }
    return std::move(check.profiles);
}

ImportWrite writeImportedProfiles(Registry& registry, const std::vector<StoredProfile>& profiles,
                                  bool replace, Messages& messages) {
    ImportWrite result;
    if (profiles.empty()) {
        return result;  // a file read whole holds at least one profile
    }
    // Keys compare without regard to case: a name met again writes into the same profile.
    std::set<std::u16string> written;
    for (const StoredProfile& profile : profiles) {
        KeyChange change{kCurrentUser, profilePath(profile.name), {}, false};
        for (const ProfileRecord& value : profile.values) {
            change.set.push_back({value.name, value.valueType, value.data});
        }
        // Replacing, a profile holds the file's values only; a later record of the same name adds
        // to it, as it always did.
        change.removeOthers = replace && written.insert(lowerCase(profile.name)).second;
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
        if (written.contains(lowerCase(name))) {
            continue;
        }
        if (deleteProfile(registry, name)) {
            continue;
        }
        messages.push_back(failure(IDS_OLD_PROFILE_NOT_REMOVED, name));
        result.oldProfilesLeft = true;
    }
    messages.push_back(notice(IDS_IMPORTED, decimal(static_cast<std::int64_t>(profiles.size()))));
    return result;
}

bool reapplyDefaultProfiles(AppState& state, Messages& messages) {
    std::vector<AdapterApply> applies;
    const int count = state.adapters ? state.adapters->count() : 0;
    for (int index = 0; index < count; ++index) {
        AdapterInfo& adapter = *state.adapters->at(index);
        std::u16string name;
        NetSettings record;
        if (!loadDefaultProfileName(*state.registry, adapter, name) ||
            !loadProfile(*state.registry, name, record)) {
            continue;
        }
        const ApplyOutcome outcome = applyToSystem(*state.registry, *state.system, adapter, record);
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
