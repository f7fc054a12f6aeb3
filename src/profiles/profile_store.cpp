#include "profiles/profile_store.h"

#include <algorithm>
#include <system_error>

#include "controls/list_box_model.h"
#include "keys/factory_configuration.h"
#include "keys/keymap_file.h"
#include "platform/file_io.h"
#include "profiles/profile_names.h"

namespace talvex {

namespace fs = std::filesystem;

namespace {

bool pathExists(const fs::path& path) {
    std::error_code ec;
    // A dangling link still occupies the name.
    return fs::exists(fs::symlink_status(path, ec));
}

} // namespace

ProfileStatus readConfigurationFile(const fs::path& path, DeviceSettings& settings,
                                    KeyAssignments& assignments) {
    const auto bytes = readFileBytes(path, kKeymapFileSize + 1);
    if (!bytes)
        return ProfileStatus::ReadFailed;
    if (bytes->size() != kDeviceSettingsSize && bytes->size() != kKeymapFileSize)
        return ProfileStatus::WrongSize;
    std::copy_n(bytes->begin(), kDeviceSettingsSize, settings.bytes().begin());
    if (bytes->size() == kKeymapFileSize)
        std::copy(bytes->begin() + kDeviceSettingsSize, bytes->end(), assignments.bytes().begin());
    return ProfileStatus::Done;
}

ProfileStore::ProfileStore(fs::path folder) : folder_(std::move(folder)) {}

fs::path ProfileStore::fileOf(const std::string& name) const {
    return folder_ / (name + ".bin");
}

bool ProfileStore::isTaken(const std::string& name) const {
    return std::find(names_.begin(), names_.end(), name) != names_.end() ||
           pathExists(fileOf(name));
}

void ProfileStore::reloadProfiles() {
    names_.clear();
    paths_.clear();
    std::vector<std::string> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        if (it->is_directory(statusError))
            continue;
        if (auto name = profileNameOfFile(it->path().filename().string()))
            found.push_back(std::move(*name));
    }
    // In the profile list box's order, so that an index of the list is an index here, and the
    // same six are listed on every run whatever order the folder gives. Names that the list
    // box holds equal keep byte order.
    std::sort(found.begin(), found.end(), [](const std::string& a, const std::string& b) {
        if (lineSortsBefore(a, b) || lineSortsBefore(b, a))
            return lineSortsBefore(a, b);
        return a < b;
    });
    for (std::size_t i = 0; i < found.size() && i <= kMaxProfiles; ++i) {
        paths_.push_back(fileOf(found[i]));
        if (i < kMaxProfiles)
            names_.push_back(found[i]);
    }
}

std::string ProfileStore::makeNewProfileName() const {
    return talvex::makeNewProfileName([this](const std::string& n) { return isTaken(n); });
}

ProfileStatus ProfileStore::writeNewProfile(const std::string& name,
                                            std::span<const std::uint8_t> bytes) {
    if (!isValidProfileName(name))
        return ProfileStatus::InvalidName;
    const bool written = writeFileAtomically(fileOf(name), bytes).ok();
    reloadProfiles();
    return written ? ProfileStatus::Done : ProfileStatus::WriteFailed;
}

std::optional<std::size_t> ProfileStore::indexOf(const std::string& name) const {
    const auto found = std::find(names_.begin(), names_.end(), name);
    if (found == names_.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - names_.begin());
}

ProfileStatus ProfileStore::addProfile(const std::string& name,
                                       std::span<const std::uint8_t> bytes) {
    if (names_.size() >= kMaxProfiles)
        return ProfileStatus::LimitReached;
    if (!isValidProfileName(name))
        return ProfileStatus::InvalidName;
    if (isTaken(name))
        return ProfileStatus::NameTaken;
    return writeNewProfile(name, bytes);
}

ProfileStatus ProfileStore::createProfile() {
    return createProfile(makeNewProfileName());
}

ProfileStatus ProfileStore::createProfile(const std::string& name) {
    // Not zeros: loaded and saved, a zero image would disable every key.
    return addProfile(name, factoryConfigurationBytes());
}

ProfileStatus ProfileStore::writeProfile(const std::string& name,
                                         std::span<const std::uint8_t> bytes) {
    const auto index = indexOf(name);
    if (!index)
        return addProfile(name, bytes);
    const bool written = writeFileAtomically(paths_[*index], bytes).ok();
    reloadProfiles();
    return written ? ProfileStatus::Done : ProfileStatus::WriteFailed;
}

ProfileStatus ProfileStore::copyProfile(std::size_t index, std::string* copyName) {
    if (names_.size() >= kMaxProfiles)
        return ProfileStatus::LimitReached;
    if (index >= names_.size())
        return ProfileStatus::NoSuchProfile;
    auto source = readFileBytes(paths_[index], kKeymapFileSize);
    if (!source)
        return ProfileStatus::ReadFailed;
    source->resize(kKeymapFileSize, 0);
    std::string name =
        makeCopyName(names_[index], [this](const std::string& n) { return isTaken(n); });
    if (copyName)
        *copyName = name;
    return writeNewProfile(name, *source);
}

ProfileStatus ProfileStore::renameProfile(std::size_t oldIndex, const std::string& newText) {
    if (oldIndex >= names_.size())
        return ProfileStatus::NoSuchProfile;
    std::string newName = editedProfileName(newText);
    if (newName == names_[oldIndex])
        return ProfileStatus::Done;
    if (!isValidProfileName(newName))
        return ProfileStatus::InvalidName;
    if (isTaken(newName)) {
        reloadProfiles();
        return ProfileStatus::NameTaken;
    }
    // Copy, then delete: the copy refuses to replace a file that appeared meanwhile, and a
    // failure at either step leaves exactly the old profile.
    const fs::path oldPath = paths_[oldIndex];
    const fs::path newPath = fileOf(newName);
    std::error_code ec;
    bool renamed = fs::copy_file(oldPath, newPath, fs::copy_options::none, ec);
    if (renamed && !fs::remove(oldPath, ec)) {
        fs::remove(newPath, ec);
        renamed = false;
    }
    reloadProfiles();
    return renamed ? ProfileStatus::Done : ProfileStatus::WriteFailed;
}

ProfileStatus ProfileStore::deleteProfile(std::size_t index) {
    if (index >= names_.size())
        return ProfileStatus::NoSuchProfile;
    std::error_code ec;
    fs::remove(paths_[index], ec);
    while (ec && deleteRetriesLeft_ > 0) {
        --deleteRetriesLeft_;
        fs::remove(paths_[index], ec);
    }
    reloadProfiles();
    return ec ? ProfileStatus::DeleteFailed : ProfileStatus::Done;
}

ProfileStatus ProfileStore::storeWorkingToProfile(std::size_t index, const DeviceSettings& settings,
                                                  const KeyAssignments& assignments,
                                                  const std::optional<fs::path>& exportPath) {
    if (index >= names_.size())
        return ProfileStatus::NoSuchProfile;
    // A profile is a keymap.bin kept under another name.
    const bool stored = saveKeymapFile(paths_[index], settings, assignments).ok();
    const bool exported = !exportPath || saveKeymapFile(*exportPath, settings, assignments).ok();
    reloadProfiles();
    if (!stored)
        return ProfileStatus::WriteFailed;
    return exported ? ProfileStatus::Done : ProfileStatus::ExportFailed;
}

} // namespace talvex
