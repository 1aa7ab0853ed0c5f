<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>BatchRunner</name>
    <message>
        <source>成功</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>与文件不同</source>
        <translation>與檔案不同</translation>
    </message>
    <message>
        <source>用法错误</source>
        <translation>用法錯誤</translation>
    </message>
    <message>
        <source>文件问题</source>
        <translation>檔案問題</translation>
    </message>
    <message>
        <source>连接失败</source>
        <translation>連線失敗</translation>
    </message>
    <message>
        <source>仪表拒绝</source>
        <translation>儀表拒絕</translation>
    </message>
    <message>
        <source>网络失败</source>
        <translation>網路失敗</translation>
    </message>
    <message>
        <source>已中止</source>
        <translation>已中止</translation>
    </message>
    <message>
        <source>异常结束</source>
        <translation>異常結束</translation>
    </message>
    <message>
        <source>%1 不能在多个串口上同时运行</source>
        <translation>%1 不能在多個序列埠上同時執行</translation>
    </message>
    <message>
        <source>--port 不能和 --ports 或 --ports-from 一起使用</source>
        <translation>--port 不能和 --ports 或 --ports-from 一起使用</translation>
    </message>
    <message>
        <source>多个串口不能写同一个文件; 用 -o 目录/ 让每个串口各写一个文件</source>
        <translation>多個序列埠不能寫同一個檔案; 用 -o 目錄/ 讓每個序列埠各寫一個檔案</translation>
    </message>
    <message>
        <source>无法创建目录: %1</source>
        <translation>無法建立目錄: %1</translation>
    </message>
    <message>
        <source>%1 (%2 秒)</source>
        <translation>%1 (%2 秒)</translation>
    </message>
    <message>
        <source>%1 项, 未采用 %2 项</source>
        <translation>%1 項, 未採用 %2 項</translation>
    </message>
    <message>
        <source>%1 项</source>
        <translation>%1 項</translation>
    </message>
    <message>
        <source>无法把 %1 改名为 %2</source>
        <translation>無法把 %1 改名為 %2</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 个串口全部成功</source>
        <translation>%1 個序列埠全部成功</translation>
    </message>
    <message>
        <source>%1 个串口中 %2 个成功; 失败: %3</source>
        <translation>%1 個序列埠中 %2 個成功; 失敗: %3</translation>
    </message>
    <message>
        <source>工作进程的输出超过 %1 MiB, 已被结束</source>
        <translation>工作行程的輸出超過 %1 MiB, 已被結束</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>这次使用这个串口, 不改 config.ini。</source>
        <translation>這次使用這個序列埠, 不改 config.ini。</translation>
    </message>
    <message>
        <source>这次使用这个波特率, 不改 config.ini。</source>
        <translation>這次使用這個鮑率, 不改 config.ini。</translation>
    </message>
    <message>
        <source>使用这个设置文件, 而不是工作目录中的 config.ini。</source>
        <translation>使用這個設定檔, 而不是工作目錄中的 config.ini。</translation>
    </message>
    <message>
        <source>把结果输出为 JSON。</source>
        <translation>把結果輸出為 JSON。</translation>
    </message>
    <message>
        <source>输出和错误信息的语言: en_US、zh_CH 或 zh_TW。</source>
        <translation>輸出和錯誤訊息的語言: en_US、zh_CH 或 zh_TW。</translation>
    </message>
    <message>
        <source>显示帮助。</source>
        <translation>顯示說明。</translation>
    </message>
    <message>
        <source>显示版本。</source>
        <translation>顯示版本。</translation>
    </message>
    <message>
        <source>未知的语言: %1 (可选 en_US、zh_CH、zh_TW)</source>
        <translation>未知的語言: %1 (可選 en_US、zh_CH、zh_TW)</translation>
    </message>
    <message>
        <source>缺少命令</source>
        <translation>缺少命令</translation>
    </message>
    <message>
        <source>未知的命令: %1</source>
        <translation>未知的指令: %1</translation>
    </message>
    <message>
        <source>参数个数不对</source>
        <translation>參數個數不對</translation>
    </message>
    <message>
        <source>找不到设置文件: %1</source>
        <translation>找不到設定檔: %1</translation>
    </message>
    <message>
        <source>波特率应为正整数: %1</source>
        <translation>鮑率應為正整數: %1</translation>
    </message>
    <message>
        <source>%1 [选项] 命令 [参数]</source>
        <translation>%1 [選項] 指令 [參數]</translation>
    </message>
    <message>
        <source>%1 [选项] %2</source>
        <translation>%1 [選項] %2</translation>
    </message>
    <message>
        <source>用法: %1</source>
        <translation>用法: %1</translation>
    </message>
    <message>
        <source>运行 %1 --help 查看说明。</source>
        <translation>執行 %1 --help 查看說明。</translation>
    </message>
    <message>
        <source>选项:</source>
        <translation>選項:</translation>
    </message>
    <message>
        <source>命令:</source>
        <translation>指令:</translation>
    </message>
    <message>
        <source>每个命令都接受的选项:</source>
        <translation>每個指令都接受的選項:</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>用法错误: 未知的命令或选项, 缺少或写错的参数; 没有写入仪表</source>
        <translation>用法錯誤: 未知的指令或選項, 缺少或寫錯的參數; 沒有寫入儀表</translation>
    </message>
    <message>
        <source>文件问题: 无法读取、解析或写入文件</source>
        <translation>檔案問題: 無法讀取、解析或寫入檔案</translation>
    </message>
    <message>
        <source>连接失败: 打不开串口、超时、CRC 错误、应答格式错误或串口断开</source>
        <translation>連線失敗: 打不開序列埠、逾時、CRC 錯誤、應答格式錯誤或序列埠中斷</translation>
    </message>
    <message>
        <source>退出状态:</source>
        <translation>結束狀態:</translation>
    </message>
    <message>
        <source>运行 %1 命令 --help 查看该命令的选项。</source>
        <translation>執行 %1 指令 --help 查看該指令的選項。</translation>
    </message>
    <message>
        <source>网络失败: 连不上下载服务器或它的应答不能用</source>
        <translation>網路失敗: 連不上下載伺服器或它的應答不能用</translation>
    </message>
    <message>
        <source>下载被 Ctrl-C 中止</source>
        <translation>下載被 Ctrl-C 中止</translation>
    </message>
    <message>
        <source>通过串口设置和读取 Norvo 仪表: 配置项、时钟、历史数据、固件和调试输出。</source>
        <translation>透過序列埠設定和讀取 Norvo 儀表: 設定項、時鐘、歷史資料、韌體和除錯輸出。</translation>
    </message>
    <message>
        <source>结果没能写到标准输出</source>
        <translation>結果沒能寫到標準輸出</translation>
    </message>
    <message>
        <source>也在标准错误上显示 Qt 自己的警告。</source>
        <translation>也在標準錯誤上顯示 Qt 自己的警告。</translation>
    </message>
    <message>
        <source>警告: 找不到 %1 的翻译文件, 以简体中文输出</source>
        <translation>警告: 找不到 %1 的翻譯檔案, 以簡體中文輸出</translation>
    </message>
    <message>
        <source>在这些串口上同时运行命令 (逗号分隔), 每个串口一行结果。</source>
        <translation>在這些序列埠上同時執行命令 (逗號分隔), 每個序列埠一行結果。</translation>
    </message>
    <message>
        <source>在这个文件列出的串口上同时运行命令, 每行一个串口, 可在其后写波特率。</source>
        <translation>在這個檔案列出的序列埠上同時執行命令, 每行一個序列埠, 可在其後寫鮑率。</translation>
    </message>
    <message>
        <source>每个串口完成时在这个 CSV 文件末尾追加一行记录 (与 --ports 一起使用)。</source>
        <translation>每個序列埠完成時在這個 CSV 檔案末尾附加一行記錄 (與 --ports 一起使用)。</translation>
    </message>
    <message>
        <source>--record 只能和 --ports 或 --ports-from 一起使用</source>
        <translation>--record 只能和 --ports 或 --ports-from 一起使用</translation>
    </message>
    <message>
        <source>仪表与文件不同 (diff)</source>
        <translation>儀表與檔案不同 (diff)</translation>
    </message>
    <message>
        <source>仪表拒绝: 数值未被采用或回读不一致、没有这一项、时钟未被确认或固件包型号不符</source>
        <translation>儀表拒絕: 數值未被採用或回讀不一致、沒有這一項、時鐘未被確認或韌體包型號不符</translation>
    </message>
