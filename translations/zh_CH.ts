<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="zh_CN">
<context>
    <name>BatchRunner</name>
    <message>
        <source>成功</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>与文件不同</source>
        <translation>与文件不同</translation>
    </message>
    <message>
        <source>用法错误</source>
        <translation>用法错误</translation>
    </message>
    <message>
        <source>文件问题</source>
        <translation>文件问题</translation>
    </message>
    <message>
        <source>连接失败</source>
        <translation>连接失败</translation>
    </message>
    <message>
        <source>仪表拒绝</source>
        <translation>仪表拒绝</translation>
    </message>
    <message>
        <source>网络失败</source>
        <translation>网络失败</translation>
    </message>
    <message>
        <source>已中止</source>
        <translation>已中止</translation>
    </message>
    <message>
        <source>异常结束</source>
        <translation>异常结束</translation>
    </message>
    <message>
        <source>%1 不能在多个串口上同时运行</source>
        <translation>%1 不能在多个串口上同时运行</translation>
    </message>
    <message>
        <source>--port 不能和 --ports 或 --ports-from 一起使用</source>
        <translation>--port 不能和 --ports 或 --ports-from 一起使用</translation>
    </message>
    <message>
        <source>多个串口不能写同一个文件; 用 -o 目录/ 让每个串口各写一个文件</source>
        <translation>多个串口不能写同一个文件; 用 -o 目录/ 让每个串口各写一个文件</translation>
    </message>
    <message>
        <source>无法创建目录: %1</source>
        <translation>无法创建目录: %1</translation>
    </message>
    <message>
        <source>%1 (%2 秒)</source>
        <translation>%1 (%2 秒)</translation>
    </message>
    <message>
        <source>%1 项, 未采用 %2 项</source>
        <translation>%1 项, 未采用 %2 项</translation>
    </message>
    <message>
        <source>%1 项</source>
        <translation>%1 项</translation>
    </message>
    <message>
        <source>无法把 %1 改名为 %2</source>
        <translation>无法把 %1 改名为 %2</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 个串口全部成功</source>
        <translation>%1 个串口全部成功</translation>
    </message>
    <message>
        <source>%1 个串口中 %2 个成功; 失败: %3</source>
        <translation>%1 个串口中 %2 个成功; 失败: %3</translation>
    </message>
    <message>
        <source>工作进程的输出超过 %1 MiB, 已被结束</source>
        <translation>工作进程的输出超过 %1 MiB, 已被结束</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>这次使用这个串口, 不改 config.ini。</source>
        <translation>这次使用这个串口, 不改 config.ini。</translation>
    </message>
    <message>
        <source>这次使用这个波特率, 不改 config.ini。</source>
        <translation>这次使用这个波特率, 不改 config.ini。</translation>
    </message>
    <message>
        <source>使用这个设置文件, 而不是工作目录中的 config.ini。</source>
        <translation>使用这个设置文件, 而不是工作目录中的 config.ini。</translation>
    </message>
    <message>
        <source>把结果输出为 JSON。</source>
        <translation>把结果输出为 JSON。</translation>
    </message>
    <message>
        <source>输出和错误信息的语言: en_US、zh_CH 或 zh_TW。</source>
        <translation>输出和错误信息的语言: en_US、zh_CH 或 zh_TW。</translation>
    </message>
    <message>
        <source>显示帮助。</source>
        <translation>显示帮助。</translation>
    </message>
    <message>
        <source>显示版本。</source>
        <translation>显示版本。</translation>
    </message>
    <message>
        <source>未知的语言: %1 (可选 en_US、zh_CH、zh_TW)</source>
        <translation>未知的语言: %1 (可选 en_US、zh_CH、zh_TW)</translation>
    </message>
    <message>
        <source>缺少命令</source>
        <translation>缺少命令</translation>
    </message>
    <message>
        <source>未知的命令: %1</source>
        <translation>未知的命令: %1</translation>
    </message>
    <message>
        <source>参数个数不对</source>
        <translation>参数个数不对</translation>
    </message>
    <message>
        <source>找不到设置文件: %1</source>
        <translation>找不到设置文件: %1</translation>
    </message>
    <message>
        <source>波特率应为正整数: %1</source>
        <translation>波特率应为正整数: %1</translation>
    </message>
    <message>
        <source>%1 [选项] 命令 [参数]</source>
        <translation>%1 [选项] 命令 [参数]</translation>
    </message>
    <message>
        <source>%1 [选项] %2</source>
        <translation>%1 [选项] %2</translation>
    </message>
    <message>
        <source>用法: %1</source>
        <translation>用法: %1</translation>
    </message>
    <message>
        <source>运行 %1 --help 查看说明。</source>
        <translation>运行 %1 --help 查看说明。</translation>
    </message>
    <message>
        <source>选项:</source>
        <translation>选项:</translation>
    </message>
    <message>
        <source>命令:</source>
        <translation>命令:</translation>
    </message>
    <message>
        <source>每个命令都接受的选项:</source>
        <translation>每个命令都接受的选项:</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>用法错误: 未知的命令或选项, 缺少或写错的参数; 没有写入仪表</source>
        <translation>用法错误: 未知的命令或选项, 缺少或写错的参数; 没有写入仪表</translation>
    </message>
    <message>
        <source>文件问题: 无法读取、解析或写入文件</source>
        <translation>文件问题: 无法读取、解析或写入文件</translation>
    </message>
    <message>
        <source>连接失败: 打不开串口、超时、CRC 错误、应答格式错误或串口断开</source>
        <translation>连接失败: 打不开串口、超时、CRC 错误、应答格式错误或串口断开</translation>
    </message>
    <message>
        <source>退出状态:</source>
        <translation>退出状态:</translation>
    </message>
    <message>
        <source>运行 %1 命令 --help 查看该命令的选项。</source>
        <translation>运行 %1 命令 --help 查看该命令的选项。</translation>
    </message>
    <message>
        <source>网络失败: 连不上下载服务器或它的应答不能用</source>
        <translation>网络失败: 连不上下载服务器或它的应答不能用</translation>
    </message>
    <message>
        <source>下载被 Ctrl-C 中止</source>
        <translation>下载被 Ctrl-C 中止</translation>
    </message>
    <message>
        <source>通过串口设置和读取 Norvo 仪表: 配置项、时钟、历史数据、固件和调试输出。</source>
        <translation>通过串口设置和读取 Norvo 仪表: 配置项、时钟、历史数据、固件和调试输出。</translation>
    </message>
    <message>
        <source>结果没能写到标准输出</source>
        <translation>结果没能写到标准输出</translation>
    </message>
    <message>
        <source>也在标准错误上显示 Qt 自己的警告。</source>
        <translation>也在标准错误上显示 Qt 自己的警告。</translation>
    </message>
    <message>
        <source>警告: 找不到 %1 的翻译文件, 以简体中文输出</source>
        <translation>警告: 找不到 %1 的翻译文件, 以简体中文输出</translation>
    </message>
    <message>
        <source>在这些串口上同时运行命令 (逗号分隔), 每个串口一行结果。</source>
        <translation>在这些串口上同时运行命令 (逗号分隔), 每个串口一行结果。</translation>
    </message>
    <message>
        <source>在这个文件列出的串口上同时运行命令, 每行一个串口, 可在其后写波特率。</source>
        <translation>在这个文件列出的串口上同时运行命令, 每行一个串口, 可在其后写波特率。</translation>
    </message>
    <message>
        <source>每个串口完成时在这个 CSV 文件末尾追加一行记录 (与 --ports 一起使用)。</source>
        <translation>每个串口完成时在这个 CSV 文件末尾追加一行记录 (与 --ports 一起使用)。</translation>
    </message>
    <message>
        <source>--record 只能和 --ports 或 --ports-from 一起使用</source>
        <translation>--record 只能和 --ports 或 --ports-from 一起使用</translation>
    </message>
    <message>
        <source>仪表与文件不同 (diff)</source>
        <translation>仪表与文件不同 (diff)</translation>
    </message>
    <message>
        <source>仪表拒绝: 数值未被采用或回读不一致、没有这一项、时钟未被确认或固件包型号不符</source>
        <translation>仪表拒绝: 数值未被采用或回读不一致、没有这一项、时钟未被确认或固件包型号不符</translation>
    </message>
