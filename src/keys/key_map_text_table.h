#pragma once
// What the key dialog tells the user, and what its file and folder choosers show.

namespace talvex::key_map_text {

inline constexpr const char* kChooseLeaf = TALVEX_TEXT("请选择子项");
inline constexpr const char* kChooseFolder = TALVEX_TEXT("请选择文件夹") "\n";
inline constexpr const char* kPathTooLong =
    TALVEX_TEXT("路径太长：文件或文件夹的路径最多可有255个字符。");
inline constexpr const char* kMacroBeyondSlots =
    TALVEX_TEXT("键盘只能存放前32个宏，请选择其中之一。");
inline constexpr const char* kMessageCaption = "Kestrix";
// Shown in grey in a key box in place of a key the keyboard cannot send.
inline constexpr const char* kKeyboardCannotSend = TALVEX_TEXT("（键盘无法发送此键）");
inline constexpr const char* kChooseOnFunctionPage = TALVEX_TEXT("（请在“基本功能”页选择）");

// Advanced rows 0..2 choose an existing file of one kind; row 3 chooses a folder. Sounds and
// documents mostly carry their extension, so their chooser opens on it with every file a choice
// away. Programs outside Windows seldom have one: there it opens on every file.
inline constexpr const char* kFileFilters[] = {"mp3 Files(*.mp3);;All Files(*)",
#ifdef _WIN32
                                               "exe Files(*.exe);;All Files(*)",
#else
                                               "All Files(*);;exe Files(*.exe)",
#endif
                                               "txt Files(*.txt);;All Files(*)"};
inline constexpr int kFolderRow = 3;
inline constexpr const char* kFileChooserTitle = TALVEX_TEXT("打开");
inline constexpr const char* kFolderChooserTitle = "modification path";

} // namespace talvex::key_map_text
