#include "cli/cli_commands.h"
#include "cli/keyboard_steps.h"
#include "cli/report_tree.h"
#include "cli/window_forwarding.h"
#include "keys/keymap_file.h"
#include "platform/file_io.h"
#include "profiles/profile_document.h"
#include "profiles/profile_names.h"
#include "profiles/profile_store.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

namespace talvex {

namespace {

namespace fs = std::filesystem;

// A document with every byte of a profile in otherBytes is about 420 KB; far more is no profile.
constexpr std::size_t kMaxDocumentBytes = 4u << 20;

// What a profile subcommand works on: the store of the data folder, and the name as given, with
// a ".bin" ending the user may have typed taken off (the profile manager's rule).
struct ProfileJob {
    CliContext& context;
    AppPaths paths;
    ProfileStore store;
    const CliArgs& args;
    // The listed profile the verb works on, for the verbs that need one.
    std::size_t index = 0;
    std::string subject;

    std::string name(std::size_t i) const { return editedProfileName(args[i]); }
    std::string shown(const std::string& profile) const { return terminalSafe(profile); }

    // Says why the store refused, and returns the exit code.
    int refuse(ProfileStatus status, const std::string& profile) {
        switch (status) {
        case ProfileStatus::Done:
            return kExitOk;
        case ProfileStatus::LimitReached:
            return context.badInput("there are six profiles already, the most there can be; "
                                    "delete one first");
        case ProfileStatus::NoSuchProfile:
            return context.badInput("no profile named " + shown(profile) + " in " +
                                    store.folder().string());
        case ProfileStatus::InvalidName:
            return context.badInput(shown(profile) +
                                    " cannot be a profile name: it becomes a file name, so no / \\ "
                                    ": * ? \" < > |, no control character and no dot or blank at "
                                    "the end");
        case ProfileStatus::NameTaken:
            return context.badInput("a profile or file named " + shown(profile) +
                                    " exists already; nothing changed");
        case ProfileStatus::ReadFailed:
        case ProfileStatus::WrongSize:
            return context.badInput("cannot read the profile " + shown(profile));
        case ProfileStatus::WriteFailed:
        case ProfileStatus::ExportFailed:
            return context.badInput("cannot write the profile " + shown(profile) + " in " +
                                    store.folder().string());
        case ProfileStatus::DeleteFailed:
            return context.badInput("cannot delete the profile " + shown(profile));
        }
        return kExitBadInput;
    }

    // Says `done` when the store did it, else why it refused `blamed`.
    int report(ProfileStatus status, const std::string& blamed, const std::string& done) {
        if (status != ProfileStatus::Done)
            return refuse(status, blamed);
        context.out << done << "\n";
        return kExitOk;
    }

    // Whether `profile` may be written: listed already, or a new name that fits the store.
    int checkWritable(const std::string& profile) {
        if (store.indexOf(profile))
            return kExitOk;
        if (store.names().size() >= kMaxProfiles)
            return refuse(ProfileStatus::LimitReached, profile);
        if (!isValidProfileName(profile))
            return refuse(ProfileStatus::InvalidName, profile);
        return kExitOk;
    }

    // Writes `bytes` as `profile` and says whether it was created or replaced.
    int write(const std::string& profile, std::span<const std::uint8_t> bytes,
              const std::string& from) {
        const bool replacing = store.indexOf(profile).has_value();
        prepareDataFolder(paths);
        if (const ProfileStatus status = store.writeProfile(profile, bytes);
            status != ProfileStatus::Done)
            return refuse(status, profile);
        context.out << (replacing ? "replaced" : "created") << " profile " << shown(profile)
                    << " with " << from << "\n";
        return kExitOk;
    }

