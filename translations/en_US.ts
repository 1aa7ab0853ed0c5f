<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>DeviceTypeMgr</name>
    <message>
        <source>获取设备列表失败,请重试!</source>
        <translation>Failed to get the device list, please retry!</translation>
    </message>
</context>
<context>
    <name>DownloadThread</name>
    <message>
        <source>下载失败,链接中没有可用的文件名: %1</source>
        <translation>Download failed: the link names no usable file: %1</translation>
    </message>
    <message>
        <source>下载失败,打开文件失败: %1</source>
        <translation>Download failed: cannot open the file: %1</translation>
    </message>
    <message>
        <source>下载失败,保存文件失败: %1</source>
        <translation>Download failed: cannot save the file: %1</translation>
    </message>
    <message>
        <source>下载失败,打开链接失败!</source>
        <translation>Download failed: cannot open the link!</translation>
    </message>
    <message>
        <source>下载异常: %1</source>
        <translation>Download error: %1</translation>
    </message>
    <message>
        <source>服务器长时间没有响应</source>
        <translation>the server has not responded for too long</translation>
    </message>
    <message>
        <source>下载异常: 未找到该文件或下载失败</source>
        <translation>Download error: file not found or download failed</translation>
    </message>
</context>
<context>
    <name>HistoryData</name>
    <message>
        <source>历史数据</source>
        <translation>History Data</translation>
    </message>
    <message>
        <source>起始日期:</source>
        <translation>Start date:</translation>
    </message>
    <message>
        <source>结束日期:</source>
        <translation>End date:</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>Query</translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>导出PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>起始日期应该小于或等于结束日期</source>
        <translation>The start date must be earlier than or equal to the end date</translation>
    </message>
    <message>
        <source>导出历史数据</source>
        <translation>Export History Data</translation>
    </message>
    <message>
        <source>导出数据失败，数据格式错误</source>
        <translation>Export failed: the data format is wrong</translation>
    </message>
    <message>
        <source>导出配置</source>
        <translation>Export Configuration</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>Failed to open file: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>Failed to write file: %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>toolBar</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>通讯设置</source>
        <translation>Communication Settings</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>导入配置</source>
        <translation>Import Configuration</translation>
    </message>
    <message>
        <source>导出配置</source>
        <translation>Export Configuration</translation>
    </message>
    <message>
        <source>写入配置</source>
        <translation>Write Configuration</translation>
    </message>
    <message>
        <source>同步时间</source>
        <translation>Synchronize Time</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>History Data</translation>
    </message>
    <message>
        <source>更新固件</source>
        <translation>Update Firmware</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>繁體中文</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <source>设备监听</source>
        <translation>Device Monitor</translation>
    </message>
    <message>
        <source>准备就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>Failed to open serial port: %1</translation>
    </message>
    <message>
        <source>同步时间失败</source>
        <translation>Time synchronization failed</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>Failed to open file: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>Failed to write file: %1</translation>
    </message>
    <message>
        <source>硬件返回数据校验错误</source>
        <translation>The data returned by the device failed the check</translation>
    </message>
    <message>
        <source>写入配置失败,数值过长</source>
        <translation>Write failed: the value is too long</translation>
    </message>
    <message>
        <source>正在导出配置......</source>
        <translation>Exporting configuration...</translation>
    </message>
    <message>
        <source>导出配置成功</source>
        <translation>Configuration exported</translation>
    </message>
    <message>
        <source>正在导入配置......</source>
        <translation>Importing configuration...</translation>
    </message>
    <message>
        <source>导入配置成功</source>
        <translation>Configuration imported</translation>
    </message>
    <message>
        <source>正在写入配置......</source>
        <translation>Writing configuration...</translation>
    </message>
    <message>
        <source>写入配置失败: %1</source>
        <translation>Failed to write configuration: %1</translation>
    </message>
    <message>
        <source>写入配置成功</source>
        <translation>Configuration written</translation>
    </message>
    <message>
        <source>同步时间成功</source>
        <translation>Time synchronized</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>提交</source>
        <translation>Submit</translation>
    </message>
    <message>
        <source>写入配置失败,该项不支持修改</source>
        <translation>Write failed: this item cannot be changed</translation>
    </message>
    <message>
        <source>操作(&amp;O)</source>
        <translation>&amp;Actions</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>文件解析错误: 第%1行</source>
        <translation>File parse error: line %1</translation>
    </message>
    <message>
        <source>正在读取配置......</source>
        <translation>Reading the configuration......</translation>
    </message>
    <message>
        <source>正在读取配置...... %1</source>
        <translation>Reading the configuration...... %1</translation>
    </message>
    <message>
        <source>读取配置完成: %1 项</source>
        <translation>Configuration read: %1 items</translation>
    </message>
    <message>
        <source>正在写入配置...... %1 / %2</source>
        <translation>Writing the configuration...... %1 / %2</translation>
    </message>
</context>
<context>
    <name>ModifyDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>提交</source>
        <translation>Submit</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>写入配置失败,数值过长</source>
        <translation>Write failed: the value is too long</translation>
    </message>