</context>
<context>
    <name>DateArguments</name>
    <message>
        <source>日期应写作 yyyy-MM-dd: %1</source>
        <translation>日期应写作 yyyy-MM-dd: %1</translation>
    </message>
    <message>
        <source>时间应写作 yyyy-MM-dd hh:mm:ss: %1</source>
        <translation>时间应写作 yyyy-MM-dd hh:mm:ss: %1</translation>
    </message>
    <message>
        <source>仪表只认 %1 到 %2 年的日期: %3</source>
        <translation>仪表只认 %1 到 %2 年的日期: %3</translation>
    </message>
    <message>
        <source>这个日期不存在: %1</source>
        <translation>这个日期不存在: %1</translation>
    </message>
    <message>
        <source>这个时间不存在: %1</source>
        <translation>这个时间不存在: %1</translation>
    </message>
</context>
<context>
    <name>DetectCommand</name>
    <message>
        <source>在每个串口上以常用的波特率查找仪器, 列出找到的串口、波特率和设备名称</source>
        <translation>在每个串口上以常用的波特率查找仪器, 列出找到的串口、波特率和设备名称</translation>
    </message>
    <message>
        <source>没有可以检测的串口</source>
        <translation>没有可以检测的串口</translation>
    </message>
    <message>
        <source>没有找到仪器</source>
        <translation>没有找到仪器</translation>
    </message>
