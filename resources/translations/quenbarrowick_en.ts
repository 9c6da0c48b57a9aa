<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CompanionFiles</name>
    <message>
        <source>程序中没有 %1 (%2)</source>
        <translation>The program carries no %1 (%2)</translation>
    </message>
</context>
<context>
    <name>Duration</name>
    <message>
        <source>%1小时</source>
        <translation>%1h </translation>
    </message>
    <message>
        <source>%1分</source>
        <translation>%1m </translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1s</translation>
    </message>
</context>
<context>
    <name>FileInfo</name>
    <message>
        <source>路径</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>文件名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Flash版本</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>文件大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>原始大小</source>
        <translation>Raw size</translation>
    </message>
    <message>
        <source>分辨率</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>帧数</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>时长</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>%1帧/秒</source>
        <translation>%1 fps</translation>
    </message>
    <message>
        <source>%1帧</source>
        <translation>%1 frames</translation>
    </message>
</context>
<context>
    <name>PlaybackMonitor</name>
    <message>
        <source>引擎已重启</source>
        <translation>Engine restarted</translation>
    </message>
    <message>
        <source>引擎已重启 · %1</source>
        <translation>Engine restarted · %1</translation>
    </message>
</context>
<context>
    <name>PlaylistCommands</name>
    <message>
        <source>另存列表</source>
        <translation>Save list as</translation>
    </message>
    <message>
        <source>无法保存列表文件 %1：
%2</source>
        <translation>Cannot save the list file %1:
%2</translation>
    </message>
</context>
<context>
    <name>PlaylistDialogs</name>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>flash文件(*.swf)</source>
        <translation>Flash movies (*.swf)</translation>
    </message>
    <message>
        <source>打开列表</source>
        <translation>Open list</translation>
    </message>
    <message>
        <source>flash文件(*.m3u)</source>
        <translation>Playlists (*.m3u)</translation>
    </message>
    <message>
        <source>另存列表</source>
        <translation>Save list as</translation>
    </message>
    <message>
        <source>添加文件</source>
        <translation>Adding files</translation>
    </message>
    <message>
        <source>正在添加文件……</source>
        <translation>Adding files…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>正在添加文件……已找到 %1 个</source>
        <translation>Adding files… %1 found</translation>
    </message>
</context>
<context>
    <name>PlaylistMenus</name>
    <message>
        <source>升序</source>
        <translation>Ascending</translation>
    </message>
    <message>
        <source>降序</source>
        <translation>Descending</translation>
    </message>
    <message>
        <source>播放列表菜单</source>
        <translation>Playlist menu</translation>
    </message>
    <message>
        <source>列表按钮菜单</source>
        <translation>List button menu</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>移除重复项</source>
        <translation>Remove duplicates</translation>
    </message>
    <message>
        <source>移除失效项</source>
        <translation>Remove missing files</translation>
    </message>
    <message>
        <source>打开目录</source>
        <translation>Open folder</translation>
    </message>
    <message>
        <source>排序</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>按名称</source>
        <translation>By name</translation>
    </message>
    <message>
        <source>按路径</source>
        <translation>By path</translation>
    </message>
    <message>
        <source>时长</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>打乱</source>
        <translation>Shuffle</translation>
    </message>
    <message>
        <source>设置字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Font…</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>Colour…</translation>
    </message>
    <message>
        <source>打开列表</source>
        <translation>Open list</translation>
    </message>
    <message>
        <source>另存列表</source>
        <translation>Save list as</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>文件名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>时长</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>路径</source>
        <translation>Path</translation>
    </message>
</context>
<context>
    <name>SoundLevel</name>
    <message>
        <source>音量 %1%</source>
        <translation>Volume %1%</translation>
    </message>
    <message>
        <source>（静音）</source>
        <translation> (muted)</translation>
    </message>
</context>
<context>
    <name>SwfFormat</name>
    <message>
        <source>不是Flash文件格式</source>
        <translation>Not a Flash movie</translation>
    </message>
    <message>
        <source>未压缩的Flash格式</source>
        <translation>Uncompressed Flash</translation>
    </message>
    <message>
        <source>Zlib压缩格式的Flash</source>
        <translation>Zlib-compressed Flash</translation>
    </message>
    <message>
        <source>LZMA压缩格式的Flash</source>
        <translation>LZMA-compressed Flash</translation>
    </message>
