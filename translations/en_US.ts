<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>BatchRunner</name>
    <message>
        <source>成功</source>
        <translation>succeeded</translation>
    </message>
    <message>
        <source>与文件不同</source>
        <translation>differs from the file</translation>
    </message>
    <message>
        <source>用法错误</source>
        <translation>bad usage</translation>
    </message>
    <message>
        <source>文件问题</source>
        <translation>file problem</translation>
    </message>
    <message>
        <source>连接失败</source>
        <translation>link failure</translation>
    </message>
    <message>
        <source>仪表拒绝</source>
        <translation>refused</translation>
    </message>
    <message>
        <source>网络失败</source>
        <translation>network failure</translation>
    </message>
    <message>
        <source>已中止</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>异常结束</source>
        <translation>crashed</translation>
    </message>
    <message>
        <source>%1 不能在多个串口上同时运行</source>
        <translation>%1 cannot run on several ports at once</translation>
    </message>
    <message>
        <source>--port 不能和 --ports 或 --ports-from 一起使用</source>
        <translation>--port cannot be used with --ports or --ports-from</translation>
    </message>
    <message>
        <source>多个串口不能写同一个文件; 用 -o 目录/ 让每个串口各写一个文件</source>
        <translation>Several ports cannot write one file; use -o DIR/ for one file per port</translation>
    </message>
    <message>
        <source>无法创建目录: %1</source>
        <translation>Cannot create the directory: %1</translation>
    </message>
    <message>
        <source>%1 (%2 秒)</source>
        <translation>%1 (%2 s)</translation>
    </message>
    <message>
        <source>%1 项, 未采用 %2 项</source>
        <translation>%1 items, %2 not taken</translation>
    </message>
    <message>
        <source>%1 项</source>
        <translation>%1 items</translation>
    </message>
    <message>
        <source>无法把 %1 改名为 %2</source>
        <translation>Cannot rename %1 to %2</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 个串口全部成功</source>
        <translation>All %1 ports succeeded</translation>
    </message>
    <message>
        <source>%1 个串口中 %2 个成功; 失败: %3</source>
        <translation>%2 of %1 ports succeeded; failed: %3</translation>
    </message>
    <message>
        <source>工作进程的输出超过 %1 MiB, 已被结束</source>
        <translation>The worker&apos;s output went past %1 MiB; it was ended</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>这次使用这个串口, 不改 config.ini。</source>
        <translation>Use this serial port for this run; config.ini is not changed.</translation>
    </message>
    <message>
        <source>这次使用这个波特率, 不改 config.ini。</source>
        <translation>Use this baud rate for this run; config.ini is not changed.</translation>
    </message>
    <message>
        <source>使用这个设置文件, 而不是工作目录中的 config.ini。</source>
        <translation>Use this settings file instead of config.ini in the working directory.</translation>
    </message>
    <message>
        <source>把结果输出为 JSON。</source>
        <translation>Print the result as JSON.</translation>
    </message>
    <message>
        <source>输出和错误信息的语言: en_US、zh_CH 或 zh_TW。</source>
        <translation>Language of output and messages: en_US, zh_CH or zh_TW.</translation>
    </message>
    <message>
        <source>显示帮助。</source>
        <translation>Show this help.</translation>
    </message>
    <message>
        <source>显示版本。</source>
        <translation>Show the version.</translation>
    </message>
    <message>
        <source>未知的语言: %1 (可选 en_US、zh_CH、zh_TW)</source>
        <translation>Unknown language: %1 (choose en_US, zh_CH or zh_TW)</translation>
    </message>
    <message>
        <source>缺少命令</source>
        <translation>No command given</translation>
    </message>
    <message>
        <source>未知的命令: %1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>参数个数不对</source>
        <translation>Wrong number of arguments</translation>
    </message>
    <message>
        <source>找不到设置文件: %1</source>
        <translation>Settings file not found: %1</translation>
    </message>
    <message>
        <source>波特率应为正整数: %1</source>
        <translation>The baud rate must be a positive whole number: %1</translation>
    </message>
    <message>
        <source>%1 [选项] 命令 [参数]</source>
        <translation>%1 [options] command [arguments]</translation>
    </message>
    <message>
        <source>%1 [选项] %2</source>
        <translation>%1 [options] %2</translation>
    </message>
    <message>
        <source>用法: %1</source>
        <translation>Usage: %1</translation>
    </message>
    <message>
        <source>运行 %1 --help 查看说明。</source>
        <translation>Run %1 --help for help.</translation>
    </message>
    <message>
        <source>选项:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>命令:</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>每个命令都接受的选项:</source>
        <translation>Options every command takes:</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>success</translation>
    </message>
    <message>
        <source>用法错误: 未知的命令或选项, 缺少或写错的参数; 没有写入仪表</source>
        <translation>bad usage: unknown command or option, missing or malformed argument; nothing written to the instrument</translation>
    </message>
    <message>
        <source>文件问题: 无法读取、解析或写入文件</source>
        <translation>file problem: a file cannot be read, parsed or written</translation>
    </message>
    <message>
        <source>连接失败: 打不开串口、超时、CRC 错误、应答格式错误或串口断开</source>
        <translation>link failure: port cannot be opened, timeout, CRC error, malformed answer or port gone</translation>
    </message>
    <message>
        <source>退出状态:</source>
        <translation>Exit status:</translation>
    </message>
    <message>
        <source>运行 %1 命令 --help 查看该命令的选项。</source>
        <translation>Run %1 COMMAND --help for the options of one command.</translation>
    </message>
    <message>
        <source>网络失败: 连不上下载服务器或它的应答不能用</source>
        <translation>network failure: the download server cannot be reached or its answer is unusable</translation>
    </message>
    <message>
        <source>下载被 Ctrl-C 中止</source>
        <translation>download stopped by Ctrl-C</translation>
    </message>
    <message>
        <source>通过串口设置和读取 Norvo 仪表: 配置项、时钟、历史数据、固件和调试输出。</source>
        <translation>Configures and reads Norvo instruments over a serial port: configuration items, clock, history records, firmware and debug output.</translation>
    </message>
    <message>
        <source>结果没能写到标准输出</source>
        <translation>The result could not be written to standard output</translation>
    </message>
    <message>
        <source>也在标准错误上显示 Qt 自己的警告。</source>
        <translation>Also show Qt&apos;s own warnings on standard error.</translation>
    </message>
    <message>
        <source>警告: 找不到 %1 的翻译文件, 以简体中文输出</source>
        <translation>Warning: no translation file for %1, messages stay in Simplified Chinese</translation>
    </message>
    <message>
        <source>在这些串口上同时运行命令 (逗号分隔), 每个串口一行结果。</source>
        <translation>Run the command on all these ports at once (comma-separated); one result line per port.</translation>
    </message>
    <message>
        <source>在这个文件列出的串口上同时运行命令, 每行一个串口, 可在其后写波特率。</source>
        <translation>Run the command at once on the ports listed in this file, one per line, optionally followed by its baud rate.</translation>
    </message>
    <message>
        <source>每个串口完成时在这个 CSV 文件末尾追加一行记录 (与 --ports 一起使用)。</source>
        <translation>Append a record line to this CSV file as each port finishes (with --ports).</translation>
    </message>
    <message>
        <source>--record 只能和 --ports 或 --ports-from 一起使用</source>
        <translation>--record can only be used with --ports or --ports-from</translation>
    </message>
    <message>
        <source>仪表与文件不同 (diff)</source>
        <translation>the instrument differs from the file (diff)</translation>
    </message>
    <message>
        <source>仪表拒绝: 数值未被采用或回读不一致、没有这一项、时钟未被确认或固件包型号不符</source>
        <translation>Refused by the instrument: a value not taken or read back differently, no such item, clock not acknowledged, or package for another model</translation>
    </message>