</context>
<context>
    <name>DeviceRecord</name>
    <message>
        <source>记录文件被锁住, 无法写入: %1</source>
        <translation>记录文件被锁住, 无法写入: %1</translation>
    </message>
    <message>
        <source>记录文件是符号链接, 不写入: %1</source>
        <translation>记录文件是符号链接, 不写入: %1</translation>
    </message>
    <message>
        <source>记录文件不是普通文件: %1</source>
        <translation>记录文件不是普通文件: %1</translation>
    </message>
    <message>
        <source>无法写入记录文件 %1: %2</source>
        <translation>无法写入记录文件 %1: %2</translation>
    </message>
</context>
<context>
    <name>DeviceTypeMgr</name>
    <message>
        <source>获取设备列表失败,请重试!</source>
        <translation>获取设备列表失败,请重试!</translation>
    </message>
</context>
<context>
    <name>DownloadThread</name>
    <message>
        <source>下载失败,打开文件失败: %1</source>
        <translation>下载失败,打开文件失败: %1</translation>
    </message>
    <message>
        <source>下载失败,保存文件失败: %1</source>
        <translation>下载失败,保存文件失败: %1</translation>
    </message>
    <message>
        <source>下载失败,打开链接失败!</source>
        <translation>下载失败,打开链接失败!</translation>
    </message>
    <message>
        <source>下载异常: %1</source>
        <translation>下载异常: %1</translation>
    </message>
    <message>
        <source>服务器长时间没有响应</source>
        <translation>服务器长时间没有响应</translation>
    </message>
    <message>
        <source>下载异常: 未找到该文件或下载失败</source>
        <translation>下载异常: 未找到该文件或下载失败</translation>
    </message>
    <message>
        <source>下载失败,只能下载 http 或 https 链接上的 .nvbin 文件: %1</source>
        <translation>下载失败,只能下载 http 或 https 链接上的 .nvbin 文件: %1</translation>
    </message>
    <message>
        <source>下载失败,目标是一个符号链接: %1</source>
        <translation>下载失败,目标是一个符号链接: %1</translation>
    </message>
    <message>
        <source>下载失败,文件已存在: %1</source>
        <translation>下载失败,文件已存在: %1</translation>
    </message>
    <message>
        <source>下载异常: 文件超过 %1 MiB</source>
        <translation>下载异常: 文件超过 %1 MiB</translation>
    </message>
    <message>
        <source>下载异常: 服务器回答 HTTP %1</source>
        <translation>下载异常: 服务器回答 HTTP %1</translation>
    </message>
</context>
<context>
    <name>EmptyTreeHint</name>
    <message>
        <source>请在通讯设置中选择串口，或点击自动检测</source>
        <translation>请在通讯设置中选择串口，或点击自动检测</translation>
    </message>
</context>
<context>
    <name>FirmwareCommands</name>
    <message>
        <source>每个应答一到齐就继续, 不再等待线路安静。</source>
        <translation>每个应答一到齐就继续, 不再等待线路安静。</translation>
    </message>
    <message>
        <source>下载到这个目录(必需)。</source>
        <translation>下载到这个目录(必需)。</translation>
    </message>
    <message>
        <source>校验固件包, 显示其设备、型号、版本和固件大小</source>
        <translation>校验固件包, 显示其设备、型号、版本和固件大小</translation>
    </message>
    <message>
        <source>通过引导程序把固件包写入仪表</source>
        <translation>通过引导程序把固件包写入仪表</translation>
    </message>
    <message>
        <source>列出厂家下载页上的固件包</source>
        <translation>列出厂家下载页上的固件包</translation>
    </message>
    <message>
        <source>从厂家下载页下载一个固件包</source>
        <translation>从厂家下载页下载一个固件包</translation>
    </message>
    <message>
        <source>设备:</source>
        <translation>设备:</translation>
    </message>
    <message>
        <source>型号:</source>
        <translation>型号:</translation>
    </message>
    <message>
        <source>版本:</source>
        <translation>版本:</translation>
    </message>
    <message>
        <source>固件:</source>
        <translation>固件:</translation>
    </message>
    <message>
        <source>%1 字节, %2 页</source>
        <translation>%1 字节, %2 页</translation>
    </message>
    <message>
        <source>更新固件</source>
        <translation>更新固件</translation>
    </message>
    <message>
        <source>缺少下载目录 --dir</source>
        <translation>缺少下载目录 --dir</translation>
    </message>
    <message>
        <source>下载页上没有这个固件包: %1 (见 norvo-cli catalogue)</source>
        <translation>下载页上没有这个固件包: %1 (见 norvo-cli catalogue)</translation>
    </message>
    <message>
        <source>下载</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>已下载到 %1</source>
        <translation>已下载到 %1</translation>
    </message>
    <message>
        <source>替换目录中已有的同名文件。</source>
        <translation>替换目录中已有的同名文件。</translation>
    </message>
    <message>
        <source>加上 --force 替换它。</source>
        <translation>加上 --force 替换它。</translation>
    </message>
    <message>
        <source>文件不存在: %1</source>
        <translation>文件不存在: %1</translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message>
        <source>第一天, 默认为今天。</source>
        <translation>第一天, 默认为今天。</translation>
    </message>
    <message>
        <source>最后一天, 默认为今天。</source>
        <translation>最后一天, 默认为今天。</translation>
    </message>
    <message>
        <source>把记录导出为 CSV 文件或 PDF 表格, 由文件后缀决定。</source>
        <translation>把记录导出为 CSV 文件或 PDF 表格, 由文件后缀决定。</translation>
    </message>
    <message>
        <source>读取一段日期(含首尾两天)的历史数据, 显示或导出为 CSV/PDF</source>
        <translation>读取一段日期(含首尾两天)的历史数据, 显示或导出为 CSV/PDF</translation>
    </message>
    <message>
        <source>导出文件的名字应以 .csv 或 .pdf 结尾: %1</source>
        <translation>导出文件的名字应以 .csv 或 .pdf 结尾: %1</translation>
    </message>
    <message>
        <source>%1 行已保存到 %2</source>
        <translation>%1 行已保存到 %2</translation>
    </message>
