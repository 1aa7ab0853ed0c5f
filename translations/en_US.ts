<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>操作</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
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
        <source>文件解析错误</source>
        <translation>The file could not be parsed</translation>
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
    <message>
        <source>确定</source>
        <translation>OK</translation>
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
</TS>