</context>
<context>
    <name>DateArguments</name>
    <message>
        <source>日期应写作 yyyy-MM-dd: %1</source>
        <translation>Dates are written yyyy-MM-dd: %1</translation>
    </message>
    <message>
        <source>时间应写作 yyyy-MM-dd hh:mm:ss: %1</source>
        <translation>Times are written yyyy-MM-dd hh:mm:ss: %1</translation>
    </message>
    <message>
        <source>仪表只认 %1 到 %2 年的日期: %3</source>
        <translation>The instrument only knows dates from %1 to %2: %3</translation>
    </message>
    <message>
        <source>这个日期不存在: %1</source>
        <translation>No such date: %1</translation>
    </message>
    <message>
        <source>这个时间不存在: %1</source>
        <translation>No such time: %1</translation>
    </message>
</context>
<context>
    <name>DetectCommand</name>
    <message>
        <source>在每个串口上以常用的波特率查找仪器, 列出找到的串口、波特率和设备名称</source>
        <translation>Look for instruments on every serial port at the usual baud rates; list the port, baud rate and device name of each one found</translation>
    </message>
    <message>
        <source>没有可以检测的串口</source>
        <translation>There is no serial port to search</translation>
    </message>
    <message>
        <source>没有找到仪器</source>
        <translation>No instrument found</translation>
    </message>