</context>
<context>
    <name>MonitorDialog</name>
    <message>
        <source>设备监听</source>
        <translation>Device Monitor</translation>
    </message>
    <message>
        <source>原始数据</source>
        <translation>Raw data</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>Hexadecimal</translation>
    </message>
    <message>
        <source>原始数据 + 十六进制</source>
        <translation>Raw data + hexadecimal</translation>
    </message>
    <message>
        <source>调试信息</source>
        <translation>Debug output</translation>
    </message>
    <message>
        <source>开始监听</source>
        <translation>Start listening</translation>
    </message>
    <message>
        <source>停止监听</source>
        <translation>Stop listening</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>MonitorThread</name>
    <message>
        <source>监听调试</source>
        <translation>Debug listening</translation>
    </message>
    <message>
        <source>设备监听</source>
        <translation>Device Monitor</translation>
    </message>
    <message>
        <source>串口打开失败</source>
        <translation>Failed to open the serial port</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>Failed to open serial port: %1</translation>
    </message>
</context>
<context>
    <name>NeutralAboutDialog</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Norvo助手</source>
        <translation>Norvo Assistant</translation>
    </message>
    <message>
        <source>CRC校验错误</source>
        <translation>CRC check error</translation>
    </message>
    <message>
        <source>发送命令超时</source>
        <translation>Sending the command timed out</translation>
    </message>
    <message>
        <source>接受数据超时</source>
        <translation>Receiving data timed out</translation>
    </message>
    <message>
        <source>未定义的错误</source>
        <translation>Undefined error</translation>
    </message>
    <message>
        <source>串口已断开</source>
        <translation>The serial port was lost</translation>
    </message>
    <message>
        <source>解析文件失败,文件不存在或拒绝访问!</source>
        <translation>Parsing failed: the file does not exist or access is denied!</translation>
    </message>
    <message>
        <source>解析文件失败,打开文件失败,请检查文件类型!</source>
        <translation>Parsing failed: the file cannot be opened, please check the file type!</translation>
    </message>
    <message>
        <source>解析文件失败,文件操作失败!</source>
        <translation>Parsing failed: file operation failed!</translation>
    </message>
    <message>
        <source>解析文件失败,无法获取文件内容!</source>
        <translation>Parsing failed: cannot get the file content!</translation>
    </message>
    <message>
        <source>解析文件失败,文件校验失败!</source>
        <translation>Parsing failed: file verification failed!</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>ReadThread</name>
    <message>
        <source>查询</source>
        <translation>Query</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>Failed to open serial port: %1</translation>
    </message>
    <message>
        <source>发送命令超时</source>
        <translation>Sending the command timed out</translation>
    </message>
    <message>
        <source>接受数据超时</source>
        <translation>Receiving data timed out</translation>
    </message>
</context>
<context>
    <name>RefreshThread</name>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>串口打开失败</source>
        <translation>Failed to open the serial port</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>Failed to open serial port: %1</translation>
    </message>
    <message>
        <source>地址或命令校验错误</source>
        <translation>Address or command check error</translation>
    </message>
    <message>
        <source>数据长度校验错误</source>
        <translation>Data length check error</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <source>串口设置</source>
        <translation>Serial Port Settings</translation>
    </message>
    <message>
        <source>串口：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>波特率：</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>请选择串口!</source>
        <translation>Please select a serial port!</translation>
    </message>
    <message>
        <source>请选择波特率!</source>
        <translation>Please select a baud rate!</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>更新固件</source>
        <translation>Update Firmware</translation>
    </message>
    <message>
        <source>文件：</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>设备：</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>型号：</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>版本：</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>进度：</source>
        <translation>Progress:</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>Select File</translation>
    </message>
    <message>
        <source>烧写</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>下载文件</source>
        <translation>Download File</translation>
    </message>
    <message>
        <source>列表：</source>
        <translation>List:</translation>
    </message>
    <message>
        <source>路径：</source>
        <translation>Path:</translation>
    </message>
    <message>
        <source>刷新文件列表</source>
        <translation>Refresh File List</translation>
    </message>
    <message>
        <source>选择路径</source>
        <translation>Select Path</translation>
    </message>
    <message>
        <source>请选择文件!</source>
        <translation>Please select a file!</translation>
    </message>
    <message>
        <source>更新失败,文件不存在或拒绝访问!</source>
        <translation>Update failed: the file does not exist or access is denied!</translation>
    </message>
    <message>
        <source>固件更新成功!</source>
        <translation>Firmware updated successfully!</translation>
    </message>
    <message>
        <source>请选择设备类型!</source>
        <translation>Please select a device type!</translation>
    </message>
    <message>
        <source>请选择下载路径!</source>
        <translation>Please select a download path!</translation>
    </message>
    <message>
        <source>文件下载成功!</source>
        <translation>File downloaded successfully!</translation>
    </message>
    <message>
        <source>正在更新固件,请等待更新完成!</source>
        <translation>Updating firmware, please wait until it has finished!</translation>
    </message>
</context>
<context>
    <name>UpdateThread</name>
    <message>
        <source>固件更新失败,打开串口失败: %1</source>
        <translation>Firmware update failed: cannot open serial port: %1</translation>
    </message>
    <message>
        <source>固件更新失败,获取设备ID失败!</source>
        <translation>Firmware update failed: cannot get the device ID!</translation>
    </message>
    <message>
        <source>固件更新失败,BIN文件与设备型号不一致!</source>
        <translation>Firmware update failed: the BIN file does not match the device model!</translation>
    </message>
    <message>
        <source>固件更新失败,擦除设备内存失败!</source>
        <translation>Firmware update failed: cannot erase the device memory!</translation>
    </message>
    <message>
        <source>固件更新失败,发送文件数据失败!</source>
        <translation>Firmware update failed: sending the file data failed!</translation>
    </message>
</context>
</TS>