</context>
<context>
    <name>DateArguments</name>
    <message>
        <source>日期应写作 yyyy-MM-dd: %1</source>
        <translation>日期應寫作 yyyy-MM-dd: %1</translation>
    </message>
    <message>
        <source>时间应写作 yyyy-MM-dd hh:mm:ss: %1</source>
        <translation>時間應寫作 yyyy-MM-dd hh:mm:ss: %1</translation>
    </message>
    <message>
        <source>仪表只认 %1 到 %2 年的日期: %3</source>
        <translation>儀表只認 %1 到 %2 年的日期: %3</translation>
    </message>
    <message>
        <source>这个日期不存在: %1</source>
        <translation>這個日期不存在: %1</translation>
    </message>
    <message>
        <source>这个时间不存在: %1</source>
        <translation>這個時間不存在: %1</translation>
    </message>
</context>
<context>
    <name>DetectCommand</name>
    <message>
        <source>在每个串口上以常用的波特率查找仪器, 列出找到的串口、波特率和设备名称</source>
        <translation>在每個序列埠上以常用的鮑率尋找儀器, 列出找到的序列埠、鮑率和裝置名稱</translation>
    </message>
    <message>
        <source>没有可以检测的串口</source>
        <translation>沒有可以偵測的序列埠</translation>
    </message>
    <message>
        <source>没有找到仪器</source>
        <translation>沒有找到儀器</translation>
    </message>
</context>
<context>
    <name>DeviceRecord</name>
    <message>
        <source>记录文件被锁住, 无法写入: %1</source>
        <translation>記錄檔被鎖住, 無法寫入: %1</translation>
    </message>
    <message>
        <source>记录文件是符号链接, 不写入: %1</source>
        <translation>記錄檔是符號連結, 不寫入: %1</translation>
    </message>
    <message>
        <source>记录文件不是普通文件: %1</source>
        <translation>記錄檔不是一般檔案: %1</translation>
    </message>
    <message>
        <source>无法写入记录文件 %1: %2</source>
        <translation>無法寫入記錄檔 %1: %2</translation>
    </message>