</context>
<context>
    <name>DeviceRecord</name>
    <message>
        <source>记录文件被锁住, 无法写入: %1</source>
        <translation>The record file is locked and cannot be written: %1</translation>
    </message>
    <message>
        <source>记录文件是符号链接, 不写入: %1</source>
        <translation>The record file is a symbolic link; not written: %1</translation>
    </message>
    <message>
        <source>记录文件不是普通文件: %1</source>
        <translation>The record file is not a regular file: %1</translation>
    </message>
    <message>
        <source>无法写入记录文件 %1: %2</source>
        <translation>Cannot write the record file %1: %2</translation>
    </message>
</context>
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
    <message>
        <source>下载失败,只能下载 http 或 https 链接上的 .nvbin 文件: %1</source>
        <translation>Download failed: only .nvbin files on http or https links can be downloaded: %1</translation>
    </message>
    <message>
        <source>下载失败,目标是一个符号链接: %1</source>
        <translation>Download failed: the target is a symbolic link: %1</translation>
    </message>
    <message>
        <source>下载失败,文件已存在: %1</source>
        <translation>Download failed: the file already exists: %1</translation>
    </message>
    <message>
        <source>下载异常: 文件超过 %1 MiB</source>
        <translation>Download error: the file is larger than %1 MiB</translation>
    </message>
    <message>
        <source>下载异常: 服务器回答 HTTP %1</source>
        <translation>Download error: the server answered HTTP %1</translation>
    </message>
</context>
<context>
    <name>EmptyTreeHint</name>
    <message>
        <source>请在通讯设置中选择串口，或点击自动检测</source>
        <translation>Choose the serial port in Communication Settings, or click Detect there</translation>
    </message>