</context>
<context>
    <name>VolumeControl</name>
    <message>
        <source>，单击静音(Ctrl+M)</source>
        <translation>, click to mute (Ctrl+M)</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Quenbarrowick 开发组</source>
        <translation>The Quenbarrowick developers</translation>
    </message>
    <message>
        <source>自由软件，欢迎分享</source>
        <translation>Free software, share it</translation>
    </message>
    <message>
        <source>关于 %1</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>frmFlashInfo</name>
    <message>
        <source>文件属性</source>
        <translation>File properties</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>帧信息</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>拖动改变列表宽度</source>
        <translation>Drag to change the width of the list</translation>
    </message>
    <message>
        <source>播放/暂停</source>
        <translation>Play/Pause</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>停止播放</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>打开文件(Ctrl+O)</source>
        <translation>Open files (Ctrl+O)</translation>
    </message>
    <message>
        <source>下一首(PageDown)</source>
        <translation>Next (PageDown)</translation>
    </message>
    <message>
        <source>上一首(PageUp)</source>
        <translation>Previous (PageUp)</translation>
    </message>
    <message>
        <source>快进(→)</source>
        <translation>Forward (→)</translation>
    </message>
    <message>
        <source>快退(←)</source>
        <translation>Back (←)</translation>
    </message>
    <message>
        <source>播放列表</source>
        <translation>Playlist</translation>
    </message>
    <message>
        <source>设置(F2)</source>
        <translation>Options (F2)</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>全屏(Ctrl+Enter)</source>
        <translation>Full screen (Ctrl+Enter)</translation>
    </message>
    <message>
        <source>单曲播放</source>
        <translation>Repeat one</translation>
    </message>
    <message>
        <source>添加文件(Ctrl+O)</source>
        <translation>Add files (Ctrl+O)</translation>
    </message>
    <message>
        <source>删除(Delete)</source>
        <translation>Remove (Delete)</translation>
    </message>
    <message>
        <source>清空列表</source>
        <translation>Clear the list</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>最大化</source>
        <translation>Maximise</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>图标菜单</source>
        <translation>Icon menu</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>swf文件</source>
        <translation>SWF files</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>简要说明</source>
        <translation>Readme</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>播放器菜单</source>
        <translation>Player menu</translation>
    </message>
    <message>
        <source>全屏</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>画面大小</source>
        <translation>Picture size</translation>
    </message>
    <message>
        <source>自动适应</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>原始大小</source>
        <translation>Original size</translation>
    </message>
    <message>
        <source>填满窗口</source>
        <translation>Fill the window</translation>
    </message>
    <message>
        <source>文件信息</source>
        <translation>File information</translation>
    </message>
    <message>
        <source>退出全屏</source>
        <translation>Leave full screen</translation>
    </message>
    <message>
        <source>筛选：输入文件名中的字词</source>
        <translation>Filter: words in the file name</translation>
    </message>
    <message>
        <source>只显示文件名含有每个字词的行(Esc 关闭)</source>
        <translation>Show only rows whose file name holds every word (Esc closes)</translation>
    </message>
    <message>
        <source>查找(Ctrl+F)</source>
        <translation>Find (Ctrl+F)</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Flash设置</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>为群组 1 设置选项</source>
        <translation>Flash options</translation>
    </message>
    <message>
        <source>快进/快退帧数</source>
        <translation>Seek frames</translation>
    </message>
    <message>
        <source>启动后自动播放</source>
        <translation>Play on start</translation>
    </message>
    <message>
        <source>保存播放列表</source>
        <translation>Save the playlist</translation>
    </message>
    <message>
        <source>禁止Flash联网(用于关闭弹窗)</source>
        <translation>No network for Flash (no pop-ups)</translation>
    </message>
    <message>
        <source>禁止Flash使用脚本</source>
        <translation>No scripts for Flash</translation>
    </message>
    <message>
        <source>循环帧超时/秒</source>
        <translation>Loop limit (s)</translation>
    </message>
    <message>
        <source>影响切换速度,太低会导致某些使用循环帧做虚拟进度条的Flahs无法播放</source>
        <translation>How long a looping movie plays before the next one; too low a value skips movies that loop on a loading screen</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