</context>
<context>
    <name>DeviceTypeMgr</name>
    <message>
        <source>获取设备列表失败,请重试!</source>
        <translation>獲取設備列表失敗,請重試!</translation>
    </message>
</context>
<context>
    <name>DownloadThread</name>
    <message>
        <source>下载失败,打开文件失败: %1</source>
        <translation>下載失敗,打開檔案失敗: %1</translation>
    </message>
    <message>
        <source>下载失败,保存文件失败: %1</source>
        <translation>下載失敗,儲存檔案失敗: %1</translation>
    </message>
    <message>
        <source>下载失败,打开链接失败!</source>
        <translation>下載失敗,打開連結失敗!</translation>
    </message>
    <message>
        <source>下载异常: %1</source>
        <translation>下載異常: %1</translation>
    </message>
    <message>
        <source>服务器长时间没有响应</source>
        <translation>伺服器長時間沒有回應</translation>
    </message>
    <message>
        <source>下载异常: 未找到该文件或下载失败</source>
        <translation>下載異常: 未找到該檔案或下載失敗</translation>
    </message>
    <message>
        <source>下载失败,只能下载 http 或 https 链接上的 .nvbin 文件: %1</source>
        <translation>下載失敗,只能下載 http 或 https 連結上的 .nvbin 檔案: %1</translation>
    </message>
    <message>
        <source>下载失败,目标是一个符号链接: %1</source>
        <translation>下載失敗,目標是一個符號連結: %1</translation>
    </message>
    <message>
        <source>下载失败,文件已存在: %1</source>
        <translation>下載失敗,檔案已存在: %1</translation>
    </message>
    <message>
        <source>下载异常: 文件超过 %1 MiB</source>
        <translation>下載異常: 檔案超過 %1 MiB</translation>
    </message>
    <message>
        <source>下载异常: 服务器回答 HTTP %1</source>
        <translation>下載異常: 伺服器回應 HTTP %1</translation>
    </message>
</context>
<context>
    <name>EmptyTreeHint</name>
    <message>
        <source>请在通讯设置中选择串口，或点击自动检测</source>
        <translation>請在通訊設定中選擇序列埠，或點擊自動偵測</translation>
    </message>
</context>
<context>
    <name>FirmwareCommands</name>
    <message>
        <source>每个应答一到齐就继续, 不再等待线路安静。</source>
        <translation>每個應答一到齊就繼續, 不再等待線路安靜。</translation>
    </message>
    <message>
        <source>下载到这个目录(必需)。</source>
        <translation>下載到這個目錄(必需)。</translation>
    </message>
    <message>
        <source>校验固件包, 显示其设备、型号、版本和固件大小</source>
        <translation>校驗韌體包, 顯示其設備、型號、版本和韌體大小</translation>
    </message>
    <message>
        <source>通过引导程序把固件包写入仪表</source>
        <translation>透過開機程式把韌體包寫入儀表</translation>
    </message>
    <message>
        <source>列出厂家下载页上的固件包</source>
        <translation>列出廠商下載頁上的韌體包</translation>
    </message>
    <message>
        <source>从厂家下载页下载一个固件包</source>
        <translation>從廠商下載頁下載一個韌體包</translation>
    </message>
    <message>
        <source>设备:</source>
        <translation>設備:</translation>
    </message>
    <message>
        <source>型号:</source>
        <translation>型號:</translation>
    </message>
    <message>
        <source>版本:</source>
        <translation>版本:</translation>
    </message>
    <message>
        <source>固件:</source>
        <translation>韌體:</translation>
    </message>
    <message>
        <source>%1 字节, %2 页</source>
        <translation>%1 位元組, %2 頁</translation>
    </message>
    <message>
        <source>更新固件</source>
        <translation>更新韌體</translation>
    </message>
    <message>
        <source>缺少下载目录 --dir</source>
        <translation>缺少下載目錄 --dir</translation>
    </message>
    <message>
        <source>下载页上没有这个固件包: %1 (见 norvo-cli catalogue)</source>
        <translation>下載頁上沒有這個韌體包: %1 (見 norvo-cli catalogue)</translation>
    </message>
    <message>
        <source>下载</source>
        <translation>下載</translation>
    </message>
    <message>
        <source>已下载到 %1</source>
        <translation>已下載到 %1</translation>
    </message>
    <message>
        <source>替换目录中已有的同名文件。</source>
        <translation>取代目錄中已有的同名檔案。</translation>
    </message>
    <message>
        <source>加上 --force 替换它。</source>
        <translation>加上 --force 以取代它。</translation>
    </message>
    <message>
        <source>文件不存在: %1</source>
        <translation>檔案不存在: %1</translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message>
        <source>第一天, 默认为今天。</source>
        <translation>第一天, 預設為今天。</translation>
    </message>
    <message>
        <source>最后一天, 默认为今天。</source>
        <translation>最後一天, 預設為今天。</translation>
    </message>
    <message>
        <source>把记录导出为 CSV 文件或 PDF 表格, 由文件后缀决定。</source>
        <translation>把記錄匯出為 CSV 檔案或 PDF 表格, 由檔案副檔名決定。</translation>
    </message>
    <message>
        <source>读取一段日期(含首尾两天)的历史数据, 显示或导出为 CSV/PDF</source>
        <translation>讀取一段日期(含首尾兩天)的歷史資料, 顯示或匯出為 CSV/PDF</translation>
    </message>
    <message>
        <source>导出文件的名字应以 .csv 或 .pdf 结尾: %1</source>
        <translation>匯出檔案的名稱應以 .csv 或 .pdf 結尾: %1</translation>
    </message>
    <message>
        <source>%1 行已保存到 %2</source>
        <translation>%1 行已儲存到 %2</translation>
    </message>