</context>
<context>
    <name>FirmwareCommands</name>
    <message>
        <source>每个应答一到齐就继续, 不再等待线路安静。</source>
        <translation>Go on as soon as each answer is complete instead of waiting for the line to fall quiet.</translation>
    </message>
    <message>
        <source>下载到这个目录(必需)。</source>
        <translation>Download into this directory (required).</translation>
    </message>
    <message>
        <source>校验固件包, 显示其设备、型号、版本和固件大小</source>
        <translation>Verify a firmware package and show its device, model, version and image size</translation>
    </message>
    <message>
        <source>通过引导程序把固件包写入仪表</source>
        <translation>Flash a firmware package into the instrument through its boot-loader</translation>
    </message>
    <message>
        <source>列出厂家下载页上的固件包</source>
        <translation>List the firmware packages on the maker&apos;s download page</translation>
    </message>
    <message>
        <source>从厂家下载页下载一个固件包</source>
        <translation>Download one firmware package from the maker&apos;s download page</translation>
    </message>
    <message>
        <source>设备:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>型号:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>版本:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>固件:</source>
        <translation>Image:</translation>
    </message>
    <message>
        <source>%1 字节, %2 页</source>
        <translation>%1 bytes, %2 pages</translation>
    </message>
    <message>
        <source>更新固件</source>
        <translation>Flashing</translation>
    </message>
    <message>
        <source>缺少下载目录 --dir</source>
        <translation>No download directory given (--dir)</translation>
    </message>
    <message>
        <source>下载页上没有这个固件包: %1 (见 norvo-cli catalogue)</source>
        <translation>The download page has no package %1 (see norvo-cli catalogue)</translation>
    </message>
    <message>
        <source>下载</source>
        <translation>Downloading</translation>
    </message>
    <message>
        <source>已下载到 %1</source>
        <translation>Downloaded to %1</translation>
    </message>
    <message>
        <source>替换目录中已有的同名文件。</source>
        <translation>Replace a file of the same name already in the directory.</translation>
    </message>
    <message>
        <source>加上 --force 替换它。</source>
        <translation>Add --force to replace it.</translation>
    </message>
    <message>
        <source>文件不存在: %1</source>
        <translation>File does not exist: %1</translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message>
        <source>第一天, 默认为今天。</source>
        <translation>First day, today unless given.</translation>
    </message>
    <message>
        <source>最后一天, 默认为今天。</source>
        <translation>Last day, today unless given.</translation>
    </message>
    <message>
        <source>把记录导出为 CSV 文件或 PDF 表格, 由文件后缀决定。</source>
        <translation>Export the records as a CSV file or a PDF table, as the file&apos;s suffix says.</translation>
    </message>
    <message>
        <source>读取一段日期(含首尾两天)的历史数据, 显示或导出为 CSV/PDF</source>
        <translation>Read the history records of a range of days (both ends included); print them or export them as CSV/PDF</translation>
    </message>
    <message>
        <source>导出文件的名字应以 .csv 或 .pdf 结尾: %1</source>
        <translation>The export file&apos;s name must end in .csv or .pdf: %1</translation>
    </message>
    <message>
        <source>%1 行已保存到 %2</source>
        <translation>%1 lines saved to %2</translation>
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
    <name>ItemCommands</name>
    <message>
        <source>把配置项保存为导出配置所写的 CSV 文件。</source>
        <translation>Save the items as the CSV file the window&apos;s export writes.</translation>
    </message>
    <message>
        <source>设置为这个时间而不是电脑的当前时间。</source>
        <translation>Set this time instead of the computer&apos;s current time.</translation>
    </message>
    <message>
        <source>列出电脑上的串口, 带说明和 USB 厂商/产品号</source>
        <translation>List the computer&apos;s serial ports with their description and USB vendor/product</translation>
    </message>
    <message>
        <source>读取仪表的配置项, 显示为表格、JSON 或保存为 CSV 文件</source>
        <translation>Read the instrument&apos;s items as a table, as JSON or into a CSV file</translation>
    </message>
    <message>
        <source>把 CSV 文件中每个带数值的配置项写入仪表, 如同写入配置</source>
        <translation>Write every item with a value from a CSV file to the instrument, as the window&apos;s write-all does</translation>
    </message>
    <message>
        <source>设置仪表的时钟, 默认为电脑的当前时间</source>
        <translation>Set the instrument&apos;s clock, to the computer&apos;s current time unless given</translation>
    </message>
    <message>
        <source>没有找到串口</source>
        <translation>No serial port found</translation>
    </message>
    <message>
        <source>%1 项已保存到 %2</source>
        <translation>%1 items saved to %2</translation>
    </message>
    <message>
        <source>写入配置失败: %1</source>
        <translation>Writing the configuration failed: %1</translation>
    </message>
    <message>
        <source>(未采用 %1)</source>
        <translation>(%1 not taken)</translation>
    </message>
    <message>
        <source>写入 %1 项, 未采用 %2 项</source>
        <translation>%1 items written, %2 not taken</translation>
    </message>
    <message>
        <source>项目编号应为 0 到 %1 的整数: %2</source>
        <translation>The item number must be a whole number from 0 to %1: %2</translation>
    </message>
    <message>
        <source>仪表没有第 %1 项</source>
        <translation>The instrument has no item %1</translation>
    </message>
    <message>
        <source>第 %1 项 %2 是操作项, 执行时不带数值</source>
        <translation>Item %1 %2 is an action item; run it without a value</translation>
    </message>
    <message>
        <source>第 %1 项 %2 需要一个新数值</source>
        <translation>Item %1 %2 needs a new value</translation>
    </message>
    <message>
        <source>仪表未采用数值 %1, 第 %2 项仍为 %3</source>
        <translation>The instrument did not take %1; item %2 is still %3</translation>
    </message>
    <message>
        <source>同步时间成功: %1</source>
        <translation>Clock set: %1</translation>
    </message>
    <message>
        <source>无权读写</source>
        <translation>no access</translation>
    </message>
    <message>
        <source>也写入 yyyy-MM-dd hh:mm:ss 形式的数值 (仪表的时钟); 默认跳过, 时钟请用 clock 设置。</source>
        <translation>Also write values of the form yyyy-MM-dd hh:mm:ss (the instrument&apos;s clock); left out by default, set the clock with clock.</translation>
    </message>
    <message>
        <source>把数值写入第 N 项 (项目编号, 与 CSV 文件中的相同, 从 0 起); 操作项不带数值, 执行它</source>
        <translation>Write VALUE to item N (the item number as in the CSV file, from 0); an action item is run, without a value</translation>
    </message>
    <message>
        <source>第 %1 项的时间 %2 未写入; 写入请加 --include-clock, 设置时钟请用 clock</source>
        <translation>Item %1: the time %2 was not written; add --include-clock to write it, set the clock with clock</translation>
    </message>
    <message>
        <source>先读取仪表, 只写入与文件不同的项, 如同写入差异。</source>
        <translation>Read the instrument first and write only the items that differ from the file, as Write Differences does.</translation>
    </message>
    <message>
        <source>写入后回读每个写入的项并与文件比较; 不一致时退出状态为 5。</source>
        <translation>After writing, read each written item back and compare it with the file; exit status 5 when one differs.</translation>
    </message>
    <message>
        <source>读取仪表并与 CSV 文件对比, 列出不同的项, 如同对比配置</source>
        <translation>Read the instrument, compare it with a CSV file and list the items that differ, as Compare Configuration does</translation>
    </message>
    <message>
        <source>(无)</source>
        <translation>(none)</translation>
    </message>