</context>
<context>
    <name>HistoryData</name>
    <message>
        <source>历史数据</source>
        <translation>历史数据</translation>
    </message>
    <message>
        <source>起始日期:</source>
        <translation>起始日期:</translation>
    </message>
    <message>
        <source>结束日期:</source>
        <translation>结束日期:</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>查询</translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation>导出CSV</translation>
    </message>
    <message>
        <source>导出PDF</source>
        <translation>导出PDF</translation>
    </message>
    <message>
        <source>起始日期应该小于或等于结束日期</source>
        <translation>起始日期应该小于或等于结束日期</translation>
    </message>
    <message>
        <source>导出历史数据</source>
        <translation>导出历史数据</translation>
    </message>
    <message>
        <source>导出数据失败，数据格式错误</source>
        <translation>导出数据失败，数据格式错误</translation>
    </message>
    <message>
        <source>导出配置</source>
        <translation>导出配置</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>打开文件失败: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>写入文件失败: %1</translation>
    </message>
</context>
<context>
    <name>ItemCommands</name>
    <message>
        <source>把配置项保存为导出配置所写的 CSV 文件。</source>
        <translation>把配置项保存为导出配置所写的 CSV 文件。</translation>
    </message>
    <message>
        <source>设置为这个时间而不是电脑的当前时间。</source>
        <translation>设置为这个时间而不是电脑的当前时间。</translation>
    </message>
    <message>
        <source>列出电脑上的串口, 带说明和 USB 厂商/产品号</source>
        <translation>列出电脑上的串口, 带说明和 USB 厂商/产品号</translation>
    </message>
    <message>
        <source>读取仪表的配置项, 显示为表格、JSON 或保存为 CSV 文件</source>
        <translation>读取仪表的配置项, 显示为表格、JSON 或保存为 CSV 文件</translation>
    </message>
    <message>
        <source>把 CSV 文件中每个带数值的配置项写入仪表, 如同写入配置</source>
        <translation>把 CSV 文件中每个带数值的配置项写入仪表, 如同写入配置</translation>
    </message>
    <message>
        <source>设置仪表的时钟, 默认为电脑的当前时间</source>
        <translation>设置仪表的时钟, 默认为电脑的当前时间</translation>
    </message>
    <message>
        <source>没有找到串口</source>
        <translation>没有找到串口</translation>
    </message>
    <message>
        <source>%1 项已保存到 %2</source>
        <translation>%1 项已保存到 %2</translation>
    </message>
    <message>
        <source>写入配置失败: %1</source>
        <translation>写入配置失败: %1</translation>
    </message>
    <message>
        <source>(未采用 %1)</source>
        <translation>(未采用 %1)</translation>
    </message>
    <message>
        <source>写入 %1 项, 未采用 %2 项</source>
        <translation>写入 %1 项, 未采用 %2 项</translation>
    </message>
    <message>
        <source>项目编号应为 0 到 %1 的整数: %2</source>
        <translation>项目编号应为 0 到 %1 的整数: %2</translation>
    </message>
    <message>
        <source>仪表没有第 %1 项</source>
        <translation>仪表没有第 %1 项</translation>
    </message>
    <message>
        <source>第 %1 项 %2 是操作项, 执行时不带数值</source>
        <translation>第 %1 项 %2 是操作项, 执行时不带数值</translation>
    </message>
    <message>
        <source>第 %1 项 %2 需要一个新数值</source>
        <translation>第 %1 项 %2 需要一个新数值</translation>
    </message>
    <message>
        <source>仪表未采用数值 %1, 第 %2 项仍为 %3</source>
        <translation>仪表未采用数值 %1, 第 %2 项仍为 %3</translation>
    </message>
    <message>
        <source>同步时间成功: %1</source>
        <translation>同步时间成功: %1</translation>
    </message>
    <message>
        <source>无权读写</source>
        <translation>无权读写</translation>
    </message>
    <message>
        <source>也写入 yyyy-MM-dd hh:mm:ss 形式的数值 (仪表的时钟); 默认跳过, 时钟请用 clock 设置。</source>
        <translation>也写入 yyyy-MM-dd hh:mm:ss 形式的数值 (仪表的时钟); 默认跳过, 时钟请用 clock 设置。</translation>
    </message>
    <message>
        <source>把数值写入第 N 项 (项目编号, 与 CSV 文件中的相同, 从 0 起); 操作项不带数值, 执行它</source>
        <translation>把数值写入第 N 项 (项目编号, 与 CSV 文件中的相同, 从 0 起); 操作项不带数值, 执行它</translation>
    </message>
    <message>
        <source>第 %1 项的时间 %2 未写入; 写入请加 --include-clock, 设置时钟请用 clock</source>
        <translation>第 %1 项的时间 %2 未写入; 写入请加 --include-clock, 设置时钟请用 clock</translation>
    </message>
    <message>
        <source>先读取仪表, 只写入与文件不同的项, 如同写入差异。</source>
        <translation>先读取仪表, 只写入与文件不同的项, 如同写入差异。</translation>
    </message>
    <message>
        <source>写入后回读每个写入的项并与文件比较; 不一致时退出状态为 5。</source>
        <translation>写入后回读每个写入的项并与文件比较; 不一致时退出状态为 5。</translation>
    </message>
    <message>
        <source>读取仪表并与 CSV 文件对比, 列出不同的项, 如同对比配置</source>
        <translation>读取仪表并与 CSV 文件对比, 列出不同的项, 如同对比配置</translation>
    </message>
    <message>
        <source>(无)</source>
        <translation>(无)</translation>
    </message>