</context>
<context>
    <name>HistoryData</name>
    <message>
        <source>历史数据</source>
        <translation>歷史資料</translation>
    </message>
    <message>
        <source>起始日期:</source>
        <translation>起始日期:</translation>
    </message>
    <message>
        <source>结束日期:</source>
        <translation>結束日期:</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>查詢</translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation>匯出CSV</translation>
    </message>
    <message>
        <source>导出PDF</source>
        <translation>匯出PDF</translation>
    </message>
    <message>
        <source>起始日期应该小于或等于结束日期</source>
        <translation>起始日期應該小於或等於結束日期</translation>
    </message>
    <message>
        <source>导出历史数据</source>
        <translation>匯出歷史資料</translation>
    </message>
    <message>
        <source>导出数据失败，数据格式错误</source>
        <translation>匯出資料失敗，資料格式錯誤</translation>
    </message>
    <message>
        <source>导出配置</source>
        <translation>匯出設定</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>開啟檔案失敗: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>寫入檔案失敗: %1</translation>
    </message>
</context>
<context>
    <name>ItemCommands</name>
    <message>
        <source>把配置项保存为导出配置所写的 CSV 文件。</source>
        <translation>把設定項儲存為匯出設定所寫的 CSV 檔案。</translation>
    </message>
    <message>
        <source>设置为这个时间而不是电脑的当前时间。</source>
        <translation>設定為這個時間而不是電腦的目前時間。</translation>
    </message>
    <message>
        <source>列出电脑上的串口, 带说明和 USB 厂商/产品号</source>
        <translation>列出電腦上的序列埠, 附說明和 USB 廠商/產品號</translation>
    </message>
    <message>
        <source>读取仪表的配置项, 显示为表格、JSON 或保存为 CSV 文件</source>
        <translation>讀取儀表的設定項, 顯示為表格、JSON 或儲存為 CSV 檔案</translation>
    </message>
    <message>
        <source>把 CSV 文件中每个带数值的配置项写入仪表, 如同写入配置</source>
        <translation>把 CSV 檔案中每個帶數值的設定項寫入儀表, 如同寫入設定</translation>
    </message>
    <message>
        <source>设置仪表的时钟, 默认为电脑的当前时间</source>
        <translation>設定儀表的時鐘, 預設為電腦的目前時間</translation>
    </message>
    <message>
        <source>没有找到串口</source>
        <translation>沒有找到序列埠</translation>
    </message>
    <message>
        <source>%1 项已保存到 %2</source>
        <translation>%1 項已儲存到 %2</translation>
    </message>
    <message>
        <source>写入配置失败: %1</source>
        <translation>寫入設定失敗: %1</translation>
    </message>
    <message>
        <source>(未采用 %1)</source>
        <translation>(未採用 %1)</translation>
    </message>
    <message>
        <source>写入 %1 项, 未采用 %2 项</source>
        <translation>寫入 %1 項, 未採用 %2 項</translation>
    </message>
    <message>
        <source>项目编号应为 0 到 %1 的整数: %2</source>
        <translation>項目編號應為 0 到 %1 的整數: %2</translation>
    </message>
    <message>
        <source>仪表没有第 %1 项</source>
        <translation>儀表沒有第 %1 項</translation>
    </message>
    <message>
        <source>第 %1 项 %2 是操作项, 执行时不带数值</source>
        <translation>第 %1 項 %2 是操作項, 執行時不帶數值</translation>
    </message>
    <message>
        <source>第 %1 项 %2 需要一个新数值</source>
        <translation>第 %1 項 %2 需要一個新數值</translation>
    </message>
    <message>
        <source>仪表未采用数值 %1, 第 %2 项仍为 %3</source>
        <translation>儀表未採用數值 %1, 第 %2 項仍為 %3</translation>
    </message>
    <message>
        <source>同步时间成功: %1</source>
        <translation>同步時間成功: %1</translation>
    </message>
    <message>
        <source>无权读写</source>
        <translation>無權讀寫</translation>
    </message>
    <message>
        <source>也写入 yyyy-MM-dd hh:mm:ss 形式的数值 (仪表的时钟); 默认跳过, 时钟请用 clock 设置。</source>
        <translation>也寫入 yyyy-MM-dd hh:mm:ss 形式的數值 (儀表的時鐘); 預設跳過, 時鐘請用 clock 設定。</translation>
    </message>
    <message>
        <source>把数值写入第 N 项 (项目编号, 与 CSV 文件中的相同, 从 0 起); 操作项不带数值, 执行它</source>
        <translation>把數值寫入第 N 項 (項目編號, 與 CSV 檔案中的相同, 從 0 起); 操作項不帶數值, 執行它</translation>
    </message>
    <message>
        <source>第 %1 项的时间 %2 未写入; 写入请加 --include-clock, 设置时钟请用 clock</source>
        <translation>第 %1 項的時間 %2 未寫入; 寫入請加 --include-clock, 設定時鐘請用 clock</translation>
    </message>
    <message>
        <source>先读取仪表, 只写入与文件不同的项, 如同写入差异。</source>
        <translation>先讀取儀表, 只寫入與檔案不同的項, 如同寫入差異。</translation>
    </message>
    <message>
        <source>写入后回读每个写入的项并与文件比较; 不一致时退出状态为 5。</source>
        <translation>寫入後回讀每個寫入的項並與檔案比較; 不一致時退出狀態為 5。</translation>
    </message>
    <message>
        <source>读取仪表并与 CSV 文件对比, 列出不同的项, 如同对比配置</source>
        <translation>讀取儀表並與 CSV 檔案對比, 列出不同的項, 如同對比配置</translation>
    </message>
    <message>
        <source>(无)</source>
        <translation>(無)</translation>
    </message>