</context>
<context>
    <name>ItemComparison</name>
    <message>
        <source>与文件一致</source>
        <translation>Matches the file</translation>
    </message>
    <message>
        <source>%1 项不同</source>
        <translation>%1 differ</translation>
    </message>
    <message>
        <source>%1 项仅在文件中</source>
        <translation>%1 only in the file</translation>
    </message>
    <message>
        <source>%1 项仅在仪表中</source>
        <translation>%1 only on the instrument</translation>
    </message>
    <message>
        <source>已写入 %1 项, 回读一致</source>
        <translation>%1 items written, read back unchanged</translation>
    </message>
    <message>
        <source>仪表的数值已与文件一致, 没有写入任何项</source>
        <translation>The instrument&apos;s values already match the file; nothing written</translation>
    </message>
    <message>
        <source>第 %1 项 %2: 写入 %3, 回读为 %4</source>
        <translation>Item %1 %2: wrote %3, read back %4</translation>
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
    <message>
        <source>已导入 %1 项, 尚未写入仪表</source>
        <translation>%1 items imported, not yet written to the instrument</translation>
    </message>
    <message>
        <source>这些项的数值是时间, 写入会把仪表的时钟改成它:

%1

一并写入吗? 选“否”则跳过它们; 同步时间把时钟设为电脑的时间。</source>
        <translation>These items hold a time; writing it would set the instrument&apos;s clock to it:

%1