</context>
<context>
    <name>ItemComparison</name>
    <message>
        <source>与文件一致</source>
        <translation>与文件一致</translation>
    </message>
    <message>
        <source>%1 项不同</source>
        <translation>%1 项不同</translation>
    </message>
    <message>
        <source>%1 项仅在文件中</source>
        <translation>%1 项仅在文件中</translation>
    </message>
    <message>
        <source>%1 项仅在仪表中</source>
        <translation>%1 项仅在仪表中</translation>
    </message>
    <message>
        <source>已写入 %1 项, 回读一致</source>
        <translation>已写入 %1 项, 回读一致</translation>
    </message>
    <message>
        <source>仪表的数值已与文件一致, 没有写入任何项</source>
        <translation>仪表的数值已与文件一致, 没有写入任何项</translation>
    </message>
    <message>
        <source>第 %1 项 %2: 写入 %3, 回读为 %4</source>
        <translation>第 %1 项 %2: 写入 %3, 回读为 %4</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>toolBar</source>
        <translation>toolBar</translation>
    </message>
    <message>
        <source>通讯设置</source>
        <translation>通讯设置</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>导入配置</source>
        <translation>导入配置</translation>
    </message>
    <message>
        <source>导出配置</source>
        <translation>导出配置</translation>
    </message>
    <message>
        <source>写入配置</source>
        <translation>写入配置</translation>
    </message>
    <message>
        <source>同步时间</source>
        <translation>同步时间</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>历史数据</translation>
    </message>
    <message>
        <source>更新固件</source>
        <translation>更新固件</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>关于</translation>
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
        <translation>设备监听</translation>
    </message>
    <message>
        <source>准备就绪</source>
        <translation>准备就绪</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>打开串口失败: %1</translation>
    </message>
    <message>
        <source>同步时间失败</source>
        <translation>同步时间失败</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>打开文件失败: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>写入文件失败: %1</translation>
    </message>
    <message>
        <source>硬件返回数据校验错误</source>
        <translation>硬件返回数据校验错误</translation>
    </message>
    <message>
        <source>写入配置失败,数值过长</source>
        <translation>写入配置失败,数值过长</translation>
    </message>
    <message>
        <source>正在导出配置......</source>
        <translation>正在导出配置......</translation>
    </message>
    <message>
        <source>导出配置成功</source>
        <translation>导出配置成功</translation>
    </message>
    <message>
        <source>正在写入配置......</source>
        <translation>正在写入配置......</translation>
    </message>
    <message>
        <source>写入配置失败: %1</source>
        <translation>写入配置失败: %1</translation>
    </message>
    <message>
        <source>写入配置成功</source>
        <translation>写入配置成功</translation>
    </message>
    <message>
        <source>同步时间成功</source>
        <translation>同步时间成功</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>提交</source>
        <translation>提交</translation>
    </message>
    <message>
        <source>写入配置失败,该项不支持修改</source>
        <translation>写入配置失败,该项不支持修改</translation>
    </message>
    <message>
        <source>操作(&amp;O)</source>
        <translation>操作(&amp;O)</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>文件解析错误: 第%1行</source>
        <translation>文件解析错误: 第%1行</translation>
    </message>
    <message>
        <source>正在读取配置......</source>
        <translation>正在读取配置......</translation>
    </message>
    <message>
        <source>正在读取配置...... %1</source>
        <translation>正在读取配置...... %1</translation>
    </message>
    <message>
        <source>读取配置完成: %1 项</source>
        <translation>读取配置完成: %1 项</translation>
    </message>
    <message>
        <source>正在写入配置...... %1 / %2</source>
        <translation>正在写入配置...... %1 / %2</translation>
    </message>
    <message>
        <source>已导入 %1 项, 尚未写入仪表</source>
        <translation>已导入 %1 项, 尚未写入仪表</translation>
    </message>
    <message>
        <source>这些项的数值是时间, 写入会把仪表的时钟改成它:

%1

一并写入吗? 选“否”则跳过它们; 同步时间把时钟设为电脑的时间。</source>
        <translation>这些项的数值是时间, 写入会把仪表的时钟改成它:

%1

一并写入吗? 选“否”则跳过它们; 同步时间把时钟设为电脑的时间。</translation>
    </message>
    <message>
        <source>(未采用 %1)</source>
        <translation>(未采用 %1)</translation>
    </message>
    <message>
        <source>写入 %1 项, 其中 %2 项未被仪表采用</source>
        <translation>写入 %1 项, 其中 %2 项未被仪表采用</translation>
    </message>
    <message>
        <source>项目编号 %1 (CSV 文件和 norvo-cli 中的编号)</source>
        <translation>项目编号 %1 (CSV 文件和 norvo-cli 中的编号)</translation>
    </message>
    <message>
        <source>对比配置</source>
        <translation>对比配置</translation>
    </message>
    <message>
        <source>写入差异</source>
        <translation>写入差异</translation>
    </message>
    <message>
        <source>回读失败: %1</source>
        <translation>回读失败: %1</translation>
    </message>
    <message>
        <source>已写入 %1 项, %2 项回读不一致:</source>
        <translation>已写入 %1 项, %2 项回读不一致:</translation>
    </message>
    <message>
        <source>正在回读...... %1 / %2</source>
        <translation>正在回读...... %1 / %2</translation>
    </message>
    <message>
        <source>配置项</source>
        <translation>配置项</translation>
    </message>
    <message>
        <source>仪表</source>
        <translation>仪表</translation>
    </message>
    <message>
        <source>文件值</source>
        <translation>文件值</translation>
    </message>
    <message>
        <source>(仅在文件中)</source>
        <translation>(仅在文件中)</translation>
    </message>
    <message>
        <source>对比: %1</source>
        <translation>对比: %1</translation>
    </message>
    <message>
        <source>(仅在仪表中)</source>
        <translation>(仅在仪表中)</translation>
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
        <translation>提交</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>写入配置失败,数值过长</source>
        <translation>写入配置失败,数值过长</translation>
    </message>
</context>
<context>
    <name>MonitorCommand</name>
    <message>
        <source>每段数据显示为时间、字节数和十六进制。</source>
        <translation>每段数据显示为时间、字节数和十六进制。</translation>
    </message>
    <message>
        <source>每段数据显示为时间、字节数、文本和十六进制。</source>
        <translation>每段数据显示为时间、字节数、文本和十六进制。</translation>
    </message>
    <message>
        <source>不打开仪表的调试输出, 只监听。</source>
        <translation>不打开仪表的调试输出, 只监听。</translation>
    </message>
    <message>
        <source>监听这么多秒后结束, 而不是等 Ctrl-C。</source>
        <translation>监听这么多秒后结束, 而不是等 Ctrl-C。</translation>
    </message>
    <message>
        <source>把仪表发来的数据输出到标准输出, 直到 Ctrl-C; 期间打开仪表的调试输出</source>
        <translation>把仪表发来的数据输出到标准输出, 直到 Ctrl-C; 期间打开仪表的调试输出</translation>
    </message>
    <message>
        <source>--hex 和 --both 只能选一个</source>
        <translation>--hex 和 --both 只能选一个</translation>
    </message>
    <message>
        <source>监听时长应为正的秒数: %1</source>
        <translation>监听时长应为正的秒数: %1</translation>
    </message>
    <message>
        <source>把输出的文本(同监听窗口)追加到文件。</source>
        <translation>把输出的文本(同监听窗口)追加到文件。</translation>
    </message>
    <message>
        <source>把收到的字节原样追加到文件。</source>
        <translation>把收到的字节原样追加到文件。</translation>
    </message>
</context>
<context>
    <name>MonitorDialog</name>
    <message>
        <source>设备监听</source>
        <translation>设备监听</translation>
    </message>
    <message>
        <source>原始数据</source>
        <translation>原始数据</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>十六进制</translation>
    </message>
    <message>
        <source>原始数据 + 十六进制</source>
        <translation>原始数据 + 十六进制</translation>
    </message>
    <message>
        <source>调试信息</source>
        <translation>调试信息</translation>
    </message>
    <message>
        <source>开始监听</source>
        <translation>开始监听</translation>
    </message>
    <message>
        <source>停止监听</source>
        <translation>停止监听</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>记录到文件</source>
        <translation>记录到文件</translation>
    </message>
    <message>
        <source>查找:</source>
        <translation>查找:</translation>
    </message>
    <message>
        <source>上一个</source>
        <translation>上一个</translation>
    </message>
    <message>
        <source>下一个</source>
        <translation>下一个</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>记录文件 (*.log *.txt);;所有文件 (*)</source>
        <translation>记录文件 (*.log *.txt);;所有文件 (*)</translation>
    </message>
    <message>
        <source>未找到</source>
        <translation>未找到</translation>
    </message>