</context>
<context>
    <name>ItemComparison</name>
    <message>
        <source>与文件一致</source>
        <translation>與檔案一致</translation>
    </message>
    <message>
        <source>%1 项不同</source>
        <translation>%1 項不同</translation>
    </message>
    <message>
        <source>%1 项仅在文件中</source>
        <translation>%1 項僅在檔案中</translation>
    </message>
    <message>
        <source>%1 项仅在仪表中</source>
        <translation>%1 項僅在儀表中</translation>
    </message>
    <message>
        <source>已写入 %1 项, 回读一致</source>
        <translation>已寫入 %1 項, 回讀一致</translation>
    </message>
    <message>
        <source>仪表的数值已与文件一致, 没有写入任何项</source>
        <translation>儀表的數值已與檔案一致, 沒有寫入任何項</translation>
    </message>
    <message>
        <source>第 %1 项 %2: 写入 %3, 回读为 %4</source>
        <translation>第 %1 項 %2: 寫入 %3, 回讀為 %4</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>toolBar</source>
        <translation>工具列</translation>
    </message>
    <message>
        <source>通讯设置</source>
        <translation>通訊設定</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>重新整理</translation>
    </message>
    <message>
        <source>导入配置</source>
        <translation>匯入設定</translation>
    </message>
    <message>
        <source>导出配置</source>
        <translation>匯出設定</translation>
    </message>
    <message>
        <source>写入配置</source>
        <translation>寫入設定</translation>
    </message>
    <message>
        <source>同步时间</source>
        <translation>同步時間</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>歷史資料</translation>
    </message>
    <message>
        <source>更新固件</source>
        <translation>更新韌體</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>關於</translation>
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
        <translation>裝置監聽</translation>
    </message>
    <message>
        <source>准备就绪</source>
        <translation>準備就緒</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>開啟序列埠失敗: %1</translation>
    </message>
    <message>
        <source>同步时间失败</source>
        <translation>同步時間失敗</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>開啟檔案失敗: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>寫入檔案失敗: %1</translation>
    </message>
    <message>
        <source>硬件返回数据校验错误</source>
        <translation>硬體回傳資料校驗錯誤</translation>
    </message>
    <message>
        <source>写入配置失败,数值过长</source>
        <translation>寫入設定失敗，數值過長</translation>
    </message>
    <message>
        <source>正在导出配置......</source>
        <translation>正在匯出設定......</translation>
    </message>
    <message>
        <source>导出配置成功</source>
        <translation>匯出設定成功</translation>
    </message>
    <message>
        <source>正在写入配置......</source>
        <translation>正在寫入設定......</translation>
    </message>
    <message>
        <source>写入配置失败: %1</source>
        <translation>寫入設定失敗: %1</translation>
    </message>
    <message>
        <source>写入配置成功</source>
        <translation>寫入設定成功</translation>
    </message>
    <message>
        <source>同步时间成功</source>
        <translation>同步時間成功</translation>
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
        <translation>寫入設定失敗，此項目不支援修改</translation>
    </message>
    <message>
        <source>操作(&amp;O)</source>
        <translation>操作(&amp;O)</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>語言(&amp;L)</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>說明(&amp;H)</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>結束</translation>
    </message>
    <message>
        <source>文件解析错误: 第%1行</source>
        <translation>檔案解析錯誤: 第%1行</translation>
    </message>
    <message>
        <source>正在读取配置......</source>
        <translation>正在讀取設定......</translation>
    </message>
    <message>
        <source>正在读取配置...... %1</source>
        <translation>正在讀取設定...... %1</translation>
    </message>
    <message>
        <source>读取配置完成: %1 项</source>
        <translation>讀取設定完成: %1 項</translation>
    </message>
    <message>
        <source>正在写入配置...... %1 / %2</source>
        <translation>正在寫入設定...... %1 / %2</translation>
    </message>
    <message>
        <source>已导入 %1 项, 尚未写入仪表</source>
        <translation>已匯入 %1 項, 尚未寫入儀表</translation>
    </message>
    <message>
        <source>这些项的数值是时间, 写入会把仪表的时钟改成它:

%1

一并写入吗? 选“否”则跳过它们; 同步时间把时钟设为电脑的时间。</source>
        <translation>這些項的數值是時間, 寫入會把儀表的時鐘改成它:

%1

一併寫入嗎? 選「否」則跳過它們; 同步時間把時鐘設為電腦的時間。</translation>
    </message>
    <message>
        <source>(未采用 %1)</source>
        <translation>(未採用 %1)</translation>
    </message>
    <message>
        <source>写入 %1 项, 其中 %2 项未被仪表采用</source>
        <translation>寫入 %1 項, 其中 %2 項未被儀表採用</translation>
    </message>
    <message>
        <source>项目编号 %1 (CSV 文件和 norvo-cli 中的编号)</source>
        <translation>項目編號 %1 (CSV 檔案和 norvo-cli 中的編號)</translation>
    </message>
    <message>
        <source>对比配置</source>
        <translation>對比配置</translation>
    </message>
    <message>
        <source>写入差异</source>
        <translation>寫入差異</translation>
    </message>
    <message>
        <source>回读失败: %1</source>
        <translation>回讀失敗: %1</translation>
    </message>
    <message>
        <source>已写入 %1 项, %2 项回读不一致:</source>
        <translation>已寫入 %1 項, %2 項回讀不一致:</translation>
    </message>
    <message>
        <source>正在回读...... %1 / %2</source>
        <translation>正在回讀...... %1 / %2</translation>
    </message>
    <message>
        <source>配置项</source>
        <translation>配置項</translation>
    </message>
    <message>
        <source>仪表</source>
        <translation>儀表</translation>
    </message>
    <message>
        <source>文件值</source>
        <translation>檔案值</translation>
    </message>
    <message>
        <source>(仅在文件中)</source>
        <translation>(僅在檔案中)</translation>
    </message>
    <message>
        <source>对比: %1</source>
        <translation>對比: %1</translation>
    </message>
    <message>
        <source>(仅在仪表中)</source>
        <translation>(僅在儀表中)</translation>
    </message>
</context>
<context>
    <name>ModifyDialog</name>
    <message>
        <source>Dialog</source>
        <translation>對話框</translation>
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
        <translation>寫入設定失敗，數值過長</translation>
    </message>
</context>
<context>
    <name>MonitorCommand</name>
    <message>
        <source>每段数据显示为时间、字节数和十六进制。</source>
        <translation>每段資料顯示為時間、位元組數和十六進位。</translation>
    </message>
    <message>
        <source>每段数据显示为时间、字节数、文本和十六进制。</source>
        <translation>每段資料顯示為時間、位元組數、文字和十六進位。</translation>
    </message>
    <message>
        <source>不打开仪表的调试输出, 只监听。</source>
        <translation>不開啟儀表的除錯輸出, 只監聽。</translation>
    </message>
    <message>
        <source>监听这么多秒后结束, 而不是等 Ctrl-C。</source>
        <translation>監聽這麼多秒後結束, 而不是等 Ctrl-C。</translation>
    </message>
    <message>
        <source>把仪表发来的数据输出到标准输出, 直到 Ctrl-C; 期间打开仪表的调试输出</source>
        <translation>把儀表發來的資料輸出到標準輸出, 直到 Ctrl-C; 期間開啟儀表的除錯輸出</translation>
    </message>
    <message>
        <source>--hex 和 --both 只能选一个</source>
        <translation>--hex 和 --both 只能選一個</translation>
    </message>
    <message>
        <source>监听时长应为正的秒数: %1</source>
        <translation>監聽時長應為正的秒數: %1</translation>
    </message>
    <message>
        <source>把输出的文本(同监听窗口)追加到文件。</source>
        <translation>把輸出的文字(同監聽視窗)附加到檔案。</translation>
    </message>
    <message>
        <source>把收到的字节原样追加到文件。</source>
        <translation>把收到的位元組原樣附加到檔案。</translation>
    </message>
</context>
<context>
    <name>MonitorDialog</name>
    <message>
        <source>设备监听</source>
        <translation>裝置監聽</translation>
    </message>
    <message>
        <source>原始数据</source>
        <translation>原始資料</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>十六進位</translation>
    </message>
    <message>
        <source>原始数据 + 十六进制</source>
        <translation>原始資料 + 十六進位</translation>
    </message>
    <message>
        <source>调试信息</source>
        <translation>除錯資訊</translation>
    </message>
    <message>
        <source>开始监听</source>
        <translation>開始監聽</translation>
    </message>
    <message>
        <source>停止监听</source>
        <translation>停止監聽</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>记录到文件</source>
        <translation>記錄到檔案</translation>
    </message>
    <message>
        <source>查找:</source>
        <translation>尋找:</translation>
    </message>
    <message>
        <source>上一个</source>
        <translation>上一個</translation>
    </message>
    <message>
        <source>下一个</source>
        <translation>下一個</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>记录文件 (*.log *.txt);;所有文件 (*)</source>
        <translation>記錄檔 (*.log *.txt);;所有檔案 (*)</translation>
    </message>
    <message>
        <source>未找到</source>
        <translation>找不到</translation>
    </message>