    // keymap.bin's assignments, or the entries of a new keymap.bin when there is none. One that
    // is there but cannot be read whole is still the user's setup: nothing goes on.
    int keymapAssignments(KeyAssignments& assignments) {
        std::vector<std::uint8_t> bytes;
        const FileResult read = readDataFile(paths.keymapFile(), kKeymapFileSize + 1, bytes);
        if (read.status == FileStatus::Missing) {
            resetAssignments(assignments);
            return kExitOk;
        }
        if (!read.ok())
            return context.badInput(read.message + "; nothing changed");
        if (bytes.size() != kKeymapFileSize)
            return context.badInput(paths.keymapFile().string() + " is " +
                                    std::to_string(bytes.size()) +
                                    " bytes, not the 206920 of a keymap.bin; nothing changed");
        std::copy(bytes.begin() + kDeviceSettingsSize, bytes.end(), assignments.bytes().begin());
        setPositionVks(assignments);
        return kExitOk;
    }
};

int listProfiles(ProfileJob& job) {
    const auto& names = job.store.names();
    if (job.context.options.json) {
        job.context.out << "[";
        for (std::size_t i = 0; i < names.size(); ++i) {
            job.context.out << (i ? ", " : "");
            jsonString(job.context.out, names[i]);
        }
        job.context.out << "]\n";
    } else {
        for (const std::string& name : names)
            job.context.out << job.shown(name) << "\n";
    }
    if (job.store.pathTable().size() > names.size())
        job.context.err << "kestrix-cli: warning: " << job.store.folder().string()
                        << " holds more than six profiles; only these six are used\n";
    return kExitOk;
}

int newProfile(ProfileJob& job) {
    const std::string name = job.args.size() > 1 ? job.name(1) : job.store.makeNewProfileName();
    prepareDataFolder(job.paths);
    job.store.reloadProfiles();
    return job.report(job.store.createProfile(name), name, "created profile " + job.shown(name));
}

int copyProfile(ProfileJob& job) {
    const std::string& source = job.subject;
    std::string copy;
    const ProfileStatus status = job.store.copyProfile(job.index, &copy);
    return job.report(status, status == ProfileStatus::WriteFailed ? copy : source,
                      "copied profile " + job.shown(source) + " to " + job.shown(copy));
}

int renameProfile(ProfileJob& job) {
    const std::string& from = job.subject;
    const std::string to = job.name(2);
    const ProfileStatus status = job.store.renameProfile(job.index, to);
    return job.report(status, status == ProfileStatus::WriteFailed ? from : to,
                      "renamed profile " + job.shown(from) + " to " + job.shown(to));
}

int deleteProfile(ProfileJob& job) {
    const std::string& name = job.subject;
    if (job.store.names().size() == 1)
        return job.context.badInput("keep at least one profile: " + job.shown(name) +
                                    " is the only one");
    return job.report(job.store.deleteProfile(job.index), name,
                      "deleted profile " + job.shown(name));
}

int saveProfile(ProfileJob& job) {
    const std::string name = job.name(1);
    if (int code = job.checkWritable(name); code != kExitOk)
        return code;
    auto assignments = std::make_unique<KeyAssignments>();
    if (int code = job.keymapAssignments(*assignments); code != kExitOk)
        return code;
    DeviceSettings held = zeroSettings();
    if (int code = readThroughWindowOrHere(job.context, held); code != kExitOk)
        return code;
    return job.write(name, keymapFileBytes(held, *assignments),
                     "the keyboard's settings and keymap.bin's keys");
}

int loadProfile(ProfileJob& job) {
    const std::string source = "profile " + job.shown(job.subject);
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!readConfigurationBytes(job.store.pathTable()[job.index], bytes, error))
        return job.context.badInput(error);
    ForwardedRequest request = forwardedRequest(ForwardedCommand::LoadProfile);
    request.source = source;
    request.configuration = bytes;
    if (const auto forwarded = forwardToWindow(job.context, std::move(request)))
        return *forwarded;
    // A profile of settings only keeps the keys keymap.bin assigns.
    auto assignments = std::make_unique<KeyAssignments>();
    if (int code = job.keymapAssignments(*assignments); code != kExitOk)
        return code;
    DeviceSettings working = zeroSettings();
    splitConfiguration(bytes, working, assignments.get());
    if (int code = applyConfiguration(job.context, source, working, assignments.get());
        code != kExitOk)
        return code;
    if (const FileResult saved =
            saveKeymapFile(job.paths.keymapFile(), *job.context.keyboardHolds(), *assignments);
        !saved.ok())
        return job.context.badInput("the keyboard holds " + source + ", but " + saved.message);
    return kExitOk;
}

int exportProfile(ProfileJob& job) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!readConfigurationBytes(job.store.pathTable()[job.index], bytes, error))
        return job.context.badInput(error + "; nothing was exported");
    if (job.context.options.format == "json") {
        const std::string document = profileDocument(bytes);
        bytes.assign(document.begin(), document.end());
    }
    if (const FileResult written = writeFileAtomically(job.args[2], bytes); !written.ok())
        return job.context.badInput(written.message);
    job.context.out << "wrote " << job.args[2] << "\n";
    return kExitOk;
}