</context>
<context>
    <name>MonitorThread</name>
    <message>
        <source>监听调试</source>
        <translation>监听调试</translation>
    </message>
    <message>
        <source>设备监听</source>
        <translation>设备监听</translation>
    </message>
    <message>
        <source>串口打开失败</source>
        <translation>串口打开失败</translation>
    </message>
</context>
<context>
    <name>NeutralAboutDialog</name>
    <message>
        <source>关于</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>串口重复: %1</source>
        <translation>串口重复: %1</translation>
    </message>
    <message>
        <source>无法读取串口列表 %1: %2</source>
        <translation>无法读取串口列表 %1: %2</translation>
    </message>
    <message>
        <source>串口列表 %1 第 %2 行应为“串口 [波特率]”: %3</source>
        <translation>串口列表 %1 第 %2 行应为“串口 [波特率]”: %3</translation>
    </message>
    <message>
        <source>串口列表是空的</source>
        <translation>串口列表是空的</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Norvo助手</source>
        <translation>Norvo助手</translation>
    </message>
    <message>
        <source>CRC校验错误</source>
        <translation>CRC校验错误</translation>
    </message>
    <message>
        <source>发送命令超时</source>
        <translation>发送命令超时</translation>
    </message>
    <message>
        <source>接受数据超时</source>
        <translation>接受数据超时</translation>
    </message>
    <message>
        <source>未定义的错误</source>
        <translation>未定义的错误</translation>
    </message>
    <message>
        <source>串口已断开</source>
        <translation>串口已断开</translation>
    </message>
    <message>
        <source>解析文件失败,文件不存在或拒绝访问!</source>
        <translation>解析文件失败,文件不存在或拒绝访问!</translation>
    </message>
    <message>
        <source>解析文件失败,打开文件失败,请检查文件类型!</source>
        <translation>解析文件失败,打开文件失败,请检查文件类型!</translation>
    </message>
    <message>
        <source>解析文件失败,文件操作失败!</source>
        <translation>解析文件失败,文件操作失败!</translation>
    </message>
    <message>
        <source>解析文件失败,无法获取文件内容!</source>
        <translation>解析文件失败,无法获取文件内容!</translation>
    </message>
    <message>
        <source>解析文件失败,文件校验失败!</source>
        <translation>解析文件失败,文件校验失败!</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>问题</source>
        <translation>问题</translation>
    </message>
    <message>
        <source>是</source>
        <translation>是</translation>
    </message>
    <message>
        <source>否</source>
        <translation>否</translation>
    </message>
    <message>
        <source>打开串口失败: 没有权限读写 %1。请把当前用户加入设备所属的组 %2（sudo usermod -aG %2 $USER），然后注销并重新登录</source>
        <translation>打开串口失败: 没有权限读写 %1。请把当前用户加入设备所属的组 %2（sudo usermod -aG %2 $USER），然后注销并重新登录</translation>
    </message>
    <message>
        <source>打开串口失败: 没有权限读写 %1，请让管理员给当前用户读写它的权限</source>
        <translation>打开串口失败: 没有权限读写 %1，请让管理员给当前用户读写它的权限</translation>
    </message>
    <message>
        <source>打开串口失败: %1 不存在，请检查串口名称和连线</source>
        <translation>打开串口失败: %1 不存在，请检查串口名称和连线</translation>
    </message>
    <message>
        <source>打开串口失败: %1 正被其他程序占用，请关闭那个程序后再试</source>
        <translation>打开串口失败: %1 正被其他程序占用，请关闭那个程序后再试</translation>
    </message>
    <message>
        <source>打开串口失败: %1（%2）</source>
        <translation>打开串口失败: %1（%2）</translation>
    </message>
</context>
<context>
    <name>ReadThread</name>
    <message>
        <source>查询</source>
        <translation>查询</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>打开串口失败: %1</translation>
    </message>
    <message>
        <source>发送命令超时</source>
        <translation>发送命令超时</translation>
    </message>
    <message>
        <source>接受数据超时</source>
        <translation>接受数据超时</translation>
    </message>
    <message>
        <source>应答过长, 已停止读取; 请关闭仪表的调试输出后再查询</source>
        <translation>应答过长, 已停止读取; 请关闭仪表的调试输出后再查询</translation>
    </message>
</context>
<context>
    <name>RefreshThread</name>
    <message>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>串口打开失败</source>
        <translation>串口打开失败</translation>
    </message>
    <message>
        <source>地址或命令校验错误</source>
        <translation>地址或命令校验错误</translation>
    </message>
    <message>
        <source>数据长度校验错误</source>
        <translation>数据长度校验错误</translation>
    </message>