</context>
<context>
    <name>MonitorThread</name>
    <message>
        <source>监听调试</source>
        <translation>監聽除錯</translation>
    </message>
    <message>
        <source>设备监听</source>
        <translation>裝置監聽</translation>
    </message>
    <message>
        <source>串口打开失败</source>
        <translation>開啟序列埠失敗</translation>
    </message>
</context>
<context>
    <name>NeutralAboutDialog</name>
    <message>
        <source>关于</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>串口重复: %1</source>
        <translation>序列埠重複: %1</translation>
    </message>
    <message>
        <source>无法读取串口列表 %1: %2</source>
        <translation>無法讀取序列埠清單 %1: %2</translation>
    </message>
    <message>
        <source>串口列表 %1 第 %2 行应为“串口 [波特率]”: %3</source>
        <translation>序列埠清單 %1 第 %2 行應為「序列埠 [鮑率]」: %3</translation>
    </message>
    <message>
        <source>串口列表是空的</source>
        <translation>序列埠清單是空的</translation>
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
        <translation>CRC校驗錯誤</translation>
    </message>
    <message>
        <source>发送命令超时</source>
        <translation>發送命令逾時</translation>
    </message>
    <message>
        <source>接受数据超时</source>
        <translation>接收資料逾時</translation>
    </message>
    <message>
        <source>未定义的错误</source>
        <translation>未定義的錯誤</translation>
    </message>
    <message>
        <source>串口已断开</source>
        <translation>序列埠已中斷連線</translation>
    </message>
    <message>
        <source>解析文件失败,文件不存在或拒绝访问!</source>
        <translation>解析檔案失敗,檔案不存在或拒絕存取!</translation>
    </message>
    <message>
        <source>解析文件失败,打开文件失败,请检查文件类型!</source>
        <translation>解析檔案失敗,打開檔案失敗,請檢查檔案類型!</translation>
    </message>
    <message>
        <source>解析文件失败,文件操作失败!</source>
        <translation>解析檔案失敗,檔案操作失敗!</translation>
    </message>
    <message>
        <source>解析文件失败,无法获取文件内容!</source>
        <translation>解析檔案失敗,無法獲取檔案內容!</translation>
    </message>
    <message>
        <source>解析文件失败,文件校验失败!</source>
        <translation>解析檔案失敗,檔案校驗失敗!</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>資訊</translation>
    </message>
    <message>
        <source>问题</source>
        <translation>問題</translation>
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
        <translation>開啟序列埠失敗: 沒有權限讀寫 %1。請把目前使用者加入裝置所屬的群組 %2（sudo usermod -aG %2 $USER），然後登出並重新登入</translation>
    </message>
    <message>
        <source>打开串口失败: 没有权限读写 %1，请让管理员给当前用户读写它的权限</source>
        <translation>開啟序列埠失敗: 沒有權限讀寫 %1，請讓管理員給目前使用者讀寫它的權限</translation>
    </message>
    <message>
        <source>打开串口失败: %1 不存在，请检查串口名称和连线</source>
        <translation>開啟序列埠失敗: %1 不存在，請檢查序列埠名稱和連線</translation>
    </message>
    <message>
        <source>打开串口失败: %1 正被其他程序占用，请关闭那个程序后再试</source>
        <translation>開啟序列埠失敗: %1 正被其他程式佔用，請關閉那個程式後再試</translation>
    </message>
    <message>
        <source>打开串口失败: %1（%2）</source>
        <translation>開啟序列埠失敗: %1（%2）</translation>
    </message>
</context>
<context>
    <name>ReadThread</name>
    <message>
        <source>查询</source>
        <translation>查詢</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>開啟序列埠失敗: %1</translation>
    </message>
    <message>
        <source>发送命令超时</source>
        <translation>發送命令逾時</translation>
    </message>
    <message>
        <source>接受数据超时</source>
        <translation>接收資料逾時</translation>
    </message>
    <message>
        <source>应答过长, 已停止读取; 请关闭仪表的调试输出后再查询</source>
        <translation>應答過長, 已停止讀取; 請關閉儀表的除錯輸出後再查詢</translation>
    </message>
</context>
<context>
    <name>RefreshThread</name>
    <message>
        <source>刷新</source>
        <translation>重新整理</translation>
    </message>
    <message>
        <source>串口打开失败</source>
        <translation>開啟序列埠失敗</translation>
    </message>
    <message>
        <source>地址或命令校验错误</source>
        <translation>位址或命令校驗錯誤</translation>
    </message>
    <message>
        <source>数据长度校验错误</source>
        <translation>資料長度校驗錯誤</translation>
    </message>
