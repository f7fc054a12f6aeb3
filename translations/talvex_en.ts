<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name></name>
    <message id="固件更新">
        <source></source>
        <translation>Firmware update</translation>
    </message>
    <message id="检测到键盘版本与Driver的版本不匹配，是否进行更新？">
        <source></source>
        <translation>The keyboard&apos;s firmware does not match this program&apos;s version. Update it now?</translation>
    </message>
    <message id="找不到固件更新程序：">
        <source></source>
        <translation>The firmware updater cannot be found: </translation>
    </message>
    <message id="无法启动固件更新程序：">
        <source></source>
        <translation>The firmware updater cannot be started: </translation>
    </message>
    <message id="关于 Talvex">
        <source></source>
        <translation>About Talvex</translation>
    </message>
    <message id="Talvex %1 版">
        <source></source>
        <translation>Talvex version %1</translation>
    </message>
    <message id="确定">
        <source></source>
        <translation>OK</translation>
    </message>
    <message id="关于 Talvex...">
        <source></source>
        <translation>About Talvex(&amp;A)...</translation>
    </message>
    <message id="系统没有检测到游戏键盘！">
        <source></source>
        <translation>No gaming keyboard was found!</translation>
    </message>
    <message id="禁用按键">
        <source></source>
        <translation>Disable key</translation>
    </message>
    <message id="初始值">
        <source></source>
        <translation>Default</translation>
    </message>
    <message id="取消">
        <source></source>
        <translation>Cancel</translation>
    </message>
    <message id="保存">
        <source></source>
        <translation>Save</translation>
    </message>
    <message id="当前按键：%1">
        <source></source>
        <translation>Key: %1</translation>
    </message>
    <message id="单键/组合键">
        <source></source>
        <translation>Keys</translation>
    </message>
    <message id="宏">
        <source></source>
        <translation>Macro</translation>
    </message>
    <message id="基本功能">
        <source></source>
        <translation>Functions</translation>
    </message>
    <message id="高级功能">
        <source></source>
        <translation>Actions</translation>
    </message>
    <message id="单键">
        <source></source>
        <translation>Single key</translation>
    </message>
    <message id="组合键">
        <source></source>
        <translation>Combination</translation>
    </message>
    <message id="播放声音">
        <source></source>
        <translation>Sound</translation>
    </message>
    <message id="启动程序">
        <source></source>
        <translation>Program</translation>
    </message>
    <message id="打开文件">
        <source></source>
        <translation>File</translation>
    </message>
    <message id="打开目录">
        <source></source>
        <translation>Folder</translation>
    </message>
    <message id="请选择子项">
        <source></source>
        <translation>Please choose an item inside the group</translation>
    </message>
    <message id="路径太长：文件或文件夹的路径最多可有255个字符。">
        <source></source>
        <translation>The path is too long: a file or folder path may have at most 255 characters.</translation>
    </message>
    <message id="键盘只能存放前32个宏，请选择其中之一。">
        <source></source>
        <translation>The keyboard holds only the first 32 macros; please choose one of them.</translation>
    </message>
    <message id="（键盘无法发送此键）">
        <source></source>
        <translation> (the keyboard cannot send this key)</translation>
    </message>
    <message id="（请在“基本功能”页选择）">
        <source></source>
        <translation> (choose it on the Functions page)</translation>
    </message>
    <message id="打开">
        <source></source>
        <translation>Open</translation>
    </message>
    <message id="宏管理">
        <source></source>
        <translation>Macros</translation>
    </message>
    <message id="确认删除吗？">
        <source></source>
        <translation>Delete it?</translation>
    </message>
    <message id="此键不能录入宏">
        <source></source>
        <translation>Not recordable</translation>
    </message>
    <message id="请按要插入的键">
        <source></source>
        <translation>Press the key to insert</translation>
    </message>
    <message id="宏管理器">
        <source></source>
        <translation>Macro manager</translation>
    </message>
    <message id="选择宏">
        <source></source>
        <translation>Macros</translation>
    </message>
    <message id="按键系列">
        <source></source>
        <translation>Key sequence</translation>
    </message>
    <message id="录制选项">
        <source></source>
        <translation>Recording</translation>
    </message>
    <message id="开始录制">
        <source></source>
        <translation>Record</translation>
    </message>
    <message id="停止录制">
        <source></source>
        <translation>Stop</translation>
    </message>
    <message id="记录按键动作">
        <source></source>
        <translation>Record delays</translation>
    </message>
    <message id="间的延迟">
        <source></source>
        <translation>between keys</translation>
    </message>
    <message id="循环次数">
        <source></source>
        <translation>Repeat count</translation>
    </message>
    <message id="新建">
        <source></source>
        <translation>New</translation>
    </message>
    <message id="删除">
        <source></source>
        <translation>Delete</translation>
    </message>
    <message id="在之前开始录入">
        <source></source>
        <translation>Record before</translation>
    </message>
    <message id="在之后开始录入">
        <source></source>
        <translation>Record after</translation>
    </message>
    <message id="插入鼠标按键">
        <source></source>
        <translation>Insert mouse button</translation>
    </message>
    <message id="左键">
        <source></source>
        <translation>Left button</translation>
    </message>
    <message id="压下">
        <source></source>
        <translation>Press</translation>
    </message>
    <message id="释放">
        <source></source>
        <translation>Release</translation>
    </message>
    <message id="单击">
        <source></source>
        <translation>Click</translation>
    </message>
    <message id="右键">
        <source></source>
        <translation>Right button</translation>
    </message>
    <message id="中键">
        <source></source>
        <translation>Middle button</translation>
    </message>
    <message id="插入延迟">
        <source></source>
        <translation>Insert delay</translation>
    </message>
    <message id="%1 无法完整读取（%2）。程序不会覆盖这个文件，现在使用其中能读到的内容。是否将它改名为 %3 移到一旁？移开后将重新创建 %1。">
        <source></source>
        <translation>%1 cannot be read whole (%2). The program will not overwrite it and now uses what could be read. Rename it to %3 and set it aside? %1 is then created anew.</translation>
    </message>
    <message id="%1 无法完整读取（%2）。程序不会覆盖这个文件，现在使用出厂设置。是否将它改名为 %3 移到一旁？移开后将重新创建 %1。">
        <source></source>
        <translation>%1 cannot be read whole (%2). The program will not overwrite it and now uses the factory settings. Rename it to %3 and set it aside? %1 is then created anew.</translation>
    </message>
    <message id="%1 无法完整读取（%2）。程序不会覆盖这个文件，现在没有任何宏。是否将它改名为 %3 移到一旁？移开后将重新创建 %1。">
        <source></source>
        <translation>%1 cannot be read whole (%2). The program will not overwrite it and now has no macros. Rename it to %3 and set it aside? %1 is then created anew.</translation>
    </message>
    <message id="本次运行期间不会保存 %1，它将保持原样。">
        <source></source>
        <translation>%1 will not be saved while the program runs; it stays as it is.</translation>
    </message>
    <message id="无法将 %1 移到一旁（%2）。本次运行期间不会保存 %1，它将保持原样。">
        <source></source>
        <translation>%1 cannot be set aside (%2). %1 will not be saved while the program runs; it stays as it is.</translation>
    </message>
    <message id="无法保存 %1（%2）。程序中的设置仍然有效，之后每次更改都会再次尝试保存；在保存成功之前不再提示。">
        <source></source>
        <translation>%1 cannot be saved (%2). The settings in the program still apply, and every later change tries to save again; you will not be told again until a save succeeds.</translation>
    </message>
    <message id="数据文件夹无法写入（%1）。本次运行期间 keymap.bin、MacroDefine.bin 和配置文件都无法保存。">
        <source></source>
        <translation>The data folder cannot be written (%1). keymap.bin, MacroDefine.bin and profiles cannot be saved while the program runs.</translation>
    </message>
    <message id="提示：更改在按下“保存”后才写入键盘；“取消”回到上次保存的设置。">
        <source></source>
        <translation>Tip: changes reach the keyboard when you press Save; Cancel returns to the last saved settings.</translation>
    </message>
    <message id="正在读取键盘…">
        <source></source>
        <translation>Reading the keyboard…</translation>
    </message>
    <message id="正在读取键盘… %1 / %2">
        <source></source>
        <translation>Reading the keyboard… %1 / %2</translation>
    </message>
    <message id="正在写入键盘…">
        <source></source>
        <translation>Writing to the keyboard…</translation>
    </message>
    <message id="正在写入键盘… %1 / %2">
        <source></source>
        <translation>Writing to the keyboard… %1 / %2</translation>
    </message>
    <message id="正在恢复出厂设置…">
        <source></source>
        <translation>Restoring factory settings…</translation>
    </message>
    <message id="正在恢复出厂设置… %1 / %2">
        <source></source>
        <translation>Restoring factory settings… %1 / %2</translation>
    </message>
    <message id="已读取键盘设置">
        <source></source>
        <translation>Keyboard settings read</translation>
    </message>
    <message id="读取失败：键盘没有响应">
        <source></source>
        <translation>Read failed: the keyboard did not answer</translation>
    </message>
    <message id="已保存到键盘">
        <source></source>
        <translation>Saved to the keyboard</translation>
    </message>
    <message id="保存失败：键盘没有响应">
        <source></source>
        <translation>Save failed: the keyboard did not answer</translation>
    </message>
    <message id="已恢复出厂设置">
        <source></source>
        <translation>Factory settings restored</translation>
    </message>
    <message id="恢复出厂设置失败：键盘没有响应">
        <source></source>
        <translation>Restore failed: the keyboard did not answer</translation>
    </message>
    <message id="未检测到键盘">
        <source></source>
        <translation>No keyboard found</translation>
    </message>
    <message id="已连接">
        <source></source>
        <translation>Connected</translation>
    </message>
    <message id="已连接 · 固件 %1">
        <source></source>
        <translation>Connected · firmware %1</translation>
    </message>
    <message id="未检测到键盘 · %2 项更改未写入键盘">
        <source></source>
        <translation>No keyboard found · %2 changes not sent</translation>
    </message>
    <message id="正在读取键盘… · %2 项更改未写入键盘">
        <source></source>
        <translation>Reading the keyboard… · %2 changes not sent</translation>
    </message>
    <message id="已连接 · %2 项更改未写入键盘">
        <source></source>
        <translation>Connected · %2 changes not sent</translation>
    </message>
    <message id="已连接 · 固件 %1 · %2 项更改未写入键盘">
        <source></source>
        <translation>Connected · firmware %1 · %2 changes not sent</translation>
    </message>
    <message id="驱动更新">
        <source></source>
        <translation>Driver update</translation>
    </message>
    <message id="按键设置">
        <source></source>
        <translation>Key settings</translation>
    </message>
    <message id="点击按键即可更改它的功能，已修改的按键以红色点亮。">
        <source></source>
        <translation>Click a key to change what it does; changed keys light up red.</translation>
    </message>
    <message id="自定义灯光">
        <source></source>
        <translation>Custom lighting</translation>
    </message>
    <message id="点击按键为它选择颜色，按“保存”后写入键盘。">
        <source></source>
        <translation>Click a key to choose its colour; Save writes it to the keyboard.</translation>
    </message>
    <message id="默认">
        <source></source>
        <translation>Default</translation>
    </message>
    <message id="已修改">
        <source></source>
        <translation>Changed</translation>
    </message>
    <message id="全亮">
        <source></source>
        <translation>Steady</translation>
    </message>
    <message id="呼吸">
        <source></source>
        <translation>Breathing</translation>
    </message>
    <message id="波浪">
        <source></source>
        <translation>Wave</translation>
    </message>
    <message id="随按渐灭">
        <source></source>
        <translation>Fade on press</translation>
    </message>
    <message id="蛇形跑马">
        <source></source>
        <translation>Snake</translation>
    </message>
    <message id="涟漪">
        <source></source>
        <translation>Ripple</translation>
    </message>
    <message id="霓虹">
        <source></source>
        <translation>Neon</translation>
    </message>
    <message id="雨滴">
        <source></source>
        <translation>Raindrops</translation>
    </message>
    <message id="环形跑马">
        <source></source>
        <translation>Circle</translation>
    </message>
    <message id="对冲">
        <source></source>
        <translation>Collide</translation>
    </message>
    <message id="雷达">
        <source></source>
        <translation>Radar</translation>
    </message>
    <message id="确认恢复至出厂设置吗？">
        <source></source>
        <translation>Restore the factory settings?</translation>
    </message>
    <message id="出厂设置">
        <source></source>
        <translation>Factory settings</translation>
    </message>
    <message id="键盘没有响应，设置未能全部写入键盘，已保存到文件。请检查键盘连接后再保存一次；重新连接键盘后也会询问是否发送这些更改。">
        <source></source>
        <translation>The keyboard did not answer, so not every setting reached it; they are saved to the files. Check the keyboard&apos;s connection and save again; when the keyboard is connected again you will also be asked whether to send these changes.</translation>
    </message>
    <message id="键盘未连接或尚未完整读取，本次更改已保存到文件，还没有写入键盘。键盘连接并读取完成后，会询问是否把这些更改发送到键盘。">
        <source></source>
        <translation>The keyboard is not connected or not yet read whole: the changes are saved to the files but not written to the keyboard. Once it is connected and read, you will be asked whether to send them.</translation>
    </message>
    <message id="未写入键盘的更改">
        <source></source>
        <translation>Changes not sent</translation>
    </message>
    <message id="无法读取未写入键盘的更改记录（unsent.bin），这些更改不会再提示发送；它们仍保存在 keymap.bin 中，需要时请再保存一次。">
        <source></source>
        <translation>The record of changes not sent to the keyboard (unsent.bin) cannot be read, so you will not be offered to send them; they are still in keymap.bin: save again if needed.</translation>
    </message>
    <message id="键盘只能存储前32个宏，这个宏不能分配给按键。按键的设置没有改变。">
        <source></source>
        <translation>The keyboard stores only the first 32 macros, so this macro cannot be assigned to a key. The key was not changed.</translation>
    </message>
    <message id="未能完整读取键盘的设置（%1），读到的内容没有采用。在完整读取之前，保存只写入文件，不会写入键盘。请检查键盘连接后重试。">
        <source></source>
        <translation>The keyboard&apos;s settings could not be read whole (%1); what was read is not used. Until a whole read, Save writes the files only, not the keyboard. Check the keyboard&apos;s connection and retry.</translation>
    </message>
    <message id="恢复出厂设置未能完成（%1），键盘现在的设置未知。在完整读取之前，保存只写入文件，不会写入键盘。请检查键盘连接后重试读取。">
        <source></source>
        <translation>The factory reset did not finish (%1); the keyboard&apos;s settings are now unknown. Until a whole read, Save writes the files only, not the keyboard. Check the keyboard&apos;s connection and retry the read.</translation>
    </message>
    <message id="未安装驱动更新程序。">
        <source></source>
        <translation>The driver updater is not installed.</translation>
    </message>
    <message id="无法启动驱动更新程序。">
        <source></source>
        <translation>The driver updater cannot be started.</translation>
    </message>
    <message id="配置">
        <source></source>
        <translation>Profiles</translation>
    </message>
    <message id="多配置管理：最多保存 6 个配置，随时切换">
        <source></source>
        <translation>Up to 6 profiles, switch at any time</translation>
    </message>
    <message id="恢复">
        <source></source>
        <translation>Restore</translation>
    </message>
    <message id="灯光">
        <source></source>
        <translation>Lighting</translation>
    </message>
    <message id="效果">
        <source></source>
        <translation>Effect</translation>
    </message>
    <message id="频率">
        <source></source>
        <translation>Speed</translation>
    </message>
    <message id="慢">
        <source></source>
        <translation>Slow</translation>
    </message>
    <message id="快">
        <source></source>
        <translation>Fast</translation>
    </message>
    <message id="亮度">
        <source></source>
        <translation>Brightness</translation>
    </message>
    <message id="暗">
        <source></source>
        <translation>Min</translation>
    </message>
    <message id="亮">
        <source></source>
        <translation>Max</translation>
    </message>
    <message id="方向">
        <source></source>
        <translation>Direction</translation>
    </message>
    <message id="游戏模式">
        <source></source>
        <translation>Game mode</translation>
    </message>
    <message id="Win Lock模式">
        <source></source>
        <translation>Win Lock</translation>
    </message>
    <message id="开启">
        <source></source>
        <translation>On</translation>
    </message>
    <message id="关闭">
        <source></source>
        <translation>Off</translation>
    </message>
    <message id="按键响应时间">
        <source></source>
        <translation>Response time</translation>
    </message>
    <message id="USB报告率">
        <source></source>
        <translation>USB report rate</translation>
    </message>
    <message id="档位 %1">
        <source></source>
        <translation>Step %1</translation>
    </message>
    <message id="退出">
        <source></source>
        <translation>Quit</translation>
    </message>
    <message id="是">
        <source></source>
        <translation>Yes</translation>
    </message>
    <message id="否">
        <source></source>
        <translation>No</translation>
    </message>
    <message id="重试">
        <source></source>
        <translation>Retry</translation>
    </message>
    <message id="发送">
        <source></source>
        <translation>Send</translation>
    </message>
    <message id="放弃">
        <source></source>
        <translation>Discard</translation>
    </message>
    <message id="稍后">
        <source></source>
        <translation>Later</translation>
    </message>
    <message id="请选择一个配置文件拷贝">
        <source></source>
        <translation>Please choose a profile to copy</translation>
    </message>
    <message id="请选择一个配置文件打开">
        <source></source>
        <translation>Please choose a profile to open</translation>
    </message>
    <message id="请至少保留一个配置文件">
        <source></source>
        <translation>Please keep at least one profile</translation>
    </message>
    <message id="请选择一个配置文件删除">
        <source></source>
        <translation>Please choose a profile to delete</translation>
    </message>
    <message id="删除当前配置文件吗">
        <source></source>
        <translation>Delete this profile?</translation>
    </message>
    <message id="无法读取文件，没有任何改变">
        <source></source>
        <translation>The file cannot be read; nothing changed</translation>
    </message>
    <message id="这个文件不是键盘的配置文件（大小应为 10060 或 206920 字节），没有任何改变">
        <source></source>
        <translation>This is not a keyboard profile (its size should be 10060 or 206920 bytes); nothing changed</translation>
    </message>
    <message id="文件中的配置无法使用（%1），没有任何改变">
        <source></source>
        <translation>The configuration in the file cannot be used (%1); nothing changed</translation>
    </message>
    <message id="文件中的设置超出了通常的范围（%1）。仍要加载吗？">
        <source></source>
        <translation>A setting in the file is outside the usual range (%1). Load it anyway?</translation>
    </message>
    <message id="这个配置中所有按键都被禁用或没有功能，保存后键盘将无法输入。仍要加载吗？">
        <source></source>
        <translation>Every key in this configuration is disabled or does nothing; once saved, the keyboard cannot type. Load it anyway?</translation>
    </message>
    <message id="无法写入配置文件">
        <source></source>
        <translation>The profile cannot be written</translation>
    </message>
    <message id="配置已保存，但无法写入所选文件">
        <source></source>
        <translation>The profile is saved, but the chosen file cannot be written</translation>
    </message>
    <message id="无法删除配置文件">
        <source></source>
        <translation>The profile cannot be deleted</translation>
    </message>
    <message id="复制">
        <source></source>
        <translation>Copy</translation>
    </message>
    <message id="加载">
        <source></source>
        <translation>Load</translation>
    </message>
    <message id="右键单击列表可新建、复制、保存、">
        <source></source>
        <translation>Right-click the list to add, copy, save,</translation>
    </message>
    <message id="加载和删除配置，双击名称可重命名">
        <source></source>
        <translation>load or delete; double-click renames</translation>
    </message>
    <message id="配置管理">
        <source></source>
        <translation>Profiles</translation>
    </message>
    <message id="请选择文件夹">
        <source></source>
        <translation>Please choose a folder</translation>
    </message>
    <message id="请选择一个宏指令文件录制">
        <source></source>
        <translation>Please choose a macro to record</translation>
    </message>
    <message id="请选择一个宏指令文件删除">
        <source></source>
        <translation>Please choose a macro to delete</translation>
    </message>
    <message id="请编辑当前延时">
        <source></source>
        <translation>Please edit the current delay</translation>
    </message>
    <message id="此宏已满，这个按键没有录入，按键捕获已停止。">
        <source></source>
        <translation>This macro is full: the key was not recorded and recording has stopped.</translation>
    </message>
    <message id="一个宏最多存放 190 字节（约 95 个按键动作）。">
        <source></source>
        <translation>A macro holds at most 190 bytes (about 95 key actions).</translation>
    </message>
    <message id="此宏已满，无法再插入动作或加长延迟。">
        <source></source>
        <translation>This macro is full: no action can be inserted and no delay made longer.</translation>
    </message>
    <message id="有 %1 项已保存的更改还没有写入键盘。">
        <source></source>
        <translation>%1 saved changes have not been written to the keyboard.</translation>
    </message>
    <message id="“发送”把它们写入键盘；“放弃”采用键盘现在的设置。">
        <source></source>
        <translation>Send writes them to the keyboard; Discard takes the keyboard&apos;s current settings.</translation>
    </message>
    <message id="最多可以存储6个配置">
        <source></source>
        <translation>At most 6 profiles can be stored</translation>
    </message>
    <message id="搜索">
        <source></source>
        <translation>Search</translation>
    </message>
    <message id="运行">
        <source></source>
        <translation>Run</translation>
    </message>
    <message id="多媒体">
        <source></source>
        <translation>Multimedia</translation>
    </message>
    <message id="多媒体播放器">
        <source></source>
        <translation>Media player</translation>
    </message>
    <message id="上一曲">
        <source></source>
        <translation>Previous track</translation>
    </message>
    <message id="下一曲">
        <source></source>
        <translation>Next track</translation>
    </message>
    <message id="停止-播放">
        <source></source>
        <translation>Play/Pause</translation>
    </message>
    <message id="暂停">
        <source></source>
        <translation>Stop</translation>
    </message>
    <message id="音量+">
        <source></source>
        <translation>Volume up</translation>
    </message>
    <message id="音量-">
        <source></source>
        <translation>Volume down</translation>
    </message>
    <message id="静音">
        <source></source>
        <translation>Mute</translation>
    </message>
    <message id="快捷键">
        <source></source>
        <translation>Shortcuts</translation>
    </message>
    <message id="剪切">
        <source></source>
        <translation>Cut</translation>
    </message>
    <message id="粘贴">
        <source></source>
        <translation>Paste</translation>
    </message>
    <message id="打印">
        <source></source>
        <translation>Print</translation>
    </message>
    <message id="全选">
        <source></source>
        <translation>Select all</translation>
    </message>
    <message id="最大化">
        <source></source>
        <translation>Maximise</translation>
    </message>
    <message id="最小化">
        <source></source>
        <translation>Minimise</translation>
    </message>
    <message id="我的电脑">
        <source></source>
        <translation>Computer</translation>
    </message>
    <message id="任务管理器">
        <source></source>
        <translation>Task manager</translation>
    </message>
    <message id="浏览器-主页">
        <source></source>
        <translation>Browser home</translation>
    </message>
    <message id="关闭窗口">
        <source></source>
        <translation>Close window</translation>
    </message>
    <message id="浏览…">
        <source></source>
        <translation>Browse</translation>
    </message>
    <message id="87 键 RGB 机械游戏键盘">
        <source></source>
        <translation>87-key RGB mechanical gaming keyboard</translation>
    </message>
    <message id="正在启动…">
        <source></source>
        <translation>Starting…</translation>
    </message>
    <message id="无法保存未写入键盘的更改记录（unsent.bin），键盘连接后不会提示发送这些更改；它们仍保存在 keymap.bin 中，需要时请再保存一次。">
        <source></source>
        <translation>The record of changes the keyboard has not received (unsent.bin) cannot be saved, so you will not be asked to send them once the keyboard is connected; they are still kept in keymap.bin. Save once more when needed.</translation>
    </message>
    <message id="正在执行命令行的命令…">
        <source></source>
        <translation>Running a command-line command…</translation>
    </message>
    <message id="正在执行命令行的命令… %1 / %2">
        <source></source>
        <translation>Running a command-line command… %1 / %2</translation>
    </message>
    <message id="已执行命令行的命令">
        <source></source>
        <translation>Command-line command done</translation>
    </message>
    <message id="命令行的命令失败：键盘没有响应">
        <source></source>
        <translation>Command-line command failed: the keyboard did not answer</translation>
    </message>
    <message id="依 GPL-3.0-or-later 许可发布，不提供任何担保。">
        <source></source>
        <translation>Released under GPL-3.0-or-later, with no warranty.</translation>
    </message>
</context>
</TS>