</context>
<context>
    <name>SessionLog</name>
    <message>
        <source>记录文件不能是符号链接: %1</source>
        <translation>记录文件不能是符号链接: %1</translation>
    </message>
    <message>
        <source>无法打开记录文件 %1: %2</source>
        <translation>无法打开记录文件 %1: %2</translation>
    </message>
    <message>
        <source>无法写入记录文件 %1: %2</source>
        <translation>无法写入记录文件 %1: %2</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <source>串口设置</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>串口：</source>
        <translation>串口：</translation>
    </message>
    <message>
        <source>波特率：</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>请选择串口!</source>
        <translation>请选择串口!</translation>
    </message>
    <message>
        <source>请选择波特率!</source>
        <translation>请选择波特率!</translation>
    </message>
    <message>
        <source>自动检测</source>
        <translation>自动检测</translation>
    </message>
    <message>
        <source>没有可以检测的串口</source>
        <translation>没有可以检测的串口</translation>
    </message>
    <message>
        <source>正在各个串口上查找仪器......</source>
        <translation>正在各个串口上查找仪器......</translation>
    </message>
    <message>
        <source>没有找到仪器。请检查连线和仪器的电源。</source>
        <translation>没有找到仪器。请检查连线和仪器的电源。</translation>
    </message>
    <message>
        <source>找到多台仪器, 请选择一台:</source>
        <translation>找到多台仪器, 请选择一台:</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>更新固件</source>
        <translation>更新固件</translation>
    </message>
    <message>
        <source>文件：</source>
        <translation>文件：</translation>
    </message>
    <message>
        <source>设备：</source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>型号：</source>
        <translation>型号：</translation>
    </message>
    <message>
        <source>版本：</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>进度：</source>
        <translation>进度：</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>选择文件</translation>
    </message>
    <message>
        <source>烧写</source>
        <translation>烧写</translation>
    </message>
    <message>
        <source>下载文件</source>
        <translation>下载文件</translation>
    </message>
    <message>
        <source>列表：</source>
        <translation>列表：</translation>
    </message>
    <message>
        <source>路径：</source>
        <translation>路径：</translation>
    </message>
    <message>
        <source>刷新文件列表</source>
        <translation>刷新文件列表</translation>
    </message>
    <message>
        <source>选择路径</source>
        <translation>选择路径</translation>
    </message>
    <message>
        <source>请选择文件!</source>
        <translation>请选择文件!</translation>
    </message>
    <message>
        <source>更新失败,文件不存在或拒绝访问!</source>
        <translation>更新失败,文件不存在或拒绝访问!</translation>
    </message>
    <message>
        <source>固件更新成功!</source>
        <translation>固件更新成功!</translation>
    </message>
    <message>
        <source>请选择设备类型!</source>
        <translation>请选择设备类型!</translation>
    </message>
    <message>
        <source>请选择下载路径!</source>
        <translation>请选择下载路径!</translation>
    </message>
    <message>
        <source>文件下载成功!</source>
        <translation>文件下载成功!</translation>
    </message>
    <message>
        <source>正在更新固件,请等待更新完成!</source>
        <translation>正在更新固件,请等待更新完成!</translation>
    </message>
    <message>
        <source>%1 已存在, 要替换它吗?</source>
        <translation>%1 已存在, 要替换它吗?</translation>
    </message>
    <message>
        <source>勾选后, 设备标识、擦除和每一页的应答一到齐就继续,
结束命令发出后只稍等片刻, 不再等待线路安静或不会到来的应答;
发出的命令不变。引导程序若需要这段安静时间, 请不要勾选。</source>
        <translation>勾选后, 设备标识、擦除和每一页的应答一到齐就继续,
结束命令发出后只稍等片刻, 不再等待线路安静或不会到来的应答;
发出的命令不变。引导程序若需要这段安静时间, 请不要勾选。</translation>
    </message>
    <message>
        <source>快速烧写</source>
        <translation>快速烧写</translation>
    </message>
</context>
<context>
    <name>UpdateThread</name>
    <message>
        <source>固件更新失败,擦除设备内存失败!</source>
        <translation>固件更新失败,擦除设备内存失败!</translation>
    </message>
    <message>
        <source>固件更新失败,发送文件数据失败!</source>
        <translation>固件更新失败,发送文件数据失败!</translation>
    </message>
    <message>
        <source>固件更新失败,固件包中没有固件!</source>
        <translation>固件更新失败,固件包中没有固件!</translation>
    </message>
    <message>
        <source>固件更新失败,%1</source>
        <translation>固件更新失败,%1</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>打开串口失败: %1</translation>
    </message>
    <message>
        <source>固件更新失败,获取设备ID失败! 请让仪表进入引导程序(升级模式), 并检查串口、波特率和连线。</source>
        <translation>固件更新失败,获取设备ID失败! 请让仪表进入引导程序(升级模式), 并检查串口、波特率和连线。</translation>
    </message>
    <message>
        <source>固件更新失败,BIN文件与设备型号不一致! (仪表: %1, 文件: %2)</source>
        <translation>固件更新失败,BIN文件与设备型号不一致! (仪表: %1, 文件: %2)</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>未知</translation>
    </message>
</context>
</TS>