</context>
<context>
    <name>SessionLog</name>
    <message>
        <source>记录文件不能是符号链接: %1</source>
        <translation>記錄檔不能是符號連結: %1</translation>
    </message>
    <message>
        <source>无法打开记录文件 %1: %2</source>
        <translation>無法開啟記錄檔 %1: %2</translation>
    </message>
    <message>
        <source>无法写入记录文件 %1: %2</source>
        <translation>無法寫入記錄檔 %1: %2</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <source>串口设置</source>
        <translation>序列埠設定</translation>
    </message>
    <message>
        <source>串口：</source>
        <translation>序列埠：</translation>
    </message>
    <message>
        <source>波特率：</source>
        <translation>鮑率：</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>请选择串口!</source>
        <translation>請選擇序列埠!</translation>
    </message>
    <message>
        <source>请选择波特率!</source>
        <translation>請選擇鮑率!</translation>
    </message>
    <message>
        <source>自动检测</source>
        <translation>自動偵測</translation>
    </message>
    <message>
        <source>没有可以检测的串口</source>
        <translation>沒有可以偵測的序列埠</translation>
    </message>
    <message>
        <source>正在各个串口上查找仪器......</source>
        <translation>正在各個序列埠上尋找儀器......</translation>
    </message>
    <message>
        <source>没有找到仪器。请检查连线和仪器的电源。</source>
        <translation>沒有找到儀器。請檢查連線和儀器的電源。</translation>
    </message>
    <message>
        <source>找到多台仪器, 请选择一台:</source>
        <translation>找到多台儀器, 請選擇一台:</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>更新固件</source>
        <translation>更新韌體</translation>
    </message>
    <message>
        <source>文件：</source>
        <translation>檔案：</translation>
    </message>
    <message>
        <source>设备：</source>
        <translation>設備：</translation>
    </message>
    <message>
        <source>型号：</source>
        <translation>型號：</translation>
    </message>
    <message>
        <source>版本：</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>进度：</source>
        <translation>進度：</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>選擇檔案</translation>
    </message>
    <message>
        <source>烧写</source>
        <translation>燒寫</translation>
    </message>
    <message>
        <source>下载文件</source>
        <translation>下載檔案</translation>
    </message>
    <message>
        <source>列表：</source>
        <translation>列表：</translation>
    </message>
    <message>
        <source>路径：</source>
        <translation>路徑：</translation>
    </message>
    <message>
        <source>刷新文件列表</source>
        <translation>刷新檔案列表</translation>
    </message>
    <message>
        <source>选择路径</source>
        <translation>選擇路徑</translation>
    </message>
    <message>
        <source>请选择文件!</source>
        <translation>請選擇檔案!</translation>
    </message>
    <message>
        <source>更新失败,文件不存在或拒绝访问!</source>
        <translation>更新失敗,檔案不存在或拒絕存取!</translation>
    </message>
    <message>
        <source>固件更新成功!</source>
        <translation>韌體更新成功!</translation>
    </message>
    <message>
        <source>请选择设备类型!</source>
        <translation>請選擇設備類型!</translation>
    </message>
    <message>
        <source>请选择下载路径!</source>
        <translation>請選擇下載路徑!</translation>
    </message>
    <message>
        <source>文件下载成功!</source>
        <translation>檔案下載成功!</translation>
    </message>
    <message>
        <source>正在更新固件,请等待更新完成!</source>
        <translation>正在更新韌體,請等待更新完成!</translation>
    </message>
    <message>
        <source>%1 已存在, 要替换它吗?</source>
        <translation>%1 已存在, 要取代它嗎?</translation>
    </message>
    <message>
        <source>勾选后, 设备标识、擦除和每一页的应答一到齐就继续,
结束命令发出后只稍等片刻, 不再等待线路安静或不会到来的应答;
发出的命令不变。引导程序若需要这段安静时间, 请不要勾选。</source>
        <translation>勾選後, 設備標識、擦除和每一頁的應答一到齊就繼續,
結束命令發出後只稍等片刻, 不再等待線路安靜或不會到來的應答;
發出的命令不變。引導程式若需要這段安靜時間, 請不要勾選。</translation>
    </message>
    <message>
        <source>快速烧写</source>
        <translation>快速燒寫</translation>
    </message>
</context>
<context>
    <name>UpdateThread</name>
    <message>
        <source>固件更新失败,擦除设备内存失败!</source>
        <translation>韌體更新失敗,擦除設備記憶體失敗!</translation>
    </message>
    <message>
        <source>固件更新失败,发送文件数据失败!</source>
        <translation>韌體更新失敗,傳送檔案資料失敗!</translation>
    </message>
    <message>
        <source>固件更新失败,固件包中没有固件!</source>
        <translation>韌體更新失敗,韌體包中沒有韌體!</translation>
    </message>
    <message>
        <source>固件更新失败,%1</source>
        <translation>韌體更新失敗,%1</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>開啟序列埠失敗: %1</translation>
    </message>
    <message>
        <source>固件更新失败,获取设备ID失败! 请让仪表进入引导程序(升级模式), 并检查串口、波特率和连线。</source>
        <translation>韌體更新失敗,獲取設備ID失敗! 請讓儀表進入引導程式(升級模式), 並檢查序列埠、鮑率和連線。</translation>
    </message>
    <message>
        <source>固件更新失败,BIN文件与设备型号不一致! (仪表: %1, 文件: %2)</source>
        <translation>韌體更新失敗,BIN檔案與設備型號不一致! (儀表: %1, 檔案: %2)</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>未知</translation>
    </message>
</context>
</TS>