Write them too? “No” leaves them out; Synchronize Time sets the clock to the computer&apos;s time.</translation>
    </message>
    <message>
        <source>(未采用 %1)</source>
        <translation>(%1 not taken)</translation>
    </message>
    <message>
        <source>写入 %1 项, 其中 %2 项未被仪表采用</source>
        <translation>%1 items written, %2 of them not taken by the instrument</translation>
    </message>
    <message>
        <source>项目编号 %1 (CSV 文件和 norvo-cli 中的编号)</source>
        <translation>Item number %1 (as in the CSV file and norvo-cli)</translation>
    </message>
    <message>
        <source>对比配置</source>
        <translation>Compare Configuration</translation>
    </message>
    <message>
        <source>写入差异</source>
        <translation>Write Differences</translation>
    </message>
    <message>
        <source>回读失败: %1</source>
        <translation>Read-back failed: %1</translation>
    </message>
    <message>
        <source>已写入 %1 项, %2 项回读不一致:</source>
        <translation>%1 items written, %2 read back differently:</translation>
    </message>
    <message>
        <source>正在回读...... %1 / %2</source>
        <translation>Reading back...... %1 / %2</translation>
    </message>
    <message>
        <source>配置项</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>仪表</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>文件值</source>
        <translation>File value</translation>
    </message>
    <message>
        <source>(仅在文件中)</source>
        <translation>(only in the file)</translation>
    </message>
    <message>
        <source>对比: %1</source>
        <translation>Compared: %1</translation>
    </message>
    <message>
        <source>(仅在仪表中)</source>
        <translation>(only on the instrument)</translation>
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
    <name>MonitorCommand</name>
    <message>
        <source>每段数据显示为时间、字节数和十六进制。</source>
        <translation>Show each burst as time, byte count and hexadecimal.</translation>
    </message>
    <message>
        <source>每段数据显示为时间、字节数、文本和十六进制。</source>
        <translation>Show each burst as time, byte count, text and hexadecimal.</translation>
    </message>
    <message>
        <source>不打开仪表的调试输出, 只监听。</source>
        <translation>Do not switch the instrument&apos;s debug output on; only listen.</translation>
    </message>
    <message>
        <source>监听这么多秒后结束, 而不是等 Ctrl-C。</source>
        <translation>Stop after this many seconds instead of waiting for Ctrl-C.</translation>
    </message>
    <message>
        <source>把仪表发来的数据输出到标准输出, 直到 Ctrl-C; 期间打开仪表的调试输出</source>
        <translation>Print what the instrument sends until Ctrl-C, with its debug output switched on meanwhile</translation>
    </message>
    <message>
        <source>--hex 和 --both 只能选一个</source>
        <translation>Choose either --hex or --both</translation>
    </message>
    <message>
        <source>监听时长应为正的秒数: %1</source>
        <translation>The duration must be a positive number of seconds: %1</translation>
    </message>
    <message>
        <source>把输出的文本(同监听窗口)追加到文件。</source>
        <translation>Append the printed text (as the monitor window shows it) to a file.</translation>
    </message>
    <message>
        <source>把收到的字节原样追加到文件。</source>
        <translation>Append the received bytes, unchanged, to a file.</translation>
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
        <source>记录到文件</source>
        <translation>Log to file</translation>
    </message>
    <message>
        <source>查找:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>上一个</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>下一个</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>记录文件 (*.log *.txt);;所有文件 (*)</source>
        <translation>Log files (*.log *.txt);;All files (*)</translation>
    </message>
    <message>
        <source>未找到</source>
        <translation>Not found</translation>
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
    <name>PortList</name>
    <message>
        <source>串口重复: %1</source>
        <translation>Port listed twice: %1</translation>
    </message>
    <message>
        <source>无法读取串口列表 %1: %2</source>
        <translation>Cannot read the port list %1: %2</translation>
    </message>
    <message>
        <source>串口列表 %1 第 %2 行应为“串口 [波特率]”: %3</source>
        <translation>Line %2 of the port list %1 should be &quot;PORT [BAUD]&quot;: %3</translation>
    </message>
    <message>
        <source>串口列表是空的</source>
        <translation>The port list is empty</translation>
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
    <message>
        <source>问题</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>打开串口失败: 没有权限读写 %1。请把当前用户加入设备所属的组 %2（sudo usermod -aG %2 $USER），然后注销并重新登录</source>
        <translation>Failed to open serial port: no permission to read and write %1. Add the current user to the group %2 that owns the device (sudo usermod -aG %2 $USER), then log out and log in again</translation>
    </message>
    <message>
        <source>打开串口失败: 没有权限读写 %1，请让管理员给当前用户读写它的权限</source>
        <translation>Failed to open serial port: no permission to read and write %1; ask an administrator to give the current user read and write access</translation>
    </message>
    <message>
        <source>打开串口失败: %1 不存在，请检查串口名称和连线</source>
        <translation>Failed to open serial port: %1 does not exist; check the port name and the cable</translation>
    </message>
    <message>
        <source>打开串口失败: %1 正被其他程序占用，请关闭那个程序后再试</source>
        <translation>Failed to open serial port: %1 is in use by another program; close that program and try again</translation>
    </message>
    <message>
        <source>打开串口失败: %1（%2）</source>
        <translation>Failed to open serial port: %1 (%2)</translation>
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
    <message>
        <source>应答过长, 已停止读取; 请关闭仪表的调试输出后再查询</source>
        <translation>The answer is too long; reading stopped. Switch the instrument&apos;s debug output off and query again</translation>
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
        <source>地址或命令校验错误</source>
        <translation>Address or command check error</translation>
    </message>
    <message>
        <source>数据长度校验错误</source>
        <translation>Data length check error</translation>
    </message>
