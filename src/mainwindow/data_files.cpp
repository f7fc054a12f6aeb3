#include "mainwindow/data_files.h"

#include "platform/ui_text.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <system_error>
#include <utility>

namespace talvex {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCaption = "Kestrix";
// Candidates "-2" .. this before moveAside gives up; more than one move a second is already odd.
constexpr int kMaxNameTries = 100;

std::string nameOf(const fs::path& path) {
    return path.filename().string();
}

// What the program uses instead of a damaged file, each case a whole sentence for translators.
const char* damagedTemplate(DataFile file, const FileResult& result) {
    if (result.status == FileStatus::WrongSize)
        return TALVEX_TEXT("%1 无法完整读取（%2）。程序不会覆盖这个文件，现在使用其中能读到的内容。"
                           "是否将它改名为 %3 移到一旁？移开后将重新创建 %1。");
    if (file == DataFile::Keymap)
        return TALVEX_TEXT("%1 无法完整读取（%2）。程序不会覆盖这个文件，现在使用出厂设置。"
                           "是否将它改名为 %3 移到一旁？移开后将重新创建 %1。");
    return TALVEX_TEXT("%1 无法完整读取（%2）。程序不会覆盖这个文件，现在没有任何宏。"
                       "是否将它改名为 %3 移到一旁？移开后将重新创建 %1。");
}

std::string keptText(const std::string& name) {
    return fillText(TALVEX_TEXT("本次运行期间不会保存 %1，它将保持原样。"), {name});
}

std::string moveFailedText(const std::string& name, const std::string& reason) {
    return fillText(
        TALVEX_TEXT("无法将 %1 移到一旁（%2）。本次运行期间不会保存 %1，它将保持原样。"),
        {name, reason});
}

std::string saveFailedText(const std::string& name, const std::string& reason) {
    return fillText(
        TALVEX_TEXT("无法保存 %1（%2）。程序中的设置仍然有效，之后每次更改都会再次尝试保存；"
                    "在保存成功之前不再提示。"),
        {name, reason});
}

std::string folderText(const std::string& reason) {
    return fillText(
        TALVEX_TEXT("数据文件夹无法写入（%1）。本次运行期间 keymap.bin、MacroDefine.bin "
                    "和配置文件都无法保存。"),
        {reason});
}

// Nothing at all of that name (not even a dangling symlink), as opposed to something that could
// not be looked at.
bool nothingThere(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() == fs::file_type::not_found;
}

// A rename that fails with EEXIST instead of replacing what `to` names.
bool renameWithoutReplacing(const fs::path& from, const fs::path& to, std::error_code& ec) {
    ec.clear();
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) {
        ec.assign(errno, std::generic_category());
        return false;
    }
#endif
    // A file system without an atomic no-replace rename: look first.
    if (!nothingThere(to)) {
        ec = std::make_error_code(std::errc::file_exists);
        return false;
    }
    fs::rename(from, to, ec);
    return !ec;
}

} // namespace

fs::path damagedName(const fs::path& file, std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return file.parent_path() / (nameOf(file) + ".damaged-" + stamp);
}

MovedAside moveAside(const fs::path& file, std::chrono::system_clock::time_point when) {
    const fs::path first = damagedName(file, when);
    std::error_code ec;
    for (int n = 1; n <= kMaxNameTries; ++n) {
        const fs::path to = n == 1 ? first : fs::path(first.string() + "-" + std::to_string(n));
        if (renameWithoutReplacing(file, to, ec))
            return {{}, to};
        if (ec != std::errc::file_exists)
            break;
    }
    return {{FileStatus::WriteFailed,
             "cannot rename " + file.string() + " to " + nameOf(first) + ": " + ec.message()},
            {}};
}

DataFiles::DataFiles(AppPaths paths, Prompts& prompts)
    : paths_(std::move(paths)), prompts_(prompts) {}

fs::path DataFiles::pathOf(DataFile file) const {
    return file == DataFile::Keymap ? paths_.keymapFile() : paths_.macroFile();
}

void DataFiles::openDataFolder(bool ownsDataFolder) {
    if (ownsDataFolder) {
        sweepLeftoverTemporaryFiles(paths_.dataFolder);
        sweepLeftoverTemporaryFiles(paths_.profileFolder());
    }
    const FileResult folder = checkDataFolder(paths_);
    if (folder.ok())
        return;
    tell(folderText(folder.message));
    // Every save will fail for the same reason, and the user has just heard it.
    for (State& s : states_)
        s.failureTold = true;
}

void DataFiles::loaded(DataFile file, const FileResult& result) {
    if (result.damaged()) {
        // A name under a path that is no folder reads as unreadable, yet nothing is there to
        // protect: it is a file that could not be created.
        if (nothingThere(pathOf(file)))
            noteSave(file, {FileStatus::WriteFailed, result.message});
        else
            offerMoveAside(file, result);
    } else if (result.status == FileStatus::Created || result.status == FileStatus::WriteFailed) {
        noteSave(file, result);
    }
}

void DataFiles::offerMoveAside(DataFile file, const FileResult& result) {
    const fs::path path = pathOf(file);
    const std::string name = nameOf(path);
    const auto now = std::chrono::system_clock::now();
    State& s = state(file);
    const std::string question = fillText(damagedTemplate(file, result),
                                          {name, result.message, nameOf(damagedName(path, now))});
    if (prompts_.message(question, kCaption, MessageButtons::YesNo, MessageIcon::Warning) !=
        MessageAnswer::Yes) {
        s.kept = true;
        tell(keptText(name));
        return;
    }
    const MovedAside moved = moveAside(path, now);
    s.kept = !moved.result.ok();
    if (s.kept)
        tell(moveFailedText(name, moved.result.message));
}

SaveVerdict DataFiles::save(DataFile file, const std::function<FileResult()>& write) {
    if (!maySave(file))
        return SaveVerdict::Kept;
    const FileResult result = write();
    noteSave(file, result);
    return result.ok() ? SaveVerdict::Saved : SaveVerdict::Failed;
}

void DataFiles::noteSave(DataFile file, const FileResult& result) {
    State& s = state(file);
    if (result.ok()) {
        s.failureTold = false;
        return;
    }
    if (s.failureTold)
        return;
    s.failureTold = true;
    tell(saveFailedText(nameOf(pathOf(file)), result.message));
}

void DataFiles::tell(const std::string& text) {
    prompts_.message(text, kCaption, MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace talvex