// The profile file a JSON document describes, or exit 2 naming the first bad field.
int fromDocument(ProfileJob& job, const std::string& file, std::vector<std::uint8_t>& bytes) {
    ProfileFromDocument built = profileFromDocument(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (built.problem && !(built.problem->overridable && job.context.options.force))
        return job.context.badInput(
            file + ": " + built.problem->field + ": " + built.problem->message +
            "; nothing was imported" +
            (built.problem->overridable ? " (--force imports it anyway)" : ""));
    bytes = std::move(built.fileBytes);
    return kExitOk;
}

// The profile file itself, judged as the store takes any file.
int fromProfileFile(ProfileJob& job, const std::string& file,
                    const std::vector<std::uint8_t>& bytes) {
    if (const auto wrong = wrongConfigurationSize(file, bytes.size()))
        return job.context.badInput(*wrong + "; nothing was imported");
    DeviceSettings settings = zeroSettings();
    auto assignments = std::make_unique<KeyAssignments>();
    const bool whole = bytes.size() == kKeymapFileSize;
    if (whole)
        std::copy(bytes.begin() + kDeviceSettingsSize, bytes.end(), assignments->bytes().begin());
    settingsFromBytes(bytes, settings);
    return checkConfiguration(job.context, file, settings, whole ? assignments.get() : nullptr,
                              nullptr, CheckScope::Import);
}

// A document starts with "{"; a file of a profile's size that does not read as one is a profile
// whose first byte happens to be that.
bool isDocument(const std::vector<std::uint8_t>& bytes) {
    if (!startsLikeProfileDocument(bytes))
        return false;
    if (bytes.size() != kDeviceSettingsSize && bytes.size() != kKeymapFileSize)
        return true;
    const auto built = profileFromDocument(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return !built.problem || built.problem->field != "document";
}

int importProfile(ProfileJob& job) {
    const std::string& file = job.args[1];
    const std::string name = job.name(2);
    if (int code = job.checkWritable(name); code != kExitOk)
        return code;
    std::vector<std::uint8_t> bytes;
    if (const FileResult read = readDataFile(file, kMaxDocumentBytes, bytes); !read.ok())
        return job.context.badInput(read.message + "; nothing was imported");
    const int code =
        isDocument(bytes) ? fromDocument(job, file, bytes) : fromProfileFile(job, file, bytes);
    if (code != kExitOk)
        return code;
    return job.write(name, bytes, file);
}

struct ProfileVerb {
    std::string_view name;
    std::size_t minArgs, maxArgs; // after the verb
    bool namesProfile;            // its first argument is a listed profile
    bool changesStore;            // not while the window's profile manager is open
    const char* arguments;
    int (*run)(ProfileJob& job);
};

constexpr std::array<ProfileVerb, 9> kVerbs{{
    {"list", 0, 0, false, false, "", listProfiles},
    {"new", 0, 1, false, true, " [NAME]", newProfile},
    {"copy", 1, 1, true, true, " NAME", copyProfile},
    {"rename", 2, 2, true, true, " OLD NEW", renameProfile},
    {"delete", 1, 1, true, true, " NAME", deleteProfile},
    {"save", 1, 1, false, true, " NAME", saveProfile},
    {"load", 1, 1, true, false, " NAME", loadProfile},
    {"export", 2, 2, true, false, " NAME FILE", exportProfile},
    {"import", 2, 2, false, true, " FILE NAME", importProfile},
}};

std::string verbList() {
    std::string list;
    for (const ProfileVerb& verb : kVerbs)
        list += std::string(list.empty() ? "" : " | ") + std::string(verb.name) + verb.arguments;
    return list;
}

} // namespace

int runProfileCommand(CliContext& context, const CliArgs& args) {
    const auto verb = std::find_if(kVerbs.begin(), kVerbs.end(), [&](const ProfileVerb& v) {
        return !args.empty() && args[0] == v.name;
    });
    if (verb == kVerbs.end())
        return context.badInput("profile takes one of: " + verbList());
    if (!context.options.format.empty() && verb->name != "export")
        return context.badInput(
            "--format is for profile export; import tells the format by itself");
    if (args.size() - 1 < verb->minArgs || args.size() - 1 > verb->maxArgs)
        return context.badInput("usage: profile " + std::string(verb->name) + verb->arguments);
    ProfileJob job{context, context.paths(), ProfileStore(context.paths().profileFolder()), args, 0,
                   {}};
    if (verb->changesStore) {
        const auto refused =
            forwardToWindow(context, forwardedRequest(ForwardedCommand::ProfileStore));
        if (refused && *refused != kExitOk)
            return *refused;
    }
    job.store.reloadProfiles();
    if (verb->namesProfile) {
        job.subject = job.name(1);
        const auto index = job.store.indexOf(job.subject);
        if (!index)
            return job.refuse(ProfileStatus::NoSuchProfile, job.subject);
        job.index = *index;
    }
    return verb->run(job);
}

} // namespace talvex