</context>
<context>
    <name>SessionLog</name>
    <message>
        <source>记录文件不能是符号链接: %1</source>
        <translation>The log file must not be a symbolic link: %1</translation>
    </message>
    <message>
        <source>无法打开记录文件 %1: %2</source>
        <translation>Cannot open the log file %1: %2</translation>
    </message>
    <message>
        <source>无法写入记录文件 %1: %2</source>
        <translation>Cannot write the log file %1: %2</translation>
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
    <message>
        <source>自动检测</source>
        <translation>Detect</translation>
    </message>
    <message>
        <source>没有可以检测的串口</source>
        <translation>There is no serial port to search</translation>
    </message>
    <message>
        <source>正在各个串口上查找仪器......</source>
        <translation>Looking for the instrument on every serial port...</translation>
    </message>
    <message>
        <source>没有找到仪器。请检查连线和仪器的电源。</source>
        <translation>No instrument found. Check the cable and the instrument&apos;s power.</translation>
    </message>
    <message>
        <source>找到多台仪器, 请选择一台:</source>
        <translation>Several instruments were found; choose one:</translation>
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
    <message>
        <source>%1 已存在, 要替换它吗?</source>
        <translation>%1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>勾选后, 设备标识、擦除和每一页的应答一到齐就继续,
结束命令发出后只稍等片刻, 不再等待线路安静或不会到来的应答;
发出的命令不变。引导程序若需要这段安静时间, 请不要勾选。</source>
        <translation>When checked, the identification, erase and page answers are taken as soon as they are whole;
each closing request is followed by a short pause, with no wait for quiet or for an answer that never comes.
The requests sent stay the same. Leave it off for a boot-loader that needs this quiet time.</translation>
    </message>
    <message>
        <source>快速烧写</source>
        <translation>Fast flashing</translation>
    </message>
</context>
<context>
    <name>UpdateThread</name>
    <message>
        <source>固件更新失败,擦除设备内存失败!</source>
        <translation>Firmware update failed: cannot erase the device memory!</translation>
    </message>
    <message>
        <source>固件更新失败,发送文件数据失败!</source>
        <translation>Firmware update failed: sending the file data failed!</translation>
    </message>
    <message>
        <source>固件更新失败,固件包中没有固件!</source>
        <translation>Firmware update failed: the package holds no firmware image!</translation>
    </message>
    <message>
        <source>固件更新失败,%1</source>
        <translation>Firmware update failed: %1</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>Failed to open serial port: %1</translation>
    </message>
    <message>
        <source>固件更新失败,获取设备ID失败! 请让仪表进入引导程序(升级模式), 并检查串口、波特率和连线。</source>
        <translation>Firmware update failed: cannot get the device ID! Put the instrument into its boot-loader (update mode) and check the port, the baud rate and the cable.</translation>
    </message>
    <message>
        <source>固件更新失败,BIN文件与设备型号不一致! (仪表: %1, 文件: %2)</source>
        <translation>Firmware update failed: the BIN file does not match the device model! (instrument: %1, file: %2)</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>unknown</translation>
    </message>
</context>
</TS>
